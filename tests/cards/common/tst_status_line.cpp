// The status line under the windows, Verify, and what a failed Send and a missing port tell.

#include "app/application.h"
#include "app/form2.h"
#include "cards/common/card_window.h"
#include "link/link.h"
#ifdef Q_OS_UNIX
#include "sim/pty_card_server.h"
#endif
#include "ui/graphical_button.h"
#include "ui/spin_slider.h"
#include "ui/status_line.h"

#include <QAction>
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
    QVERIFY2(status->transferText().startsWith(QStringLiteral("Sent 11 of 11 values at ")),
             qPrintable(status->transferText()));
    QCOMPARE(status->cardText(), QStringLiteral("All values are on the card"));

    stepUp(vrnB, "VScroll5");
    QCOMPARE(status->cardText(), QStringLiteral("1 value not yet sent: Maximum current"));
    // Slot B is shared: a PWM frequency chosen in the VRN-D window is one the VRN-B card lacks.
    CardWindow* vrnD = t.app.showCardWindow(CardModel::VrnD);
    QTest::mouseClick(vrnD->findChild<QWidget*>(QStringLiteral("Check9")), Qt::LeftButton);
    QCOMPARE(status->cardText(), QStringLiteral("2 values not yet sent: PWM, Maximum current"));

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
        QCOMPARE(vrnB->statusLine()->cardText(),
                 change ? QStringLiteral("1 value not yet sent: Maximum current")
                        : QStringLiteral("All values are on the card"));
    } else {
        QVERIFY2(vrnB->statusLine()->transferText().startsWith("Verify failed"),
                 qPrintable(vrnB->statusLine()->transferText()));
        QVERIFY(t.app.notices().last().contains(QStringLiteral("went dead")));
    }
}

void TestStatusLine::verifyOverPseudoTerminal()
{
#ifndef Q_OS_UNIX
    QSKIP("the card's port here is a pseudo-terminal, which Windows does not have");
#else
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
#endif
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
    QCOMPARE(vrnA->statusLine()->transferText(), QStringLiteral("Send failed after 6 of 11"));
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

QTEST_MAIN(TestStatusLine)
#include "tst_status_line.moc"
