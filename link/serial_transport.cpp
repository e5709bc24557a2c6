#include "serial_transport.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <limits>

#ifdef Q_OS_UNIX
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>
#endif

namespace vrn {
namespace {

#ifdef Q_OS_WIN
constexpr bool kRefusedPortIsHeldElsewhere = true;
#else
constexpr bool kRefusedPortIsHeldElsewhere = false;
#endif

#ifdef Q_OS_UNIX
// The device node a port name stands for: QSerialPort takes "ttyUSB0" for "/dev/ttyUSB0".
QString devicePath(const QString& deviceName)
{
    return deviceName.startsWith(QLatin1Char('/')) ? deviceName
                                                   : QStringLiteral("/dev/") + deviceName;
}

// True when the user's account lists the group (as primary group or in the group file),
// whether or not the running session has it yet.
bool accountHasGroup(gid_t gid)
{
    const passwd* user = getpwuid(getuid());
    if (!user)
        return false;
    if (user->pw_gid == gid)
        return true;
    const group* entry = getgrgid(gid);
    if (!entry)
        return false;
    for (char** member = entry->gr_mem; member && *member; ++member) {
        if (qstrcmp(*member, user->pw_name) == 0)
            return true;
    }
    return false;
}

bool sessionHasGroup(gid_t gid)
{
    if (getegid() == gid)
        return true;
    const int count = getgroups(0, nullptr);
    if (count <= 0)
        return false;
    std::vector<gid_t> groups(static_cast<std::size_t>(count));
    const int filled = getgroups(count, groups.data());
    for (int i = 0; i < filled; ++i) {
        if (groups[static_cast<std::size_t>(i)] == gid)
            return true;
    }
    return false;
}

// When the device node was made (the system makes it when the adapter appears), in ms since the
// epoch; -1 where that is not known.
qint64 nodeMadeAtMs(const QString& deviceName)
{
    const QByteArray path =
        QFile::encodeName(QFileInfo(devicePath(deviceName)).canonicalFilePath());
    struct stat info = {};
    if (path.isEmpty() || ::stat(path.constData(), &info) != 0)
        return -1;
    return qint64(info.st_ctim.tv_sec) * 1000 + info.st_ctim.tv_nsec / 1000000;
}
#endif

} // namespace

SerialTransport::SerialTransport(QString deviceName, PortSource* ports, QObject* parent)
    : Transport(parent), m_deviceName(std::move(deviceName)), m_ports(ports)
{
    connect(&m_port, &SerialPort::readyRead, this, &Transport::readyRead);
    connect(&m_port, &SerialPort::bytesWritten, this, [this] { Q_EMIT bytesWritten(); });
    connect(&m_port, &SerialPort::errorOccurred, this, &SerialTransport::onError);
}

SerialTransport::~SerialTransport()
{
    m_port.disconnect(this);
}

bool SerialTransport::open()
{
    m_error = {};
    if (m_port.isOpen())
        return true;
    m_port.setPortName(m_deviceName);
    m_port.setReadBufferSize(protocol::kReceiveBufferSize);
    if (!m_port.open(QIODevice::ReadWrite)) {
        m_error = errorFor(m_deviceName, m_port.error(), m_port.errorString());
        return false;
    }
    static_assert(protocol::kDataBits == 8 && protocol::kStopBits == 1);
    const bool configured =
        m_port.setBaudRate(protocol::kBaudRate) && m_port.setDataBits(QSerialPort::Data8) &&
        m_port.setParity(QSerialPort::NoParity) && m_port.setStopBits(QSerialPort::OneStop) &&
        m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!configured) {
        m_error = errorFor(m_deviceName, m_port.error(), m_port.errorString());
        m_port.close();
        return false;
    }
    m_port.clear();
    m_info = {};
    m_info.device = m_deviceName;
    if (m_ports) {
        if (const std::optional<PortInfo> listed = m_ports->find(m_deviceName))
            m_info = *listed;
    }
#ifdef Q_OS_UNIX
    m_appearedAtMs = nodeMadeAtMs(m_deviceName);
#endif
    return true;
}

void SerialTransport::close()
{
    if (m_port.isOpen())
        m_port.close();
}

void SerialTransport::clearOutput()
{
    // Only characters the port still holds are dropped. Characters already handed to the driver
    // are a frame on its way to the card (seven characters take 3.6 ms at 19200 baud, and the
    // transfer moves on as soon as the driver has them): flushing the driver's queue would cut
    // that frame short whenever the card's answer comes early, for example in two bursts.
    if (m_port.isOpen() && m_port.bytesToWrite() > 0)
        m_port.clear(QSerialPort::Output);
}

void SerialTransport::write(const QByteArray& bytes)
{
    if (!m_port.isOpen())
        return;
    // The frame goes to the driver now rather than on a later turn of the event loop, which may
    // first repaint windows: the card's answer time starts only when the frame has left. Neither
    // way waits for the line; the driver sends at its own pace.
    qsizetype handed = 0;
#ifdef Q_OS_UNIX
    // Straight to the driver when the port holds nothing older: a frame fits its queue at once,
    // and the port's own write path would add three turns of the event loop to every frame.
    if (m_port.bytesToWrite() == 0) {
        const ssize_t n = ::write(static_cast<int>(m_port.handle()), bytes.constData(),
                                  static_cast<size_t>(bytes.size()));
        if (n > 0)
            handed = n;
    }
#endif
    if (handed == bytes.size())
        return;
    // The rest (or all, when the driver refused) through the port, which also reports a failed
    // line as an error.
    m_port.write(bytes.constData() + handed, bytes.size() - handed);
    m_port.flush();
}

void SerialTransport::onError(QSerialPort::SerialPortError error)
{
    if (error == QSerialPort::NoError || !m_port.isOpen())
        return;
    // Errors that mean the line is gone close the port; the others are reported by the
    // transfer that meets them (a time-out names the frame that got no answer).
    if (error == QSerialPort::ResourceError || error == QSerialPort::PermissionError ||
        error == QSerialPort::DeviceNotFoundError || error == QSerialPort::WriteError ||
        error == QSerialPort::ReadError) {
        // Whatever the system calls it (a read error, "No such file or directory" for an
        // adapter pulled out), the line that worked is lost.
        m_error = errorFor(m_deviceName, error, m_port.errorString());
        m_error.reason = LinkError::Reason::LineLost;
        if (m_appearedAtMs >= 0) {
            const qint64 after = QDateTime::currentMSecsSinceEpoch() - m_appearedAtMs;
            m_error.vanishedAfterMs =
                int(std::clamp<qint64>(after, 0, std::numeric_limits<int>::max()));
            if (m_error.vanishedAfterMs < LinkError::kVanishedSoonMs && m_ports)
                m_error.brailleDaemonInstalled = m_ports->brailleDaemonInstalled();
        }
        m_port.clearError();
        m_port.close();
        Q_EMIT lost(m_error);
    }
}

DeviceAccess SerialTransport::deviceAccess(const QString& deviceName)
{
    DeviceAccess access;
#ifdef Q_OS_UNIX
    const QByteArray path = QFile::encodeName(devicePath(deviceName));
    struct stat info = {};
    if (::stat(path.constData(), &info) != 0)
        return access;
    access.userMayOpen = ::access(path.constData(), R_OK | W_OK) == 0;
    if (const group* owner = getgrgid(info.st_gid))
        access.group = QString::fromLocal8Bit(owner->gr_name);
    access.groupJoinedLater = accountHasGroup(info.st_gid) && !sessionHasGroup(info.st_gid);
#else
    Q_UNUSED(deviceName);
#endif
    return access;
}

LinkError SerialTransport::errorFor(const QString& deviceName, QSerialPort::SerialPortError error,
                                    const QString& systemText)
{
    const DeviceAccess access =
        error == QSerialPort::PermissionError ? deviceAccess(deviceName) : DeviceAccess{};
    return errorFor(deviceName, error, systemText, access);
}

LinkError SerialTransport::errorFor(const QString& deviceName, QSerialPort::SerialPortError error,
                                    const QString& systemText, const DeviceAccess& access)
{
    LinkError e{LinkError::Reason::Other, deviceName};
    switch (error) {
    case QSerialPort::NoError:
        return {};
    case QSerialPort::DeviceNotFoundError:
        e.reason = LinkError::Reason::DeviceNotFound;
        break;
    case QSerialPort::PermissionError:
        e.access = access;
        // The system would let this user in: the port is locked by another program. Windows
        // gives a port to one program at a time and has no groups of port users: there a
        // refused port is always one that another program holds.
        e.reason = e.access.userMayOpen || kRefusedPortIsHeldElsewhere
                       ? LinkError::Reason::InUse
                       : LinkError::Reason::NoPermission;
        break;
    case QSerialPort::OpenError:
        e.reason = LinkError::Reason::AlreadyOpen;
        break;
    case QSerialPort::ResourceError:
        // The system's own text here is often a left-over of an earlier call: it is not kept.
        e.reason = LinkError::Reason::LineLost;
        break;
    case QSerialPort::UnsupportedOperationError:
        e.reason = LinkError::Reason::NotASerialPort;
        e.systemText = systemText;
        break;
    default:
        e.systemText = systemText;
        break;
    }
    return e;
}

} // namespace vrn
