#pragma once

#include <QStatusBar>

class QAction;
class QLabel;
class QToolButton;

namespace vrn {

// The line under a window's client area: the state of the link, the last transfer and how the
// window compares with its card, and the window's own commands at its right. Texts too long
// for the window are cut short with "..." and shown whole as a tool tip; the window never
// grows for them.
class StatusLine : public QStatusBar
{
    Q_OBJECT
public:
    explicit StatusLine(QWidget* parent = nullptr);

    void setLinkText(const QString& text);
    void setTransferText(const QString& text);
    void setCardText(const QString& text);

    QString linkText() const;
    QString transferText() const;
    QString cardText() const;

    // A command of the window as a button at the right end of the line. Space and Return
    // press it; a command with a menu opens it.
    QToolButton* addCommand(QAction* action);

private:
    QLabel* addPart(const char* name, const QString& accessibleName, int stretch);

    QLabel* m_link = nullptr;
    QLabel* m_transfer = nullptr;
    QLabel* m_card = nullptr;
};

} // namespace vrn
