#include "ui/value_box.h"

#include <QApplication>
#include <QFocusEvent>
#include <QMenu>
#include <QMenuBar>

namespace vrn {

ValueBox::ValueBox(QWidget* parent) : QLineEdit(parent)
{
    setMaxLength(kValueBoxMaxLength);
    connect(this, &QLineEdit::textChanged, this, &ValueBox::typed);
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { focusMoved(now); });
}

void ValueBox::applyPendingEntry()
{
    if (isModified())
        Q_EMIT left();
}

void ValueBox::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    switch (event->reason()) {
    case Qt::PopupFocusReason:        // a menu or a box's own context menu opened
    case Qt::MenuBarFocusReason:      // Alt, Alt+letter: the menu bar took the keyboard
    case Qt::ActiveWindowFocusReason: // another window was activated
        m_steppedAside = true;
        return;
    default:
        leave();
    }
}

void ValueBox::focusMoved(QWidget* now)
{
    if (!m_steppedAside || !now)
        return;
    if (now == this) {
        m_steppedAside = false; // back from the menu or the other window: not left
        return;
    }
    // From the menu bar straight to another control of this window (a click on a button
    // while the menu bar holds the keyboard, for instance): the box is left now, before that
    // control acts.
    if (now->window() != window() || qobject_cast<QMenuBar*>(now) || qobject_cast<QMenu*>(now))
        return;
    leave();
}

void ValueBox::leave()
{
    m_steppedAside = false;
    if (!window()->isVisible())
        return; // the window is closing: no rule runs any more
    Q_EMIT left();
}

} // namespace vrn
