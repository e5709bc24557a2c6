#pragma once

#include <QLineEdit>

namespace vrn {

// The most characters a value box takes. Parameter files keep box texts: a bound on the texts
// keeps every file a window saves within what Open reads.
constexpr int kValueBoxMaxLength = 100;

// A single-line value box. left() is the leave rule's trigger: the focus moved to another
// control of the same window (tabbing, or clicking an arrow, a box or a button, before that
// control acts). Opening a menu, by mouse or keyboard (Alt, Alt+letter), or activating another
// window does not count: the box stays the window's current control, and is left only when the
// focus goes on from there to another control of the window. typed() is the typing rule's
// trigger: any change of the text, by the user or by code. isModified() tells whether the user
// edited the text (typed, pasted, deleted) since the program last set it or an entry was taken
// from it: the entry that leaving the box would apply is still pending. A screen reader that
// writes the text (AT-SPI's editable text) edits it as typing does.
class ValueBox : public QLineEdit
{
    Q_OBJECT
public:
    explicit ValueBox(QWidget* parent = nullptr);

    // Applies a pending entry as leaving the box would, for a command that acts on what the
    // window holds while the box keeps the focus (a shortcut, a menu command).
    void applyPendingEntry();

Q_SIGNALS:
    void left();
    void typed();

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    friend class ValueBoxAccessible;

    void focusMoved(QWidget* now);
    void leave();

    bool m_steppedAside = false; // the focus went to a menu or another window
};

} // namespace vrn
