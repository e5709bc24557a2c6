#pragma once

#include <QHash>
#include <QString>
#include <QWidget>

#include <initializer_list>
#include <span>

namespace vrn {

enum class ControlKind { Picture, Label, BoldLabel, Frame, ValueBox, Slider, OptionBox, Button };

// One row of a window's layout table; positions and sizes in twips.
struct ControlSpec
{
    const char* name;
    ControlKind kind;
    const char* caption = ""; // label text, button caption or a value box's initial text
    int left;
    int top;
    int width;
    int height;
    int tabIndex = -1; // focus order among the focusable controls; -1 for none
    int maximum = 0;   // sliders only
    int position = 0;  // sliders only: initial position
};

// Builds a window's controls from its layout table and gives typed access to them by name.
class FormBuilder
{
public:
    explicit FormBuilder(QWidget* client) : m_client(client) {}

    void add(std::span<const ControlSpec> controls);
    void add(std::initializer_list<ControlSpec> controls)
    {
        add(std::span(controls.begin(), controls.size()));
    }

    template <class Widget> Widget* get(const char* name) const
    {
        auto* widget = qobject_cast<Widget*>(m_widgets.value(QLatin1String(name)));
        Q_ASSERT_X(widget, "FormBuilder::get", name);
        return widget;
    }

    // Chains the focusable controls in the order of their tab indices.
    void applyTabOrder() const;

    // Gives every option box, value box and spin slider the accessible name and description
    // that a screen reader speaks, taken from the labels around it: an option box is named after
    // its group's heading and the label to its right ("PWM (3) 300 Hz"), a value box after the
    // labels of its row ("I Max (mA)") and its spin slider likewise ("I Max (mA) up/down"); the
    // heading of the frame around a control is its description. Names set before are kept.
    void nameControls() const;

    // Once every control is added: the tab order, then the accessible names.
    void finish() const
    {
        applyTabOrder();
        nameControls();
    }

private:
    // A control as the layout table places it, in twips.
    struct Placed
    {
        ControlKind kind;
        int left;
        int top;
        int width;
        int height;
        QWidget* widget;
        int right() const { return left + width; }
        int bottom() const { return top + height; }
    };

    enum class Side { Above, Left, Right };

    QWidget* create(const ControlSpec& control);
    const Placed* frameAround(const Placed& control) const;
    QString headingOf(const Placed* frame) const;
    QString optionGroupOf(const Placed& box, const Placed* frame) const;
    QString labelNear(const Placed& control, const Placed* frame, Side side) const;
    bool isLabelBesideOption(const Placed& label) const;
    bool isCaptionUnderControl(const Placed& label) const;

    QWidget* m_client;
    QHash<QString, QWidget*> m_widgets;
    QList<QPair<int, QWidget*>> m_tabOrder;
    QList<Placed> m_placed;
};

} // namespace vrn
