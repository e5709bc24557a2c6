#include "link/link.h"

#include "link/serial_transport.h"
#include "link/simulated_transport.h"

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
    m_lastError = QStringLiteral("A transfer is running on %1. Wait until its button turns grey "
                                 "again, then choose the port.")
                      .arg(portName());
    return true;
}

bool Link::openPort(int portNumber)
{
    if (refuseWhileBusy())
        return false;
    m_portNumber = portNumber;
    return openTransport(std::make_unique<SerialTransport>(m_resolver(portNumber)));
}

bool Link::openDevice(const QString& deviceName)
{
    if (refuseWhileBusy())
        return false;
    return openTransport(std::make_unique<SerialTransport>(deviceName));
}

bool Link::openSimulatedCard()
{
    if (refuseWhileBusy())
        return false;
    return openTransport(std::make_unique<SimulatedTransport>(m_card));
}

bool Link::openTransport(std::unique_ptr<Transport> transport)
{
    closeTransport(); // one portChanged() below tells of both the close and the open
    m_lastError.clear();
    m_transport = std::move(transport);
    m_engine.setTransport(m_transport.get());
    const bool opened = m_transport->open();
    if (!opened)
        m_lastError = m_transport->errorString();
    Q_EMIT portChanged();
    return opened;
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
    m_engine.abort(QStringLiteral("The port %1 was closed while a transfer was running.")
                       .arg(m_transport->name()));
    m_transport->close();
    return true;
}

bool Link::startTransfer(std::vector<TransferStep> steps, TransferEngine::Done done,
                         QString* refusal)
{
    QString reason;
    if (m_engine.isBusy()) {
        reason = QStringLiteral("A transfer is already running on %1. Wait until its button "
                                "turns grey again, then try once more.")
                     .arg(portName());
    } else if (!isOpen()) {
        reason = QStringLiteral("No serial port is open. Choose the card's port in the "
                                "\"Seriale\" menu of the launcher window (or \"Simulated card\" "
                                "to try the program without a card).");
    }
    if (!reason.isEmpty()) {
        if (refusal)
            *refusal = reason;
        return false;
    }
    return m_engine.start(std::move(steps), std::move(done));
}

} // namespace vrn
