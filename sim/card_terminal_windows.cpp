#include "card_terminal.h"

#include <QByteArray>

#include <winsock2.h>
#include <ws2tcpip.h>

namespace vrn::sim {
namespace {

constexpr DWORD kRelayAnswerMs = 5000; // the relay names the port at once

// What failed, with the system's words for Winsock's last error.
QString socketError(const QString& what, int code = ::WSAGetLastError())
{
    wchar_t* text = nullptr;
    ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    const QString said = text ? QString::fromWCharArray(text).trimmed() : QString::number(code);
    ::LocalFree(text);
    return QStringLiteral("%1: %2").arg(what, said);
}

// Winsock for the whole process, started once.
bool winsockStarted()
{
    static const bool started = [] {
        WSADATA data{};
        return ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return started;
}

} // namespace

bool CardTerminal::open(QString* error)
{
    close();
    const QByteArray relay = qgetenv("VRN_PTY_RELAY");
    const qsizetype colon = relay.lastIndexOf(':');
    if (relay.isEmpty() || colon <= 0) {
        *error = QStringLiteral("the pseudo-terminal relay is not running: no VRN_PTY_RELAY "
                                "(\"127.0.0.1:<port>\" of a running vrn-pty-relay)");
        return false;
    }
    if (!winsockStarted()) {
        *error = socketError(QStringLiteral("cannot start Winsock"));
        return false;
    }
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* address = nullptr;
    if (::getaddrinfo(relay.left(colon).constData(), relay.mid(colon + 1).constData(), &hints,
                      &address) != 0) {
        *error = QStringLiteral("the pseudo-terminal relay's address %1 is not one")
                     .arg(QString::fromLatin1(relay));
        return false;
    }
    SOCKET relaySocket = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    const bool connected =
        relaySocket != INVALID_SOCKET &&
        ::connect(relaySocket, address->ai_addr, static_cast<int>(address->ai_addrlen)) == 0;
    const int code = ::WSAGetLastError();
    ::freeaddrinfo(address);
    if (!connected) {
        *error = socketError(QStringLiteral("the pseudo-terminal relay at %1 is not running")
                                 .arg(QString::fromLatin1(relay)),
                             code);
        if (relaySocket != INVALID_SOCKET)
            ::closesocket(relaySocket);
        return false;
    }
    const BOOL on = TRUE;
    ::setsockopt(relaySocket, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on),
                 sizeof on);
    // The relay's first line names the COM port; byte by byte, so that nothing after it is taken.
    ::setsockopt(relaySocket, SOL_SOCKET, SO_RCVTIMEO,
                 reinterpret_cast<const char*>(&kRelayAnswerMs), sizeof kRelayAnswerMs);
    QByteArray name;
    char c = 0;
    while (name.size() < 16 && ::recv(relaySocket, &c, 1, 0) == 1 && c != '\n')
        name += c;
    u_long nonBlocking = 1;
    if (c != '\n' || !name.startsWith("COM") ||
        ::ioctlsocket(relaySocket, FIONBIO, &nonBlocking) != 0) {
        *error = QStringLiteral("the pseudo-terminal relay named no COM port");
        ::closesocket(relaySocket);
        return false;
    }
    m_descriptor = static_cast<qintptr>(relaySocket);
    m_portName = QString::fromLatin1(name);
    return true;
}

void CardTerminal::close()
{
    if (m_descriptor != -1)
        ::closesocket(static_cast<SOCKET>(m_descriptor));
    m_descriptor = -1;
    m_portName.clear();
}

qint64 CardTerminal::read(char* buffer, qint64 size, QString* error)
{
    const int n = ::recv(static_cast<SOCKET>(m_descriptor), buffer, static_cast<int>(size), 0);
    if (n > 0)
        return n;
    if (n < 0 && ::WSAGetLastError() == WSAEWOULDBLOCK)
        return 0;
    *error = n == 0 ? QStringLiteral("the pseudo-terminal relay closed the line")
                    : socketError(QStringLiteral("cannot read from the pseudo-terminal relay"));
    return -1;
}

qint64 CardTerminal::write(const char* data, qint64 size, QString* error)
{
    const int n = ::send(static_cast<SOCKET>(m_descriptor), data, static_cast<int>(size), 0);
    if (n >= 0)
        return n;
    if (::WSAGetLastError() == WSAEWOULDBLOCK)
        return 0;
    *error = socketError(QStringLiteral("cannot write to the pseudo-terminal relay"));
    return -1;
}

} // namespace vrn::sim
