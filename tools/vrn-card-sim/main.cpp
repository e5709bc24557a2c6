// vrn-card-sim: a simulated coil-driver card on a pseudo-terminal, for trying the program (or any
// serial tool) without a card. Prints the terminal's device on the first line of stdout.

#include "pty_card_server.h"

#include "protocol.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QSocketNotifier>
#include <QTime>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace vrn;

namespace {

// A three-character field put in by hand must fit in the read reply.
constexpr int kLastOverridePosition = protocol::kReadReplyLength - protocol::kFieldLength + 1;

int g_signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t ignored = ::write(g_signalPipe[1], &byte, 1);
}

void fail(const QString& message)
{
    std::fprintf(stderr, "vrn-card-sim: %s\n", qPrintable(message));
}

// A frame as it can be read in a log: printable ASCII as is, anything else as \xNN.
QString printable(const QByteArray& bytes)
{
    QString text;
    for (char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x20 && u < 0x7f)
            text += QLatin1Char(c);
        else
            text += QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0'));
    }
    return text;
}

std::optional<int> wholeNumber(const QString& text, int lowest, int highest)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < lowest || value > highest)
        return std::nullopt;
    return value;
}

// Applies the command line to the card; false (after saying why) on a malformed option.
bool configure(const QCommandLineParser& parser, vrn::sim::Card& card,
               const QCommandLineOption& latency, const QCommandLineOption& split,
               const QCommandLineOption& silent, const QCommandLineOption& garbage,
               const QCommandLineOption& replyLength, const QCommandLineOption& field,
               const QCommandLineOption& loseAfter, const QCommandLineOption& set)
{
    vrn::sim::Faults& faults = card.faults();
    if (parser.isSet(latency)) {
        const auto ms = wholeNumber(parser.value(latency), 0, 600000);
        if (!ms) {
            fail(QStringLiteral("--latency wants milliseconds from 0 to 600000"));
            return false;
        }
        faults.answerDelayMs = *ms;
    }
    faults.splitAnswers = parser.isSet(split);
    faults.silent = parser.isSet(silent);
    faults.garbageAnswers = parser.isSet(garbage);
    if (parser.isSet(replyLength)) {
        const auto length = wholeNumber(parser.value(replyLength), 0, 4096);
        if (!length) {
            fail(QStringLiteral("--reply-length wants a number of characters from 0 to 4096"));
            return false;
        }
        faults.replyLength = *length;
    }
    for (const QString& item : parser.values(field)) {
        const qsizetype equals = item.indexOf(u'=');
        const auto position =
            equals < 0 ? std::nullopt : wholeNumber(item.left(equals), 1, kLastOverridePosition);
        const QString text = item.mid(equals + 1);
        if (!position || text.size() > 3 || text.toLatin1() != text.toLocal8Bit()) {
            fail(QStringLiteral("--field wants POS=TEXT with POS from 1 to %1 and up to three "
                                "characters of TEXT, for example --field 41=abc")
                     .arg(kLastOverridePosition));
            return false;
        }
        faults.replyFieldOverrides[*position] = text.toLatin1();
    }
    if (parser.isSet(loseAfter)) {
        const auto frames = wholeNumber(parser.value(loseAfter), 0, 1000000);
        if (!frames) {
            fail(QStringLiteral("--lose-after wants a number of frames"));
            return false;
        }
        faults.portLostAfterFrames = *frames;
    }
    for (const QString& item : parser.values(set)) {
        const qsizetype equals = item.indexOf(u'=');
        const QByteArray letter = item.left(equals).toLatin1();
        const auto value = equals < 0
                               ? std::nullopt
                               : wholeNumber(item.mid(equals + 1), 0, protocol::kLargestCode);
        if (letter.size() != 1 || !protocol::isParameterLetter(letter.at(0)) || !value) {
            fail(QStringLiteral("--set wants LETTER=VALUE with a letter of %1 and a value from 0 "
                                "to %2, for example --set H=512")
                     .arg(QString::fromLatin1(protocol::kParameterLetters.data(),
                                              protocol::kParameterLetters.size()))
                     .arg(protocol::kLargestCode));
            return false;
        }
        card.setParameter(letter.at(0), *value);
    }
    for (const QString& item : parser.values(QStringLiteral("keep"))) {
        const QByteArray letter = item.toLatin1();
        if (letter.size() != 1 || !protocol::isParameterLetter(letter.at(0))) {
            fail(QStringLiteral("--keep wants a parameter letter, for example --keep H"));
            return false;
        }
        card.faults().keptLetters += letter;
    }
    return true;
}

// Points linkPath at target, replacing an earlier symbolic link; refuses to replace anything
// else (a file that happens to have that name is not ours to delete).
bool createLink(const QString& linkPath, const QString& target)
{
    const QByteArray path = QFile::encodeName(linkPath);
    struct stat info
    {
    };
    if (::lstat(path.constData(), &info) == 0) {
        if (!S_ISLNK(info.st_mode)) {
            fail(QStringLiteral("%1 exists and is not a symbolic link; not replacing it")
                     .arg(linkPath));
            return false;
        }
        ::unlink(path.constData());
    }
    if (::symlink(QFile::encodeName(target).constData(), path.constData()) != 0) {
        fail(QStringLiteral("cannot create the link %1: %2")
                 .arg(linkPath, QString::fromLocal8Bit(std::strerror(errno))));
        return false;
    }
    return true;
}

// Removes the link if it still points at our terminal (another simulator may have taken it).
void removeLink(const QString& linkPath, const QString& target)
{
    if (QFile::symLinkTarget(linkPath) == target)
        ::unlink(QFile::encodeName(linkPath).constData());
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vrn-card-sim"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VRN_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Serves a simulated coil-driver card on a pseudo-terminal. The terminal's "
                       "device is printed on the first line of standard output; open it as the "
                       "card's serial port. Frames received are logged on standard error."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption link(QStringLiteral("link"),
                                  QStringLiteral("Create a symbolic link <path> to the terminal "
                                                 "(replaces an earlier link, removed at exit)."),
                                  QStringLiteral("path"));
    const QCommandLineOption quiet(QStringLiteral("quiet"),
                                   QStringLiteral("Do not log the frames received."));
    const QCommandLineOption latency(QStringLiteral("latency"),
                                     QStringLiteral("Wait <ms> milliseconds before answering."),
                                     QStringLiteral("ms"));
    const QCommandLineOption baud(QStringLiteral("baud"),
                                  QStringLiteral("Pace characters as on a line at <n> baud, 8N1; "
                                                 "0 passes them at once (default %1).")
                                      .arg(protocol::kBaudRate),
                                  QStringLiteral("n"), QString::number(protocol::kBaudRate));
    const QCommandLineOption split(QStringLiteral("split"),
                                   QStringLiteral("Send every answer in two bursts."));
    const QCommandLineOption silent(QStringLiteral("silent"), QStringLiteral("Answer nothing."));
    const QCommandLineOption garbage(
        QStringLiteral("garbage"),
        QStringLiteral("Answer every command frame with binary garbage (the read reply stays "
                       "as it is; --field puts garbage into it)."));
    const QCommandLineOption replyLength(QStringLiteral("reply-length"),
                                         QStringLiteral("Send <n> characters of the read reply "
                                                        "(cut short, or padded with blanks)."),
                                         QStringLiteral("n"));
    const QCommandLineOption field(
        QStringLiteral("field"),
        QStringLiteral("Send <text> in the read reply's field at 1-based "
                       "position <pos> (repeatable)."),
        QStringLiteral("pos=text"));
    const QCommandLineOption loseAfter(QStringLiteral("lose-after"),
                                       QStringLiteral("Stop answering and close the terminal after "
                                                      "<n> frames."),
                                       QStringLiteral("n"));
    const QCommandLineOption set(QStringLiteral("set"),
                                 QStringLiteral("Preset the card's parameter <letter> to <value> "
                                                "(repeatable), for example H=512."),
                                 QStringLiteral("letter=value"));
    const QCommandLineOption keep(QStringLiteral("keep"),
                                  QStringLiteral("Answer the frames of parameter <letter> but "
                                                 "keep its value (repeatable): a card that will "
                                                 "not change it."),
                                  QStringLiteral("letter"));
    const QCommandLineOption trace(
        QStringLiteral("trace"),
        QStringLiteral("Write every read from and write to the terminal to <file>, one line "
                       "each: R or W, the time on the monotonic clock in nanoseconds, the "
                       "number of characters and the characters (for timing measurements)."),
        QStringLiteral("file"));
    parser.addOptions({link, quiet, latency, baud, split, silent, garbage, replyLength, field,
                       loseAfter, set, keep, trace});
    parser.process(app);
    if (!parser.positionalArguments().isEmpty()) {
        fail(QStringLiteral("unexpected argument %1").arg(parser.positionalArguments().first()));
        return 2;
    }

    vrn::sim::PtyCardServer server;
    if (!configure(parser, server.card(), latency, split, silent, garbage, replyLength, field,
                   loseAfter, set))
        return 2;
    const auto speed = wholeNumber(parser.value(baud), 0, 4000000);
    if (!speed) {
        fail(QStringLiteral("--baud wants a speed in baud, or 0"));
        return 2;
    }
    server.setCharacterTimeMs(vrn::sim::characterTimeMs(*speed));

    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalPipe) != 0) {
        fail(QStringLiteral("cannot set up signal handling"));
        return 1;
    }
    QSocketNotifier signalNotifier(g_signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&signalNotifier, &QSocketNotifier::activated, &app, [] {
        char byte = 0;
        [[maybe_unused]] const ssize_t ignored = ::read(g_signalPipe[0], &byte, 1);
        QCoreApplication::quit();
    });
    struct sigaction action
    {
    };
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);

    if (!server.open()) {
        fail(server.errorString());
        return 1;
    }
    const QString device = server.slavePath();
    const QString linkPath = parser.value(link);
    if (!linkPath.isEmpty() && !createLink(linkPath, device))
        return 1;

    std::unique_ptr<std::FILE, int (*)(std::FILE*)> traceFile(nullptr, &std::fclose);
    if (parser.isSet(trace)) {
        traceFile.reset(std::fopen(QFile::encodeName(parser.value(trace)).constData(), "w"));
        if (!traceFile) {
            fail(QStringLiteral("cannot write the trace %1: %2")
                     .arg(parser.value(trace), QString::fromLocal8Bit(std::strerror(errno))));
            return 1;
        }
        // One write per line, so that a reader sees each event as soon as it happened.
        std::setvbuf(traceFile.get(), nullptr, _IOLBF, 0);
        const auto record = [file = traceFile.get()](char direction) {
            return [file, direction](qint64 ns, const QByteArray& bytes) {
                std::fprintf(file, "%c %lld %lld %s\n", direction, static_cast<long long>(ns),
                             static_cast<long long>(bytes.size()), qPrintable(printable(bytes)));
            };
        };
        QObject::connect(&server, &vrn::sim::PtyCardServer::terminalRead, &app, record('R'));
        QObject::connect(&server, &vrn::sim::PtyCardServer::terminalWritten, &app, record('W'));
    }

    std::printf("%s\n", qPrintable(device));
    std::fflush(stdout);

    // The raw log is for tests; a long session keeps none of it.
    QObject::connect(&server, &vrn::sim::PtyCardServer::frameReceived, &server,
                     &vrn::sim::PtyCardServer::clearReceived);
    if (!parser.isSet(quiet)) {
        QObject::connect(
            &server, &vrn::sim::PtyCardServer::frameReceived, &app, [](const QByteArray& frame) {
                std::fprintf(
                    stderr, "%s  %s\n",
                    qPrintable(QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz"))),
                    qPrintable(printable(frame)));
            });
    }
    // The line going dead (--lose-after) ends the simulator: there is nothing left to serve.
    QObject::connect(&server, &vrn::sim::PtyCardServer::lineClosed, &app,
                     [](const QString& reason) {
                         fail(QStringLiteral("line closed: %1").arg(reason));
                         QCoreApplication::quit();
                     });

    const int result = app.exec();
    server.close();
    if (!linkPath.isEmpty())
        removeLink(linkPath, device);
    return result;
}
