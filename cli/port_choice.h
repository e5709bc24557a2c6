#pragma once

#include "port_source.h"

#include <QCoreApplication>
#include <QList>
#include <QString>

namespace vrn {

// A port of a run: as the technician named it, and the device that is opened for it.
struct CliPort
{
    QString given;          // as on the command line: "/dev/ttyUSB0", "simulated", "usb:A10K3JX2"
    QString device;         // what is opened; empty when no port could be chosen for the adapter
    bool byAdapter = false; // `given` is an adapter's key, not a device name
    QString problem;        // why no port was chosen for the adapter
};

// Chooses the device for each port named on the command line: a device name stands for itself,
// an adapter's key ("usb:A10K3JX2", "usb:0403:6001@1-2") for the one listed port of that
// adapter.
class PortChoice
{
    Q_DECLARE_TR_FUNCTIONS(PortChoice)
public:
    // `listed` is read from the port source only when a port names an adapter.
    static CliPort choose(const QString& given, const QList<PortInfo>& listed);
    // Whether `given` names an adapter rather than a device.
    static bool namesAdapter(const QString& given);
};

} // namespace vrn
