#pragma once

#include "number_rules.h"

#include "protocol.h"

#include <QByteArray>
#include <QObject>
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

class SlotWatch;

// The eleven parameter slots shared by every card window, named by their wire letters. Each
// slot also remembers who wrote it last (a card model's window, or nobody known), so that a
// window can tell a value it shows from one another window set.
class SlotTable
{
public:
    static constexpr std::array<char, 11> kLetters = protocol::kParameterLetters;
    static constexpr int kNoWriter = -1;

    SlotTable() { m_writers.fill(kNoWriter); }
    // A copy holds the same values, without the original's watcher.
    SlotTable(const SlotTable& other) : m_values(other.m_values), m_writers(other.m_writers) {}
    SlotTable& operator=(const SlotTable& other)
    {
        m_values = other.m_values;
        m_writers = other.m_writers;
        return *this;
    }

    static bool isSlotLetter(char letter);

    const SlotValue& value(char letter) const;
    void set(char letter, SlotValue value, int writer = kNoWriter);
    void setCode(char letter, int code, int writer = kNoWriter)
    {
        set(letter, parameterCode(code), writer);
    }
    void setNumber(char letter, double number, int writer = kNoWriter)
    {
        set(letter, number, writer);
    }
    // Who wrote the slot last: the tag a window writes with (its card model), or kNoWriter.
    int writer(char letter) const;

    // Applies the padding rule to the slot itself and keeps the result.
    void pad(char letter);

    bool operator==(const SlotTable& other) const { return m_values == other.m_values; }

private:
    friend class SlotWatch;
    static std::size_t indexOf(char letter);

    std::array<SlotValue, kLetters.size()> m_values{};
    std::array<int, kLetters.size()> m_writers{};
    SlotWatch* m_watch = nullptr;
};

// Tells whoever listens that a slot was written (by an edit, a Send's padding, a Read or an
// Open), so that what shows the slots can follow them as they change.
class SlotWatch : public QObject
{
    Q_OBJECT
public:
    explicit SlotWatch(SlotTable& slots, QObject* parent = nullptr);
    ~SlotWatch() override;

Q_SIGNALS:
    void written(char letter);

private:
    friend class SlotTable;
    SlotTable& m_slots;
};

} // namespace vrn
