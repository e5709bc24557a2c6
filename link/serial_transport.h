#pragma once

#include "link/transport.h"

#include <QSerialPort>

namespace vrn {

// Line settings of the link to every card.
constexpr qint32 kBaudRate = 19200;
constexpr qint64 kReceiveBufferSize = 1024; // characters
constexpr qint64 kTransmitBufferSize = 512; // characters

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
    QString errorString() const override { return m_error; }
    void clearOutput() override;
    void write(const QByteArray& bytes) override;
    qint64 bytesToWrite() const override { return m_port.isOpen() ? m_port.bytesToWrite() : 0; }
    qint64 bytesAvailable() const override { return m_port.isOpen() ? m_port.bytesAvailable() : 0; }
    QByteArray readAll() override { return m_port.isOpen() ? m_port.readAll() : QByteArray(); }

    // What the system lets this user do with a port's device, to tell a port in use by another
    // program from one the user has no right to open.
    struct DeviceAccess
    {
        bool userMayOpen = true; // the device may be read and written by this process
        QString group;           // the group that owns the device ("dialout"); empty if unknown
        bool groupJoinedLater = false; // the user was added to that group after this login
    };
    static DeviceAccess deviceAccess(const QString& deviceName);

    // A sentence for the user naming the port, what went wrong and what to check.
    static QString describe(const QString& deviceName, QSerialPort::SerialPortError error,
                            const QString& systemText);
    static QString describe(const QString& deviceName, QSerialPort::SerialPortError error,
                            const QString& systemText, const DeviceAccess& access);

private:
    void onError(QSerialPort::SerialPortError error);

    QString m_deviceName;
    QSerialPort m_port;
    QString m_error;
};

} // namespace vrn
