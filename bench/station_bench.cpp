// The commissioning station's cycle against the wire: one card served by vrn-card-sim in a
// process of its own on a pseudo-terminal, worked by a station cycle again and again (snapshot
// Read saved as a parameter file, Send of the recipe, Verify, each step put into a real journal
// synced to the disk before the next starts).
//
//   vrn-bench-station [--cycles 20] [--latency 2] [--baud 19200] [--folder DIR]
//
// For VRN-A and VRN-B: each cycle's time from StationCycle::start() to ended(), against the
// floor of its three transfers on the emulated wire (every character out and in, the card's
// latency before each answer, the VRN-A Send's settle pauses), and where the time beyond the
// floor went: before the first frame, between the snapshot's last answer and the Send's first
// frame (the snapshot saved, its entry synced, the recipe loaded), between the Send's last
// answer and the Verify's first frame (the Send's entry synced), after the Verify's last answer
// (its entry synced, the verdict), and the journal's appends alone. The recipe, the snapshots
// and the journal go in a temporary folder under DIR (the current folder unless told), whose
// file system is named first, since a sync's cost is the disk's.
//
// Lines "key value" per cycle, then "<model>.cycle_ms", "<model>.floor_ms", "<model>.ratio"
// and the gaps as "min median max"; lines starting with '#' explain.

#include "wire_trace.h"

#include "card_job.h"
#include "card_window.h"
#include "journal.h"
#include "journal_recorder.h"
#include "link.h"
#include "station_cycle.h"
#include "timeouts.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QEventLoop>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace vrn;
using namespace vrn::bench;

namespace {

constexpr int kCycleTimeoutMs = 20000; // far beyond a VRN-A cycle (about 1.3 s)

void waitMs(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// A cycle's traffic cut at its three transfers: the snapshot Read is the first frame, the Verify
// the last, the Send's frames those between.
struct CycleTrace
{
    double floorNs = 0;
    int frames = 0;
    qint64 firstFrameNs = -1;
    qint64 snapshotAnsweredNs = -1; // the read reply's last character out of the card
    qint64 sendFirstFrameNs = -1;
    qint64 sendAnsweredNs = -1;
    qint64 verifyFirstFrameNs = -1;
    qint64 lastAnswerNs = -1;
};

CycleTrace cutCycle(const std::vector<TraceEvent>& events, const LineTiming& line,
                    bool settlePauses)
{
    CycleTrace cut;
    int characters = 0;
    for (const TraceEvent& event : events) {
        characters += event.characters;
        if (event.direction == 'R')
            cut.frames += event.frameEnds;
    }
    const int sendFrames = cut.frames - 2;
    const int pauses = settlePauses && sendFrames > 1 ? sendFrames - 1 : 0;
    cut.floorNs =
        characters * line.characterNs + cut.frames * line.latencyNs + pauses * kSettlePauseMs * 1e6;

    int framesSeen = 0; // frames whole before the event
    qint64 lastWriteNs = -1;
    for (const TraceEvent& event : events) {
        if (event.direction == 'W') {
            lastWriteNs = event.ns;
            continue;
        }
        if (cut.firstFrameNs < 0)
            cut.firstFrameNs = event.ns;
        if (framesSeen == 1 && cut.sendFirstFrameNs < 0) {
            cut.snapshotAnsweredNs = lastWriteNs;
            cut.sendFirstFrameNs = event.ns;
        }
        if (framesSeen == cut.frames - 1 && framesSeen > 1 && cut.verifyFirstFrameNs < 0) {
            cut.sendAnsweredNs = lastWriteNs;
            cut.verifyFirstFrameNs = event.ns;
        }
        framesSeen += event.frameEnds;
    }
    cut.lastAnswerNs = lastWriteNs;
    return cut;
}

void printSpread(const QString& key, const std::vector<double>& values, const QString& what)
{
    std::printf("%s %.4g %.4g %.4g (min median max, %s)\n", qPrintable(key),
                percentile(values, 0.0), percentile(values, 0.5), percentile(values, 1.0),
                qPrintable(what));
}

struct Options
{
    WireOptions wire;
    int cycles = 20;
    QString folder;
};

// N cycles of one model on one card; false when a cycle did not pass.
bool runModel(CardModel model, const Options& options, const QString& folder)
{
    const QString name = modelName(model);
    const QString tracePath = QDir(folder).filePath(name + QStringLiteral("-trace.txt"));
    CardProcess card;
    if (!card.start(options.wire.simulator, cardArguments(options.wire, tracePath))) {
        std::fprintf(stderr, "vrn-bench-station: cannot start %s\n",
                     qPrintable(options.wire.simulator));
        return false;
    }
    CardJob job(model);
    if (!job.openPort(card.device())) {
        std::fprintf(stderr, "vrn-bench-station: %s\n",
                     qPrintable(job.link().lastError().debugText()));
        return false;
    }
    TraceReader trace(tracePath);
    const LineTiming line{options.wire.baud > 0 ? 1e10 / options.wire.baud : 0.0,
                          options.wire.latencyMs * 1e6};

    // The recipe: what the card holds, read and saved by the job's window (unmeasured; it also
    // makes the buffers and the window's first use).
    const QString recipe = QDir(folder).filePath(name + QStringLiteral("-recipe.par"));
    if (!job.window().read() ||
        !QTest::qWaitFor([&] { return !job.link().isBusy(); }, kCycleTimeoutMs) ||
        !job.window().saveFile(recipe)) {
        std::fprintf(stderr, "vrn-bench-station: %s: no recipe: %s\n", qPrintable(name),
                     qPrintable(job.takeTold()));
        return false;
    }
    StationCycle::Setup setup;
    setup.recipe = recipe;
    setup.recipeSha256 = job.window().lastFile()->sha256;
    setup.backupFolder = QDir(folder).filePath(name + QStringLiteral("-snapshots"));
    setup.operatorName = QStringLiteral("bench");
    setup.writeRecord = false;

    Journal journal(QDir(folder).filePath(name + QStringLiteral("-journal.jsonl")));
    StationCycle cycle(job);
    qint64 journalNs = 0;
    cycle.setRecorder([&](const CardEvent& event) {
        const qint64 before = monotonicNs();
        std::optional<QString> problem = recordInJournal(journal, event, QStringLiteral("station"));
        journalNs += monotonicNs() - before;
        return problem;
    });

    waitMs(kGapBetweenTransfersMs);
    trace.take();
    std::vector<double> cycleMs, floorMs, ratios, leadIn, afterSnapshot, afterSend, tail, appends;
    for (int i = 0; i < options.cycles; ++i) {
        QEventLoop loop;
        CycleResult result;
        qint64 endNs = 0;
        const auto connection =
            QObject::connect(&cycle, &StationCycle::ended, &loop, [&](const CycleResult& ended) {
                endNs = monotonicNs();
                result = ended;
                loop.quit();
            });
        QTimer::singleShot(kCycleTimeoutMs, &loop, &QEventLoop::quit);
        journalNs = 0;
        const qint64 startNs = monotonicNs();
        // A serial of its own each cycle: two snapshots of one card in a second are refused.
        if (!cycle.start(setup, QStringLiteral("B-%1").arg(i + 1)))
            return false;
        loop.exec();
        QObject::disconnect(connection);
        if (!result.passed) {
            std::fprintf(stderr, "vrn-bench-station: %s cycle %d: %s\n", qPrintable(name), i + 1,
                         endNs ? qPrintable(result.reason) : "no end");
            return false;
        }
        waitMs(kGapBetweenTransfersMs);
        const CycleTrace cut = cutCycle(trace.take(), line, model == CardModel::VrnA);
        if (cut.verifyFirstFrameNs < 0) {
            std::fprintf(stderr, "vrn-bench-station: %s cycle %d: three transfers not seen\n",
                         qPrintable(name), i + 1);
            return false;
        }
        const double ms = double(endNs - startNs) / 1e6;
        cycleMs.push_back(ms);
        floorMs.push_back(cut.floorNs / 1e6);
        ratios.push_back(ms / (cut.floorNs / 1e6));
        leadIn.push_back(double(cut.firstFrameNs - startNs) / 1e6);
        afterSnapshot.push_back(double(cut.sendFirstFrameNs - cut.snapshotAnsweredNs) / 1e6);
        afterSend.push_back(double(cut.verifyFirstFrameNs - cut.sendAnsweredNs) / 1e6);
        tail.push_back(double(endNs - cut.lastAnswerNs) / 1e6);
        appends.push_back(double(journalNs) / 1e6);
        if (i == 0)
            note(QStringLiteral("%1: %2 frames a cycle (the snapshot Read, %3 of the Send, the "
                                "Verify)")
                     .arg(name)
                     .arg(cut.frames)
                     .arg(cut.frames - 2));
        print(name + QStringLiteral(".cycle%1.ratio").arg(i + 1), ratios.back());
    }
    const QString cycles = QStringLiteral("%1 cycles").arg(options.cycles);
    printSpread(name + QStringLiteral(".cycle_ms"), cycleMs, cycles);
    printSpread(name + QStringLiteral(".floor_ms"), floorMs, cycles);
    printSpread(name + QStringLiteral(".ratio"), ratios, cycles);
    printSpread(name + QStringLiteral(".lead_in_ms"), leadIn, QStringLiteral("start to 1st frame"));
    printSpread(name + QStringLiteral(".after_snapshot_ms"), afterSnapshot,
                QStringLiteral("reply to the Send's 1st frame: save, entry, load"));
    printSpread(name + QStringLiteral(".after_send_ms"), afterSend,
                QStringLiteral("last answer to the Verify's frame: entry"));
    printSpread(name + QStringLiteral(".tail_ms"), tail,
                QStringLiteral("Verify's reply to ended(): entry, verdict"));
    printSpread(name + QStringLiteral(".journal_ms"), appends,
                QStringLiteral("the cycle's three appends, synced"));
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vrn-bench-station"));
    QApplication::setApplicationVersion(QStringLiteral("0.1.0"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Times the commissioning station's cycle on a card served by vrn-card-sim "
                       "on a pseudo-terminal, against the wire's floor."));
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
    const QCommandLineOption cycles(QStringLiteral("cycles"),
                                    QStringLiteral("Cycles of each model (default 20)."),
                                    QStringLiteral("n"), QStringLiteral("20"));
    const QCommandLineOption folder(
        QStringLiteral("folder"),
        QStringLiteral("Where the journal, the recipe and the snapshots go (default: here)."),
        QStringLiteral("dir"), QDir::currentPath());
    parser.addOptions({simulator, latency, baud, cycles, folder});
    parser.process(qtApp);

    Options options;
    options.wire.simulator = parser.value(simulator);
    options.wire.latencyMs = parser.value(latency).toInt();
    options.wire.baud = parser.value(baud).toInt();
    options.cycles = std::max(1, parser.value(cycles).toInt());

    const QString base = parser.value(folder);
    QDir().mkpath(base);
    QTemporaryDir scratch(base + QStringLiteral("/vrn-bench-station-XXXXXX"));
    if (!scratch.isValid()) {
        std::fprintf(stderr, "vrn-bench-station: no folder under %s\n", qPrintable(base));
        return 1;
    }
    const QStorageInfo storage(scratch.path());
    std::printf("file-system %s %s (folder %s)\n", storage.fileSystemType().constData(),
                storage.device().constData(), qPrintable(scratch.path()));
    note(QStringLiteral("wire: %1 baud, card latency %2 ms, %3 cycles a model, record PDF off")
             .arg(options.wire.baud)
             .arg(options.wire.latencyMs)
             .arg(options.cycles));
    for (const CardModel model : {CardModel::VrnA, CardModel::VrnB}) {
        if (!runModel(model, options, scratch.path()))
            return 1;
    }
    return 0;
}
