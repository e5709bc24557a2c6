#pragma once

#include <QHash>
#include <QString>
#include <QWidget>

#include <initializer_list>
#include <span>

namespace vrn {

enum class ControlKind { Picture, Label, BoldLabel, Frame, ValueBox, Slider, OptionBox, Button };

// One row of a window's layout table; positions and sizes in twips.
struct ControlLayout
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
    // What a screen reader says for the control and how it describes it, marked with
    // QT_TRANSLATE_NOOP("Controls", ...) and translated when the control is built. Without a
    // name, labels and buttons speak their captions.
    const char* accessibleName = nullptr;
    const char* accessibleDescription = nullptr;
};

// Builds a window's controls from its layout table and gives typed access to them by name.
class FormBuilder
{
public:
    explicit FormBuilder(QWidget* client) : m_client(client) {}

    void add(std::span<const ControlLayout> controls);
    void add(std::initializer_list<ControlLayout> controls)
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
    // The focusable controls in the order of their tab indices.
    QList<QWidget*> tabOrder() const;

    // Fonts differ from system to system: a label whose text needs more room than its table
    // gives grows to the right or downwards, into free space only (never under another
    // control, never out of the window); where there is none, it keeps the table's size.
    void fitLabels() const;

    // Drawn frames lie lowest, on the window's background, then the labels, then the controls
    // the user works: a label's background never hides the edge of a box or an arrow that
    // reaches into it. Each group keeps the table's order.
    void stackControls() const;

    // Once every control is added: the labels' room, the stacking and the tab order.
    void finish() const
    {
        fitLabels();
        stackControls();
        applyTabOrder();
    }

private:
    QWidget* create(const ControlLayout& control);
    // Whether the area lies in the window and no control covers it but `except` and those
    // that already meet `alreadyMet`.
    bool isFree(const QRect& area, const QWidget* except, const QRect& alreadyMet = {}) const;

    QWidget* m_client;
    QHash<QString, QWidget*> m_widgets;
    QList<QPair<QWidget*, ControlKind>> m_controls; // in the table's order
    QList<QPair<int, QWidget*>> m_tabOrder;
};

} // namespace vrn
