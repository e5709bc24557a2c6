#pragma once

#include "port_source.h"

#include <QCoreApplication>
#include <QList>
#include <QString>

namespace vrn {

// What `vrn-cli ports` prints: the system's serial ports in the order people count them
// (ttyS2 before ttyS10), each with the key that --port takes for its adapter.
class PortList
{
    Q_DECLARE_TR_FUNCTIONS(PortList)
public:
    // In the order people count: by device name, numbers as numbers.
    static void sort(QList<PortInfo>& ports);
    // One line per port: device, description, manufacturer and key, in columns; a sentence
    // when there is no port.
    static QString text(QList<PortInfo> ports);
    // One JSON object per port and line: device, description, manufacturer, serial_number,
    // vendor_id, product_id ("0403", or null), usb_location, usb_interface and adapter (the
    // key); nothing when there is no port.
    static QString json(QList<PortInfo> ports);
};

} // namespace vrn
