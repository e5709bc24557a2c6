#pragma once

#include "cards/common/card_context.h"
#include "cards/common/reply_check.h"
#include "cards/common/send_frames.h"
#include "link/transfer_engine.h"

#include <QByteArray>
#include <QPointer>

#include <functional>
#include <span>
#include <vector>

class QWidget;

namespace vrn {

class GraphicalButton;

// Runs a card window's Send and Read: the button is red while the transfer runs and grey again
// after it, whatever the outcome; a refusal or a failure is told to the user. Results reach
// the window only while it still exists.
class CardTransfers
{
public:
    using ApplyReply = std::function<void(const ReplyFields&)>;

    CardTransfers(CardContext& context, QWidget* window) : m_context(context), m_window(window) {}

    void send(GraphicalButton* button, std::span<const SendFrame> frames, bool settlePauses);
    void read(GraphicalButton* button, std::span<const ReplyValue> checked, ApplyReply apply);

private:
    bool start(GraphicalButton* button, std::vector<TransferStep> steps, TransferEngine::Done done);
    void report(const QString& text);

    CardContext& m_context;
    QPointer<QWidget> m_window;
};

} // namespace vrn
