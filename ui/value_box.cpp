#include "ui/value_box.h"

#include <QFocusEvent>

namespace vrn {

ValueBox::ValueBox(QWidget* parent) : QLineEdit(parent)
{
    setMaxLength(kValueBoxMaxLength);
    connect(this, &QLineEdit::textChanged, this, &ValueBox::typed);
}

void ValueBox::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason)
        return;
    if (!window()->isVisible())
        return; // the window is closing: no rule runs any more
    Q_EMIT left();
}

} // namespace vrn
