#include "ui/status_line.h"

#include "ui/graphical_button.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QResizeEvent>
#include <QToolButton>

namespace vrn {
namespace {

// A label that shows as much of its text as fits, the rest as "...", and never asks for width.
class ElidedLabel : public QLabel
{
public:
    explicit ElidedLabel(QWidget* parent) : QLabel(parent)
    {
        setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        setMinimumWidth(0);
        setTextInteractionFlags(Qt::TextSelectableByMouse);
    }

    void setFullText(const QString& text)
    {
        m_full = text;
        setToolTip(text);
        setAccessibleDescription(text);
        elide();
    }
    const QString& fullText() const { return m_full; }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QLabel::resizeEvent(event);
        elide();
    }

private:
    void elide() { setText(fontMetrics().elidedText(m_full, Qt::ElideRight, width())); }

    QString m_full;
};

// A status-line command: Return presses it as Space does, and opens its menu if it has one.
class CommandButton : public QToolButton
{
public:
    explicit CommandButton(QWidget* parent) : QToolButton(parent) {}

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (pressesButton(*event)) {
            if (menu() || (defaultAction() && defaultAction()->menu()))
                showMenu();
            else
                click();
            return;
        }
        QToolButton::keyPressEvent(event);
    }
};

ElidedLabel* elided(QLabel* label)
{
    return static_cast<ElidedLabel*>(label);
}

} // namespace

StatusLine::StatusLine(QWidget* parent) : QStatusBar(parent)
{
    setObjectName(QStringLiteral("statusLine"));
    setSizeGripEnabled(false); // the windows have a fixed size
    m_link = addPart("statusLink", QCoreApplication::translate("StatusLine", "Link"), 2);
    m_transfer =
        addPart("statusTransfer", QCoreApplication::translate("StatusLine", "Last transfer"), 2);
    m_card = addPart("statusCard", QCoreApplication::translate("StatusLine", "Card"), 3);
    m_transfer->hide();
    m_card->hide();
}

QLabel* StatusLine::addPart(const char* name, const QString& accessibleName, int stretch)
{
    auto* label = new ElidedLabel(this);
    label->setObjectName(QLatin1String(name));
    label->setAccessibleName(accessibleName);
    addWidget(label, stretch);
    return label;
}

void StatusLine::setLinkText(const QString& text)
{
    elided(m_link)->setFullText(text);
}

void StatusLine::setTransferText(const QString& text)
{
    elided(m_transfer)->setFullText(text);
    m_transfer->setVisible(!text.isEmpty());
}

void StatusLine::setCardText(const QString& text)
{
    elided(m_card)->setFullText(text);
    m_card->setVisible(!text.isEmpty());
}

QString StatusLine::linkText() const
{
    return elided(m_link)->fullText();
}

QString StatusLine::transferText() const
{
    return elided(m_transfer)->fullText();
}

QString StatusLine::cardText() const
{
    return elided(m_card)->fullText();
}

QToolButton* StatusLine::addCommand(QAction* action)
{
    auto* button = new CommandButton(this);
    button->setDefaultAction(action);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::StrongFocus); // reachable with Tab, like the window's controls
    button->setObjectName(action->objectName() + QStringLiteral("Button"));
    button->setAccessibleName(action->text().remove(QLatin1Char('&')));
    addPermanentWidget(button);
    return button;
}

} // namespace vrn
