#include "slot_table.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace vrn {

QString slotText(const SlotValue& value)
{
    if (const auto* text = std::get_if<QString>(&value))
        return *text;
    if (const auto* number = std::get_if<double>(&value))
        return classicNumberText(*number);
    return {};
}

SlotValue padded(const SlotValue& value)
{
    if (std::holds_alternative<std::monostate>(value))
        return value;
    const QString text = slotText(value);
    if (text.size() >= 1 && text.size() <= 4)
        return QString(5 - text.size(), QLatin1Char('0')) + text;
    return text;
}

QString parameterCode(int code)
{
    return std::get<QString>(padded(static_cast<double>(code)));
}

QByteArray commandFrame(char letter, const SlotValue& value, const QByteArray& prefix)
{
    QByteArray frame(1, letter);
    frame += prefix;
    frame += slotText(value).toLatin1();
    frame += '$';
    return frame;
}

bool SlotTable::isSlotLetter(char letter)
{
    return std::find(kLetters.begin(), kLetters.end(), letter) != kLetters.end();
}

std::size_t SlotTable::indexOf(char letter)
{
    const auto it = std::find(kLetters.begin(), kLetters.end(), letter);
    if (it == kLetters.end())
        throw std::out_of_range("no parameter slot for this letter");
    return static_cast<std::size_t>(it - kLetters.begin());
}

const SlotValue& SlotTable::value(char letter) const
{
    return m_values[indexOf(letter)];
}

void SlotTable::set(char letter, SlotValue value, int writer)
{
    m_values[indexOf(letter)] = std::move(value);
    m_writers[indexOf(letter)] = writer;
    if (m_watch)
        Q_EMIT m_watch->written(letter);
}

int SlotTable::writer(char letter) const
{
    return m_writers[indexOf(letter)];
}

void SlotTable::pad(char letter)
{
    auto& slot = m_values[indexOf(letter)];
    slot = padded(slot);
    if (m_watch)
        Q_EMIT m_watch->written(letter);
}

SlotWatch::SlotWatch(SlotTable& slots, QObject* parent) : QObject(parent), m_slots(slots)
{
    Q_ASSERT_X(!slots.m_watch, "SlotWatch", "one watch per slot table");
    m_slots.m_watch = this;
}

SlotWatch::~SlotWatch()
{
    m_slots.m_watch = nullptr;
}

} // namespace vrn
