#pragma once

#include "cards/common/card_context.h"
#include "cards/common/reply_check.h"
#include "link/protocol.h"
#include "link/transfer_engine.h"

#include <QByteArray>
#include <QPointer>

#include <functional>
#include <span>
#include <vector>

class QWidget;

namespace vrn {

class GraphicalButton;

// One frame of a card's Send.
struct SendFrame
{
    enum class Source {
        Fixed,      // always the same characters ("A00000$")
        PaddedSlot, // the slot is brought to five digits in place, just before the frame
        SlotAsHeld  // the slot as it stands, after an optional fixed prefix
    };

    Source source;
    char letter = 0;
    const char* text = ""; // the fixed frame, or the prefix of a slot frame

    static constexpr SendFrame fixed(const char* frame) { return {Source::Fixed, 0, frame}; }
    static constexpr SendFrame padded(char letter) { return {Source::PaddedSlot, letter, ""}; }
    static constexpr SendFrame asHeld(char letter, const char* prefix = "")
    {
        return {Source::SlotAsHeld, letter, prefix};
    }
};

// The end frame of every Send.
constexpr SendFrame kEndFrame = SendFrame::fixed(protocol::kEndFrame);

// The steps of a Send: discard input, then one transaction per frame, each frame built from
// the slots when it is sent; with settle pauses, a pause follows every frame but the last.
std::vector<TransferStep> sendSteps(SlotTable& slots, std::span<const SendFrame> frames,
                                    bool settlePauses);

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
