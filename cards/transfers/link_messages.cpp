#include "link_messages.h"

#include "audience.h"
#include "protocol.h"

namespace vrn {
namespace {

QString seconds(int ms)
{
    return QString::number(ms / 1000.0);
}

QString frameText(const QByteArray& frame)
{
    return QString::fromLatin1(frame);
}

// What the system says the port's adapter is: "FT232R USB UART (A10K3JX2)"; empty when it says
// nothing.
QString adapterText(const PortInfo& port)
{
    if (port.serialNumber.isEmpty())
        return port.description;
    if (port.description.isEmpty())
        return port.serialNumber;
    return QStringLiteral("%1 (%2)").arg(port.description, port.serialNumber);
}

} // namespace

QString LinkMessages::deviceProblem(const LinkError& e)
{
    using Reason = LinkError::Reason;
    const QString& port = e.port;
    switch (e.reason) {
    case Reason::DeviceNotFound:
        if (speaksToShell())
            return tr("The serial port %1 does not exist. Check that the card's cable or USB "
                      "adapter is plugged in, and name the port it is on.")
                .arg(port);
#ifdef Q_OS_WIN
        return tr("The serial port %1 does not exist. Check that the card's cable or USB adapter "
                  "is plugged in, and choose the port it is on (the Device Manager lists the COM "
                  "ports under \"Ports (COM & LPT)\").")
            .arg(port);
#else
        return tr("The serial port %1 does not exist. Check that the card's cable or USB adapter "
                  "is plugged in, and choose the port it is on.")
            .arg(port);
#endif
    case Reason::InUse:
        if (speaksToShell())
            return tr("The serial port %1 is in use by another program. Close the other program "
                      "that uses it (a terminal program, VRN-PC or another vrn-cli), then run the "
                      "command again.")
                .arg(port);
        return tr("The serial port %1 is in use by another program. Close the other program that "
                  "uses it (a terminal program, or another copy of this one), then choose the "
                  "port again.")
            .arg(port);
    case Reason::NoPermission:
        if (speaksToShell()) {
            return tr("You may not use the serial port %1: %2. Serial ports usually belong to "
                      "the group \"dialout\" (sudo usermod -aG dialout $USER, then log out and "
                      "log in again); then run the command again.")
                .arg(port, e.access.groupJoinedLater
                               ? tr("your user was added to the group \"%1\" after you logged "
                                    "in")
                                     .arg(e.access.group)
                               : tr("its permissions do not let your user read and write it"));
        }
        if (e.access.groupJoinedLater) {
            return tr("You may not use the serial port %1 yet: your user was added to the group "
                      "\"%2\" after you logged in. Log out and log in again (or restart the "
                      "computer), then choose the port again.")
                .arg(port, e.access.group);
        }
        if (e.access.group.isEmpty() || e.access.group == QLatin1String("root")) {
            return tr("You may not use the serial port %1: its permissions do not let your user "
                      "read and write it. Ask the administrator for access; serial ports usually "
                      "belong to the group \"dialout\" (sudo usermod -aG dialout $USER, then log "
                      "out and log in again).")
                .arg(port);
        }
        return tr("You may not use the serial port %1: it belongs to the group \"%2\" and your "
                  "user is not a member. Add your user to that group (sudo usermod -aG %2 $USER), "
                  "log out and log in again (or restart the computer), then choose the port "
                  "again.")
            .arg(port, e.access.group);
    case Reason::AlreadyOpen:
        return tr("The serial port %1 is already open.").arg(port);
    case Reason::LineLost:
        if (e.brailleDaemonInstalled && e.vanishedAfterMs >= 0 &&
            e.vanishedAfterMs < LinkError::kVanishedSoonMs)
            return tr("The serial port %1 went away %2 s after it appeared. The braille display "
                      "daemon brltty, which is installed on this computer, takes some USB serial "
                      "adapters (CH340, CP210x) for a braille display and claims them this way. "
                      "If no braille display is used here, remove it (sudo apt remove brltty), "
                      "then plug the adapter in again.")
                .arg(port, QString::number(e.vanishedAfterMs / 1000.0, 'f', 1));
        if (speaksToShell())
            return tr("The serial port %1 stopped working: the device was unplugged or its line "
                      "was closed. Check that the cable or USB adapter is still plugged in, then "
                      "run the command again.")
                .arg(port);
        return tr("The serial port %1 stopped working: the device was unplugged or its line was "
                  "closed. Check that the cable or USB adapter is still plugged in, then choose "
                  "the port again.")
            .arg(port);
    case Reason::NotASerialPort:
        return tr("The device %1 is not a serial port that can run at %2 baud, 8 data bits, no "
                  "parity, 1 stop bit (%3).")
            .arg(port)
            .arg(protocol::kBaudRate)
            .arg(e.systemText);
    default:
        if (speaksToShell())
            return tr("The serial port %1 failed: %2. Check the cable and the card, then run the "
                      "command again.")
                .arg(port, e.systemText);
        return tr("The serial port %1 failed: %2. Check the cable and the card, then choose the "
                  "port again.")
            .arg(port, e.systemText);
    }
}

QString LinkMessages::linkState(const Link& link)
{
    const Transport* line = link.transport();
    const QString adapter = AdapterIdentity::label(link.portInfo());
    switch (link.adapterWait()) {
    case Link::AdapterWait::Waiting:
        switch (link.adapterSeen()) {
        case Link::AdapterSeen::Gone:
            return tr("%1 unplugged: waiting for it").arg(adapter);
        case Link::AdapterSeen::Refusing:
            return tr("%1 stopped working: waiting for it to open again").arg(adapter);
        case Link::AdapterSeen::SeveralLikeIt:
            return tr("%1 unplugged: waiting for it (more than one adapter like it is plugged in: "
                      "choose its port in the \"Seriale\" menu)")
                .arg(adapter);
        }
        break;
    case Link::AdapterWait::Reopened:
        if (line && line->isOpen())
            return tr("%1 reopened as %2").arg(adapter, line->name());
        break;
    case Link::AdapterWait::None:
        break;
    }
    if (!line || !line->isOpen())
        return tr("No port open");
    if (line->isSimulated())
        return tr("Simulated card");
    const QString what = adapterText(link.portInfo());
    if (what.isEmpty())
        return tr("%1 open").arg(line->name());
    return tr("%1 - %2 open").arg(line->name(), what);
}

QString LinkMessages::adapterDetails(const Link& link)
{
    const Transport* line = link.transport();
    if (!line || line->isSimulated() || !link.adapter().isKnown())
        return {};
    return tr("Adapter: %1").arg(link.adapter().details());
}

QString LinkMessages::portText(const Link& link)
{
    const Transport* line = link.transport();
    if (!line || !line->isOpen())
        return tr("no port open");
    if (line->isSimulated())
        return tr("Simulated card");
    const PortInfo& port = link.portInfo();
    if (port.description.isEmpty() && port.serialNumber.isEmpty())
        return line->name();
    if (port.serialNumber.isEmpty())
        return tr("%1 (%2)").arg(line->name(), port.description);
    if (port.description.isEmpty())
        return tr("%1 (%2)").arg(line->name(), port.serialNumber);
    return tr("%1 (%2, %3)").arg(line->name(), port.description, port.serialNumber);
}

QString LinkMessages::portProblem(const LinkError& e)
{
    if (e.reason == LinkError::Reason::TransferRunning) {
        return tr("A transfer is running on %1. Wait until its button turns grey again, then "
                  "choose the port.")
            .arg(e.port);
    }
    return deviceProblem(e);
}

QString LinkMessages::transferProblem(const LinkError& e)
{
    using Reason = LinkError::Reason;
    switch (e.reason) {
    case Reason::None:
        return {};
    case Reason::NoPortOpen:
        if (!e.awaitedAdapter.isEmpty())
            return tr("No serial port is open: %1 was unplugged. The program opens it again by "
                      "itself when it is back (the status line says so); then try once more.")
                .arg(e.awaitedAdapter);
        return tr("No serial port is open. Choose the card's port in the \"Seriale\" menu of the "
                  "launcher window (or \"Simulated card\" to try the program without a card).");
    case Reason::TransferRunning:
        return tr("A transfer is already running on %1. Wait until its button turns grey again, "
                  "then try once more.")
            .arg(e.port);
    case Reason::PortClosed:
        return tr("The port %1 was closed while a transfer was running.").arg(e.port);
    case Reason::FrameNotSent:
        return tr("The frame \"%1\" could not be sent on %2 within %3 s. Check that the port is "
                  "working, then try again.")
            .arg(frameText(e.frame), e.port, seconds(e.timeoutMs));
    case Reason::NoFrameAnswer:
        return tr("The card on %1 did not answer the frame \"%2\" within %3 s. Check that the "
                  "card is powered, that its cable is plugged in, and that %1 is the port it is "
                  "connected to.")
            .arg(e.port, frameText(e.frame), seconds(e.timeoutMs));
    case Reason::NoReadReply:
        return tr("The card on %1 did not answer the read request within %2 s. Check that the "
                  "card is powered, that its cable is plugged in, and that %1 is the port it is "
                  "connected to.")
            .arg(e.port, seconds(e.timeoutMs));
    case Reason::Interrupted:
        return tr("The transfer on %1 was interrupted.").arg(e.port);
    case Reason::ShortReadReply:
        return tr("The card on %1 sent only %2 of the %3 characters of its read reply. Nothing "
                  "was changed; check the cable and try the read again.")
            .arg(e.port)
            .arg(e.received)
            .arg(protocol::kReadReplyLength);
    default:
        return deviceProblem(e);
    }
}

QString LinkMessages::transferNotice(const TransferResult& result)
{
    switch (result.ending) {
    case TransferResult::Ending::Done:
        return {};
    case TransferResult::Ending::ReplyRefused:
        return replyRefusalText(result.replyProblems);
    case TransferResult::Ending::Refused:
    case TransferResult::Ending::Failed:
        break;
    }
    QString text = transferProblem(result.error);
    // Every answered frame may have changed the card: say how far the Send got.
    if (result.kind == TransferResult::Kind::Send && result.framesAnswered > 0) {
        text += QLatin1Char(' ') +
                QCoreApplication::translate(
                    "CardTransfers",
                    "The card answered %1 of the %2 frames of this Send and may now hold a mix "
                    "of old and new values. Send again once the card answers.")
                    .arg(result.framesAnswered)
                    .arg(result.framesPlanned);
    }
    return text;
}

} // namespace vrn
