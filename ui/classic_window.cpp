#include "ui/classic_window.h"

#include "ui/classic_colour.h"
#include "ui/twips.h"

#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>

namespace vrn {

QFont classicFont(qreal points, bool bold)
{
    // Where the classic face is missing, prefer narrow faces of similar metrics; the last ones
    // are there so that some text face is named wherever Windows or Linux runs (left to itself,
    // Windows without its fonts takes a math face whose text value boxes do not show).
    static const bool substituted = [] {
        QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                                   {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                    QStringLiteral("Nimbus Sans"), QStringLiteral("Arial"),
                                    QStringLiteral("Microsoft Sans Serif"),
                                    QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans")});
        return true;
    }();
    Q_UNUSED(substituted);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    return font;
}

ClassicWindow::ClassicWindow(const QString& caption, int clientWidthTwips, int clientHeightTwips,
                             QWidget* parent)
    : QMainWindow(parent), m_client(new QWidget(this))
{
    setWindowTitle(caption);
    setFont(classicFont());
    QPalette grey = palette();
    grey.setColor(QPalette::Window, classicColour(kGreyColour));
    grey.setColor(QPalette::Button, classicColour(kGreyColour));
    setPalette(grey);
    m_client->setObjectName(QStringLiteral("client"));
    m_client->setAutoFillBackground(true);
    m_client->setFixedSize(twipsSize(clientWidthTwips, clientHeightTwips));
    setCentralWidget(m_client);
    layout()->setSizeConstraint(QLayout::SetFixedSize); // the layout is absolute: no resizing
}

void ClassicWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_placed)
        return;
    m_placed = true;
    if (const QScreen* shown = screen()) {
        QRect area = frameGeometry();
        area.moveCenter(shown->availableGeometry().center());
        move(area.topLeft());
    }
}

CardMenus addCardMenus(QMainWindow* window, const CardMenuNames& names)
{
    CardMenus menus;
    QMenuBar* bar = window->menuBar();
    menus.file = bar->addMenu(QStringLiteral("&File"));
    menus.file->setObjectName(QString::fromLatin1(names.file));
    menus.save = menus.file->addAction(QString::fromLatin1(names.saveCaption));
    menus.save->setObjectName(QString::fromLatin1(names.save));
    menus.open = menus.file->addAction(QString::fromLatin1(names.openCaption));
    menus.open->setObjectName(QString::fromLatin1(names.open));
    menus.exit = bar->addAction(QStringLiteral("&Exit"));
    menus.exit->setObjectName(QString::fromLatin1(names.exit));
    return menus;
}

} // namespace vrn
