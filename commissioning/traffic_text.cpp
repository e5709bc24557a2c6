#include "traffic_text.h"

#include "protocol.h"
#include "reply_fields.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QStringList>

#include <algorithm>

namespace vrn {
namespace {

constexpr int kCharactersWidth = 7; // a command frame; longer characters push the meaning on

const CardValue* valueOf(std::span<const CardValue> values, char letter)
{
    const auto it = std::find_if(values.begin(), values.end(),
                                 [letter](const CardValue& v) { return v.letter == letter; });
    return it == values.end() ? nullptr : &*it;
}

QString frameMeaning(const QByteArray& bytes, std::span<const CardValue> values)
{
    if (bytes == protocol::kEndFrame)
        return QCoreApplication::translate("TrafficLog", "end of Send");
    const std::optional<protocol::CommandFrame> frame = protocol::parseCommandFrame(bytes);
    if (!frame)
        return QCoreApplication::translate("TrafficLog", "not a command frame");
    const CardValue* value = valueOf(values, frame->letter);
    const QString name = value ? value->displayName() : QString(QLatin1Char(frame->letter));
    if (frame->digits.isEmpty())
        return QCoreApplication::translate("TrafficLog", "%1: empty slot").arg(name);
    const std::optional<int> code = frame->code();
    if (!code)
        return QCoreApplication::translate("TrafficLog", "%1: not a number").arg(name);
    if (!value)
        return QCoreApplication::translate("TrafficLog", "%1 code %2").arg(name).arg(*code);
    return QStringLiteral("%1 %2").arg(name, valueText(value->unit, *code));
}

QString replyMeaning(const QByteArray& bytes, std::span<const CardValue> values)
{
    const Codes codes = codesInReply(ReplyFields(bytes));
    QStringList parts;
    const auto describe = [&](char letter, const CardValue* value) {
        const auto it = codes.find(letter);
        const QString name = value ? value->displayName() : QString(QLatin1Char(letter));
        if (it == codes.end())
            parts << QCoreApplication::translate("TrafficLog", "%1: no number").arg(name);
        else if (value)
            parts << QStringLiteral("%1 %2").arg(name, valueText(value->unit, it->second));
        else
            parts << QCoreApplication::translate("TrafficLog", "%1 code %2")
                         .arg(name)
                         .arg(it->second);
    };
    if (!values.empty()) {
        for (const CardValue& value : values)
            describe(value.letter, &value);
    } else {
        // No model to name them: every letter of the reply, in the order its fields come.
        QByteArray seen;
        for (const protocol::ReplyField& field : protocol::kReplyLayout) {
            if (!seen.contains(field.letter)) {
                seen += field.letter;
                describe(field.letter, nullptr);
            }
        }
    }
    return QCoreApplication::translate("TrafficLog", "read reply: %1")
        .arg(parts.join(QStringLiteral(", ")));
}

} // namespace

QString escapedCharacters(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '\r':
            text += QLatin1String("\\r");
            break;
        case '\n':
            text += QLatin1String("\\n");
            break;
        case '\t':
            text += QLatin1String("\\t");
            break;
        case '\\':
            text += QLatin1String("\\\\");
            break;
        default:
            if (byte >= 0x20 && byte < 0x7f)
                text += QLatin1Char(c);
            else
                text += QLatin1String("\\x") +
                        QString::number(byte, 16).toUpper().rightJustified(2, QLatin1Char('0'));
        }
    }
    return text;
}

QString trafficMeaning(const TrafficEntry& entry, std::span<const CardValue> values)
{
    switch (entry.kind) {
    case TrafficEntry::Kind::Frame:
        return frameMeaning(entry.bytes, values);
    case TrafficEntry::Kind::ReadRequest:
        return QCoreApplication::translate("TrafficLog", "read request");
    case TrafficEntry::Kind::Answer:
        return QCoreApplication::translate("TrafficLog", "answer");
    case TrafficEntry::Kind::ReadReply:
        return replyMeaning(entry.bytes, values);
    case TrafficEntry::Kind::Discarded:
        return QCoreApplication::translate("TrafficLog", "read and dropped: late or unasked");
    case TrafficEntry::Kind::PartialReply:
        return QCoreApplication::translate("TrafficLog",
                                           "incomplete read reply, %1 of %2 characters: dropped")
            .arg(entry.bytes.size())
            .arg(protocol::kReadReplyLength);
    case TrafficEntry::Kind::Event:
        return QString::fromUtf8(entry.bytes);
    }
    return {};
}

QString trafficTime(const TrafficEntry& entry)
{
    return QDateTime::fromMSecsSinceEpoch(entry.wallMs).toString(QStringLiteral("HH:mm:ss.zzz"));
}

QString trafficLine(const TrafficEntry& entry, std::span<const CardValue> values)
{
    if (entry.kind == TrafficEntry::Kind::Event) {
        return QStringLiteral("%1  %2  %3")
            .arg(trafficTime(entry), QCoreApplication::translate("TrafficLog", "* note"),
                 trafficMeaning(entry, values));
    }
    // One pass over the pattern: characters from the wire may hold "%1" themselves.
    return QStringLiteral("%1  %2  %3  %4")
        .arg(trafficTime(entry),
             entry.isOut() ? QCoreApplication::translate("TrafficLog", "→ card")
                           : QCoreApplication::translate("TrafficLog", "← card"),
             escapedCharacters(entry.bytes).leftJustified(kCharactersWidth),
             trafficMeaning(entry, values));
}

} // namespace vrn
