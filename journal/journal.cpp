#include "journal.h"

#include "journal_file.h"
#include "journal_line.h"
#include "journal_reader.h"
#include "portable_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <pwd.h>
#include <unistd.h>
#endif

namespace vrn {
namespace {

constexpr qint64 kTailBlockBytes = 16 * 1024; // a few entries; read back further when needed

// The user the program runs as, by the system's name for them.
QString systemUser()
{
#ifdef Q_OS_UNIX
    char buffer[1024];
    passwd entry = {};
    passwd* found = nullptr;
    if (::getpwuid_r(::geteuid(), &entry, buffer, sizeof buffer, &found) == 0 && found)
        return QString::fromLocal8Bit(found->pw_name);
    return qEnvironmentVariable("USER");
#else
    return qEnvironmentVariable("USERNAME");
#endif
}

// What the next entry chains to: the last line of the file that has an entry's frame. A crash
// may have left the file ending in a cut-off line; the new entry then records that line's hash,
// so that the check tells it from a line put there afterwards.
struct Tail
{
    qint64 seq = 0;
    QByteArray prev = kNoEntryBefore;
    QByteArray afterTorn; // empty when the file ends with a whole line
    bool endsWithLineEnd = true;
};

bool readTail(JournalFile& file, qint64 size, Tail* tail)
{
    if (size == 0)
        return true;
    QByteArray block;
    for (qint64 want = kTailBlockBytes;; want *= 4) {
        const qint64 start = std::max<qint64>(0, size - want);
        block.resize(size - start);
        if (!file.readAt(start, block.data(), block.size()))
            return false;
        tail->endsWithLineEnd = block.endsWith('\n');
        // Line by line from the end; the block's first line is whole only at the file's start.
        qsizetype end = tail->endsWithLineEnd ? block.size() - 1 : block.size();
        qsizetype tornFrom = end; // where the lines after the last entry begin
        while (end >= 0) {
            const qsizetype lineEnd = end;
            const qsizetype begin = lineEnd > 0 ? block.lastIndexOf('\n', lineEnd - 1) + 1 : 0;
            if (begin == 0 && start > 0)
                break;
            const QByteArrayView line = QByteArrayView(block).sliced(begin, lineEnd - begin);
            const LineFrame frame = lineFrame(line);
            if (frame.framed) {
                tail->seq = frame.seq;
                tail->prev = frame.sha256.toByteArray();
                tornFrom = lineEnd + 1;
                break;
            }
            tornFrom = begin;
            end = begin - 1;
        }
        if (end < 0 || tail->seq > 0) {
            // A torn last line is recorded with what came after the last entry; whole lines
            // that are no entries stay for the check to name.
            if (!tail->endsWithLineEnd && tornFrom < block.size())
                tail->afterTorn = sha256Hex(QByteArrayView(block).sliced(tornFrom));
            return true;
        }
    }
}

QString nativePath(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

Journal::Journal(QString path) : m_path(std::move(path))
{
}

QString Journal::defaultPath()
{
    const QString chosen = qEnvironmentVariable("VRN_JOURNAL");
    if (!chosen.isEmpty())
        return chosen;
    // One folder for every program of VRN-PC (vrn-pc, vrn-cli, whatever each calls itself),
    // so that they append to one journal: where vrn-pc keeps its data.
    const QString portable = portableFolder();
    if (!portable.isEmpty())
        return portable + QStringLiteral("/journal.jsonl");
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/VRN-PC/journal.jsonl");
}

const QString& Journal::path() const
{
    return m_path;
}

bool Journal::append(const JournalEntry& given, QString* error)
{
    const auto fail = [this, error](const QString& why) {
        if (error)
            *error = tr("The journal %1 could not be written: %2").arg(nativePath(m_path), why);
        return false;
    };
    JournalEntry entry = given;
    if (!entry.at.isValid())
        entry.at = QDateTime::currentDateTimeUtc();
    if (entry.osUser.isEmpty())
        entry.osUser = systemUser();
    if (entry.programVersion.isEmpty())
        entry.programVersion = QCoreApplication::applicationVersion();

    const QString folder = QFileInfo(m_path).absolutePath();
    if (!QDir().mkpath(folder))
        return fail(tr("its folder %1 cannot be made").arg(nativePath(folder)));
    JournalFile file;
    if (!file.open(m_path, JournalFile::Access::Append))
        return fail(file.errorString());
    const qint64 size = file.size();
    Tail tail;
    if (size < 0 || !readTail(file, size, &tail))
        return fail(file.errorString());

    QByteArray line = entryLine(entry, tail.seq + 1, tail.prev, tail.afterTorn);
    if (!tail.endsWithLineEnd)
        line.prepend('\n');
    if (!file.append(line) || !file.sync()) {
        const QString why = file.errorString();
        // What was written of the line goes again: the journal is as it was.
        if (file.truncate(size))
            file.sync();
        return fail(why);
    }
    return true;
}

std::vector<JournalRecord> readJournal(const QString& path, const QString& cardSerial,
                                       QString* error)
{
    JournalReader reader;
    if (!reader.open(path)) {
        if (error) {
            *error = reader.missing()
                         ? Journal::tr("%1: there is no journal file").arg(nativePath(path))
                         : Journal::tr("%1 cannot be read: %2")
                               .arg(nativePath(path), reader.errorString());
        }
        return {};
    }
    // Lines of another card are passed over by their serial field, without parsing them.
    const QByteArray serialField =
        cardSerial.isEmpty() ? QByteArray() : cardSerialField(cardSerial);
    std::vector<JournalRecord> records;
    const QByteArrayView bytes = reader.bytes();
    qint64 lineNumber = 0;
    for (qsizetype begin = 0; begin < bytes.size();) {
        qsizetype end = bytes.indexOf('\n', begin);
        if (end < 0)
            end = bytes.size();
        const QByteArrayView line = bytes.sliced(begin, end - begin);
        begin = end + 1;
        ++lineNumber;
        const LineFrame frame = lineFrame(line);
        if (!frame.framed || (!serialField.isEmpty() && !line.contains(serialField)))
            continue;
        std::optional<JournalEntry> entry = entryFromLine(line);
        if (!entry || (!cardSerial.isEmpty() && entry->cardSerial != cardSerial))
            continue;
        records.push_back({lineNumber, frame.seq, std::move(*entry), line.toByteArray()});
    }
    if (error)
        error->clear();
    return records;
}

QString fileSha256(const QString& path)
{
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        return {};
    return QString::fromLatin1(hash.result().toHex());
}

} // namespace vrn
