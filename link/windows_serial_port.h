#pragma once

#include <QByteArray>
#include <QObject>
#include <QSerialPort>
#include <QString>

#include <memory>
#include <vector>

class QWinEventNotifier;

namespace vrn {

// A COM port driven with overlapped reads and writes that each signal an event of their own.
//
// QSerialPort's Windows backend learns of arriving characters from WaitCommEvent's completion
// packet on an I/O completion port, and only then starts a read. Where that packet never comes
// (wine posts none for WaitCommEvent), nothing is read until the program reads by itself: a read
// reply that is the first thing after opening the port is then missed. This port keeps one
// one-character read waiting at all times, with the port's timeouts off so that the read ends
// when a character is there; it then takes everything else the driver holds at once. The
// interface is the part of QSerialPort's that the serial transport uses.
class WindowsSerialPort : public QObject
{
    Q_OBJECT
public:
    explicit WindowsSerialPort(QObject* parent = nullptr);
    ~WindowsSerialPort() override;

    void setPortName(const QString& name) { m_name = name; }
    // Characters kept for readAll() at most; the rest waits in the driver. 0: no limit.
    void setReadBufferSize(qint64 size) { m_readLimit = size; }

    bool open(QIODevice::OpenMode mode);
    void close();
    bool isOpen() const;

    bool setBaudRate(qint32 baudRate);
    bool setDataBits(QSerialPort::DataBits dataBits);
    bool setParity(QSerialPort::Parity parity);
    bool setStopBits(QSerialPort::StopBits stopBits);
    bool setFlowControl(QSerialPort::FlowControl flowControl);

    // Hands the characters to the driver at once, as on Unix: a write of its own, behind those
    // still with the driver, reported by bytesWritten() when done.
    qint64 write(const char* data, qint64 size);
    // True: write() has handed everything to the driver already.
    bool flush() { return true; }
    // Drops what was received and not read. What the driver has for sending is a frame on its
    // way to the card: it goes out whole, so clearing the output drops nothing.
    bool clear(QSerialPort::Directions directions = QSerialPort::AllDirections);
    // Characters not handed to the driver: none, once write() has returned.
    qint64 bytesToWrite() const { return 0; }
    qint64 bytesAvailable() const { return m_received.size(); }
    QByteArray readAll();

    QSerialPort::SerialPortError error() const { return m_error; }
    QString errorString() const { return m_errorString; }
    void clearError();

Q_SIGNALS:
    void readyRead();
    void bytesWritten(qint64 bytes);
    void errorOccurred(QSerialPort::SerialPortError error);

private:
    struct Io;
    struct Write;

    // Sets the line as the members say; false with the error set when the driver refuses.
    bool applyLine();
    void startRead();
    void onReadDone();
    void drainDriver();
    void onWriteDone(Write* write);
    void fail(QSerialPort::SerialPortError error, unsigned long systemError);
    void setError(QSerialPort::SerialPortError error, unsigned long systemError);

    QString m_name;
    qint64 m_readLimit = 0;
    qint32 m_baudRate = 9600;
    QSerialPort::DataBits m_dataBits = QSerialPort::Data8;
    QSerialPort::Parity m_parity = QSerialPort::NoParity;
    QSerialPort::StopBits m_stopBits = QSerialPort::OneStop;
    QSerialPort::FlowControl m_flowControl = QSerialPort::NoFlowControl;
    std::unique_ptr<Io> m_io;
    QWinEventNotifier* m_readDone = nullptr;
    QByteArray m_received;
    std::vector<std::unique_ptr<Write>> m_writes; // with the driver, oldest first
    QSerialPort::SerialPortError m_error = QSerialPort::NoError;
    QString m_errorString;
};

} // namespace vrn
