// The VRN-A parameter file: Save, Open and the way back.

#include "form1_rig.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace vrn;
using namespace vrn::test;

namespace {

// "a|b|c" as the lines a, b and c, each ended by CR LF.
QByteArray crlf(const char* lines)
{
    return QByteArray(lines).replace('|', "\r\n") + "\r\n";
}

QByteArray golden(const QString& name)
{
    QFile file(QStringLiteral(VRN_TEST_DATA_DIR "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing golden file %s", qPrintable(name));
    return file.readAll();
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void choose(Form1Rig& rig, std::optional<QString> path)
{
    rig.files.setChooser(
        [path](QWidget*, FileDialogState::Mode, const QString&, const QString&) { return path; });
}

void runMenu(Form1Rig& rig, const char* action)
{
    rig.window.findChild<QAction*>(QLatin1String(action))->trigger();
}

// Every control and slot a file touches, in one text.
QString windowState(Form1Rig& rig)
{
    QStringList state;
    for (const char* key :
         {"VScroll1", "VScroll2", "VScroll3", "VScroll4", "VScroll5", "VScroll6", "Text2",
          "Text3",    "Text5",    "Text6",    "Text8",    "Text11",   "Check1",   "Check2",
          "Check3",   "Check4",   "Check5",   "Check6",   "Check7",   "Check8",   "Check9",
          "Check10",  "Check11",  "Check12",  "Check13",  "Check14",  "A",        "B",
          "C",        "D",        "E",        "F",        "G",        "H",        "a"})
        state << QString::fromLatin1(key) + '=' + rig.state(QString::fromLatin1(key));
    return state.join(u"; ");
}

} // namespace

class TestForm1File : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void save_data();
    void save();
    void cancelledDialogsChangeNothing();
    void open_data();
    void open();
    void openTellsOfValuesOutOfRange();
    void openRefusesBadFileWhole_data();
    void openRefusesBadFileWhole();
    void saveThenOpenRestoresWindow_data();
    void saveThenOpenRestoresWindow();
    void savedThroughKeyboardMenu_data();
    void savedThroughKeyboardMenu();

private:
    QTemporaryDir m_dir;
};

void TestForm1File::save_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<QString>("goldenFile");
    QTest::newRow("options-clicked-after-start") << Setup([](Form1Rig& b) {
        b.click("Check4");
        b.click("Check9");
        b.click("Check12");
    }) << "options_after_start.txt";
    QTest::newRow("untouched-window-empty-slot-lines")
        << Setup([](Form1Rig&) {}) << "untouched.txt";
    QTest::newRow("texts-that-would-not-read-back-replaced") << Setup([](Form1Rig& b) {
        b.position("VScroll3", 249);
        b.position("VScroll6", 230);
        b.click("Check13");
        b.get<ValueBox>("Text5")->setText("abc");   // typed, not yet left
        b.get<ValueBox>("Text6")->setText("4\"40"); // a quote would end the field
        b.get<ValueBox>("Text8")->setText("1,5");   // saved with "." as decimal point
        b.get<ValueBox>("Text11")->setText("\"");
        b.slots.setNumber('A', 7);
        b.slots.set('B', QStringLiteral("00003"));
        b.slots.setNumber('a', 2);
    }) << "unreadable_texts_replaced.txt";
}

void TestForm1File::save()
{
    QFETCH(Setup, setup);
    QFETCH(QString, goldenFile);
    Form1Rig rig;
    setup(rig);
    const QString path = m_dir.filePath(goldenFile);
    choose(rig, path);
    runMenu(rig, "mnuSave");
    QCOMPARE(contents(path), golden(goldenFile));
    QVERIFY(rig.notices.history().isEmpty());
}

void TestForm1File::cancelledDialogsChangeNothing()
{
    QTemporaryDir dir;
    Form1Rig rig;
    rig.click("Check4");
    const QString before = windowState(rig);
    choose(rig, std::nullopt);
    runMenu(rig, "mnuSave");
    runMenu(rig, "mnuOpen");
    QVERIFY(QDir(dir.path()).isEmpty());
    QCOMPARE(windowState(rig), before);
    QVERIFY(rig.notices.history().isEmpty());
}

void TestForm1File::open_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("expected");
    const Setup none = [](Form1Rig&) {};
    QTest::newRow("untouched-save-marks-reference-e2")
        << none << golden("untouched.txt")
        << "Check2=1; Check12=0; Check3=0; Check7=0; A=0; B=0; a=0; Check13=0; "
           "VScroll3=255 off; VScroll6=255 off; C=\"00000\"; Text5=0; VScroll1=200; E=\"00000\"; "
           "Text11=0; VScroll5=1023; H=\"00000\"";
    QTest::newRow("coil-newly-marked-moves-imax-to-preset")
        << none << crlf("254|254|\"102\"|\"0\"|\"0\"|\"1201\"|\"00002\"|\"00003\"|1|0")
        << "Check4=1; A=\"00002\"; VScroll5=613; Text11=1201; H=\"00410\"; Check9=1; "
           "B=\"00003\"; Check12=1; a=1; Text5=102; VScroll1=165; E=\"00035\"";
    QTest::newRow("coil-already-marked-keeps-number-imax-from-file")
        << Setup([](Form1Rig& b) { b.click("Check4"); })
        << crlf("254|254|\"0\"|\"0\"|\"0\"|\"2000\"|\"00002\"|\"00003\"|1|0")
        << "Check4=1; A=2; VScroll5=340; Text11=2001; H=\"00683\"";
    QTest::newRow("pwm-already-marked-keeps-bare-number")
        << Setup([](Form1Rig& b) { b.click("Check9"); })
        << crlf("254|254|\"0\"|\"0\"|\"0\"|\"0\"|\"00002\"|\"00003\"|1|0") << "Check9=1; B=3";
    QTest::newRow("imax-slot-follows-unmoved-slider")
        << Setup([](Form1Rig& b) {
               b.position("VScroll5", 340);
               b.slots.set('H', QStringLiteral("00100")); // written by another window meanwhile
           })
        << crlf("254|254|\"0\"|\"0\"|\"0\"|\"2001\"|9|5|2|0")
        << "VScroll5=340; Text11=2001; H=\"00683\"; A=9; Check11=1; B=\"00005\"; Check14=1; a=2";
    QTest::newRow("ramps-on-at-saved-positions")
        << none << crlf("249|230|\"0\"|\"0\"|\"0\"|\"0\"|||1|1")
        << "Check13=1; VScroll3=249; VScroll6=230; Text2=1.2; Text3=5; C=\"00006\"; D=\"00025\"";
    QTest::newRow("ramps-off-ignore-saved-positions")
        << Setup([](Form1Rig& b) { b.click("Check13"); })
        << crlf("249|230|\"0\"|\"0\"|\"0\"|\"0\"|||1|0")
        << "Check13=0; VScroll3=255 off; VScroll6=255 off; Text2=0; Text3=0; C=\"00000\"; "
           "D=\"00000\"";
    QTest::newRow("other-enable-value-leaves-ramps")
        << none << crlf("249|230|\"0\"|\"0\"|\"0\"|\"0\"|||1|2")
        << "Check13=0; VScroll3=254; VScroll6=254; Text2=; C=; D=";
    QTest::newRow("vt-586-clamps-to-200")
        << none << crlf("254|254|\"586\"|\"1497\"|\"747\"|\"2997\"|||1|0")
        << "VScroll1=0; Text5=586; E=\"00200\"; VScroll2=0; G=\"00511\"; VScroll4=0; "
           "F=\"00255\"; VScroll5=0; H=\"01023\"";
    // The texts that codes 100 and 300 show load as those codes, not one step higher.
    QTest::newRow("multiple-of-100-loads-as-shown")
        << none << crlf("254|254|\"293\"|\"879\"|\"0\"|\"0\"|||1|0")
        << "VScroll1=100; Text5=293; E=\"00100\"; VScroll2=211; Text6=879; G=\"00300\"; "
           "VScroll4=255; Text8=0; F=\"00000\"";
    QTest::newRow("typed-text-loads-as-typed")
        << none << crlf("254|254|\"292\"|\"880\"|\"1\"|\"0\"|||1|0")
        << "VScroll1=100; Text5=293; E=\"00100\"; VScroll2=210; Text6=881; G=\"00301\"; "
           "VScroll4=254; Text8=2; F=\"00001\"";
    QTest::newRow("bare-numbers-and-commas-imax-after-preset")
        << none << QByteArray("249,230,102,5.9,1,861,2,3,1,1\r\n")
        << "Text5=102; E=\"00035\"; Text6=8; G=\"00003\"; Check4=1; A=\"00002\"; "
           "VScroll5=729; Text11=861; H=\"00294\"; C=\"00006\"";
}

void TestForm1File::open()
{
    QFETCH(Setup, setup);
    QFETCH(QByteArray, file);
    QFETCH(QString, expected);
    Form1Rig rig;
    setup(rig);
    const QString path = m_dir.filePath(QTest::currentDataTag());
    QFile out(path);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(file);
    out.close();
    choose(rig, path);
    runMenu(rig, "mnuOpen");
    QVERIFY2(rig.notices.history().isEmpty(), qPrintable(rig.notices.last()));
    rig.expect(expected);
}

void TestForm1File::openTellsOfValuesOutOfRange()
{
    Form1Rig rig;
    const QString path = m_dir.filePath(QStringLiteral("out-of-range"));
    QFile out(path);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(crlf("254|254|\"586\"|\"-50\"|\"747\"|\"99999999\"|||1|0"));
    out.close();
    choose(rig, path);
    runMenu(rig, "mnuOpen");
    // Loaded as typed entries are taken, and told in one message (Vt 586 is no news).
    rig.expect("VScroll1=0; Text5=586; VScroll2=511; Text6=0; G=\"00000\"; VScroll5=0; "
               "Text11=2997; H=\"01023\"");
    QCOMPARE(rig.notices.history().size(), 1);
    QCOMPARE(rig.notices.last(),
             QStringLiteral("The file \"%1\" was loaded, but some of its values were out of range "
                            "and were set to the nearest value the card takes: line 4 (I Min) "
                            "held -50: 0 mA was set; line 6 (I Max) held 99999999: 2997 mA was "
                            "set.")
                 .arg(QDir::toNativeSeparators(path)));
}

void TestForm1File::openRefusesBadFileWhole_data()
{
    QTest::addColumn<QByteArray>("file"); // null: no such file
    QTest::addColumn<QString>("told");
    const auto row = [](const char* name, QByteArray file, const char* told) {
        QTest::newRow(name) << file << QString(told);
    };
    row("nine-values", crlf("254|254|\"0\"|\"0\"|\"0\"|\"0\"|\"00001\"|\"00001\"|1"),
        "holds 9 of the 10 values");
    row("file-of-another-window", crlf("0|5|\"00001\""), "holds 3 of the 10 values");
    row("ramp-position-above-255", crlf("256|254|\"0\"|\"0\"|\"0\"|\"0\"|1|1|1|1"), "line 1");
    row("ramp-position-no-number", crlf("254|\"x\"|\"0\"|\"0\"|\"0\"|\"0\"|1|1|1|1"), "line 2");
    row("vt-no-number", crlf("254|254|\"abc\"|\"0\"|\"0\"|\"0\"|1|1|1|1"), "line 3");
    row("imax-empty", crlf("254|254|\"0\"|\"0\"|\"0\"||1|1|1|1"), "line 6");
    row("coil-no-number", crlf("254|254|\"0\"|\"0\"|\"0\"|\"0\"|\"x\"|1|1|1"), "line 7");
    row("coil-fraction", crlf("254|254|\"0\"|\"0\"|\"0\"|\"0\"|2.5|1|1|1"), "line 7");
    row("pwm-negative", crlf("254|254|\"0\"|\"0\"|\"0\"|\"0\"|1|-1|1|1"), "line 8");
    row("reference-no-number", crlf("254|254|\"0\"|\"0\"|\"0\"|\"0\"|1|1|x|1"), "line 9");
    // "a0000" and 66 would go out as "a000066$", not a command frame.
    row("reference-above-9", crlf("254|254|\"0\"|\"0\"|\"0\"|\"0\"|1|1|66|1"),
        "line 9 (reference input) is 66, not a whole number from 0 to 9");
    row("enable-ramps-empty", crlf("254|254|\"0\"|\"0\"|\"0\"|\"0\"|1|1|1|"), "line 10");
    row("missing-file", QByteArray(), "does not exist");
}

void TestForm1File::openRefusesBadFileWhole()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, told);
    Form1Rig rig;
    rig.click("Check4");
    rig.click("Check13");
    const QString before = windowState(rig);
    const QString path = m_dir.filePath(QStringLiteral("bad-") + QTest::currentDataTag());
    if (!file.isNull()) {
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(file);
    }
    choose(rig, path);
    runMenu(rig, "mnuOpen");
    QCOMPARE(windowState(rig), before);
    QCOMPARE(rig.notices.history().size(), 1);
    QVERIFY2(rig.notices.last().contains(told), qPrintable(rig.notices.last()));
    QVERIFY(rig.notices.last().contains(QDir::toNativeSeparators(path)));
}

void TestForm1File::saveThenOpenRestoresWindow_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::newRow("levels-options-and-ramps") << Setup([](Form1Rig& b) {
        for (int i = 0; i < 3; ++i)
            b.upperArrow("VScroll1");
        b.position("VScroll2", 300);
        b.position("VScroll4", 10);
        b.click("Check6");
        b.upperArrow("VScroll5"); // I Max moved away from the preset
        b.upperArrow("VScroll5");
        b.click("Check10");
        b.click("Check2");
        b.position("VScroll3", 100);
        b.position("VScroll6", 5);
        b.click("Check13");
    });
    QTest::newRow("ramps-off-coil-kept-as-number") << Setup([](Form1Rig& b) {
        b.slots.setNumber('A', 7); // as a Read leaves it
        b.click("Check8");
        b.click("Check14");
        b.click("Check13");
        b.click("Check13");
        b.position("VScroll1", 50);
        b.position("VScroll2", 500);
        b.position("VScroll4", 254);
        b.position("VScroll5", 1000);
    });
}

void TestForm1File::saveThenOpenRestoresWindow()
{
    QFETCH(Setup, setup);
    const QString path = m_dir.filePath(QStringLiteral("round-") + QTest::currentDataTag());
    Form1Rig saved;
    setup(saved);
    choose(saved, path);
    runMenu(saved, "mnuSave");
    Form1Rig loaded;
    choose(loaded, path);
    runMenu(loaded, "mnuOpen");
    QCOMPARE(windowState(loaded), windowState(saved));
    QVERIFY(loaded.notices.history().isEmpty());
}

void TestForm1File::savedThroughKeyboardMenu_data()
{
    QTest::addColumn<QString>("typed"); // into the Vt box
    QTest::addColumn<QByteArray>("vtLine");
    QTest::addColumn<QString>("opened");    // the window that opens the file
    QTest::addColumn<QString>("afterSave"); // the window once saved
    QTest::newRow("typed-entry-taken-first")
        << "100" << QByteArray("\"102\"") << "VScroll1=165; Text5=102; E=\"00035\""
        << "VScroll1=165; Text5=102; E=\"00035\"";
    QTest::newRow("reloads-to-the-typed-step")
        << "292" << QByteArray("\"293\"") << "VScroll1=100; Text5=293; E=\"00100\""
        << "VScroll1=100; Text5=293; E=\"00100\"";
}

// The user types into the Vt box and saves with Alt+F and Return (Save): the menu does not
// move the focus, but Save takes the typed entry first, as a click elsewhere in the window
// would, so the file holds what the window sends.
void TestForm1File::savedThroughKeyboardMenu()
{
    QFETCH(QString, typed);
    QFETCH(QByteArray, vtLine);
    QFETCH(QString, opened);
    QFETCH(QString, afterSave);
    const QString path = m_dir.filePath(QStringLiteral("keys-") + QTest::currentDataTag());
    Form1Rig saved;
    choose(saved, path);
    saved.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&saved.window));
    auto* vt = saved.get<ValueBox>("Text5");
    QTest::mouseClick(vt, Qt::LeftButton);
    vt->selectAll();
    QTest::keyClicks(vt, typed);
    QTest::keyClick(vt, Qt::Key_F, Qt::AltModifier);
    QTRY_VERIFY(QApplication::activePopupWidget());
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Return);
    QTRY_VERIFY(QFile::exists(path));
    saved.expect(afterSave);
    QCOMPARE(contents(path).split('\r').value(2), '\n' + vtLine);

    Form1Rig loaded;
    choose(loaded, path);
    runMenu(loaded, "mnuOpen");
    loaded.expect(opened);
}

QTEST_MAIN(TestForm1File)
#include "tst_form1_file.moc"
