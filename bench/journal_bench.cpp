// What the commissioning journal costs: an append, synced to the disk as every transfer's entry
// is, and the check of a journal of many entries. The entries are typical VRN-A Sends, ten
// values before and after.
//
//   vrn-bench-journal [--folder DIR] [--appends N] [--entries N] [--runs N]
//
// The journals are written in a temporary folder under DIR (the current folder unless told),
// whose file system is named first ("file-system"), since the sync's cost is the disk's. Prints
// "append-ms min median p99 max" over the appends, "sync-floor-ms" the same for a bare write
// and sync of a line as long (what the disk allows), "journal-bytes" of the journal checked,
// and "check-ms min median max" over the runs of checkJournal() on it.

#include "journal.h"
#include "journal_entries.h"
#include "journal_file.h"
#include "journal_line.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace vrn;

namespace {

int argument(const QStringList& arguments, const QString& name, int fallback)
{
    const qsizetype at = arguments.indexOf(name);
    return at >= 0 && at + 1 < arguments.size() ? arguments[at + 1].toInt() : fallback;
}

// The value below which `share` of the sorted figures lie.
double quantile(const std::vector<double>& sorted, double share)
{
    const auto at = static_cast<std::size_t>(share * static_cast<double>(sorted.size() - 1) + 0.5);
    return sorted[std::min(at, sorted.size() - 1)];
}

void printTimes(const char* name, std::vector<double> ms, const QString& what)
{
    std::sort(ms.begin(), ms.end());
    std::printf("%s %.3f %.3f %.3f %.3f (min median p99 max, %s)\n", name, ms.front(),
                quantile(ms, 0.5), quantile(ms, 0.99), ms.back(), qPrintable(what));
}

// A journal of `count` entries written straight to the file, chained as appends chain them but
// without a sync for each.
bool writeJournal(const QString& path, int count)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QByteArray prev = kNoEntryBefore;
    JournalEntry entry = vrnASendEntry(QString(), 0);
    entry.at = QDateTime::currentDateTimeUtc();
    entry.osUser = QStringLiteral("technician");
    entry.programVersion = QStringLiteral("0.1.0");
    for (int i = 0; i < count; ++i) {
        entry.cardSerial = QStringLiteral("S-%1").arg(i % 500);
        const QByteArray line = entryLine(entry, i + 1, prev, {});
        prev = lineFrame(QByteArrayView(line).chopped(1)).sha256.toByteArray();
        if (file.write(line) != line.size())
            return false;
    }
    return file.flush();
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral("0.1.0"));
    const QStringList arguments = app.arguments();
    const qsizetype folderAt = arguments.indexOf("--folder");
    const QString base = folderAt >= 0 && folderAt + 1 < arguments.size() ? arguments[folderAt + 1]
                                                                          : QDir::currentPath();
    const int appends = argument(arguments, "--appends", 2000);
    const int entries = argument(arguments, "--entries", 100000);
    const int runs = argument(arguments, "--runs", 5);

    QDir().mkpath(base);
    QTemporaryDir folder(base + QStringLiteral("/vrn-bench-journal-XXXXXX"));
    if (!folder.isValid()) {
        std::fprintf(stderr, "vrn-bench-journal: no folder under %s\n", qPrintable(base));
        return 1;
    }
    const QStorageInfo storage(folder.path());
    std::printf("file-system %s %s (folder %s)\n", storage.fileSystemType().constData(),
                storage.device().constData(), qPrintable(folder.path()));

    Journal journal(folder.filePath(QStringLiteral("append.jsonl")));
    std::vector<double> appendMs;
    QElapsedTimer clock;
    for (int i = 0; i < appends; ++i) {
        const JournalEntry entry = vrnASendEntry(QStringLiteral("S-%1").arg(i % 50), i);
        QString error;
        clock.start();
        const bool appended = journal.append(entry, &error);
        appendMs.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
        if (!appended) {
            std::fprintf(stderr, "vrn-bench-journal: %s\n", qPrintable(error));
            return 1;
        }
    }
    printTimes("append-ms", appendMs, QStringLiteral("%1 appends, each synced").arg(appends));

    // The same number of lines as long, each written and synced and nothing else.
    JournalFile bare;
    if (!bare.open(folder.filePath(QStringLiteral("bare.jsonl")), JournalFile::Access::Append)) {
        std::fprintf(stderr, "vrn-bench-journal: %s\n", qPrintable(bare.errorString()));
        return 1;
    }
    const QByteArray line(entryLine(vrnASendEntry(QString(), 0), 1, kNoEntryBefore, {}).size(),
                          'x');
    std::vector<double> floorMs;
    for (int i = 0; i < appends; ++i) {
        clock.start();
        if (!bare.append(line) || !bare.sync()) {
            std::fprintf(stderr, "vrn-bench-journal: %s\n", qPrintable(bare.errorString()));
            return 1;
        }
        floorMs.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
    }
    printTimes(
        "sync-floor-ms", floorMs,
        QStringLiteral("%1 bare writes of %2 bytes, each synced").arg(appends).arg(line.size()));

    const QString checked = folder.filePath(QStringLiteral("check.jsonl"));
    if (!writeJournal(checked, entries)) {
        std::fprintf(stderr, "vrn-bench-journal: cannot write %s\n", qPrintable(checked));
        return 1;
    }
    const qint64 bytes = QFileInfo(checked).size();
    std::printf("journal-bytes %lld (%d entries, %lld bytes each)\n", bytes, entries,
                bytes / std::max(entries, 1));
    std::vector<double> checkMs;
    for (int run = 0; run < runs; ++run) {
        clock.start();
        const JournalCheck check = checkJournal(checked);
        checkMs.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
        if (!check.ok() || check.entries != entries) {
            std::fprintf(stderr, "vrn-bench-journal: %s\n", qPrintable(check.text));
            return 1;
        }
    }
    std::sort(checkMs.begin(), checkMs.end());
    std::printf("check-ms %.1f %.1f %.1f (min median max, %d runs)\n", checkMs.front(),
                quantile(checkMs, 0.5), checkMs.back(), runs);
    return 0;
}
