#include "link.h"

#include "serial_transport.h"

namespace vrn {

Link::Link(QObject* parent)
    : QObject(parent), m_resolver(&Link::defaultPortName), m_ports(std::make_shared<SystemPorts>())
{
    m_adapterPoll.setInterval(kAdapterPollMs);
    connect(&m_adapterPoll, &QTimer::timeout, this, &Link::lookForLostAdapter);
}

void Link::setPortSource(std::shared_ptr<PortSource> source)
{
    m_ports = source ? std::move(source) : std::make_shared<SystemPorts>();
}

Link::~Link()
{
    m_engine.abandon();
    m_engine.setTransport(nullptr);
    if (m_transport)
        m_transport->close();
}

QString Link::defaultPortName(int portNumber)
{
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(portNumber);
#else
    return QStringLiteral("/dev/ttyS%1").arg(portNumber - 1);
#endif
}

QString Link::portName() const
{
    return m_transport ? m_transport->name() : m_resolver(m_portNumber);
}

bool Link::isOpen() const
{
    return m_transport && m_transport->isOpen();
}

bool Link::refuseWhileBusy()
{
    if (!m_engine.isBusy())
        return false;
    m_lastError = {LinkError::Reason::TransferRunning, portName()};
    return true;
}

bool Link::openPort(int portNumber)
{
    if (refuseWhileBusy())
        return false;
    m_portNumber = portNumber;
    return open(std::make_unique<SerialTransport>(m_resolver(portNumber), m_ports.get()));
}

bool Link::openDevice(const QString& deviceName)
{
    if (refuseWhileBusy())
        return false;
    return open(std::make_unique<SerialTransport>(deviceName, m_ports.get()));
}

bool Link::open(std::unique_ptr<Transport> transport)
{
    if (refuseWhileBusy())
        return false;
    // The user chose a line: whatever adapter was waited for, it is not wanted any more.
    stopWaiting();
    return replaceLine(std::move(transport));
}

bool Link::replaceLine(std::unique_ptr<Transport> transport)
{
    // Another line while one works: the new one is tried first, so that a mistyped name or a
    // missing adapter leaves the working port as it was. The same line again is closed first,
    // as the system gives a port to one opener at a time.
    if (isOpen() && transport->name() != m_transport->name()) {
        if (!transport->open()) {
            m_lastError = transport->error();
            return false;
        }
        closeTransport();
        m_lastError = {};
        adopt(std::move(transport));
        Q_EMIT portChanged();
        return true;
    }
    closeTransport(); // one portChanged() below tells of both the close and the open
    m_lastError = {};
    adopt(std::move(transport));
    const bool opened = m_transport->open();
    if (opened)
        learnAdapter();
    else
        m_lastError = m_transport->error();
    Q_EMIT portChanged();
    return opened;
}

void Link::adopt(std::unique_ptr<Transport> transport)
{
    m_transport = std::move(transport);
    m_engine.setTransport(m_transport.get());
    learnAdapter();
    // A line that goes dead changes the port's state as much as choosing another.
    connect(m_transport.get(), &Transport::lost, this, &Link::onLineLost);
}

void Link::learnAdapter()
{
    // What a serial line knows of its port it learns when it opens.
    const auto* serial = qobject_cast<const SerialTransport*>(m_transport.get());
    m_portInfo = serial ? serial->portInfo() : PortInfo{};
    m_adapter = serial && serial->isOpen() ? identityOf(m_portInfo) : AdapterIdentity{};
}

void Link::onLineLost(const LinkError& reason)
{
    // A Send the loss ended has already said whether the card may hold a mix of values.
    m_card.forget(m_card.mayHoldMix());
    if (m_reopensLostAdapter && m_adapter.isKnown()) {
        m_wait = AdapterWait::Waiting;
        m_seen = m_ports->portsOf(m_adapter).isEmpty() ? AdapterSeen::Gone : AdapterSeen::Refusing;
        m_adapterPoll.start();
    }
    Q_EMIT lineLost(reason);
    Q_EMIT portChanged();
}

void Link::lookForLostAdapter()
{
    const QList<PortInfo> found = m_ports->portsOf(m_adapter);
    AdapterSeen seen = AdapterSeen::Gone;
    if (found.size() > 1) {
        // Two adapters alike and nothing to tell which was the card's: neither is opened.
        seen = AdapterSeen::SeveralLikeIt;
    } else if (found.size() == 1) {
        // Opened aside first: a device that refuses leaves the lost line and the wait as they
        // were, and the next look tries again.
        auto line = std::make_unique<SerialTransport>(found.front().device, m_ports.get());
        if (line->open()) {
            m_adapterPoll.stop();
            closeTransport();
            adopt(std::move(line));
            m_wait = AdapterWait::Reopened;
            Q_EMIT portChanged();
            return;
        }
        seen = AdapterSeen::Refusing;
    }
    if (seen != m_seen) {
        m_seen = seen;
        Q_EMIT portChanged();
    }
}

void Link::stopWaiting()
{
    m_adapterPoll.stop();
    m_wait = AdapterWait::None;
}

void Link::closePort()
{
    const bool waited = m_wait == AdapterWait::Waiting;
    stopWaiting();
    if (closeTransport() || waited)
        Q_EMIT portChanged();
}

bool Link::closeTransport()
{
    if (!m_transport)
        return false;
    m_engine.abort({LinkError::Reason::PortClosed, m_transport->name()});
    m_transport->close();
    m_card.forget(); // whatever is at the other end now, it is not known
    return true;
}

bool Link::startTransfer(std::vector<TransferStep> steps, TransferEngine::Done done,
                         LinkError* refusal, int trafficTag)
{
    LinkError reason;
    if (m_engine.isBusy())
        reason = {LinkError::Reason::TransferRunning, portName()};
    else if (!isOpen()) {
        reason = {LinkError::Reason::NoPortOpen, portName()};
        if (m_wait == AdapterWait::Waiting)
            reason.awaitedAdapter = AdapterIdentity::label(m_portInfo);
    }
    if (reason.isError()) {
        if (refusal)
            *refusal = reason;
        return false;
    }
    // A failed transfer leaves the card's state unknown: it may be another card, or hold a mix
    // of old and new values when a Send stopped after some of its frames.
    return m_engine.start(
        std::move(steps),
        [this, done = std::move(done)](const TransferOutcome& outcome) {
            if (!outcome.ok)
                m_card.forget(outcome.framesAnswered > 0);
            if (done)
                done(outcome);
        },
        trafficTag);
}

} // namespace vrn
