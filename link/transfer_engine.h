#pragma once

#include "link_error.h"
#include "traffic_record.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <functional>
#include <vector>

namespace vrn {

class Transport;

// One building block of a Send or a Read.
struct TransferStep
{
    enum class Kind { DiscardInput, Transaction, SettlePause, ReadRequest };

    Kind kind = Kind::DiscardInput;
    // For a transaction: builds the frame at the moment it is sent, so that an edit made
    // while the transfer runs travels with it.
    std::function<QByteArray()> frame;

    static TransferStep discardInput() { return {Kind::DiscardInput, {}}; }
    static TransferStep transaction(std::function<QByteArray()> build)
    {
        return {Kind::Transaction, std::move(build)};
    }
    static TransferStep settlePause() { return {Kind::SettlePause, {}}; }
    static TransferStep readRequest() { return {Kind::ReadRequest, {}}; }
};

// How a transfer ended: done, or failed for a reason.
struct TransferOutcome
{
    bool ok = false;
    LinkError error;
    QByteArray reply; // the read reply of a read request
    QList<QByteArray> framesSent;
    int framesPlanned = 0;  // the transactions the transfer was to make
    int framesAnswered = 0; // the transactions whose answer arrived
};

// Runs the steps of one transfer on the event loop, without blocking and without polling:
// each wait returns to the event loop and resumes on the port's signals or its time-out.
class TransferEngine : public QObject
{
    Q_OBJECT
public:
    using Done = std::function<void(const TransferOutcome&)>;

    explicit TransferEngine(QObject* parent = nullptr);

    void setTransport(Transport* transport);
    bool isBusy() const { return m_state != State::Idle; }

    // Starts a transfer; false (and nothing happens) while another one runs. The outcome is
    // never told before start() has returned. The tag marks the transfer's entries in the
    // traffic record (the card model whose window runs it).
    bool start(std::vector<TransferStep> steps, Done done, int trafficTag = TrafficEntry::kNoTag);

    // Ends a running transfer at once as failed for the given reason (the port was closed).
    void abort(const LinkError& reason);

    // Ends a running transfer as interrupted where no frame is half done: at once while it
    // pauses or waits for a read reply (which changes nothing on the card), else as soon as the
    // frame on its way has its answer (or its time-out).
    void stopAtFrameBoundary();

    // Drops a running transfer without telling anyone: the program is ending.
    void abandon();

    // Every frame written and every read made, the latest ones.
    TrafficRecord& traffic() { return m_traffic; }

Q_SIGNALS:
    // A frame of the running transfer got its answer: `answered` of its `planned` frames.
    void frameAnswered(int answered, int planned);
    void finished(bool ok);

private:
    enum class State { Idle, Failing, Sending, AwaitingAnswer, Pausing, AwaitingReply };

    void runNextStep();
    void beginTransaction(const QByteArray& frame);
    void beginReadRequest();
    void beginSettlePause();
    void onBytesWritten();
    void onReadyRead();
    void onTimeout();
    void onTransportLost(const LinkError& reason);
    void checkReceived();
    void finish(const LinkError& error);
    // The port's writes and reads, each kept in the traffic record.
    void write(const QByteArray& bytes, TrafficEntry::Kind kind);
    QByteArray readAll(TrafficEntry::Kind kind);
    LinkError failure(LinkError::Reason reason, int timeoutMs = 0) const;
    QString portName() const;

    QPointer<Transport> m_transport;
    std::vector<TransferStep> m_steps;
    std::size_t m_next = 0;
    Done m_done;
    State m_state = State::Idle;
    bool m_readRequest = false; // the current send is the read request
    bool m_starting = false;    // inside start(): an outcome waits for the next turn
    bool m_stopWanted = false;  // stop before the next step
    // A transfer failed: what the card still sends for it is no answer to anything later.
    bool m_unsettled = false;
    QByteArray m_currentFrame;
    TransferOutcome m_outcome;
    QTimer m_timer;
    QElapsedTimer m_pauseClock;
    TrafficRecord m_traffic;
    // The transfer running or last run: late characters of a failed one still belong to it.
    int m_tag = TrafficEntry::kNoTag;
};

} // namespace vrn
