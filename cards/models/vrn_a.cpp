#include "vrn_a.h"

namespace vrn::vrn_a {
namespace {

// In the order of the Send; the read reply carries them in the same order.
constexpr CardValue kValues[] = {kCoil, kPwm,  kRampUp, kRampDown, kVt,
                                 kIPol, kIMin, kIMax,   kReference};

// Slots A to H are brought to five digits just before their frame; slot I is never written,
// and slot a holds a plain 0, 1 or 2 that the card expects after "a0000".
constexpr SendFrame kFrames[] = {
    SendFrame::padded(kCoil.letter),
    SendFrame::padded(kPwm.letter),
    SendFrame::padded(kRampUp.letter),
    SendFrame::padded(kRampDown.letter),
    SendFrame::padded(kVt.letter),
    SendFrame::padded(kIPol.letter),
    SendFrame::padded(kIMin.letter),
    SendFrame::padded(kIMax.letter),
    SendFrame::fixed("I$"),
    SendFrame::asHeld(kReference.letter, "0000"),
    kEndFrame,
};

} // namespace

constexpr CardDescription kDescription{
    .model = CardModel::VrnA,
    .name = "VRN-A",
    .caption = "VRN-A rev01",
    .values = kValues,
    .frames = kFrames,
    .fileLines = kRampsEnabledLine,
};

} // namespace vrn::vrn_a
