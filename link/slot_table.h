#pragma once

#include "link/number_rules.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>
#include <variant>

namespace vrn {

// What one parameter slot holds: nothing, a five-digit parameter code (text) or a plain number.
using SlotValue = std::variant<std::monostate, QString, double>;

// The slot's content as text: empty, the code as held, or the number's decimal text.
QString slotText(const SlotValue& value);

// The padding rule: texts of one to four characters get zeros in front up to five;
// any other length (five characters, or an empty slot) stays as it is.
SlotValue padded(const SlotValue& value);

// Five-digit parameter code of a whole number (0 gives "00000", 294 gives "00294").
QString parameterCode(int code);

// Command frame: the letter, the slot's text (with an optional fixed prefix), then "$".
// An empty slot contributes nothing, so its frame is the letter and "$" only.
QByteArray commandFrame(char letter, const SlotValue& value, const QByteArray& prefix = {});

// The eleven parameter slots shared by every card window, named by their wire letters.
class SlotTable
{
public:
    static constexpr std::array<char, 11> kLetters{'A', 'B', 'C', 'D', 'E', 'F',
                                                   'G', 'H', 'I', 'a', 'Z'};

    static bool isSlotLetter(char letter);

    const SlotValue& value(char letter) const;
    void set(char letter, SlotValue value);
    void setCode(char letter, int code) { set(letter, parameterCode(code)); }
    void setNumber(char letter, double number) { set(letter, number); }

    // Applies the padding rule to the slot itself and keeps the result.
    void pad(char letter);

    bool operator==(const SlotTable& other) const = default;

private:
    static std::size_t indexOf(char letter);

    std::array<SlotValue, kLetters.size()> m_values{};
};

} // namespace vrn
