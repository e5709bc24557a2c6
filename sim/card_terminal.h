#pragma once

#include <QString>
#include <QtGlobal>

namespace vrn::sim {

// The card's end of the line that a program opens as its serial port. On Unix a pseudo-terminal
// of the card's own. On Windows, where no program can create one, a connection to vrn-pty-relay
// (named by the environment variable VRN_PTY_RELAY, "127.0.0.1:<port>"), which creates the
// pseudo-terminal on the Unix side of wine, serves it as a COM port of the wine prefix and passes
// the bytes unchanged.
class CardTerminal
{
public:
    CardTerminal() = default;
    CardTerminal(const CardTerminal&) = delete;
    CardTerminal& operator=(const CardTerminal&) = delete;
    ~CardTerminal() { close(); }

    // A new terminal, the card's end non-blocking; false with *error when there is none.
    bool open(QString* error);
    // A program that has the terminal open sees its line go dead.
    void close();
    bool isOpen() const { return m_descriptor != -1; }

    // What to watch for the card's end becoming readable or writable: a file descriptor, on
    // Windows a socket.
    qintptr descriptor() const { return m_descriptor; }
    // The port a program opens: "/dev/pts/3", on Windows "COM10"; empty while closed.
    QString portName() const { return m_portName; }

    // Bytes read from the program's side (> 0), 0 when none is waiting, -1 when the line ended
    // (*error says why).
    qint64 read(char* buffer, qint64 size, QString* error);
    // Bytes the terminal took (0: no room for now), -1 when it failed (*error says why).
    qint64 write(const char* data, qint64 size, QString* error);

private:
    qintptr m_descriptor = -1;
    int m_slave = -1; // Unix: held open so the terminal survives a program reopening it
    QString m_portName;
};

} // namespace vrn::sim
