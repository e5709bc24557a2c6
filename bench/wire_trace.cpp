#include "wire_trace.h"

#include "timeouts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include <sys/resource.h>
#include <time.h>

namespace vrn::bench {

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

double percentile(std::vector<double> values, double share)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    // Nearest rank: the smallest value with at least that share of the values at or below it.
    const auto rank = static_cast<std::size_t>(std::ceil(share * double(values.size())));
    return values[std::clamp<std::size_t>(rank, 1, values.size()) - 1];
}

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

} // namespace vrn::bench
