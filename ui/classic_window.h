#pragma once

#include <QMainWindow>

class QAction;
class QMenu;

namespace vrn {

// A top-level window of the program: fixed client area given in twips, grey background,
// placed at the centre of the screen when it is first shown.
class ClassicWindow : public QMainWindow
{
    Q_OBJECT
public:
    ClassicWindow(const QString& caption, int clientWidthTwips, int clientHeightTwips,
                  QWidget* parent = nullptr);

    // The client area: every control of the window is a child of it.
    QWidget* client() const { return m_client; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* m_client = nullptr;
    bool m_placed = false;
};

// Object names and captions of a card window's menu bar.
struct CardMenuNames
{
    const char* file; // "&File"
    const char* save;
    const char* saveCaption;
    const char* open;
    const char* openCaption;
    const char* exit; // "&Exit", on the menu bar itself
};

struct CardMenus
{
    QMenu* file = nullptr;
    QAction* save = nullptr;
    QAction* open = nullptr;
    QAction* exit = nullptr; // acts on click, without opening a menu
};

// Adds a card window's menu bar: the "&File" menu with its two items, then "&Exit".
CardMenus addCardMenus(QMainWindow* window, const CardMenuNames& names);

// The face every text of the windows is drawn in.
QString classicFontFamily();

// The font of the windows' labels and controls, and of their bold group headings.
QFont classicFont(qreal points = 8.25, bool bold = false);

} // namespace vrn
