#pragma once

#include "link_error.h"

#include <QByteArray>
#include <QObject>
#include <QString>

namespace vrn {

// The byte pipe to a card: a serial port or the simulated card. Reports through signals only.
class Transport : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Claims the line; on failure error() tells why.
    virtual bool open() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    // The name the user knows the line by ("/dev/ttyS0", "COM1", "simulated card").
    virtual QString name() const = 0;
    // What the system says the device is ("FT232R USB UART"); empty when it says nothing.
    virtual QString description() const { return {}; }
    // True for the card simulated inside the program.
    virtual bool isSimulated() const { return false; }
    virtual LinkError error() const = 0;

    // Discards characters queued for sending and not yet gone out.
    virtual void clearOutput() = 0;
    // Queues characters for sending and returns at once. When bytesToWrite() is 0 right after,
    // the line has them already, and no bytesWritten() need follow.
    virtual void write(const QByteArray& bytes) = 0;
    // Characters still waiting to be sent; 0 once all have gone out.
    virtual qint64 bytesToWrite() const = 0;
    // Characters received and not yet read.
    virtual qint64 bytesAvailable() const = 0;
    // Everything received so far; empties the receive buffer.
    virtual QByteArray readAll() = 0;

Q_SIGNALS:
    void readyRead();
    void bytesWritten();
    // The line failed while open (device unplugged, cable gone); the transport is closed.
    void lost(const vrn::LinkError& error);
};

} // namespace vrn
