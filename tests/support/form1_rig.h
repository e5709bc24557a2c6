#pragma once

// A VRN-A window with its own slots, link, file dialog and notices, and a compact way to state
// what the window and the slots should show.

#include "card_context.h"
#include "card_station.h"
#include "file_dialog_state.h"
#include "form1.h"
#include "link.h"
#include "notices.h"
#include "option_box.h"
#include "simulated_transport.h"
#include "slot_table.h"
#include "spin_slider.h"
#include "value_box.h"

#include <QTest>

#include <functional>

namespace vrn::test {

struct Form1Rig
{
    sim::Card card; // the card behind the simulated line, outliving the link
    CardStation station;
    SlotTable& slots = station.slots;
    Link& link = station.link;
    FileDialogState& files = station.files;
    Notices& notices = station.notices;
    CardContext& context = station.context;
    Form1 window{context};

    Form1Rig() { notices.setShowWindows(false); }

    template <class Widget = QWidget> Widget* get(const QString& name)
    {
        auto* widget = window.findChild<Widget*>(name);
        if (!widget)
            qFatal("no control %s", qPrintable(name));
        return widget;
    }
    void click(const QString& box) { get<OptionBox>(box)->click(); }
    void upperArrow(const QString& slider)
    {
        get<SpinSlider>(slider)->triggerAction(QAbstractSlider::SliderSingleStepSub);
    }
    void position(const QString& slider, int value) { get<SpinSlider>(slider)->setValue(value); }
    // Types into a value box and lets it lose the focus (its leave rule runs).
    void enter(const QString& box, const QString& text)
    {
        get<ValueBox>(box)->setText(text);
        get<ValueBox>(box)->setModified(true); // as the user's typing leaves it
        Q_EMIT get<ValueBox>(box)->left();
    }

    // One control or slot as text: a one-letter key is a slot ("\"00188\"" for a code, "7"
    // for a plain number, "" when empty); a slider gives its position (" off" when disabled),
    // an option box 1 or 0, a value box its text.
    QString state(const QString& key)
    {
        if (key.size() == 1) {
            const SlotValue& value = slots.value(key.at(0).toLatin1());
            if (std::holds_alternative<QString>(value))
                return u'"' + slotText(value) + u'"';
            return slotText(value);
        }
        QWidget* widget = get(key);
        if (auto* slider = qobject_cast<SpinSlider*>(widget))
            return QString::number(slider->value()) + (slider->isEnabled() ? "" : " off");
        if (auto* box = qobject_cast<OptionBox*>(widget))
            return box->isChecked() ? "1" : "0";
        return qobject_cast<ValueBox*>(widget)->text();
    }

    // Compares "Name=value; Name=value" against the window and the slots.
    void expect(const QString& expected)
    {
        for (const QString& pair : expected.split(u';', Qt::SkipEmptyParts)) {
            const QString key = pair.section(u'=', 0, 0).trimmed();
            const QString want = pair.section(u'=', 1);
            if (state(key) != want)
                QFAIL(qPrintable(
                    QStringLiteral("%1 is \"%2\", expected \"%3\"").arg(key, state(key), want)));
        }
    }
};

using Setup = std::function<void(Form1Rig&)>;

} // namespace vrn::test

Q_DECLARE_METATYPE(vrn::test::Setup)
