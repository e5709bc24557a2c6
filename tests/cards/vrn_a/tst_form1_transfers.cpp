// The VRN-A Send and Read on a simulated card.

#include "form1_rig.h"

#include "card.h"
#include "graphical_button.h"

#include <QElapsedTimer>

using namespace vrn;
using namespace vrn::test;

class TestForm1Transfers : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void send_data();
    void send();
    void sendWithoutPortIsRefused();
    void secondClickKeepsSendRunning();
    void read_data();
    void read();
    void readRefusesOutOfRangeOrGarbledReply_data();
    void readRefusesOutOfRangeOrGarbledReply();
};

void TestForm1Transfers::send_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<QByteArrayList>("frames");
    QTest::addColumn<QString>("slotsAfter");
    QTest::newRow("untouched-window-sends-no-digits")
        << Setup([](Form1Rig&) {})
        << QByteArrayList{"A$", "B$", "C$", "D$", "E$", "F$", "G$", "H$", "I$", "a0000$", "z$"}
        << "A=; a=";
    QTest::newRow("options-clicked") << Setup([](Form1Rig& b) {
        b.click("Check4");
        b.click("Check9");
        b.click("Check14");
        b.upperArrow("VScroll1");
    }) << QByteArrayList{"A00002$", "B00003$", "C$", "D$",      "E00189$", "F$",
                         "G$",      "H00410$", "I$", "a00002$", "z$"}
                                     << "a=2";
    QTest::newRow("plain-numbers-padded-in-place") << Setup([](Form1Rig& b) {
        b.slots.setNumber('A', 7);  // a coil range no box stands for, kept by a Read
        b.slots.setNumber('C', 35); // another window's Read
        b.slots.setNumber('a', 0);
    }) << QByteArrayList{"A00007$", "B$", "C00035$", "D$",      "E$", "F$",
                         "G$",      "H$", "I$",      "a00000$", "z$"}
                                                   << "A=\"00007\"; C=\"00035\"; a=0";
}

void TestForm1Transfers::send()
{
    QFETCH(Setup, setup);
    QFETCH(QByteArrayList, frames);
    QFETCH(QString, slotsAfter);
    Form1Rig rig;
    QVERIFY(sim::openSimulatedCard(rig.link, rig.card));
    setup(rig);
    auto* button = rig.get<GraphicalButton>("Command1");
    QElapsedTimer clock;
    clock.start();
    button->click();
    QCOMPARE(button->backColour(), 255);
    QTRY_VERIFY_WITH_TIMEOUT(!button->isBusy(), 5000);
    // Ten settle pauses of 0.1 s, one after every frame but "z$".
    QVERIFY2(clock.elapsed() >= 1000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(button->backColour(), 12632256);
    QCOMPARE(rig.card.framesReceived(), frames);
    rig.expect(slotsAfter);
    QVERIFY(rig.notices.history().isEmpty());
}

void TestForm1Transfers::sendWithoutPortIsRefused()
{
    Form1Rig rig;
    auto* button = rig.get<GraphicalButton>("Command1");
    button->click();
    QCOMPARE(button->backColour(), 12632256);
    QCOMPARE(rig.notices.history().size(), 1);
}

void TestForm1Transfers::secondClickKeepsSendRunning()
{
    Form1Rig rig;
    QVERIFY(sim::openSimulatedCard(rig.link, rig.card));
    auto* button = rig.get<GraphicalButton>("Command1");
    button->click();
    button->click(); // refused: the button stays red until the first Send ends
    QCOMPARE(button->backColour(), 255);
    QCOMPARE(rig.notices.history().size(), 1);
    QVERIFY2(rig.notices.last().contains(QStringLiteral("already running")),
             qPrintable(rig.notices.last()));
    QTRY_VERIFY_WITH_TIMEOUT(!button->isBusy(), 5000);
    QCOMPARE(rig.card.framesReceived().size(), 11);
}

void TestForm1Transfers::read_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<QString>("expected");
    QTest::newRow("worked-example-vt-low-part-first-and-imax") << Setup([](Form1Rig& b) {
        b.card.setParameter('E', 188);
        b.card.setParameter('H', 294);
    }) << "Text5=550; VScroll1=12; E=\"00188\"; Text11=861; VScroll5=729; H=\"00294\"";
    QTest::newRow("imin-high-part-first")
        << Setup([](Form1Rig& b) { b.card.setParameter('G', 300); })
        << "Text6=879; VScroll2=211; G=\"00300\"";
    QTest::newRow("ipol-and-pwm") << Setup([](Form1Rig& b) {
        b.card.setParameter('F', 205);
        b.card.setParameter('B', 3);
    }) << "Text8=600; VScroll4=50; F=\"00205\"; Check9=1; Check7=0; B=\"00003\"";
    QTest::newRow("coil-7-marks-nothing-kept-as-number")
        << Setup([](Form1Rig& b) { b.card.setParameter('A', 7); })
        << "A=7; Check3=0; Check4=0; Check5=0; Check6=0; Check1=0";
    QTest::newRow("ramps-both-zero-turn-ramps-off")
        << Setup([](Form1Rig& b) { b.click("Check13"); })
        << "Check13=0; VScroll3=255 off; VScroll6=255 off; Text2=0; Text3=0; C=\"00000\"; "
           "D=\"00000\"";
    QTest::newRow("ramp-down-only-turns-ramps-on") << Setup([](Form1Rig& b) {
        b.click("Check13");
        b.click("Check13"); // ramps off before the Read
        b.card.setParameter('D', 12);
    }) << "Check13=1; VScroll3=255; VScroll6=243; Text2=0; Text3=2.4; C=\"00000\"; D=\"00012\"";
    QTest::newRow("reference-1-clears-others-slot-keeps-1") << Setup([](Form1Rig& b) {
        b.click("Check14");
        b.card.setParameter('a', 1);
    }) << "Check2=0; Check12=1; Check14=0; a=1";
    QTest::newRow("coil-preset-then-imax-from-reply") << Setup([](Form1Rig& b) {
        b.card.setParameter('A', 1);
        b.card.setParameter('H', 300);
    }) << "Check3=1; A=\"00001\"; VScroll5=723; Text11=879; H=\"00300\"";
}

void TestForm1Transfers::read()
{
    QFETCH(Setup, setup);
    QFETCH(QString, expected);
    Form1Rig rig;
    QVERIFY(sim::openSimulatedCard(rig.link, rig.card));
    setup(rig);
    auto* button = rig.get<GraphicalButton>("Command2");
    button->click();
    QCOMPARE(button->backColour(), 255);
    QTRY_VERIFY(!button->isBusy());
    QCOMPARE(rig.card.framesReceived(), QByteArrayList{"w$"});
    rig.expect(expected);
}

void TestForm1Transfers::readRefusesOutOfRangeOrGarbledReply_data()
{
    QTest::addColumn<Setup>("fault");
    QTest::addColumn<QString>("told");
    const auto memory = [](char letter, int value) {
        return Setup([=](Form1Rig& b) { b.card.setParameter(letter, value); });
    };
    const auto field = [](int position, const char* characters) {
        return Setup(
            [=](Form1Rig& b) { b.card.faults().replyFieldOverrides[position] = characters; });
    };
    QTest::newRow("vt-above-200") << memory('E', 201) << "Vt level reads 201";
    QTest::newRow("ipol-above-255") << memory('F', 256) << "I Pol current reads 256";
    QTest::newRow("imin-above-511") << memory('G', 512) << "I Min current reads 512";
    QTest::newRow("imax-above-1023") << memory('H', 1024) << "I Max current reads 1024";
    QTest::newRow("ramp-up-above-255") << memory('C', 256) << "ramp-up time reads 256";
    QTest::newRow("ramp-down-above-255") << field(13, "300") << "ramp-down time reads 300";
    QTest::newRow("garbled-pair-part")
        << field(29, "1x3") << "I Pol current (characters 29 to 31) reads \"1x3\"";
    // "a0000" and 66 would go out as "a000066$" with the next Send, not a command frame.
    QTest::newRow("reference-above-9") << field(49, "066") << "reference input reads 66";
    QTest::newRow("garbled-option-field")
        << field(49, "?? ") << "reference input (characters 49 to 51)";
}

void TestForm1Transfers::readRefusesOutOfRangeOrGarbledReply()
{
    QFETCH(Setup, fault);
    QFETCH(QString, told);
    Form1Rig rig;
    QVERIFY(sim::openSimulatedCard(rig.link, rig.card));
    rig.card.setParameter('A', 2); // would mark "(2) 1200 mA"
    rig.card.setParameter('E', 35);
    fault(rig);
    const SlotTable before = rig.slots;
    auto* button = rig.get<GraphicalButton>("Command2");
    button->click();
    QTRY_VERIFY(!button->isBusy());
    QCOMPARE(rig.notices.history().size(), 1);
    QVERIFY2(rig.notices.last().contains(told), qPrintable(rig.notices.last()));
    QVERIFY(rig.slots == before);
    rig.expect("Check4=0; VScroll5=0; Text5=0; VScroll1=12; Text11=0");
}

QTEST_MAIN(TestForm1Transfers)
#include "tst_form1_transfers.moc"
