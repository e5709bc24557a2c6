#include "journal_file.h"

#include <cerrno>
#include <cstring>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <QFile>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vrn {

JournalFile::~JournalFile()
{
    // Closing the file ends the lock.
#ifdef Q_OS_WIN
    if (m_fd >= 0)
        _close(m_fd);
#else
    if (m_fd >= 0)
        ::close(m_fd);
#endif
}

bool JournalFile::failed()
{
    m_error = errno;
    return false;
}

QString JournalFile::errorString() const
{
#ifdef Q_OS_WIN
    // The C runtime's error numbers, not the system's: qt_error_string() reads the latter.
    return QString::fromLocal8Bit(std::strerror(m_error));
#else
    return qt_error_string(m_error);
#endif
}

#ifdef Q_OS_WIN

bool JournalFile::open(const QString& path, Access access)
{
    const int flags = access == Access::Append ? _O_RDWR | _O_CREAT | _O_APPEND : _O_RDONLY;
    if (_wsopen_s(&m_fd, reinterpret_cast<const wchar_t*>(path.utf16()),
                  flags | _O_BINARY | _O_NOINHERIT, _SH_DENYNO, _S_IREAD | _S_IWRITE) != 0) {
        m_fd = -1;
        return failed();
    }
    OVERLAPPED whole = {};
    const DWORD mode = access == Access::Append ? LOCKFILE_EXCLUSIVE_LOCK : 0;
    if (!LockFileEx(reinterpret_cast<HANDLE>(_get_osfhandle(m_fd)), mode, 0, MAXDWORD, MAXDWORD,
                    &whole)) {
        m_error = EIO;
        return false;
    }
    return true;
}

qint64 JournalFile::size()
{
    const qint64 length = _filelengthi64(m_fd);
    if (length < 0)
        failed();
    return length;
}

bool JournalFile::readAt(qint64 offset, char* data, qint64 length)
{
    if (_lseeki64(m_fd, offset, SEEK_SET) < 0)
        return failed();
    while (length > 0) {
        const unsigned int part = static_cast<unsigned int>(qMin<qint64>(length, 1 << 30));
        const int got = _read(m_fd, data, part);
        if (got <= 0) {
            if (got == 0)
                errno = EIO; // the file ended early
            return failed();
        }
        data += got;
        length -= got;
    }
    return true;
}

bool JournalFile::append(QByteArrayView bytes)
{
    const char* data = bytes.data();
    qint64 left = bytes.size();
    while (left > 0) {
        const int wrote = _write(m_fd, data, static_cast<unsigned int>(left));
        if (wrote <= 0)
            return failed();
        data += wrote;
        left -= wrote;
    }
    return true;
}

bool JournalFile::sync()
{
    return _commit(m_fd) == 0 || failed();
}

bool JournalFile::truncate(qint64 size)
{
    const errno_t result = _chsize_s(m_fd, size);
    if (result != 0) {
        m_error = result;
        return false;
    }
    return true;
}

#else

bool JournalFile::open(const QString& path, Access access)
{
    const int flags = access == Access::Append ? O_RDWR | O_CREAT | O_APPEND : O_RDONLY;
    do {
        m_fd = ::open(QFile::encodeName(path).constData(), flags | O_CLOEXEC, 0644);
    } while (m_fd < 0 && errno == EINTR);
    if (m_fd < 0)
        return failed();
    const int lock = access == Access::Append ? LOCK_EX : LOCK_SH;
    int locked = 0;
    do {
        locked = ::flock(m_fd, lock);
    } while (locked != 0 && errno == EINTR);
    return locked == 0 || failed();
}

qint64 JournalFile::size()
{
    struct stat info = {};
    if (::fstat(m_fd, &info) != 0) {
        failed();
        return -1;
    }
    if (!S_ISREG(info.st_mode)) {
        m_error = S_ISDIR(info.st_mode) ? EISDIR : EINVAL; // a folder, device or pipe
        return -1;
    }
    return info.st_size;
}

bool JournalFile::readAt(qint64 offset, char* data, qint64 length)
{
    while (length > 0) {
        const ssize_t got = ::pread(m_fd, data, static_cast<size_t>(length), offset);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            if (got == 0)
                errno = EIO; // the file ended early
            return failed();
        }
        data += got;
        offset += got;
        length -= got;
    }
    return true;
}

bool JournalFile::append(QByteArrayView bytes)
{
    // One write() in the normal case; a short one is followed up only to learn why it stopped
    // (a full disk, a size limit) or to finish what the system cut short.
    const char* data = bytes.data();
    qint64 left = bytes.size();
    while (left > 0) {
        const ssize_t wrote = ::write(m_fd, data, static_cast<size_t>(left));
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            return failed();
        data += wrote;
        left -= wrote;
    }
    return true;
}

bool JournalFile::sync()
{
#if defined(Q_OS_LINUX)
    // The entry's bytes and the file's new size; no other inode times.
    return ::fdatasync(m_fd) == 0 || failed();
#else
    return ::fsync(m_fd) == 0 || failed();
#endif
}

bool JournalFile::truncate(qint64 size)
{
    int result = 0;
    do {
        result = ::ftruncate(m_fd, size);
    } while (result != 0 && errno == EINTR);
    return result == 0 || failed();
}

#endif

} // namespace vrn
