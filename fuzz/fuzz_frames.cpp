// Padding and command frames: any slot content (nothing, any text, any double including NaN and
// the infinities) with any letter and any prefix.
#include "fuzz_check.h"
#include "slot_table.h"

#include <cmath>
#include <cstdlib>
#include <stdexcept>

using namespace vrn;
using vrn::fuzz::require;

namespace {

bool isDigits(const QString& text)
{
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return !text.isEmpty();
}

// The decimal text of a number reads back as that number, to its 15 significant digits.
void checkNumberText(double value)
{
    const QString text = classicNumberText(value);
    require(!text.isEmpty(), "a number's text is never empty");
    if (!std::isfinite(value))
        return;
    if (value == 0.0) {
        require(text == QLatin1String("0"), "zero (also -0) is written \"0\"", text);
        return;
    }
    const QByteArray latin = text.toLatin1();
    const double back = std::strtod(latin.constData(), nullptr);
    // Fifteen digits round the largest doubles up beyond the largest double.
    if (std::isinf(back) && std::fabs(value) >= 1.797693134862315e308)
        return;
    require(std::fabs(back - value) <= 1e-14 * std::fabs(value) + 5e-324,
            "a number's text reads back as the number", text);
    if (value == std::trunc(value) && std::fabs(value) < 1e15) {
        require(back == value, "a whole number's text is exact", text);
        require(!text.contains(QLatin1Char('.')) && !text.contains(QLatin1Char('e')),
                "a whole number is written without point or exponent", text);
    }
}

void checkPadded(const SlotValue& value)
{
    const SlotValue result = padded(value);
    if (std::holds_alternative<std::monostate>(value)) {
        require(std::holds_alternative<std::monostate>(result), "an empty slot stays empty");
        return;
    }
    require(std::holds_alternative<QString>(result), "padding gives a text");
    const QString text = slotText(value);
    const QString code = std::get<QString>(result);
    if (text.size() >= 1 && text.size() <= 4) {
        require(code.size() == 5 && code.endsWith(text) &&
                    code.first(5 - text.size()) == QString(5 - text.size(), QLatin1Char('0')),
                "a short text gets zeros in front up to five characters", code);
    } else {
        require(code == text, "any other length stays as it is", code);
    }
    require(padded(result) == result, "padding twice changes nothing", code);
}

void checkFrame(char letter, const SlotValue& value, const QByteArray& prefix)
{
    const QByteArray frame = commandFrame(letter, value, prefix);
    const QByteArray body = slotText(value).toLatin1();
    require(frame.size() == 2 + prefix.size() + body.size(), "a frame is letter, text and \"$\"",
            QString::fromLatin1(frame));
    require(frame.front() == letter && frame.back() == '$', "a frame starts with its letter and "
                                                            "ends with \"$\"");
    require(frame.mid(1, prefix.size()) == prefix &&
                frame.mid(1 + prefix.size(), body.size()) == body,
            "the prefix comes before the slot's text", QString::fromLatin1(frame));
}

// Every code a slot can hold goes out as the letter, five digits and "$".
void checkCodeFrame(char letter, int code)
{
    const QString text = parameterCode(code);
    require(text.size() == 5 && isDigits(text) && text.toInt() == code,
            "a code from 0 to 99999 is five digits", text);
    const QByteArray frame = commandFrame(letter, padded(static_cast<double>(code)));
    require(frame.size() == 7 && frame.mid(1, 5) == text.toLatin1(),
            "a padded whole number makes a seven-character frame", QString::fromLatin1(frame));
}

void checkSlotTable(char letter, const SlotValue& value)
{
    SlotTable slots;
    try {
        slots.set(letter, value);
        slots.pad(letter);
    } catch (const std::out_of_range&) {
        require(!SlotTable::isSlotLetter(letter), "every slot letter has a slot");
        return;
    }
    require(SlotTable::isSlotLetter(letter), "only slot letters have a slot");
    require(slots.value(letter) == padded(value), "a padded slot holds the padded value");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::InputReader in(data, size);
    const std::uint8_t kind = in.byte();
    const char letter = static_cast<char>(in.byte());
    const QByteArray prefix = in.bytes(in.byte() % 8);
    const double number = in.bitsAsDouble();
    const int code = static_cast<int>((in.byte() << 16 | in.byte() << 8 | in.byte()) % 100000);
    const QString text = QString::fromUtf8(in.rest());

    SlotValue value;
    switch (kind % 3) {
    case 0:
        value = std::monostate{};
        break;
    case 1:
        value = text;
        break;
    case 2:
        value = number;
        break;
    }

    checkNumberText(number);
    require(slotText(value) == (kind % 3 == 1   ? text
                                : kind % 3 == 2 ? classicNumberText(number)
                                                : QString()),
            "a slot's text is the code as held or the number's text");
    checkPadded(value);
    checkPadded(number);
    checkPadded(text);
    checkFrame(letter, value, prefix);
    checkFrame(letter, padded(value), prefix);
    checkCodeFrame(letter, code);
    checkSlotTable(letter, value);
    return 0;
}
