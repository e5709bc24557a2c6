#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace vrn {

// One serial port as the system lists it.
struct PortInfo
{
    QString device;       // what is opened: "/dev/ttyUSB0", "COM3"
    QString description;  // "FT232R USB UART"; may be empty
    QString manufacturer; // "FTDI"; may be empty
    QString serialNumber; // the USB adapter's own serial number; empty when it has none
    bool hasIds = false;  // a USB adapter: vendorId and productId are known
    quint16 vendorId = 0;
    quint16 productId = 0;
    // Where the adapter is plugged in: the USB bus and hub ports ("1-2.3"), and the interface
    // that carries this port ("1.0"); empty where the system does not say (Windows, built-in
    // ports).
    QString usbLocation;
    QString usbInterface;
};

// What tells an adapter apart from every other, whichever name the system gives its port this
// time: its USB serial number; without one, its vendor and product id where it is plugged in;
// for built-in ports and pseudo-terminals, the device's name.
struct AdapterIdentity
{
    enum class Kind { None, SerialNumber, IdsAndLocation, DeviceName };

    Kind kind = Kind::None;
    QString serialNumber;
    quint16 vendorId = 0;
    quint16 productId = 0;
    QString usbLocation;
    QString usbInterface;
    QString deviceName;

    bool isKnown() const { return kind != Kind::None; }
    bool operator==(const AdapterIdentity&) const = default;

    // The adapter as vrn-cli's --port takes it: "usb:A10K3JX2", "usb:0403:6001@1-2",
    // "/dev/pts/3".
    QString key() const;
    // The adapter as the user knows it: its description with its serial number where it has
    // one ("FT232R USB UART (A10K3JX2)"), else the device name.
    static QString label(const PortInfo& port);
    // Every part of the identity, for a tooltip: "USB serial number A10K3JX2, vendor 0403,
    // product 6001".
    QString details() const;

    // A --port value naming an adapter ("usb:…"); nothing for a plain device name.
    static std::optional<AdapterIdentity> fromKey(const QString& key);
};

// Orders device names as people count: "ttyS2" before "ttyS10", "COM3" before "COM12".
bool comesBefore(const QString& a, const QString& b);

AdapterIdentity identityOf(const PortInfo& port);
// True when the port is the adapter `wanted` names. A key given by hand names only what it
// says: "usb:0403:6001" matches that adapter wherever it is plugged in.
bool isAdapter(const PortInfo& port, const AdapterIdentity& wanted);

// Where the program learns which serial ports there are. The program reads the system's list;
// tests hand in their own and change it.
class PortSource
{
public:
    virtual ~PortSource() = default;

    // The ports the system lists now.
    virtual QList<PortInfo> ports() = 0;
    // Whether a device of that name is there now, listed or not (pseudo-terminals and links to
    // them are not listed).
    virtual bool deviceExists(const QString& device) = 0;
    // Whether the braille display daemon is installed: it claims some USB serial adapters for
    // itself and makes their port vanish a second after it appeared.
    virtual bool brailleDaemonInstalled() = 0;

    // The port a device name stands for: a listed one (by its name or the node a link points
    // to), an unlisted device that exists (just its name), or nothing.
    std::optional<PortInfo> find(const QString& device);
    // The listed ports of that adapter; for a device name, the device while it exists.
    QList<PortInfo> portsOf(const AdapterIdentity& adapter);
};

// The system's own list, from Qt's port information (and, on Linux, where each USB adapter is
// plugged in).
class SystemPorts : public PortSource
{
public:
    QList<PortInfo> ports() override;
    bool deviceExists(const QString& device) override;
    bool brailleDaemonInstalled() override;
};

} // namespace vrn
