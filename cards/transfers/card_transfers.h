#pragma once

#include "card_context.h"
#include "card_values.h"
#include "reply_check.h"
#include "send_frames.h"
#include "transfer_engine.h"
#include "transfer_result.h"

#include <QByteArray>
#include <QPointer>

#include <functional>
#include <span>
#include <vector>

class QWidget;

namespace vrn {

class GraphicalButton;

// Runs a card window's Send, Read and Verify: a transfer button is red while its transfer runs
// and grey again after it, whatever the outcome; what the card was seen to hold goes into the
// card state. What happened is handed back as a result, which the window tells the user.
// Results reach the window only while it still exists.
class CardTransfers
{
public:
    using ApplyReply = std::function<void(const ReplyFields&)>;
    // Told once for every transfer asked for: when it has ended (its button grey), or at once
    // when the link refused to start it.
    using Ended = std::function<void(const TransferResult& result)>;

    // The model tags the transfers' entries in the traffic record.
    CardTransfers(CardContext& context, QWidget* window, CardModel model)
        : m_context(context), m_window(window), m_model(model)
    {
    }

    // False when the link refused to start it (`ended` has been told why).
    bool send(GraphicalButton* button, std::span<const SendFrame> frames, bool settlePauses,
              Ended ended);
    // An accepted reply is applied before the button turns grey.
    bool read(GraphicalButton* button, std::span<const ReplyValue> checked, ApplyReply apply,
              Ended ended);
    // The read request and the check of the whole reply, as a Read makes them; nothing is
    // applied, the codes of an accepted reply are in the result. No button shows it.
    bool verify(std::span<const ReplyValue> checked, Ended ended);

private:
    bool start(TransferResult::Kind kind, GraphicalButton* button, std::vector<TransferStep> steps,
               TransferEngine::Done done, const Ended& ended);
    bool readReply(TransferResult::Kind kind, GraphicalButton* button,
                   std::span<const ReplyValue> checked, ApplyReply apply, Ended ended);

    CardContext& m_context;
    QPointer<QWidget> m_window;
    CardModel m_model;
};

} // namespace vrn
