#include "journal_reader.h"

#include <cerrno>

namespace vrn {

bool JournalReader::open(const QString& path)
{
    if (!m_lock.open(path, JournalFile::Access::Read)) {
        m_missing = m_lock.error() == ENOENT;
        m_errorString = m_lock.errorString();
        return false;
    }
    const qint64 size = m_lock.size();
    if (size < 0) {
        m_errorString = m_lock.errorString();
        return false;
    }
    if (size == 0)
        return true;
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::ReadOnly)) {
        m_errorString = m_file.errorString();
        return false;
    }
    if (const uchar* mapped = m_file.map(0, size)) {
        m_bytes = QByteArrayView(mapped, size);
        return true;
    }
    m_read.resize(size);
    if (!m_lock.readAt(0, m_read.data(), size)) {
        m_errorString = m_lock.errorString();
        return false;
    }
    m_bytes = m_read;
    return true;
}

} // namespace vrn
