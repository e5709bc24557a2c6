#pragma once

#include <QObject>
#include <QPointer>

#include <optional>

#include "ui/spin_slider.h"
#include "ui/value_box.h"

namespace vrn {

class SlotTable;

// How a row shows its code in its value box.
enum class RowDisplay {
    Current,        // floor(code x 2.93), mA or mV
    Seconds,        // code x 0.2 s
    TenMilliseconds // code x 10 msec
};

// What a row makes of a value typed into its box when the box loses the focus. A current box
// converts its text on every leave; a time box only when the user edited the text since the
// program last wrote it, so that passing through the box changes nothing.
enum class RowEntry {
    None,               // the box is never read
    Current,            // floor(v / 2.93) + 1
    CurrentWholeNumber, // v rounded to a whole number (halves to even) first
    Seconds,            // nearest whole number of v / 0.2
    Milliseconds        // nearest whole number of v / 10
};

// One adjustable quantity of a card window: a spin slider, its value box and its slot.
// Slider, box and slot are kept in agreement by the change rule and the leave rule.
class ParameterRow : public QObject
{
    Q_OBJECT
public:
    ParameterRow(SpinSlider* slider, ValueBox* box, SlotTable& slots, char letter,
                 RowDisplay display, RowEntry entry, QObject* parent = nullptr);

    SpinSlider* slider() const { return m_slider; }
    ValueBox* box() const { return m_box; }
    char letter() const { return m_letter; }
    int maximum() const;
    int code() const;

    // The box text for a code.
    QString displayText(int code) const;

    // Change rule: the box shows the code's value, then the slot takes the code.
    void runChangeRule();
    // Sets the slider's position; its change rule runs when the position moves.
    void setPosition(int position);

    // Leave rule: converts the typed value, clamps the code into the slider's range and
    // makes slider, box and slot agree. A text that is no number is refused: the box shows
    // the slider's value again and the slot holds the slider's code. While the slider is
    // disabled every entry is refused.
    void runLeaveRule();

    // The code a text would give if typed and left, before it is brought into the slider's
    // range; nothing for a text that is no number.
    std::optional<double> wantedCode(const QString& text) const;

    // A current read from the card: the box shows its value, the slider moves to it and the
    // slot ends holding its code.
    void applyCurrent(int code);

    // A time read from the card: the slot takes the plain number, the box shows its value
    // when asked to, and the slider moves to it; only a move turns the slot into a code.
    void applyTime(int code, bool showInBox);

private:
    void boxLeft();
    bool takesTime() const;
    void refuseEntry();
    double codeForEntry(double typed) const;

    QPointer<SpinSlider> m_slider;
    QPointer<ValueBox> m_box;
    SlotTable& m_slots;
    char m_letter;
    RowDisplay m_display;
    RowEntry m_entry;
};

} // namespace vrn
