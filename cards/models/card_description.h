#pragma once

#include "reply_fields.h"
#include "send_frames.h"

#include <QString>

#include <span>

namespace vrn {

// The four card models, one window each.
enum class CardModel { VrnA = 0, VrnB = 1, VrnC = 2, VrnD = 3 };
constexpr CardModel kCardModels[] = {CardModel::VrnA, CardModel::VrnB, CardModel::VrnC,
                                     CardModel::VrnD};

// How a value of a card is shown in engineering units, in its window's box and in texts.
enum class ValueUnit {
    Milliamps,       // floor(code x 2.93) mA
    Millivolts,      // floor(code x 2.93) mV
    Seconds,         // code x 0.2 s
    TenMilliseconds, // code x 10 ms
    PwmChoice,       // 1..5: "(3) 300 Hz"
    CoilRange,       // 1..5: "(2) 1200 mA"
    ReferenceInput   // 0, 1, 2: "(E2) 0 - 5V", "(E0) 0 - 10V", "(E1) 4-20mA"
};

// What a window makes of a value typed into the value's box when the box loses the focus.
enum class EntryRule {
    None,               // the value has no box that is read (an option)
    Current,            // floor(v / 2.93) + 1
    CurrentWholeNumber, // v rounded to a whole number (halves to even) first
    Seconds,            // nearest whole number of v / 0.2
    Milliseconds        // nearest whole number of v / 10
};

// Where the card's read reply carries a value, and the largest code it may hold there.
struct ReplyValue
{
    const char* name;    // for the user: "maximum current"
    int position;        // 1-based; the high part for a pair
    int lowPosition = 0; // the low part of a pair, 0 for a single field
    int maximum = -1;    // largest value: its slider's maximum; -1 for an option field

    double valueIn(const ReplyFields& fields) const
    {
        return lowPosition ? fields.pair(position, lowPosition) : fields.field(position);
    }
};

// A value a card window sets on its card: the slot letter that carries it on the wire, its
// name for the user, its unit, where the read reply carries it, the parameter-file line that
// holds it and how its box takes a typed entry.
struct CardValue
{
    char letter;
    const char* name; // marked for translation in the context "Values"
    ValueUnit unit;
    ReplyValue reply = {nullptr, 0};
    int fileLine = 0; // 1-based; 0 when the file does not hold it
    EntryRule entry = EntryRule::None;

    QString displayName() const;
    // The largest code of the value's slider (and of the reply's field).
    constexpr int maximum() const { return reply.maximum; }
};

// The same value saved on another line of a model's parameter file.
constexpr CardValue onFileLine(CardValue value, int line)
{
    value.fileLine = line;
    return value;
}

// Everything a card model's window sets on its card and how: its values, its Send and its file.
struct CardDescription
{
    CardModel model;
    const char* name;                  // "VRN-A"
    const char* caption;               // of its window: "VRN-A rev01"
    std::span<const CardValue> values; // in the order of the Send and of the reply's checks
    std::span<const SendFrame> frames; // the Send, the end frame last
    int fileLines;                     // how many values (lines) its parameter file holds
};

// The description of a card model.
const CardDescription& cardDescription(CardModel model);

// "VRN-A" .. "VRN-D".
QString modelName(CardModel model);

// The captions of the option boxes, as the windows show them and texts name the options.
inline constexpr const char* kPwmCaptions[] = {"(1) 100 Hz", "(2) 200 Hz", "(3) 300 Hz",
                                               "(4) 400 Hz", "(5) 500 Hz"}; // codes 1..5
inline constexpr const char* kCoilCaptions[] = {"(1)  860 mA", "(2) 1200 mA", "(3) 1600 mA",
                                                "(4) 1880 mA", "(5) 2600 mA"}; // codes 1..5
inline constexpr const char* kReferenceCaptions[] = {"(E2) 0 - 5V", "(E0) 0 - 10V",
                                                     "(E1) 4-20mA"}; // codes 0..2

// A code shown in its unit ("2253 mA", "0.4 s", "250 ms", "(3) 300 Hz"); an option code the
// windows do not know reads "code 7". Numbers in the user's number format.
QString valueText(ValueUnit unit, int code);

// The unit as machine-read output names it, the same in every language: "mA", "mV", "s", "ms",
// "PWM choice", "coil range", "reference input".
QString unitSymbol(ValueUnit unit);

} // namespace vrn
