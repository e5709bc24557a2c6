#include "journal.h"

#include "journal_line.h"
#include "journal_reader.h"

#include <QDir>

namespace vrn {
namespace {

using Verdict = JournalCheck::Verdict;

QString entriesText(qint64 count)
{
    return count == 1 ? Journal::tr("1 entry") : Journal::tr("%1 entries").arg(count);
}

// Lines that are no entries, one after another: a line cut off by a crash, which the next entry
// records by its hash, or lines that came in afterwards.
struct UnframedRun
{
    qint64 firstLine = 0; // 0: none
    qint64 lines = 0;
    qsizetype begin = 0;
    qsizetype end = 0; // the last line's end, its line end left out
    bool ended = true; // the last line has its line end
};

// Walks the journal's lines once: each line's frame, its own hash, its JSON, and its place in
// the chain; the first line that fails ends the walk.
class ChainWalk
{
public:
    explicit ChainWalk(QByteArrayView bytes) : m_bytes(bytes) {}

    JournalCheck run()
    {
        for (qsizetype begin = 0; begin < m_bytes.size();) {
            qsizetype end = m_bytes.indexOf('\n', begin);
            const bool ended = end >= 0;
            if (!ended)
                end = m_bytes.size();
            ++m_line;
            if (!takeLine(begin, end, ended))
                return m_check;
            begin = end + 1;
        }
        if (m_run.firstLine > 0) {
            if (m_run.lines > 1 || m_run.ended) {
                bad(Verdict::NotAnEntry, m_run.firstLine);
                return m_check;
            }
            m_check.tornLastLine = true;
        }
        m_check.entries = m_entries;
        return m_check;
    }

    // What the walk knew of the bad line beyond its verdict, for the words.
    enum class Detail { None, NotFollowing, TornLineRemoved };

    qint64 tornLines() const { return m_tornLines; }
    qint64 firstTornLine() const { return m_firstTornLine; }
    qint64 lastEntryLine() const { return m_lastEntryLine; }
    Detail detail() const { return m_detail; }

private:
    bool takeLine(qsizetype begin, qsizetype end, bool ended)
    {
        const QByteArrayView line = m_bytes.sliced(begin, end - begin);
        const LineFrame frame = lineFrame(line);
        if (!frame.framed) {
            if (m_run.firstLine == 0)
                m_run = {m_line, 0, begin, end, ended};
            ++m_run.lines;
            m_run.end = end;
            m_run.ended = ended;
            return true;
        }
        // Lines before this one that are no entries are told first: they come first.
        const qint64 first = m_run.firstLine > 0 ? m_run.firstLine : m_line;
        if (!hashHolds(frame, m_hasher))
            return bad(m_run.firstLine > 0 ? Verdict::NotAnEntry : Verdict::Changed, first);
        if (!isJsonObject(line))
            return bad(Verdict::NotAnEntry, first);
        if (m_run.firstLine > 0) {
            const QByteArrayView torn = m_bytes.sliced(m_run.begin, m_run.end - m_run.begin);
            if (frame.afterTorn != sha256Hex(torn))
                return bad(Verdict::NotAnEntry, first);
            if (m_tornLines == 0)
                m_firstTornLine = m_run.firstLine;
            m_tornLines += m_run.lines;
            m_run = {};
        } else if (!frame.afterTorn.isEmpty()) {
            m_detail = Detail::TornLineRemoved; // it records a cut-off line that is not there
            return bad(Verdict::Removed, m_line);
        }
        if (frame.seq > m_entries + 1)
            return bad(laterLineFills(end, frame.seq) ? Verdict::Reordered : Verdict::Removed,
                       m_line);
        if (frame.seq <= m_entries)
            return bad(Verdict::Reordered, m_line);
        if (frame.prev != m_prev) {
            if (m_lastEntryLine > 0)
                m_detail = Detail::NotFollowing;
            return bad(Verdict::Changed, m_line);
        }
        ++m_entries;
        m_prev = frame.sha256;
        m_lastEntryLine = m_line;
        return true;
    }

    // Whether a line after `from` has a sequence number below `seq` that is still to come: the
    // entries were moved, not removed.
    bool laterLineFills(qsizetype from, qint64 seq) const
    {
        for (qsizetype begin = from + 1; begin < m_bytes.size();) {
            qsizetype end = m_bytes.indexOf('\n', begin);
            if (end < 0)
                end = m_bytes.size();
            const LineFrame frame = lineFrame(m_bytes.sliced(begin, end - begin));
            if (frame.framed && frame.seq > m_entries && frame.seq < seq)
                return true;
            begin = end + 1;
        }
        return false;
    }

    bool bad(Verdict verdict, qint64 line)
    {
        m_check.verdict = verdict;
        m_check.badLine = line;
        m_check.entries = m_entries;
        return false;
    }

    const QByteArrayView m_bytes;
    QCryptographicHash m_hasher{QCryptographicHash::Sha256};
    JournalCheck m_check;
    UnframedRun m_run;
    qint64 m_line = 0;
    qint64 m_entries = 0;
    QByteArrayView m_prev = kNoEntryBefore;
    qint64 m_tornLines = 0;
    qint64 m_firstTornLine = 0;
    qint64 m_lastEntryLine = 0;
    Detail m_detail = Detail::None;
};

} // namespace

JournalCheck checkJournal(const QString& path)
{
    const QString name = QDir::toNativeSeparators(path);
    JournalReader reader;
    if (!reader.open(path)) {
        JournalCheck check;
        if (reader.missing()) {
            check.verdict = Verdict::Missing;
            check.text = Journal::tr("%1: there is no journal file").arg(name);
        } else {
            check.verdict = Verdict::Unreadable;
            check.text = Journal::tr("%1 cannot be read: %2").arg(name, reader.errorString());
        }
        return check;
    }
    ChainWalk walk(reader.bytes());
    JournalCheck check = walk.run();
    const QString line = QString::number(check.badLine);
    switch (check.verdict) {
    case Verdict::Intact:
        check.text = Journal::tr("%1: %2, intact").arg(name, entriesText(check.entries));
        if (walk.tornLines() == 1) {
            check.text += Journal::tr("; line %1 was cut off by a crash, as the entry after it "
                                      "tells")
                              .arg(walk.firstTornLine());
        } else if (walk.tornLines() > 1) {
            check.text += Journal::tr("; %1 lines were cut off by crashes (the first is line "
                                      "%2), as the entries after them tell")
                              .arg(walk.tornLines())
                              .arg(walk.firstTornLine());
        }
        if (check.tornLastLine) {
            check.text += Journal::tr("; the last line was cut off while it was written, "
                                      "probably by a crash or power loss: the entries before "
                                      "it are intact");
        }
        return check;
    case Verdict::Changed:
        check.text =
            walk.detail() == ChainWalk::Detail::NotFollowing
                ? Journal::tr("%1: line %2 does not follow line %3: one of them was "
                              "changed after it was written")
                      .arg(name, line, QString::number(walk.lastEntryLine()))
                : Journal::tr("%1: line %2 was changed after it was written").arg(name, line);
        break;
    case Verdict::Removed:
        check.text = walk.detail() == ChainWalk::Detail::TornLineRemoved
                         ? Journal::tr("%1: a line before line %2 was removed").arg(name, line)
                         : Journal::tr("%1: an entry before line %2 was removed").arg(name, line);
        break;
    case Verdict::Reordered:
        check.text = Journal::tr("%1: line %2 is out of order").arg(name, line);
        break;
    case Verdict::NotAnEntry:
    case Verdict::Missing:
    case Verdict::Unreadable:
        check.text = Journal::tr("%1: line %2 is not a journal entry").arg(name, line);
        break;
    }
    if (check.entries == 1)
        check.text += Journal::tr("; the entry before it checks clean");
    else if (check.entries > 1)
        check.text += Journal::tr("; the %1 entries before it check clean").arg(check.entries);
    return check;
}

} // namespace vrn
