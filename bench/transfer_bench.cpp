// Transfer benchmark: the Send and the Read of the four card windows over a real pseudo-terminal,
// with the card served by vrn-card-sim in a process of its own, so that the program measured and
// the card share neither a process nor a processor account.
//
//   vrn-bench-transfer --latency 2 --rounds 4      durations against the wire's floor, processor
//                                                  time, turnaround (wire emulated at 19200 baud)
//   vrn-bench-transfer --growth 10000              10,000 transfers back to back: time per
//                                                  transfer and resident memory as work grows
//   vrn-bench-transfer --summarise FILE...         min / median / max of the lines of many runs
//   --log-window                                   with the traffic log open, following the line
//
// Every measurement is printed as one line "key value"; lines starting with '#' explain.

#include "proc_status.h"

#include "card_context.h"
#include "card_models.h"
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
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include <cerrno>

#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

using namespace vrn;

namespace {

constexpr int kAnswerCharacters = 2;       // what the simulated card answers to every frame
constexpr int kGapBetweenTransfersMs = 30; // lets the trace and the repaint settle, unmeasured
constexpr int kSimStartTimeoutMs = 5000;

qint64 monotonicNs()
{
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// User plus system time of this process, all its threads.
qint64 processorNs()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const auto ns = [](const timeval& t) {
        return qint64(t.tv_sec) * 1000000000 + t.tv_usec * 1000;
    };
    return ns(usage.ru_utime) + ns(usage.ru_stime);
}

void print(const QString& key, double value)
{
    std::printf("%s %.6g\n", qPrintable(key), value);
}

void note(const QString& text)
{
    std::printf("# %s\n", qPrintable(text));
}

void waitMs(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// One read from or write to the terminal, as the card's server recorded it.
struct TraceEvent
{
    char direction = 0; // 'R': the program's characters reached the card; 'W': the card's left
    qint64 ns = 0;
    int characters = 0;
    int frameEnds = 0; // '$' among the characters read
    QByteArray text;   // the characters, printable
};

// Follows the trace file that vrn-card-sim writes, one event per line.
class TraceReader
{
public:
    explicit TraceReader(const QString& path) : m_file(path) {}

    // Events written since the last call.
    std::vector<TraceEvent> take()
    {
        std::vector<TraceEvent> events;
        if (!m_file.isOpen() && !m_file.open(QIODevice::ReadOnly))
            return events;
        m_pending += m_file.readAll();
        const qsizetype lastEnd = m_pending.lastIndexOf('\n');
        if (lastEnd < 0)
            return events;
        const QByteArray complete = m_pending.left(lastEnd);
        m_pending.remove(0, lastEnd + 1);
        for (const QByteArray& line : complete.split('\n')) {
            // "R|W <ns> <count> <characters>"
            const QList<QByteArray> parts = line.split(' ');
            if (parts.size() < 3)
                continue;
            TraceEvent event;
            event.direction = parts[0].at(0);
            event.ns = parts[1].toLongLong();
            event.characters = parts[2].toInt();
            const qsizetype textStart = parts[0].size() + parts[1].size() + parts[2].size() + 3;
            event.text = line.mid(textStart);
            event.frameEnds = static_cast<int>(event.text.count('$'));
            events.push_back(event);
        }
        return events;
    }

private:
    QFile m_file;
    QByteArray m_pending;
};

// The card's side of the line: vrn-card-sim in its own process.
class CardProcess
{
public:
    bool start(const QString& program, const QStringList& arguments)
    {
        m_process.setProgram(program);
        m_process.setArguments(arguments);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start();
        if (!m_process.waitForStarted(kSimStartTimeoutMs))
            return false;
        while (!m_process.canReadLine()) {
            if (!m_process.waitForReadyRead(kSimStartTimeoutMs))
                return false;
        }
        m_device = QString::fromLocal8Bit(m_process.readLine().trimmed());
        return !m_device.isEmpty();
    }

    ~CardProcess()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            m_process.waitForFinished(kSimStartTimeoutMs);
        }
    }

    QString device() const { return m_device; }

private:
    QProcess m_process;
    QString m_device;
};

// The four card windows as the program builds them, on one link; with the traffic log open
// beside them on request.
struct Program
{
    SlotTable slots;
    Link link;
    FileDialogState files;
    Notices notices;
    CardContext context{slots, link, files, notices};
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
            log = std::make_unique<TrafficLogWindow>(link.traffic(), &cardValuesOf);
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

struct Timing
{
    qint64 startNs = 0;
    qint64 returnedNs = 0; // the call that started the transfer returned
    qint64 endNs = 0;
    qint64 processorNs = 0;
};

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

double percentile(std::vector<double> values, double share)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    // Nearest rank: the smallest value with at least that share of the values at or below it.
    const auto rank = static_cast<std::size_t>(std::ceil(share * double(values.size())));
    return values[std::clamp<std::size_t>(rank, 1, values.size()) - 1];
}

// The emulated line: time per character (ten bit times) and the card's answer latency.
struct LineTiming
{
    double characterNs = 0;
    double latencyNs = 0;
};

// Prints the figures of one transfer, keys starting with the prefix, from the card's trace of
// it; adds the turnarounds it saw. With describe, also says what went over the line.
void reportTransfer(const QString& prefix, const QString& name, int settlePauses,
                    const std::vector<TraceEvent>& events, const Timing& timing,
                    const LineTiming& line, bool describe, std::vector<double>& turnaroundsUs)
{
    // The floor: every character out and in at the wire's speed, the card's latency before each
    // answer, and the pauses the transfer makes on purpose.
    int out = 0, in = 0, frames = 0;
    for (const TraceEvent& event : events) {
        (event.direction == 'R' ? out : in) += event.characters;
        frames += event.frameEnds;
    }
    const double floorNs = (out + in) * line.characterNs + frames * line.latencyNs +
                           settlePauses * kSettlePauseMs * 1e6;
    const double durationNs = double(timing.endNs - timing.startNs);

    // Where the time went beyond the floor.
    double emulatorExcessNs = 0; // the card's side: frame in to last answer character out
    qint64 lastWriteNs = -1, frameReadNs = -1;
    int frameCharacters = 0, answerCharacters = 0;
    const auto closeTransaction = [&] {
        if (frameReadNs >= 0 && lastWriteNs >= 0)
            emulatorExcessNs += double(lastWriteNs - frameReadNs) -
                                (frameCharacters + answerCharacters) * line.characterNs -
                                line.latencyNs;
    };
    for (const TraceEvent& event : events) {
        if (event.direction == 'R') {
            if (lastWriteNs >= 0 && frameReadNs >= 0) {
                closeTransaction();
                const double gapUs = double(event.ns - lastWriteNs) / 1e3;
                if (settlePauses > 0) {
                    print(prefix + QStringLiteral("pause_overshoot_us"),
                          gapUs - kSettlePauseMs * 1e3);
                } else {
                    print(prefix + QStringLiteral("turnaround_us"), gapUs);
                    turnaroundsUs.push_back(gapUs);
                }
                lastWriteNs = -1;
                frameReadNs = -1;
            }
            if (frameReadNs < 0) {
                frameReadNs = event.ns;
                frameCharacters = 0;
                answerCharacters = 0;
            }
            frameCharacters += event.characters;
        } else {
            lastWriteNs = event.ns;
            answerCharacters += event.characters;
        }
    }
    closeTransaction();
    const qint64 firstReadNs = events.empty() ? timing.startNs : events.front().ns;
    const qint64 lastEventNs = events.empty() ? timing.endNs : events.back().ns;

    const QString key = QStringLiteral(".") + name;
    if (describe) {
        QByteArray sent;
        for (const TraceEvent& event : events) {
            if (event.direction == 'R')
                sent += event.text + ' ';
        }
        note(QStringLiteral("%1%2: %3 frames, %4 characters out, %5 in (%6 per frame answer): %7")
                 .arg(prefix, name)
                 .arg(frames)
                 .arg(out)
                 .arg(in)
                 .arg(kAnswerCharacters)
                 .arg(QString::fromLatin1(sent.trimmed())));
    }
    print(prefix + QStringLiteral("ratio") + key, durationNs / floorNs);
    print(prefix + QStringLiteral("duration_ms") + key, durationNs / 1e6);
    print(prefix + QStringLiteral("floor_ms") + key, floorNs / 1e6);
    print(prefix + QStringLiteral("cpu_share_pct") + key,
          100.0 * double(timing.processorNs) / durationNs);
    print(prefix + QStringLiteral("lead_in_us") + key, double(firstReadNs - timing.startNs) / 1e3);
    print(prefix + QStringLiteral("start_call_us") + key,
          double(timing.returnedNs - timing.startNs) / 1e3);
    print(prefix + QStringLiteral("tail_us") + key, double(timing.endNs - lastEventNs) / 1e3);
    print(prefix + QStringLiteral("emulator_excess_us") + key, emulatorExcessNs / 1e3);
}

struct WireOptions
{
    QString simulator;
    int latencyMs = 2;
    int baud = 19200;
    int rounds = 4;
    bool logWindow = false;
};

LineTiming lineTiming(const WireOptions& options)
{
    LineTiming line;
    line.characterNs = options.baud > 0 ? 1e10 / options.baud : 0.0;
    line.latencyNs = options.latencyMs * 1e6;
    note(QStringLiteral("wire: %1 baud (%2 ms a character), card latency %3 ms, %4 rounds")
             .arg(options.baud)
             .arg(line.characterNs / 1e6, 0, 'f', 4)
             .arg(options.latencyMs)
             .arg(options.rounds));
    return line;
}

QStringList cardArguments(const WireOptions& options, const QString& tracePath)
{
    return {QStringLiteral("--quiet"), QStringLiteral("--latency"),
            QString::number(options.latencyMs), QStringLiteral("--baud"),
            QString::number(options.baud), QStringLiteral("--trace"), tracePath,
            // Values every window accepts, so that each read applies a full set.
            QStringLiteral("--set"), QStringLiteral("A=3"), QStringLiteral("--set"),
            QStringLiteral("B=2"), QStringLiteral("--set"), QStringLiteral("C=25"),
            QStringLiteral("--set"), QStringLiteral("D=25"), QStringLiteral("--set"),
            QStringLiteral("E=188"), QStringLiteral("--set"), QStringLiteral("F=100"),
            QStringLiteral("--set"), QStringLiteral("G=50"), QStringLiteral("--set"),
            QStringLiteral("H=294"), QStringLiteral("--set"), QStringLiteral("a=1"),
            QStringLiteral("--set"), QStringLiteral("Z=30")};
}

void printTurnarounds(const QString& prefix, const std::vector<double>& turnaroundsUs)
{
    if (turnaroundsUs.empty())
        return;
    print(prefix + QStringLiteral("run.turnaround_count"), double(turnaroundsUs.size()));
    print(prefix + QStringLiteral("run.turnaround_p50_us"), percentile(turnaroundsUs, 0.50));
    print(prefix + QStringLiteral("run.turnaround_p99_us"), percentile(turnaroundsUs, 0.99));
    print(prefix + QStringLiteral("run.turnaround_max_us"), percentile(turnaroundsUs, 1.0));
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

// The same exchanges made by a minimal client: poll(), read() and write() on the terminal and
// nothing else, sleeping while it waits as VRN-PC does. What it achieves is the floor that this
// machine and the simulator allow any program that does not burn a processor while it waits.
class ReferenceClient
{
public:
    ~ReferenceClient()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }

    bool open(const QString& device)
    {
        m_fd = ::open(QFile::encodeName(device).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (m_fd < 0)
            return false;
        termios mode{};
        if (::tcgetattr(m_fd, &mode) != 0)
            return false;
        ::cfmakeraw(&mode);
        ::cfsetispeed(&mode, B19200);
        ::cfsetospeed(&mode, B19200);
        return ::tcsetattr(m_fd, TCSANOW, &mode) == 0;
    }

    // Writes the frame, then reads until at least `answer` characters have come and drops them;
    // false when the card stays silent for the answer time-out.
    bool transact(const QByteArray& frame, int answer)
    {
        if (::write(m_fd, frame.constData(), static_cast<size_t>(frame.size())) != frame.size())
            return false;
        int received = 0;
        char buffer[256];
        while (received < answer) {
            pollfd ready{m_fd, POLLIN, 0};
            if (::poll(&ready, 1, kReplyTimeoutMs) <= 0)
                return false;
            const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
            if (n > 0)
                received += static_cast<int>(n);
            else if (n < 0 && errno != EAGAIN && errno != EINTR)
                return false;
        }
        return true;
    }

private:
    int m_fd = -1;
};

// A transfer of the reference client: its frames, the answer it waits for, its pauses.
struct ReferenceTransfer
{
    QString name;
    QList<QByteArray> frames;
    int answer;
    bool settlePauses;
};

int runReference(const WireOptions& options)
{
    QTemporaryDir scratch;
    const QString tracePath = scratch.filePath(QStringLiteral("trace.txt"));
    CardProcess card;
    if (!card.start(options.simulator, cardArguments(options, tracePath))) {
        std::fprintf(stderr, "vrn-bench-transfer: cannot start %s\n",
                     qPrintable(options.simulator));
        return 1;
    }
    ReferenceClient client;
    if (!client.open(card.device())) {
        std::fprintf(stderr, "vrn-bench-transfer: cannot open %s\n", qPrintable(card.device()));
        return 1;
    }
    TraceReader trace(tracePath);
    const LineTiming line = lineTiming(options);
    note(
        QStringLiteral("reference client: poll(), read() and write() only, the frames of the "
                       "VRN-B Send and of the VRN-A Send (with its pauses), and the read request"));
    const QList<QByteArray> sendFrames{"A00000$", "B00002$", "C00000$", "D00000$",
                                       "E00000$", "F00000$", "G00000$", "H00294$",
                                       "a00000$", "Z00030$", "z$"};
    const QList<QByteArray> pausedFrames{"A00003$", "B00002$", "C00025$", "D00025$",
                                         "E00188$", "F00100$", "G00050$", "H00294$",
                                         "I$",      "a00001$", "z$"};
    const ReferenceTransfer transfers[] = {
        {QStringLiteral("read"), {"w$"}, protocol::kReadReplyLength, false},
        {QStringLiteral("paused_send"), pausedFrames, kAnswerCharacters, true},
        {QStringLiteral("send"), sendFrames, kAnswerCharacters, false},
    };

    const QString prefix = QStringLiteral("reference.");
    std::vector<double> turnaroundsUs;
    for (int round = 0; round < options.rounds; ++round) {
        for (const ReferenceTransfer& transfer : transfers) {
            Timing timing;
            const qint64 processorBefore = processorNs();
            timing.startNs = monotonicNs();
            timing.returnedNs = timing.startNs;
            for (qsizetype i = 0; i < transfer.frames.size(); ++i) {
                if (!client.transact(transfer.frames[i], transfer.answer)) {
                    std::fprintf(stderr, "vrn-bench-transfer: no answer to %s\n",
                                 transfer.frames[i].constData());
                    return 1;
                }
                if (transfer.settlePauses && i + 1 < transfer.frames.size()) {
                    const timespec pause{0, kSettlePauseMs * 1000000L};
                    ::nanosleep(&pause, nullptr);
                }
            }
            timing.endNs = monotonicNs();
            timing.processorNs = processorNs() - processorBefore;
            const timespec gap{0, kGapBetweenTransfersMs * 1000000L};
            ::nanosleep(&gap, nullptr);
            reportTransfer(prefix, transfer.name,
                           transfer.settlePauses ? int(transfer.frames.size()) - 1 : 0,
                           trace.take(), timing, line, round == 0, turnaroundsUs);
        }
    }
    printTurnarounds(prefix, turnaroundsUs);
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

// min / median / max (and p99 for long series) of every key over the files of many runs.
int summarise(const QStringList& files)
{
    QMap<QString, std::vector<double>> series;
    for (const QString& path : files) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            std::fprintf(stderr, "vrn-bench-transfer: cannot read %s\n", qPrintable(path));
            return 1;
        }
        QTextStream in(&file);
        while (!in.atEnd()) {
            const QString line = in.readLine();
            if (line.isEmpty() || line.startsWith(u'#'))
                continue;
            const QStringList parts = line.split(u' ');
            bool ok = false;
            const double value = parts.value(1).toDouble(&ok);
            if (parts.size() == 2 && ok)
                series[parts[0]].push_back(value);
        }
    }
    std::printf("%-34s %6s %12s %12s %12s %12s\n", "figure", "n", "min", "median", "p99", "max");
    for (auto it = series.cbegin(); it != series.cend(); ++it) {
        const std::vector<double>& values = it.value();
        const QString p99 = values.size() >= 100 ? QString::number(percentile(values, 0.99), 'g', 6)
                                                 : QStringLiteral("-");
        std::printf("%-34s %6zu %12.6g %12.6g %12s %12.6g\n", qPrintable(it.key()), values.size(),
                    percentile(values, 0.0), percentile(values, 0.5), qPrintable(p99),
                    percentile(values, 1.0));
    }
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
    const QCommandLineOption reference(
        QStringLiteral("reference"),
        QStringLiteral("Make the same exchanges with a minimal poll()/read()/write() client "
                       "instead of the program: the floor this machine allows."));
    const QCommandLineOption summary(QStringLiteral("summarise"),
                                     QStringLiteral("Summarise the output files given as "
                                                    "arguments."));
    const QCommandLineOption logWindow(
        QStringLiteral("log-window"),
        QStringLiteral("Keep the traffic log open beside the card windows, following the line."));
    parser.addOptions({simulator, latency, baud, rounds, growth, reference, summary, logWindow});
    parser.process(qtApp);

    if (parser.isSet(summary))
        return summarise(parser.positionalArguments());
    if (parser.isSet(growth))
        return runGrowth(parser.value(simulator), parser.value(growth).toInt(),
                         parser.isSet(logWindow));
    WireOptions options;
    options.simulator = parser.value(simulator);
    options.latencyMs = parser.value(latency).toInt();
    options.baud = parser.value(baud).toInt();
    options.rounds = std::max(1, parser.value(rounds).toInt());
    options.logWindow = parser.isSet(logWindow);
    return parser.isSet(reference) ? runReference(options) : runWire(options);
}
