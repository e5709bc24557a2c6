#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

#include <functional>

namespace vrn::soak {

// What one soak run does: how many transfers, from which seed, and whether the faults that
// take seconds (silence, time-outs, replies too short, delays near the limit) are included.
struct SoakOptions
{
    quint32 seed = 1;
    int transfers = 3000;
    bool slowFaults = true;
    // Gets one line per transfer when set (transfer, window, kind, fault, outcome).
    std::function<void(const QString&)> trace;
};

// The figures of one run. Every check that failed is a violation; a sound program has none.
struct SoakReport
{
    quint32 seed = 0;
    int transfers = 0;
    qint64 elapsedMs = 0;
    qint64 longestTransferMs = 0;         // from the click to the end, whatever the outcome
    QMap<QString, int> transfersByWindow; // "VRN-A Send", "VRN-C Read", ...
    QMap<QString, int> faults;            // by kind of injected fault
    QMap<QString, int> outcomes;          // "ok", "refused reply", "time-out", "port lost", ...
    int violationCount = 0;
    QMap<QString, int> violationsByKind;
    QStringList violations; // the first few of each kind, naming the transfer and the fault
    qint64 rssStartBytes = 0;
    qint64 rssMiddleBytes = 0;
    qint64 rssEndBytes = 0;
    qint64 noticeHistoryBytes = 0; // what the recorded notices take, part of any growth

    QString summary() const;
};

// Runs the soak: the four card windows on a context of their own and the in-process simulated
// card, thousands of Sends and Reads with faults chosen at random from the seed, every transfer
// checked when it has ended. Needs a QApplication; returns when all transfers are done.
SoakReport runSoak(const SoakOptions& options);

// Resident set size of this process in bytes, from /proc/self/statm; 0 where there is none.
qint64 residentSetBytes();

} // namespace vrn::soak
