#pragma once

#include "shared_values.h"

// The VRN-C card: excitation time in 0.2 s steps (slot C), minimum current (slot G), maximum
// current (slot H) and PWM frequency (slot B).
namespace vrn::vrn_c {

inline constexpr CardValue kPwm = onFileLine(shared::kPwm, 4);
inline constexpr CardValue kExcitationTime = onFileLine(shared::kExcitationTime, 2);
inline constexpr CardValue kMinimumCurrent = onFileLine(shared::kMinimumCurrent, 1);
inline constexpr CardValue kMaximumCurrent = onFileLine(shared::kMaximumCurrent, 3);

extern const CardDescription kDescription;

} // namespace vrn::vrn_c
