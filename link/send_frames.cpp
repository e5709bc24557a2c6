#include "send_frames.h"

namespace vrn {

QByteArray frameToSend(const SlotTable& slots, const SendFrame& frame)
{
    switch (frame.source) {
    case SendFrame::Source::Fixed:
        return QByteArray(frame.text);
    case SendFrame::Source::PaddedSlot:
        return commandFrame(frame.letter, padded(slots.value(frame.letter)));
    case SendFrame::Source::SlotAsHeld:
        return commandFrame(frame.letter, slots.value(frame.letter), QByteArray(frame.text));
    }
    return {};
}

std::vector<TransferStep> sendSteps(SlotTable& slots, std::span<const SendFrame> frames,
                                    bool settlePauses)
{
    std::vector<TransferStep> steps{TransferStep::discardInput()};
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const SendFrame frame = frames[i];
        steps.push_back(TransferStep::transaction([&slots, frame] {
            // The slot keeps its padded code, as the cards' Sends leave it.
            if (frame.source == SendFrame::Source::PaddedSlot)
                slots.pad(frame.letter);
            return frameToSend(slots, frame);
        }));
        if (settlePauses && i + 1 < frames.size())
            steps.push_back(TransferStep::settlePause());
    }
    return steps;
}

} // namespace vrn
