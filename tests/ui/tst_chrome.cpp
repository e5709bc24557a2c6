#include "ui/classic_window.h"
#include "ui/file_dialog_state.h"
#include "ui/form_builder.h"
#include "ui/graphical_button.h"
#include "ui/picture_strip.h"
#include "ui/value_box.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

using namespace vrn;

namespace {

// The next control the tab key reaches.
QWidget* nextTabStop(QWidget* from)
{
    QWidget* next = from->nextInFocusChain();
    while (next != from && !(next->focusPolicy() & Qt::TabFocus))
        next = next->nextInFocusChain();
    return next;
}

} // namespace

class TestChrome : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void clientAreaInTwips();
    void cardMenuBarHasFileMenuAndTopLevelExit();
    void bannerIsOwnSize();
    void busyColours();
    void builderPlacesControlsAndChainsFocus();
    void dialogKeepsLastFileAcrossUses();
    void saveDialogSetsInitialDirectoryOnlyAfterwards();
    void cancelledDialogGivesNoFile();
    void openDialogStartsAtDriveCOnWindows();
    void classicFaceOrNamedStandIn_data();
    void classicFaceOrNamedStandIn();
};

void TestChrome::clientAreaInTwips()
{
    ClassicWindow window(QStringLiteral("VRN-A rev01"), 8340, 7200);
    QCOMPARE(window.client()->size(), QSize(556, 480));
    QCOMPARE(window.windowTitle(), QStringLiteral("VRN-A rev01"));
    QCOMPARE(window.palette().color(QPalette::Window), QColor(0xC0, 0xC0, 0xC0));
}

void TestChrome::cardMenuBarHasFileMenuAndTopLevelExit()
{
    ClassicWindow window(QStringLiteral("VRN-B rev01"), 7245, 5550);
    const CardMenus menus = addCardMenus(&window, {"FL", "SLV", "&Save", "OP", "&Open", "EX"});
    const QList<QAction*> bar = window.menuBar()->actions();
    QCOMPARE(bar.size(), 2);
    QCOMPARE(bar[0]->text(), QStringLiteral("&File"));
    QCOMPARE(bar[0]->menu(), menus.file);
    QCOMPARE(bar[1], menus.exit);
    QCOMPARE(bar[1]->text(), QStringLiteral("&Exit"));
    QVERIFY(!bar[1]->menu()); // acts on click, opens nothing
    const QList<QAction*> items = menus.file->actions();
    QCOMPARE(items.size(), 2);
    QCOMPARE(items[0]->objectName(), QStringLiteral("SLV"));
    QCOMPARE(items[0]->text(), QStringLiteral("&Save"));
    QCOMPARE(items[1]->objectName(), QStringLiteral("OP"));
}

void TestChrome::bannerIsOwnSize()
{
    const QPixmap banner = PictureStrip::banner();
    QCOMPARE(banner.size(), QSize(402, 89));
    QCOMPARE(PictureStrip::banner(2.0).deviceIndependentSize(), QSizeF(402, 89));
}

void TestChrome::busyColours()
{
    GraphicalButton button(QStringLiteral("Read Parameters"));
    QCOMPARE(button.backColour(), 12632256);
    // The face as drawn, just inside the bevel, where the caption never reaches.
    const auto face = [&button] {
        return button.grab().toImage().pixelColor(3, button.height() / 2);
    };
    button.setBusy(true);
    QCOMPARE(button.backColour(), 255);
    QCOMPARE(face(), QColor(0xff, 0x00, 0x00));
    button.setBusy(false);
    QCOMPARE(button.backColour(), 12632256);
    QCOMPARE(face(), QColor(0xc0, 0xc0, 0xc0));
}

void TestChrome::builderPlacesControlsAndChainsFocus()
{
    QWidget client;
    FormBuilder form(&client);
    form.add({
        {"Text2", ControlKind::ValueBox, "0", 1800, 3840, 495, 285, 1},
        {"Label22", ControlKind::Label, "msec", 1320, 3840, 375, 255, 7},
        {"Command1", ControlKind::Button, "Send Parameters", 1200, 4800, 1815, 375, 21},
        {"Text11", ControlKind::ValueBox, "0", 1800, 2280, 495, 285, 15},
    });
    form.applyTabOrder();
    auto* text2 = form.get<ValueBox>("Text2");
    QCOMPARE(text2->geometry(), QRect(120, 256, 33, 19));
    QCOMPARE(text2->text(), QStringLiteral("0"));
    QCOMPARE(nextTabStop(text2), form.get<ValueBox>("Text11"));
    QCOMPARE(nextTabStop(form.get<ValueBox>("Text11")), form.get<GraphicalButton>("Command1"));
}

void TestChrome::dialogKeepsLastFileAcrossUses()
{
    FileDialogState files;
    QStringList seenLastFiles;
    files.setChooser([&](QWidget*, FileDialogState::Mode, const QString&, const QString& last) {
        seenLastFiles << last;
        return std::optional<QString>(QStringLiteral("/tmp/vrn-b.txt"));
    });
    QCOMPARE(files.chooseSaveFile(nullptr), std::optional<QString>("/tmp/vrn-b.txt"));
    QCOMPARE(files.chooseOpenFile(nullptr), std::optional<QString>("/tmp/vrn-b.txt"));
    QCOMPARE(seenLastFiles, QStringList({QString(), QStringLiteral("/tmp/vrn-b.txt")}));
    QCOMPARE(files.lastFileName(), QStringLiteral("/tmp/vrn-b.txt"));
}

void TestChrome::saveDialogSetsInitialDirectoryOnlyAfterwards()
{
    FileDialogState files;
    QStringList seenDirectories;
    files.setChooser([&](QWidget*, FileDialogState::Mode, const QString& dir, const QString&) {
        seenDirectories << dir;
        return std::optional<QString>(QStringLiteral("/tmp/x"));
    });
    files.chooseSaveFile(nullptr);
    files.chooseSaveFile(nullptr);
    QCOMPARE(seenDirectories,
             QStringList({QString(), FileDialogState::standardInitialDirectory()}));
}

// Open sets the folder first, so its dialog starts there: drive C: on Windows, where the card
// windows always started, the home folder elsewhere.
void TestChrome::openDialogStartsAtDriveCOnWindows()
{
    FileDialogState files;
    QString seenDirectory;
    files.setChooser([&](QWidget*, FileDialogState::Mode, const QString& dir, const QString&) {
        seenDirectory = dir;
        return std::optional<QString>();
    });
    files.chooseOpenFile(nullptr);
#ifdef Q_OS_WIN
    QCOMPARE(seenDirectory, QStringLiteral("C:"));
#else
    QCOMPARE(seenDirectory, QDir::homePath());
#endif
}

void TestChrome::cancelledDialogGivesNoFile()
{
    FileDialogState files;
    bool cancel = false;
    files.setChooser([&](QWidget*, FileDialogState::Mode, const QString&, const QString&) {
        return cancel ? std::nullopt : std::optional<QString>(QStringLiteral("/tmp/first"));
    });
    QVERIFY(files.chooseOpenFile(nullptr).has_value());
    cancel = true;
    QVERIFY(!files.chooseSaveFile(nullptr).has_value());
    QCOMPARE(files.lastFileName(), QStringLiteral("/tmp/first")); // not forgotten either
}

// Wherever the classic face is missing, one of its named stand-ins takes its place, never
// whatever face the system would pick (on Windows without its fonts, a math face whose text a
// value box does not show).
void TestChrome::classicFaceOrNamedStandIn_data()
{
    QTest::addColumn<qreal>("points");
    QTest::addColumn<bool>("bold");
    QTest::newRow("value-boxes-and-labels") << 8.25 << false;
    QTest::newRow("headings") << 8.25 << true;
    QTest::newRow("launcher-buttons") << 9.75 << true;
}

void TestChrome::classicFaceOrNamedStandIn()
{
    QFETCH(qreal, points);
    QFETCH(bool, bold);
    const QFont font = classicFont(points, bold);
    const QStringList faces = QStringList{"MS Sans Serif"} + QFont::substitutes("MS Sans Serif");
    const QFontInfo shown(font);
    QVERIFY2(faces.contains(shown.family(), Qt::CaseInsensitive),
             qPrintable(shown.family() + " is none of " + faces.join(", ")));
    QCOMPARE(shown.bold(), bold);
}

QTEST_MAIN(TestChrome)
#include "tst_chrome.moc"
