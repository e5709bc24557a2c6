#include "link/serial_transport.h"

namespace vrn {

SerialTransport::SerialTransport(QString deviceName, QObject* parent)
    : Transport(parent), m_deviceName(std::move(deviceName))
{
    connect(&m_port, &QSerialPort::readyRead, this, &Transport::readyRead);
    connect(&m_port, &QSerialPort::bytesWritten, this, [this] { Q_EMIT bytesWritten(); });
    connect(&m_port, &QSerialPort::errorOccurred, this, &SerialTransport::onError);
}

SerialTransport::~SerialTransport()
{
    m_port.disconnect(this);
}

bool SerialTransport::open()
{
    m_error.clear();
    if (m_port.isOpen())
        return true;
    m_port.setPortName(m_deviceName);
    m_port.setReadBufferSize(kReceiveBufferSize);
    if (!m_port.open(QIODevice::ReadWrite)) {
        m_error = describe(m_deviceName, m_port.error(), m_port.errorString());
        return false;
    }
    const bool configured = m_port.setBaudRate(kBaudRate) &&
                            m_port.setDataBits(QSerialPort::Data8) &&
                            m_port.setParity(QSerialPort::NoParity) &&
                            m_port.setStopBits(QSerialPort::OneStop) &&
                            m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!configured) {
        m_error = describe(m_deviceName, m_port.error(), m_port.errorString());
        m_port.close();
        return false;
    }
    m_port.clear();
    return true;
}

void SerialTransport::close()
{
    if (m_port.isOpen())
        m_port.close();
}

void SerialTransport::clearOutput()
{
    if (m_port.isOpen())
        m_port.clear(QSerialPort::Output);
}

void SerialTransport::write(const QByteArray& bytes)
{
    if (m_port.isOpen())
        m_port.write(bytes);
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
        m_error = describe(m_deviceName, error, m_port.errorString());
        m_port.clearError();
        m_port.close();
        Q_EMIT lost(m_error);
    }
}

QString SerialTransport::describe(const QString& deviceName, QSerialPort::SerialPortError error,
                                  const QString& systemText)
{
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return QStringLiteral("The serial port %1 does not exist. Check that the card's cable or "
                              "USB adapter is plugged in, and choose the port it is on.")
            .arg(deviceName);
    case QSerialPort::PermissionError:
        return QStringLiteral("The serial port %1 cannot be opened: permission denied, or another "
                              "program is using it. Close any other program that uses the port; "
                              "on Linux your user must be in the \"dialout\" group "
                              "(sudo usermod -aG dialout $USER, then log in again).")
            .arg(deviceName);
    case QSerialPort::OpenError:
        return QStringLiteral("The serial port %1 is already open.").arg(deviceName);
    case QSerialPort::ResourceError:
        // The system's own text here is often a left-over of an earlier call: leave it out.
        return QStringLiteral("The serial port %1 stopped working: the device was unplugged or "
                              "its line was closed. Check that the cable or USB adapter is still "
                              "plugged in, then choose the port again.")
            .arg(deviceName);
    case QSerialPort::UnsupportedOperationError:
        return QStringLiteral("The device %1 is not a serial port that can run at 19200 baud, "
                              "8 data bits, no parity, 1 stop bit (%2).")
            .arg(deviceName, systemText);
    default:
        return QStringLiteral("The serial port %1 failed: %2. Check the cable and the card, then "
                              "choose the port again.")
            .arg(deviceName, systemText);
    }
}

} // namespace vrn
