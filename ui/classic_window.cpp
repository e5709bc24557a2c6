#include "classic_window.h"

#include "classic_colour.h"
#include "twips.h"

#include <QFontDatabase>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>

namespace vrn {

QString classicFontFamily()
{
#ifdef Q_OS_WIN
    // The first of these faces that this Windows has. Liberation Sans and Arial have the very
    // widths the layouts were checked with; Microsoft Sans Serif and Tahoma, the classic
    // windows' own faces, are there for a Windows without Arial. Left to itself, a Windows
    // without these fonts takes a math face whose text value boxes do not show.
    static const QString family = [] {
        const QStringList installed = QFontDatabase::families();
        for (const char* face : {"Liberation Sans", "Arial", "Microsoft Sans Serif", "Tahoma"}) {
            if (installed.contains(QLatin1String(face), Qt::CaseInsensitive))
                return QString::fromLatin1(face);
        }
        return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    }();
    return family;
#else
    // A narrow sans whose widths fit the layout tables' labels (Debian package
    // fonts-liberation2, which scripts/deps.sh installs and the package depends on).
    return QStringLiteral("Liberation Sans");
#endif
}

QFont classicFont(qreal points, bool bold)
{
    // Where the face is missing, faces of the very same widths stand in for it.
    static const bool substituted = [] {
        QFont::insertSubstitutions(QStringLiteral("Liberation Sans"),
                                   {QStringLiteral("Arimo"), QStringLiteral("Arial")});
        return true;
    }();
    Q_UNUSED(substituted);
    QFont font(classicFontFamily());
    font.setStyleHint(QFont::SansSerif);
    // Glyph widths as the layout was measured, whatever hinting the desktop asks for: full
    // hinting rounds every glyph to whole pixels and widens a caption by a pixel or two.
    font.setHintingPreference(QFont::PreferVerticalHinting);
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
    m_client->setFixedSize(
        twipsSize(clientWidthTwips, clientHeightTwips, LogicalDpi::of(*m_client)));
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
