#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace vrn {

// The journal's file opened by the system's own calls and locked against the other programs
// that use it (vrn-pc, vrn-cli): exclusively to append, shared to read. The lock is the
// system's (flock, LockFileEx), so it ends with the process, also when that is killed.
class JournalFile
{
public:
    enum class Access { Read, Append };

    JournalFile() = default;
    ~JournalFile();
    JournalFile(const JournalFile&) = delete;
    JournalFile& operator=(const JournalFile&) = delete;

    // Opens (for Append creating it when missing) and waits for the lock.
    bool open(const QString& path, Access access);
    // The system's error number of the last call that failed, and its words.
    int error() const { return m_error; }
    QString errorString() const;

    qint64 size();
    // Exactly `length` bytes from `offset`.
    bool readAt(qint64 offset, char* data, qint64 length);
    // The bytes at the end of the file, in one write.
    bool append(QByteArrayView bytes);
    // Everything written is on the disk.
    bool sync();
    // Cuts the file back to `size` bytes (a failed append undone).
    bool truncate(qint64 size);

private:
    bool failed();

    int m_fd = -1;
    int m_error = 0;
};

} // namespace vrn
