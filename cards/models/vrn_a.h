#pragma once

#include "shared_values.h"

// The VRN-A card: coil current range (slot A), PWM frequency (slot B), ramp up and down times
// in 0.2 s steps (slots C, D), the four levels Vt, I Pol, I Min, I Max (slots E, F, G, H) and
// the reference input type (slot a). Its parameter file ends with the ramp enable switch.
namespace vrn::vrn_a {

// clang-format off
inline constexpr CardValue kCoil{'A', QT_TRANSLATE_NOOP("Values", "Coil current"),
    ValueUnit::CoilRange,
    {QT_TRANSLATE_NOOP("Values", "coil current range"), protocol::field::kCoil}, 7};
inline constexpr CardValue kPwm = onFileLine(shared::kPwm, 8);
inline constexpr CardValue kRampUp{'C', QT_TRANSLATE_NOOP("Values", "Ramp Up"), ValueUnit::Seconds,
    {QT_TRANSLATE_NOOP("Values", "ramp-up time"), protocol::field::kRampUp, 0, 255},
    1, EntryRule::Seconds};
inline constexpr CardValue kRampDown{'D', QT_TRANSLATE_NOOP("Values", "Ramp Down"),
    ValueUnit::Seconds,
    {QT_TRANSLATE_NOOP("Values", "ramp-down time"), protocol::field::kRampDown, 0, 255},
    2, EntryRule::Seconds};
inline constexpr CardValue kVt{'E', QT_TRANSLATE_NOOP("Values", "Vt"), ValueUnit::Millivolts,
    {QT_TRANSLATE_NOOP("Values", "Vt level"), protocol::field::kVtHigh, protocol::field::kVtLow,
     200},
    3, EntryRule::Current};
inline constexpr CardValue kIPol{'F', QT_TRANSLATE_NOOP("Values", "I Pol"), ValueUnit::Milliamps,
    {QT_TRANSLATE_NOOP("Values", "I Pol current"), protocol::field::kPolHigh,
     protocol::field::kPolLow, 255},
    5, EntryRule::Current};
inline constexpr CardValue kIMin{'G', QT_TRANSLATE_NOOP("Values", "I Min"), ValueUnit::Milliamps,
    {QT_TRANSLATE_NOOP("Values", "I Min current"), protocol::field::kMinHigh,
     protocol::field::kMinLow, 511},
    4, EntryRule::Current};
inline constexpr CardValue kIMax{'H', QT_TRANSLATE_NOOP("Values", "I Max"), ValueUnit::Milliamps,
    {QT_TRANSLATE_NOOP("Values", "I Max current"), protocol::field::kMaxHigh,
     protocol::field::kMaxLow, 1023},
    6, EntryRule::CurrentWholeNumber};
// Slot a goes out as "a0000" and the number: one digit keeps the frame a command frame.
inline constexpr CardValue kReference{'a', QT_TRANSLATE_NOOP("Values", "Reference input"),
    ValueUnit::ReferenceInput,
    {QT_TRANSLATE_NOOP("Values", "reference input"), protocol::field::kReference, 0, 9}, 9};
// clang-format on

// The line of the parameter file that holds the ramp enable switch (0 or 1).
inline constexpr int kRampsEnabledLine = 10;

extern const CardDescription kDescription;

} // namespace vrn::vrn_a
