#include "runner.h"

#include <QFile>

#ifdef Q_OS_WIN
#include <windows.h>
// windows.h first: psapi.h relies on its types.
#include <psapi.h>
#else
#include <unistd.h>
#endif
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace vrn::soak {

QString mib(qint64 bytes)
{
    return QStringLiteral("%1 MiB").arg(bytes / (1024.0 * 1024.0), 0, 'f', 1);
}

qint64 residentSetBytes()
{
#ifdef Q_OS_WIN
    // The working set: the pages of the process that are in memory now.
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters))
        return 0;
    return static_cast<qint64>(counters.WorkingSetSize);
#else
#ifdef __GLIBC__
    // Freed memory the allocator still holds goes back to the system first: the reading then
    // follows the memory in use, not the allocator's free lists, which made the second half's
    // growth anything from 0.1 to 4.2 MiB in runs of one seed.
    malloc_trim(0);
#endif
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    if (fields.size() < 2)
        return 0;
    return fields[1].toLongLong() * sysconf(_SC_PAGESIZE);
#endif
}

QString SoakReport::summary() const
{
    QString text;
    const auto line = [&text](const QString& name, qint64 value) {
        text += QStringLiteral("  %1 %2\n").arg(name, -48).arg(value, 7);
    };
    text += QStringLiteral("Fault-injection soak: seed %1, %2 transfers, %3 s\n")
                .arg(seed)
                .arg(transfers)
                .arg(elapsedMs / 1000.0, 0, 'f', 1);
    text += QStringLiteral("Transfers by window and kind:\n");
    for (auto it = transfersByWindow.cbegin(); it != transfersByWindow.cend(); ++it)
        line(it.key(), it.value());
    text += QStringLiteral("Faults injected:\n");
    for (auto it = faults.cbegin(); it != faults.cend(); ++it)
        line(it.key(), it.value());
    text += QStringLiteral("Outcomes:\n");
    for (auto it = outcomes.cbegin(); it != outcomes.cend(); ++it)
        line(it.key(), it.value());
    text += QStringLiteral("Longest transfer: %1 ms\n").arg(longestTransferMs);
    text += QStringLiteral("Violations: %1\n").arg(violationCount);
    for (auto it = violationsByKind.cbegin(); it != violationsByKind.cend(); ++it)
        line(it.key(), it.value());
    if (!violations.isEmpty())
        text += QStringLiteral("Examples of violations:\n");
    for (const QString& v : violations)
        text += QStringLiteral("  %1\n").arg(v);
    text +=
        QStringLiteral("Resident set size: start %1, middle %2, end %3 (notices recorded: %4)\n")
            .arg(mib(rssStartBytes), mib(rssMiddleBytes), mib(rssEndBytes),
                 mib(noticeHistoryBytes));
    return text;
}

} // namespace vrn::soak
