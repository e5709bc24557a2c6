#pragma once

#include "card_description.h"
#include "card_state.h"
#include "send_frames.h"
#include "slot_table.h"

#include <QList>
#include <QString>

#include <map>
#include <optional>
#include <span>
#include <vector>

namespace vrn {

// What the next Send would put out for each letter, fixed frames included, without changing
// any slot: a slot holding a plain number counts as its padded code. A frame without digits
// (an empty slot) gives no entry.
Codes codesToSend(const SlotTable& slots, std::span<const SendFrame> frames);

// A value on which the window and the card disagree; no code means "not set" (window) or
// "not in the reply" (card).
struct ValueDifference
{
    CardValue value;
    std::optional<int> window;
    std::optional<int> card;
};

// The values whose codes differ, in the order given.
std::vector<ValueDifference> compareValues(std::span<const CardValue> values, const Codes& window,
                                           const Codes& card);

// "I Max (window 2253 mA, card 1201 mA)".
QString differenceText(const ValueDifference& difference);

} // namespace vrn
