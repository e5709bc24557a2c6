#include "transfer_engine.h"

#include "protocol.h"
#include "timeouts.h"
#include "transport.h"

namespace vrn {

TransferEngine::TransferEngine(QObject* parent) : QObject(parent)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &TransferEngine::onTimeout);
}

void TransferEngine::setTransport(Transport* transport)
{
    if (m_transport == transport)
        return;
    if (m_transport)
        m_transport->disconnect(this);
    if (isBusy())
        abort({LinkError::Reason::PortClosed, portName()});
    m_transport = transport;
    if (!m_transport)
        return;
    connect(m_transport, &Transport::bytesWritten, this, &TransferEngine::onBytesWritten);
    connect(m_transport, &Transport::readyRead, this, &TransferEngine::onReadyRead);
    connect(m_transport, &Transport::lost, this, &TransferEngine::onTransportLost);
}

bool TransferEngine::start(std::vector<TransferStep> steps, Done done, int trafficTag)
{
    if (isBusy())
        return false;
    m_steps = std::move(steps);
    m_next = 0;
    m_done = std::move(done);
    m_outcome = {};
    m_stopWanted = false;
    for (const TransferStep& step : m_steps) {
        if (step.kind == TransferStep::Kind::Transaction)
            ++m_outcome.framesPlanned;
    }
    if (!m_transport || !m_transport->isOpen()) {
        m_tag = trafficTag;
        m_state = State::Failing;
        // Reported on the next turn of the event loop, like every other outcome.
        QTimer::singleShot(0, this, [this] { finish(failure(LinkError::Reason::NoPortOpen)); });
        return true;
    }
    m_state = State::Sending; // busy from here on
    if (m_unsettled)
        readAll(TrafficEntry::Kind::Discarded); // late answers of the failed transfer
    m_tag = trafficTag;
    m_starting = true;
    runNextStep();
    m_starting = false;
    return true;
}

void TransferEngine::abort(const LinkError& reason)
{
    if (isBusy())
        finish(reason);
}

void TransferEngine::stopAtFrameBoundary()
{
    switch (m_state) {
    case State::Idle:
    case State::Failing:
        return;
    case State::Pausing:
    case State::AwaitingReply:
        finish(failure(LinkError::Reason::Interrupted));
        return;
    case State::Sending:
        if (m_readRequest) {
            finish(failure(LinkError::Reason::Interrupted));
            return;
        }
        m_stopWanted = true;
        return;
    case State::AwaitingAnswer:
        m_stopWanted = true;
        return;
    }
}

void TransferEngine::abandon()
{
    m_done = nullptr;
    m_timer.stop();
    m_state = State::Idle;
    m_steps.clear();
}

QString TransferEngine::portName() const
{
    return m_transport ? m_transport->name() : QString();
}

void TransferEngine::runNextStep()
{
    if (m_stopWanted) {
        finish(failure(LinkError::Reason::Interrupted));
        return;
    }
    while (m_next < m_steps.size()) {
        const TransferStep& step = m_steps[m_next++];
        switch (step.kind) {
        case TransferStep::Kind::DiscardInput:
            readAll(TrafficEntry::Kind::Discarded);
            continue;
        case TransferStep::Kind::Transaction:
            beginTransaction(step.frame ? step.frame() : QByteArray());
            return;
        case TransferStep::Kind::SettlePause:
            beginSettlePause();
            return;
        case TransferStep::Kind::ReadRequest:
            beginReadRequest();
            return;
        }
    }
    finish({});
}

void TransferEngine::beginTransaction(const QByteArray& frame)
{
    m_readRequest = false;
    m_currentFrame = frame;
    m_outcome.framesSent.append(frame);
    m_state = State::Sending;
    m_transport->clearOutput();
    write(frame, TrafficEntry::Kind::Frame);
    m_timer.start(kTransmitTimeoutMs);
    onBytesWritten(); // a transport may finish the write at once
}

void TransferEngine::beginReadRequest()
{
    // The request goes out without clearing the transmit buffer or discarding input first.
    m_readRequest = true;
    m_currentFrame = protocol::kReadRequest;
    m_outcome.framesSent.append(m_currentFrame);
    m_state = State::Sending;
    write(m_currentFrame, TrafficEntry::Kind::ReadRequest);
    m_timer.start(kTransmitTimeoutMs);
    onBytesWritten();
}

void TransferEngine::beginSettlePause()
{
    m_state = State::Pausing;
    m_pauseClock.start(); // monotonic: unaffected by changes of the wall clock
    m_timer.start(kSettlePauseMs);
}

void TransferEngine::onBytesWritten()
{
    if (m_state != State::Sending || !m_transport || m_transport->bytesToWrite() > 0)
        return;
    m_state = m_readRequest ? State::AwaitingReply : State::AwaitingAnswer;
    m_timer.start(m_readRequest ? kReplyTimeoutMs : kAnswerTimeoutMs);
    checkReceived(); // characters that arrived earlier count towards this wait
}

void TransferEngine::onReadyRead()
{
    if (m_state == State::AwaitingAnswer || m_state == State::AwaitingReply)
        checkReceived();
    else if (m_state == State::Idle && m_unsettled && m_transport)
        readAll(TrafficEntry::Kind::Discarded); // a late answer of the failed transfer
}

void TransferEngine::checkReceived()
{
    const qint64 needed =
        m_state == State::AwaitingReply ? protocol::kReadReplyLength : protocol::kFrameAnswerLength;
    if (m_transport->bytesAvailable() < needed)
        return;
    m_timer.stop();
    const QByteArray received =
        readAll(m_state == State::AwaitingReply ? TrafficEntry::Kind::ReadReply
                                                : TrafficEntry::Kind::Answer);
    if (m_state == State::AwaitingReply) {
        m_outcome.reply = received;
    } else {
        ++m_outcome.framesAnswered;
        Q_EMIT frameAnswered(m_outcome.framesAnswered, m_outcome.framesPlanned);
    }
    runNextStep();
}

void TransferEngine::write(const QByteArray& bytes, TrafficEntry::Kind kind)
{
    m_traffic.add(kind, m_tag, bytes);
    m_transport->write(bytes);
}

QByteArray TransferEngine::readAll(TrafficEntry::Kind kind)
{
    QByteArray bytes = m_transport->readAll();
    if (!bytes.isEmpty())
        m_traffic.add(kind, m_tag, bytes);
    return bytes;
}

LinkError TransferEngine::failure(LinkError::Reason reason, int timeoutMs) const
{
    LinkError error{reason, portName()};
    error.frame = m_currentFrame;
    error.timeoutMs = timeoutMs;
    return error;
}

void TransferEngine::onTimeout()
{
    switch (m_state) {
    case State::Idle:
    case State::Failing:
        return;
    case State::Pausing:
        if (m_pauseClock.elapsed() < kSettlePauseMs) {
            m_timer.start(static_cast<int>(kSettlePauseMs - m_pauseClock.elapsed()));
            return;
        }
        runNextStep();
        return;
    case State::Sending:
        finish(failure(LinkError::Reason::FrameNotSent, kTransmitTimeoutMs));
        return;
    case State::AwaitingAnswer:
        finish(failure(LinkError::Reason::NoFrameAnswer, kAnswerTimeoutMs));
        return;
    case State::AwaitingReply: {
        const qint64 got = m_transport ? m_transport->bytesAvailable() : 0;
        if (m_transport) // a partial reply must not become the front of the next one
            readAll(TrafficEntry::Kind::PartialReply);
        LinkError error =
            failure(got == 0 ? LinkError::Reason::NoReadReply : LinkError::Reason::ShortReadReply,
                    kReplyTimeoutMs);
        error.received = got;
        finish(error);
        return;
    }
    }
}

void TransferEngine::onTransportLost(const LinkError& reason)
{
    if (isBusy())
        finish(reason);
}

void TransferEngine::finish(const LinkError& error)
{
    const bool ok = !error.isError();
    m_timer.stop();
    m_state = State::Idle;
    m_stopWanted = false;
    m_unsettled = !ok;
    m_steps.clear();
    m_next = 0;
    TransferOutcome outcome = std::move(m_outcome);
    m_outcome = {};
    outcome.ok = ok;
    outcome.error = error;
    Done done = std::move(m_done);
    m_done = nullptr;
    if (m_starting) {
        // Characters already waiting completed the transfer inside start(): the caller hears
        // of it on the next turn of the event loop, after start() has returned.
        QTimer::singleShot(0, this, [this, ok, done = std::move(done), outcome] {
            Q_EMIT finished(ok);
            if (done)
                done(outcome);
        });
        return;
    }
    Q_EMIT finished(ok);
    if (done)
        done(outcome);
}

} // namespace vrn
