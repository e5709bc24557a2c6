#pragma once

#include <QByteArray>
#include <QString>

namespace vrn {

// What the system lets this user do with a port's device, to tell a port in use by another
// program from one the user has no right to open.
struct DeviceAccess
{
    bool userMayOpen = true;       // the device may be read and written by this process
    QString group;                 // the group that owns the device ("dialout"); empty if unknown
    bool groupJoinedLater = false; // the user was added to that group after this login
};

// What went wrong on the link: the reason and what it concerns. The link reports it; the
// windows put it into words for the user.
struct LinkError
{
    enum class Reason {
        None,
        NoPortOpen,      // a transfer was asked for while no port is open
        TransferRunning, // refused: another transfer runs on the port
        PortClosed,      // the port was closed or changed while a transfer ran
        DeviceNotFound,  // no such device
        NoPermission,    // the system refuses this user the device (see access)
        InUse,           // another program holds the device
        AlreadyOpen,     // the device is open already
        NotASerialPort,  // the device takes no 19200 8N1 settings (see systemText)
        LineLost,        // the device went away or its line closed while open
        FrameNotSent,    // the frame did not leave the port in time
        NoFrameAnswer,   // the card did not answer the frame in time
        NoReadReply,     // the card sent nothing for the read request in time
        ShortReadReply,  // the card sent fewer characters than a read reply has
        Interrupted,     // stopped at a frame's boundary on the user's request
        Other            // anything else the system reports (see systemText)
    };

    LinkError() = default;
    LinkError(Reason why, QString portName) : reason(why), port(std::move(portName)) {}

    Reason reason = Reason::None;
    QString port;        // the line's name as the user knows it ("/dev/ttyUSB0", "COM3")
    QByteArray frame;    // the frame concerned, for the frame and reply reasons
    int timeoutMs = 0;   // the wait that ran out
    qint64 received = 0; // characters received of a read reply
    QString systemText;  // the system's own words, where they help
    DeviceAccess access; // for NoPermission
    // For LineLost: how long after its device appeared the line went away (-1 where it is not
    // known), and whether the braille display daemon, which claims some USB serial adapters a
    // moment after they appear, is installed.
    int vanishedAfterMs = -1;
    bool brailleDaemonInstalled = false;
    // A device gone this soon after it appeared was likely claimed by a program that takes new
    // adapters for itself (the braille display daemon does so within about a second).
    static constexpr int kVanishedSoonMs = 2500;
    // For NoPortOpen: the adapter whose line was lost and that the link waits for to come back
    // ("FT232R USB UART (A10K3JX2)"); empty when it waits for none.
    QString awaitedAdapter;

    bool isError() const { return reason != Reason::None; }
    // The reason and its details in a line, for test messages and logs (not for users).
    QString debugText() const;
};

} // namespace vrn
