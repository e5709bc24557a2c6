#pragma once

#include "protocol.h"
#include "slot_table.h"
#include "transfer_engine.h"

#include <span>
#include <vector>

namespace vrn {

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

// The frame as a Send would put it out now: a padded slot is padded in a copy, no slot changes.
QByteArray frameToSend(const SlotTable& slots, const SendFrame& frame);

// The steps of a Send: discard input, then one transaction per frame, each frame built from
// the slots when it is sent; with settle pauses, a pause follows every frame but the last.
std::vector<TransferStep> sendSteps(SlotTable& slots, std::span<const SendFrame> frames,
                                    bool settlePauses);

} // namespace vrn
