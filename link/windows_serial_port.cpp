#include "windows_serial_port.h"

#include <QWinEventNotifier>

#include <qt_windows.h>

#include <algorithm>

namespace vrn {

struct WindowsSerialPort::Io
{
    HANDLE port = INVALID_HANDLE_VALUE;
    OVERLAPPED read = {};
    char readChar = 0;
    bool reading = false; // a read is with the driver
    DCB restoredLine = {};
    COMMTIMEOUTS restoredTimeouts = {};
};

// One write with the driver: its characters stay here until the driver is done with them.
struct WindowsSerialPort::Write
{
    OVERLAPPED overlapped = {};
    QByteArray bytes;
    std::unique_ptr<QWinEventNotifier> done;

    ~Write()
    {
        done.reset();
        if (overlapped.hEvent)
            ::CloseHandle(overlapped.hEvent);
    }
};

namespace {

// The port error a system error stands for, as Qt's own Windows backend tells them apart.
QSerialPort::SerialPortError portErrorOf(DWORD systemError)
{
    switch (systemError) {
    case ERROR_SUCCESS:
    case ERROR_IO_PENDING:
    case ERROR_MORE_DATA:
        return QSerialPort::NoError;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
        return QSerialPort::DeviceNotFoundError;
    case ERROR_ACCESS_DENIED:
        return QSerialPort::PermissionError;
    case ERROR_INVALID_PARAMETER:
        return QSerialPort::UnsupportedOperationError;
    case ERROR_INVALID_HANDLE:
    case ERROR_BAD_COMMAND:
    case ERROR_DEVICE_REMOVED:
    case ERROR_OPERATION_ABORTED:
        return QSerialPort::ResourceError;
    default:
        return QSerialPort::UnknownError;
    }
}

// "\\.\COM12": the name every COM port is opened by, COM10 and above included.
QString systemPathOf(const QString& name)
{
    const QString prefix = QStringLiteral("\\\\.\\");
    return name.startsWith(prefix) ? name : prefix + name;
}

BYTE parityOf(QSerialPort::Parity parity)
{
    switch (parity) {
    case QSerialPort::OddParity:
        return ODDPARITY;
    case QSerialPort::EvenParity:
        return EVENPARITY;
    case QSerialPort::MarkParity:
        return MARKPARITY;
    case QSerialPort::SpaceParity:
        return SPACEPARITY;
    default:
        return NOPARITY;
    }
}

BYTE stopBitsOf(QSerialPort::StopBits stopBits)
{
    switch (stopBits) {
    case QSerialPort::OneAndHalfStop:
        return ONE5STOPBITS;
    case QSerialPort::TwoStop:
        return TWOSTOPBITS;
    default:
        return ONESTOPBIT;
    }
}

} // namespace

WindowsSerialPort::WindowsSerialPort(QObject* parent)
    : QObject(parent), m_io(std::make_unique<Io>())
{
}

WindowsSerialPort::~WindowsSerialPort()
{
    close();
}

bool WindowsSerialPort::isOpen() const
{
    return m_io->port != INVALID_HANDLE_VALUE;
}

bool WindowsSerialPort::open(QIODevice::OpenMode mode)
{
    Q_ASSERT(mode == QIODevice::ReadWrite);
    Q_UNUSED(mode);
    if (isOpen()) {
        setError(QSerialPort::OpenError, ERROR_SUCCESS);
        return false;
    }
    clearError();
    const QString path = systemPathOf(m_name);
    const HANDLE port =
        ::CreateFileW(reinterpret_cast<const wchar_t*>(path.utf16()), GENERIC_READ | GENERIC_WRITE,
                      0, nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    if (port == INVALID_HANDLE_VALUE) {
        const DWORD systemError = ::GetLastError();
        setError(portErrorOf(systemError), systemError);
        return false;
    }
    Io& io = *m_io;
    io.port = port;
    io.restoredLine.DCBlength = sizeof(DCB);
    // Every timeout off: a read ends when its characters have come, however long that takes,
    // and a write when the driver has sent it. The transfers keep their own time limits.
    COMMTIMEOUTS timeouts = {};
    if (!::GetCommState(port, &io.restoredLine) || !::GetCommTimeouts(port, &io.restoredTimeouts) ||
        !::SetCommTimeouts(port, &timeouts) || !applyLine()) {
        const DWORD systemError = ::GetLastError();
        ::CloseHandle(port);
        io.port = INVALID_HANDLE_VALUE;
        if (m_error == QSerialPort::NoError)
            setError(portErrorOf(systemError), systemError);
        return false;
    }
    io.read = {};
    io.read.hEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    m_readDone = new QWinEventNotifier(io.read.hEvent, this);
    connect(m_readDone, &QWinEventNotifier::activated, this, &WindowsSerialPort::onReadDone);
    startRead();
    return isOpen();
}

void WindowsSerialPort::close()
{
    Io& io = *m_io;
    if (io.port == INVALID_HANDLE_VALUE)
        return;
    delete m_readDone;
    m_readDone = nullptr;
    // The driver writes into the read character and reads the writes' characters until the
    // cancelled operations have ended: wait for them before they go away.
    ::CancelIo(io.port);
    DWORD ignored = 0;
    if (io.reading)
        ::GetOverlappedResult(io.port, &io.read, &ignored, TRUE);
    for (const auto& write : m_writes)
        ::GetOverlappedResult(io.port, &write->overlapped, &ignored, TRUE);
    m_writes.clear();
    io.reading = false;
    ::SetCommState(io.port, &io.restoredLine);
    ::SetCommTimeouts(io.port, &io.restoredTimeouts);
    ::CloseHandle(io.port);
    ::CloseHandle(io.read.hEvent);
    io.port = INVALID_HANDLE_VALUE;
    io.read.hEvent = nullptr;
    m_received.clear();
}

bool WindowsSerialPort::applyLine()
{
    if (!isOpen())
        return true;
    DCB line = {};
    line.DCBlength = sizeof(line);
    if (!::GetCommState(m_io->port, &line)) {
        setError(QSerialPort::UnsupportedOperationError, ::GetLastError());
        return false;
    }
    // As Qt's own backend sets a line: binary, no error replacement, no handshake unless asked
    // for; RTS off without hardware flow control and DTR as the driver has it.
    line.fBinary = TRUE;
    line.fAbortOnError = FALSE;
    line.fNull = FALSE;
    line.fErrorChar = FALSE;
    if (line.fDtrControl == DTR_CONTROL_HANDSHAKE)
        line.fDtrControl = DTR_CONTROL_DISABLE;
    line.BaudRate = DWORD(m_baudRate);
    line.ByteSize = BYTE(m_dataBits);
    line.Parity = parityOf(m_parity);
    line.fParity = m_parity != QSerialPort::NoParity;
    line.StopBits = stopBitsOf(m_stopBits);
    line.fInX = line.fOutX = FALSE;
    line.fOutxCtsFlow = FALSE;
    line.fRtsControl = RTS_CONTROL_DISABLE;
    if (m_flowControl == QSerialPort::SoftwareControl) {
        line.fInX = line.fOutX = TRUE;
    } else if (m_flowControl == QSerialPort::HardwareControl) {
        line.fOutxCtsFlow = TRUE;
        line.fRtsControl = RTS_CONTROL_HANDSHAKE;
    }
    if (!::SetCommState(m_io->port, &line)) {
        setError(QSerialPort::UnsupportedOperationError, ::GetLastError());
        return false;
    }
    return true;
}

bool WindowsSerialPort::setBaudRate(qint32 baudRate)
{
    m_baudRate = baudRate;
    return applyLine();
}

bool WindowsSerialPort::setDataBits(QSerialPort::DataBits dataBits)
{
    m_dataBits = dataBits;
    return applyLine();
}

bool WindowsSerialPort::setParity(QSerialPort::Parity parity)
{
    m_parity = parity;
    return applyLine();
}

bool WindowsSerialPort::setStopBits(QSerialPort::StopBits stopBits)
{
    m_stopBits = stopBits;
    return applyLine();
}

bool WindowsSerialPort::setFlowControl(QSerialPort::FlowControl flowControl)
{
    m_flowControl = flowControl;
    return applyLine();
}

void WindowsSerialPort::startRead()
{
    Io& io = *m_io;
    if (!isOpen() || io.reading)
        return;
    if (m_readLimit > 0 && m_received.size() >= m_readLimit)
        return; // readAll() starts it again
    ::ResetEvent(io.read.hEvent);
    if (!::ReadFile(io.port, &io.readChar, 1, nullptr, &io.read)) {
        const DWORD systemError = ::GetLastError();
        if (systemError != ERROR_IO_PENDING) {
            fail(QSerialPort::ReadError, systemError);
            return;
        }
    }
    // Done at once or later, the read's event tells onReadDone.
    io.reading = true;
}

void WindowsSerialPort::onReadDone()
{
    Io& io = *m_io;
    if (!io.reading)
        return;
    DWORD got = 0;
    const bool ok = ::GetOverlappedResult(io.port, &io.read, &got, FALSE);
    const DWORD systemError = ok ? ERROR_SUCCESS : ::GetLastError();
    if (!ok && systemError == ERROR_IO_INCOMPLETE)
        return;
    io.reading = false;
    if (!ok || got == 0) {
        // A one-character read without time-outs ends empty only when the line has gone.
        fail(QSerialPort::ResourceError, ok ? ERROR_DEVICE_REMOVED : systemError);
        return;
    }
    m_received.append(io.readChar);
    drainDriver();
    if (!isOpen())
        return;
    startRead();
    Q_EMIT readyRead();
}

void WindowsSerialPort::drainDriver()
{
    // The rest of a burst is with the driver already: take it in one read that ends at once.
    Io& io = *m_io;
    DWORD errors = 0;
    COMSTAT status = {};
    if (!::ClearCommError(io.port, &errors, &status) || status.cbInQue == 0)
        return;
    qint64 wanted = status.cbInQue;
    if (m_readLimit > 0)
        wanted = std::min<qint64>(wanted, m_readLimit - m_received.size());
    if (wanted <= 0)
        return;
    const qsizetype start = m_received.size();
    m_received.resize(start + wanted);
    OVERLAPPED drain = {};
    drain.hEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    DWORD got = 0;
    bool ok = ::ReadFile(io.port, m_received.data() + start, DWORD(wanted), nullptr, &drain);
    if (ok || ::GetLastError() == ERROR_IO_PENDING)
        ok = ::GetOverlappedResult(io.port, &drain, &got, TRUE);
    const DWORD systemError = ok ? ERROR_SUCCESS : ::GetLastError();
    ::CloseHandle(drain.hEvent);
    m_received.resize(start + qsizetype(got));
    if (!ok)
        fail(QSerialPort::ResourceError, systemError);
}

QByteArray WindowsSerialPort::readAll()
{
    QByteArray bytes;
    bytes.swap(m_received);
    startRead(); // stopped at the read buffer's limit
    return bytes;
}

qint64 WindowsSerialPort::write(const char* data, qint64 size)
{
    if (!isOpen())
        return -1;
    if (size <= 0)
        return 0;
    auto write = std::make_unique<Write>();
    write->bytes = QByteArray(data, size);
    write->overlapped.hEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!::WriteFile(m_io->port, write->bytes.constData(), DWORD(size), nullptr,
                     &write->overlapped)) {
        const DWORD systemError = ::GetLastError();
        if (systemError != ERROR_IO_PENDING) {
            fail(QSerialPort::WriteError, systemError);
            return -1;
        }
    }
    // Done at once or later, the write's event tells onWriteDone.
    Write* pending = write.get();
    write->done = std::make_unique<QWinEventNotifier>(write->overlapped.hEvent);
    connect(write->done.get(), &QWinEventNotifier::activated, this,
            [this, pending] { onWriteDone(pending); });
    m_writes.push_back(std::move(write));
    return size;
}

void WindowsSerialPort::onWriteDone(Write* write)
{
    DWORD sent = 0;
    const bool ok = ::GetOverlappedResult(m_io->port, &write->overlapped, &sent, FALSE);
    const DWORD systemError = ok ? ERROR_SUCCESS : ::GetLastError();
    if (!ok && systemError == ERROR_IO_INCOMPLETE)
        return;
    const auto done = std::find_if(m_writes.begin(), m_writes.end(),
                                   [write](const auto& w) { return w.get() == write; });
    if (done != m_writes.end()) {
        // The notifier is telling this right now: it goes when the event loop is back.
        QWinEventNotifier* notifier = (*done)->done.release();
        notifier->setEnabled(false);
        notifier->deleteLater();
        m_writes.erase(done);
    }
    if (!ok) {
        fail(QSerialPort::WriteError, systemError);
        return;
    }
    if (sent > 0)
        Q_EMIT bytesWritten(sent);
}

bool WindowsSerialPort::clear(QSerialPort::Directions directions)
{
    if (!isOpen())
        return false;
    if (!(directions & QSerialPort::Input))
        return true;
    m_received.clear();
    // The waiting read stays: it takes the next character.
    if (!::PurgeComm(m_io->port, PURGE_RXCLEAR)) {
        const DWORD systemError = ::GetLastError();
        setError(portErrorOf(systemError), systemError);
        return false;
    }
    return true;
}

void WindowsSerialPort::clearError()
{
    m_error = QSerialPort::NoError;
    m_errorString.clear();
}

void WindowsSerialPort::setError(QSerialPort::SerialPortError error, unsigned long systemError)
{
    m_error = error;
    m_errorString = systemError == ERROR_SUCCESS ? QString() : qt_error_string(int(systemError));
}

void WindowsSerialPort::fail(QSerialPort::SerialPortError error, unsigned long systemError)
{
    // A failed read or write on a working port: the line has gone. As with QSerialPort, the
    // port stays open until its user closes it on the error.
    const QSerialPort::SerialPortError reported =
        portErrorOf(systemError) == QSerialPort::ResourceError ? QSerialPort::ResourceError : error;
    setError(reported, systemError);
    Q_EMIT errorOccurred(reported);
}

} // namespace vrn
