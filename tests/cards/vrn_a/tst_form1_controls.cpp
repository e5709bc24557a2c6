// The VRN-A window's layout and the rules of its controls.

#include "form1_rig.h"

#include "graphical_button.h"
#include "twips.h"

#include <QLabel>
#include <QMenuBar>

using namespace vrn;
using namespace vrn::test;

class TestForm1Controls : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void layout_data();
    void layout();
    void windowAndMenus();
    void focusOrder();
    void startsAsTheTablesGiveIt();

    void changeRule_data();
    void changeRule();
    void leaveRule_data();
    void leaveRule();
    void leaveRuleRunsOnRealFocusChange_data();
    void leaveRuleRunsOnRealFocusChange();
    void rampBoxesTakeOnlyEditedText_data();
    void rampBoxesTakeOnlyEditedText();
    void optionClicks_data();
    void optionClicks();
    void rampEnableRule_data();
    void rampEnableRule();
};

void TestForm1Controls::layout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("twipsGeometry");
    QTest::addColumn<bool>("bold");
    const auto row = [](const char* name, const char* caption, int l, int t, int w, int h,
                        bool bold = false) {
        QTest::newRow(name) << QString(name) << QString(caption) << QRect(l, t, w, h) << bold;
    };
    row("Label4", "CURRENT COIL", 960, 1440, 1575, 255, true);
    row("Label9", "PWM", 4080, 1440, 495, 255, true);
    row("Label19", "RAMPS", 6600, 1440, 735, 255, true);
    row("Label27", "SETTING  REFERENCE AND CONTROL CURRENT", 1920, 4200, 4575, 255, true);
    row("Label5", "(1)  860 mA", 1200, 2040, 1095, 255);
    row("Label1", "(5) 2600 mA", 1200, 3480, 1095, 195);
    row("Label14", "(5) 500 Hz", 3960, 3480, 975, 255);
    row("Label2", "Riferimento IN", 960, 4680, 1215, 255);
    row("Label3", "(E2) 0 - 5V", 1320, 5400, 1215, 255);
    row("Label17", "(E1) 4-20mA", 1320, 5760, 1215, 255);
    row("Label16", "Enable Ramps", 6480, 3600, 1095, 255);
    row("Label25", "Time 0 at 51 sec", 6120, 3360, 1215, 255);
    row("Label29", "I Min (mA)", 3360, 5640, 795, 255);
    row("Label34", "I Max (mA)", 5520, 5640, 795, 255);
    row("Label24", "sec", 7200, 3000, 375, 255);
    row("Check1", "", 840, 3480, 255, 255);
    row("Check7", "", 3600, 2040, 255, 255);
    row("Check14", "", 840, 5760, 255, 255);
    row("Check13", "", 6120, 3600, 255, 255);
    row("Text2", "", 6120, 2280, 495, 285);
    row("Text11", "0", 6360, 5640, 495, 285);
    row("VScroll1", "", 4800, 4800, 255, 375);
    row("VScroll6", "", 6720, 3000, 255, 375);
    row("Shape6", "", 480, 4560, 7335, 1695);
    row("Command1", "Send Parameters", 1200, 6600, 1815, 375);
    row("Command2", "Read Parameters", 5640, 6600, 1815, 375);
}

void TestForm1Controls::layout()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QRect, twipsGeometry);
    QFETCH(bool, bold);
    Form1Rig rig;
    QWidget* widget = rig.get(name);
    const QRect expected = twipsRect(twipsGeometry.x(), twipsGeometry.y(), twipsGeometry.width(),
                                     twipsGeometry.height());
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        QCOMPARE(label->text(), caption);
        QCOMPARE(label->font().bold(), bold);
        QCOMPARE(label->pos(), expected.topLeft());
        // A label is at least as wide and as tall as its table entry and never cuts its text.
        QVERIFY(label->width() >= expected.width());
        QVERIFY(label->width() >= label->sizeHint().width());
        QVERIFY(label->height() >= expected.height());
        QVERIFY(label->height() >= label->sizeHint().height());
        return;
    }
    QCOMPARE(widget->geometry(), expected);
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        QCOMPARE(button->text(), caption);
    if (auto* box = qobject_cast<ValueBox*>(widget))
        QCOMPARE(box->text(), caption);
}

void TestForm1Controls::windowAndMenus()
{
    Form1Rig rig;
    QCOMPARE(rig.window.windowTitle(), QStringLiteral("VRN-A rev01"));
    QCOMPARE(rig.window.client()->size(), twipsSize(8340, 7200));
    const QList<QAction*> bar = rig.window.menuBar()->actions();
    QCOMPARE(bar.size(), 2);
    QCOMPARE(bar[0]->text(), QStringLiteral("&File"));
    QCOMPARE(bar[0]->menu()->objectName(), QStringLiteral("mnuFile"));
    QCOMPARE(bar[1]->objectName(), QStringLiteral("mnuExit"));
    QCOMPARE(bar[1]->text(), QStringLiteral("&Exit"));
    const QList<QAction*> items = bar[0]->menu()->actions();
    QCOMPARE(items.size(), 2);
    QCOMPARE(items[0]->objectName() + ':' + items[0]->text(), QStringLiteral("mnuSave:Save"));
    QCOMPARE(items[1]->objectName() + ':' + items[1]->text(), QStringLiteral("mnuOpen:Open"));
}

void TestForm1Controls::focusOrder()
{
    Form1Rig rig;
    const QStringList expected = {"Check3",   "Check4",   "Check5",   "Check6",   "Check7",
                                  "Check8",   "Check9",   "Check10",  "Check11",  "Picture1",
                                  "Text2",    "Text3",    "Text5",    "Text6",    "Text8",
                                  "Text11",   "Check1",   "Command1", "Command2", "VScroll1",
                                  "VScroll2", "VScroll4", "VScroll5", "Check2",   "Check12",
                                  "VScroll3", "VScroll6", "Check13",  "Check14"};
    QStringList visited;
    QWidget* widget = rig.get("Check3");
    for (int i = 0; i < 200 && visited.size() < expected.size(); ++i) {
        if (widget->parentWidget() == rig.window.client() && (widget->focusPolicy() & Qt::TabFocus))
            visited << widget->objectName();
        widget = widget->nextInFocusChain();
    }
    QCOMPARE(visited, expected);
}

void TestForm1Controls::startsAsTheTablesGiveIt()
{
    Form1Rig rig;
    rig.slots.set('E', QStringLiteral("00042")); // written by another window: kept
    Form1 second(rig.context);
    Q_UNUSED(second);
    rig.expect("VScroll1=12; VScroll2=127; VScroll4=50; VScroll5=0; VScroll3=254; VScroll6=254;"
               "Text5=0; Text6=0; Text8=0; Text11=0; Text2=; Text3=; Check3=0; Check1=0;"
               "Check7=0; Check11=0; Check2=0; Check12=0; Check14=0; Check13=0;"
               "A=; B=; C=; D=; E=\"00042\"; F=; G=; H=; I=; a=");
}

void TestForm1Controls::changeRule_data()
{
    QTest::addColumn<Setup>("act");
    QTest::addColumn<QString>("expected");
    QTest::newRow("vt-upper-arrow-raises-code")
        << Setup([](Form1Rig& b) { b.upperArrow("VScroll1"); })
        << "VScroll1=11; Text5=553; E=\"00189\"";
    QTest::newRow("ramp-arrow-works-before-ramps-enabled")
        << Setup([](Form1Rig& b) { b.upperArrow("VScroll3"); })
        << "VScroll3=253; Text2=0.4; C=\"00002\"";
    QTest::newRow("ramp-code-3-shows-0.6")
        << Setup([](Form1Rig& b) { b.position("VScroll3", 252); }) << "Text2=0.6; C=\"00003\"";
    QTest::newRow("ramp-code-7-shows-1.4")
        << Setup([](Form1Rig& b) { b.position("VScroll6", 248); }) << "Text3=1.4; D=\"00007\"";
    QTest::newRow("ramp-full-scale-51-s")
        << Setup([](Form1Rig& b) { b.position("VScroll6", 0); }) << "Text3=51; D=\"00255\"";
    QTest::newRow("vt-full-scale-586")
        << Setup([](Form1Rig& b) { b.position("VScroll1", 0); }) << "Text5=586; E=\"00200\"";
    QTest::newRow("imin-full-scale-1497")
        << Setup([](Form1Rig& b) { b.position("VScroll2", 0); }) << "Text6=1497; G=\"00511\"";
    QTest::newRow("ipol-full-scale-747")
        << Setup([](Form1Rig& b) { b.position("VScroll4", 0); }) << "Text8=747; F=\"00255\"";
    QTest::newRow("imax-lower-arrow-four-digit-code") << Setup([](Form1Rig& b) {
        b.get<SpinSlider>("VScroll5")->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    }) << "VScroll5=1; Text11=2994; H=\"01022\"";
    QTest::newRow("same-position-runs-nothing")
        << Setup([](Form1Rig& b) { b.position("VScroll1", 12); }) << "Text5=0; E=";
}

void TestForm1Controls::changeRule()
{
    QFETCH(Setup, act);
    QFETCH(QString, expected);
    Form1Rig rig;
    act(rig);
    rig.expect(expected);
}

void TestForm1Controls::leaveRule_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("startPosition"); // -1: as created
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("imax-860-gives-preset-code-294") << "Text11" << -1 << "860"
                                                    << "VScroll5=729; Text11=861; H=\"00294\"";
    QTest::newRow("vt-100-gives-code-35") << "Text5" << -1 << "100"
                                          << "VScroll1=165; Text5=102; E=\"00035\"";
    QTest::newRow("vt-initial-0-gives-code-1") << "Text5" << -1 << "0"
                                               << "VScroll1=199; Text5=2; E=\"00001\"";
    QTest::newRow("imax-unchanged-861-keeps-294") << "Text11" << 729 << "861"
                                                  << "VScroll5=729; Text11=861; H=\"00294\"";
    QTest::newRow("unmoved-slider-keeps-typed-text-and-writes-slot")
        << "Text5" << 165 << "101"
        << "VScroll1=165; Text5=101; E=\"00035\"";
    QTest::newRow("multiple-of-100-ends-one-higher") << "Text8" << -1 << "293"
                                                     << "VScroll4=154; Text8=295; F=\"00101\"";
    QTest::newRow("imax-half-rounds-to-even") << "Text11" << -1 << "26.5"
                                              << "VScroll5=1014; Text11=26; H=\"00009\"";
    QTest::newRow("vt-fraction-not-rounded") << "Text5" << -1 << "26.5"
                                             << "VScroll1=190; Text5=29; E=\"00010\"";
    QTest::newRow("comma-is-a-decimal-point") << "Text6" << -1 << "5,9"
                                              << "VScroll2=508; Text6=8; G=\"00003\"";
    QTest::newRow("point-is-a-decimal-point") << "Text6" << -1 << "5.9"
                                              << "VScroll2=508; Text6=8; G=\"00003\"";
    QTest::newRow("no-number-refused") << "Text5" << -1 << "abc"
                                       << "VScroll1=12; Text5=550; E=\"00188\"";
    QTest::newRow("empty-box-refused") << "Text11" << -1 << ""
                                       << "VScroll5=0; Text11=2997; H=\"01023\"";
    QTest::newRow("vt-586-clamps-to-200") << "Text5" << -1 << "586"
                                          << "VScroll1=0; Text5=586; E=\"00200\"";
    QTest::newRow("above-range-clamps-and-shows-maximum") << "Text6" << -1 << "5000"
                                                          << "VScroll2=0; Text6=1497; G=\"00511\"";
    QTest::newRow("negative-clamps-to-0") << "Text8" << -1 << "-10"
                                          << "VScroll4=255; Text8=0; F=\"00000\"";
    QTest::newRow("ramp-down-takes-seconds-not-steps") << "Text3" << -1 << "12"
                                                       << "VScroll6=195; Text3=12; D=\"00060\"";
    QTest::newRow("ramp-up-takes-seconds") << "Text2" << -1 << "1,2"
                                           << "VScroll3=249; Text2=1.2; C=\"00006\"";
    QTest::newRow("ramp-time-to-nearest-step") << "Text2" << -1 << "1.25"
                                               << "VScroll3=249; Text2=1.2; C=\"00006\"";
    QTest::newRow("ramp-above-51-s-clamped") << "Text3" << -1 << "60"
                                             << "VScroll6=0; Text3=51; D=\"00255\"";
    QTest::newRow("ramp-no-number-refused") << "Text3" << -1 << "x"
                                            << "VScroll6=254; Text3=0.2; D=\"00001\"";
}

void TestForm1Controls::leaveRule()
{
    QFETCH(QString, box);
    QFETCH(int, startPosition);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    Form1Rig rig;
    const QString slider = expected.section(u'=', 0, 0);
    if (startPosition >= 0)
        rig.position(slider, startPosition);
    rig.enter(box, typed);
    rig.expect(expected);
}

void TestForm1Controls::leaveRuleRunsOnRealFocusChange_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<Setup>("moveFocus");
    QTest::addColumn<QString>("expected");
    QTest::newRow("tab-away") << "Text11"
                              << "860" << Setup([](Form1Rig& b) {
                                     QTest::keyClick(b.get("Text11"), Qt::Key_Tab);
                                 })
                              << "VScroll5=729; Text11=861; H=\"00294\"";
    QTest::newRow("click-another-box")
        << "Text5"
        << "100" << Setup([](Form1Rig& b) { QTest::mouseClick(b.get("Check7"), Qt::LeftButton); })
        << "VScroll1=165; Text5=102; E=\"00035\"; B=\"00001\"";
    QTest::newRow("typing-alone-changes-nothing")
        << "Text3"
        << "12" << Setup([](Form1Rig&) {}) << "VScroll6=254; Text3=12; D=";
}

void TestForm1Controls::leaveRuleRunsOnRealFocusChange()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(Setup, moveFocus);
    QFETCH(QString, expected);
    Form1Rig rig;
    rig.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&rig.window));
    auto* edit = rig.get<ValueBox>(box);
    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    edit->selectAll();
    QTest::keyClicks(edit, typed);
    moveFocus(rig);
    rig.expect(expected);
}

void TestForm1Controls::rampBoxesTakeOnlyEditedText_data()
{
    QTest::addColumn<Setup>("before");
    QTest::addColumn<QString>("typed"); // into Ramp Up; empty: the user only passes through
    QTest::addColumn<QString>("expected");
    const Setup nothing = [](Form1Rig&) {};
    QTest::newRow("pass-through-empty-boxes-at-start")
        << nothing << ""
        << "VScroll3=254; VScroll6=254; Text2=; Text3=; C=; D=";
    QTest::newRow("pass-keeps-slots-of-other-windows")
        << Setup([](Form1Rig& b) {
               b.slots.set('C', QStringLiteral("00050"));
               b.slots.set('D', QStringLiteral("00060"));
           })
        << ""
        << "VScroll3=254; VScroll6=254; Text2=; Text3=; C=\"00050\"; D=\"00060\"";
    QTest::newRow("pass-keeps-shown-time")
        << Setup([](Form1Rig& b) { b.upperArrow("VScroll3"); }) << ""
        << "VScroll3=253; Text2=0.4; C=\"00002\"; D=";
    QTest::newRow("typed-time-taken") << nothing << "1.4"
                                      << "VScroll3=248; Text2=1.4; C=\"00007\"; Text3=; D=";
}

// Real clicks and keys: a click into Ramp Up, the typing, then Tab twice (to Ramp Down and on
// to the Vt box).
void TestForm1Controls::rampBoxesTakeOnlyEditedText()
{
    QFETCH(Setup, before);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    Form1Rig rig;
    before(rig);
    rig.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&rig.window));
    auto* rampUp = rig.get<ValueBox>("Text2");
    QTest::mouseClick(rampUp, Qt::LeftButton);
    QVERIFY(rampUp->hasFocus());
    rampUp->selectAll();
    QTest::keyClicks(rampUp, typed);
    QTest::keyClick(rampUp, Qt::Key_Tab);
    QVERIFY(rig.get("Text3")->hasFocus());
    QTest::keyClick(rig.get("Text3"), Qt::Key_Tab);
    QVERIFY(rig.get("Text5")->hasFocus());
    rig.expect(expected);
}

void TestForm1Controls::optionClicks_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char* name, QStringList clicks, const char* expected) {
        QTest::newRow(name) << clicks << QString(expected);
    };
    row("coil-1-preset-860", {"Check3"},
        "Check3=1; A=\"00001\"; VScroll5=729; Text11=861; H=\"00294\"");
    row("coil-2-preset-1200", {"Check4"}, "A=\"00002\"; VScroll5=613; Text11=1201; H=\"00410\"");
    row("coil-3-preset-1600", {"Check5"}, "A=\"00003\"; VScroll5=476; Text11=1602; H=\"00547\"");
    row("coil-4-preset-1880", {"Check6"}, "A=\"00004\"; VScroll5=381; Text11=1881; H=\"00642\"");
    row("coil-5-preset-2600", {"Check1"}, "A=\"00005\"; VScroll5=135; Text11=2601; H=\"00888\"");
    row("second-click-clears-mark-stores-same", {"Check4", "Check4"},
        "Check4=0; A=\"00002\"; VScroll5=613; Text11=1201; H=\"00410\"");
    row("boxes-do-not-clear-each-other", {"Check4", "Check5"},
        "Check4=1; Check5=1; A=\"00003\"; VScroll5=476");
    row("preset-rewrites-imax-when-slider-already-there", {"moved", "Check4"},
        "VScroll5=613; Text11=1201; H=\"00410\"");
    row("pwm-1", {"Check7"}, "Check7=1; B=\"00001\"; VScroll5=0; H=");
    row("pwm-5", {"Check11"}, "B=\"00005\"");
    row("reference-e0-stores-1", {"Check12"}, "Check12=1; a=1");
    row("reference-e2-stores-0", {"Check2"}, "a=0");
    row("reference-e1-stores-2", {"Check14"}, "a=2");
}

void TestForm1Controls::optionClicks()
{
    QFETCH(QStringList, clicks);
    QFETCH(QString, expected);
    Form1Rig rig;
    for (const QString& box : clicks) {
        if (box == "moved") { // I Max at the preset, but box and slot H say something else
            rig.position("VScroll5", 613);
            rig.get<ValueBox>("Text11")->setText("7");
            rig.slots.set('H', QStringLiteral("00001"));
            continue;
        }
        rig.click(box);
    }
    rig.expect(expected);
}

void TestForm1Controls::rampEnableRule_data()
{
    QTest::addColumn<int>("clicks");
    QTest::addColumn<QString>("typedAfter"); // typed into both ramp boxes, then left
    QTest::addColumn<QString>("expected");
    QTest::newRow("marking-runs-change-rules")
        << 1 << ""
        << "Check13=1; VScroll3=249; VScroll6=230; Text2=1.2; Text3=5; C=\"00006\"; D=\"00025\"";
    QTest::newRow("clearing-turns-ramps-off") << 2 << ""
                                              << "Check13=0; VScroll3=255 off; VScroll6=255 off; "
                                                 "Text2=0; Text3=0; C=\"00000\"; D=\"00000\"";
    QTest::newRow("marking-again-starts-from-zero")
        << 3 << ""
        << "Check13=1; VScroll3=255; VScroll6=255; Text2=0; Text3=0; C=\"00000\"; D=\"00000\"";
    QTest::newRow("ramps-off-refuse-typed-times")
        << 2 << "5"
        << "VScroll3=255 off; VScroll6=255 off; Text2=0; Text3=0; C=\"00000\"; D=\"00000\"";
    QTest::newRow("ramps-on-take-typed-times")
        << 3 << "5"
        << "VScroll3=230; VScroll6=230; Text2=5; Text3=5; C=\"00025\"; D=\"00025\"";
}

void TestForm1Controls::rampEnableRule()
{
    QFETCH(int, clicks);
    QFETCH(QString, typedAfter);
    QFETCH(QString, expected);
    Form1Rig rig;
    rig.position("VScroll3", 249);
    rig.position("VScroll6", 230);
    for (int i = 0; i < clicks; ++i)
        rig.click("Check13");
    if (!typedAfter.isEmpty()) {
        rig.enter("Text2", typedAfter);
        rig.enter("Text3", typedAfter);
    }
    rig.expect(expected);
}

QTEST_MAIN(TestForm1Controls)
#include "tst_form1_controls.moc"
