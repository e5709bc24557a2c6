#include "link_error.h"

namespace vrn {
namespace {

const char* reasonName(LinkError::Reason reason)
{
    switch (reason) {
    case LinkError::Reason::None:
        return "None";
    case LinkError::Reason::NoPortOpen:
        return "NoPortOpen";
    case LinkError::Reason::TransferRunning:
        return "TransferRunning";
    case LinkError::Reason::PortClosed:
        return "PortClosed";
    case LinkError::Reason::DeviceNotFound:
        return "DeviceNotFound";
    case LinkError::Reason::NoPermission:
        return "NoPermission";
    case LinkError::Reason::InUse:
        return "InUse";
    case LinkError::Reason::AlreadyOpen:
        return "AlreadyOpen";
    case LinkError::Reason::NotASerialPort:
        return "NotASerialPort";
    case LinkError::Reason::LineLost:
        return "LineLost";
    case LinkError::Reason::FrameNotSent:
        return "FrameNotSent";
    case LinkError::Reason::NoFrameAnswer:
        return "NoFrameAnswer";
    case LinkError::Reason::NoReadReply:
        return "NoReadReply";
    case LinkError::Reason::ShortReadReply:
        return "ShortReadReply";
    case LinkError::Reason::Interrupted:
        return "Interrupted";
    case LinkError::Reason::Other:
        return "Other";
    }
    return "?";
}

} // namespace

QString LinkError::debugText() const
{
    QString text = QString::fromLatin1(reasonName(reason));
    if (!port.isEmpty())
        text += QStringLiteral(" on ") + port;
    if (!frame.isEmpty())
        text += QStringLiteral(", frame ") + QString::fromLatin1(frame.toPercentEncoding());
    if (timeoutMs > 0)
        text += QStringLiteral(", after %1 ms").arg(timeoutMs);
    if (received > 0)
        text += QStringLiteral(", %1 characters received").arg(received);
    if (!systemText.isEmpty())
        text += QStringLiteral(" (") + systemText + QLatin1Char(')');
    return text;
}

} // namespace vrn
