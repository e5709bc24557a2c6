#pragma once

#include "port_source.h"
#include "protocol.h"
#include "transport.h"

#include <QSerialPort>

#ifdef Q_OS_WIN
#include "windows_serial_port.h"
#endif

namespace vrn {

#ifdef Q_OS_WIN
using SerialPort = WindowsSerialPort;
#else
using SerialPort = QSerialPort;
#endif

// A real serial port at 19200 baud, 8 data bits, no parity, 1 stop bit.
class SerialTransport : public Transport
{
    Q_OBJECT
public:
    // The source tells what the port is and whether a line lost soon after its device appeared
    // may have been claimed by the braille display daemon; without one, neither is known.
    explicit SerialTransport(QString deviceName, PortSource* ports = nullptr,
                             QObject* parent = nullptr);
    ~SerialTransport() override;

    bool open() override;
    void close() override;
    bool isOpen() const override { return m_port.isOpen(); }
    QString name() const override { return m_deviceName; }
    QString description() const override { return m_info.description; }
    // The port as the system listed it when it was opened; just its name for a device the
    // system does not list.
    const PortInfo& portInfo() const { return m_info; }
    LinkError error() const override { return m_error; }
    void clearOutput() override;
    void write(const QByteArray& bytes) override;
    qint64 bytesToWrite() const override { return m_port.isOpen() ? m_port.bytesToWrite() : 0; }
    qint64 bytesAvailable() const override { return m_port.isOpen() ? m_port.bytesAvailable() : 0; }
    QByteArray readAll() override { return m_port.isOpen() ? m_port.readAll() : QByteArray(); }

    // What the system lets this user do with a port's device.
    static DeviceAccess deviceAccess(const QString& deviceName);

    // The reason for a port's error, in the link's terms; a refused permission is looked into
    // (deviceAccess) to tell a port in use from one the user may not open.
    static LinkError errorFor(const QString& deviceName, QSerialPort::SerialPortError error,
                              const QString& systemText);
    static LinkError errorFor(const QString& deviceName, QSerialPort::SerialPortError error,
                              const QString& systemText, const DeviceAccess& access);

private:
    void onError(QSerialPort::SerialPortError error);

    QString m_deviceName;
    PortSource* m_ports;
    SerialPort m_port;
    LinkError m_error;
    PortInfo m_info;
    qint64 m_appearedAtMs = -1; // when the open device's node was made, where the system says
};

} // namespace vrn
