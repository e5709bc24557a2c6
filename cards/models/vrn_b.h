#pragma once

#include "shared_values.h"

// The VRN-B card: regulated maximum current (slot H), over-supply time in 10 msec steps
// (slot Z) and PWM frequency (slot B).
namespace vrn::vrn_b {

inline constexpr CardValue kPwm = onFileLine(shared::kPwm, 3);
inline constexpr CardValue kMaximumCurrent = onFileLine(shared::kMaximumCurrent, 1);
inline constexpr CardValue kOverSupplyTime = onFileLine(shared::kOverSupplyTime, 2);

extern const CardDescription kDescription;

} // namespace vrn::vrn_b
