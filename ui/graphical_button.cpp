#include "graphical_button.h"

#include <QKeyEvent>
#include <QPainter>

namespace vrn {

bool pressesButton(const QKeyEvent& event)
{
    const bool returnKey = event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    return returnKey && modifiers == Qt::NoModifier && !event.isAutoRepeat();
}

GraphicalButton::GraphicalButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent)
{
    setFocusPolicy(Qt::StrongFocus);
    // A raised classic bevel: light top and left edges, dark bottom and right edges. The face
    // is left to paintEvent(): a new style sheet for every colour change would be parsed and
    // applied again at the start and the end of every transfer.
    setStyleSheet(
        QStringLiteral("QPushButton { background-color: transparent; color: black; padding: 1px;"
                       " border-width: 2px; border-style: solid;"
                       " border-color: #ffffff #404040 #404040 #ffffff; }"
                       "QPushButton:pressed { border-color: #404040 #ffffff #ffffff #404040; }"
                       "QPushButton:focus { outline: 1px dotted black; }"));
    setBackColour(kGreyColour);
}

void GraphicalButton::setBackColour(int classicBgr)
{
    if (classicBgr == m_backColour)
        return;
    m_backColour = classicBgr;
    update();
}

void GraphicalButton::paintEvent(QPaintEvent* event)
{
    {
        QPainter painter(this);
        painter.fillRect(rect(), classicColour(m_backColour));
    }
    QPushButton::paintEvent(event); // bevel, caption and focus mark over the face
}

void GraphicalButton::keyPressEvent(QKeyEvent* event)
{
    if (pressesButton(*event)) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

} // namespace vrn
