#include "vrn_c.h"

namespace vrn::vrn_c {
namespace {

// In the order of the Send; the read reply is checked and applied in the same order.
constexpr CardValue kValues[] = {kPwm, kExcitationTime, kMinimumCurrent, kMaximumCurrent};

// A slot the window does not edit goes out as zeros. Every path that writes a current leaves a
// five-digit code in its slot; a Read can leave a plain number in slots B and C.
constexpr SendFrame kFrames[] = {
    SendFrame::fixed("A00000$"),
    SendFrame::padded(kPwm.letter),
    SendFrame::padded(kExcitationTime.letter),
    SendFrame::fixed("D00000$"),
    SendFrame::fixed("E00000$"),
    SendFrame::fixed("F00000$"),
    SendFrame::asHeld(kMinimumCurrent.letter),
    SendFrame::asHeld(kMaximumCurrent.letter),
    SendFrame::fixed("a00000$"),
    SendFrame::fixed("Z00000$"),
    kEndFrame,
};

} // namespace

constexpr CardDescription kDescription{
    .model = CardModel::VrnC,
    .name = "VRN-C",
    .caption = "VRN-C rev01",
    .values = kValues,
    .frames = kFrames,
    .fileLines = 4,
};

} // namespace vrn::vrn_c
