#pragma once

// What the transfer benchmarks share: vrn-card-sim in a process of its own on a pseudo-terminal,
// the trace it writes of every read and write, the floor of a transfer on the emulated wire and
// the figures against it, printed one line "key value" each (lines starting with '#' explain).

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <vector>

namespace vrn::bench {

constexpr int kAnswerCharacters = 2;       // what the simulated card answers to every frame
constexpr int kGapBetweenTransfersMs = 30; // lets the trace and the repaint settle, unmeasured
constexpr int kSimStartTimeoutMs = 5000;

// The monotonic clock, in nanoseconds.
qint64 monotonicNs();
// User plus system time of this process, all its threads.
qint64 processorNs();
// One line "key value".
void print(const QString& key, double value);
// One line "# text".
void note(const QString& text);

// One read from or write to the terminal, as the card's server recorded it.
struct TraceEvent
{
    char direction = 0; // 'R': the program's characters reached the card; 'W': the card's left
    qint64 ns = 0;
    int characters = 0;
    int frameEnds = 0; // '$' among the characters read
    QByteArray text;   // the characters, printable
};

// Follows the trace file that vrn-card-sim writes, one event per line.
class TraceReader
{
public:
    explicit TraceReader(const QString& path) : m_file(path) {}

    // Events written since the last call.
    std::vector<TraceEvent> take()
    {
        std::vector<TraceEvent> events;
        if (!m_file.isOpen() && !m_file.open(QIODevice::ReadOnly))
            return events;
        m_pending += m_file.readAll();
        const qsizetype lastEnd = m_pending.lastIndexOf('\n');
        if (lastEnd < 0)
            return events;
        const QByteArray complete = m_pending.left(lastEnd);
        m_pending.remove(0, lastEnd + 1);
        for (const QByteArray& line : complete.split('\n')) {
            // "R|W <ns> <count> <characters>"
            const QList<QByteArray> parts = line.split(' ');
            if (parts.size() < 3)
                continue;
            TraceEvent event;
            event.direction = parts[0].at(0);
            event.ns = parts[1].toLongLong();
            event.characters = parts[2].toInt();
            const qsizetype textStart = parts[0].size() + parts[1].size() + parts[2].size() + 3;
            event.text = line.mid(textStart);
            event.frameEnds = static_cast<int>(event.text.count('$'));
            events.push_back(event);
        }
        return events;
    }

private:
    QFile m_file;
    QByteArray m_pending;
};

// The card's side of the line: vrn-card-sim in its own process.
class CardProcess
{
public:
    bool start(const QString& program, const QStringList& arguments)
    {
        m_process.setProgram(program);
        m_process.setArguments(arguments);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start();
        if (!m_process.waitForStarted(kSimStartTimeoutMs))
            return false;
        while (!m_process.canReadLine()) {
            if (!m_process.waitForReadyRead(kSimStartTimeoutMs))
                return false;
        }
        m_device = QString::fromLocal8Bit(m_process.readLine().trimmed());
        return !m_device.isEmpty();
    }

    ~CardProcess()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            m_process.waitForFinished(kSimStartTimeoutMs);
        }
    }

    QString device() const { return m_device; }

private:
    QProcess m_process;
    QString m_device;
};

struct Timing
{
    qint64 startNs = 0;
    qint64 returnedNs = 0; // the call that started the transfer returned
    qint64 endNs = 0;
    qint64 processorNs = 0;
};

double percentile(std::vector<double> values, double share);

// The emulated line: time per character (ten bit times) and the card's answer latency.
struct LineTiming
{
    double characterNs = 0;
    double latencyNs = 0;
};

// Prints the figures of one transfer, keys starting with the prefix, from the card's trace of
// it; adds the turnarounds it saw. With describe, also says what went over the line.
void reportTransfer(const QString& prefix, const QString& name, int settlePauses,
                    const std::vector<TraceEvent>& events, const Timing& timing,
                    const LineTiming& line, bool describe, std::vector<double>& turnaroundsUs);

struct WireOptions
{
    QString simulator;
    int latencyMs = 2;
    int baud = 19200;
    int rounds = 4;
    bool logWindow = false;
};

// The line emulated, as the figures need it; says so in a note.
LineTiming lineTiming(const WireOptions& options);
// vrn-card-sim's arguments: the wire and latency emulated, the trace, values every window accepts.
QStringList cardArguments(const WireOptions& options, const QString& tracePath);
// The turnarounds' count, p50, p99 and maximum.
void printTurnarounds(const QString& prefix, const std::vector<double>& turnaroundsUs);

} // namespace vrn::bench
