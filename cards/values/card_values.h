#pragma once

#include "card_state.h"
#include "reply_fields.h"
#include "send_frames.h"
#include "slot_table.h"

#include <QList>
#include <QString>

#include <map>
#include <optional>
#include <span>
#include <vector>

namespace vrn {

// The four card models, one window each.
enum class CardModel { VrnA = 0, VrnB = 1, VrnC = 2, VrnD = 3 };
constexpr CardModel kCardModels[] = {CardModel::VrnA, CardModel::VrnB, CardModel::VrnC,
                                     CardModel::VrnD};

// "VRN-A" .. "VRN-D".
QString modelName(CardModel model);

// How many values (lines) the parameter file of a model's window holds.
int parameterFileValues(CardModel model);

// How a value of a card is shown in engineering units.
enum class ValueUnit {
    Milliamps,       // floor(code x 2.93) mA
    Millivolts,      // floor(code x 2.93) mV
    Seconds,         // code x 0.2 s
    TenMilliseconds, // code x 10 ms
    PwmChoice,       // 1..5: "(3) 300 Hz"
    CoilRange,       // 1..5: "(2) 1200 mA"
    ReferenceInput   // 0, 1, 2: "(E2) 0 - 5V", "(E0) 0 - 10V", "(E1) 4-20mA"
};

// A value a card window sets on its card: the slot letter that carries it on the wire, its
// name for the user and its unit.
struct CardValue
{
    char letter;
    const char* name; // marked for translation in the context "Values"
    ValueUnit unit;

    QString displayName() const;
};

// A code shown in its unit ("2253 mA", "0.4 s", "250 ms", "(3) 300 Hz"); an option code the
// windows do not know reads "code 7". Numbers in the user's number format.
QString valueText(ValueUnit unit, int code);

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
