#include "vrn_d.h"

namespace vrn::vrn_d {
namespace {

// In the order of the Send; the read reply is checked and applied in the same order.
constexpr CardValue kValues[] = {kPwm, kExcitationTime, kMaximumCurrent};

// A slot the window does not edit goes out as zeros. Every path that writes a current leaves a
// five-digit code in its slot; a Read can leave a plain number in slots B and C.
constexpr SendFrame kFrames[] = {
    SendFrame::fixed("A00000$"),
    SendFrame::padded(kPwm.letter),
    SendFrame::padded(kExcitationTime.letter),
    SendFrame::fixed("D00000$"),
    SendFrame::fixed("E00000$"),
    SendFrame::fixed("F00000$"),
    SendFrame::fixed("G00000$"),
    SendFrame::asHeld(kMaximumCurrent.letter),
    SendFrame::fixed("a00000$"),
    SendFrame::fixed("Z00000$"),
    kEndFrame,
};

} // namespace

constexpr CardDescription kDescription{
    .model = CardModel::VrnD,
    .name = "VRN-D",
    .caption = "VRN-D rev01",
    .values = kValues,
    .frames = kFrames,
    .fileLines = 3,
};

} // namespace vrn::vrn_d
