#pragma once

#include "card_job.h"
#include "card_values.h"
#include "port_choice.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace vrn {

// What one run of vrn-cli is to do: the command, the card model, the ports and the file; or
// to list the system's ports, or to check or show the journal.
struct CliRequest
{
    enum class Command { Send, Read, Verify, Ports, Journal };
    enum class JournalAction { Check, Show };

    Command command = Command::Send;
    CardModel model = CardModel::VrnA;
    // In the order given: device names, "simulated", or adapters' keys with the device chosen
    // for each.
    std::vector<CliPort> ports;
    // The parameter file to load (send, verify), or the file to save (read), in which
    // "{port}" stands for the port's name as given.
    QString file;
    bool verifyAfterSend = true;
    bool json = false;
    // The journal named with --journal; empty for the program's own (Journal::defaultPath()).
    QString journal;
    // journal: what to do with it, and for show the card's serial number.
    JournalAction journalAction = JournalAction::Check;
    QString cardSerial;

    // The file a read on the port given as `port` saves to. An adapter's key stands in it, not
    // the device the system gave the adapter this time: a rig's files keep following its
    // adapters when they come back under other names.
    QString outputFile(const QString& port) const;
};

// "send", "read", "verify", "ports", "journal": the command's name as typed and as the JSON output
// gives it.
QString commandName(CliRequest::Command command);

// Reads vrn-cli's command line: a request, or what to print and the exit status.
class CommandLine
{
    Q_DECLARE_TR_FUNCTIONS(CommandLine)
public:
    struct Parsed
    {
        std::optional<CliRequest> request;
        QString output;   // help or version text, for standard output
        QString error;    // a usage problem, for standard error
        int exitCode = 0; // when there is no request
    };

    // `arguments` as QCoreApplication::arguments() gives them, the program first. An adapter
    // named with --port or --ports is looked for in `source`'s list; nothing is opened.
    static Parsed parse(const QStringList& arguments, PortSource& source);
    // The --help text: commands, options and examples.
    static QString helpText();
};

} // namespace vrn
