#pragma once

#include "port_source.h"

#include <QFileInfo>

namespace vrn {

// A port list a test writes and changes: adapters appear and vanish when the test says. Devices
// it does not list exist when their node does (a pseudo-terminal a test card serves).
class ListedPorts : public PortSource
{
public:
    QList<PortInfo> listed;
    bool brailleDaemon = false;

    QList<PortInfo> ports() override { return listed; }
    bool deviceExists(const QString& device) override { return QFileInfo::exists(device); }
    bool brailleDaemonInstalled() override { return brailleDaemon; }

    // A USB adapter on the device: with its serial number, or (empty serial) known by its ids
    // and where it is plugged in.
    static PortInfo usbAdapter(const QString& device, const QString& serial,
                               const QString& location = {})
    {
        PortInfo port;
        port.device = device;
        port.description = QStringLiteral("FT232R USB UART");
        port.serialNumber = serial;
        port.hasIds = true;
        port.vendorId = 0x0403;
        port.productId = 0x6001;
        port.usbLocation = location;
        port.usbInterface = QStringLiteral("1.0");
        return port;
    }
};

} // namespace vrn
