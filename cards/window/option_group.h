#pragma once

#include "slot_table.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <optional>
#include <vector>

namespace vrn {

class OptionBox;

// A column of option boxes writing one slot. A click stores the box's value whatever it did
// to the box's own mark; the boxes never clear one another.
class OptionGroup : public QObject
{
    Q_OBJECT
public:
    struct Choice
    {
        OptionBox* box;
        int number;       // the value the card and the files use for this box
        SlotValue stored; // what the click action writes into the slot
    };

    // `writer` tags the group's writes to its slot (the window's card model).
    OptionGroup(SlotTable& slots, int writer, char letter, std::vector<Choice> choices,
                QObject* parent = nullptr);

    // Runs after the click action of box `index` has stored its value (a coil preset).
    void setAfterClick(std::function<void(int index)> afterClick)
    {
        m_afterClick = std::move(afterClick);
    }

    // The click action of box `index`, run explicitly.
    void runClickAction(int index);

    char letter() const { return m_letter; }
    // The number of the one box that shows a mark; nothing when none or several do.
    std::optional<int> markedNumber() const;

    // The box for a number, or -1.
    int indexOf(double number) const;
    OptionBox* box(int index) const { return m_choices.at(index).box; }
    int size() const { return static_cast<int>(m_choices.size()); }

    // A value read from the card: the slot takes the number; a matching box is marked (its
    // click action runs if the mark changes) and its click action then runs once more.
    void applyRead(double number);

    // A value loaded from a file: the slot takes the number; a matching box is marked, and
    // only a change of its mark runs the click action (an already marked box leaves the slot
    // holding the plain number).
    void applyLoaded(double number);

private:
    SlotTable& m_slots;
    int m_writer;
    char m_letter;
    std::vector<Choice> m_choices;
    std::function<void(int)> m_afterClick;
};

// The five PWM frequency boxes Check7 to Check11, writing "00001" to "00005" into slot B.
std::vector<OptionGroup::Choice> pwmChoices(const std::vector<OptionBox*>& boxes);

} // namespace vrn
