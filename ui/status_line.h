#pragma once

#include <QStatusBar>

class QAction;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QToolButton;

namespace vrn {

class StatusText;

// The line under a window's client area: the state of the link, the last transfer and how the
// window compares with its card, and the window's own commands at its right. Every text is
// shown whole: a text too long for the window's width goes on over more lines, and the window
// grows down for them while its client area keeps its size. A screen reader reads each part by
// its text, and hears it when it changes.
class StatusLine : public QStatusBar
{
    Q_OBJECT
public:
    enum class Parts {
        Link,                // the launcher: the link alone
        LinkTransferAndCard, // a card window: a line each for the last transfer and the card
    };

    explicit StatusLine(QWidget* parent = nullptr, Parts parts = Parts::Link);

    // The details (which adapter the port is) show as the link's tooltip.
    void setLinkText(const QString& text, const QString& details = {});
    void setTransferText(const QString& text);
    void setCardText(const QString& text);

    QString linkText() const;
    QString transferText() const;
    QString cardText() const;

    // A command of the window as a button at the right end of the first line. Space and Return
    // press it; a command with a menu opens it, and a screen reader finds the menu's items
    // below the button.
    QToolButton* addCommand(QAction* action);

private:
    StatusText* addPart(const char* name, const QString& part, int row);

    QWidget* m_panel = nullptr;
    QGridLayout* m_grid = nullptr;
    QHBoxLayout* m_commands = nullptr;
    StatusText* m_link = nullptr;
    StatusText* m_transfer = nullptr;
    StatusText* m_card = nullptr;
};

// A command's shortcut as the menus show it, in the user's language ("Strg+Umschalt+V").
QString shortcutText(const QAction* action);

} // namespace vrn
