// vrn-cli end to end: the program runs as a process of its own against simulated cards on
// pseudo-terminals, served in this test (to see every frame that arrives, and when) or by
// vrn-card-sim processes (several at once, silent, holding other values, dropping the line).
// The frames are compared with what a card window sends for the same file.
//
// The choice of a port by its adapter's key and the list of the ports command run inside this
// test, against ports it gives.
//
// Run with VRN_HOLD_PORT=<device> the test program is another program that holds the device
// until its standard input closes.

#include "card_window_rig.h"
#include "command_line.h"
#include "journal.h"
#include "journal_entries.h"
#include "port_holder.h"
#include "port_list.h"
#include "port_report.h"
#include "port_run.h"
#include "port_source.h"
#include "pty_card_server.h"
#include "under_wine.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSerialPort>
#include <QSocketNotifier>
#include <QTest>
#include <QTimer>

#ifdef Q_OS_UNIX
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

using namespace vrn;
using namespace Qt::StringLiterals;

namespace {

constexpr int kRunWaitMs = 30000;            // far beyond every time-out of a run
constexpr qint64 kPauseFloorNs = 90'000'000; // a settle pause, less the test's own latency
#ifdef Q_OS_UNIX
constexpr uid_t kNobody = 65534; // an unprivileged user for a real permission refusal
#endif

// vrn-card-sim, a Unix program, serves its cards on pseudo-terminals of its own.
#ifdef VRN_CARD_SIM
#define SKIP_WITHOUT_CARD_SIM()
#else
#define SKIP_WITHOUT_CARD_SIM()                                                                    \
    QSKIP("the cards here are vrn-card-sim processes, a Unix program that serves them on "         \
          "pseudo-terminals of its own")
#endif

const QString kData = QStringLiteral(VRN_SOURCE_DIR "/tests/cards");

struct CliRun
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
    qint64 elapsedMs = 0;

    // The JSON objects of --json output, one a line.
    QList<QJsonObject> objects() const
    {
        QList<QJsonObject> list;
        for (const QByteArray& line : out.split('\n')) {
            if (!line.isEmpty())
                list << QJsonDocument::fromJson(line).object();
        }
        return list;
    }
    QJsonObject objectFor(const QString& port) const
    {
        for (const QJsonObject& o : objects()) {
            if (o.value("port").toString() == port)
                return o;
        }
        return {};
    }
    QString said() const { return QString::fromUtf8(out + err); }
};

#ifdef Q_OS_UNIX
// Whether a user other than the owner may reach and run the file: it and every folder above it
// open to others (a clone in a folder made by mktemp is not).
bool othersMayRun(const QString& path)
{
    const QFileInfo file(path);
    if (!file.permission(QFileDevice::ExeOther))
        return false;
    for (QDir dir = file.absoluteDir();;) {
        if (!QFileInfo(dir.absolutePath()).permission(QFileDevice::ExeOther))
            return false;
        if (!dir.cdUp())
            return true;
    }
}
#endif

// Runs vrn-cli to its end while this process's event loop serves the cards of the test.
CliRun runCli(const QStringList& arguments, const std::function<void(QProcess&)>& prepare = nullptr)
{
    QProcess process;
    process.setProgram(QStringLiteral(VRN_CLI));
    process.setArguments(arguments);
    if (prepare)
        prepare(process);
    CliRun run;
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
    QTimer::singleShot(kRunWaitMs, &loop, &QEventLoop::quit);
    process.start();
    loop.exec();
    run.elapsedMs = clock.elapsed();
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
#ifdef Q_OS_WIN
    // A console program's lines end with CR LF on Windows.
    run.out.replace("\r\n", "\n");
    run.err.replace("\r\n", "\n");
#endif
    return run;
}

#ifdef VRN_CARD_SIM
// A simulated card served by vrn-card-sim in a process of its own.
struct SimProcess
{
    QProcess process;
    QString device;

    bool start(const QStringList& options)
    {
        process.start(QStringLiteral(VRN_CARD_SIM), QStringList{u"--quiet"_s} + options);
        if (!process.waitForStarted() || !process.waitForReadyRead(kRunWaitMs))
            return false;
        device = QString::fromLocal8Bit(process.readLine()).trimmed();
        return device.startsWith(u"/dev/");
    }
    ~SimProcess()
    {
        process.terminate();
        if (!process.waitForFinished(kRunWaitMs))
            process.kill();
    }
};
#endif

QString formOf(const QString& card)
{
    static const QMap<QString, QString> forms{{u"vrn-a"_s, u"Form1"_s},
                                              {u"vrn-b"_s, u"Form3"_s},
                                              {u"vrn-c"_s, u"Form4"_s},
                                              {u"vrn-d"_s, u"Form5"_s}};
    return forms.value(card);
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What a card window puts on the line when it opens `file` and presses Send, then Verify.
void windowFrames(const QString& card, const QString& file, QList<QByteArray>* frames)
{
    CardWindowRig rig(formOf(card));
    rig.open(u"window.par"_s, contents(file));
    QVERIFY2(rig.notices.history().isEmpty(), qPrintable(rig.notices.last()));
    QVERIFY(sim::openSimulatedCard(rig.link, rig.card));
    QVERIFY(rig.window->send());
    QVERIFY(QTest::qWaitFor([&] { return !rig.link.isBusy(); }, kRunWaitMs));
    QVERIFY(rig.window->verify());
    QVERIFY(QTest::qWaitFor([&] { return !rig.link.isBusy(); }, kRunWaitMs));
    *frames = rig.card.framesReceived();
}

// What a card window saves after a Read of a card holding `parameters`.
void windowSavesAfterRead(const QString& card, const std::map<char, int>& parameters,
                          QByteArray* saved)
{
    CardWindowRig rig(formOf(card));
    for (const auto& [letter, value] : parameters)
        rig.card.setParameter(letter, value);
    QVERIFY(sim::openSimulatedCard(rig.link, rig.card));
    QVERIFY(rig.window->read());
    QVERIFY(QTest::qWaitFor([&] { return !rig.link.isBusy(); }, kRunWaitMs));
    QVERIFY2(rig.notices.history().isEmpty(), qPrintable(rig.notices.last()));
    *saved = rig.save(u"window.par"_s);
}

// The ports a test lists, in place of the system's.
class ListedPorts : public PortSource
{
public:
    explicit ListedPorts(QList<PortInfo> ports) : m_ports(std::move(ports)) {}
    QList<PortInfo> ports() override { return m_ports; }
    bool deviceExists(const QString& device) override
    {
        return std::any_of(m_ports.cbegin(), m_ports.cend(),
                           [&device](const PortInfo& port) { return port.device == device; });
    }
    bool brailleDaemonInstalled() override { return false; }

private:
    QList<PortInfo> m_ports;
};

PortInfo builtInPort(const QString& device)
{
    PortInfo port;
    port.device = device;
    return port;
}

PortInfo usbPort(const QString& device, const QString& serialNumber, quint16 vendorId,
                 quint16 productId, const QString& location)
{
    PortInfo port = builtInPort(device);
    port.serialNumber = serialNumber;
    port.hasIds = true;
    port.vendorId = vendorId;
    port.productId = productId;
    port.usbLocation = location;
    port.usbInterface = u"1.0"_s;
    return port;
}

// A rig's ports, not in order: two built-in ones, an adapter with a serial number, and two of
// one kind without.
QList<PortInfo> rigPorts()
{
    QList<PortInfo> ports{builtInPort(u"/dev/ttyS10"_s),
                          usbPort(u"/dev/ttyUSB0"_s, u"A10K3JX2"_s, 0x0403, 0x6001, u"1-1"_s),
                          usbPort(u"/dev/ttyUSB2"_s, {}, 0x1a86, 0x7523, u"1-3.4"_s),
                          usbPort(u"/dev/ttyUSB1"_s, {}, 0x1a86, 0x7523, u"1-2"_s),
                          builtInPort(u"/dev/ttyS2"_s)};
    for (PortInfo& port : ports) {
        const bool ftdi = port.vendorId == 0x0403;
        if (port.hasIds) {
            port.description = ftdi ? u"FT232R USB UART"_s : u"USB Serial"_s;
            port.manufacturer = ftdi ? u"FTDI"_s : u"QinHeng"_s;
        }
    }
    return ports;
}

// Runs each port of the request as vrn-cli does, all at once, until every one has ended.
std::vector<PortResult> runPorts(const CliRequest& request)
{
    std::vector<std::unique_ptr<PortRun>> runs;
    for (const CliPort& port : request.ports)
        runs.push_back(std::make_unique<PortRun>(request, port));
    for (auto& run : runs) {
        if (run->loadFile())
            run->start();
    }
    const bool ended = QTest::qWaitFor(
        [&runs] {
            return std::all_of(runs.cbegin(), runs.cend(),
                               [](const auto& run) { return run->isFinished(); });
        },
        kRunWaitMs);
    // The port is closed and finished() told on the next turn of the event loop.
    QTest::qWait(50);
    std::vector<PortResult> results;
    for (const auto& run : runs)
        results.push_back(run->result());
    if (!ended)
        results.clear();
    return results;
}

} // namespace

class TestCli : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void sendsWhatTheWindowSends_data();
    void sendsWhatTheWindowSends();
    void jsonTellsEveryValue_data();
    void jsonTellsEveryValue();
    void portsRunAtOnce();
    void verifyReportsEachCard();
    void readSavesAsTheWindowSaves();
    void fileNotSaved();
    void simulatedCard();
    void loadedFileNoteIsTold();
    void terminalShowsProgress();
    void adapterKeysChooseTheirPort_data();
    void adapterKeysChooseTheirPort();
    void adapterKeyRunsOnItsPortOnly();
    void portsCommandListsEveryPort_data();
    void portsCommandListsEveryPort();
    void portsCommandNeedsNoCard();
    void journalCommands_data();
    void journalCommands();
    void portProblemsNameThePort_data();
    void portProblemsNameThePort();
    void refusedFileTouchesNoPort_data();
    void refusedFileTouchesNoPort();
    void badUsage_data();
    void badUsage();
    void helpListsEverything();
    void germanHelpAndUsageErrors_data();
    void germanHelpAndUsageErrors();
    void sendWithoutVerifyTellsNoCardValues();
    void interruptStopsEveryPortAndTellsHowFar();
    void secondInterruptEndsAtOnce();
};

void TestCli::sendsWhatTheWindowSends_data()
{
    QTest::addColumn<QString>("card");
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("pauses");
    QTest::addColumn<bool>("verify");
    QTest::newRow("VRN-A-options-clicked")
        << u"vrn-a"_s << kData + u"/vrn_a/data/options_after_start.txt"_s << true << true;
    QTest::newRow("VRN-A-untouched-window")
        << u"vrn-a"_s << kData + u"/vrn_a/data/untouched.txt"_s << true << true;
    QTest::newRow("VRN-A-no-verify")
        << u"vrn-a"_s << kData + u"/vrn_a/data/options_after_start.txt"_s << true << false;
    QTest::newRow("VRN-B-option-code")
        << u"vrn-b"_s << kData + u"/common/data/vrn_b_check9.par"_s << false << true;
    QTest::newRow("VRN-B-bare-number")
        << u"vrn-b"_s << kData + u"/common/data/vrn_b_bare.par"_s << false << true;
    QTest::newRow("VRN-B-empty-pwm")
        << u"vrn-b"_s << kData + u"/common/data/vrn_b_empty.par"_s << false << true;
    QTest::newRow("VRN-C") << u"vrn-c"_s << kData + u"/common/data/vrn_c_check9.par"_s << false
                           << true;
    QTest::newRow("VRN-D") << u"vrn-d"_s << kData + u"/common/data/vrn_d_five.par"_s << false
                           << true;
    QTest::newRow("VRN-D-no-verify")
        << u"vrn-d"_s << kData + u"/common/data/vrn_d_five.par"_s << false << false;
}

// The frames on the line are those of the window that opens the same file and sends it, then
// verifies; VRN-A's settle pauses separate its frames.
void TestCli::sendsWhatTheWindowSends()
{
    QFETCH(QString, card);
    QFETCH(QString, file);
    QFETCH(bool, pauses);
    QFETCH(bool, verify);
    QList<QByteArray> expected;
    windowFrames(card, file, &expected);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(expected.last(), QByteArray("w$"));
    if (!verify)
        expected.removeLast(); // the Send alone: no read request follows

    sim::PtyCardServer server;
    QVERIFY2(server.open(), qPrintable(server.errorString()));
    std::vector<qint64> arrivals;
    connect(&server, &sim::PtyCardServer::terminalRead, this,
            [&](qint64 ns, const QByteArray& bytes) {
                for (int i = 0; i < bytes.count('$'); ++i)
                    arrivals.push_back(ns);
            });
    QStringList arguments{u"send"_s,          u"--card"_s, card, u"--port"_s,
                          server.slavePath(), u"--json"_s, file};
    if (!verify)
        arguments << u"--no-verify"_s;
    const CliRun run = runCli(arguments);
    QCOMPARE(server.card().framesReceived(), expected);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.objects().size(), 1);
    QCOMPARE(run.objects().first().value("outcome").toString(), verify ? u"verified"_s : u"sent"_s);

    // The Send's frames, then the read request: with pauses, every frame but the first of the
    // Send follows the one before after a settle pause at least.
    QCOMPARE(arrivals.size(), std::size_t(expected.size()));
    const std::size_t sendFrames = arrivals.size() - (verify ? 1 : 0);
    for (std::size_t i = 1; pauses && i < sendFrames; ++i) {
        QVERIFY2(arrivals[i] - arrivals[i - 1] >= kPauseFloorNs,
                 qPrintable(u"frame %1 after %2 ns"_s.arg(i).arg(arrivals[i] - arrivals[i - 1])));
    }
}

void TestCli::jsonTellsEveryValue_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("cardHolds"); // LETTER=VALUE, preset on the card
    QTest::addColumn<QString>("outcome");
    QTest::addColumn<QString>("values"); // letter:name:unit:code:text:cardCode:cardText, by ';'
    QTest::addColumn<QString>("differences"); // letter:code:cardCode, by ';'

    // vrn_b_check9.par: maximum current slider at 255 (code 768), over-supply at 99 (code 0),
    // PWM "00003".
    QTest::newRow("send-verified") << u"send"_s << u""_s << u"verified"_s
                                   << u"B:PWM:PWM choice:3:(3) 300 Hz:3:(3) 300 Hz;"
                                      "H:Maximum current:mA:768:2250 mA:768:2250 mA;"
                                      "Z:Over-supply time:ms:0:0 ms:0:0 ms"_s
                                   << u""_s;
    QTest::newRow("verify-differs") << u"verify"_s << u"B=5 H=300 Z=0"_s << u"differs"_s
                                    << u"B:PWM:PWM choice:3:(3) 300 Hz:5:(5) 500 Hz;"
                                       "H:Maximum current:mA:768:2250 mA:300:879 mA;"
                                       "Z:Over-supply time:ms:0:0 ms:0:0 ms"_s
                                    << u"B:3:5;H:768:300"_s;
}

// With --json each port gives one object: every field, and every value with its name, unit,
// codes and texts, checked one by one.
void TestCli::jsonTellsEveryValue()
{
    QFETCH(QString, command);
    QFETCH(QString, cardHolds);
    QFETCH(QString, outcome);
    QFETCH(QString, values);
    QFETCH(QString, differences);
    sim::PtyCardServer server;
    QVERIFY2(server.open(), qPrintable(server.errorString()));
    for (const QString& item : cardHolds.split(u' ', Qt::SkipEmptyParts)) {
        const QStringList parts = item.split(u'=');
        QCOMPARE(parts.size(), 2);
        server.card().setParameter(parts[0].at(0).toLatin1(), parts[1].toInt());
    }
    const QString file = kData + u"/common/data/vrn_b_check9.par"_s;
    const QString port = server.slavePath();
    const CliRun run =
        runCli({command, u"--card"_s, u"VRN-B"_s, u"--port"_s, port, u"--json"_s, file});
    QCOMPARE(run.exitCode, outcome == u"verified" ? 0 : 1);
    QCOMPARE(run.objects().size(), 1);
    const QJsonObject o = run.objects().first();
    QCOMPARE(o.value("port").toString(), port);
    QCOMPARE(o.value("card").toString(), u"VRN-B"_s);
    QCOMPARE(o.value("command").toString(), command);
    QCOMPARE(o.value("file").toString(), file);
    QCOMPARE(o.value("outcome").toString(), outcome);
    QCOMPARE(o.value("error").toString(), QString());
    QVERIFY(o.value("seconds").toDouble() > 0);

    const QJsonArray got = o.value("values").toArray();
    const QStringList want = values.split(u';');
    QCOMPARE(got.size(), want.size());
    for (int i = 0; i < want.size(); ++i) {
        const QStringList f = want[i].split(u':');
        QCOMPARE(f.size(), 7);
        const QJsonObject v = got[i].toObject();
        QCOMPARE(v.value("letter").toString(), f[0]);
        QCOMPARE(v.value("name").toString(), f[1]);
        QCOMPARE(v.value("unit").toString(), f[2]);
        QCOMPARE(v.value("code").toInt(-1), f[3].toInt());
        QCOMPARE(v.value("text").toString(), f[4]);
        QCOMPARE(v.value("cardCode").toInt(-1), f[5].toInt());
        QCOMPARE(v.value("cardText").toString(), f[6]);
    }
    const QJsonArray gotDifferences = o.value("differences").toArray();
    const QStringList wantDifferences = differences.split(u';', Qt::SkipEmptyParts);
    QCOMPARE(gotDifferences.size(), wantDifferences.size());
    for (int i = 0; i < wantDifferences.size(); ++i) {
        const QStringList f = wantDifferences[i].split(u':');
        QCOMPARE(f.size(), 3);
        const QJsonObject d = gotDifferences[i].toObject();
        QCOMPARE(d.value("letter").toString(), f[0]);
        QCOMPARE(d.value("code").toInt(-1), f[1].toInt());
        QCOMPARE(d.value("cardCode").toInt(-1), f[2].toInt());
        QVERIFY(!d.value("name").toString().isEmpty());
    }
}

// Four VRN-A Sends at once, on cards of their own processes: two that answer, one silent, one
// that drops its line after three frames. Each port is reported by its name; the run takes as
// long as its slowest port, not as long as all of them one after the other.
void TestCli::portsRunAtOnce()
{
    SKIP_WITHOUT_CARD_SIM();
#ifdef VRN_CARD_SIM
    SimProcess good1, good2, silent, dropping;
    QVERIFY(good1.start({}));
    QVERIFY(good2.start({}));
    QVERIFY(silent.start({u"--silent"_s}));
    QVERIFY(dropping.start({u"--lose-after"_s, u"3"_s}));
    const QString file = kData + u"/vrn_a/data/options_after_start.txt"_s;
    const CliRun run = runCli({u"send"_s, u"--card"_s, u"vrn-a"_s, u"--port"_s, good1.device,
                               u"--ports"_s, good2.device + u',' + silent.device, u"--port"_s,
                               dropping.device, u"--json"_s, file});
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.objects().size(), 4);
    // In the order the ports were given, though the silent one ended last.
    const QStringList given{good1.device, good2.device, silent.device, dropping.device};
    for (int i = 0; i < 4; ++i)
        QCOMPARE(run.objects()[i].value("port").toString(), given[i]);
    QCOMPARE(run.objectFor(good1.device).value("outcome").toString(), u"verified"_s);
    QCOMPARE(run.objectFor(good2.device).value("outcome").toString(), u"verified"_s);
    for (const SimProcess* failing : {&silent, &dropping}) {
        const QJsonObject o = run.objectFor(failing->device);
        QCOMPARE(o.value("outcome").toString(), u"failed"_s);
        QVERIFY2(o.value("error").toString().contains(failing->device), qPrintable(run.said()));
    }
    QVERIFY2(run.objectFor(silent.device).value("error").toString().contains(u"did not answer"),
             qPrintable(run.said()));

    double oneAfterTheOther = 0;
    for (const QJsonObject& o : run.objects())
        oneAfterTheOther += o.value("seconds").toDouble();
    QVERIFY2(
        run.elapsedMs < oneAfterTheOther * 1000 * 0.8,
        qPrintable(
            u"%1 ms for ports that took %2 s together"_s.arg(run.elapsedMs).arg(oneAfterTheOther)));
#endif
}

// Verify on two cards, one holding the file's values and one holding others: the text for
// people gives one line per port, each naming it, and a summary.
void TestCli::verifyReportsEachCard()
{
    SKIP_WITHOUT_CARD_SIM();
#ifdef VRN_CARD_SIM
    SimProcess same, other;
    // vrn_c_check9.par: minimum and maximum current code 0, excitation time 1, PWM 3.
    QVERIFY(same.start({u"--set"_s, u"B=3"_s, u"--set"_s, u"C=1"_s}));
    QVERIFY(other.start({u"--set"_s, u"B=3"_s, u"--set"_s, u"H=100"_s, u"--set"_s, u"C=1"_s}));
    const CliRun run =
        runCli({u"verify"_s, u"--card"_s, u"vrn-c"_s, u"--ports"_s,
                same.device + u',' + other.device, kData + u"/common/data/vrn_c_check9.par"_s});
    QCOMPARE(run.exitCode, 1);
    const QStringList lines = QString::fromUtf8(run.out).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 3);
    const auto lineOf = [&lines](const QString& port) {
        for (const QString& line : lines) {
            if (line.startsWith(port + u' '))
                return line;
        }
        return QString();
    };
    QVERIFY2(lineOf(same.device).contains(u"verified"), qPrintable(run.said()));
    QVERIFY2(lineOf(other.device).contains(u"differs") &&
                 lineOf(other.device).contains(u"Maximum current: file 0 mA, card 293 mA"),
             qPrintable(run.said()));
    QVERIFY2(lines.last().contains(u"2 ports"), qPrintable(run.said()));
#endif
}

// A Read on two ports saves one file per port, each as the window saves it after a Read of
// the same card.
void TestCli::readSavesAsTheWindowSaves()
{
    const std::map<char, int> holds{{'B', 4}, {'C', 7}, {'H', 300}};
    QByteArray expected;
    windowSavesAfterRead(u"vrn-d"_s, holds, &expected);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(!expected.isEmpty());

    sim::PtyCardServer first, second;
    for (sim::PtyCardServer* server : {&first, &second}) {
        QVERIFY2(server->open(), qPrintable(server->errorString()));
        for (const auto& [letter, value] : holds)
            server->card().setParameter(letter, value);
    }
    QTemporaryDir folder;
    const CliRun run = runCli({u"read"_s, u"--card"_s, u"vrn-d"_s, u"--port"_s, first.slavePath(),
                               u"--port"_s, second.slavePath(), u"--out"_s,
                               folder.filePath(u"card-{port}.par"_s), u"--json"_s});
    QCOMPARE(run.exitCode, 0);
    for (sim::PtyCardServer* server : {&first, &second}) {
        const QJsonObject o = run.objectFor(server->slavePath());
        QCOMPARE(o.value("outcome").toString(), u"saved"_s);
        QString port = server->slavePath(); // "/dev/pts/3", "COM10"
        if (port.startsWith(u"/dev/"_s))
            port = port.mid(5);
        const QString name = u"card-"_s + port.replace(u'/', u'-') + u".par"_s;
        QCOMPARE(o.value("file").toString(), folder.filePath(name));
        QCOMPARE(contents(folder.filePath(name)), expected);
        QCOMPARE(server->card().framesReceived(), QList<QByteArray>{"w$"});
    }
}

// A Read whose file cannot be written: the card was read, the file is refused (status 2).
void TestCli::fileNotSaved()
{
    sim::PtyCardServer server;
    QVERIFY2(server.open(), qPrintable(server.errorString()));
    const QString out = u"/nonexistent-folder-of-vrn-tests/card.par"_s;
    const CliRun run = runCli(
        {u"read"_s, u"--card"_s, u"vrn-b"_s, u"--port"_s, server.slavePath(), u"--out"_s, out});
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.out.startsWith(server.slavePath().toUtf8() + ' ') &&
                 run.out.contains("not saved") &&
                 run.out.contains(QDir::toNativeSeparators(out).toUtf8()),
             qPrintable(run.said()));
}

// Also where no session gave a runtime folder (a login as root, a CI job): nothing but the
// result, and no warning of Qt's on standard error.
void TestCli::simulatedCard()
{
    const CliRun run = runCli({u"send"_s, u"--card"_s, u"vrn-b"_s, u"--port"_s, u"simulated"_s,
                               kData + u"/common/data/vrn_b_check9.par"_s},
                              [](QProcess& process) {
                                  QProcessEnvironment environment =
                                      QProcessEnvironment::systemEnvironment();
                                  environment.remove(u"XDG_RUNTIME_DIR"_s);
                                  process.setProcessEnvironment(environment);
                              });
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.out.startsWith("simulated  VRN-B  verified"), qPrintable(run.said()));
    QCOMPARE(run.err, QByteArray());
}

// A file with values beyond what the card takes is loaded as the window's Open loads it, and
// what Open tells about it reaches the user with the port's result.
void TestCli::loadedFileNoteIsTold()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(u"out-of-range.par"_s);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("254\r\n254\r\n\"586\"\r\n\"-50\"\r\n\"747\"\r\n\"99999999\"\r\n\r\n\r\n1\r\n0\r\n");
    file.close();
    const CliRun run = runCli(
        {u"send"_s, u"--card"_s, u"vrn-a"_s, u"--port"_s, u"simulated"_s, u"--json"_s, path});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.objects().size(), 1);
    const QJsonObject o = run.objects().first();
    QCOMPARE(o.value("outcome").toString(), u"verified"_s);
    QVERIFY2(o.value("note").toString().contains(u"line 6 (I Max) held 99999999: 2997 mA was set"),
             qPrintable(run.said()));
}

// On a terminal each port's line tells where its Send stands while the VRN-A pauses run, and
// is replaced by the port's result at the end.
void TestCli::terminalShowsProgress()
{
#ifdef Q_OS_WIN
    QSKIP("vrn-cli's output goes to a pseudo-terminal here, for its progress lines, which a "
          "Windows program cannot create");
#else
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    QVERIFY(master >= 0);
    QVERIFY(::grantpt(master) == 0 && ::unlockpt(master) == 0);
    QVERIFY(::fcntl(master, F_SETFL, O_NONBLOCK) == 0);
    const QString terminal = QString::fromLocal8Bit(::ptsname(master));
    QByteArray shown;
    const auto drain = [&] {
        char buffer[4096];
        for (ssize_t n; (n = ::read(master, buffer, sizeof buffer)) > 0;)
            shown.append(buffer, n);
    };
    QSocketNotifier notifier(master, QSocketNotifier::Read);
    connect(&notifier, &QSocketNotifier::activated, this, drain);
    const CliRun run = runCli({u"send"_s, u"--card"_s, u"vrn-a"_s, u"--port"_s, u"simulated"_s,
                               kData + u"/vrn_a/data/options_after_start.txt"_s},
                              [&terminal](QProcess& process) {
                                  process.setStandardOutputFile(terminal);
                                  QProcessEnvironment environment =
                                      QProcessEnvironment::systemEnvironment();
                                  environment.insert(u"TERM"_s, u"xterm"_s);
                                  process.setProcessEnvironment(environment);
                              });
    drain();
    ::close(master);
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(shown.contains("simulated  VRN-A  sending 5/11"), shown.constData());
    // The progress lines are taken back and the result written in their place.
    QVERIFY2(shown.contains("\x1b[1A\r\x1b[Jsimulated  VRN-A  verified"), shown.constData());
#endif
}

void TestCli::adapterKeysChooseTheirPort_data()
{
    QTest::addColumn<QStringList>("given");
    // Per port: the device chosen, or "!" and part of why none was.
    QTest::addColumn<QStringList>("chosen");
    QTest::addColumn<QString>("usageError"); // part of it; empty when the command line is good
    QTest::newRow("serial-number")
        << QStringList{u"usb:A10K3JX2"_s} << QStringList{u"/dev/ttyUSB0"_s} << QString();
    QTest::newRow("ids-of-the-one-such-adapter")
        << QStringList{u"usb:0403:6001"_s} << QStringList{u"/dev/ttyUSB0"_s} << QString();
    QTest::newRow("ids-where-it-is-plugged-in")
        << QStringList{u"usb:1a86:7523@1-3.4"_s} << QStringList{u"/dev/ttyUSB2"_s} << QString();
    QTest::newRow("ids-place-and-interface-in-capitals")
        << QStringList{u"USB:1A86:7523@1-2:1.0"_s} << QStringList{u"/dev/ttyUSB1"_s} << QString();
    QTest::newRow("ids-of-two-adapters")
        << QStringList{u"usb:1a86:7523"_s}
        << QStringList{u"!usb:1a86:7523 fits several ports: /dev/ttyUSB1, /dev/ttyUSB2. Name one "
                       "by its USB location or serial number"_s}
        << QString();
    QTest::newRow("no-such-adapter")
        << QStringList{u"usb:B99X"_s}
        << QStringList{u"!No adapter usb:B99X is plugged in; `vrn-cli ports` lists the adapters "
                       "there are."_s}
        << QString();
    QTest::newRow("another-interface-is-another-port")
        << QStringList{u"usb:1a86:7523@1-2:1.1"_s} << QStringList{u"!No adapter"_s} << QString();
    QTest::newRow("device-names-and-keys-in-their-order")
        << QStringList{u"/dev/ttyS2"_s, u"usb:A10K3JX2"_s, u"simulated"_s}
        << QStringList{u"/dev/ttyS2"_s, u"/dev/ttyUSB0"_s, u"simulated"_s} << QString();
    QTest::newRow("key-of-a-device-named-already")
        << QStringList{u"/dev/ttyUSB0"_s, u"usb:A10K3JX2"_s} << QStringList{}
        << u"The port /dev/ttyUSB0 is named twice: usb:A10K3JX2 is that port."_s;
    QTest::newRow("two-keys-of-one-adapter")
        << QStringList{u"usb:A10K3JX2"_s, u"usb:0403:6001@1-1"_s} << QStringList{}
        << u"The port /dev/ttyUSB0 is named twice: usb:0403:6001@1-1 is that port."_s;
    QTest::newRow("missing-adapter-twice")
        << QStringList{u"usb:B99X"_s, u"usb:B99X"_s} << QStringList{}
        << u"The port usb:B99X is named twice."_s;
}

// Each adapter's key is looked up in the list of ports before the run: it stands for the one
// port that fits it, or is told why none does; two names of one port are bad usage.
void TestCli::adapterKeysChooseTheirPort()
{
    QFETCH(QStringList, given);
    QFETCH(QStringList, chosen);
    QFETCH(QString, usageError);
    QStringList arguments{u"vrn-cli"_s, u"send"_s, u"--card"_s, u"vrn-b"_s};
    for (const QString& port : given)
        arguments << u"--port"_s << port;
    arguments << u"pump.par"_s;
    ListedPorts source(rigPorts());
    const CommandLine::Parsed parsed = CommandLine::parse(arguments, source);
    if (!usageError.isEmpty()) {
        QVERIFY(!parsed.request);
        QCOMPARE(parsed.exitCode, 2);
        QVERIFY2(parsed.error.contains(usageError), qPrintable(parsed.error));
        return;
    }
    QVERIFY2(parsed.request, qPrintable(parsed.error));
    const std::vector<CliPort>& ports = parsed.request->ports;
    QCOMPARE(ports.size(), std::size_t(chosen.size()));
    for (qsizetype i = 0; i < chosen.size(); ++i) {
        const CliPort& port = ports[std::size_t(i)];
        QCOMPARE(port.given, given[i]);
        if (chosen[i].startsWith(u'!')) {
            QCOMPARE(port.device, QString());
            QVERIFY(port.byAdapter);
            QVERIFY2(port.problem.contains(chosen[i].mid(1)), qPrintable(port.problem));
        } else {
            QCOMPARE(port.device, chosen[i]);
            QCOMPARE(port.byAdapter, port.device != port.given);
            QCOMPARE(port.problem, QString());
        }
    }
}

// A Send to an adapter by its key goes to its port alone; a key that fits two ports, or none,
// fails that port without a byte on any line. The results name the key and the port.
void TestCli::adapterKeyRunsOnItsPortOnly()
{
    sim::PtyCardServer first, second;
    QVERIFY2(first.open(), qPrintable(first.errorString()));
    QVERIFY2(second.open(), qPrintable(second.errorString()));
    ListedPorts source({usbPort(first.slavePath(), u"VRNA1"_s, 0x0403, 0x6001, u"1-1"_s),
                        usbPort(second.slavePath(), u"VRNB2"_s, 0x0403, 0x6001, u"1-2"_s)});
    const CommandLine::Parsed parsed = CommandLine::parse(
        {u"vrn-cli"_s, u"send"_s, u"--card"_s, u"vrn-b"_s, u"--ports"_s,
         u"usb:VRNB2,usb:0403:6001,usb:VRNC3"_s, kData + u"/common/data/vrn_b_check9.par"_s},
        source);
    QVERIFY2(parsed.request, qPrintable(parsed.error));
    const std::vector<PortResult> results = runPorts(*parsed.request);
    QCOMPARE(results.size(), std::size_t(3));

    QCOMPARE(first.received(), QByteArray());
    QCOMPARE(second.card().framesReceived().last(), QByteArray("w$"));
    const QJsonObject chosen = PortReport::json(results[0]);
    QCOMPARE(chosen.value("port").toString(), second.slavePath());
    QCOMPARE(chosen.value("adapter").toString(), u"usb:VRNB2"_s);
    QCOMPARE(chosen.value("outcome").toString(), u"verified"_s);
    const QString line = PortReport::line(results[0], 0);
    QVERIFY2(line.startsWith(u"usb:VRNB2 (%1)  VRN-B  verified"_s.arg(second.slavePath())),
             qPrintable(line));

    for (const PortResult& failed : {results[1], results[2]}) {
        const QJsonObject o = PortReport::json(failed);
        QVERIFY(o.value("port").isNull());
        QCOMPARE(o.value("outcome").toString(), u"failed"_s);
        QVERIFY2(PortReport::line(failed, 0).startsWith(failed.adapter + u"  VRN-B  failed  "_s),
                 qPrintable(PortReport::line(failed, 0)));
    }
    QCOMPARE(PortReport::json(results[1]).value("adapter").toString(), u"usb:0403:6001"_s);
    QVERIFY2(results[1].error.contains(first.slavePath() + u", "_s + second.slavePath()),
             qPrintable(results[1].error));
    QVERIFY2(results[2].error.contains(u"No adapter usb:VRNC3"), qPrintable(results[2].error));
    std::vector<const PortResult*> all;
    for (const PortResult& result : results)
        all.push_back(&result);
    QCOMPARE(PortReport::exitStatus(all), 1);
}

void TestCli::portsCommandListsEveryPort_data()
{
    QTest::addColumn<bool>("listed"); // the rig's ports, or none
    QTest::addColumn<bool>("json");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("text-in-columns-as-people-count")
        << true << false
        << QStringList{u"/dev/ttyS2                              /dev/ttyS2"_s,
                       u"/dev/ttyS10                             /dev/ttyS10"_s,
                       u"/dev/ttyUSB0  FT232R USB UART  FTDI     usb:A10K3JX2"_s,
                       u"/dev/ttyUSB1  USB Serial       QinHeng  usb:1a86:7523@1-2:1.0"_s,
                       u"/dev/ttyUSB2  USB Serial       QinHeng  usb:1a86:7523@1-3.4:1.0"_s};
    QTest::newRow("json-as-people-count")
        << true << true
        << QStringList{
               uR"({"device":"/dev/ttyS2","description":"","manufacturer":"","serial_number":"",
                    "vendor_id":null,"product_id":null,"usb_location":"","usb_interface":"",
                    "adapter":"/dev/ttyS2"})"_s,
               uR"({"device":"/dev/ttyS10","description":"","manufacturer":"","serial_number":"",
                    "vendor_id":null,"product_id":null,"usb_location":"","usb_interface":"",
                    "adapter":"/dev/ttyS10"})"_s,
               uR"({"device":"/dev/ttyUSB0","description":"FT232R USB UART","manufacturer":"FTDI",
                    "serial_number":"A10K3JX2","vendor_id":"0403","product_id":"6001",
                    "usb_location":"1-1","usb_interface":"1.0","adapter":"usb:A10K3JX2"})"_s,
               uR"({"device":"/dev/ttyUSB1","description":"USB Serial","manufacturer":"QinHeng",
                    "serial_number":"","vendor_id":"1a86","product_id":"7523",
                    "usb_location":"1-2","usb_interface":"1.0",
                    "adapter":"usb:1a86:7523@1-2:1.0"})"_s,
               uR"({"device":"/dev/ttyUSB2","description":"USB Serial","manufacturer":"QinHeng",
                    "serial_number":"","vendor_id":"1a86","product_id":"7523",
                    "usb_location":"1-3.4","usb_interface":"1.0",
                    "adapter":"usb:1a86:7523@1-3.4:1.0"})"_s};
    QTest::newRow("text-without-ports")
        << false << false << QStringList{u"The system lists no serial port."_s};
    QTest::newRow("json-without-ports") << false << true << QStringList{};
}

// `vrn-cli ports` lists each port once, in the order people count, with the key --port takes.
void TestCli::portsCommandListsEveryPort()
{
    QFETCH(bool, listed);
    QFETCH(bool, json);
    const QList<PortInfo> ports = listed ? rigPorts() : QList<PortInfo>();
    QFETCH(QStringList, lines);
    const QString printed = json ? PortList::json(ports) : PortList::text(ports);
    QVERIFY(printed.isEmpty() || printed.endsWith(u'\n'));
    const QStringList got = printed.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(got.size(), lines.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!json) {
            QCOMPARE(got[i], lines[i]);
            continue;
        }
        QJsonParseError error;
        const QJsonDocument expected = QJsonDocument::fromJson(lines[i].toUtf8(), &error);
        QVERIFY2(expected.isObject(), qPrintable(error.errorString()));
        QCOMPARE(QJsonDocument::fromJson(got[i].toUtf8()).object(), expected.object());
    }
}

// The ports command asks for no card, port or file, and takes no other option than --json.
void TestCli::portsCommandNeedsNoCard()
{
    for (const QString& format : {u"--json"_s, QString()}) {
        QStringList arguments{u"ports"_s};
        if (!format.isEmpty())
            arguments << format;
        const CliRun run = runCli(arguments);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, QByteArray());
        if (format.isEmpty()) {
            QVERIFY2(!run.out.isEmpty(), qPrintable(run.said()));
            continue;
        }
        for (const QJsonObject& o : run.objects())
            QVERIFY2(o.contains(u"adapter"_s), qPrintable(run.said()));
    }
    const CliRun refused = runCli({u"ports"_s, u"--card"_s, u"vrn-b"_s});
    QCOMPARE(refused.exitCode, 2);
    QVERIFY2(refused.err.contains("ports takes no option but --json."), qPrintable(refused.said()));
}

void TestCli::journalCommands_data()
{
    // The journal: three entries of the cards S-0, S-1, S-2, then as the row says.
    QTest::addColumn<QString>("journal");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("told");
    const QStringList check{u"journal"_s, u"check"_s};
    const QStringList showS1{u"journal"_s, u"show"_s, u"--serial"_s, u"S-1"_s};
    QTest::newRow("check-intact") << u"intact"_s << check << 0
                                  << QStringList{u"journal.jsonl: 3 entries, intact\n"_s};
    QTest::newRow("check-torn-last-line")
        << u"torn"_s << check << 0
        << QStringList{u"3 entries, intact; the last line was cut off while it was written"_s};
    QTest::newRow("check-changed")
        << u"changed"_s << check << 1
        << QStringList{u"line 2 was changed after it was written; the entry before it checks "
                       "clean\n"_s};
    QTest::newRow("check-missing")
        << u"missing"_s << check << 2 << QStringList{u"vrn-cli: "_s, u"there is no journal file"_s};
    QTest::newRow("check-journal-from-the-environment")
        << u"intact-by-environment"_s << check << 0 << QStringList{u"3 entries, intact"_s};
    QTest::newRow("show-card")
        << u"intact"_s << showS1 << 0
        << QStringList{u"holds 1 entry of the card S-1:\n"_s,
                       u" UTC  send  cli  /dev/ttyUSB0 (usb:A10K3JX2)  VRN-A  verified\n"_s,
                       u"    afterwards: Coil range=(2) 1200 mA, PWM=(4) 400 Hz, "_s,
                       u"I Max=46 mA, "_s, u"Ramps enabled=code 20\n"_s};
    QTest::newRow("show-card-without-entries")
        << u"intact"_s << QStringList{u"journal"_s, u"show"_s, u"--serial"_s, u"S-9"_s} << 0
        << QStringList{u"holds no entry of the card S-9.\n"_s};
    QTest::newRow("show-json-as-stored")
        << u"intact"_s << showS1 + QStringList{u"--json"_s} << 0
        << QStringList{u"{\"seq\":2,\"prev\":\""_s, u",\"card_serial\":\"S-1\","_s};
    QTest::newRow("show-unreadable")
        << u"folder"_s << showS1 << 2 << QStringList{u"vrn-cli: "_s, u"cannot be read"_s};
}

// journal check says whether the journal is intact or names its first bad line, journal show
// lists one card's entries; both go by --journal, else by VRN_JOURNAL.
void TestCli::journalCommands()
{
    QFETCH(QString, journal);
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QStringList, told);
    QTemporaryDir folder;
    const QString path = folder.filePath(u"journal.jsonl"_s);
    if (journal != "missing") {
        for (int i = 0; i < 3; ++i)
            QVERIFY(Journal(path).append(vrnASendEntry(u"S-%1"_s.arg(i), i)));
    }
    QByteArray bytes = contents(path);
    const QList<QByteArray> lines = bytes.split('\n');
    if (journal == "torn") {
        bytes += lines[0].first(200);
    } else if (journal == "changed") {
        bytes.replace(lines[0].size() + 200, 1, "#");
    } else if (journal == "folder") {
        QVERIFY(QFile::remove(path));
        QVERIFY(QDir().mkpath(path));
    }
    if (journal == "torn" || journal == "changed") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(bytes), bytes.size());
    }
    const bool byEnvironment = journal == "intact-by-environment";
    if (!byEnvironment)
        arguments << u"--journal"_s << path;
    const CliRun run = runCli(arguments, [&](QProcess& process) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"VRN_JOURNAL"_s, byEnvironment ? path : folder.filePath(u"other"_s));
        process.setProcessEnvironment(environment);
    });
    QCOMPARE(run.exitCode, exitCode);
    const QString said = run.said();
    for (const QString& text : told)
        QVERIFY2(said.contains(text), qPrintable(text + u" in:\n"_s + said));
    if (arguments.contains(u"--json"_s))
        QCOMPARE(run.out, lines[1] + '\n'); // the card's one entry as the journal holds it
}

void TestCli::portProblemsNameThePort_data()
{
    QTest::addColumn<QString>("problem");
    QTest::addColumn<QString>("told");
    QTest::newRow("missing-port") << u"missing"_s << u"does not exist"_s;
    QTest::newRow("no-such-adapter")
        << u"adapter"_s << u"No adapter usb:VRN-TEST-NO-SUCH-ADAPTER is plugged in"_s;
    QTest::newRow("port-held-by-another-program") << u"held"_s << u"another program"_s;
    QTest::newRow("no-permission") << u"permission"_s << u"You may not use the serial port"_s;
}

// A port that cannot be opened fails that port only, with the port's name in the message;
// the other port of the run is sent and verified.
void TestCli::portProblemsNameThePort()
{
    QFETCH(QString, problem);
    QFETCH(QString, told);
    sim::PtyCardServer good, bad;
    QVERIFY2(good.open(), qPrintable(good.errorString()));
    QVERIFY2(bad.open(), qPrintable(bad.errorString()));
    QString port = bad.slavePath();
    QProcess holder;
    std::function<void(QProcess&)> prepare;
    if (problem == u"missing") {
        port = u"/dev/vrn-test-no-such-port"_s;
    } else if (problem == u"adapter") {
        port = u"usb:VRN-TEST-NO-SUCH-ADAPTER"_s;
    } else if (problem == u"held") {
        if (underWine())
            QSKIP("wine opens a COM port a second time although the first open shares it with "
                  "none; Windows refuses the second open");
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"VRN_HOLD_PORT"_s, port);
        holder.setProcessEnvironment(environment);
        holder.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(holder.waitForReadyRead(kRunWaitMs));
        QCOMPARE(holder.readAllStandardOutput().trimmed(), "held");
    } else {
#ifdef Q_OS_WIN
        QSKIP("takes the right to open the port's device away (chmod) and runs vrn-cli as "
              "another user (setresuid); Windows has neither for a COM port");
#else
        // As root no mode denies access: the program runs as an unprivileged user.
        QCOMPARE(::chmod(QFile::encodeName(port).constData(), 0), 0);
        QCOMPARE(::chmod(QFile::encodeName(good.slavePath()).constData(), 0666), 0);
        if (::geteuid() == 0) {
            if (!othersMayRun(QStringLiteral(VRN_CLI)))
                QSKIP("run as root, this row runs vrn-cli as nobody, who cannot reach it here");
            prepare = [](QProcess& process) {
                process.setChildProcessModifier([] {
                    if (::setresgid(kNobody, kNobody, kNobody) != 0 ||
                        ::setresuid(kNobody, kNobody, kNobody) != 0)
                        ::_exit(99);
                });
            };
        }
#endif
    }
    const CliRun run =
        runCli({u"send"_s, u"--card"_s, u"vrn-b"_s, u"--ports"_s, good.slavePath() + u',' + port,
                kData + u"/common/data/vrn_b_check9.par"_s},
               prepare);
    holder.closeWriteChannel();
    holder.waitForFinished(kRunWaitMs);
    QCOMPARE(run.exitCode, 1);
    const QString out = QString::fromUtf8(run.out);
    QVERIFY2(out.contains(QRegularExpression(u"^%1 +VRN-B  failed  (?=.*%1)(?=.*%2)"_s.arg(
                                                 QRegularExpression::escape(port), told),
                                             QRegularExpression::MultilineOption)),
             qPrintable(run.said()));
    QVERIFY2(out.contains(QRegularExpression(
                 u"^%1 +VRN-B  verified"_s.arg(QRegularExpression::escape(good.slavePath())),
                 QRegularExpression::MultilineOption)),
             qPrintable(run.said()));
    // Worded for a shell: no menus, windows or copies of the windows' program to turn to.
    for (const char* windowsWords : {"choose the port", "Seriale", "window", "copy of this one"})
        QVERIFY2(!out.contains(QLatin1String(windowsWords)), qPrintable(run.said()));
}

void TestCli::refusedFileTouchesNoPort_data()
{
    QTest::addColumn<QString>("card");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("told");
    QTest::newRow("missing-file") << u"vrn-b"_s << u"/nonexistent-vrn-file.par"_s
                                  << u"/nonexistent-vrn-file.par"_s;
    QTest::newRow("file-of-another-card")
        << u"vrn-a"_s << kData + u"/common/data/vrn_b_check9.par"_s << u"vrn_b_check9.par"_s;
    QTest::newRow("slider-position-out-of-range")
        << u"vrn-d"_s << kData + u"/common/data/vrn_c_check9.par"_s << u"vrn_c_check9.par"_s;
}

// A parameter file that the window refuses ends the run with status 2 before any port is
// opened: each port is named with the refusal, and no card hears a frame.
void TestCli::refusedFileTouchesNoPort()
{
    QFETCH(QString, card);
    QFETCH(QString, file);
    QFETCH(QString, told);
    sim::PtyCardServer first, second;
    QVERIFY2(first.open(), qPrintable(first.errorString()));
    QVERIFY2(second.open(), qPrintable(second.errorString()));
    for (const QString& command : {u"send"_s, u"verify"_s}) {
        const CliRun run = runCli({command, u"--card"_s, card, u"--port"_s, first.slavePath(),
                                   u"--port"_s, second.slavePath(), u"--json"_s, file});
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(run.objects().size(), 2);
        for (const sim::PtyCardServer* server : {&first, &second}) {
            const QJsonObject o = run.objectFor(server->slavePath());
            QCOMPARE(o.value("outcome").toString(), u"refused file"_s);
            QVERIFY2(o.value("error").toString().contains(QDir::toNativeSeparators(told)),
                     qPrintable(run.said()));
        }
    }
    QCOMPARE(first.received(), QByteArray());
    QCOMPARE(second.received(), QByteArray());
}

void TestCli::badUsage_data()
{
    const QString file = kData + u"/common/data/vrn_b_check9.par"_s;
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("told");
    QTest::newRow("no-command") << QStringList{} << u"send, read or verify"_s;
    QTest::newRow("unknown-command")
        << QStringList{u"write"_s, u"--card"_s, u"vrn-b"_s, u"--port"_s, u"simulated"_s, file}
        << u"Unknown command \"write\""_s;
    QTest::newRow("no-card") << QStringList{u"send"_s, u"--port"_s, u"simulated"_s, file}
                             << u"--card"_s;
    QTest::newRow("unknown-card") << QStringList{u"send"_s,   u"--card"_s,    u"vrn-e"_s,
                                                 u"--port"_s, u"simulated"_s, file}
                                  << u"Unknown card model \"vrn-e\""_s;
    QTest::newRow("no-port") << QStringList{u"send"_s, u"--card"_s, u"vrn-b"_s, file}
                             << u"--port"_s;
    QTest::newRow("port-named-twice")
        << QStringList{u"send"_s,      u"--card"_s,  u"vrn-b"_s,     u"--port"_s,
                       u"simulated"_s, u"--ports"_s, u"simulated"_s, file}
        << u"named twice"_s;
    QTest::newRow("no-file") << QStringList{u"send"_s, u"--card"_s, u"vrn-b"_s, u"--port"_s,
                                            u"simulated"_s}
                             << u"parameter file"_s;
    QTest::newRow("read-without-out")
        << QStringList{u"read"_s, u"--card"_s, u"vrn-b"_s, u"--port"_s, u"simulated"_s}
        << u"--out"_s;
    QTest::newRow("read-several-ports-one-file") << QStringList{u"read"_s,
                                                                u"--card"_s,
                                                                u"vrn-b"_s,
                                                                u"--ports"_s,
                                                                u"/dev/ttyS0,simulated"_s,
                                                                u"--out"_s,
                                                                u"card.par"_s}
                                                 << u"{port}"_s;
    QTest::newRow("no-verify-with-verify")
        << QStringList{u"verify"_s, u"--no-verify"_s, u"--card"_s, u"vrn-b"_s,
                       u"--port"_s, u"simulated"_s,   file}
        << u"--no-verify"_s;
    QTest::newRow("journal-without-what-to-do")
        << QStringList{u"journal"_s} << u"Say what to do with the journal: check or show."_s;
    QTest::newRow("journal-show-without-serial")
        << QStringList{u"journal"_s, u"show"_s} << u"Name the card with --serial"_s;
    QTest::newRow("journal-with-a-port")
        << QStringList{u"journal"_s, u"check"_s, u"--port"_s, u"simulated"_s}
        << u"journal takes no option but --journal, --serial and --json."_s;
    QTest::newRow("serial-with-send")
        << QStringList{u"send"_s,      u"--card"_s,   u"vrn-b"_s, u"--port"_s,
                       u"simulated"_s, u"--serial"_s, u"S-1"_s,   file}
        << u"--serial belongs to journal show."_s;
    QTest::newRow("unknown-option")
        << QStringList{u"send"_s,   u"--speed"_s,   u"--card"_s, u"vrn-b"_s,
                       u"--port"_s, u"simulated"_s, file}
        << u"speed"_s;
}

// Bad usage: status 2, what is wrong on standard error, nothing on standard output.
void TestCli::badUsage()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, told);
    const CliRun run = runCli(arguments);
    QCOMPARE(run.exitCode, 2);
    QCOMPARE(run.out, QByteArray());
    QVERIFY2(QString::fromUtf8(run.err).contains(told), qPrintable(run.said()));
}

void TestCli::helpListsEverything()
{
    const CliRun run = runCli({u"--help"_s});
    QCOMPARE(run.exitCode, 0);
    const QString help = QString::fromUtf8(run.out);
    for (const char* word : {"send FILE",
                             "read --out FILE",
                             "verify FILE",
                             "--card",
                             "--port",
                             "--ports",
                             "--out",
                             "--no-verify",
                             "--json",
                             "{port}",
                             "simulated",
                             "\n  ports ",
                             "usb:A10K3JX2",
                             "usb:0403:6001@1-2",
                             "usb_location",
                             "Exit status",
                             "Examples",
                             "vrn-cli send --card vrn-b --port",
                             "journal check",
                             "journal show --serial SERIAL",
                             "--journal <file>",
                             "--serial <serial>",
                             "$VRN_JOURNAL"}) {
        QVERIFY2(help.contains(QLatin1String(word)), word);
    }
}

// Under a German locale the help and the usage errors are German throughout, Qt's own parts
// (usage line, headings, the parser's errors) included; --json output stays English.
void TestCli::germanHelpAndUsageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("german");
    QTest::addColumn<QStringList>("english");
    QTest::newRow("help") << QStringList{u"--help"_s} << 0
                          << QStringList{u"Aufruf: "_s,
                                         u" [Optionen] Befehl [Datei]\n"_s,
                                         u"Optionen:\n"_s,
                                         u"--card <Modell>"_s,
                                         u"--port <Gerät>"_s,
                                         u"--out <Datei>"_s,
                                         u"Argumente:\n  Befehl "_s,
                                         u"send DATEI"_s}
                          << QStringList{u"Usage"_s,        u"[options]"_s, u"command [file]"_s,
                                         u"\n  command "_s, u"<model>"_s,   u"<device>"_s,
                                         u"Arguments"_s};
    QTest::newRow("option-unknown-to-the-parser")
        << QStringList{u"send"_s, u"--speed"_s} << 2
        << QStringList{u"Unbekannte Option 'speed'"_s, u"Versuchen Sie \"vrn-cli --help\""_s}
        << QStringList{u"Unknown option"_s, u"Try"_s};
    QTest::newRow("option-without-value")
        << QStringList{u"send"_s, u"--card"_s} << 2
        << QStringList{u"Nach '--card' fehlt der Wert"_s} << QStringList{u"Missing value"_s};
    QTest::newRow("no-command") << QStringList{} << 2
                                << QStringList{u"Geben Sie an, was zu tun ist"_s}
                                << QStringList{u"Say what"_s};
}

void TestCli::germanHelpAndUsageErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QStringList, german);
    QFETCH(QStringList, english);
    const CliRun run = runCli(arguments, [](QProcess& process) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANGUAGE"})
            environment.remove(QLatin1String(name));
        environment.insert(u"LANG"_s, u"de_DE.UTF-8"_s);
        process.setProcessEnvironment(environment);
    });
    QCOMPARE(run.exitCode, exitCode);
    const QString said = run.said();
    for (const QString& text : german)
        QVERIFY2(said.contains(text), qPrintable(text + u" in:\n"_s + said));
    for (const QString& text : english)
        QVERIFY2(!said.contains(text), qPrintable(text + u" in:\n"_s + said));
}

// Without a Verify the card is never read: its values are not known, and not made up.
void TestCli::sendWithoutVerifyTellsNoCardValues()
{
    const CliRun run =
        runCli({u"send"_s, u"--no-verify"_s, u"--card"_s, u"vrn-b"_s, u"--port"_s, u"simulated"_s,
                u"--json"_s, kData + u"/common/data/vrn_b_check9.par"_s});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.objects().size(), 1);
    const QJsonArray values = run.objects().first().value("values").toArray();
    QCOMPARE(values.size(), 3);
    for (const QJsonValue& value : values) {
        QVERIFY(value.toObject().value("cardCode").isNull());
        QVERIFY(value.toObject().value("cardText").isNull());
        QVERIFY(!value.toObject().value("code").isNull());
    }
}

#ifdef VRN_CARD_SIM
namespace {

// Runs vrn-cli, sending it SIGINT after each of the given times (ms from its start).
CliRun interruptedCli(const QStringList& arguments, QList<int> afterMs)
{
    return runCli(arguments, [afterMs](QProcess& process) {
        for (int ms : afterMs) {
            QTimer::singleShot(ms, &process, [&process] {
                if (process.processId() > 0)
                    ::kill(static_cast<pid_t>(process.processId()), SIGINT);
            });
        }
    });
}

} // namespace
#endif

// Ctrl+C during a VRN-A Send on two cards: each port stops where no frame is half sent and
// tells how far it got, as a line or as a JSON object, in the order given; the run ends with a
// status of its own.
void TestCli::interruptStopsEveryPortAndTellsHowFar()
{
    SKIP_WITHOUT_CARD_SIM();
#ifdef VRN_CARD_SIM
    SimProcess first, second;
    QVERIFY(first.start({}));
    QVERIFY(second.start({}));
    const QString file = kData + u"/vrn_a/data/options_after_start.txt"_s;
    for (const bool json : {true, false}) {
        QStringList arguments{
            u"send"_s, u"--card"_s, u"vrn-a"_s, u"--ports"_s, first.device + u',' + second.device,
            file};
        if (json)
            arguments << u"--json"_s;
        const CliRun run = interruptedCli(arguments, {450});
        QCOMPARE(run.exitCode, 3);
        const QRegularExpression told(u"interrupted after (\\d+) of 11 frames: the card may hold "
                                      "a mix of old and new values"_s);
        if (json) {
            QCOMPARE(run.objects().size(), 2);
            for (int i = 0; i < 2; ++i) {
                const QJsonObject o = run.objects()[i];
                QCOMPARE(o.value("port").toString(), i == 0 ? first.device : second.device);
                QCOMPARE(o.value("outcome").toString(), u"interrupted"_s);
                const QRegularExpressionMatch match = told.match(o.value("error").toString());
                QVERIFY2(match.hasMatch(), qPrintable(run.said()));
                QVERIFY(match.captured(1).toInt() > 0 && match.captured(1).toInt() < 11);
            }
        } else {
            const QStringList lines = QString::fromUtf8(run.out).split(u'\n', Qt::SkipEmptyParts);
            QCOMPARE(lines.size(), 3);
            QVERIFY2(lines[0].startsWith(first.device) && told.match(lines[0]).hasMatch(),
                     qPrintable(run.said()));
            QVERIFY2(lines[1].startsWith(second.device) && told.match(lines[1]).hasMatch(),
                     qPrintable(run.said()));
            QVERIFY2(lines[2].contains(u"2 interrupted"), qPrintable(run.said()));
        }
    }
#endif
}

// A second Ctrl+C while a port still waits for its silent card ends the run at once.
void TestCli::secondInterruptEndsAtOnce()
{
    SKIP_WITHOUT_CARD_SIM();
#ifdef VRN_CARD_SIM
    SimProcess silent;
    QVERIFY(silent.start({u"--silent"_s}));
    const CliRun run = interruptedCli({u"send"_s, u"--card"_s, u"vrn-b"_s, u"--port"_s,
                                       silent.device, kData + u"/common/data/vrn_b_check9.par"_s},
                                      {300, 600});
    QCOMPARE(run.exitCode, 130);
#endif
}

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsSet("VRN_HOLD_PORT")) {
        QCoreApplication app(argc, argv);
        return holdPort(qEnvironmentVariable("VRN_HOLD_PORT"));
    }
    QApplication app(argc, argv);
    TestCli test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_cli.moc"
