#pragma once

#include "journal_file.h"

#include <QByteArrayView>
#include <QFile>
#include <QString>

namespace vrn {

// The bytes of a journal file, taken while it is locked against appends (so no line is seen
// half written), mapped into memory where the system allows it.
class JournalReader
{
public:
    // False when the file is missing (missing() then true) or cannot be read.
    bool open(const QString& path);
    bool missing() const { return m_missing; }
    QString errorString() const { return m_errorString; }
    QByteArrayView bytes() const { return m_bytes; }

private:
    JournalFile m_lock;
    QFile m_file;
    QByteArray m_read; // the bytes, where the file could not be mapped
    QByteArrayView m_bytes;
    bool m_missing = false;
    QString m_errorString;
};

} // namespace vrn
