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

    // A sentence for the user naming the port, what went wrong and what to check.
    static QString describe(const QString& deviceName, QSerialPort::SerialPortError error,
                            const QString& systemText);

private:
    void onError(QSerialPort::SerialPortError error);

    QString m_deviceName;
    QSerialPort m_port;
    QString m_error;
};

} // namespace vrn
