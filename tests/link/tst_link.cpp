#include "link.h"
#include "link_words.h"
#include "listed_ports.h"
#include "simulated_transport.h"

#include <QSignalSpy>
#include <QTest>

using namespace vrn;

Q_DECLARE_METATYPE(vrn::PortInfo)

class TestLink : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void defaultPortNames_data();
    void defaultPortNames();
    void portNumberGoesThroughResolver();
    void missingPortFailsNamingIt();
    void noPortChangeWhileTransferRuns();
    void adapterKeys_data();
    void adapterKeys();
};

void TestLink::defaultPortNames_data()
{
    QTest::addColumn<int>("portNumber");
    QTest::addColumn<QString>("device");
#ifdef Q_OS_WIN
    QTest::newRow("first-port") << 1 << QStringLiteral("COM1");
    QTest::newRow("fifth-port") << 5 << QStringLiteral("COM5");
#else
    QTest::newRow("first-port-is-ttyS0") << 1 << QStringLiteral("/dev/ttyS0");
    QTest::newRow("second-port-is-ttyS1") << 2 << QStringLiteral("/dev/ttyS1");
    QTest::newRow("fifth-port-is-ttyS4") << 5 << QStringLiteral("/dev/ttyS4");
#endif
}

void TestLink::defaultPortNames()
{
    QFETCH(int, portNumber);
    QFETCH(QString, device);
    QCOMPARE(Link::defaultPortName(portNumber), device);
}

void TestLink::portNumberGoesThroughResolver()
{
    sim::Card card;
    Link link;
    QCOMPARE(link.portNumber(), 1);
    QCOMPARE(link.portName(), Link::defaultPortName(1)); // port 1 before any choice

    QList<int> asked;
    link.setPortNameResolver([&asked](int n) {
        asked.append(n);
        return QStringLiteral("/dev/vrn-no-such-port-%1").arg(n);
    });
    QVERIFY(!link.openPort(4));
    QCOMPARE(asked, QList<int>{4});
    QCOMPARE(link.portNumber(), 4);
    QCOMPARE(link.portName(), QStringLiteral("/dev/vrn-no-such-port-4"));
}

void TestLink::missingPortFailsNamingIt()
{
    sim::Card card;
    Link link;
    link.setPortNameResolver([](int) { return QStringLiteral("/dev/vrn-no-such-port"); });
    QSignalSpy changed(&link, &Link::portChanged);

    QVERIFY(!link.openPort(2));
    QVERIFY(!link.isOpen());
    QVERIFY2(saidOfPort(link.lastError()).contains(QStringLiteral("/dev/vrn-no-such-port")),
             qPrintable(saidOfPort(link.lastError())));
    QVERIFY(changed.count() >= 1);

    // A transfer on the failed port is refused, not started.
    LinkError refusal;
    QVERIFY(
        !link.startTransfer({TransferStep::transaction([] { return "z$"; })}, nullptr, &refusal));
    QVERIFY(refusal.isError());

    // A working line can be opened after the failure.
    QVERIFY(sim::openSimulatedCard(link, card));
    QVERIFY(!link.lastError().isError());
    QVERIFY(link.isOpen());
}

void TestLink::noPortChangeWhileTransferRuns()
{
    sim::Card card;
    Link link;
    link.setPortNameResolver([](int) { return QStringLiteral("/dev/vrn-no-such-port"); });
    QVERIFY(sim::openSimulatedCard(link, card));
    card.faults().answerDelayMs = 30;

    int calls = 0;
    bool ok = false;
    QVERIFY(link.startTransfer(
        {TransferStep::transaction([] { return "B00002$"; }),
         TransferStep::transaction([] { return "z$"; })},
        [&](const TransferOutcome& outcome) {
            ++calls;
            ok = outcome.ok;
        },
        nullptr));
    QVERIFY(!link.openPort(3));
    QVERIFY2(saidOfPort(link.lastError()).contains(QStringLiteral("transfer")),
             qPrintable(saidOfPort(link.lastError())));
    QVERIFY(link.isOpen());
    QTRY_COMPARE(calls, 1);
    QVERIFY(ok);
    QCOMPARE(card.parameter('B'), 2);
}

// An adapter by the key vrn-cli takes: what identifies each kind of port, and that a key typed
// by hand finds the port it names and no other.
void TestLink::adapterKeys_data()
{
    QTest::addColumn<PortInfo>("port");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("typed"); // a key typed by hand that names this port
    QTest::addColumn<QString>("notIt"); // one that does not
    PortInfo builtIn;
    builtIn.device = "/dev/ttyS0";
    QTest::newRow("serial-number")
        << ListedPorts::usbAdapter("/dev/ttyUSB1", "A10K3JX2", "1-2") << "usb:A10K3JX2"
        << "usb:A10K3JX2"
        << "usb:A10K3JX3";
    QTest::newRow("ids-and-place")
        << ListedPorts::usbAdapter("/dev/ttyUSB0", "", "1-2.4") << "usb:0403:6001@1-2.4:1.0"
        << "usb:0403:6001"
        << "usb:0403:6001@1-2.3";
    QTest::newRow("device-name") << builtIn << "/dev/ttyS0"
                                 << ""
                                 << "usb:0403:6001";
}

void TestLink::adapterKeys()
{
    QFETCH(PortInfo, port);
    QFETCH(QString, key);
    QFETCH(QString, typed);
    QFETCH(QString, notIt);
    const AdapterIdentity adapter = identityOf(port);
    QCOMPARE(adapter.key(), key);
    QVERIFY(isAdapter(port, adapter));
    if (const std::optional<AdapterIdentity> parsed = AdapterIdentity::fromKey(key))
        QCOMPARE(parsed->key(), key);
    if (!typed.isEmpty())
        QVERIFY(isAdapter(port, AdapterIdentity::fromKey(typed).value()));
    QVERIFY(!isAdapter(port, AdapterIdentity::fromKey(notIt).value()));
    QVERIFY(!AdapterIdentity::fromKey("/dev/ttyS0"));
}

QTEST_GUILESS_MAIN(TestLink)
#include "tst_link.moc"
