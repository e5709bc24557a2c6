#pragma once

#include <QObject>
#include <QPointer>

#include <optional>

#include "card_description.h"
#include "spin_slider.h"
#include "value_box.h"

namespace vrn {

class SlotTable;

// One adjustable quantity of a card window: a spin slider, its value box and its slot.
// Slider, box and slot are kept in agreement by the change rule and the leave rule. The box
// shows a code in the value's unit (without the unit's name) and takes typed values by the
// value's entry rule; every box takes its text only when the user edited it since the box last
// took an entry or the program wrote it, so that passing through a box changes nothing.
class ParameterRow : public QObject
{
    Q_OBJECT
public:
    // `writer` tags the row's writes to its slot (the window's card model); `value` gives the
    // slot's letter, the unit and the entry rule.
    ParameterRow(SpinSlider* slider, ValueBox* box, SlotTable& slots, int writer,
                 const CardValue& value, QObject* parent = nullptr);

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

    // How a box text is read. A typed current is floor(v / 2.93) + 1 steps, so that a typed
    // value gives the smallest code shown not below it; 293 mA typed is code 101. A current
    // saved in a file is the text a box showed: 293 mA is what code 100 shows, and loads as 100.
    enum class Reading { Typed, Shown };

    // Leave rule: converts the typed value, clamps the code into the slider's range and
    // makes slider, box and slot agree. A text that is no number is refused: the box shows
    // the slider's value again and the slot holds the slider's code. While the slider is
    // disabled every entry is refused.
    void runLeaveRule(Reading reading = Reading::Typed);

    // The code a text would give if typed and left, before it is brought into the slider's
    // range; nothing for a text that is no number.
    std::optional<double> wantedCode(const QString& text, Reading reading = Reading::Typed) const;

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
    double codeForEntry(double typed, Reading reading) const;

    QPointer<SpinSlider> m_slider;
    QPointer<ValueBox> m_box;
    SlotTable& m_slots;
    int m_writer;
    char m_letter;
    ValueUnit m_unit;
    EntryRule m_entry;
};

} // namespace vrn
