#pragma once

#include "journal.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QCryptographicHash>

#include <optional>

namespace vrn {

// A journal line is one compact JSON object that opens with its chain and closes with its own
// hash, so that both are found at fixed places without parsing the line:
//   {"seq":N,"prev":"<hex>"[,"after_torn":"<hex>"],...the entry's fields...,"sha256":"<hex>"}
// "sha256" is the SHA-256 of the line's bytes up to the ',"sha256":"' that ends it, "prev" the
// "sha256" of the entry before (64 zeros for the first), and "after_torn" the SHA-256 of what a
// crash left cut off between that entry and this one.

constexpr qsizetype kHashHexLength = 64;
inline const QByteArray kNoEntryBefore(kHashHexLength, '0'); // the first entry's "prev"

// What a line tells of itself at its two ends.
struct LineFrame
{
    bool framed = false; // opens and closes as an entry does
    qint64 seq = 0;
    QByteArrayView prev;      // hex
    QByteArrayView afterTorn; // hex, or empty
    QByteArrayView sha256;    // hex, as the line says
    QByteArrayView hashed;    // the bytes the line's sha256 is taken over
};

// `line` without its line end.
LineFrame lineFrame(QByteArrayView line);
// Whether the line's sha256 is that of its bytes. `hasher` is reused from line to line.
bool hashHolds(const LineFrame& frame, QCryptographicHash& hasher);
// Whether the bytes are one JSON object and nothing else (syntax only; nothing is kept).
bool isJsonObject(QByteArrayView line);
QByteArray sha256Hex(QByteArrayView bytes);

// The entry as a line, line end included. `afterTorn` is empty when nothing was cut off.
QByteArray entryLine(const JournalEntry& entry, qint64 seq, QByteArrayView prev,
                     QByteArrayView afterTorn);
// The entry a line holds; none when the line is no JSON object.
std::optional<JournalEntry> entryFromLine(QByteArrayView line);
// The card serial an entry is written with, as it appears in the line ("card_serial":"...").
QByteArray cardSerialField(const QString& cardSerial);

} // namespace vrn
