#include "simulated_transport.h"

namespace vrn::sim {

SimulatedTransport::SimulatedTransport(Card& card, QObject* parent)
    : Transport(parent), m_card(card)
{
    m_sendTimer.setSingleShot(true);
    m_sendTimer.setInterval(0);
    connect(&m_sendTimer, &QTimer::timeout, this, &SimulatedTransport::deliverOutgoing);
    m_arrivalTimer.setSingleShot(true);
    m_arrivalTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_arrivalTimer, &QTimer::timeout, this, &SimulatedTransport::deliverDue);
    m_clock.start();
}

bool SimulatedTransport::open()
{
    m_error = {};
    m_open = true;
    m_outgoing.clear();
    m_incoming.clear();
    m_due.clear();
    m_card.resetLine();
    return true;
}

void SimulatedTransport::close()
{
    m_open = false;
    m_outgoing.clear();
    m_incoming.clear();
    m_due.clear();
    m_sendTimer.stop();
    m_arrivalTimer.stop();
}

void SimulatedTransport::write(const QByteArray& bytes)
{
    if (!m_open)
        return;
    m_outgoing += bytes;
    if (!m_sendTimer.isActive())
        m_sendTimer.start();
}

QByteArray SimulatedTransport::readAll()
{
    QByteArray all;
    all.swap(m_incoming);
    return all;
}

void SimulatedTransport::deliverOutgoing()
{
    if (!m_open || m_outgoing.isEmpty())
        return;
    QByteArray sent;
    sent.swap(m_outgoing);
    for (const auto& emission : m_card.receive(sent))
        schedule(emission);
    Q_EMIT bytesWritten();
}

void SimulatedTransport::schedule(const Emission& emission)
{
    m_due.emplace(m_clock.elapsed() + emission.delayMs, emission);
    armTimer();
}

void SimulatedTransport::armTimer()
{
    if (m_due.empty()) {
        m_arrivalTimer.stop();
        return;
    }
    const qint64 wait = m_due.begin()->first - m_clock.elapsed();
    m_arrivalTimer.start(static_cast<int>(std::max<qint64>(0, wait)));
}

void SimulatedTransport::deliverDue()
{
    bool arrived = false;
    while (m_open && !m_due.empty() && m_due.begin()->first <= m_clock.elapsed()) {
        const Emission emission = m_due.begin()->second;
        m_due.erase(m_due.begin());
        if (emission.portLost) {
            close();
            // An injected fault: the line goes dead as when a device is unplugged.
            m_error = {LinkError::Reason::LineLost, name()};
            m_error.systemText = QStringLiteral("an injected fault");
            Q_EMIT lost(m_error);
            return;
        }
        m_incoming += emission.bytes;
        arrived = true;
    }
    armTimer();
    if (arrived)
        Q_EMIT readyRead();
}

bool openSimulatedCard(Link& link, Card& card)
{
    return link.open(std::make_unique<SimulatedTransport>(card));
}

} // namespace vrn::sim
