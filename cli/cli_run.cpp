#include "cli_run.h"

#include "audience.h"
#include "command_line.h"
#include "interrupt_watch.h"
#include "journal_command.h"
#include "port_list.h"
#include "port_report.h"
#include "port_run.h"
#include "translations.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QJsonDocument>
#include <QLocale>
#include <QTimer>

#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

#ifdef Q_OS_UNIX
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace vrn {
namespace {

constexpr int kRedrawMs = 100; // the progress lines on a terminal follow the runs this often

void write(std::FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    std::fflush(stream);
}

// The width of the terminal on standard output, or 0 when standard output is no terminal
// that shows progress lines (a file, a pipe, a terminal without cursor movement).
int progressTerminalWidth()
{
#ifdef Q_OS_UNIX
    if (!::isatty(STDOUT_FILENO) || qgetenv("TERM") == "dumb" || qgetenv("TERM").isEmpty())
        return 0;
    winsize size{};
    if (::ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) != 0 || size.ws_col == 0)
        return 80;
    return size.ws_col;
#else
    return 0;
#endif
}

// The ports of one command run side by side; their results are printed in the order the ports
// were given, each as soon as it and the ports before it have ended (for programs and logs), or
// on a terminal as one line per port that follows the run and is replaced by the result at the
// end. Ctrl+C stops every port at a frame boundary, and each tells how far it got.
class CliRunner
{
public:
    explicit CliRunner(const CliRequest& request)
        : m_request(request), m_terminalWidth(request.json ? 0 : progressTerminalWidth())
    {
        for (const CliPort& port : request.ports) {
            m_runs.push_back(std::make_unique<PortRun>(request, port));
            m_portWidth =
                std::max(m_portWidth,
                         static_cast<int>(PortReport::portName(m_runs.back()->result()).size()));
        }
    }

    int run()
    {
        const bool loads = m_request.command != CliRequest::Command::Read;
        std::optional<QString> refusal;
        for (auto& run : m_runs) {
            if (loads && !run->loadFile() && !refusal)
                refusal = run->result().error;
        }
        QEventLoop loop;
        int open = static_cast<int>(m_runs.size());
        for (auto& run : m_runs) {
            PortRun* r = run.get();
            QObject::connect(r, &PortRun::finished, &loop, [this, &open, &loop] {
                printEnded();
                if (--open == 0)
                    loop.quit();
            });
        }
        InterruptWatch interrupts(PortReport::kStoppedAtOnceStatus);
        QObject::connect(&interrupts, &InterruptWatch::interrupted, &loop, [this] {
            for (auto& run : m_runs)
                run->interrupt();
        });
        if (refusal) {
            // The file is the same for every port: none is touched.
            for (auto& run : m_runs)
                run->cancel(*refusal);
        } else {
            for (auto& run : m_runs)
                run->start();
        }
        QTimer redraw;
        if (m_terminalWidth > 0) {
            draw();
            QObject::connect(&redraw, &QTimer::timeout, &loop, [this] { draw(); });
            redraw.start(kRedrawMs);
        }
        loop.exec();
        redraw.stop();

        std::vector<const PortResult*> results;
        for (const auto& run : m_runs)
            results.push_back(&run->result());
        if (m_terminalWidth > 0) {
            clearDrawn();
            for (const PortResult* r : results)
                write(stdout, PortReport::line(*r, m_portWidth) + QLatin1Char('\n'));
        }
        if (!m_request.json && results.size() > 1)
            write(stdout, PortReport::summary(results) + QLatin1Char('\n'));
        return PortReport::exitStatus(results);
    }

private:
    // Prints the results not printed yet whose ports, and every port before them, have ended.
    void printEnded()
    {
        for (; m_printed < m_runs.size() && m_runs[m_printed]->isFinished(); ++m_printed) {
            const PortResult& result = m_runs[m_printed]->result();
            if (m_request.json) {
                const QJsonDocument document(PortReport::json(result));
                write(stdout, QString::fromUtf8(document.toJson(QJsonDocument::Compact)) +
                                  QLatin1Char('\n'));
            } else if (m_terminalWidth == 0) {
                write(stdout, PortReport::line(result, m_portWidth) + QLatin1Char('\n'));
            }
        }
    }

    // One line per port, drawn over the lines drawn before.
    void draw()
    {
        QString text;
        if (m_drawnLines > 0)
            text += QStringLiteral("\x1b[%1A").arg(m_drawnLines);
        for (const auto& run : m_runs) {
            QString line = run->isFinished()
                               ? PortReport::line(run->result(), m_portWidth)
                               : PortReport::progressLine(run->result(), run->stage(),
                                                          run->elapsedMs(), m_portWidth);
            // A line that wrapped would throw off the count of lines to go back over.
            line.truncate(m_terminalWidth - 1);
            text += QStringLiteral("\r\x1b[2K") + line + QLatin1Char('\n');
        }
        m_drawnLines = static_cast<int>(m_runs.size());
        write(stdout, text);
    }

    void clearDrawn()
    {
        if (m_drawnLines > 0)
            write(stdout, QStringLiteral("\x1b[%1A\r\x1b[J").arg(m_drawnLines));
        m_drawnLines = 0;
    }

    const CliRequest& m_request;
    const int m_terminalWidth;
    int m_portWidth = 0;
    int m_drawnLines = 0;
    std::size_t m_printed = 0; // results printed so far, in the order of the ports
    std::vector<std::unique_ptr<PortRun>> m_runs;
};

} // namespace

int runCli(const QStringList& arguments, PortSource& ports)
{
    setAudience(Audience::Shell); // ports and files are named with options here, not menus
    // Output for programs reads the same on every machine: English, "." as decimal point.
    if (arguments.contains(QStringLiteral("--json")))
        QLocale::setDefault(QLocale::c());
    else
        installTranslations(*QCoreApplication::instance());

    const CommandLine::Parsed parsed = CommandLine::parse(arguments, ports);
    if (!parsed.request) {
        if (!parsed.output.isEmpty())
            write(stdout, parsed.output);
        if (!parsed.error.isEmpty()) {
            write(stderr, QStringLiteral("vrn-cli: %1\n%2\n")
                              .arg(parsed.error, CommandLine::tr("Try \"vrn-cli --help\".")));
        }
        return parsed.exitCode;
    }
    if (parsed.request->command == CliRequest::Command::Journal) {
        const JournalCommand::Output output = JournalCommand::run(*parsed.request);
        write(stdout, output.out);
        if (!output.error.isEmpty())
            write(stderr, QStringLiteral("vrn-cli: %1\n").arg(output.error));
        return output.exitCode;
    }
    if (parsed.request->command == CliRequest::Command::Ports) {
        const QList<PortInfo> listed = ports.ports();
        write(stdout, parsed.request->json ? PortList::json(listed) : PortList::text(listed));
        return 0;
    }
    CliRunner runner(*parsed.request);
    return runner.run();
}

} // namespace vrn
