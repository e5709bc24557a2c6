#include "command_line.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QMap>
#include <QSet>

#include <algorithm>

namespace vrn {
namespace {

// The ports named with -p/--port and --ports, in the order they were given on the command
// line: the parser keeps each option's values apart. `parsed` is what the parser found; should
// the walk find anything else (a form of option it does not know), the parser's order stands.
QStringList portsInOrder(const QStringList& arguments, const QStringList& parsed)
{
    QStringList ports;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--"))
            break;
        const bool next = i + 1 < arguments.size();
        if ((argument == QLatin1String("--port") || argument == QLatin1String("-p")) && next)
            ports << arguments[++i];
        else if (argument.startsWith(QLatin1String("--port=")))
            ports << argument.mid(7);
        else if (argument.startsWith(QLatin1String("-p")) && !argument.startsWith(u"--"))
            ports << argument.mid(2);
        else if (argument == QLatin1String("--ports") && next)
            ports += arguments[++i].split(u',', Qt::SkipEmptyParts);
        else if (argument.startsWith(QLatin1String("--ports=")))
            ports += argument.mid(8).split(u',', Qt::SkipEmptyParts);
    }
    QStringList sortedWalk = ports;
    QStringList sortedParsed = parsed;
    sortedWalk.sort();
    sortedParsed.sort();
    return sortedWalk == sortedParsed ? ports : parsed;
}

const QString kPortPlaceholder = QStringLiteral("{port}");

// The options of vrn-cli, in the order --help lists them.
struct Options
{
    QCommandLineOption card{{QStringLiteral("c"), QStringLiteral("card")},
                            CommandLine::tr("The card model: vrn-a, vrn-b, vrn-c or vrn-d."),
                            CommandLine::tr("model")};
    QCommandLineOption port{
        {QStringLiteral("p"), QStringLiteral("port")},
        CommandLine::tr("A serial port (/dev/ttyUSB0, COM3), or \"simulated\" for the card "
                        "simulated inside the program. Repeat it for several ports."),
        CommandLine::tr("device")};
    QCommandLineOption ports{QStringLiteral("ports"),
                             CommandLine::tr("Several ports at once, separated by commas."),
                             CommandLine::tr("list")};
    QCommandLineOption out{{QStringLiteral("o"), QStringLiteral("out")},
                           CommandLine::tr("read: the parameter file to save. With several ports "
                                           "it must contain {port}, which stands for the port's "
                                           "name (/dev/pts/3 gives pts-3)."),
                           CommandLine::tr("file")};
    QCommandLineOption noVerify{QStringLiteral("no-verify"),
                                CommandLine::tr("send: do not read the card back after the Send.")};
    QCommandLineOption json{QStringLiteral("json"),
                            CommandLine::tr("One JSON object per port and line, in English, "
                                            "instead of the text for people.")};
    QCommandLineOption journal{QStringLiteral("journal"),
                               CommandLine::tr("The journal file to use instead of the "
                                               "program's own."),
                               CommandLine::tr("file")};
    QCommandLineOption serial{QStringLiteral("serial"),
                              CommandLine::tr("journal show: the serial number of the card whose "
                                              "entries to list."),
                              CommandLine::tr("serial")};
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            CommandLine::tr("Show this help.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               CommandLine::tr("Show the version.")};

    void addTo(QCommandLineParser& parser) const
    {
        parser.addOptions({card, port, ports, out, noVerify, json, journal, serial, help, version});
        // The names of what is typed are the reader's words; what is typed stays English.
        parser.addPositionalArgument(CommandLine::tr("command"),
                                     CommandLine::tr("send, read or verify."));
        parser.addPositionalArgument(
            CommandLine::tr("file"),
            CommandLine::tr("The parameter file to send or to verify against."),
            CommandLine::tr("[file]"));
    }
};

std::optional<CardModel> modelNamed(const QString& text)
{
    for (CardModel model : kCardModels) {
        if (text.compare(modelName(model), Qt::CaseInsensitive) == 0)
            return model;
    }
    return std::nullopt;
}

std::optional<CliRequest::Command> commandNamed(const QString& text)
{
    for (auto command :
         {CliRequest::Command::Send, CliRequest::Command::Read, CliRequest::Command::Verify,
          CliRequest::Command::Ports, CliRequest::Command::Journal}) {
        if (text == commandName(command))
            return command;
    }
    return std::nullopt;
}

// Two names that reach the same device (a link and its target) are the same port.
QString deviceIdentity(const QString& port)
{
    const QString canonical = QFileInfo(port).canonicalFilePath();
    return canonical.isEmpty() ? port : canonical;
}

CommandLine::Parsed usageError(const QString& text)
{
    CommandLine::Parsed parsed;
    parsed.error = text;
    parsed.exitCode = 2;
    return parsed;
}

// "journal check" and "journal show --serial SERIAL": no card, port or parameter file.
CommandLine::Parsed parseJournal(const QCommandLineParser& parser, const Options& options,
                                 QStringList positional, CliRequest request)
{
    for (const QCommandLineOption* option :
         {&options.card, &options.port, &options.ports, &options.out, &options.noVerify}) {
        if (parser.isSet(*option))
            return usageError(CommandLine::tr("journal takes no option but --journal, --serial "
                                              "and --json."));
    }
    if (positional.isEmpty())
        return usageError(CommandLine::tr("Say what to do with the journal: check or show."));
    const QString action = positional.takeFirst();
    if (action == QLatin1String("check")) {
        request.journalAction = CliRequest::JournalAction::Check;
    } else if (action == QLatin1String("show")) {
        request.journalAction = CliRequest::JournalAction::Show;
    } else {
        return usageError(
            CommandLine::tr("Unknown journal command \"%1\": use check or show.").arg(action));
    }
    if (!positional.isEmpty())
        return usageError(CommandLine::tr("Unexpected argument \"%1\".").arg(positional.first()));
    request.json = parser.isSet(options.json);
    if (request.journalAction == CliRequest::JournalAction::Check) {
        if (parser.isSet(options.serial))
            return usageError(CommandLine::tr("--serial belongs to journal show."));
        if (request.json)
            return usageError(CommandLine::tr("--json belongs to journal show."));
    } else {
        request.cardSerial = parser.value(options.serial);
        if (request.cardSerial.isEmpty()) {
            return usageError(
                CommandLine::tr("Name the card with --serial: journal show lists one card's "
                                "entries."));
        }
    }
    return {request, {}, {}, 0};
}

} // namespace

QString commandName(CliRequest::Command command)
{
    switch (command) {
    case CliRequest::Command::Send:
        return QStringLiteral("send");
    case CliRequest::Command::Read:
        return QStringLiteral("read");
    case CliRequest::Command::Verify:
        return QStringLiteral("verify");
    case CliRequest::Command::Ports:
        return QStringLiteral("ports");
    case CliRequest::Command::Journal:
        return QStringLiteral("journal");
    }
    return {};
}

QString CliRequest::outputFile(const QString& port) const
{
    QString path = file;
    return path.replace(kPortPlaceholder, portFileName(port));
}

QString CommandLine::helpText()
{
    QCommandLineParser parser;
    Options options;
    options.addTo(parser);
    parser.setApplicationDescription(
        tr("Sends, reads and verifies the parameters of VRN coil-driver cards without the\n"
           "windows, on one port or on many at once.\n"
           "\n"
           "Commands:\n"
           "  send FILE       load FILE as a card window's Open does, send it as its Send does,\n"
           "                  then read the card back and compare (unless --no-verify)\n"
           "  read --out FILE read the card as a window's Read does and save as its Save does\n"
           "  verify FILE     read the card and compare it with FILE, changing nothing") +
        QLatin1Char('\n') +
        tr("  ports           list the serial ports, each with the key of its adapter") +
        QLatin1Char('\n') +
        tr("  journal check   check that no entry of the journal was changed, removed or\n"
           "                  moved since it was written\n"
           "  journal show --serial SERIAL\n"
           "                  list the journal's entries of the card with that serial number"));
    QString text = parser.helpText();
    text += QLatin1Char('\n');
    text += tr("Each port runs its own transfer, all at the same time; the frames, pauses and\n"
               "files are those of the card windows.\n"
               "\n"
               "Output: one line per port (with progress on a terminal), or with --json one JSON\n"
               "object per port and line, in the order the ports were given: port, card,\n"
               "command, file, outcome, error, note, seconds, values (name, unit, code and text,\n"
               "the file's, and the card's as its reply gave them: null when the card was not\n"
               "read) and differences. Outcomes: verified, differs, sent, saved, failed,\n"
               "refused file, not saved, interrupted.\n"
               "\n"
               "Ctrl+C (or SIGTERM) stops every port where no frame is half sent, and each port\n"
               "tells how far it got; a second Ctrl+C ends the program at once.\n"
               "\n"
               "Exit status: 0 every port did its command (sent and verified, read and saved,\n"
               "or verified); 1 a port failed or its card differs; 2 bad usage, or a file that\n"
               "could not be loaded or saved; 3 interrupted by Ctrl+C, each port told; 130\n"
               "ended at once by a second Ctrl+C.\n"
               "\n"
               "Examples:\n"
               "  vrn-cli send --card vrn-b --port /dev/ttyUSB0 pump.par\n"
               "  vrn-cli send --card vrn-a --ports /dev/ttyUSB0,/dev/ttyUSB1,/dev/ttyUSB2 "
               "line3.par\n"
               "  vrn-cli verify --card vrn-c --port /dev/ttyUSB0 --json valve.par\n"
               "  vrn-cli read --card vrn-d --port /dev/ttyUSB0 --out card.par\n"
               "  vrn-cli read --card vrn-d --port /dev/ttyUSB0 --port /dev/ttyUSB1 "
               "--out card-{port}.par\n"
               "  vrn-cli send --card vrn-b --port simulated pump.par\n");
    text += QLatin1Char('\n');
    text += tr("Adapters: --port and --ports also take a USB serial adapter by its key, whichever\n"
               "name the system gives its port this time: usb:A10K3JX2 (its USB serial number),\n"
               "usb:0403:6001 (its vendor and product id), usb:0403:6001@1-2 (those ids where it\n"
               "is plugged in; usb:0403:6001@1-2:1.0 for one interface of a two-port adapter).\n"
               "A key must fit exactly one port. The output names the key and the port it\n"
               "chose (in JSON, adapter beside port); in --out, {port} stands for the key.\n"
               "\"vrn-cli ports\" lists every port with its key; with --json as one JSON object\n"
               "per port and line: device, description, manufacturer, serial_number, vendor_id,\n"
               "product_id, usb_location, usb_interface, adapter.\n"
               "\n"
               "  vrn-cli ports\n"
               "  vrn-cli send --card vrn-b --ports usb:A10K3JX2,usb:0403:6001@1-2 pump.par\n");
    text += QLatin1Char('\n');
    text += tr("Journal: the journal is a file of JSON lines, one entry for every transfer to or\n"
               "from a card, each line holding the SHA-256 of the one before and its own. It is\n"
               "the file named with --journal, else the one $VRN_JOURNAL names, else\n"
               "journal.jsonl in the program's data folder (~/.local/share/VRN-PC on Linux).\n"
               "\"vrn-cli journal check\" checks every line and says how many entries are\n"
               "intact, or names the first line that was changed, removed, moved or is no\n"
               "entry; a last line cut off by a crash is told and does not count. Exit status:\n"
               "0 intact, 1 a line is bad, 2 bad usage or no journal that can be read.\n"
               "\"vrn-cli journal show --serial SERIAL\" lists that card's entries: time, what\n"
               "was done, from where, port and adapter, card model, outcome and the values on\n"
               "the card afterwards; with --json each entry as the journal holds it, one a line.\n"
               "\n"
               "  vrn-cli journal check\n"
               "  vrn-cli journal show --serial 12345 --journal /mnt/rig3/journal.jsonl\n");
    return text;
}

CommandLine::Parsed CommandLine::parse(const QStringList& arguments, PortSource& source)
{
    QCommandLineParser parser;
    Options options;
    options.addTo(parser);
    if (!parser.parse(arguments))
        return usageError(parser.errorText());
    if (parser.isSet(options.help)) {
        Parsed parsed;
        parsed.output = helpText();
        return parsed;
    }
    if (parser.isSet(options.version)) {
        Parsed parsed;
        parsed.output = QStringLiteral("%1 %2\n").arg(QCoreApplication::applicationName(),
                                                      QCoreApplication::applicationVersion());
        return parsed;
    }

    QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        return usageError(tr("Say what to do: send, read or verify."));
    CliRequest request;
    const QString typed = positional.takeFirst();
    const auto command = commandNamed(typed);
    if (!command) {
        return usageError(
            tr("Unknown command \"%1\": the commands are send, read and verify.").arg(typed));
    }
    request.command = *command;

    if (request.command == CliRequest::Command::Ports) {
        for (const QCommandLineOption* option :
             {&options.card, &options.port, &options.ports, &options.out, &options.noVerify,
              &options.journal, &options.serial}) {
            if (parser.isSet(*option))
                return usageError(tr("ports takes no option but --json."));
        }
        if (!positional.isEmpty())
            return usageError(tr("Unexpected argument \"%1\".").arg(positional.first()));
        request.json = parser.isSet(options.json);
        return {request, {}, {}, 0};
    }

    if (parser.isSet(options.journal)) {
        request.journal = parser.value(options.journal);
        if (request.journal.isEmpty())
            return usageError(tr("Name the journal file after --journal."));
    }
    if (request.command == CliRequest::Command::Journal)
        return parseJournal(parser, options, positional, request);
    if (parser.isSet(options.serial))
        return usageError(tr("--serial belongs to journal show."));

    if (!parser.isSet(options.card))
        return usageError(tr("Name the card model with --card vrn-a, vrn-b, vrn-c or vrn-d."));
    const auto model = modelNamed(parser.value(options.card));
    if (!model) {
        return usageError(tr("Unknown card model \"%1\": use vrn-a, vrn-b, vrn-c or vrn-d.")
                              .arg(parser.value(options.card)));
    }
    request.model = *model;

    QStringList parsedPorts = parser.values(options.port);
    for (const QString& list : parser.values(options.ports))
        parsedPorts += list.split(u',', Qt::SkipEmptyParts);
    QStringList given = portsInOrder(arguments, parsedPorts);
    for (QString& port : given)
        port = port.trimmed();
    if (given.isEmpty())
        return usageError(tr("Name at least one port with --port or --ports."));
    // The system's list is read once, and only when an adapter is named.
    QList<PortInfo> listed;
    if (std::any_of(given.cbegin(), given.cend(), PortChoice::namesAdapter))
        listed = source.ports();
    QMap<QString, const CliPort*> seen; // by the device each port reaches
    for (const QString& name : given) {
        if (name.isEmpty())
            return usageError(tr("A port name is empty."));
        request.ports.push_back(PortChoice::choose(name, listed));
    }
    for (const CliPort& port : request.ports) {
        // An adapter that reached no device fails as its own port; only its key named twice
        // is bad usage.
        const QString identity = deviceIdentity(port.device.isEmpty() ? port.given : port.device);
        if (const CliPort* before = seen.value(identity)) {
            const CliPort& key = port.byAdapter ? port : *before;
            if (!key.byAdapter || key.device.isEmpty())
                return usageError(tr("The port %1 is named twice.").arg(port.given));
            return usageError(
                tr("The port %1 is named twice: %2 is that port.").arg(key.device, key.given));
        }
        seen.insert(identity, &port);
    }

    if (parser.isSet(options.noVerify) && request.command != CliRequest::Command::Send)
        return usageError(tr("--no-verify belongs to send."));
    request.verifyAfterSend = !parser.isSet(options.noVerify);
    request.json = parser.isSet(options.json);

    if (request.command == CliRequest::Command::Read) {
        if (!positional.isEmpty()) {
            return usageError(tr("read takes no file argument (\"%1\"): name the file to save "
                                 "with --out.")
                                  .arg(positional.first()));
        }
        if (!parser.isSet(options.out) || parser.value(options.out).isEmpty())
            return usageError(tr("Name the file to save with --out."));
        request.file = parser.value(options.out);
        if (request.ports.size() > 1 && !request.file.contains(kPortPlaceholder)) {
            return usageError(tr("With several ports the file to save must contain {port}, "
                                 "for example --out card-{port}.par."));
        }
        QSet<QString> outputs;
        for (const CliPort& port : request.ports) {
            const QString path = request.outputFile(port.given);
            if (outputs.contains(path))
                return usageError(tr("Two ports would save to the same file %1.").arg(path));
            outputs.insert(path);
        }
        return {request, {}, {}, 0};
    }

    if (parser.isSet(options.out))
        return usageError(tr("--out belongs to read."));
    if (positional.isEmpty())
        return usageError(tr("Name the parameter file to %1.").arg(commandName(*command)));
    if (positional.size() > 1)
        return usageError(tr("Unexpected argument \"%1\".").arg(positional.at(1)));
    request.file = positional.first();
    return {request, {}, {}, 0};
}

} // namespace vrn
