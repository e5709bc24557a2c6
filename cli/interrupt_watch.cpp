#include "interrupt_watch.h"

#include <QMetaObject>

#include <atomic>

#ifdef Q_OS_UNIX
#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#else
#include <cstdlib>
#include <windows.h>
#endif

namespace vrn {
namespace {

std::atomic<InterruptWatch*> g_watch{nullptr};
std::atomic<int> g_signals{0};
int g_stoppedAtOnceStatus = 130;

#ifdef Q_OS_UNIX
int g_pipe[2] = {-1, -1};

// Runs inside the signal: only what is safe there. The first one wakes the event loop.
void onSignal(int)
{
    if (g_signals.fetch_add(1) > 0)
        ::_exit(g_stoppedAtOnceStatus);
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &byte, 1);
}
#else
BOOL WINAPI onConsoleEvent(DWORD)
{
    if (g_signals.fetch_add(1) > 0)
        std::_Exit(g_stoppedAtOnceStatus);
    // Another thread: the watch hears of it on its own.
    if (InterruptWatch* watch = g_watch.load())
        QMetaObject::invokeMethod(watch, &InterruptWatch::interrupted, Qt::QueuedConnection);
    return TRUE;
}
#endif

} // namespace

InterruptWatch::InterruptWatch(int stoppedAtOnceStatus, QObject* parent) : QObject(parent)
{
    g_stoppedAtOnceStatus = stoppedAtOnceStatus;
    g_signals = 0;
    g_watch = this;
#ifdef Q_OS_UNIX
    if (::pipe(g_pipe) != 0)
        return;
    ::fcntl(g_pipe[0], F_SETFD, FD_CLOEXEC);
    ::fcntl(g_pipe[1], F_SETFD, FD_CLOEXEC);
    ::fcntl(g_pipe[1], F_SETFL, O_NONBLOCK);
    auto* notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        [[maybe_unused]] const ssize_t got = ::read(g_pipe[0], &byte, 1);
        Q_EMIT interrupted();
    });
    struct sigaction action
    {
    };
    action.sa_handler = &onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
#else
    ::SetConsoleCtrlHandler(&onConsoleEvent, TRUE);
#endif
}

InterruptWatch::~InterruptWatch()
{
    g_watch = nullptr;
#ifdef Q_OS_UNIX
    ::signal(SIGINT, SIG_DFL);
    ::signal(SIGTERM, SIG_DFL);
    for (int& end : g_pipe) {
        if (end >= 0)
            ::close(end);
        end = -1;
    }
#else
    ::SetConsoleCtrlHandler(&onConsoleEvent, FALSE);
#endif
}

} // namespace vrn
