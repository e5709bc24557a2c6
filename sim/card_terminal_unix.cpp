#include "card_terminal.h"

#include "protocol.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace vrn::sim {
namespace {

QString systemError(const char* what)
{
    return QStringLiteral("%1: %2").arg(QString::fromLatin1(what),
                                        QString::fromLocal8Bit(std::strerror(errno)));
}

void closeDescriptor(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

} // namespace

bool CardTerminal::open(QString* error)
{
    close();
    int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0) {
        *error = systemError("cannot create a pseudo-terminal");
        return false;
    }
    char name[128] = {};
    if (::grantpt(master) != 0 || ::unlockpt(master) != 0 ||
        ::ptsname_r(master, name, sizeof name) != 0) {
        *error = systemError("cannot prepare the pseudo-terminal");
        closeDescriptor(master);
        return false;
    }
    int slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave < 0) {
        *error = systemError("cannot open the pseudo-terminal's device");
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

    m_descriptor = master;
    m_slave = slave;
    m_portName = QString::fromLocal8Bit(name);
    return true;
}

void CardTerminal::close()
{
    closeDescriptor(m_slave);
    if (m_descriptor >= 0)
        ::close(static_cast<int>(m_descriptor));
    m_descriptor = -1;
    m_portName.clear();
}

qint64 CardTerminal::read(char* buffer, qint64 size, QString* error)
{
    for (;;) {
        const ssize_t n = ::read(static_cast<int>(m_descriptor), buffer, static_cast<size_t>(size));
        if (n > 0)
            return n;
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return 0;
        // Not expected while the terminal's device is held open here.
        *error = n == 0 ? QStringLiteral("the pseudo-terminal was closed")
                        : systemError("cannot read the pseudo-terminal");
        return -1;
    }
}

qint64 CardTerminal::write(const char* data, qint64 size, QString* error)
{
    for (;;) {
        const ssize_t n = ::write(static_cast<int>(m_descriptor), data, static_cast<size_t>(size));
        if (n > 0)
            return n;
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return 0; // the terminal's input queue is full
        *error = systemError("cannot write the pseudo-terminal");
        return -1;
    }
}

} // namespace vrn::sim
