#pragma once

#include "card_description.h"
#include "protocol.h"

#include <QtGlobal>

// Values that more than one card model sets in the same way; each model's table gives the line
// of its parameter file that holds them.
namespace vrn::shared {

// clang-format off
inline constexpr CardValue kPwm{'B', QT_TRANSLATE_NOOP("Values", "PWM"), ValueUnit::PwmChoice,
    {QT_TRANSLATE_NOOP("Values", "PWM frequency"), protocol::field::kPwm}};

// The values of the VRN-B, VRN-C and VRN-D windows. The excitation time travels in the
// read-reply field that carries the VRN-A ramp-up time.
inline constexpr CardValue kMaximumCurrent{'H', QT_TRANSLATE_NOOP("Values", "Maximum current"),
    ValueUnit::Milliamps,
    {QT_TRANSLATE_NOOP("Values", "maximum current"), protocol::field::kMaxHigh,
     protocol::field::kMaxLow, 1023},
    0, EntryRule::CurrentWholeNumber};
inline constexpr CardValue kMinimumCurrent{'G', QT_TRANSLATE_NOOP("Values", "Minimum current"),
    ValueUnit::Milliamps,
    {QT_TRANSLATE_NOOP("Values", "minimum current"), protocol::field::kMinHigh,
     protocol::field::kMinLow, 511},
    0, EntryRule::Current};
inline constexpr CardValue kExcitationTime{'C', QT_TRANSLATE_NOOP("Values", "Excitation time"),
    ValueUnit::Seconds,
    {QT_TRANSLATE_NOOP("Values", "excitation time"), protocol::field::kRampUp, 0, 255},
    0, EntryRule::Seconds};
inline constexpr CardValue kOverSupplyTime{'Z', QT_TRANSLATE_NOOP("Values", "Over-supply time"),
    ValueUnit::TenMilliseconds,
    {QT_TRANSLATE_NOOP("Values", "over-supply time"), protocol::field::kOverSupply, 0, 99},
    0, EntryRule::Milliseconds};
// clang-format on

} // namespace vrn::shared
