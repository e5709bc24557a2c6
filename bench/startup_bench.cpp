// Start-up benchmark: starts vrn-pc-timed (the program as app/main.cpp starts it, with clock
// readings) a number of times on the offscreen platform and prints, one line "key value" each:
//   startup.main_entered_ms     process start to main() (loading the program and its libraries)
//   startup.launcher_shown_ms   process start to the launcher shown
//   startup.launcher_painted_ms process start to the launcher's first paint complete
//   startup.cards_opened_ms     launcher painted to the four card windows painted
//   startup.rss_after_cards_kb / startup.peak_rss_kb  resident memory with all five windows open
// "Process start" is read on the monotonic clock just before the process is created.
//
//   vrn-bench-startup [runs] [program]

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

extern char** environ;

namespace {

constexpr int kDefaultRuns = 10;

long long monotonicNs()
{
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// Runs the program once; false when it could not be run or did not report.
bool runOnce(const char* program)
{
    int out[2];
    if (::pipe(out) != 0)
        return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, out[1]);
    char* const argv[] = {const_cast<char*>(program), nullptr};

    const long long startNs = monotonicNs();
    pid_t child = 0;
    const int spawned = ::posix_spawn(&child, program, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (spawned != 0) {
        std::fprintf(stderr, "vrn-bench-startup: cannot start %s: %s\n", program,
                     std::strerror(spawned));
        ::close(out[0]);
        return false;
    }

    std::string text;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(out[0], buffer, sizeof buffer);
        if (n > 0)
            text.append(buffer, static_cast<std::size_t>(n));
        else if (n == 0 || errno != EINTR)
            break;
    }
    ::close(out[0]);
    int status = 0;
    ::waitpid(child, &status, 0);

    std::map<std::string, long long> values;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = text.find('\n', at);
        const std::string line = text.substr(at, end == std::string::npos ? end : end - at);
        const std::size_t space = line.find(' ');
        if (space != std::string::npos)
            values[line.substr(0, space)] = std::atoll(line.c_str() + space + 1);
        if (end == std::string::npos)
            break;
        at = end + 1;
    }
    const char* needed[] = {
        "entered_ns", "launcher_shown_ns", "launcher_painted_ns", "cards_painted_ns",
        "rss_kb",     "peak_rss_kb"};
    for (const char* key : needed) {
        if (!values.count(key)) {
            std::fprintf(stderr, "vrn-bench-startup: %s did not report %s (exit status %d)\n",
                         program, key, status);
            return false;
        }
    }
    const auto sinceStart = [&](const char* key) { return (values[key] - startNs) / 1e6; };
    std::printf("startup.main_entered_ms %.3f\n", sinceStart("entered_ns"));
    std::printf("startup.launcher_shown_ms %.3f\n", sinceStart("launcher_shown_ns"));
    std::printf("startup.launcher_painted_ms %.3f\n", sinceStart("launcher_painted_ns"));
    std::printf("startup.cards_opened_ms %.3f\n",
                (values["cards_painted_ns"] - values["launcher_painted_ns"]) / 1e6);
    std::printf("startup.rss_after_cards_kb %lld\n", values["rss_kb"]);
    std::printf("startup.peak_rss_kb %lld\n", values["peak_rss_kb"]);
    std::fflush(stdout);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

int main(int argc, char* argv[])
{
    const int runs = argc > 1 ? std::atoi(argv[1]) : kDefaultRuns;
    const char* program = argc > 2 ? argv[2] : VRN_PC_TIMED;
    if (!std::getenv("QT_QPA_PLATFORM"))
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    for (int run = 0; run < runs; ++run) {
        if (!runOnce(program))
            return 1;
    }
    return 0;
}
