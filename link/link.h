#pragma once

#include "card_state.h"
#include "link_error.h"
#include "port_source.h"
#include "transfer_engine.h"
#include "transport.h"

#include <QObject>
#include <QString>
#include <QTimer>

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

    // Where the link learns which ports there are (the system's list unless a test hands in
    // its own).
    void setPortSource(std::shared_ptr<PortSource> source);
    PortSource& portSource() const { return *m_ports; }
    std::shared_ptr<PortSource> sharedPortSource() const { return m_ports; }
    // The port the line in use was opened on as the system lists it, and its adapter; empty
    // for the simulated card and before any port was opened.
    const PortInfo& portInfo() const { return m_portInfo; }
    const AdapterIdentity& adapter() const { return m_adapter; }

    // With this on (the program has it, vrn-cli not), a line lost with its adapter is waited
    // for: the link looks for the same adapter twice a second, under whatever name it comes
    // back, and opens it again. Nothing is sent by itself; choosing or closing a port ends the
    // wait.
    void setReopensLostAdapter(bool on) { m_reopensLostAdapter = on; }
    enum class AdapterWait {
        None,     // the line in use was chosen by the user (or there is none)
        Waiting,  // the line was lost and its adapter is not back yet
        Reopened, // the line in use is the lost adapter, opened again by the link
    };
    AdapterWait adapterWait() const { return m_wait; }
    // While waiting: whether the adapter is gone from the system's list (unplugged), or still
    // listed and refusing to open, or listed more than once (adapters of one kind, told apart
    // only by a place the system does not say).
    enum class AdapterSeen { Gone, Refusing, SeveralLikeIt };
    AdapterSeen adapterSeen() const { return m_seen; }
    // How often the link looks for a lost adapter.
    static constexpr int kAdapterPollMs = 500;

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
    // Also when the link starts or ends waiting for a lost adapter, and when it reopens it.
    void portChanged();
    // The open line went dead (an adapter pulled out, the card's end closed); portChanged()
    // follows.
    void lineLost(const vrn::LinkError& reason);

private:
    bool refuseWhileBusy();
    bool replaceLine(std::unique_ptr<Transport> transport);
    void learnAdapter();
    void onLineLost(const LinkError& reason);
    void lookForLostAdapter();
    void stopWaiting();
    // Closes the line in use, ending a running transfer; false when there is none.
    bool closeTransport();
    // Makes the transport the line in use.
    void adopt(std::unique_ptr<Transport> transport);

    PortNameResolver m_resolver;
    std::shared_ptr<PortSource> m_ports;
    PortInfo m_portInfo;
    AdapterIdentity m_adapter;
    bool m_reopensLostAdapter = false;
    AdapterWait m_wait = AdapterWait::None;
    AdapterSeen m_seen = AdapterSeen::Gone;
    QTimer m_adapterPoll;
    int m_portNumber = 1;
    TransferEngine m_engine;
    CardState m_card;
    std::unique_ptr<Transport> m_transport;
    LinkError m_lastError;
};

} // namespace vrn
