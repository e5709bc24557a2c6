#include "ui/graphical_button.h"

namespace vrn {

GraphicalButton::GraphicalButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setBackColour(kGreyColour);
}

void GraphicalButton::setBackColour(int classicBgr)
{
    if (classicBgr == m_backColour)
        return;
    m_backColour = classicBgr;
    const QColor face = classicColour(classicBgr);
    // A raised classic bevel: light top and left edges, dark bottom and right edges.
    setStyleSheet(QStringLiteral(
                      "QPushButton { background-color: %1; color: black; padding: 1px;"
                      " border-width: 2px; border-style: solid;"
                      " border-color: #ffffff #404040 #404040 #ffffff; }"
                      "QPushButton:pressed { border-color: #404040 #ffffff #ffffff #404040; }"
                      "QPushButton:focus { outline: 1px dotted black; }")
                      .arg(face.name()));
}

} // namespace vrn
