#pragma once

#include "protocol.h"
#include "transport.h"

#include <QSerialPort>

namespace vrn {

// A real serial port at 19200 baud, 8 data bits, no parity, 1 stop bit.
class SerialTransport : public Transport
{
    Q_OBJECT
public:
    explicit SerialTransport(QString deviceName, QObject* parent = nullptr);
    ~SerialTransport() override;

    bool open() override;
    void close() override;
    bool isOpen() const override { return m_port.isOpen(); }
    QString name() const override { return m_deviceName; }
    QString description() const override { return m_description; }
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
    QSerialPort m_port;
    LinkError m_error;
    QString m_description;
};

} // namespace vrn
