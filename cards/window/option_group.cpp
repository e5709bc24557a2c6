#include "option_group.h"

#include "option_box.h"

namespace vrn {

OptionGroup::OptionGroup(SlotTable& slots, int writer, char letter, std::vector<Choice> choices,
                         QObject* parent)
    : QObject(parent), m_slots(slots), m_writer(writer), m_letter(letter),
      m_choices(std::move(choices))
{
    for (int i = 0; i < size(); ++i)
        connect(box(i), &OptionBox::toggled, this, [this, i] { runClickAction(i); });
}

void OptionGroup::runClickAction(int index)
{
    m_slots.set(m_letter, m_choices.at(index).stored, m_writer);
    if (m_afterClick)
        m_afterClick(index);
}

std::optional<int> OptionGroup::markedNumber() const
{
    std::optional<int> marked;
    for (const Choice& choice : m_choices) {
        if (!choice.box->isChecked())
            continue;
        if (marked)
            return std::nullopt; // several marks: the boxes do not say which counts
        marked = choice.number;
    }
    return marked;
}

int OptionGroup::indexOf(double number) const
{
    for (int i = 0; i < size(); ++i) {
        if (m_choices[i].number == number)
            return i;
    }
    return -1;
}

void OptionGroup::applyRead(double number)
{
    m_slots.setNumber(m_letter, number, m_writer);
    const int index = indexOf(number);
    if (index < 0)
        return;
    box(index)->setChecked(true);
    runClickAction(index);
}

void OptionGroup::applyLoaded(double number)
{
    m_slots.setNumber(m_letter, number, m_writer);
    const int index = indexOf(number);
    if (index >= 0)
        box(index)->setChecked(true);
}

std::vector<OptionGroup::Choice> pwmChoices(const std::vector<OptionBox*>& boxes)
{
    std::vector<OptionGroup::Choice> choices;
    for (int i = 0; i < static_cast<int>(boxes.size()); ++i)
        choices.push_back({boxes[i], i + 1, parameterCode(i + 1)});
    return choices;
}

} // namespace vrn
