#pragma once

#include "link/transfer_engine.h"
#include "link/transport.h"
#include "sim/card.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

namespace vrn {

// The one serial link of the program: the chosen port, the open line and its transfer engine.
class Link : public QObject
{
    Q_OBJECT
public:
    using PortNameResolver = std::function<QString(int portNumber)>;

    explicit Link(QObject* parent = nullptr);
    ~Link() override;

    // "COM<N>" on Windows, "/dev/ttyS<N-1>" elsewhere.
    static QString defaultPortName(int portNumber);
    void setPortNameResolver(PortNameResolver resolver) { m_resolver = std::move(resolver); }

    int portNumber() const { return m_portNumber; }
    // The name of the line in use, or of the port that the port number stands for.
    QString portName() const;
    bool isOpen() const;

    // Each open first closes a line that is open. All three refuse while a transfer runs.
    // On failure they return false and lastError() tells the user why.
    bool openPort(int portNumber);
    bool openDevice(const QString& deviceName);
    bool openSimulatedCard();
    void closePort();
    QString lastError() const { return m_lastError; }

    // Starts a transfer on the open line; false with the reason in *refusal when no line is
    // open or another transfer runs.
    bool startTransfer(std::vector<TransferStep> steps, TransferEngine::Done done,
                       QString* refusal);
    bool isBusy() const { return m_engine.isBusy(); }
    TransferEngine& engine() { return m_engine; }

    // The in-process card behind the "Simulated card" item.
    sim::Card& simulatedCard() { return m_card; }

Q_SIGNALS:
    void portChanged();

private:
    bool refuseWhileBusy();
    bool openTransport(std::unique_ptr<Transport> transport);
    // Closes the line in use, ending a running transfer; false when there is none.
    bool closeTransport();

    PortNameResolver m_resolver;
    int m_portNumber = 1;
    sim::Card m_card;
    TransferEngine m_engine;
    std::unique_ptr<Transport> m_transport;
    QString m_lastError;
};

} // namespace vrn
