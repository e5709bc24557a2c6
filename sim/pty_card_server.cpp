#include "pty_card_server.h"

#include "protocol.h"

#include <QSocketNotifier>

#include <algorithm>
#include <chrono>
#include <cmath>

#ifdef Q_OS_UNIX
#include <time.h>
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <sys/timerfd.h>
#endif

namespace vrn::sim {
namespace {

constexpr qint64 kNsPerMs = 1000000;
constexpr qint64 kNsPerSecond = 1000000000;

qint64 monotonicNs()
{
#ifdef Q_OS_UNIX
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * kNsPerSecond + now.tv_nsec;
#else
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
#endif
}

} // namespace

double characterTimeMs(int baud)
{
    return baud > 0 ? 1000.0 * protocol::kBitsPerCharacter / baud : 0.0;
}

PtyCardServer::PtyCardServer(QObject* parent)
    : QObject(parent), m_ownCard(std::make_unique<Card>()), m_card(m_ownCard.get())
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &PtyCardServer::process);
}

PtyCardServer::PtyCardServer(Card& card, QObject* parent) : QObject(parent), m_card(&card)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &PtyCardServer::process);
}

PtyCardServer::~PtyCardServer()
{
    close();
}

bool PtyCardServer::open()
{
    close();
    m_error.clear();
    if (!m_terminal.open(&m_error))
        return false;
    m_card->resetLine();
    m_originNs = monotonicNs();
    m_receiveFreeNs = 0;
    m_transmitFreeNs = 0;

    m_readNotifier = new QSocketNotifier(m_terminal.descriptor(), QSocketNotifier::Read, this);
    connect(m_readNotifier, &QSocketNotifier::activated, this, &PtyCardServer::onReadable);
    m_writeNotifier = new QSocketNotifier(m_terminal.descriptor(), QSocketNotifier::Write, this);
    m_writeNotifier->setEnabled(false);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, &PtyCardServer::onWritable);
#ifdef Q_OS_LINUX
    m_timerFd = ::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (m_timerFd >= 0) {
        m_timerNotifier = new QSocketNotifier(m_timerFd, QSocketNotifier::Read, this);
        connect(m_timerNotifier, &QSocketNotifier::activated, this, &PtyCardServer::onTimerExpired);
    }
#endif
    return true;
}

void PtyCardServer::close()
{
    m_timer.stop();
    // Deferred: close() may run inside a notifier's own signal.
    for (QSocketNotifier* notifier : {m_readNotifier, m_writeNotifier, m_timerNotifier}) {
        if (notifier) {
            notifier->setEnabled(false);
            notifier->deleteLater();
        }
    }
    m_readNotifier = nullptr;
    m_writeNotifier = nullptr;
    m_timerNotifier = nullptr;
#ifdef Q_OS_UNIX
    if (m_timerFd >= 0)
        ::close(m_timerFd);
#endif
    m_timerFd = -1;
    m_terminal.close();
    m_arriving.clear();
    m_answers.clear();
    m_departing.clear();
    m_unwritten.clear();
}

void PtyCardServer::onReadable()
{
    char buffer[1024];
    for (;;) {
        QString failure;
        const qint64 n = m_terminal.read(buffer, sizeof buffer, &failure);
        if (n < 0) {
            loseLine(failure);
            return;
        }
        if (n == 0)
            break;
        const qint64 readNs = monotonicNs();
        const QByteArray bytes(buffer, static_cast<qsizetype>(n));
        Q_EMIT terminalRead(readNs, bytes);
        m_received += bytes;
        const qint64 now = readNs - m_originNs;
        if (m_characterTimeNs <= 0) {
            for (char c : bytes)
                m_arriving.push_back({now, c});
        } else {
            // Each character is complete one character time after the line is free.
            for (char c : bytes) {
                m_receiveFreeNs = std::max(m_receiveFreeNs, now) + m_characterTimeNs;
                m_arriving.push_back({m_receiveFreeNs, c});
            }
        }
    }
    process();
}

void PtyCardServer::onWritable()
{
    flushOut();
}

void PtyCardServer::onTimerExpired()
{
#ifdef Q_OS_UNIX
    quint64 expirations = 0;
    [[maybe_unused]] const ssize_t ignored = ::read(m_timerFd, &expirations, sizeof expirations);
#endif
    process();
}

qint64 PtyCardServer::lineNs() const
{
    return monotonicNs() - m_originNs;
}

void PtyCardServer::process()
{
    if (!isOpen())
        return;
    const qint64 now = lineNs();
    // Arrivals and answers in the order of the line's clock, so that an answer that is ready
    // goes on the wire before the answer to a frame that arrives after it.
    for (;;) {
        const bool arrivalDue = !m_arriving.empty() && m_arriving.front().atNs <= now;
        const bool answerDue = !m_answers.empty() && m_answers.begin()->first <= now;
        if (!arrivalDue && !answerDue)
            break;
        if (arrivalDue && (!answerDue || m_arriving.front().atNs <= m_answers.begin()->first)) {
            const Arrival arrival = m_arriving.front();
            m_arriving.pop_front();
            feedCard(QByteArray(1, arrival.byte), arrival.atNs);
        } else {
            const auto due = m_answers.begin();
            const qint64 readyNs = due->first;
            const Emission emission = due->second;
            m_answers.erase(due);
            if (emission.portLost) {
                loseLine(QStringLiteral("the card's line went dead (an injected fault)"));
                return;
            }
            queueForWire(emission.bytes, readyNs);
        }
        if (!isOpen())
            return; // a listener closed the server
    }

    QByteArray leaving;
    while (!m_departing.empty() && m_departing.front().doneNs <= now) {
        leaving += m_departing.front().byte;
        m_departing.pop_front();
    }
    if (!leaving.isEmpty())
        writeOut(leaving);
    if (isOpen())
        arm();
}

void PtyCardServer::arm()
{
    qint64 next = -1;
    const auto consider = [&next](qint64 at) { next = next < 0 ? at : std::min(next, at); };
    if (!m_arriving.empty())
        consider(m_arriving.front().atNs);
    if (!m_answers.empty())
        consider(m_answers.begin()->first);
    if (!m_departing.empty())
        consider(m_departing.front().doneNs);
    if (m_timerFd >= 0) {
#ifdef Q_OS_LINUX
        itimerspec due{}; // all zero: disarmed
        if (next >= 0) {
            const qint64 at = std::max<qint64>(m_originNs + next, 1);
            due.it_value.tv_sec = static_cast<time_t>(at / kNsPerSecond);
            due.it_value.tv_nsec = static_cast<long>(at % kNsPerSecond);
        }
        ::timerfd_settime(m_timerFd, TFD_TIMER_ABSTIME, &due, nullptr);
#endif
        return;
    }
    if (next < 0) {
        m_timer.stop();
        return;
    }
    const qint64 waitNs = std::max<qint64>(0, next - lineNs());
    m_timer.start(static_cast<int>((waitNs + kNsPerMs - 1) / kNsPerMs));
}

void PtyCardServer::feedCard(const QByteArray& bytes, qint64 atNs)
{
    const qsizetype logged = m_card->framesReceived().size();
    const std::vector<Emission> emissions = m_card->receive(bytes);
    for (const Emission& emission : emissions)
        m_answers.emplace(atNs + qint64(emission.delayMs) * kNsPerMs, emission);
    const QList<QByteArray>& frames = m_card->framesReceived();
    for (qsizetype i = std::min(logged, frames.size()); i < frames.size(); ++i)
        Q_EMIT frameReceived(frames.at(i));
}

void PtyCardServer::queueForWire(const QByteArray& bytes, qint64 readyNs)
{
    for (char c : bytes) {
        m_transmitFreeNs = std::max(m_transmitFreeNs, readyNs) + m_characterTimeNs;
        m_departing.push_back({m_transmitFreeNs, c});
    }
}

void PtyCardServer::writeOut(const QByteArray& bytes)
{
    m_unwritten += bytes;
    flushOut();
}

void PtyCardServer::flushOut()
{
    while (!m_unwritten.isEmpty()) {
        const qint64 writingNs = monotonicNs();
        QString failure;
        const qint64 n = m_terminal.write(m_unwritten.constData(), m_unwritten.size(), &failure);
        if (n < 0) {
            loseLine(failure);
            return;
        }
        if (n == 0)
            break; // the terminal has no room: go on when it has
        Q_EMIT terminalWritten(writingNs, m_unwritten.left(n));
        m_unwritten.remove(0, n);
    }
    if (m_writeNotifier)
        m_writeNotifier->setEnabled(!m_unwritten.isEmpty());
}

void PtyCardServer::loseLine(const QString& reason)
{
    close();
    Q_EMIT lineClosed(reason);
}

} // namespace vrn::sim
