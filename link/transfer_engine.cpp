#include "link/transfer_engine.h"

#include "link/reply_fields.h"
#include "link/timeouts.h"
#include "link/transport.h"

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
        abort(QStringLiteral("The port was changed while a transfer was running."));
    m_transport = transport;
    if (!m_transport)
        return;
    connect(m_transport, &Transport::bytesWritten, this, &TransferEngine::onBytesWritten);
    connect(m_transport, &Transport::readyRead, this, &TransferEngine::onReadyRead);
    connect(m_transport, &Transport::lost, this, &TransferEngine::onTransportLost);
}

bool TransferEngine::start(std::vector<TransferStep> steps, Done done)
{
    if (isBusy())
        return false;
    m_steps = std::move(steps);
    m_next = 0;
    m_done = std::move(done);
    m_outcome = {};
    if (!m_transport || !m_transport->isOpen()) {
        m_state = State::Failing;
        // Reported on the next turn of the event loop, like every other outcome.
        QTimer::singleShot(0, this, [this] {
            finish(false, QStringLiteral("No serial port is open. Choose the card's port in the "
                                         "\"Seriale\" menu of the launcher window."));
        });
        return true;
    }
    m_state = State::Sending; // busy from here on
    if (m_unsettled)
        m_transport->readAll(); // late answers of the failed transfer
    runNextStep();
    return true;
}

void TransferEngine::abort(const QString& reason)
{
    if (isBusy())
        finish(false, reason);
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
    return m_transport ? m_transport->name() : QStringLiteral("(no port)");
}

void TransferEngine::runNextStep()
{
    while (m_next < m_steps.size()) {
        const TransferStep& step = m_steps[m_next++];
        switch (step.kind) {
        case TransferStep::Kind::DiscardInput:
            m_transport->readAll();
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
    finish(true, {});
}

void TransferEngine::beginTransaction(const QByteArray& frame)
{
    m_readRequest = false;
    m_currentFrame = frame;
    m_outcome.framesSent.append(frame);
    m_state = State::Sending;
    m_transport->clearOutput();
    m_transport->write(frame);
    m_timer.start(kTransmitTimeoutMs);
    onBytesWritten(); // a transport may finish the write at once
}

void TransferEngine::beginReadRequest()
{
    // The request goes out without clearing the transmit buffer or discarding input first.
    m_readRequest = true;
    m_currentFrame = QByteArrayLiteral("w$");
    m_outcome.framesSent.append(m_currentFrame);
    m_state = State::Sending;
    m_transport->write(m_currentFrame);
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
        m_transport->readAll(); // a late answer of the failed transfer: nobody asked for it
}

void TransferEngine::checkReceived()
{
    const qint64 needed = m_state == State::AwaitingReply ? kReadReplyLength : 2;
    if (m_transport->bytesAvailable() < needed)
        return;
    m_timer.stop();
    const QByteArray received = m_transport->readAll();
    if (m_state == State::AwaitingReply)
        m_outcome.reply = received;
    runNextStep();
}

void TransferEngine::onTimeout()
{
    const QString port = portName();
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
        finish(false, QStringLiteral("The frame \"%1\" could not be sent on %2 within %3 s. Check "
                                     "that the port is working, then try again.")
                          .arg(QString::fromLatin1(m_currentFrame), port)
                          .arg(kTransmitTimeoutMs / 1000.0));
        return;
    case State::AwaitingAnswer:
        finish(false, QStringLiteral("The card on %1 did not answer the frame \"%2\" within %3 s. "
                                     "Check that the card is powered, that its cable is plugged "
                                     "in, and that %1 is the port it is connected to.")
                          .arg(port, QString::fromLatin1(m_currentFrame))
                          .arg(kAnswerTimeoutMs / 1000.0));
        return;
    case State::AwaitingReply: {
        const qint64 got = m_transport ? m_transport->bytesAvailable() : 0;
        if (m_transport)
            m_transport->readAll(); // a partial reply must not become the front of the next one
        if (got == 0) {
            finish(false, QStringLiteral("The card on %1 did not answer the read request within "
                                         "%2 s. Check that the card is powered, that its cable is "
                                         "plugged in, and that %1 is the port it is connected to.")
                              .arg(port)
                              .arg(kReplyTimeoutMs / 1000.0));
        } else {
            finish(false, QStringLiteral("The card on %1 sent only %2 of the %3 characters of its "
                                         "read reply. Nothing was changed; check the cable and try "
                                         "the read again.")
                              .arg(port)
                              .arg(got)
                              .arg(kReadReplyLength));
        }
        return;
    }
    }
}

void TransferEngine::onTransportLost(const QString& reason)
{
    if (isBusy())
        finish(false, reason);
}

void TransferEngine::finish(bool ok, const QString& error)
{
    m_timer.stop();
    m_state = State::Idle;
    m_unsettled = !ok;
    m_steps.clear();
    m_next = 0;
    TransferOutcome outcome = std::move(m_outcome);
    m_outcome = {};
    outcome.ok = ok;
    outcome.error = error;
    Done done = std::move(m_done);
    m_done = nullptr;
    Q_EMIT finished(ok);
    if (done)
        done(outcome);
}

} // namespace vrn
