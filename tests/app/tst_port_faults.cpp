// Faults of a real serial port, over pseudo-terminals: the card's end closed in the middle of a
// Send or a Read started with a card window's button, a port that does not exist, a port the
// user may not open, a port another program holds. Each is told with the port's name, the
// program goes on, and choosing a port again afterwards works.
//
// Run with VRN_HOLD_PORT=<device> the program is the other program: it opens the device, says
// "held" and keeps it until its standard input closes.

#include "application.h"
#include "card_window.h"
#include "form2.h"
#include "graphical_button.h"
#include "listed_ports.h"
#include "option_box.h"
#include "port_holder.h"
#include "port_wait_window.h"
#include "pty_card_server.h"
#include "spin_slider.h"
#include "status_line.h"
#include "timeouts.h"
#include "under_wine.h"
#include "value_box.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace vrn;
using namespace Qt::StringLiterals;

namespace {

constexpr int kLongWaitMs = 10000; // beyond every time-out of the link
#ifdef Q_OS_UNIX
constexpr uid_t kNobody = 65534; // an unprivileged user for a real permission refusal
#endif

// The program with its end recorded, its notices kept, and its port items leading to the
// devices the test names: "se1" to a missing device, "se2" to the card's pseudo-terminal.
struct ProgramOnPorts
{
    Application app;
    sim::PtyCardServer server;
    int ends = 0;

    ProgramOnPorts()
    {
        app.setEndHandler([this] { ++ends; });
        app.notices().setShowWindows(false);
        app.link().setPortNameResolver([this](int n) {
            return n == 2 ? server.slavePath() : u"/dev/vrn-test-no-port-%1"_s.arg(n);
        });
    }

    void choose(const char* item)
    {
        app.launcher()->findChild<QAction*>(QLatin1String(item))->trigger();
    }

    static GraphicalButton* button(CardWindow* window, bool send)
    {
        const int first = window->objectName() == "Form5" ? 3 : 1;
        return window->findChild<GraphicalButton*>(u"Command%1"_s.arg(first + (send ? 0 : 1)));
    }

    // A Send of the VRN-B window on the chosen port that ends well: all its frames arrive.
    bool sendWorks()
    {
        CardWindow* window = app.showCardWindow(CardModel::VrnB);
        const qsizetype notices = app.notices().history().size();
        server.card().clearLog();
        GraphicalButton* send = button(window, true);
        send->click();
        if (!QTest::qWaitFor([send] { return !send->isBusy(); }, kLongWaitMs))
            return false;
        return app.notices().history().size() == notices &&
               server.card().framesReceived().size() == 11 &&
               server.card().framesReceived().last() == "z$";
    }
};

// Every slider, option box and value box of a window, and every slot, as text.
QString stateOf(CardWindow* window, const SlotTable& slots)
{
    QStringList tokens;
    for (QWidget* c : window->findChildren<QWidget*>()) {
        if (auto* slider = qobject_cast<SpinSlider*>(c))
            tokens << c->objectName() + u'=' + QString::number(slider->value());
        else if (auto* box = qobject_cast<OptionBox*>(c))
            tokens << c->objectName() + (box->isChecked() ? u"=1"_s : u"=0"_s);
        else if (auto* text = qobject_cast<ValueBox*>(c))
            tokens << c->objectName() + u'=' + text->text();
    }
    for (char letter : SlotTable::kLetters)
        tokens << QChar::fromLatin1(letter) + u'=' + slotText(slots.value(letter));
    tokens.sort();
    return tokens.join(u' ');
}

} // namespace

class TestPortFaults : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void lineClosedMidTransfer_data();
    void lineClosedMidTransfer();
    void missingDevice();
    void permissionDenied();
    void portHeldByAnotherProgram();
    void cardLineBackUnderItsName();
    void waitForNewPort_data();
    void waitForNewPort();
};

void TestPortFaults::lineClosedMidTransfer_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<bool>("send");
    QTest::addColumn<int>("framesBeforeClose");
    const char* names[] = {"VRN-A", "VRN-B", "VRN-C", "VRN-D"};
    for (int model = 0; model < 4; ++model) {
        QTest::addRow("%s-send-closed-after-3-frames", names[model]) << model << true << 3;
        QTest::addRow("%s-read-closed-before-the-reply", names[model]) << model << false << 1;
    }
}

void TestPortFaults::lineClosedMidTransfer()
{
    QFETCH(int, model);
    QFETCH(bool, send);
    QFETCH(int, framesBeforeClose);
    ProgramOnPorts rig;
    rig.server.card().faults().answerDelayMs = 300; // the line closes before the answer
    QVERIFY2(rig.server.open(), qPrintable(rig.server.errorString()));
    const QString device = rig.server.slavePath();
    rig.choose("se2");
    QVERIFY2(rig.app.link().isOpen(), qPrintable(rig.app.notices().history().join(u'\n')));
    int frames = 0;
    connect(&rig.server, &sim::PtyCardServer::frameReceived, &rig.server, [&] {
        if (++frames == framesBeforeClose)
            QTimer::singleShot(0, &rig.server, &sim::PtyCardServer::close);
    });

    CardWindow* window = rig.app.showCardWindow(static_cast<CardModel>(model));
    const QString before = stateOf(window, rig.app.slots());
    GraphicalButton* button = ProgramOnPorts::button(window, send);
    QElapsedTimer clock;
    clock.start();
    button->click();
    QVERIFY(button->isBusy());
    QTRY_VERIFY_WITH_TIMEOUT(!button->isBusy(), kLongWaitMs);

    // Told at once, not after a time-out, with the port's name; nothing read was applied.
    QVERIFY2(clock.elapsed() < kAnswerTimeoutMs, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(!rig.app.link().isBusy());
    QVERIFY(!rig.app.link().isOpen());
    QCOMPARE(button->backColour(), kGreyColour);
    QCOMPARE(rig.app.notices().history().size(), 1);
    QVERIFY2(rig.app.notices().last().contains(device), qPrintable(rig.app.notices().last()));
    if (!send)
        QCOMPARE(stateOf(window, rig.app.slots()), before);
    QCOMPARE(rig.ends, 0);

    // The card comes back on a terminal of its own; choosing the port again works.
    disconnect(&rig.server, &sim::PtyCardServer::frameReceived, nullptr, nullptr);
    rig.server.card().faults().answerDelayMs = 0;
    QVERIFY2(rig.server.open(), qPrintable(rig.server.errorString()));
    rig.choose("se2");
    QVERIFY(rig.app.link().isOpen());
    QVERIFY(rig.sendWorks());
}

void TestPortFaults::missingDevice()
{
    ProgramOnPorts rig;
    rig.choose("se1");
    QVERIFY(!rig.app.link().isOpen());
    QVERIFY2(rig.app.notices().last().contains("/dev/vrn-test-no-port-1") &&
                 rig.app.notices().last().contains("does not exist"),
             qPrintable(rig.app.notices().last()));

    // Transfers are refused, their buttons grey again; then the right port works.
    CardWindow* window = rig.app.showCardWindow(CardModel::VrnD);
    for (bool send : {true, false}) {
        GraphicalButton* button = ProgramOnPorts::button(window, send);
        button->click();
        QCOMPARE(button->backColour(), kGreyColour);
        QVERIFY(rig.app.notices().last().contains("No serial port is open"));
    }
    QVERIFY2(rig.server.open(), qPrintable(rig.server.errorString()));
    rig.choose("se2");
    QVERIFY(rig.app.link().isOpen());
    QVERIFY(rig.sendWorks());
    QCOMPARE(rig.ends, 0);
}

// A device the user may not open. Tests run as root, for whom no mode denies access, so for the
// moment of the open the program takes the identity of an unprivileged user (keeping root as
// its saved identity to come back to).
void TestPortFaults::permissionDenied()
{
#ifdef Q_OS_WIN
    QSKIP("takes the right to open the port's device away (chmod) and opens it as another "
          "user (setresuid); Windows has neither for a COM port");
#else
    ProgramOnPorts rig;
    QVERIFY2(rig.server.open(), qPrintable(rig.server.errorString()));
    const QString device = rig.server.slavePath();
    QCOMPARE(::chmod(QFile::encodeName(device).constData(), 0), 0);
    const bool root = ::geteuid() == 0;
    if (root)
        QCOMPARE(::setresuid(kNobody, kNobody, 0), 0);
    rig.choose("se2");
    if (root)
        QCOMPARE(::setresuid(0, 0, 0), 0);
    QVERIFY(!rig.app.link().isOpen());
    const QString told = rig.app.notices().last();
    QVERIFY2(told.contains(device) && told.contains("You may not use the serial port"),
             qPrintable(told));
    QCOMPARE(rig.ends, 0);

    // Access granted, the same item opens the port.
    QCOMPARE(::chmod(QFile::encodeName(device).constData(), 0600), 0);
    rig.choose("se2");
    QVERIFY2(rig.app.link().isOpen(), qPrintable(rig.app.notices().last()));
    QVERIFY(rig.sendWorks());
#endif
}

// Another program holds the port: it has it open with the lock that serial ports take.
void TestPortFaults::portHeldByAnotherProgram()
{
    if (underWine())
        QSKIP("wine opens a COM port a second time although the first open shares it with "
              "none; Windows refuses the second open");
    ProgramOnPorts rig;
    QVERIFY2(rig.server.open(), qPrintable(rig.server.errorString()));
    const QString device = rig.server.slavePath();

    QProcess holder;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("VRN_HOLD_PORT", device);
    holder.setProcessEnvironment(environment);
    holder.start(QCoreApplication::applicationFilePath(), {});
    QVERIFY(holder.waitForStarted());
    QVERIFY(holder.waitForReadyRead(kLongWaitMs));
    QCOMPARE(holder.readAllStandardOutput().trimmed(), "held");

    rig.choose("se2");
    QVERIFY(!rig.app.link().isOpen());
    const QString told = rig.app.notices().last();
    QVERIFY2(told.contains(device) && told.contains("another program"), qPrintable(told));
    QCOMPARE(rig.ends, 0);

    // Once the other program lets go, choosing the port again works.
    holder.closeWriteChannel();
    QVERIFY(holder.waitForFinished(kLongWaitMs));
    rig.choose("se2");
    QVERIFY2(rig.app.link().isOpen(), qPrintable(rig.app.notices().last()));
    QVERIFY(rig.sendWorks());
}

// The card's line closes in the middle of a Send and a new one is served under the same name a
// moment later: the transfer fails as always, every status line tells of the wait, and the
// program opens the line again by itself, sending nothing until the next Send.
void TestPortFaults::cardLineBackUnderItsName()
{
#ifdef Q_OS_WIN
    QSKIP("puts the card's new terminal behind the old one's name with a symbolic link; a COM "
          "port's name cannot be made such a link");
#else
    ProgramOnPorts rig;
    QTemporaryDir folder;
    const QString name = folder.filePath("card");
    QVERIFY2(rig.server.open(), qPrintable(rig.server.errorString()));
    QVERIFY(QFile::link(rig.server.slavePath(), name));
    rig.app.chooseDevice(name);
    QVERIFY(rig.app.link().isOpen());
    CardWindow* window = rig.app.showCardWindow(CardModel::VrnB);
    rig.server.card().faults().answerDelayMs = 300; // the line closes before the answer
    connect(&rig.server, &sim::PtyCardServer::frameReceived, &rig.server,
            [&] { QTimer::singleShot(0, &rig.server, &sim::PtyCardServer::close); });
    GraphicalButton* send = ProgramOnPorts::button(window, true);
    send->click();
    QTRY_VERIFY_WITH_TIMEOUT(!send->isBusy(), kLongWaitMs);
    QCOMPARE(send->backColour(), kGreyColour);
    QVERIFY2(rig.app.notices().last().contains("stopped working"),
             qPrintable(rig.app.notices().last()));
    disconnect(&rig.server, &sim::PtyCardServer::frameReceived, nullptr, nullptr);
    QVERIFY(QFile::remove(name)); // the card's server takes its name away as it stops
    const QString waiting = name + " unplugged: waiting for it";
    for (QWidget* w : {static_cast<QWidget*>(rig.app.launcher()), static_cast<QWidget*>(window)})
        QCOMPARE(w->findChild<StatusLine*>()->linkText(), waiting);

    // A new terminal, not yet behind the name: nothing is opened or written.
    rig.server.card().faults().answerDelayMs = 0;
    QVERIFY2(rig.server.open(), qPrintable(rig.server.errorString()));
    rig.server.clearReceived();
    QTest::qWait(3 * Link::kAdapterPollMs);
    QVERIFY(!rig.app.link().isOpen());
    QVERIFY(rig.server.received().isEmpty());

    QVERIFY(QFile::link(rig.server.slavePath(), name));
    QTRY_VERIFY_WITH_TIMEOUT(rig.app.link().isOpen(), 4 * Link::kAdapterPollMs);
    QCOMPARE(window->findChild<StatusLine*>()->linkText(), name + " reopened as " + name);
    QVERIFY(rig.server.received().isEmpty());
    QVERIFY(rig.sendWorks());
    QCOMPARE(rig.ends, 0);
#endif
}

// "Wait for a new port": the port that appears is opened, and nothing is written anywhere until
// the user sends; one that appears and vanishes at once is told of with its likely cause.
void TestPortFaults::waitForNewPort_data()
{
    QTest::addColumn<bool>("vanishes");
    QTest::newRow("appears-and-is-opened") << false;
    QTest::newRow("appears-and-vanishes-with-brltty-installed") << true;
}

void TestPortFaults::waitForNewPort()
{
    QFETCH(bool, vanishes);
    ProgramOnPorts rig;
    auto ports = std::make_shared<ListedPorts>();
    ports->brailleDaemon = true;
    ports->listed = {ListedPorts::usbAdapter("/dev/vrn-test-there-before", "OLD0001")};
    rig.app.link().setPortSource(ports);
    rig.choose("seWait");
    auto* window = rig.app.launcher()->findChild<PortWaitWindow*>();
    QVERIFY(window && window->isVisible() && window->isWaiting());
    const auto* text = window->findChild<QLabel*>("portWaitText");
    QTest::qWait(2 * PortWaitWindow::kPollMs);
    QVERIFY(!rig.app.link().isOpen()); // the port there before is not the one waited for

    if (vanishes) {
        ports->listed.append(ListedPorts::usbAdapter("/dev/vrn-test-claimed", "CH34X01"));
        QTest::qWait(PortWaitWindow::kPollMs * 3 / 2);
        ports->listed.removeLast();
        QTRY_VERIFY_WITH_TIMEOUT(text->text().contains("brltty"), 4 * PortWaitWindow::kPollMs);
        QVERIFY(!rig.app.link().isOpen());
        QVERIFY(window->isWaiting());
        return;
    }
    QVERIFY2(rig.server.open(), qPrintable(rig.server.errorString()));
    ports->listed.append(ListedPorts::usbAdapter(rig.server.slavePath(), "A10K3JX2"));
    QTRY_VERIFY_WITH_TIMEOUT(rig.app.link().isOpen(), 4 * PortWaitWindow::kPollMs);
    QCOMPARE(rig.app.link().portName(), rig.server.slavePath());
    QVERIFY2(text->text().contains("Opened: " + rig.server.slavePath()), qPrintable(text->text()));
    QVERIFY(!window->isWaiting());
    QVERIFY(rig.server.received().isEmpty());
    QVERIFY(rig.sendWorks());
}

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsSet("VRN_HOLD_PORT")) {
        QCoreApplication app(argc, argv);
        return holdPort(qEnvironmentVariable("VRN_HOLD_PORT"));
    }
    QApplication app(argc, argv);
    TestPortFaults test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_port_faults.moc"
