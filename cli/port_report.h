#pragma once

#include "port_run.h"

#include <QCoreApplication>
#include <QJsonObject>
#include <QString>

namespace vrn {

// Puts a port's result into words: a line for people, or a JSON object for programs.
class PortReport
{
    Q_DECLARE_TR_FUNCTIONS(PortReport)
public:
    // "/dev/pts/3  VRN-B  verified  4 values on the card (0.4 s)"; the port padded to
    // `portWidth` characters so the lines of several ports stand in columns.
    static QString line(const PortResult& result, int portWidth);
    // The port as a line names it: "/dev/pts/3"; an adapter's key with the device chosen for
    // it, "usb:A10K3JX2 (/dev/ttyUSB1)", or alone when no port was found for it.
    static QString portName(const PortResult& result);
    // The line while the run goes on: the port, the card and where it stands.
    static QString progressLine(const PortResult& result, const QString& stage, qint64 elapsedMs,
                                int portWidth);
    // "verified", "failed", ... in the user's language.
    static QString outcomeText(PortOutcome outcome);

    // port, adapter, card, command, file, outcome, error, note, seconds, values, differences.
    static QJsonObject json(const PortResult& result);

    // "3 of 4 ports verified" and the like, after several ports.
    static QString summary(const std::vector<const PortResult*>& results);

    // The exit status of a run stopped by the user (Ctrl+C) once every port told how far it got.
    static constexpr int kInterruptedStatus = 3;
    // The exit status of a run that was stopped at once (a second Ctrl+C), as a shell gives it.
    static constexpr int kStoppedAtOnceStatus = 130;

    // The exit status of the run: 3 when the user interrupted it, else 2 when a file was
    // refused or not saved, else 1 when a port failed or its card differs, else 0.
    static int exitStatus(const std::vector<const PortResult*>& results);
};

} // namespace vrn
