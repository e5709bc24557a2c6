#include "classic_window.h"
#include "file_dialog_state.h"
#include "form_builder.h"
#include "graphical_button.h"
#include "picture_strip.h"
#include "spin_slider.h"
#include "twips.h"
#include "value_box.h"

#include <QAction>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTranslator>

#include <vector>

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

// Translates every text of the "Controls" context by putting it in angle brackets.
class BracketTranslator : public QTranslator
{
public:
    QString translate(const char* context, const char* sourceText, const char*, int) const override
    {
        if (qstrcmp(context, "Controls") != 0)
            return {};
        return QLatin1Char('<') + QString::fromUtf8(sourceText) + QLatin1Char('>');
    }
    bool isEmpty() const override { return false; }
};

// Controls of the VRN-A window: the I Max row (the box and slider named where they are
// declared, their label) and the Send button.
// clang-format off
const ControlLayout kIMaxBox{
    .name = "Text11", .kind = ControlKind::ValueBox, .caption = "0",
    .left = 6360, .top = 5640, .width = 495, .height = 285, .tabIndex = 1,
    .accessibleName = QT_TRANSLATE_NOOP("Controls", "I Max (mA)"),
    .accessibleDescription = QT_TRANSLATE_NOOP("Controls", "LEVELS")};
const ControlLayout kIMaxSlider{
    .name = "VScroll5", .kind = ControlKind::Slider,
    .left = 6960, .top = 5640, .width = 255, .height = 375, .tabIndex = 2,
    .maximum = 1023, .position = 0,
    .accessibleName = QT_TRANSLATE_NOOP("Controls", "I Max (mA) up/down"),
    .accessibleDescription = QT_TRANSLATE_NOOP("Controls", "LEVELS")};
const ControlLayout kIMaxLabel{
    .name = "Label34", .kind = ControlKind::Label, .caption = "I Max (mA)",
    .left = 5520, .top = 5640, .width = 795, .height = 255};
const ControlLayout kSendButton{
    .name = "Command1", .kind = ControlKind::Button, .caption = "Send Parameters",
    .left = 1200, .top = 6600, .width = 1815, .height = 375, .tabIndex = 3};
// clang-format on

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
    void builderNamesControlsWhereverTheirLabelsStand_data();
    void builderNamesControlsWhereverTheirLabelsStand();
    void builderTranslatesSpokenTextsButNotCaptions();
    void twipsFollowTheLogicalDpi_data();
    void twipsFollowTheLogicalDpi();
    void labelGrowsIntoFreeSpaceOnly_data();
    void labelGrowsIntoFreeSpaceOnly();
    void labelsLieUnderTheControlsAndOverTheFrames();
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
    // Wider than its caption, as the layout tables make the transfer buttons: sized to the
    // caption alone, a style with a narrow size hint lets the text reach the bevel.
    button.setFixedSize(2 * button.sizeHint().width(), button.sizeHint().height());
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
        // clang-format off
        {.name = "Text2", .kind = ControlKind::ValueBox, .caption = "0",
         .left = 1800, .top = 3840, .width = 495, .height = 285, .tabIndex = 1},
        {.name = "Label22", .kind = ControlKind::Label, .caption = "msec",
         .left = 1320, .top = 3840, .width = 375, .height = 255, .tabIndex = 7},
        {.name = "Command1", .kind = ControlKind::Button, .caption = "Send Parameters",
         .left = 1200, .top = 4800, .width = 1815, .height = 375, .tabIndex = 21},
        {.name = "Text11", .kind = ControlKind::ValueBox, .caption = "0",
         .left = 1800, .top = 2280, .width = 495, .height = 285, .tabIndex = 15},
        // clang-format on
    });
    form.applyTabOrder();
    auto* text2 = form.get<ValueBox>("Text2");
    QCOMPARE(text2->geometry(), QRect(120, 256, 33, 19));
    QCOMPARE(text2->text(), QStringLiteral("0"));
    QCOMPARE(nextTabStop(text2), form.get<ValueBox>("Text11"));
    QCOMPARE(nextTabStop(form.get<ValueBox>("Text11")), form.get<GraphicalButton>("Command1"));
}

void TestChrome::builderNamesControlsWhereverTheirLabelsStand_data()
{
    QTest::addColumn<int>("labelTop"); // twips; -1: no label at all
    QTest::newRow("label-beside-box") << 5640;
    QTest::newRow("label-raised-five-pixels") << 5565;
    QTest::newRow("label-under-box") << 6600;
    QTest::newRow("no-label") << -1;
}

// A screen reader says what the layout table states, whatever the labels around the box say
// or wherever they stand.
void TestChrome::builderNamesControlsWhereverTheirLabelsStand()
{
    QFETCH(int, labelTop);
    QWidget client;
    FormBuilder form(&client);
    std::vector<ControlLayout> layout{kIMaxBox, kIMaxSlider};
    if (labelTop >= 0) {
        ControlLayout label = kIMaxLabel;
        label.top = labelTop;
        layout.push_back(label);
    }
    form.add(layout);
    form.finish();
    auto* box = form.get<ValueBox>("Text11");
    auto* slider = form.get<SpinSlider>("VScroll5");
    QCOMPARE(box->accessibleName(), QStringLiteral("I Max (mA)"));
    QCOMPARE(box->accessibleDescription(), QStringLiteral("LEVELS"));
    QCOMPARE(slider->accessibleName(), QStringLiteral("I Max (mA) up/down"));
    QCOMPARE(slider->accessibleDescription(), QStringLiteral("LEVELS"));
}

// Names and descriptions are texts of the program's own; the classic captions stay verbatim.
void TestChrome::builderTranslatesSpokenTextsButNotCaptions()
{
    BracketTranslator translator;
    QCoreApplication::installTranslator(&translator);
    QWidget client;
    FormBuilder form(&client);
    form.add({kIMaxBox, kIMaxLabel, kSendButton});
    QCoreApplication::removeTranslator(&translator);
    auto* box = form.get<ValueBox>("Text11");
    QCOMPARE(box->accessibleName(), QStringLiteral("<I Max (mA)>"));
    QCOMPARE(box->accessibleDescription(), QStringLiteral("<LEVELS>"));
    QCOMPARE(form.get<QLabel>("Label34")->text(), QStringLiteral("I Max (mA)"));
    QCOMPARE(form.get<GraphicalButton>("Command1")->text(), QStringLiteral("Send Parameters"));
}

void TestChrome::twipsFollowTheLogicalDpi_data()
{
    QTest::addColumn<int>("value"); // twips
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("pixels");
    QTest::newRow("fifteen-to-a-pixel-at-96") << 15 << 96 << 1;
    QTest::newRow("vrn-a-client-width-at-96") << 8340 << 96 << 556;
    QTest::newRow("twelve-to-a-pixel-at-120") << 12 << 120 << 1;
    QTest::newRow("vrn-a-client-width-at-120") << 8340 << 120 << 695;
    QTest::newRow("twenty-to-a-pixel-at-72") << 8340 << 72 << 417;
    QTest::newRow("more-than-half-a-pixel-rounds-up") << 8 << 96 << 1;
    QTest::newRow("less-than-half-a-pixel-rounds-down") << 7 << 96 << 0;
}

// Point sizes follow the logical inch; so do the layouts, or texts outgrow their controls on
// a screen whose logical dpi is not 96.
void TestChrome::twipsFollowTheLogicalDpi()
{
    QFETCH(int, value);
    QFETCH(int, dpi);
    QFETCH(int, pixels);
    QCOMPARE(twips(value, dpi), pixels);
    QCOMPARE(twipsRect(value, value, value, value, {dpi, dpi}),
             QRect(pixels, pixels, pixels, pixels));
}

void TestChrome::labelGrowsIntoFreeSpaceOnly_data()
{
    // A label 20 pixels wide whose text needs about sixty, in a window of 200 x 100 pixels.
    QTest::addColumn<int>("labelLeft");     // twips
    QTest::addColumn<int>("neighbourKind"); // a ControlKind; -1: none
    QTest::addColumn<QRect>("neighbour");   // twips
    QTest::addColumn<bool>("grows");
    const int none = -1;
    const int box = int(ControlKind::ValueBox);
    QTest::newRow("free-space-beside") << 300 << none << QRect() << true;
    QTest::newRow("value-box-beside") << 300 << box << QRect(900, 300, 495, 285) << false;
    QTest::newRow("drawn-frame-is-no-obstacle")
        << 300 << int(ControlKind::Frame) << QRect(0, 0, 3000, 1500) << true;
    QTest::newRow("window-edge-beside") << 2400 << none << QRect() << false;
    // The table lets the label's last, blank row meet the box below; the new columns may too.
    QTest::newRow("box-below-meets-blank-row") << 300 << box << QRect(0, 540, 3000, 285) << true;
    QTest::newRow("box-below-reaches-text-rows")
        << 300 << box << QRect(600, 420, 2400, 285) << false;
}

void TestChrome::labelGrowsIntoFreeSpaceOnly()
{
    QFETCH(int, labelLeft);
    QFETCH(int, neighbourKind);
    QFETCH(QRect, neighbour);
    QFETCH(bool, grows);
    QWidget client;
    client.setFixedSize(twipsSize(3000, 1500));
    FormBuilder form(&client);
    std::vector<ControlLayout> layout{{.name = "Label34",
                                       .kind = ControlKind::Label,
                                       .caption = "I Max (mA)",
                                       .left = labelLeft,
                                       .top = 300,
                                       .width = 300,
                                       .height = 255}};
    if (neighbourKind >= 0)
        layout.push_back({.name = "Neighbour",
                          .kind = ControlKind(neighbourKind),
                          .left = neighbour.x(),
                          .top = neighbour.y(),
                          .width = neighbour.width(),
                          .height = neighbour.height()});
    form.add(layout);
    form.finish();
    auto* label = form.get<QLabel>("Label34");
    const QRect table = twipsRect(labelLeft, 300, 300, 255);
    QVERIFY(label->sizeHint().width() > table.width());
    QCOMPARE(label->pos(), table.topLeft());
    QCOMPARE(label->height(), table.height());
    if (grows)
        QVERIFY(label->width() >= label->sizeHint().width());
    else
        QCOMPARE(label->width(), table.width());
}

// Labels are drawn under the controls that reach into them, whatever the table's order, and
// over the drawn frames.
void TestChrome::labelsLieUnderTheControlsAndOverTheFrames()
{
    QWidget client;
    client.setFixedSize(twipsSize(3000, 1500));
    FormBuilder form(&client);
    form.add({
        // clang-format off
        {.name = "VScroll6", .kind = ControlKind::Slider,
         .left = 600, .top = 0, .width = 255, .height = 375, .maximum = 255, .position = 254},
        {.name = "Label25", .kind = ControlKind::Label, .caption = "Time 0 at 51 sec",
         .left = 0, .top = 360, .width = 1215, .height = 255},
        {.name = "Shape5", .kind = ControlKind::Frame,
         .left = 0, .top = 0, .width = 3000, .height = 1500},
        // clang-format on
    });
    form.finish();
    const QRect slider = form.get<SpinSlider>("VScroll6")->geometry();
    const QRect label = form.get<QLabel>("Label25")->geometry();
    QVERIFY(slider.intersects(label));
    QCOMPARE(client.childAt(slider.intersected(label).center()), form.get<SpinSlider>("VScroll6"));
    const QObjectList bottomToTop = client.children();
    QVERIFY(bottomToTop.indexOf(form.get<QFrame>("Shape5")) <
            bottomToTop.indexOf(form.get<QLabel>("Label25")));
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

// The windows' face or one of its named stand-ins draws every size and weight, never whatever
// face the system would pick (on Windows without the face, a math face whose text a value box
// does not show).
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
    const QStringList faces =
        QStringList{classicFontFamily()} + QFont::substitutes(classicFontFamily());
    const QFontInfo shown(font);
    QVERIFY2(faces.contains(shown.family(), Qt::CaseInsensitive),
             qPrintable(shown.family() + " is none of " + faces.join(", ")));
    QCOMPARE(shown.bold(), bold);
}

QTEST_MAIN(TestChrome)
#include "tst_chrome.moc"
