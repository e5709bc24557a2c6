// The launcher's "Seriale" menu beyond its five numbered items: the serial ports the system
// lists, a port typed by name, and the launcher's focus order.

#include "application.h"
#include "card_window.h"
#include "form2.h"
#include "graphical_button.h"
#include "pty_card_server.h"

#include <QAction>
#include <QInputDialog>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

using namespace vrn;

Q_DECLARE_METATYPE(QList<vrn::SerialPortEntry>)

namespace {

constexpr int kTransferWaitMs = 10000;

// The application with its notices kept instead of shown and the ports it lists given by the
// test.
struct TestApp
{
    Application app;
    QList<SerialPortEntry> ports;
    int listings = 0;

    TestApp()
    {
        app.setEndHandler([] {});
        app.notices().setShowWindows(false);
        app.launcher()->setPortLister([this] {
            ++listings;
            return ports;
        });
    }

    QMenu* menu() const { return app.launcher()->findChild<QMenu*>(QStringLiteral("se")); }
    // Opens the "Seriale" menu as the user does, as far as its contents are concerned.
    void openMenu() const { Q_EMIT menu()->aboutToShow(); }
    QAction* item(const QString& name) const { return menu()->findChild<QAction*>(name); }

    QStringList captions() const
    {
        QStringList list;
        for (QAction* action : menu()->actions()) {
            QString caption = action->isSeparator() ? QStringLiteral("-") : action->text();
            if (!action->isEnabled())
                caption += QStringLiteral(" [off]");
            list << caption;
        }
        return list;
    }

    QInputDialog* otherPortDialog() const
    {
        return app.launcher()->findChild<QInputDialog*>(QStringLiteral("otherPortDialog"));
    }

    // A VRN-B Send; the frames the card at the end of the line received.
    bool send()
    {
        auto* button = app.showCardWindow(CardModel::VrnB)->findChild<GraphicalButton*>("Command1");
        button->click();
        return button->isBusy() &&
               QTest::qWaitFor([button] { return !button->isBusy(); }, kTransferWaitMs);
    }
};

const QStringList kFixedItems{"Ser1", "Ser2", "Ser3", "Se4", "Ser5", "-", "Simulated card", "-"};
// The items after the system's ports.
const QStringList kPortItems{"Other port...", "Wait for a new port...", "Compare...",
                             "Commissioning station..."};

} // namespace

class TestLauncherPorts : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void menuListsSystemPorts_data();
    void menuListsSystemPorts();
    void portListReadAfreshEachOpening();
    void systemPortsUnderTheirUsualNames();
    void listedPortOpensThatDevice();
    void listedPortClosesOpenPortFirst();
    void listedPortThatIsGoneIsReported();
    void otherPortOpensTypedDevice_data();
    void otherPortOpensTypedDevice();
    void otherPortQuestionKeepsLastAnswer();
    void launcherFocusOrder();
};

void TestLauncherPorts::menuListsSystemPorts_data()
{
    QTest::addColumn<QList<SerialPortEntry>>("ports");
    QTest::addColumn<QStringList>("listed");
    QTest::newRow("usb-adapter-with-description-and-maker")
        << QList<SerialPortEntry>{{"/dev/ttyUSB0", "FT232R USB UART", "FTDI"}}
        << QStringList{"/dev/ttyUSB0 - FT232R USB UART (FTDI)"};
    QTest::newRow("bare-port-only-its-location")
        << QList<SerialPortEntry>{{"/dev/ttyS0", "", ""}} << QStringList{"/dev/ttyS0"};
    QTest::newRow("maker-same-as-description-said-once")
        << QList<SerialPortEntry>{{"/dev/ttyACM0", "Arduino", "Arduino"}}
        << QStringList{"/dev/ttyACM0 - Arduino"};
    QTest::newRow("numbers-in-natural-order")
        << QList<SerialPortEntry>{{"/dev/ttyS10", "", ""}, {"/dev/ttyS2", "", ""}}
        << QStringList{"/dev/ttyS2", "/dev/ttyS10"};
    QTest::newRow("windows-ports-in-natural-order")
        << QList<SerialPortEntry>{{"COM10", "USB Serial Port", "FTDI"}, {"COM2", "", ""}}
        << QStringList{"COM2", "COM10 - USB Serial Port (FTDI)"};
    QTest::newRow("maker-in-parentheses-not-doubled")
        << QList<SerialPortEntry>{{"COM1", "Communications Port", "(Standard port types)"}}
        << QStringList{"COM1 - Communications Port (Standard port types)"};
    QTest::newRow("ampersand-shown-not-a-shortcut")
        << QList<SerialPortEntry>{{"/dev/ttyUSB1", "R&D adapter", ""}}
        << QStringList{"/dev/ttyUSB1 - R&&D adapter"};
    QTest::newRow("no-port-says-so-and-cannot-be-chosen")
        << QList<SerialPortEntry>{} << QStringList{"No serial port found [off]"};
}

void TestLauncherPorts::menuListsSystemPorts()
{
    QFETCH(QList<SerialPortEntry>, ports);
    QFETCH(QStringList, listed);
    TestApp t;
    t.ports = ports;
    t.openMenu();
    QCOMPARE(t.captions(), kFixedItems + listed + kPortItems);
}

void TestLauncherPorts::portListReadAfreshEachOpening()
{
    TestApp t;
    t.ports = {{"/dev/ttyUSB0", "", ""}};
    t.openMenu();
    t.ports = {{"/dev/ttyUSB0", "", ""}, {"/dev/ttyACM0", "", ""}}; // an adapter plugged in
    t.openMenu();
    QCOMPARE(t.listings, 2);
    const QStringList both{"/dev/ttyACM0", "/dev/ttyUSB0"};
    QCOMPARE(t.captions(), kFixedItems + both + kPortItems);
    t.ports.clear(); // both unplugged
    t.openMenu();
    const QStringList none{"No serial port found [off]"};
    QCOMPARE(t.captions(), kFixedItems + none + kPortItems);
}

// The ports the system lists, under the names their users know: "COM3" on Windows rather than
// its device path "\\.\COM3", the device file elsewhere.
void TestLauncherPorts::systemPortsUnderTheirUsualNames()
{
    const QList<SerialPortEntry> ports = Form2::systemPorts();
    if (ports.isEmpty())
        QSKIP("this machine has no serial port to list");
    for (const SerialPortEntry& port : ports) {
#ifdef Q_OS_WIN
        QVERIFY2(!port.location.startsWith(QLatin1String("\\\\.\\")), qPrintable(port.location));
#else
        QVERIFY2(port.location.startsWith(QLatin1String("/dev/")), qPrintable(port.location));
#endif
    }
}

void TestLauncherPorts::listedPortOpensThatDevice()
{
    sim::PtyCardServer card;
    QVERIFY2(card.open(), qPrintable(card.errorString()));
    TestApp t;
    t.ports = {{"/dev/ttyS0", "", ""}, {card.slavePath(), "pseudo-terminal", ""}};
    t.openMenu();
    QAction* item = nullptr;
    for (QAction* action : t.menu()->actions()) {
        if (action->data().toString() == card.slavePath())
            item = action;
    }
    QVERIFY(item);
    item->trigger();
    QVERIFY2(t.app.link().isOpen(), qPrintable(t.app.notices().last()));
    QCOMPARE(t.app.link().portName(), card.slavePath());
    QVERIFY(t.send());
    QVERIFY2(t.app.notices().history().isEmpty(), qPrintable(t.app.notices().last()));
    QCOMPARE(card.card().framesReceived().size(), 11);
    QCOMPARE(card.card().framesReceived().last(), QByteArray("z$"));
}

void TestLauncherPorts::listedPortClosesOpenPortFirst()
{
    sim::PtyCardServer card;
    QVERIFY2(card.open(), qPrintable(card.errorString()));
    TestApp t;
    t.ports = {{card.slavePath(), "", ""}};
    t.item("seSimulated")->trigger();
    QVERIFY(t.app.link().isOpen());
    t.openMenu();
    t.item("sePort0")->trigger();
    QVERIFY(t.app.link().isOpen());
    QVERIFY(t.send());
    QCOMPARE(card.card().framesReceived().size(), 11);
    QVERIFY(t.app.simulatedCard().framesReceived().isEmpty());
}

void TestLauncherPorts::listedPortThatIsGoneIsReported()
{
    TestApp t;
    t.ports = {{"/dev/vrn-test-unplugged", "USB adapter", ""}};
    t.openMenu();
    t.item("sePort0")->trigger();
    QVERIFY(!t.app.link().isOpen());
    QCOMPARE(t.app.notices().history().size(), 1);
    QVERIFY(t.app.notices().last().contains("/dev/vrn-test-unplugged does not exist"));
}

void TestLauncherPorts::otherPortOpensTypedDevice_data()
{
    QTest::addColumn<QString>("typed"); // "<pty>" stands for the card's pseudo-terminal
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<QString>("told");
    QTest::newRow("pseudo-terminal-opens") << "<pty>" << true << true << "";
    QTest::newRow("blanks-around-name-ignored") << "  <pty> " << true << true << "";
    QTest::newRow("cancelled-changes-nothing") << "<pty>" << false << false << "";
    QTest::newRow("empty-name-changes-nothing") << "   " << true << false << "";
    QTest::newRow("missing-device-is-reported")
        << "/dev/vrn-test-none" << true << false << "/dev/vrn-test-none does not exist";
    QTest::newRow("missing-com-port-is-reported")
        << "COM199" << true << false << "COM199 does not exist";
}

void TestLauncherPorts::otherPortOpensTypedDevice()
{
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    QFETCH(bool, opens);
    QFETCH(QString, told);
    sim::PtyCardServer card;
    QVERIFY2(card.open(), qPrintable(card.errorString()));
    const QString cardPort = card.slavePath();
    TestApp t;
    t.app.start();
    t.item("seOther")->trigger();
    QInputDialog* dialog = t.otherPortDialog();
    QVERIFY(dialog);
    QVERIFY(dialog->isVisible());
    // The question holds up the launcher only: card windows go on being usable.
    QCOMPARE(dialog->windowModality(), Qt::WindowModal);
    dialog->setTextValue(QString(typed).replace("<pty>", cardPort));
    if (accepted)
        dialog->accept();
    else
        dialog->reject();
    QVERIFY(!dialog->isVisible());
    QCOMPARE(t.app.link().isOpen(), opens);
    if (opens) {
        QCOMPARE(t.app.link().portName(), cardPort);
        QVERIFY(t.send());
        QCOMPARE(card.card().framesReceived().size(), 11);
    }
    if (told.isEmpty())
        QVERIFY2(t.app.notices().history().isEmpty(), qPrintable(t.app.notices().last()));
    else
        QVERIFY2(t.app.notices().last().contains(told), qPrintable(t.app.notices().last()));
}

void TestLauncherPorts::otherPortQuestionKeepsLastAnswer()
{
    TestApp t;
    t.app.start();
    t.item("seOther")->trigger();
    t.otherPortDialog()->setTextValue("/dev/vrn-test-typed");
    t.otherPortDialog()->accept();
    t.item("seOther")->trigger();
    QCOMPARE(t.otherPortDialog()->textValue(), QStringLiteral("/dev/vrn-test-typed"));
    QVERIFY(t.otherPortDialog()->isVisible());
    t.otherPortDialog()->reject();
    QCOMPARE(t.app.notices().history().size(), 1); // only the failed open of the first answer
}

void TestLauncherPorts::launcherFocusOrder()
{
    TestApp t;
    t.app.start();
    Form2* launcher = t.app.launcher();
    QVERIFY(QTest::qWaitForWindowActive(launcher));
    const QStringList expected{"Picture1", "Command1", "Command2",
                               "Command3", "Command4", "Picture1"};
    launcher->findChild<QWidget*>("Picture1")->setFocus(Qt::OtherFocusReason);
    QStringList visited{QApplication::focusWidget()->objectName()};
    for (int i = 1; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, expected);
}

QTEST_MAIN(TestLauncherPorts)
#include "tst_launcher_ports.moc"
