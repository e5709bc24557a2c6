#pragma once

#include "card_values.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <optional>

namespace vrn {

// What one run of vrn-cli is to do: the command, the card model, the ports and the file; or
// to list the system's ports.
struct CliRequest
{
    enum class Command { Send, Read, Verify, Ports };

    Command command = Command::Send;
    CardModel model = CardModel::VrnA;
    QStringList ports; // as given: device names, or "simulated"
    // The parameter file to load (send, verify), or the file to save (read), in which
    // "{port}" stands for the port's name.
    QString file;
    bool verifyAfterSend = true;
    bool json = false;

    // The file a read on `port` saves to.
    QString outputFile(const QString& port) const;
};

// "send", "read", "verify", "ports": the command's name as typed and as the JSON output gives
// it.
QString commandName(CliRequest::Command command);

// The port name that stands for the card simulated inside the program.
inline const QString kSimulatedPort = QStringLiteral("simulated");

// A port's name as a part of a file name: "/dev/pts/3" gives "pts-3", "COM3" gives "COM3".
QString portFileName(const QString& port);

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

    // `arguments` as QCoreApplication::arguments() gives them, the program first.
    static Parsed parse(const QStringList& arguments);
    // The --help text: commands, options and examples.
    static QString helpText();
};

} // namespace vrn
