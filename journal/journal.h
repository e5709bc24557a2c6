#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

namespace vrn {

// One value of a card, as a journal entry records it.
struct JournalValue
{
    QString name;            // "I Max"
    QString unit;            // "mA" (may be empty)
    std::optional<int> code; // the code; none when not known
};

// One thing done to a card (a Send, Read, Verify, snapshot or restore), as the journal keeps it.
struct JournalEntry
{
    QDateTime at;           // UTC; written as ISO 8601 with milliseconds and Z
    QString action;         // "send", "read", "verify", "snapshot", "restore"
    QString source;         // "window", "station", "cli"
    QString osUser;         // filled by Journal::append when empty
    QString operatorName;   // may be empty
    QString programVersion; // filled from the application's version when empty
    QString port;           // device ("/dev/ttyUSB0", "COM3", "simulated")
    QString adapter;        // adapter key ("usb:A10K3JX2"), may be empty
    QString adapterDetails; // "USB serial number A10K3JX2, vendor 0403, ...", may be empty
    QString model;          // "VRN-A"
    QString cardSerial;     // as typed, may be empty
    QString file;           // full path the values came from or went to; may be empty
    QString fileSha256;     // hex, lower case; may be empty
    std::vector<JournalValue> before; // what the card was known to hold before; empty = not known
    std::vector<JournalValue> after;  // what it holds after; empty = not known
    QString outcome; // "done", "failed", "refused", "reply refused", "differs", "verified",
                     // "interrupted"
    QString reason;  // why, in words; empty when nothing went wrong
};

// An entry read back, with its line number (1-based) in the file.
struct JournalRecord
{
    qint64 line = 0;
    qint64 sequence = 0;
    JournalEntry entry;
    QByteArray stored; // the line's bytes as the file holds them, without the line end
};

// The commissioning journal: an append-only file of JSON lines, one entry a line, each line
// carrying its sequence number, the SHA-256 of the line before and its own SHA-256, so that an
// entry changed, removed or moved afterwards is told by checkJournal(). Several programs
// (vrn-pc, vrn-cli) append to the same file; each append locks it.
class Journal
{
    Q_DECLARE_TR_FUNCTIONS(Journal)
public:
    explicit Journal(QString path);
    // The program's journal: $VRN_JOURNAL, else journal.jsonl in the program's data folder
    // (~/.local/share/VRN-PC on Linux, %LOCALAPPDATA%\VRN-PC on Windows).
    static QString defaultPath();
    const QString& path() const;
    // Appends one entry: written, flushed and synced to the disk before it returns. False with
    // the reason (naming the file, for the user) when it could not be written; the journal is
    // then as it was (or, after a crash mid-write, has a torn last line).
    bool append(const JournalEntry& entry, QString* error = nullptr);

private:
    QString m_path;
};

// What checkJournal() found.
struct JournalCheck
{
    enum class Verdict {
        Intact,
        Missing /* no file */,
        Unreadable,
        NotAnEntry,
        Changed,
        Removed,
        Reordered
    };
    Verdict verdict = Verdict::Intact;
    qint64 entries = 0;        // whole entries that check clean before the first bad one
    qint64 badLine = 0;        // the first bad line (1-based), 0 when intact
    bool tornLastLine = false; // the last line was cut off while being written (crash, power loss)
    QString text;              // for the user: "journal.jsonl: 1204 entries, intact", ...
    bool ok() const { return verdict == Verdict::Intact; }
};

// Checks every line of the journal at `path`: its own hash, and that it follows the line before.
JournalCheck checkJournal(const QString& path);
// Every whole entry (optionally only those with a given card serial, compared exactly), in
// file order; a torn last line is skipped. error set (and nothing returned) when unreadable.
std::vector<JournalRecord> readJournal(const QString& path, const QString& cardSerial = {},
                                       QString* error = nullptr);
// SHA-256 of a file's bytes, hex lower case; empty when it cannot be read.
QString fileSha256(const QString& path);

} // namespace vrn
