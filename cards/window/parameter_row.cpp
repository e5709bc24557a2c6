#include "parameter_row.h"

#include "number_rules.h"
#include "slot_table.h"
#include "spin_slider.h"
#include "value_box.h"

#include <algorithm>
#include <cmath>

namespace vrn {

ParameterRow::ParameterRow(SpinSlider* slider, ValueBox* box, SlotTable& slots, int writer,
                           const CardValue& value, QObject* parent)
    : QObject(parent), m_slider(slider), m_box(box), m_slots(slots), m_writer(writer),
      m_letter(value.letter), m_unit(value.unit), m_entry(value.entry)
{
    connect(m_slider, &SpinSlider::valueChanged, this, &ParameterRow::runChangeRule);
    if (m_entry != EntryRule::None)
        connect(m_box, &ValueBox::left, this, &ParameterRow::boxLeft);
}

int ParameterRow::maximum() const
{
    return m_slider->maximum();
}

int ParameterRow::code() const
{
    return m_slider->code();
}

QString ParameterRow::displayText(int code) const
{
    switch (m_unit) {
    case ValueUnit::Milliamps:
    case ValueUnit::Millivolts:
        return QString::number(displayCurrent(code));
    case ValueUnit::Seconds:
        return boxNumberText(code * kSecondsPerStep);
    case ValueUnit::TenMilliseconds:
        return QString::number(code * kMillisecondsPerStep);
    case ValueUnit::PwmChoice:
    case ValueUnit::CoilRange:
    case ValueUnit::ReferenceInput:
        break; // options have no value box
    }
    return {};
}

void ParameterRow::runChangeRule()
{
    const int current = code();
    m_box->setText(displayText(current)); // the box is written before the slot
    m_slots.setCode(m_letter, current, m_writer);
}

void ParameterRow::setPosition(int position)
{
    m_slider->setValue(position);
}

double ParameterRow::codeForEntry(double typed, Reading reading) const
{
    const auto current = [this, reading](double value) {
        const double code = currentToCode(value);
        // The code one lower shows exactly this value: 0 and the multiples of 100 steps.
        if (reading == Reading::Shown && code >= 1.0 && code - 1.0 <= maximum() &&
            displayCurrent(static_cast<int>(code) - 1) == value)
            return code - 1.0;
        return code;
    };
    switch (m_entry) {
    case EntryRule::None:
        break;
    case EntryRule::Current:
        return current(typed);
    case EntryRule::CurrentWholeNumber:
        return current(roundHalfEven(typed));
    case EntryRule::Seconds:
        return timeToCode(typed, kSecondsPerStep);
    case EntryRule::Milliseconds:
        return timeToCode(typed, kMillisecondsPerStep);
    }
    return code();
}

void ParameterRow::refuseEntry()
{
    m_box->setText(displayText(code()));
    m_slots.setCode(m_letter, code(), m_writer);
}

std::optional<double> ParameterRow::wantedCode(const QString& text, Reading reading) const
{
    const std::optional<double> typed = parseBoxNumber(text);
    if (!typed)
        return std::nullopt;
    return codeForEntry(*typed, reading);
}

bool ParameterRow::takesTime() const
{
    return m_entry == EntryRule::Seconds || m_entry == EntryRule::Milliseconds;
}

void ParameterRow::boxLeft()
{
    // A box may show a text that does not convert back to its code (its initial "0", a
    // multiple of 100 mA, a time after a Read that did not move its slider): passing through it
    // without typing must not turn that text into another code.
    if (!m_box->isModified())
        return;
    runLeaveRule();
    m_box->setModified(false); // taken: leaving the box again changes nothing
}

void ParameterRow::runLeaveRule(Reading reading)
{
    const std::optional<double> entry = wantedCode(m_box->text(), reading);
    if (!entry || !m_slider->isEnabled()) {
        refuseEntry();
        return;
    }
    const double wanted = *entry;
    const int c = static_cast<int>(std::clamp(wanted, 0.0, static_cast<double>(maximum())));
    m_slider->setValue(maximum() - c);      // runs the change rule when the position moves
    m_slots.setCode(m_letter, c, m_writer); // also when it did not
    // A current keeps its text as typed when it lands on the slider's code; a clamped value
    // and a time always show what the slider holds.
    if (takesTime() || wanted != c)
        m_box->setText(displayText(c));
}

void ParameterRow::applyCurrent(int value)
{
    m_slots.setNumber(m_letter, value, m_writer);
    m_box->setText(QString::number(displayCurrent(value)));
    m_slider->setValue(maximum() - value);
    m_slots.setCode(m_letter, value, m_writer);
}

void ParameterRow::applyTime(int value, bool showInBox)
{
    m_slots.setNumber(m_letter, value, m_writer);
    if (showInBox)
        m_box->setText(displayText(value));
    m_slider->setValue(maximum() - value);
}

} // namespace vrn
