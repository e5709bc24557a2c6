#include "pty_card_server.h"

#include "protocol.h"

#include <QSocketNotifier>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>
#ifdef Q_OS_LINUX
#include <sys/timerfd.h>
#endif

namespace vrn::sim {
namespace {

constexpr qint64 kNsPerMs = 1000000;
constexpr qint64 kNsPerSecond = 1000000000;

QString systemError(const char* what)
{
    return QStringLiteral("%1: %2").arg(QString::fromLatin1(what),
                                        QString::fromLocal8Bit(std::strerror(errno)));
}

qint64 monotonicNs()
{
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * kNsPerSecond + now.tv_nsec;
}

void closeDescriptor(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
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

    int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0) {
        m_error = systemError("cannot create a pseudo-terminal");
        return false;
    }
    char name[128] = {};
    if (::grantpt(master) != 0 || ::unlockpt(master) != 0 ||
        ::ptsname_r(master, name, sizeof name) != 0) {
        m_error = systemError("cannot prepare the pseudo-terminal");
        closeDescriptor(master);
        return false;
    }
    int slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave < 0) {
        m_error = systemError("cannot open the pseudo-terminal's device");
        closeDescriptor(master);
        return false;
    }
    // Raw mode: every byte passes untouched (no echo, no line editing, no CR/LF translation).
    termios mode{};
    if (::tcgetattr(slave, &mode) == 0) {
        ::cfmakeraw(&mode);
        static_assert(protocol::kBaudRate == 19200, "the terminal's speed follows the cards'");
        ::cfsetispeed(&mode, B19200);
        ::cfsetospeed(&mode, B19200);
        ::tcsetattr(slave, TCSANOW, &mode);
    }
    ::fcntl(master, F_SETFD, FD_CLOEXEC);
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);

    m_master = master;
    m_slave = slave;
    m_slavePath = QString::fromLocal8Bit(name);
    m_card->resetLine();
    m_originNs = monotonicNs();
    m_receiveFreeNs = 0;
    m_transmitFreeNs = 0;

    m_readNotifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_readNotifier, &QSocketNotifier::activated, this, &PtyCardServer::onReadable);
    m_writeNotifier = new QSocketNotifier(m_master, QSocketNotifier::Write, this);
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
    closeDescriptor(m_timerFd);
    closeDescriptor(m_slave);
    closeDescriptor(m_master);
    m_slavePath.clear();
    m_arriving.clear();
    m_answers.clear();
    m_departing.clear();
    m_unwritten.clear();
}

void PtyCardServer::onReadable()
{
    char buffer[1024];
    for (;;) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n > 0) {
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
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            break;
        // Not expected while the server holds the terminal's device open itself.
        loseLine(n == 0 ? QStringLiteral("the pseudo-terminal was closed")
                        : systemError("cannot read the pseudo-terminal"));
        return;
    }
    process();
}

void PtyCardServer::onWritable()
{
    flushOut();
}

void PtyCardServer::onTimerExpired()
{
    quint64 expirations = 0;
    [[maybe_unused]] const ssize_t ignored = ::read(m_timerFd, &expirations, sizeof expirations);
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
        const ssize_t n =
            ::write(m_master, m_unwritten.constData(), static_cast<size_t>(m_unwritten.size()));
        if (n > 0) {
            Q_EMIT terminalWritten(writingNs, m_unwritten.left(n));
            m_unwritten.remove(0, n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            break; // the terminal's input queue is full: go on when it has room
        loseLine(systemError("cannot write the pseudo-terminal"));
        return;
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
