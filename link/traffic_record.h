#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <cstddef>
#include <vector>

namespace vrn {

// Characters that crossed the line in one go (a frame out to the card, or what one read took
// in), or an event of the link and the windows: a port chosen or lost, a transfer that failed, a
// verdict on a reply.
struct TrafficEntry
{
    enum class Kind : quint8 {
        Frame,        // out: a command frame or the end frame
        ReadRequest,  // out: "w$"
        Answer,       // in: what ended the wait for a frame's answer
        ReadReply,    // in: what ended the wait for the read reply
        Discarded,    // in: read and dropped unasked (pending input, late answers)
        PartialReply, // in: what came of a read reply that stayed too short, dropped
        Event         // neither: what happened, in words (the characters are its UTF-8 text)
    };
    static constexpr int kNoTag = -1;

    quint64 number = 0; // counts every entry since the record began, the first is 1
    qint64 ms = 0;      // monotonic time since the record began (the program's start)
    Kind kind = Kind::Frame;
    int tag = kNoTag; // which card model's transfer it belongs to, or none
    QByteArray bytes;
    qint64 wallMs =
        0; // the wall clock's time, ms since 1970 UTC: what the status line's clock says

    bool isOut() const { return kind == Kind::Frame || kind == Kind::ReadRequest; }
};

// The latest frames and answers on the link, kept in a ring of fixed size so that a long session
// holds no more than that. Adding costs one write into the ring and one signal that nobody
// listens to while no traffic log is open.
class TrafficRecord : public QObject
{
    Q_OBJECT
public:
    static constexpr std::size_t kCapacity = 10000; // entries

    explicit TrafficRecord(QObject* parent = nullptr);

    // Keeps the characters as the newest entry, dropping the oldest one when the ring is full.
    void add(TrafficEntry::Kind kind, int tag, const QByteArray& bytes);
    // Keeps what happened, in words, as the newest entry.
    void addEvent(int tag, const QString& text)
    {
        add(TrafficEntry::Kind::Event, tag, text.toUtf8());
    }

    std::size_t size() const { return m_ring.size(); }
    // The number of the newest entry ever added; 0 before the first.
    quint64 lastNumber() const { return m_added; }
    // The entries held whose number is above `number`, oldest first.
    std::vector<TrafficEntry> entriesAfter(quint64 number) const;
    // Forgets every entry held; numbers go on from where they were.
    void clear();

    // True while something follows the record (an open traffic log).
    bool isFollowed() const;

Q_SIGNALS:
    // A new entry; `out` when it is a frame just going out to the card.
    void added(bool out);

private:
    std::vector<TrafficEntry> m_ring; // grows to kCapacity, then wraps
    std::size_t m_oldest = 0;         // index of the oldest entry once the ring is full
    quint64 m_added = 0;
    QElapsedTimer m_clock;
};

} // namespace vrn
