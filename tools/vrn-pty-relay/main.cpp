// vrn-pty-relay: pseudo-terminals for Windows programs under wine. A Windows test cannot create a
// Unix pseudo-terminal, so it connects here instead: for every connection the relay creates a
// pseudo-terminal, names it as a COM port of the wine prefix (COM10 and up), tells the
// connection that name in one line ("COM10\n"), and then copies the bytes both ways between the
// connection and the terminal, unchanged. When the connection closes, so does the terminal: a
// program that has the port open sees its line go dead. Plain POSIX, for Linux.
//   vrn-pty-relay --prefix <wine prefix> [--port <TCP port>]
// Listens on 127.0.0.1 (port 0, the default: any free port) and prints the port on stdout.
// SIGTERM or SIGINT ends it, taking its COM ports away.

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <list>
#include <string>
#include <vector>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr int kFirstPort = 10; // wine rewrites the links of COM1..COM4 for /dev/ttyS* itself
constexpr size_t kBufferLimit = 64 * 1024; // per direction; beyond it the relay stops reading

int g_wake[2] = {-1, -1}; // written by the signal handler: the main loop ends

void onSignal(int)
{
    const int saved = errno;
    [[maybe_unused]] const ssize_t ignored = ::write(g_wake[1], "x", 1);
    errno = saved;
}

void setNonBlocking(int fd)
{
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    ::fcntl(fd, F_SETFD, FD_CLOEXEC);
}

void closeFd(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

// One connection and its terminal.
struct Line
{
    int socket = -1;
    int master = -1;
    int slave = -1; // held open so the terminal survives a program closing and reopening it
    std::string link;
    std::string toTerminal;
    std::string toSocket;
    bool closing = false;

    void close()
    {
        closeFd(socket);
        closeFd(master);
        closeFd(slave);
        if (!link.empty())
            ::unlink(link.c_str());
        link.clear();
    }
};

// A raw pseudo-terminal at the cards' speed, as the card server on Unix creates it; false with
// errno set when the system refuses.
bool openTerminal(Line& line, std::string& slavePath)
{
    line.master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (line.master < 0)
        return false;
    char name[128] = {};
    if (::grantpt(line.master) != 0 || ::unlockpt(line.master) != 0 ||
        ::ptsname_r(line.master, name, sizeof name) != 0)
        return false;
    line.slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (line.slave < 0)
        return false;
    termios mode{};
    if (::tcgetattr(line.slave, &mode) == 0) {
        ::cfmakeraw(&mode);
        ::cfsetispeed(&mode, B19200);
        ::cfsetospeed(&mode, B19200);
        ::tcsetattr(line.slave, TCSANOW, &mode);
    }
    setNonBlocking(line.master);
    slavePath = name;
    return true;
}

// Links the lowest free COM port from COM10 up to the terminal; its number, or -1.
int linkComPort(const std::string& dosdevices, const std::string& slavePath, std::string& link)
{
    for (int n = kFirstPort; n < 1000; ++n) {
        const std::string path = dosdevices + "/com" + std::to_string(n);
        if (::symlink(slavePath.c_str(), path.c_str()) == 0) {
            link = path;
            return n;
        }
        if (errno != EEXIST)
            return -1;
    }
    errno = EBUSY;
    return -1;
}

// Moves what one descriptor has to give into the buffer for the other; false when it ended.
bool pull(int from, std::string& buffer)
{
    char chunk[4096];
    while (buffer.size() < kBufferLimit) {
        const ssize_t n = ::read(from, chunk, sizeof chunk);
        if (n > 0) {
            buffer.append(chunk, static_cast<size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
    }
    return true;
}

// Writes what the buffer holds as far as the descriptor takes it; false when it failed.
bool push(int to, std::string& buffer)
{
    while (!buffer.empty()) {
        const ssize_t n = ::write(to, buffer.data(), buffer.size());
        if (n > 0) {
            buffer.erase(0, static_cast<size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
    }
    return true;
}

void accept(int listener, const std::string& dosdevices, std::list<Line>& lines)
{
    for (;;) {
        const int socket = ::accept4(listener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (socket < 0)
            return;
        const int on = 1;
        ::setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        Line line;
        line.socket = socket;
        std::string slavePath;
        const int port =
            openTerminal(line, slavePath) ? linkComPort(dosdevices, slavePath, line.link) : -1;
        if (port < 0) {
            std::fprintf(stderr, "vrn-pty-relay: no COM port for a connection: %s\n",
                         std::strerror(errno));
            line.close();
            continue;
        }
        line.toSocket = "COM" + std::to_string(port) + "\n";
        lines.push_back(std::move(line));
    }
}

int usage()
{
    std::fprintf(stderr, "usage: vrn-pty-relay --prefix <wine prefix> [--port <TCP port>]\n");
    return 2;
}

} // namespace

int main(int argc, char* argv[])
{
    std::string prefix;
    int tcpPort = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--prefix" && i + 1 < argc)
            prefix = argv[++i];
        else if (arg == "--port" && i + 1 < argc)
            tcpPort = std::atoi(argv[++i]);
        else
            return usage();
    }
    if (prefix.empty() || tcpPort < 0 || tcpPort > 65535)
        return usage();
    const std::string dosdevices = prefix + "/dosdevices";
    struct stat folder = {};
    if (::stat(dosdevices.c_str(), &folder) != 0 || !S_ISDIR(folder.st_mode)) {
        std::fprintf(stderr, "vrn-pty-relay: %s is not a folder\n", dosdevices.c_str());
        return 1;
    }

    if (::pipe2(g_wake, O_NONBLOCK | O_CLOEXEC) != 0)
        return 1;
    struct sigaction action = {};
    action.sa_handler = onSignal;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
    ::signal(SIGPIPE, SIG_IGN);

    const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    const int on = 1;
    ::setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(tcpPort));
    socklen_t length = sizeof address;
    if (listener < 0 || ::bind(listener, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        ::listen(listener, 64) != 0 ||
        ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        std::fprintf(stderr, "vrn-pty-relay: cannot listen on 127.0.0.1:%d: %s\n", tcpPort,
                     std::strerror(errno));
        return 1;
    }
    std::printf("%d\n", ntohs(address.sin_port));
    std::fflush(stdout);

    std::list<Line> lines;
    std::vector<pollfd> polled;
    for (;;) {
        polled.clear();
        polled.push_back({g_wake[0], POLLIN, 0});
        polled.push_back({listener, POLLIN, 0});
        for (Line& line : lines) {
            short socketEvents = 0;
            short terminalEvents = 0;
            if (line.toTerminal.size() < kBufferLimit)
                socketEvents |= POLLIN;
            if (!line.toSocket.empty())
                socketEvents |= POLLOUT;
            if (line.toSocket.size() < kBufferLimit)
                terminalEvents |= POLLIN;
            if (!line.toTerminal.empty())
                terminalEvents |= POLLOUT;
            polled.push_back({line.socket, socketEvents, 0});
            polled.push_back({line.master, terminalEvents, 0});
        }
        if (::poll(polled.data(), polled.size(), -1) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        if (polled[0].revents != 0)
            break; // SIGTERM or SIGINT
        size_t i = 2;
        for (Line& line : lines) {
            const pollfd& socket = polled[i++];
            const pollfd& terminal = polled[i++];
            // The terminal's hang-up is not expected while the relay holds its device open.
            bool alive = (terminal.revents & (POLLERR | POLLNVAL)) == 0;
            // A closed or failed connection reads as its end.
            if (alive && (socket.revents & (POLLIN | POLLHUP | POLLERR)))
                alive = pull(line.socket, line.toTerminal);
            if (alive && (terminal.revents & POLLIN))
                alive = pull(line.master, line.toSocket);
            if (alive)
                alive = push(line.master, line.toTerminal) && push(line.socket, line.toSocket);
            line.closing = !alive;
        }
        lines.remove_if([](Line& line) {
            if (line.closing)
                line.close();
            return line.closing;
        });
        if (polled[1].revents & POLLIN)
            accept(listener, dosdevices, lines);
    }
    for (Line& line : lines)
        line.close();
    ::close(listener);
    return 0;
}
