#include "application.h"
#include "card_window.h"
#include "form2.h"
#include "graphical_button.h"
#include "journal.h"
#include "status_line.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>

using namespace vrn;

namespace {

// The application with its end recorded instead of leaving the event loop, and its notices
// kept instead of shown.
struct TestApp
{
    Application app;
    int ends = 0;

    TestApp()
    {
        app.setEndHandler([this] { ++ends; });
        app.notices().setShowWindows(false);
        app.link().setPortNameResolver(
            [](int n) { return QStringLiteral("/dev/vrn-test-no-port-%1").arg(n); });
    }

    QAction* item(const char* name) const
    {
        return app.launcher()->findChild<QAction*>(QLatin1String(name));
    }
};

QStringList menuCaptions(QMenu* menu)
{
    QStringList captions;
    for (QAction* action : menu->actions())
        captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return captions;
}

} // namespace

class TestApplication : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void launcherLayout();
    void startShowsOnlyTheLauncher();
    void portItemOpensPortNumber_data();
    void portItemOpensPortNumber();
    void missingPortIsReportedAndProgramGoesOn();
    void simulatedCardConnects();
    void portChangeRefusedWhileTransferRuns();
    void everyWindowShowsTheProgramIcon();
    void buttonShowsOneWindowOnly();
    void reopenedWindowStartsAfresh();
    void programEnds_data();
    void programEnds();
};

void TestApplication::launcherLayout()
{
    TestApp t;
    Form2* launcher = t.app.launcher();
    QCOMPARE(launcher->windowTitle(), QStringLiteral("VRN-PC rev01"));
    QCOMPARE(launcher->client()->size(), QSize(498, 244));
    const QList<QAction*> bar = launcher->menuBar()->actions();
    QCOMPARE(bar.size(), 1);
    QCOMPARE(bar[0]->text(), QStringLiteral("Seriale"));
    QCOMPARE(menuCaptions(bar[0]->menu()),
             QStringList({"Ser1", "Ser2", "Ser3", "Se4", "Ser5", "-", "Simulated card", "-",
                          "Other port...", "Wait for a new port...", "Compare...",
                          "Commissioning station..."}));
    const struct
    {
        const char* name;
        const char* caption;
        QRect geometry;
    } buttons[] = {{"Command1", "VRN-A", QRect(88, 112, 105, 33)},
                   {"Command2", "VRB", QRect(88, 176, 105, 33)},
                   {"Command3", "VRC", QRect(304, 112, 105, 33)},
                   {"Command4", "VRD", QRect(304, 176, 105, 33)}};
    for (const auto& b : buttons) {
        auto* button = launcher->findChild<GraphicalButton*>(QLatin1String(b.name));
        QVERIFY(button);
        QCOMPARE(button->text(), QLatin1String(b.caption));
        QCOMPARE(button->geometry(), b.geometry);
        QCOMPARE(button->backColour(), 12632256);
        QVERIFY(button->font().bold());
        QCOMPARE(button->font().pointSizeF(), 9.75);
    }
}

void TestApplication::startShowsOnlyTheLauncher()
{
    TestApp t;
    t.app.start();
    QVERIFY(t.app.launcher()->isVisible());
    for (int m = 0; m < 4; ++m)
        QVERIFY(!t.app.cardWindow(static_cast<CardModel>(m)));
    QVERIFY(!t.app.link().isOpen());
    for (char letter : SlotTable::kLetters)
        QVERIFY(std::holds_alternative<std::monostate>(t.app.slots().value(letter)));
}

void TestApplication::portItemOpensPortNumber_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("port");
    QTest::newRow("Ser1") << "se1" << 1;
    QTest::newRow("Se4-opens-port-4") << "se4" << 4;
    QTest::newRow("Ser5") << "se5" << 5;
}

void TestApplication::portItemOpensPortNumber()
{
    QFETCH(QString, item);
    QFETCH(int, port);
    TestApp t;
    t.item(item.toLatin1().constData())->trigger();
    QCOMPARE(t.app.link().portNumber(), port);
    QCOMPARE(t.app.link().portName(), QStringLiteral("/dev/vrn-test-no-port-%1").arg(port));
}

void TestApplication::missingPortIsReportedAndProgramGoesOn()
{
    TestApp t;
    t.app.start();
    t.item("se1")->trigger();
    QVERIFY(!t.app.link().isOpen());
    QVERIFY(t.app.notices().last().contains(QStringLiteral("/dev/vrn-test-no-port-1")));
    QCOMPARE(t.ends, 0);
    // A transfer without an open port is refused with a notice, and its button turns grey.
    CardWindow* window = t.app.showCardWindow(CardModel::VrnB);
    auto* send = window->findChild<GraphicalButton*>(QStringLiteral("Command1"));
    send->click();
    QVERIFY(!send->isBusy());
    QVERIFY(t.app.notices().last().contains(QStringLiteral("No serial port is open")));
}

void TestApplication::simulatedCardConnects()
{
    TestApp t;
    t.item("seSimulated")->trigger();
    QVERIFY(t.app.link().isOpen());
    CardWindow* window = t.app.showCardWindow(CardModel::VrnB);
    auto* send = window->findChild<GraphicalButton*>(QStringLiteral("Command1"));
    send->click();
    QVERIFY(send->isBusy());
    QTRY_VERIFY(!send->isBusy());
    QCOMPARE(t.app.simulatedCard().framesReceived().last(), QByteArray("z$"));
    // The Send is in the journal, with what the card holds now.
    const std::vector<JournalRecord> journal = readJournal(Journal::defaultPath());
    QVERIFY(!journal.empty());
    const JournalEntry& sent = journal.back().entry;
    QCOMPARE(sent.action + u' ' + sent.source + u' ' + sent.outcome + u' ' + sent.model,
             QStringLiteral("send window done VRN-B"));
    QCOMPARE(sent.after.size(), 3u);
    // A port item that cannot be opened leaves the line that works as it was, and says why.
    t.item("se2")->trigger();
    QVERIFY(t.app.link().isOpen());
    QCOMPARE(t.app.launcher()->statusLine()->linkText(), QStringLiteral("Simulated card"));
    QVERIFY2(t.app.notices().last().contains(QStringLiteral("does not exist")),
             qPrintable(t.app.notices().last()));
    QCOMPARE(t.app.link().portNumber(), 2);
}

void TestApplication::portChangeRefusedWhileTransferRuns()
{
    TestApp t;
    t.item("seSimulated")->trigger();
    t.app.simulatedCard().faults().answerDelayMs = 50;
    CardWindow* window = t.app.showCardWindow(CardModel::VrnB);
    auto* send = window->findChild<GraphicalButton*>(QStringLiteral("Command1"));
    send->click();
    t.item("se3")->trigger();
    QVERIFY(t.app.notices().last().contains(QStringLiteral("transfer is running")));
    QVERIFY(t.app.link().isOpen());
    QTRY_VERIFY_WITH_TIMEOUT(!send->isBusy(), 5000);
    QCOMPARE(t.app.simulatedCard().framesReceived().size(), 11);
}

void TestApplication::everyWindowShowsTheProgramIcon()
{
    TestApp t;
    QList<QWidget*> windows{t.app.launcher()};
    for (int m = 0; m < 4; ++m)
        windows << t.app.showCardWindow(static_cast<CardModel>(m));
    for (QWidget* window : windows) {
        // Drawn in the sizes a title bar and a task bar ask for, not scaled from one picture.
        for (const int size : {16, 32, 48}) {
            const QPixmap picture = window->windowIcon().pixmap(size);
            QVERIFY2(!picture.isNull(), qPrintable(window->windowTitle()));
            QCOMPARE(picture.width(), size);
        }
        QVERIFY(window->windowIcon().availableSizes().contains(QSize(256, 256)));
    }
}

void TestApplication::buttonShowsOneWindowOnly()
{
    TestApp t;
    auto* vrb = t.app.launcher()->findChild<GraphicalButton*>(QStringLiteral("Command2"));
    vrb->click();
    QPointer<CardWindow> first = t.app.cardWindow(CardModel::VrnB);
    vrb->click();
    QCOMPARE(t.app.cardWindow(CardModel::VrnB), first.data());
    QCOMPARE(first->windowTitle(), QStringLiteral("VRN-B rev01"));
    QVERIFY(first->isVisible());
}

void TestApplication::reopenedWindowStartsAfresh()
{
    TestApp t;
    QPointer<CardWindow> first = t.app.showCardWindow(CardModel::VrnB);
    t.app.slots().setCode('H', 300);
    first->close();
    QTRY_VERIFY(first.isNull()); // destroyed with its close box
    CardWindow* second = t.app.showCardWindow(CardModel::VrnB);
    QVERIFY(second);
    QCOMPARE(second->findChild<QLineEdit*>(QStringLiteral("Text11"))->text(), QStringLiteral("0"));
    QCOMPARE(t.app.slots().value('H'), SlotValue(QStringLiteral("00300")));
    QCOMPARE(t.ends, 0);
}

void TestApplication::programEnds_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<bool>("ends");
    QTest::addColumn<bool>("portClosed");
    QTest::newRow("vrn-a-close-box-closes-port-and-ends") << "A-close" << true << true;
    QTest::newRow("vrn-a-exit-ends") << "A-exit" << true << false;
    QTest::newRow("vrn-c-exit-ends") << "C-exit" << true << false;
    QTest::newRow("vrn-c-close-box-goes-on") << "C-close" << false << false;
    QTest::newRow("launcher-close-with-card-window-goes-on")
        << "launcher-with-card" << false << true;
    QTest::newRow("launcher-close-alone-ends") << "launcher-alone" << true << true;
}

void TestApplication::programEnds()
{
    QFETCH(QString, way);
    QFETCH(bool, ends);
    QFETCH(bool, portClosed);
    TestApp t;
    t.app.start();
    t.item("seSimulated")->trigger();
    CardWindow* a = t.app.showCardWindow(CardModel::VrnA);
    CardWindow* c = t.app.showCardWindow(CardModel::VrnC);
    const auto exitOf = [](CardWindow* w) {
        for (QAction* action : w->menuBar()->actions()) {
            if (action->text() == QLatin1String("&Exit"))
                return action;
        }
        return static_cast<QAction*>(nullptr);
    };
    if (way == QLatin1String("A-close")) {
        a->close();
    } else if (way == QLatin1String("A-exit")) {
        exitOf(a)->trigger();
    } else if (way == QLatin1String("C-exit")) {
        exitOf(c)->trigger();
    } else if (way == QLatin1String("C-close")) {
        c->close();
    } else if (way == QLatin1String("launcher-with-card")) {
        t.app.launcher()->close();
    } else {
        a->hide();
        c->close();
        QTRY_VERIFY(!t.app.cardWindow(CardModel::VrnC));
        t.app.launcher()->close();
    }
    QCOMPARE(t.ends > 0, ends);
    QCOMPARE(!t.app.link().isOpen(), portClosed);
}

QTEST_MAIN(TestApplication)
#include "tst_application.moc"
