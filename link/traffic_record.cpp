#include "traffic_record.h"

#include <QDateTime>
#include <QMetaMethod>

#include <algorithm>

namespace vrn {

TrafficRecord::TrafficRecord(QObject* parent) : QObject(parent)
{
    m_clock.start();
}

void TrafficRecord::add(TrafficEntry::Kind kind, int tag, const QByteArray& bytes)
{
    // Copied to their own size: a read's buffer can hold kilobytes of spare capacity, which
    // shared into ten thousand entries would keep tens of megabytes alive.
    TrafficEntry entry{++m_added,
                       m_clock.elapsed(),
                       kind,
                       tag,
                       QByteArray(bytes.constData(), bytes.size()),
                       QDateTime::currentMSecsSinceEpoch()};
    const bool out = entry.isOut();
    if (m_ring.size() < kCapacity) {
        m_ring.push_back(std::move(entry));
    } else {
        m_ring[m_oldest] = std::move(entry);
        m_oldest = (m_oldest + 1) % kCapacity;
    }
    Q_EMIT added(out);
}

std::vector<TrafficEntry> TrafficRecord::entriesAfter(quint64 number) const
{
    std::vector<TrafficEntry> entries;
    if (number >= m_added)
        return entries;
    // Entries are numbered without gaps, so the ones wanted are the newest m_added - number.
    const std::size_t wanted =
        static_cast<std::size_t>(std::min<quint64>(m_added - number, m_ring.size()));
    entries.reserve(wanted);
    const std::size_t first = m_oldest + (m_ring.size() - wanted);
    for (std::size_t i = 0; i < wanted; ++i)
        entries.push_back(m_ring[(first + i) % m_ring.size()]);
    return entries;
}

void TrafficRecord::clear()
{
    m_ring.clear();
    m_ring.shrink_to_fit();
    m_oldest = 0;
}

bool TrafficRecord::isFollowed() const
{
    return isSignalConnected(QMetaMethod::fromSignal(&TrafficRecord::added));
}

} // namespace vrn
