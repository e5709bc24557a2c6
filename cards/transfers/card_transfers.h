#pragma once

#include "card_context.h"
#include "card_values.h"
#include "reply_check.h"
#include "send_frames.h"
#include "transfer_engine.h"

#include <QByteArray>
#include <QPointer>

#include <functional>
#include <span>
#include <vector>

class QWidget;

namespace vrn {

class GraphicalButton;

// Runs a card window's Send, Read and Verify: a transfer button is red while its transfer runs
// and grey again after it, whatever the outcome; a refusal or a failure is told to the user.
// Results reach the window only while it still exists.
class CardTransfers
{
public:
    using ApplyReply = std::function<void(const ReplyFields&)>;
    // Told when a transfer has ended (its button grey, any problem told): `accepted` is false
    // for a failed transfer and for a read reply that was refused.
    using Ended = std::function<void(const TransferOutcome& outcome, bool accepted)>;

    // The model tags the transfers' entries in the traffic record.
    CardTransfers(CardContext& context, QWidget* window, CardModel model)
        : m_context(context), m_window(window), m_model(model)
    {
    }

    // False when the link refused to start it (the refusal is told).
    bool send(GraphicalButton* button, std::span<const SendFrame> frames, bool settlePauses,
              Ended ended = {});
    bool read(GraphicalButton* button, std::span<const ReplyValue> checked, ApplyReply apply,
              Ended ended = {});
    // The read request and the check of the whole reply, as a Read makes them; the reply is
    // handed to `compare` instead of being applied. No button shows it.
    bool verify(std::span<const ReplyValue> checked, ApplyReply compare, Ended ended = {});

private:
    bool start(GraphicalButton* button, std::vector<TransferStep> steps, TransferEngine::Done done);
    bool readReply(GraphicalButton* button, std::span<const ReplyValue> checked, ApplyReply apply,
                   Ended ended);
    void report(const QString& text, LinkError::Reason reason = LinkError::Reason::None);
    // Puts what happened into the link's traffic record, with the model's name.
    void log(const QString& text);

    CardContext& m_context;
    QPointer<QWidget> m_window;
    CardModel m_model;
};

} // namespace vrn
