#include "link.h"

#include "serial_transport.h"

namespace vrn {

Link::Link(QObject* parent) : QObject(parent), m_resolver(&Link::defaultPortName)
{
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
    return open(std::make_unique<SerialTransport>(m_resolver(portNumber)));
}

bool Link::openDevice(const QString& deviceName)
{
    if (refuseWhileBusy())
        return false;
    return open(std::make_unique<SerialTransport>(deviceName));
}

bool Link::open(std::unique_ptr<Transport> transport)
{
    if (refuseWhileBusy())
        return false;
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
    if (!opened)
        m_lastError = m_transport->error();
    Q_EMIT portChanged();
    return opened;
}

void Link::adopt(std::unique_ptr<Transport> transport)
{
    m_transport = std::move(transport);
    m_engine.setTransport(m_transport.get());
    // A line that goes dead changes the port's state as much as choosing another. A Send it
    // ended has already said whether the card may hold a mix of values.
    connect(m_transport.get(), &Transport::lost, this, [this](const LinkError& reason) {
        m_card.forget(m_card.mayHoldMix());
        Q_EMIT lineLost(reason);
    });
    connect(m_transport.get(), &Transport::lost, this, &Link::portChanged);
}

void Link::closePort()
{
    if (closeTransport())
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
    else if (!isOpen())
        reason = {LinkError::Reason::NoPortOpen, portName()};
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
