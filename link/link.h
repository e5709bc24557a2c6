#pragma once

#include "card_state.h"
#include "link_error.h"
#include "transfer_engine.h"
#include "transport.h"

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
    // The line in use (open or not), or none.
    const Transport* transport() const { return m_transport.get(); }

    // Each open replaces the line in use: another line is opened first and the one in use is
    // closed only once it has opened, so a failed open leaves a working line as it was; the
    // same line again is closed and opened afresh. All of them refuse while a transfer runs.
    // On failure they return false and lastError() tells why.
    bool openPort(int portNumber);
    bool openDevice(const QString& deviceName);
    // Any other line, such as the simulated card.
    bool open(std::unique_ptr<Transport> transport);
    void closePort();
    const LinkError& lastError() const { return m_lastError; }

    // Starts a transfer on the open line; false with the reason in *refusal when no line is
    // open or another transfer runs. The tag marks its entries in the traffic record.
    bool startTransfer(std::vector<TransferStep> steps, TransferEngine::Done done,
                       LinkError* refusal, int trafficTag = TrafficEntry::kNoTag);
    bool isBusy() const { return m_engine.isBusy(); }
    TransferEngine& engine() { return m_engine; }
    // The latest frames and answers on the line, whichever port carried them.
    TrafficRecord& traffic() { return m_engine.traffic(); }
    // What the card on the open line was last seen to hold; forgotten by the link on every
    // change of port, a lost line and a failed transfer.
    CardState& card() { return m_card; }
    const CardState& card() const { return m_card; }

Q_SIGNALS:
    void portChanged();
    // The open line went dead (an adapter pulled out, the card's end closed); portChanged()
    // follows.
    void lineLost(const vrn::LinkError& reason);

private:
    bool refuseWhileBusy();
    // Closes the line in use, ending a running transfer; false when there is none.
    bool closeTransport();
    // Makes the transport the line in use.
    void adopt(std::unique_ptr<Transport> transport);

    PortNameResolver m_resolver;
    int m_portNumber = 1;
    TransferEngine m_engine;
    CardState m_card;
    std::unique_ptr<Transport> m_transport;
    LinkError m_lastError;
};

} // namespace vrn
