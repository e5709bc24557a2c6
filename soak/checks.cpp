#include "runner.h"

#include "option_box.h"
#include "spin_slider.h"
#include "value_box.h"

#include <cmath>
#include <optional>

namespace vrn::soak {

void Soak::violation(const QString& kind, const QString& text)
{
    constexpr int kExamplesPerKind = 3;
    const QString counted =
        m_lateAnswerOnLine ? kind + QStringLiteral(" (a late answer was on the line)") : kind;
    ++m_report.violationCount;
    if (++m_report.violationsByKind[counted] <= kExamplesPerKind)
        m_report.violations.append(text);
    if (m_options.trace)
        m_options.trace(QStringLiteral("  violation: ") + text);
}

QStringList Soak::controlStates() const
{
    QStringList states;
    for (const Window& window : m_windows) {
        const QString prefix = QLatin1String(window.model->name) + QLatin1Char('.');
        for (QWidget* child : window.widget->findChildren<QWidget*>()) {
            QString state;
            if (auto* slider = qobject_cast<SpinSlider*>(child))
                state = QString::number(slider->value()) + (slider->isEnabled() ? "" : " off");
            else if (auto* box = qobject_cast<OptionBox*>(child))
                state = box->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
            else if (auto* text = qobject_cast<ValueBox*>(child))
                state = QLatin1Char('"') + text->text() + QLatin1Char('"');
            else
                continue;
            states.append(prefix + child->objectName() + QLatin1Char('=') + state);
        }
    }
    states.sort();
    return states;
}

std::map<char, int> Soak::memory()
{
    std::map<char, int> values;
    for (char letter : kMemoryLetters)
        values[letter] = m_card.parameter(letter);
    return values;
}

// A failed Send may have brought slots to five digits; it changes nothing else.
void Soak::checkFailedSend(const QString& where, const SlotTable& slotsBefore,
                           const QStringList& controlsBefore)
{
    for (char letter : SlotTable::kLetters) {
        const SlotValue& now = m_station.slots.value(letter);
        const SlotValue& before = slotsBefore.value(letter);
        if (now != before && now != paddedValue(before))
            violation(QStringLiteral("failed Send changed a slot"),
                      where + QStringLiteral(": slot %1 went from %2 to %3")
                                  .arg(QLatin1Char(letter))
                                  .arg(describe(before), describe(now)));
    }
    if (controlStates() != controlsBefore)
        violation(QStringLiteral("failed Send changed controls"),
                  where + QStringLiteral(": the failed Send changed controls"));
}

// A refused or failed Read changes no slot and no control.
void Soak::checkFailedRead(const QString& where, const QString& outcome,
                           const SlotTable& slotsBefore, const QStringList& controlsBefore)
{
    QStringList changed;
    for (char letter : SlotTable::kLetters) {
        if (m_station.slots.value(letter) != slotsBefore.value(letter))
            changed << QStringLiteral("slot %1: %2 -> %3")
                           .arg(QLatin1Char(letter))
                           .arg(describe(slotsBefore.value(letter)),
                                describe(m_station.slots.value(letter)));
    }
    for (const QString& state : controlStates()) {
        if (!controlsBefore.contains(state))
            changed << state;
    }
    if (!changed.isEmpty())
        violation(QStringLiteral("failed Read changed slots or controls"),
                  where + QStringLiteral(": the Read ended \"%1\" but changed %2")
                              .arg(outcome, changed.join(u", ")));
}

void Soak::checkSend(const Plan& plan, const QString& where, const SlotTable& slotsBefore,
                     const std::map<char, int>& memoryBefore)
{
    const WindowModel& model = *m_windows[plan.window].model;
    const sim::Card& card = m_card;

    // Slots: the padded ones brought to five digits, the others as they were.
    SlotTable expectedSlots = slotsBefore;
    for (const FrameItem& item : model.frames) {
        if (!item.fixed && item.padded)
            expectedSlots.set(item.letter, paddedValue(slotsBefore.value(item.letter)));
    }
    for (char letter : SlotTable::kLetters) {
        if (m_station.slots.value(letter) != expectedSlots.value(letter))
            violation(QStringLiteral("Send left a slot other than due"),
                      where + QStringLiteral(": slot %1 holds %2 after the Send, %3 was due")
                                  .arg(QLatin1Char(letter))
                                  .arg(describe(m_station.slots.value(letter)),
                                       describe(expectedSlots.value(letter))));
    }

    // The frames on the wire, in order, each with the shape of a command frame.
    const std::vector<QByteArray> frames = expectedFrames(model, m_station.slots);
    const QList<QByteArray> received = card.framesReceived();
    if (received != QList<QByteArray>(frames.begin(), frames.end()))
        violation(QStringLiteral("Send put other frames on the wire"),
                  where + QStringLiteral(": the card received %1, %2 was due")
                              .arg(QString::fromLatin1(received.join(' ')),
                                   QString::fromLatin1(
                                       QByteArrayList(frames.begin(), frames.end()).join(' '))));
    for (const QByteArray& frame : received) {
        if (!isCommandFrame(frame))
            violation(QStringLiteral("malformed command frame"),
                      where + QStringLiteral(": \"%1\" is not a command frame (a letter, five "
                                             "digits or none, \"$\")")
                                  .arg(QString::fromLatin1(frame)));
    }

    // The card's memory: the slot's code for every letter sent from a slot, zero for a fixed
    // frame, unchanged for an empty slot.
    for (const FrameItem& item : model.frames) {
        const char letter = item.fixed ? item.fixed[0] : item.letter;
        if (letter == 'z' || letter == 'I')
            continue;
        int due = 0;
        if (item.fixed) {
            due = QByteArray(item.fixed).mid(1, 5).toInt();
        } else {
            const std::optional<double> number = slotNumber(m_station.slots.value(letter));
            due = number ? static_cast<int>(*number) : memoryBefore.at(letter);
            if (!number && *item.prefix)
                due = QByteArray(item.prefix).toInt(); // "a0000$" sets the reference to 0
        }
        if (card.parameter(letter) != due)
            violation(QStringLiteral("card memory differs from the slots after a Send"),
                      where + QStringLiteral(": the card holds %1 for %2 after the Send, the "
                                             "slot holds %3")
                                  .arg(card.parameter(letter))
                                  .arg(QLatin1Char(letter))
                                  .arg(describe(m_station.slots.value(letter))));
    }
}

void Soak::checkRead(const Plan& plan, const QString& where, const QStringList& controlsBefore)
{
    const Window& window = m_windows[plan.window];
    const WindowModel& model = *window.model;
    const sim::Card& card = m_card;
    if (card.framesReceived() != QList<QByteArray>{"w$"})
        violation(QStringLiteral("Read put other frames on the wire"),
                  where + QStringLiteral(": the card received %1 for a Read")
                              .arg(QString::fromLatin1(card.framesReceived().join(' '))));

    const auto control = [&window](const QString& name) -> QWidget* {
        return window.widget->findChild<QWidget*>(name);
    };
    bool rampsOn = false;
    for (const ReadItem& item : model.reads) {
        const int value = item.lowPosition ? 256 * replyField(plan, item.position) +
                                                 replyField(plan, item.lowPosition)
                                           : replyField(plan, item.position);
        const QString what =
            QStringLiteral("%1 (reply %2)").arg(QLatin1Char(item.letter)).arg(value);
        const std::optional<double> held = slotNumber(m_station.slots.value(item.letter));
        if (!held || *held != value)
            violation(QStringLiteral("Read left a slot other than the card's value"),
                      where + QStringLiteral(": slot %1 holds %2 after the Read")
                                  .arg(what, describe(m_station.slots.value(item.letter))));
        if (item.maximum < 0) {
            // An option: a known value marks its box (and in an exclusive group clears the
            // others); an unknown one leaves every mark as it was.
            const int index = value - item.firstOption;
            const bool known = index >= 0 && index < item.options.size();
            for (int i = 0; i < item.options.size(); ++i) {
                const QString& name = item.options[i];
                auto* box = qobject_cast<OptionBox*>(control(name));
                bool due = controlsBefore.contains(QLatin1String(model.name) + u'.' + name +
                                                   QStringLiteral("=1"));
                if (known)
                    due = i == index || (due && !item.exclusive);
                if (!box || box->isChecked() != due)
                    violation(QStringLiteral("Read left an option mark wrong"),
                              where + QStringLiteral(": %1 is %2 for %3")
                                          .arg(name,
                                               box && box->isChecked() ? QStringLiteral("marked")
                                                                       : QStringLiteral("clear"),
                                               what));
            }
            continue;
        }
        auto* slider = qobject_cast<SpinSlider*>(control(QLatin1String(item.slider)));
        if (!slider || slider->value() != item.maximum - value)
            violation(QStringLiteral("Read left a slider other than the card's value"),
                      where + QStringLiteral(": %1 stands at %2 for %3")
                                  .arg(QLatin1String(item.slider))
                                  .arg(slider ? slider->value() : -1)
                                  .arg(what));
        if (*item.box) {
            auto* box = qobject_cast<ValueBox*>(control(QLatin1String(item.box)));
            const QString due = QString::number(std::floor(value * item.boxFactor), 'f', 0);
            if (!box || box->text() != due)
                violation(QStringLiteral("Read left a box other than the card's value"),
                          where + QStringLiteral(": %1 shows \"%2\" for %3, \"%4\" was due")
                                      .arg(QLatin1String(item.box), box ? box->text() : QString(),
                                           what, due));
        }
        if (item.letter == 'C' || item.letter == 'D')
            rampsOn = rampsOn || value != 0;
    }
    if (auto* enable = qobject_cast<OptionBox*>(control(QStringLiteral("Check13")));
        enable && QLatin1String(model.name) == QLatin1String("VRN-A") &&
        enable->isChecked() != rampsOn)
        violation(QStringLiteral("Read left Enable Ramps wrong"),
                  where + QStringLiteral(": \"Enable Ramps\" does not follow the ramps read"));
}

} // namespace vrn::soak
