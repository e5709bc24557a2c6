#include "status_line.h"

#include "graphical_button.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QCoreApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QPainter>
#include <QTextLayout>
#include <QToolButton>

#include <cmath>

namespace vrn {

// One part of the status line: its whole text, broken into lines at the width it is given (at a
// blank where there is one, anywhere in a long port name). A screen reader reads the text as the
// part's name and hears every change of it.
class StatusText : public QLabel
{
public:
    explicit StatusText(QWidget* parent) : QLabel(parent)
    {
        QSizePolicy policy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        policy.setHeightForWidth(true);
        setSizePolicy(policy);
    }

    void setFullText(const QString& text)
    {
        const QString before = this->text();
        if (text == before)
            return;
        setText(text);                    // tells a screen reader of the new name
        parentWidget()->updateGeometry(); // the line may need another height for it
        QAccessibleTextUpdateEvent changed(this, 0, before, text);
        QAccessible::updateAccessibility(&changed);
    }

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override
    {
        if (text().isEmpty())
            return fontMetrics().height(); // an empty part keeps its line
        QTextLayout layout(text(), font(), const_cast<StatusText*>(this));
        return int(std::ceil(lay(layout, width, QFontMetricsF(font(), this))));
    }
    QSize sizeHint() const override
    {
        return {fontMetrics().horizontalAdvance(text()), fontMetrics().height()};
    }
    QSize minimumSizeHint() const override { return {0, fontMetrics().height()}; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setPen(palette().color(foregroundRole()));
        QTextLayout layout(text(), font(), this);
        lay(layout, width(), QFontMetricsF(font(), this));
        layout.draw(&painter, QPointF(0, 0));
    }

private:
    // Lays the text out in lines of `width`, spaced as the font's metrics space them and each
    // on whole pixels; returns the height they take.
    static qreal lay(QTextLayout& layout, int width, const QFontMetricsF& metrics)
    {
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        qreal height = 0;
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            if (line.lineNumber() > 0)
                height += std::ceil(metrics.leading());
            line.setLineWidth(std::max(width, 1));
            line.setPosition(QPointF(0, height));
            height += std::ceil(std::max(line.height(), metrics.height())); // on whole pixels
        }
        layout.endLayout();
        return height;
    }
};

namespace {

// The parts and the commands, as high as the parts' texts need at the window's width.
class StatusPanel : public QWidget
{
public:
    explicit StatusPanel(QWidget* parent) : QWidget(parent) {}

    QSize sizeHint() const override
    {
        const int height = layout()->heightForWidth(layoutWidth());
        return {layout()->minimumSize().width(),
                height >= 0 ? height : layout()->sizeHint().height()};
    }
    QSize minimumSizeHint() const override { return sizeHint(); }
    // Its height follows from the window's fixed width alone.
    bool hasHeightForWidth() const override { return false; }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QWidget::resizeEvent(event);
        if (height() != sizeHint().height())
            updateGeometry(); // the texts need another height at this width
    }

private:
    // Before the window is first shown, the width the line will have: the client area's.
    int layoutWidth() const
    {
        if (window()->isVisible())
            return width();
        const auto* window = qobject_cast<const QMainWindow*>(this->window());
        return window && window->centralWidget() ? window->centralWidget()->width() : width();
    }
};

QMenu* menuOf(const QToolButton* button)
{
    if (button->menu())
        return button->menu();
    return button->defaultAction() ? button->defaultAction()->menu<QMenu*>() : nullptr;
}

// A status-line command: Return presses it as Space does, and opens its menu if it has one.
class CommandButton : public QToolButton
{
public:
    explicit CommandButton(QWidget* parent) : QToolButton(parent) {}

    void press()
    {
        if (menuOf(this))
            showMenu();
        else
            click();
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (pressesButton(*event)) {
            press();
            return;
        }
        QToolButton::keyPressEvent(event);
    }
};

// What a screen reader gets of a command: a button it can press, or one that opens a menu
// whose items are its child, open or not.
class CommandAccessible : public QAccessibleWidget
{
public:
    explicit CommandAccessible(CommandButton* button)
        : QAccessibleWidget(button,
                            menuOf(button) ? QAccessible::ButtonMenu : QAccessible::PushButton)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        // The name and the description (the tool tip) are the widget's own.
        const QAction* action = button()->defaultAction();
        if (kind == QAccessible::Accelerator && action)
            return shortcutText(action);
        return QAccessibleWidget::text(kind);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.hasPopup = menuOf(button()) != nullptr;
        state.pressed = button()->isDown();
        return state;
    }

    int childCount() const override { return menuOf(button()) ? 1 : 0; }
    QAccessibleInterface* child(int index) const override
    {
        QMenu* menu = menuOf(button());
        return index == 0 && menu ? QAccessible::queryAccessibleInterface(menu) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        QMenu* menu = menuOf(button());
        return child && menu && child->object() == menu ? 0 : -1;
    }

    QStringList actionNames() const override
    {
        if (!button()->isEnabled())
            return {};
        return {menuOf(button()) ? showMenuAction() : pressAction()};
    }
    void doAction(const QString& name) override
    {
        if (!button()->isEnabled() || !actionNames().contains(name))
            return;
        // Later, from the event loop: a menu runs a loop of its own until it closes, and the
        // screen reader waits for the answer to its request until then.
        QMetaObject::invokeMethod(
            button(), [b = button()] { b->press(); }, Qt::QueuedConnection);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    CommandButton* button() const { return static_cast<CommandButton*>(widget()); }
};

class StatusTextAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit StatusTextAccessible(StatusText* label)
        : QAccessibleWidget(label, QAccessible::StaticText)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name)
            return label()->text();
        return QAccessibleWidget::text(kind);
    }
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    // The text interface, read-only and without a caret.
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int start, int end) const override
    {
        return label()->text().mid(start, end - start);
    }
    int characterCount() const override { return int(label()->text().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* start, int* end) const override
    {
        *start = *end = offset;
        return {};
    }

private:
    StatusText* label() const { return static_cast<StatusText*>(widget()); }
};

QAccessibleInterface* statusLineAccessible(const QString&, QObject* object)
{
    if (auto* button = dynamic_cast<CommandButton*>(object))
        return new CommandAccessible(button);
    if (auto* label = dynamic_cast<StatusText*>(object))
        return new StatusTextAccessible(label);
    return nullptr;
}

} // namespace

StatusLine::StatusLine(QWidget* parent, Parts parts) : QStatusBar(parent)
{
    static const bool accessible = [] {
        QAccessible::installFactory(statusLineAccessible);
        return true;
    }();
    Q_UNUSED(accessible);
    setObjectName(QStringLiteral("statusLine"));
    setAccessibleName(QCoreApplication::translate("StatusLine", "Status line"));
    setSizeGripEnabled(false); // the windows have a fixed size

    m_panel = new StatusPanel(this);
    m_panel->setObjectName(QStringLiteral("statusPanel"));
    m_grid = new QGridLayout(m_panel);
    m_grid->setContentsMargins(0, 0, 0, 0);
    m_grid->setVerticalSpacing(0);
    m_grid->setColumnStretch(0, 1);
    m_commands = new QHBoxLayout;
    m_commands->setSpacing(0);
    m_grid->addLayout(m_commands, 0, 1, Qt::AlignRight | Qt::AlignVCenter);
    addWidget(m_panel, 1);

    m_link = addPart("statusLink", QCoreApplication::translate("StatusLine", "Link"), 0);
    m_transfer =
        addPart("statusTransfer", QCoreApplication::translate("StatusLine", "Last transfer"), 1);
    m_card = addPart("statusCard", QCoreApplication::translate("StatusLine", "Card"), 2);
    m_transfer->setVisible(parts == Parts::LinkTransferAndCard);
    m_card->setVisible(parts == Parts::LinkTransferAndCard);
}

StatusText* StatusLine::addPart(const char* name, const QString& part, int row)
{
    auto* text = new StatusText(m_panel);
    text->setObjectName(QLatin1String(name));
    text->setAccessibleDescription(part);
    // The link shares its line with the commands; the others have the whole width.
    if (row == 0)
        m_grid->addWidget(text, row, 0, Qt::AlignVCenter);
    else
        m_grid->addWidget(text, row, 0, 1, 2);
    return text;
}

void StatusLine::setLinkText(const QString& text, const QString& details)
{
    m_link->setFullText(text);
    m_link->setToolTip(details);
}

void StatusLine::setTransferText(const QString& text)
{
    m_transfer->setFullText(text);
}

void StatusLine::setCardText(const QString& text)
{
    m_card->setFullText(text);
}

QString StatusLine::linkText() const
{
    return m_link->text();
}

QString StatusLine::transferText() const
{
    return m_transfer->text();
}

QString StatusLine::cardText() const
{
    return m_card->text();
}

QString shortcutText(const QAction* action)
{
    return action->shortcut().toString(QKeySequence::NativeText);
}

QToolButton* StatusLine::addCommand(QAction* action)
{
    auto* button = new CommandButton(m_panel);
    button->setDefaultAction(action);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::StrongFocus); // reachable with Tab, like the window's controls
    button->setObjectName(action->objectName() + QStringLiteral("Button"));
    button->setAccessibleName(action->text().remove(QLatin1Char('&')));
    if (auto* menu = action->menu<QMenu*>()) {
        button->setPopupMode(QToolButton::InstantPopup);
        // The menu belongs to its button, where a screen reader looks for its items; an item
        // chosen through the screen reader closes it as a click does.
        menu->setParent(button, menu->windowFlags());
        connect(menu, &QMenu::triggered, menu, &QMenu::hide);
    }
    m_commands->addWidget(button);
    return button;
}

} // namespace vrn
