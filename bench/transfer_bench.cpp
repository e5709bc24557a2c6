// Transfer benchmark: the Send and the Read of the four card windows over a real pseudo-terminal,
// with the card served by vrn-card-sim in a process of its own, so that the program measured and
// the card share neither a process nor a processor account.
//
//   vrn-bench-transfer --latency 2 --rounds 4      durations against the wire's floor, processor
//                                                  time, turnaround (wire emulated at 19200 baud)
//   vrn-bench-transfer --growth 10000              10,000 transfers back to back: time per
//                                                  transfer and resident memory as work grows
//   --log-window                                   with the traffic log open, following the line
//
// Every measurement is printed as one line "key value"; lines starting with '#' explain.
// vrn-bench-reference makes the same exchanges without the program, vrn-bench-summarise gives
// min / median / max of the lines of many runs.

#include "card_station.h"
#include "proc_status.h"
#include "wire_trace.h"

#include "card_context.h"
#include "file_dialog_state.h"
#include "form1.h"
#include "form3.h"
#include "form4.h"
#include "form5.h"
#include "link.h"
#include "notices.h"
#include "protocol.h"
#include "slot_table.h"
#include "timeouts.h"
#include "traffic_log_window.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

using namespace vrn;
using namespace vrn::bench;

namespace {

void waitMs(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// The four card windows as the program builds them, on one link; with the traffic log open
// beside them on request.
struct Program
{
    CardStation station;
    SlotTable& slots = station.slots;
    Link& link = station.link;
    FileDialogState& files = station.files;
    Notices& notices = station.notices;
    CardContext& context = station.context;
    Form1 vrnA{context};
    Form3 vrnB{context};
    Form4 vrnC{context};
    Form5 vrnD{context};
    std::unique_ptr<TrafficLogWindow> log;

    explicit Program(bool logWindow)
    {
        notices.setShowWindows(false);
        for (QWidget* window : std::initializer_list<QWidget*>{&vrnA, &vrnB, &vrnC, &vrnD})
            window->show();
        if (logWindow) {
            log = std::make_unique<TrafficLogWindow>(link.traffic());
            log->show();
        }
    }
};

// One Send or Read of one window.
struct Transfer
{
    QString window; // "A".."D"
    bool send = false;
    std::function<void()> start;
    int settlePauses = 0; // pauses of 0.1 s the transfer makes on purpose

    QString name() const
    {
        return window + (send ? QStringLiteral(".send") : QStringLiteral(".read"));
    }
};

std::vector<Transfer> transfersOf(Program& program)
{
    return {
        {QStringLiteral("A"), false, [&program] { program.vrnA.read(); }, 0},
        {QStringLiteral("A"), true, [&program] { program.vrnA.send(); }, 10},
        {QStringLiteral("B"), false, [&program] { program.vrnB.read(); }, 0},
        {QStringLiteral("B"), true, [&program] { program.vrnB.send(); }, 0},
        {QStringLiteral("C"), false, [&program] { program.vrnC.read(); }, 0},
        {QStringLiteral("C"), true, [&program] { program.vrnC.send(); }, 0},
        {QStringLiteral("D"), false, [&program] { program.vrnD.read(); }, 0},
        {QStringLiteral("D"), true, [&program] { program.vrnD.send(); }, 0},
    };
}

// Runs one transfer to its end: from the call that a button click makes to the moment the
// button is grey again (the window has applied a read reply by then). False when it failed.
bool runTransfer(Program& program, const Transfer& transfer, Timing& timing)
{
    const qsizetype noticesBefore = program.notices.history().size();
    bool ok = false;
    QEventLoop loop;
    const auto connection = QObject::connect(&program.link.engine(), &TransferEngine::finished,
                                             &loop, [&](bool result) {
                                                 ok = result;
                                                 loop.quit();
                                             });
    const qint64 processorBefore = processorNs();
    timing.startNs = monotonicNs();
    transfer.start();
    timing.returnedNs = monotonicNs();
    loop.exec(); // returns once the window's completion handler has run
    timing.endNs = monotonicNs();
    timing.processorNs = processorNs() - processorBefore;
    QObject::disconnect(connection);
    if (!ok || program.notices.history().size() != noticesBefore) {
        std::fprintf(stderr, "vrn-bench-transfer: %s failed: %s\n", qPrintable(transfer.name()),
                     qPrintable(program.notices.last()));
        return false;
    }
    return true;
}

// Durations against the floor, processor share and turnaround, wire emulated.
int runWire(const WireOptions& options)
{
    QTemporaryDir scratch;
    const QString tracePath = scratch.filePath(QStringLiteral("trace.txt"));
    CardProcess card;
    const QStringList arguments = cardArguments(options, tracePath);
    if (!card.start(options.simulator, arguments)) {
        std::fprintf(stderr, "vrn-bench-transfer: cannot start %s\n",
                     qPrintable(options.simulator));
        return 1;
    }
    Program program(options.logWindow);
    if (!program.link.openDevice(card.device())) {
        std::fprintf(stderr, "vrn-bench-transfer: %s\n",
                     qPrintable(program.link.lastError().debugText()));
        return 1;
    }
    note(options.logWindow ? QStringLiteral("traffic log open")
                           : QStringLiteral("traffic log closed"));
    TraceReader trace(tracePath);
    const LineTiming line = lineTiming(options);

    const std::vector<Transfer> transfers = transfersOf(program);
    // One unmeasured round of reads: fonts, styles and buffers the first use creates.
    for (const Transfer& transfer : transfers) {
        Timing ignored;
        if (!transfer.send && !runTransfer(program, transfer, ignored))
            return 1;
    }
    waitMs(kGapBetweenTransfersMs);
    trace.take();

    std::vector<double> turnaroundsUs;
    qint64 wallNs = 0;
    qint64 busyNs = 0;
    for (int round = 0; round < options.rounds; ++round) {
        for (const Transfer& transfer : transfers) {
            Timing timing;
            if (!runTransfer(program, transfer, timing))
                return 1;
            waitMs(kGapBetweenTransfersMs);
            reportTransfer({}, transfer.name(), transfer.settlePauses, trace.take(), timing, line,
                           round == 0, turnaroundsUs);
            wallNs += timing.endNs - timing.startNs;
            busyNs += timing.processorNs;
        }
    }
    print(QStringLiteral("run.cpu_share_pct"), 100.0 * double(busyNs) / double(wallNs));
    printTurnarounds({}, turnaroundsUs);
    return 0;
}

// Many transfers back to back on a card without latency or wire pacing: does the cost of one
// transfer, or the memory held, grow with the number already made?
int runGrowth(const QString& simulator, int count, bool logWindow)
{
    CardProcess card;
    if (!card.start(simulator,
                    {QStringLiteral("--quiet"), QStringLiteral("--baud"), QStringLiteral("0"),
                     QStringLiteral("--latency"), QStringLiteral("0")})) {
        std::fprintf(stderr, "vrn-bench-transfer: cannot start %s\n", qPrintable(simulator));
        return 1;
    }
    Program program(logWindow);
    if (!program.link.openDevice(card.device())) {
        std::fprintf(stderr, "vrn-bench-transfer: %s\n",
                     qPrintable(program.link.lastError().debugText()));
        return 1;
    }
    note(logWindow ? QStringLiteral("traffic log open") : QStringLiteral("traffic log closed"));
    // The VRN-A Send is left out: its ten settle pauses make it a second long, a thousand times
    // the others, and they are timer waits, not work.
    std::vector<Transfer> cycle;
    for (const Transfer& transfer : transfersOf(program)) {
        if (transfer.settlePauses == 0)
            cycle.push_back(transfer);
    }
    note(QStringLiteral("growth: %1 transfers cycling through %2 kinds (every Send and Read but "
                        "the VRN-A Send), no wire pacing, no card latency")
             .arg(count)
             .arg(cycle.size()));

    const int block = std::max(1, count / 10);
    const int middleStart = count / 2 - block / 2;
    qint64 blockNs = 0, middleNs = 0;
    qint64 blockCpuNs = 0, middleCpuNs = 0; // processor time, less disturbed by a busy machine
    waitMs(kGapBetweenTransfersMs);         // the windows' first paint, before anything is counted
    print(QStringLiteral("growth.rss_kb.at_0"), double(procStatusKb("VmRSS")));
    for (int i = 0; i < count; ++i) {
        Timing timing;
        if (!runTransfer(program, cycle[static_cast<std::size_t>(i) % cycle.size()], timing))
            return 1;
        const qint64 ns = timing.endNs - timing.startNs;
        blockNs += ns;
        blockCpuNs += timing.processorNs;
        if (i >= middleStart && i < middleStart + block) {
            middleNs += ns;
            middleCpuNs += timing.processorNs;
        }
        const int done = i + 1;
        if (done % block == 0) {
            note(QStringLiteral("transfers %1 to %2: %3 us a transfer (processor %4 us), "
                                "resident %5 kB")
                     .arg(done - block + 1)
                     .arg(done)
                     .arg(double(blockNs) / block / 1e3, 0, 'f', 1)
                     .arg(double(blockCpuNs) / block / 1e3, 0, 'f', 1)
                     .arg(procStatusKb("VmRSS")));
            const char* phase = done == block ? "start" : done == count ? "end" : nullptr;
            if (phase) {
                print(QStringLiteral("growth.us_per_transfer.") + QLatin1String(phase),
                      double(blockNs) / block / 1e3);
                print(QStringLiteral("growth.cpu_us_per_transfer.") + QLatin1String(phase),
                      double(blockCpuNs) / block / 1e3);
            }
            blockNs = 0;
            blockCpuNs = 0;
        }
        if (done == middleStart + block) {
            print(QStringLiteral("growth.us_per_transfer.middle"), double(middleNs) / block / 1e3);
            print(QStringLiteral("growth.cpu_us_per_transfer.middle"),
                  double(middleCpuNs) / block / 1e3);
        }
        if (done == block)
            print(QStringLiteral("growth.rss_kb.start"), double(procStatusKb("VmRSS")));
        if (done == count / 2)
            print(QStringLiteral("growth.rss_kb.middle"), double(procStatusKb("VmRSS")));
        if (done == count)
            print(QStringLiteral("growth.rss_kb.end"), double(procStatusKb("VmRSS")));
    }
    print(QStringLiteral("growth.rss_peak_kb"), double(procStatusKb("VmHWM")));
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vrn-bench-transfer"));
    QApplication::setStyle(QStringLiteral("Fusion"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Times the card windows' Send and Read over a pseudo-terminal served by "
                       "vrn-card-sim."));
    parser.addHelpOption();
    const QCommandLineOption simulator(QStringLiteral("sim"),
                                       QStringLiteral("The vrn-card-sim program."),
                                       QStringLiteral("path"), QStringLiteral(VRN_CARD_SIM));
    const QCommandLineOption latency(QStringLiteral("latency"),
                                     QStringLiteral("The card's answer latency (default 2)."),
                                     QStringLiteral("ms"), QStringLiteral("2"));
    const QCommandLineOption baud(QStringLiteral("baud"),
                                  QStringLiteral("Line speed emulated (default 19200)."),
                                  QStringLiteral("n"), QStringLiteral("19200"));
    const QCommandLineOption rounds(QStringLiteral("rounds"),
                                    QStringLiteral("Rounds of every Send and Read (default 4)."),
                                    QStringLiteral("n"), QStringLiteral("4"));
    const QCommandLineOption growth(QStringLiteral("growth"),
                                    QStringLiteral("Run <n> transfers back to back instead."),
                                    QStringLiteral("n"));
    const QCommandLineOption logWindow(
        QStringLiteral("log-window"),
        QStringLiteral("Keep the traffic log open beside the card windows, following the line."));
    parser.addOptions({simulator, latency, baud, rounds, growth, logWindow});
    parser.process(qtApp);

    if (parser.isSet(growth))
        return runGrowth(parser.value(simulator), parser.value(growth).toInt(),
                         parser.isSet(logWindow));
    WireOptions options;
    options.simulator = parser.value(simulator);
    options.latencyMs = parser.value(latency).toInt();
    options.baud = parser.value(baud).toInt();
    options.rounds = std::max(1, parser.value(rounds).toInt());
    options.logWindow = parser.isSet(logWindow);
    return runWire(options);
}
