#pragma once

#include "card.h"
#include "card_terminal.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

#include <deque>
#include <map>
#include <memory>

class QSocketNotifier;

namespace vrn::sim {

// Time one character takes on a line at the given speed with 8 data bits, no parity and 1 stop
// bit (ten bit times); 0 when the speed is 0 (no wire emulation).
double characterTimeMs(int baud);

// Serves a simulated card on a pseudo-terminal: a program opens slavePath() as if it were the
// card's serial port (on Windows a COM port of wine, through vrn-pty-relay: see CardTerminal). The
// card's answers leave after their delays; with wire emulation on, every character in either
// direction takes the time it would take on a real line.
class PtyCardServer : public QObject
{
    Q_OBJECT
public:
    // Serves a card of its own.
    explicit PtyCardServer(QObject* parent = nullptr);
    // Serves the given card, which must outlive the server.
    explicit PtyCardServer(Card& card, QObject* parent = nullptr);
    ~PtyCardServer() override;

    // Creates a new pseudo-terminal (closing one already open); false with errorString() when
    // the system refuses, or on Windows when the relay is not running.
    bool open();
    // Closes the terminal: a program that has it open sees its line go dead.
    void close();
    bool isOpen() const { return m_terminal.isOpen(); }

    // The device a program opens to reach the card ("/dev/pts/3", "COM10"); empty while closed.
    QString slavePath() const { return m_terminal.portName(); }
    QString errorString() const { return m_error; }

    // Time per character on the emulated line (0: characters pass at once). Takes effect for
    // characters that arrive or leave afterwards.
    void setCharacterTimeMs(double ms) { m_characterTimeNs = static_cast<qint64>(ms * 1e6); }
    double characterTimeMs() const { return m_characterTimeNs / 1e6; }

    Card& card() { return *m_card; }

    // Every character read from the terminal since the last clearReceived(), as it came.
    const QByteArray& received() const { return m_received; }
    void clearReceived() { m_received.clear(); }

Q_SIGNALS:
    // A complete frame has arrived at the card.
    void frameReceived(const QByteArray& frame);
    // The line was closed because the card's line went dead (an injected fault) or the
    // terminal failed; the server is closed.
    void lineClosed(const QString& reason);
    // Characters as they cross the terminal, stamped with the system's monotonic clock
    // (CLOCK_MONOTONIC, on Windows the steady clock; nanoseconds) right after the read from, or
    // just before the write to, the program's side: for measuring how fast the program answers
    // the card. Both stamps err on the late side of the program's answer, never the early one.
    void terminalRead(qint64 monotonicNs, const QByteArray& bytes);
    void terminalWritten(qint64 monotonicNs, const QByteArray& bytes);

private:
    void onReadable();
    void onWritable();
    void onTimerExpired();
    void process();
    void arm();
    qint64 lineNs() const;
    void feedCard(const QByteArray& bytes, qint64 atNs);
    void queueForWire(const QByteArray& bytes, qint64 readyNs);
    void writeOut(const QByteArray& bytes);
    void flushOut();
    void loseLine(const QString& reason);

    std::unique_ptr<Card> m_ownCard;
    Card* m_card = nullptr;
    CardTerminal m_terminal;
    QString m_error;
    QSocketNotifier* m_readNotifier = nullptr;
    QSocketNotifier* m_writeNotifier = nullptr;
    QByteArray m_received;
    QByteArray m_unwritten; // accepted for the line, refused by the terminal for now

    // The line's clock, in nanoseconds since open(); it starts at m_originNs on the system's
    // monotonic clock.
    qint64 m_originNs = 0;
    qint64 m_characterTimeNs = 0;
    struct Arrival
    {
        qint64 atNs;
        char byte;
    };
    std::deque<Arrival> m_arriving;            // characters still on their way to the card
    qint64 m_receiveFreeNs = 0;                // when the incoming line is free again
    std::multimap<qint64, Emission> m_answers; // card answers by the time they are ready
    struct Departure
    {
        qint64 doneNs;
        char byte;
    };
    std::deque<Departure> m_departing; // characters being sent, by completion time
    qint64 m_transmitFreeNs = 0;       // when the outgoing line is free again
    // Wakes the server when the next character is due. A timer descriptor where the system has
    // one, so that characters leave to the microsecond rather than on whole milliseconds.
    int m_timerFd = -1;
    QSocketNotifier* m_timerNotifier = nullptr;
    QTimer m_timer; // where there is no timer descriptor: whole milliseconds only
};

} // namespace vrn::sim
