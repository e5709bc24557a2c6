#include "vrn_b.h"

namespace vrn::vrn_b {
namespace {

// In the order of the Send; the read reply is checked and applied in the same order.
constexpr CardValue kValues[] = {kPwm, kMaximumCurrent, kOverSupplyTime};

// A slot the window does not edit goes out as zeros. Every path that writes a current leaves a
// five-digit code in its slot; a Read can leave a plain number in slots B and Z.
constexpr SendFrame kFrames[] = {
    SendFrame::fixed("A00000$"),
    SendFrame::padded(kPwm.letter),
    SendFrame::fixed("C00000$"),
    SendFrame::fixed("D00000$"),
    SendFrame::fixed("E00000$"),
    SendFrame::fixed("F00000$"),
    SendFrame::fixed("G00000$"),
    SendFrame::asHeld(kMaximumCurrent.letter),
    SendFrame::fixed("a00000$"),
    SendFrame::padded(kOverSupplyTime.letter),
    kEndFrame,
};

} // namespace

constexpr CardDescription kDescription{
    .model = CardModel::VrnB,
    .name = "VRN-B",
    .caption = "VRN-B rev01",
    .values = kValues,
    .frames = kFrames,
    .fileLines = 3,
};

} // namespace vrn::vrn_b
