// Reference client: the exchanges of the transfer benchmark (the VRN-B Send, the VRN-A Send with
// its pauses, the read request) made over the same pseudo-terminal and vrn-card-sim by a minimal
// poll()/read()/write() client, without the card windows. Its ratios to the floor are what this
// machine and the simulator allow any program that sleeps while it waits.
//
//   vrn-bench-reference --latency 2 --rounds 4
//
// Prints the same lines as vrn-bench-transfer, keys starting with "reference.".

#include "wire_trace.h"

#include "protocol.h"
#include "timeouts.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

#include <cerrno>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

using namespace vrn;
using namespace vrn::bench;

namespace {

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
        std::fprintf(stderr, "vrn-bench-reference: cannot start %s\n",
                     qPrintable(options.simulator));
        return 1;
    }
    ReferenceClient client;
    if (!client.open(card.device())) {
        std::fprintf(stderr, "vrn-bench-reference: cannot open %s\n", qPrintable(card.device()));
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
                    std::fprintf(stderr, "vrn-bench-reference: no answer to %s\n",
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

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication qtApp(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vrn-bench-reference"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Makes the card windows' exchanges with a minimal poll()/read()/write() "
                       "client over a pseudo-terminal served by vrn-card-sim: the floor this "
                       "machine allows."));
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
    parser.addOptions({simulator, latency, baud, rounds});
    parser.process(qtApp);

    WireOptions options;
    options.simulator = parser.value(simulator);
    options.latencyMs = parser.value(latency).toInt();
    options.baud = parser.value(baud).toInt();
    options.rounds = std::max(1, parser.value(rounds).toInt());
    return runReference(options);
}
