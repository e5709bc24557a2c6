// The status line under the windows, Verify, and what a failed Send and a missing port tell.

#include "application.h"
#include "card_window.h"
#include "commissioning.h"
#include "form2.h"
#include "graphical_button.h"
#include "link.h"
#include "pty_card_server.h"
#include "spin_slider.h"
#include "status_line.h"

#include <QAction>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTest>

using namespace vrn;

namespace {

constexpr int kWaitMs = 10000; // beyond every time-out of the link

struct TestApp
{
    Application app;

    TestApp()
    {
        app.setEndHandler([] {});
        app.notices().setShowWindows(false);
    }

    CardWindow* open(CardModel model)
    {
        app.chooseSimulatedCard();
        return app.showCardWindow(model);
    }

    // Runs a transfer to its end; false when it was refused.
    bool run(CardWindow* window, bool (CardWindow::*transfer)())
    {
        if (!(window->*transfer)())
            return false;
        return QTest::qWaitFor([this] { return !app.link().isBusy(); }, kWaitMs);
    }
};

void stepUp(CardWindow* window, const char* slider)
{
    window->findChild<SpinSlider*>(QLatin1String(slider))
        ->triggerAction(QAbstractSlider::SliderSingleStepSub);
}

} // namespace

class TestStatusLine : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void linkTransferAndValuesNotYetSent();
    void verifyComparesAndChangesNothing_data();
    void verifyComparesAndChangesNothing();
    void verifyOverPseudoTerminal();
    void verifyAfterEverySendIsRemembered();
    void failedSendTellsHowFarItGot();
    void noPortOffersTheLauncher();
    void emptyFramesAreNotValuesOnTheCard();
    void verifyResultsShareOneBox();
    void valuesSetInAnotherWindowAreToldAsSuch();
    void whatTheCardHoldsIsForgotten_data();
    void whatTheCardHoldsIsForgotten();
};

void TestStatusLine::linkTransferAndValuesNotYetSent()
{
    TestApp t;
    QCOMPARE(t.app.launcher()->statusLine()->linkText(), QStringLiteral("No port open"));
    CardWindow* vrnB = t.open(CardModel::VrnB);
    StatusLine* status = vrnB->statusLine();
    QCOMPARE(t.app.launcher()->statusLine()->linkText(), QStringLiteral("Simulated card"));
    QCOMPARE(status->linkText(), QStringLiteral("Simulated card"));
    QCOMPARE(status->cardText(), QStringLiteral("Not compared with the card yet"));

    stepUp(vrnB, "VScroll5");
    QVERIFY(t.run(vrnB, &CardWindow::send));
    QVERIFY2(status->transferText().startsWith(QStringLiteral("Sent at ")),
             qPrintable(status->transferText()));
    // The PWM and the over-supply time went out as empty frames: the card was told nothing.
    QCOMPARE(status->cardText(), QStringLiteral("Not set in this window: PWM, Over-supply time"));

    stepUp(vrnB, "VScroll5");
    QCOMPARE(status->cardText(), QStringLiteral("1 value not yet sent: Maximum current; Not set "
                                                "in this window: PWM, Over-supply time"));
    // Slot B is shared: a PWM frequency chosen in the VRN-D window is one the VRN-B card lacks.
    CardWindow* vrnD = t.app.showCardWindow(CardModel::VrnD);
    QTest::mouseClick(vrnD->findChild<QWidget*>(QStringLiteral("Check9")), Qt::LeftButton);
    QCOMPARE(status->cardText(),
             QStringLiteral("PWM set in the VRN-D window: (3) 300 Hz; 2 values not yet sent: PWM, "
                            "Maximum current; Not set in this window: Over-supply time"));

    t.app.link().closePort();
    QCOMPARE(status->linkText(), QStringLiteral("No port open"));
}

void TestStatusLine::verifyComparesAndChangesNothing_data()
{
    QTest::addColumn<int>("change"); // what the card does between Send and Verify
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("result");
    QTest::newRow("card-holds-what-was-sent") << 0 << true << "Card holds what this window sends";
    QTest::newRow("card-changed-a-value-by-itself")
        << 1 << true << "1 value differs: Maximum current (window 2253 mA, card 1201 mA)";
    QTest::newRow("line-drops-during-verify") << 2 << false << "";
}

void TestStatusLine::verifyComparesAndChangesNothing()
{
    QFETCH(int, change);
    QFETCH(bool, accepted);
    QFETCH(QString, result);
    TestApp t;
    CardWindow* vrnB = t.open(CardModel::VrnB);
    QTest::mouseClick(vrnB->findChild<QWidget*>(QStringLiteral("Check9")), Qt::LeftButton);
    vrnB->findChild<SpinSlider*>(QStringLiteral("VScroll5"))->setValue(1023 - 769);
    vrnB->findChild<SpinSlider*>(QStringLiteral("VScroll1"))->setValue(99 - 25);
    QVERIFY(t.run(vrnB, &CardWindow::send));

    if (change == 1)
        t.app.simulatedCard().setParameter('H', 410);
    if (change == 2)
        t.app.simulatedCard().faults().portLostAfterFrames = 0;
    const SlotTable slotsBefore = t.app.slots();
    const QString boxBefore = vrnB->findChild<QWidget*>("Text11")->property("text").toString();
    const int framesBefore = static_cast<int>(t.app.simulatedCard().framesReceived().size());

    QVERIFY(t.run(vrnB, &CardWindow::verify));
    QCOMPARE(t.app.simulatedCard().framesReceived().mid(framesBefore), QList<QByteArray>{"w$"});
    QVERIFY(t.app.slots() == slotsBefore);
    QCOMPARE(vrnB->findChild<QWidget*>("Text11")->property("text").toString(), boxBefore);
    QCOMPARE(vrnB->lastVerify().has_value(), accepted);
    if (accepted) {
        QCOMPARE(vrnB->lastVerify()->text(), result);
        // The window sent the current it shows: the card kept another by itself.
        QCOMPARE(vrnB->statusLine()->cardText(),
                 change ? QStringLiteral("Card holds another value than was sent: Maximum current")
                        : QStringLiteral("All values are on the card"));
    } else {
        QVERIFY2(vrnB->statusLine()->transferText().startsWith("Verify failed"),
                 qPrintable(vrnB->statusLine()->transferText()));
        QVERIFY(t.app.notices().last().contains(QStringLiteral("stopped working")));
    }
}

void TestStatusLine::verifyOverPseudoTerminal()
{
    sim::PtyCardServer card;
    QVERIFY2(card.open(), qPrintable(card.errorString()));
    card.card().setParameter('H', 410); // the card holds another current than the window
    TestApp t;
    t.app.chooseDevice(card.slavePath());
    CardWindow* vrnD = t.app.showCardWindow(CardModel::VrnD);
    QVERIFY2(vrnD->statusLine()->linkText().startsWith(card.slavePath()),
             qPrintable(vrnD->statusLine()->linkText()));
    stepUp(vrnD, "VScroll2"); // the maximum current's row writes its slot: 897
    QVERIFY(t.run(vrnD, &CardWindow::verify));
    QVERIFY(vrnD->lastVerify());
    QCOMPARE(vrnD->lastVerify()->text(),
             QStringLiteral("3 values differ: PWM (window not set, card code 0), Excitation time "
                            "(window not set, card 0 s), Maximum current (window 2628 mA, card "
                            "1201 mA)"));
    // Another port: nothing is said any more of the card on the port before.
    t.app.chooseSimulatedCard();
    QCOMPARE(vrnD->statusLine()->transferText(), QString());
    QCOMPARE(vrnD->statusLine()->cardText(), QStringLiteral("Not compared with the card yet"));
}

void TestStatusLine::verifyAfterEverySendIsRemembered()
{
    {
        TestApp t;
        CardWindow* vrnC = t.open(CardModel::VrnC);
        QVERIFY(!vrnC->verifyAfterSendAction()->isChecked()); // off by default
        vrnC->verifyAfterSendAction()->setChecked(true);
    }
    TestApp t;
    CardWindow* vrnC = t.open(CardModel::VrnC);
    QVERIFY(vrnC->verifyAfterSendAction()->isChecked());
    QVERIFY(t.run(vrnC, &CardWindow::send));
    QVERIFY(QTest::qWaitFor([vrnC] { return vrnC->lastVerify().has_value(); }, kWaitMs));
    QCOMPARE(t.app.simulatedCard().framesReceived().last(), QByteArray("w$"));
    vrnC->verifyAfterSendAction()->setChecked(false);
}

void TestStatusLine::failedSendTellsHowFarItGot()
{
    TestApp t;
    CardWindow* vrnA = t.open(CardModel::VrnA);
    t.app.simulatedCard().faults().portLostAfterFrames = 6;
    QVERIFY(t.run(vrnA, &CardWindow::send));
    QCOMPARE(vrnA->statusLine()->transferText(),
             QStringLiteral("Send failed after 6 of 11 frames"));
    const QString said = t.app.notices().last();
    QVERIFY2(said.contains(QStringLiteral("The card answered 6 of the 11 frames of this Send and "
                                          "may now hold a mix of old and new values. Send again "
                                          "once the card answers.")),
             qPrintable(said));
    QCOMPARE(vrnA->statusLine()->cardText(),
             QStringLiteral("The card may hold a mix of old and new values"));
}

void TestStatusLine::noPortOffersTheLauncher()
{
    TestApp t;
    t.app.start();
    CardWindow* vrnB = t.app.showCardWindow(CardModel::VrnB);
    t.app.launcher()->close(); // a card window stays open: the program goes on
    QVERIFY(!t.app.launcher()->isVisible());
    QVERIFY(!vrnB->send());
    QVERIFY(t.app.notices().last().contains(QStringLiteral("No serial port is open")));
    t.app.notices().takeLastOffer();
    QVERIFY(t.app.launcher()->isVisible());
    // The launcher works as at start: its port items open a port.
    t.app.launcher()->findChild<QAction*>(QStringLiteral("seSimulated"))->trigger();
    QVERIFY(t.app.link().isOpen());
    QVERIFY(t.run(vrnB, &CardWindow::send));
}

// A Send of a window whose values were never set puts empty frames out: the card is told
// nothing, so neither the Send nor the Verify after it says the values are on the card.
void TestStatusLine::emptyFramesAreNotValuesOnTheCard()
{
    TestApp t;
    CardWindow* vrnB = t.open(CardModel::VrnB);
    const QString notSet = QStringLiteral("Not set in this window: PWM, Maximum current, "
                                          "Over-supply time");
    for (int round = 0; round < 2; ++round) {
        QVERIFY(t.run(vrnB, &CardWindow::send));
        QCOMPARE(vrnB->statusLine()->cardText(), notSet);
        QVERIFY(t.run(vrnB, &CardWindow::verify));
        QCOMPARE(vrnB->statusLine()->cardText(), notSet);
    }
}

// Verify after Verify (as "Verify after every Send" makes them) brings one result box up to date
// instead of stacking a box for each.
void TestStatusLine::verifyResultsShareOneBox()
{
    TestApp t;
    t.app.notices().setShowWindows(true);
    CardWindow* vrnC = t.open(CardModel::VrnC);
    for (int i = 0; i < 3; ++i)
        QVERIFY(t.run(vrnC, &CardWindow::verify));
    const auto boxes = vrnC->findChildren<QMessageBox*>(QStringLiteral("verifyResult"));
    QCOMPARE(boxes.size(), 1);
    QVERIFY(boxes.first()->isVisible());
}

// The slots are shared: a value set in the VRN-D window goes out with the VRN-B window's Send
// while the VRN-B controls show their own. The status line, Verify and the record say so and
// never present the other window's value as this window's.
void TestStatusLine::valuesSetInAnotherWindowAreToldAsSuch()
{
    TestApp t;
    CardWindow* vrnB = t.open(CardModel::VrnB);
    QTest::mouseClick(vrnB->findChild<QWidget*>(QStringLiteral("Check9")), Qt::LeftButton);
    stepUp(vrnB, "VScroll5"); // 2253 mA
    stepUp(vrnB, "VScroll1");
    CardWindow* vrnD = t.app.showCardWindow(CardModel::VrnD);
    QTest::mouseClick(vrnD->findChild<QWidget*>(QStringLiteral("Check11")), Qt::LeftButton);
    vrnD->findChild<SpinSlider*>(QStringLiteral("VScroll2"))->setValue(1023 - 949); // 2780 mA

    const QString elsewhere = QStringLiteral("PWM set in the VRN-D window: (5) 500 Hz; Maximum "
                                             "current set in the VRN-D window: 2780 mA");
    QVERIFY2(vrnB->statusLine()->cardText().startsWith(elsewhere),
             qPrintable(vrnB->statusLine()->cardText()));
    QVERIFY(t.run(vrnB, &CardWindow::send));
    QVERIFY(t.run(vrnB, &CardWindow::verify));
    bool logged = false;
    for (const TrafficEntry& entry : t.app.link().traffic().entriesAfter(0)) {
        logged = logged ||
                 QString::fromUtf8(entry.bytes) ==
                     QStringLiteral("VRN-B Send carries values another window set: ") + elsewhere;
    }
    QVERIFY(logged);
    QCOMPARE(vrnB->lastVerify()->text(),
             QStringLiteral("Card holds what this window sends; ") + elsewhere);
    const CommissioningRecord record = commissioningRecordOf(*vrnB);
    QCOMPARE(record.values.at(0).note, QStringLiteral("set in the VRN-D window"));
    QCOMPARE(record.values.at(1).note, QStringLiteral("set in the VRN-D window"));
    QCOMPARE(record.values.at(2).note, QString()); // the over-supply time is the window's own
    // The VRN-D window shows what it set: nothing to tell there.
    QVERIFY2(!vrnD->statusLine()->cardText().contains(QStringLiteral("set in the")),
             qPrintable(vrnD->statusLine()->cardText()));
}

void TestStatusLine::whatTheCardHoldsIsForgotten_data()
{
    QTest::addColumn<int>("event");
    QTest::newRow("port-closed") << 0;
    QTest::newRow("new-simulated-card") << 1;
    QTest::newRow("line-lost") << 2;
    QTest::newRow("verify-got-a-short-reply") << 3;
    QTest::newRow("read-reply-refused") << 4;
    QTest::newRow("send-failed-at-once") << 5;
}

// After a good Send and Verify, anything that may have put another card at the other end of
// the line, or left this one in a state not known, forgets what it held, and the last Verify
// no longer counts for the record.
void TestStatusLine::whatTheCardHoldsIsForgotten()
{
    QFETCH(int, event);
    TestApp t;
    CardWindow* vrnB = t.open(CardModel::VrnB);
    QTest::mouseClick(vrnB->findChild<QWidget*>(QStringLiteral("Check9")), Qt::LeftButton);
    stepUp(vrnB, "VScroll5");
    stepUp(vrnB, "VScroll1");
    QVERIFY(t.run(vrnB, &CardWindow::send));
    QVERIFY(t.run(vrnB, &CardWindow::verify));
    QCOMPARE(vrnB->statusLine()->cardText(), QStringLiteral("All values are on the card"));
    QVERIFY(vrnB->lastVerify());

    sim::Faults& faults = t.app.simulatedCard().faults();
    switch (event) {
    case 0:
        t.app.link().closePort();
        break;
    case 1:
        t.app.chooseSimulatedCard();
        break;
    case 2:
        faults.portLostAfterFrames = 0;
        QVERIFY(t.run(vrnB, &CardWindow::verify));
        break;
    case 3:
        faults.replyLength = 20;
        QVERIFY(t.run(vrnB, &CardWindow::verify));
        break;
    case 4:
        faults.replyFieldOverrides[5] = "x01";
        QVERIFY(t.run(vrnB, &CardWindow::read));
        break;
    case 5:
        faults.silent = true;
        QVERIFY(t.run(vrnB, &CardWindow::send));
        break;
    }
    QCOMPARE(vrnB->statusLine()->cardText(), QStringLiteral("Not compared with the card yet"));
    QVERIFY(!vrnB->lastVerify());
    QVERIFY(!commissioningRecordOf(*vrnB).verifiedAt);
}

QTEST_MAIN(TestStatusLine)
#include "tst_status_line.moc"
