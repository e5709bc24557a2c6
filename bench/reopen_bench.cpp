// How fast the program finds its card's line again after an unplug, and what waiting for it
// costs: a card served on a pseudo-terminal behind a fixed name (as a USB adapter's port comes
// back under /dev/serial/by-id/...), its terminal closed and, a while later, a new one served
// under the same name, again and again. For each return: the time from the name leading to the
// new terminal to the link having it open; over all the waits: the processor time the process
// used per second of waiting.
//
//   vrn-bench-reopen [--cycles N] [--away-ms MS]
//
// Prints each cycle's figures ("cycle N reopen-ms X away-ms Y"), then "reopen-ms min median
// max" over the cycles, "wait-processor-percent", and what a reading of the system's port list
// (how a USB adapter is looked for) costs, read afresh and reused ("port-list-processor-ms"),
// and the share of the processor that makes while waiting ("port-list-wait-processor-percent").

#include "link.h"
#include "pty_card_server.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QSerialPortInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace vrn;

namespace {

qint64 processorUs()
{
    rusage usage = {};
    getrusage(RUSAGE_SELF, &usage);
    return qint64(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000000 +
           usage.ru_utime.tv_usec + usage.ru_stime.tv_usec;
}

int argument(const QStringList& arguments, const QString& name, int fallback)
{
    const qsizetype at = arguments.indexOf(name);
    return at >= 0 && at + 1 < arguments.size() ? arguments[at + 1].toInt() : fallback;
}

// Lets the event loop run for a while with nothing of its own to do (QTest::qWait wakes every
// few milliseconds).
void idle(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool serve(sim::PtyCardServer& server, const QString& name)
{
    QFile::remove(name);
    return server.open() && QFile::link(server.slavePath(), name);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    const int cycles = argument(arguments, "--cycles", 20);
    const int awayMs = argument(arguments, "--away-ms", 1500);

    QTemporaryDir folder;
    const QString name = folder.filePath("card");
    sim::PtyCardServer server;
    Link link;
    link.setReopensLostAdapter(true);
    if (!serve(server, name) || !link.openDevice(name)) {
        std::fprintf(stderr, "vrn-bench-reopen: the card's terminal did not open\n");
        return 1;
    }

    QElapsedTimer clock;
    qint64 reopenedAtNs = -1;
    QObject::connect(&link, &Link::portChanged, [&] {
        if (link.isOpen() && link.adapterWait() == Link::AdapterWait::Reopened)
            reopenedAtNs = clock.nsecsElapsed();
    });

    std::vector<double> reopenMs;
    qint64 waitedUs = 0;
    qint64 waitProcessorUs = 0;
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        server.close();
        QFile::remove(name);
        if (!QTest::qWaitFor([&] { return link.adapterWait() == Link::AdapterWait::Waiting; })) {
            std::fprintf(stderr, "vrn-bench-reopen: cycle %d: the loss was not seen\n", cycle);
            return 1;
        }
        // Unplugged for a while, the return falling at another moment of the link's look each
        // time.
        const int away = awayMs + (cycle * 137) % Link::kAdapterPollMs;
        const qint64 processorBefore = processorUs();
        clock.start();
        idle(away);
        waitProcessorUs += processorUs() - processorBefore;
        waitedUs += clock.nsecsElapsed() / 1000;

        reopenedAtNs = -1;
        clock.start();
        if (!serve(server, name)) {
            std::fprintf(stderr, "vrn-bench-reopen: cycle %d: no new terminal\n", cycle);
            return 1;
        }
        const qint64 backAtNs = clock.nsecsElapsed();
        if (!QTest::qWaitFor([&] { return reopenedAtNs >= 0; }, 10000)) {
            std::fprintf(stderr, "vrn-bench-reopen: cycle %d: not reopened within 10 s\n", cycle);
            return 1;
        }
        reopenMs.push_back((reopenedAtNs - backAtNs) / 1e6);
        std::printf("cycle %d reopen-ms %.1f away-ms %d\n", cycle, reopenMs.back(), away);
    }
    std::vector<double> sorted = reopenMs;
    std::sort(sorted.begin(), sorted.end());
    const double median = sorted.size() % 2
                              ? sorted[sorted.size() / 2]
                              : (sorted[sorted.size() / 2 - 1] + sorted[sorted.size() / 2]) / 2;
    std::printf("reopen-ms %.1f %.1f %.1f\n", sorted.front(), median, sorted.back());
    std::printf("wait-processor-percent %.3f\n", 100.0 * waitProcessorUs / waitedUs);

    // A USB adapter is looked for in the system's list of ports twice a second. The list is
    // read afresh when a terminal device came or went, and every ten seconds all the same;
    // otherwise the last reading is reused. What each costs here, and the share of the
    // processor that makes while waiting with nothing coming or going.
    constexpr int kReadings = 20;
    qint64 before = processorUs();
    for (int i = 0; i < kReadings; ++i)
        QSerialPortInfo::availablePorts();
    const double freshMs = (processorUs() - before) / 1000.0 / kReadings;
    SystemPorts system;
    system.ports();
    before = processorUs();
    for (int i = 0; i < kReadings; ++i)
        system.ports();
    const double reusedMs = (processorUs() - before) / 1000.0 / kReadings;
    std::printf("port-list-processor-ms fresh %.2f reused %.3f\n", freshMs, reusedMs);
    std::printf("port-list-wait-processor-percent %.3f\n",
                100.0 * (freshMs / 10000.0 + reusedMs / Link::kAdapterPollMs));
    return 0;
}
