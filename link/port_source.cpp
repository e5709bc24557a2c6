#include "port_source.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSerialPortInfo>

#ifdef Q_OS_LINUX
#include <QElapsedTimer>

#include <dirent.h>
#include <sys/stat.h>
#endif

namespace vrn {
namespace {

QString hex4(quint16 id)
{
    return QStringLiteral("%1").arg(id, 4, 16, QLatin1Char('0'));
}

#ifdef Q_OS_UNIX
// QSerialPort takes "ttyUSB0" for "/dev/ttyUSB0".
QString devicePath(const QString& device)
{
    return device.startsWith(QLatin1Char('/')) ? device : QStringLiteral("/dev/") + device;
}

// Where a USB adapter's port is plugged in, from the device's place in the system's device
// tree: ".../usb1/1-2/1-2.3/1-2.3:1.0/ttyUSB0" is hub port 3 on port 2 of bus 1, interface
// 1.0.
void readUsbLocation(const QString& portName, PortInfo& port)
{
    const QString path =
        QFileInfo(QStringLiteral("/sys/class/tty/%1/device").arg(portName)).canonicalFilePath();
    static const QRegularExpression interfaceDir(QStringLiteral("^(\\d+-[\\d.]+):(\\d+\\.\\d+)$"));
    const QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (auto part = parts.crbegin(); part != parts.crend(); ++part) {
        const QRegularExpressionMatch match = interfaceDir.match(*part);
        if (match.hasMatch()) {
            port.usbLocation = match.captured(1);
            port.usbInterface = match.captured(2);
            return;
        }
    }
}
#endif

#ifdef Q_OS_LINUX
// The entries of the system's folder of terminal devices, each with its inode: changes whenever
// a serial device appears or goes. Empty where the folder cannot be read.
QByteArray terminalDevices()
{
    QByteArray entries;
    DIR* folder = ::opendir("/sys/class/tty");
    if (!folder)
        return entries;
    while (const dirent* entry = ::readdir(folder)) {
        entries += entry->d_name;
        entries += ':';
        entries += QByteArray::number(quint64(entry->d_ino));
        entries += '/';
    }
    ::closedir(folder);
    // What the system's device manager knows of a device (its serial number, its ids) it writes
    // a moment after the device appears: a change there counts as well.
    struct stat known = {};
    if (::stat("/run/udev/data", &known) == 0)
        entries += QByteArray::number(qint64(known.st_mtim.tv_sec)) + '.' +
                   QByteArray::number(qint64(known.st_mtim.tv_nsec));
    return entries;
}
#endif

bool sameDevice(const PortInfo& port, const QString& device)
{
#ifdef Q_OS_WIN
    QString name = device;
    if (name.startsWith(QLatin1String("\\\\.\\")))
        name = name.mid(4);
    return port.device.compare(name, Qt::CaseInsensitive) == 0;
#else
    if (port.device == devicePath(device))
        return true;
    // A link to the port ("/dev/serial/by-id/usb-…", a name a test card serves under).
    const QString target = QFileInfo(devicePath(device)).canonicalFilePath();
    return !target.isEmpty() && target == port.device;
#endif
}

// A device the system does not list: nothing is known of it but its name.
PortInfo namedDevice(const QString& device)
{
    PortInfo port;
    port.device = device;
    return port;
}

QStringView withoutLeadingZeros(QStringView digits)
{
    while (digits.size() > 1 && digits.front() == QLatin1Char('0'))
        digits = digits.mid(1);
    return digits;
}

} // namespace

bool comesBefore(const QString& a, const QString& b)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            const qsizetype startA = i;
            const qsizetype startB = j;
            while (i < a.size() && a[i].isDigit())
                ++i;
            while (j < b.size() && b[j].isDigit())
                ++j;
            // Without their leading zeros, the longer number is the larger one.
            const QStringView plainA = withoutLeadingZeros(QStringView(a).mid(startA, i - startA));
            const QStringView plainB = withoutLeadingZeros(QStringView(b).mid(startB, j - startB));
            if (plainA.size() != plainB.size())
                return plainA.size() < plainB.size();
            if (plainA != plainB)
                return plainA < plainB;
            continue;
        }
        if (a[i] != b[j])
            return a[i] < b[j];
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
}

QString AdapterIdentity::key() const
{
    switch (kind) {
    case Kind::None:
        return {};
    case Kind::SerialNumber:
        return QStringLiteral("usb:") + serialNumber;
    case Kind::IdsAndLocation: {
        QString text = QStringLiteral("usb:%1:%2").arg(hex4(vendorId), hex4(productId));
        if (!usbLocation.isEmpty())
            text += QLatin1Char('@') + usbLocation;
        if (!usbInterface.isEmpty())
            text += QLatin1Char(':') + usbInterface;
        return text;
    }
    case Kind::DeviceName:
        return deviceName;
    }
    return {};
}

QString AdapterIdentity::label(const PortInfo& port)
{
    const QString name = port.description.isEmpty() ? port.device : port.description;
    if (port.serialNumber.isEmpty())
        return name;
    return QStringLiteral("%1 (%2)").arg(name, port.serialNumber);
}

QString AdapterIdentity::details() const
{
    QStringList parts;
    if (!serialNumber.isEmpty())
        parts << QCoreApplication::translate("AdapterIdentity", "USB serial number %1")
                     .arg(serialNumber);
    if (kind == Kind::SerialNumber || kind == Kind::IdsAndLocation)
        parts << QCoreApplication::translate("AdapterIdentity", "vendor %1, product %2")
                     .arg(hex4(vendorId), hex4(productId));
    if (!usbLocation.isEmpty())
        parts << QCoreApplication::translate("AdapterIdentity", "plugged in at USB %1")
                     .arg(usbLocation);
    if (kind == Kind::DeviceName)
        parts << QCoreApplication::translate("AdapterIdentity", "known by its device name %1")
                     .arg(deviceName);
    return parts.join(QStringLiteral(", "));
}

std::optional<AdapterIdentity> AdapterIdentity::fromKey(const QString& key)
{
    if (!key.startsWith(QLatin1String("usb:"), Qt::CaseInsensitive) || key.size() == 4)
        return std::nullopt;
    const QString rest = key.mid(4);
    static const QRegularExpression ids(QStringLiteral(
        "^([0-9a-fA-F]{4}):([0-9a-fA-F]{4})(?:@(\\d+-[\\d.]+))?(?::(\\d+\\.\\d+))?$"));
    AdapterIdentity adapter;
    if (const QRegularExpressionMatch match = ids.match(rest); match.hasMatch()) {
        adapter.kind = Kind::IdsAndLocation;
        adapter.vendorId = static_cast<quint16>(match.captured(1).toUInt(nullptr, 16));
        adapter.productId = static_cast<quint16>(match.captured(2).toUInt(nullptr, 16));
        adapter.usbLocation = match.captured(3);
        adapter.usbInterface = match.captured(4);
        return adapter;
    }
    adapter.kind = Kind::SerialNumber;
    adapter.serialNumber = rest;
    return adapter;
}

AdapterIdentity identityOf(const PortInfo& port)
{
    AdapterIdentity adapter;
    if (!port.serialNumber.isEmpty()) {
        // A serial number stays with the adapter wherever it is plugged in; the interface
        // tells the ports of a two-port adapter apart.
        adapter.kind = AdapterIdentity::Kind::SerialNumber;
        adapter.serialNumber = port.serialNumber;
        adapter.vendorId = port.vendorId;
        adapter.productId = port.productId;
        adapter.usbInterface = port.usbInterface;
    } else if (port.hasIds) {
        // Adapters of one kind without serial numbers are told apart by where they are
        // plugged in: the same adapter back in the same socket is the same adapter.
        adapter.kind = AdapterIdentity::Kind::IdsAndLocation;
        adapter.vendorId = port.vendorId;
        adapter.productId = port.productId;
        adapter.usbLocation = port.usbLocation;
        adapter.usbInterface = port.usbInterface;
    } else if (!port.device.isEmpty()) {
        adapter.kind = AdapterIdentity::Kind::DeviceName;
        adapter.deviceName = port.device;
    }
    return adapter;
}

bool isAdapter(const PortInfo& port, const AdapterIdentity& wanted)
{
    using Kind = AdapterIdentity::Kind;
    const AdapterIdentity found = identityOf(port);
    const auto sameIds = [&] {
        // A key typed as "usb:SERIAL" carries no ids.
        return (wanted.vendorId == 0 && wanted.productId == 0) ||
               (found.vendorId == wanted.vendorId && found.productId == wanted.productId);
    };
    const auto same = [](const QString& want, const QString& have) {
        return want.isEmpty() || want == have;
    };
    switch (wanted.kind) {
    case Kind::None:
        return false;
    case Kind::SerialNumber:
        return found.kind == Kind::SerialNumber && found.serialNumber == wanted.serialNumber &&
               sameIds() && same(wanted.usbInterface, found.usbInterface);
    case Kind::IdsAndLocation:
        return port.hasIds && port.vendorId == wanted.vendorId &&
               port.productId == wanted.productId && same(wanted.usbLocation, port.usbLocation) &&
               same(wanted.usbInterface, port.usbInterface);
    case Kind::DeviceName:
        return sameDevice(port, wanted.deviceName);
    }
    return false;
}

std::optional<PortInfo> PortSource::find(const QString& device)
{
    for (const PortInfo& port : ports()) {
        if (sameDevice(port, device))
            return port;
    }
    if (deviceExists(device))
        return namedDevice(device);
    return std::nullopt;
}

QList<PortInfo> PortSource::portsOf(const AdapterIdentity& adapter)
{
    if (adapter.kind == AdapterIdentity::Kind::DeviceName) {
        // The name is all there is to go by: a built-in port, or a pseudo-terminal served
        // again under the same link name.
        if (deviceExists(adapter.deviceName))
            return {namedDevice(adapter.deviceName)};
        return {};
    }
    QList<PortInfo> found;
    for (const PortInfo& port : ports()) {
        if (isAdapter(port, adapter))
            found.append(port);
    }
    return found;
}

QList<PortInfo> SystemPorts::ports()
{
#ifdef Q_OS_LINUX
    // Reading the list walks every terminal device of the system and costs tens of milliseconds
    // of processor time, too much to do twice a second while waiting for an adapter. The
    // system's folder of terminal devices tells in a few microseconds whether any came or went
    // (a device back under its old name is a new entry, with another inode): the list is read
    // again only then. Every user of the system's list (the launcher's menu, each port vrn-cli
    // opens) shares the one reading.
    // Read afresh every ten seconds all the same, should a change go unseen.
    constexpr qint64 kLongestReuseMs = 10000;
    static QByteArray readFor;
    static QList<PortInfo> lastRead;
    static QElapsedTimer readAt;
    const QByteArray devices = terminalDevices();
    if (!devices.isEmpty() && devices == readFor && readAt.isValid() &&
        readAt.elapsed() < kLongestReuseMs)
        return lastRead;
#endif
    QList<PortInfo> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        PortInfo port;
#ifdef Q_OS_WIN
        // "COM3", as Windows names its ports to the user; its system location is "\\.\COM3".
        port.device = info.portName();
#else
        port.device = info.systemLocation();
#endif
        port.description = info.description();
        port.manufacturer = info.manufacturer();
        port.serialNumber = info.serialNumber();
        port.hasIds = info.hasVendorIdentifier() && info.hasProductIdentifier();
        if (port.hasIds) {
            port.vendorId = info.vendorIdentifier();
            port.productId = info.productIdentifier();
#ifdef Q_OS_LINUX
            readUsbLocation(info.portName(), port);
#endif
        }
        ports.append(port);
    }
#ifdef Q_OS_LINUX
    readFor = devices;
    lastRead = ports;
    readAt.start();
#endif
    return ports;
}

bool SystemPorts::deviceExists(const QString& device)
{
#ifdef Q_OS_UNIX
    return QFileInfo::exists(devicePath(device)); // a link counts when what it points to is there
#else
    for (const PortInfo& port : ports()) {
        if (sameDevice(port, device))
            return true;
    }
    return false;
#endif
}

bool SystemPorts::brailleDaemonInstalled()
{
#ifdef Q_OS_LINUX
    for (const char* path :
         {"/usr/bin/brltty", "/usr/sbin/brltty", "/bin/brltty", "/sbin/brltty"}) {
        if (QFileInfo::exists(QString::fromLatin1(path)))
            return true;
    }
#endif
    return false;
}

} // namespace vrn
