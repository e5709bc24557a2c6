#pragma once

#include "shared_values.h"

// The VRN-D card: excitation time in 0.2 s steps (slot C), maximum current (slot H) and PWM
// frequency (slot B).
namespace vrn::vrn_d {

inline constexpr CardValue kPwm = onFileLine(shared::kPwm, 3);
inline constexpr CardValue kExcitationTime = onFileLine(shared::kExcitationTime, 1);
inline constexpr CardValue kMaximumCurrent = onFileLine(shared::kMaximumCurrent, 2);

extern const CardDescription kDescription;

} // namespace vrn::vrn_d
