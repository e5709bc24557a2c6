#include "value_box.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QFocusEvent>
#include <QMenu>
#include <QMenuBar>

namespace vrn {

// What a screen reader gets of a value box. Qt's own interface for a line edit writes the
// reader's text with setText(), as the program writes a box: the box is left unmodified, and
// the entry is never taken, not by a Send, not by leaving the box. Here the reader's edits go
// in as typing does; the rest is what Qt's interface tells.
class ValueBoxAccessible : public QAccessibleWidget,
                           public QAccessibleTextInterface,
                           public QAccessibleEditableTextInterface
{
public:
    explicit ValueBoxAccessible(ValueBox* box) : QAccessibleWidget(box, QAccessible::EditableText)
    {
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        if (type == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Value ? box()->text() : QAccessibleWidget::text(kind);
    }
    void setText(QAccessible::Text kind, const QString& text) override
    {
        if (kind == QAccessible::Value)
            replaceText(0, characterCount(), text);
        else
            QAccessibleWidget::setText(kind, text);
    }
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = !box()->isReadOnly();
        state.readOnly = box()->isReadOnly();
        state.selectableText = true;
        return state;
    }

    // The editable text: as typed, so the entry is pending until the box is left or a
    // command takes it.
    void deleteText(int start, int end) override { replaceText(start, end, QString()); }
    void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
    void replaceText(int start, int end, const QString& text) override
    {
        if (box()->isReadOnly())
            return;
        box()->setSelection(start, end - start);
        box()->insert(text);
    }

    // The text, its caret and its selection.
    void selection(int index, int* start, int* end) const override
    {
        *start = *end = 0;
        if (index == 0 && box()->hasSelectedText()) {
            *start = box()->selectionStart();
            *end = *start + box()->selectionLength();
        }
    }
    int selectionCount() const override { return box()->hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int index) override
    {
        if (index == 0)
            box()->deselect();
    }
    void setSelection(int index, int start, int end) override
    {
        if (index == 0)
            box()->setSelection(start, end - start);
    }
    int cursorPosition() const override { return box()->cursorPosition(); }
    void setCursorPosition(int position) override { box()->setCursorPosition(position); }
    QString text(int start, int end) const override
    {
        return box()->text().mid(start, end - start);
    }
    int characterCount() const override { return int(box()->text().size()); }
    // On the screen, measured from the caret, which follows the box's scrolling.
    QRect characterRect(int offset) const override
    {
        const QString character = text(offset, offset + 1);
        if (character.isEmpty())
            return {};
        const QFontMetrics metrics = box()->fontMetrics();
        const QString& all = box()->text();
        const QRect caret = box()->cursorRect();
        const int x = caret.center().x() -
                      metrics.horizontalAdvance(all.left(box()->cursorPosition())) +
                      metrics.horizontalAdvance(all.left(offset));
        return {box()->mapToGlobal(QPoint(x, caret.top())),
                QSize(metrics.horizontalAdvance(character), caret.height())};
    }
    int offsetAtPoint(const QPoint& point) const override
    {
        return box()->cursorPositionAt(box()->mapFromGlobal(point));
    }
    void scrollToSubstring(int start, int end) override
    {
        box()->setCursorPosition(end);
        box()->setCursorPosition(start);
    }
    QString attributes(int offset, int* start, int* end) const override
    {
        *start = *end = offset;
        return {};
    }

private:
    ValueBox* box() const { return static_cast<ValueBox*>(widget()); }
};

namespace {

QAccessibleInterface* valueBoxAccessible(const QString&, QObject* object)
{
    if (auto* box = qobject_cast<ValueBox*>(object))
        return new ValueBoxAccessible(box);
    return nullptr;
}

} // namespace

ValueBox::ValueBox(QWidget* parent) : QLineEdit(parent)
{
    static const bool accessible = [] {
        QAccessible::installFactory(valueBoxAccessible);
        return true;
    }();
    Q_UNUSED(accessible);
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
