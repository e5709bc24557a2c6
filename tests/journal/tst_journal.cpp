// The journal: entries appended by several writers chain into one journal that checks intact
// and reads back as written; each kind of damage afterwards is found and named by its line; a
// line cut off by a crash is told from one put there afterwards; an append that cannot be
// written leaves the journal as it was.

#include "journal.h"
#include "journal_entries.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>
#endif

using namespace vrn;
using namespace Qt::StringLiterals;
using Verdict = JournalCheck::Verdict;

namespace {

constexpr int kWriterEntries = 1000;
constexpr int kKillAfterEntries = 100; // the writer is killed once this many are in
constexpr int kWriterWaitMs = 60000;

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeContents(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

// A journal of `count` entries, of the cards S-0, S-1 and S-2 in turn.
bool appendEntries(const QString& path, int count)
{
    Journal journal(path);
    for (int i = 0; i < count; ++i) {
        if (!journal.append(vrnASendEntry(u"S-%1"_s.arg(i % 3), i)))
            return false;
    }
    return true;
}

// The line of the journal (1-based) as it is stored, its line end included.
QByteArray lineOf(const QByteArray& journal, int line)
{
    return journal.split('\n').value(line - 1) + '\n';
}

// The line with `from` replaced and its own hash made to fit again, as someone who knows the
// format would do.
QByteArray rehashed(QByteArray line, const char* from, const char* to)
{
    line.replace(from, to);
    const qsizetype own = line.lastIndexOf(",\"sha256\":\"");
    const QByteArray hash =
        QCryptographicHash::hash(line.first(own), QCryptographicHash::Sha256).toHex();
    return line.first(own) + ",\"sha256\":\"" + hash + "\"}\n";
}

} // namespace

class TestJournal : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void entriesChainAndReadBack();
    void damageIsNamed_data();
    void damageIsNamed();
    void appendAfterTornLineRecordsIt();
    void killedWriterLeavesWholeEntries();
    void refusedAppendWritesNothing_data();
    void refusedAppendWritesNothing();

private:
    QTemporaryDir m_folder;
};

// Two writers on one file (as vrn-pc and vrn-cli) make one chain; the entries read back as they
// were given, with the line each is on, and a card's entries alone by its serial.
void TestJournal::entriesChainAndReadBack()
{
    const QString path = m_folder.filePath(u"chain/journal.jsonl"_s);
    Journal first(path), second(path);
    for (int i = 0; i < 5; ++i) {
        QString error;
        QVERIFY2((i % 2 ? second : first).append(vrnASendEntry(u"S-%1"_s.arg(i % 2), i), &error),
                 qPrintable(error));
    }
    const JournalCheck check = checkJournal(path);
    QCOMPARE(check.verdict, Verdict::Intact);
    QCOMPARE(check.entries, 5);
    QVERIFY2(check.text.endsWith(u"journal.jsonl: 5 entries, intact"_s), qPrintable(check.text));
    QVERIFY(contents(path).endsWith("\"}\n"));

    const std::vector<JournalRecord> all = readJournal(path);
    QCOMPARE(all.size(), 5u);
    const std::vector<JournalRecord> card = readJournal(path, u"S-1"_s);
    QCOMPARE(card.size(), 2u);
    QCOMPARE(card[1].line, 4);
    QCOMPARE(card[1].sequence, 4);
    QCOMPARE(card[1].stored + '\n', lineOf(contents(path), 4));
    const JournalEntry given = vrnASendEntry(u"S-1"_s, 3);
    const JournalEntry& read = card[1].entry;
    QCOMPARE(read.cardSerial, given.cardSerial);
    QCOMPARE(read.file, given.file);
    QCOMPARE(read.adapterDetails, given.adapterDetails);
    QCOMPARE(read.outcome, given.outcome);
    QVERIFY(read.at.isValid());
    QCOMPARE(read.at.timeSpec(), Qt::UTC);
    QVERIFY(!read.osUser.isEmpty());
    QCOMPARE(read.before.size(), given.before.size());
    for (std::size_t i = 0; i < given.before.size(); ++i) {
        QCOMPARE(read.before[i].name, given.before[i].name);
        QCOMPARE(read.before[i].unit, given.before[i].unit);
        QCOMPARE(read.before[i].code, given.before[i].code);
        QCOMPARE(read.after[i].code, given.after[i].code);
    }
    QVERIFY(readJournal(path, u"S-"_s).empty()); // serials compare whole
}

void TestJournal::damageIsNamed_data()
{
    // A journal of four entries, then the damage.
    QTest::addColumn<QString>("damage");
    QTest::addColumn<Verdict>("verdict");
    QTest::addColumn<int>("badLine");
    QTest::addColumn<int>("entries");
    QTest::addColumn<bool>("torn");
    QTest::addColumn<QString>("told");
    QTest::newRow("one-byte-changed")
        << u"change"_s << Verdict::Changed << 2 << 1 << false
        << u"line 2 was changed after it was written; the entry before it checks clean"_s;
    QTest::newRow("changed-and-rehashed")
        << u"rehash"_s << Verdict::Changed << 3 << 2 << false
        << u"line 3 does not follow line 2: one of them was changed after it was written"_s;
    QTest::newRow("no-json-with-its-own-hash") << u"rehash-no-json"_s << Verdict::NotAnEntry << 2
                                               << 1 << false << u"line 2 is not a journal entry"_s;
    QTest::newRow("entry-removed") << u"remove"_s << Verdict::Removed << 2 << 1 << false
                                   << u"an entry before line 2 was removed"_s;
    QTest::newRow("first-entry-removed") << u"remove-first"_s << Verdict::Removed << 1 << 0 << false
                                         << u"an entry before line 1 was removed"_s;
    QTest::newRow("two-swapped") << u"swap"_s << Verdict::Reordered << 2 << 1 << false
                                 << u"line 2 is out of order"_s;
    QTest::newRow("entry-repeated")
        << u"repeat"_s << Verdict::Reordered << 3 << 2 << false << u"line 3 is out of order"_s;
    QTest::newRow("line-put-in") << u"insert"_s << Verdict::NotAnEntry << 3 << 2 << false
                                 << u"line 3 is not a journal entry"_s;
    QTest::newRow("torn-line-in-the-middle-not-named")
        << u"torn-middle"_s << Verdict::NotAnEntry << 2 << 1 << false
        << u"line 2 is not a journal entry"_s;
    QTest::newRow("torn-last-line")
        << u"torn-end"_s << Verdict::Intact << 0 << 4 << true
        << u"4 entries, intact; the last line was cut off while it was written, probably by a "
           "crash or power loss: the entries before it are intact"_s;
    QTest::newRow("last-line-end-missing")
        << u"unended"_s << Verdict::Intact << 0 << 4 << false << u"4 entries, intact"_s;
}

// Each kind of damage is found at its first line and named; what came before still counts.
void TestJournal::damageIsNamed()
{
    QFETCH(QString, damage);
    const QString path = m_folder.filePath(QTest::currentDataTag() + u".jsonl"_s);
    QVERIFY(appendEntries(path, 4));
    const QByteArray journal = contents(path);
    QList<QByteArray> lines;
    for (int i = 1; i <= 4; ++i)
        lines << lineOf(journal, i);
    const QByteArray half = lines[1].first(lines[1].size() / 2);
    if (damage == "change")
        lines[1].replace("\"verified\"", "\"verifiee\"");
    else if (damage == "rehash")
        lines[1] = rehashed(lines[1], "\"verified\"", "\"differs\"");
    else if (damage == "rehash-no-json")
        lines[1] = rehashed(lines[1], "\"action\":\"send\"", "\"action\":send");
    else if (damage == "remove")
        lines.removeAt(1);
    else if (damage == "remove-first")
        lines.removeFirst();
    else if (damage == "swap")
        lines.swapItemsAt(1, 2);
    else if (damage == "repeat")
        lines.insert(2, lines[1]);
    else if (damage == "insert")
        lines.insert(2, "{\"note\":\"added later\"}\n");
    else if (damage == "torn-middle")
        lines.insert(1, half + '\n');
    else if (damage == "torn-end")
        lines << half;
    else if (damage == "unended")
        lines[3].chop(1);
    else
        QFAIL("unknown damage");
    QVERIFY(writeContents(path, lines.join()));

    QFETCH(Verdict, verdict);
    QFETCH(int, badLine);
    QFETCH(int, entries);
    QFETCH(bool, torn);
    QFETCH(QString, told);
    const JournalCheck check = checkJournal(path);
    QCOMPARE(check.verdict, verdict);
    QCOMPARE(check.badLine, badLine);
    QCOMPARE(check.entries, entries);
    QCOMPARE(check.tornLastLine, torn);
    QVERIFY2(check.text.startsWith(QDir::toNativeSeparators(path) + u": "_s),
             qPrintable(check.text));
    QVERIFY2(check.text.contains(told), qPrintable(check.text));
}

// An append after a crash ends the cut-off line and records its hash: the journal checks intact
// and says so. The same line changed afterwards is no longer the one recorded.
void TestJournal::appendAfterTornLineRecordsIt()
{
    const QString path = m_folder.filePath(u"torn.jsonl"_s);
    QVERIFY(appendEntries(path, 2));
    const QByteArray whole = contents(path);
    const QByteArray half = lineOf(whole, 2).first(300);
    QVERIFY(writeContents(path, whole + half));
    QVERIFY(appendEntries(path, 2));

    JournalCheck check = checkJournal(path);
    QCOMPARE(check.verdict, Verdict::Intact);
    QCOMPARE(check.entries, 4);
    QVERIFY(!check.tornLastLine);
    QVERIFY2(check.text.endsWith(u"4 entries, intact; line 3 was cut off by a crash, as the entry "
                                 "after it tells"_s),
             qPrintable(check.text));
    const std::vector<JournalRecord> records = readJournal(path);
    QCOMPARE(records.size(), 4u);
    QCOMPARE(records[2].line, 4);
    QCOMPARE(records[2].sequence, 3);

    QByteArray changed = contents(path);
    changed[whole.size() + 100] = changed[whole.size() + 100] == 'x' ? 'y' : 'x';
    QVERIFY(writeContents(path, changed));
    check = checkJournal(path);
    QCOMPARE(check.verdict, Verdict::NotAnEntry);
    QCOMPARE(check.badLine, 3);
}

// A writer killed mid-way (the process gone between any two instructions) leaves whole entries
// that chain, and at most a cut-off last line; the next append goes on from there.
void TestJournal::killedWriterLeavesWholeEntries()
{
#ifdef Q_OS_WIN
    QSKIP("the writer is to be killed between any two of its instructions by SIGKILL, which "
          "Windows does not have");
#else
    const QString path = m_folder.filePath(u"killed.jsonl"_s);
    QProcess writer;
    writer.start(QStringLiteral(VRN_JOURNAL_WRITER), {path, QString::number(kWriterEntries)});
    QVERIFY(writer.waitForStarted());
    QVERIFY(QTest::qWaitFor([&] { return contents(path).count('\n') >= kKillAfterEntries; },
                            kWriterWaitMs));
    writer.kill(); // SIGKILL
    QVERIFY(writer.waitForFinished());
    QCOMPARE(writer.exitStatus(), QProcess::CrashExit);

    const QByteArray journal = contents(path);
    const JournalCheck check = checkJournal(path);
    QVERIFY2(check.ok(), qPrintable(check.text));
    QCOMPARE(check.entries, journal.count('\n'));
    QVERIFY(check.entries < kWriterEntries);
    QCOMPARE(check.tornLastLine, !journal.endsWith('\n'));
    QVERIFY(appendEntries(path, 1));
    QCOMPARE(checkJournal(path).entries, check.entries + 1);
#endif
}

void TestJournal::refusedAppendWritesNothing_data()
{
    QTest::addColumn<QString>("place");
    QTest::newRow("read-only-folder") << u"read-only-folder"_s;
    QTest::newRow("read-only-journal") << u"read-only-journal"_s;
    QTest::newRow("folder-that-takes-no-files") << u"proc"_s;
    QTest::newRow("folder-is-a-file") << u"under-a-file"_s;
    QTest::newRow("disk-full-mid-line") << u"disk-full"_s;
}

// An append that cannot be written says so, naming the journal, and leaves it as it was (or
// absent); a line cut short by a full disk is taken back.
void TestJournal::refusedAppendWritesNothing()
{
    QFETCH(QString, place);
    const QString folder = m_folder.filePath(QTest::currentDataTag());
    QVERIFY(QDir().mkpath(folder));
    QString path = folder + u"/journal.jsonl"_s;
    QVERIFY(appendEntries(path, 2));
#ifdef Q_OS_UNIX
    const bool root = ::geteuid() == 0;
#else
    const bool root = false;
#endif
    if (place == "read-only-folder") {
#ifdef Q_OS_WIN
        QSKIP("Windows lets anyone create files in a folder marked read-only; the row "
              "folder-is-a-file has a folder that refuses the journal");
#endif
        if (root)
            QSKIP("root writes into a read-only folder; the row folder-that-takes-no-files has "
                  "a folder that refuses the journal");
        path = folder + u"/locked/journal.jsonl"_s;
        QVERIFY(QDir().mkpath(folder + u"/locked"_s));
        QVERIFY(QFile::setPermissions(folder + u"/locked"_s, QFile::ReadOwner | QFile::ExeOwner));
    } else if (place == "read-only-journal") {
        if (root)
            QSKIP("root writes to a read-only file; the row disk-full-mid-line has a journal "
                  "that takes no line");
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
        // Wine run by root writes to a read-only file as root does.
        if (QFile probe(path); probe.open(QIODevice::Append))
            QSKIP("this user writes to a read-only file; the row disk-full-mid-line has a "
                  "journal that takes no line");
    } else if (place == "proc") {
#ifdef Q_OS_WIN
        QSKIP("no folder at a fixed place refuses every user on Windows; the row "
              "folder-is-a-file has a folder that refuses the journal");
#endif
        path = u"/proc/vrn-journal/journal.jsonl"_s; // not even root makes folders here
    } else if (place == "under-a-file") {
        path = path + u"/journal.jsonl"_s;
    }
    const QByteArray before = contents(path);

    bool appended = false;
    QString error;
    const JournalEntry entry = vrnASendEntry(u"S-9"_s, 9);
    if (place == "disk-full") {
#ifdef Q_OS_UNIX
        // A disk that takes a few more bytes of the journal, not a whole line.
        rlimit saved{};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &saved), 0);
        const auto previousSignal = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limited{static_cast<rlim_t>(before.size() + 100), saved.rlim_max};
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &limited), 0);
        appended = Journal(path).append(entry, &error);
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &saved), 0);
        std::signal(SIGXFSZ, previousSignal);
#else
        QSKIP("no size limit for files on Windows");
#endif
    } else {
        appended = Journal(path).append(entry, &error);
    }
    QVERIFY(!appended);
    QVERIFY2(error.contains(QDir::toNativeSeparators(path)), qPrintable(error));
    QCOMPARE(contents(path), before);
    if (!before.isEmpty())
        QVERIFY(checkJournal(path).ok());
}

QTEST_GUILESS_MAIN(TestJournal)
#include "tst_journal.moc"
