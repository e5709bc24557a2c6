#include "card_state.h"

#include "protocol.h"

namespace vrn {
namespace {

std::optional<int> find(const Codes& codes, char letter)
{
    const auto it = codes.find(letter);
    return it == codes.end() ? std::nullopt : std::optional<int>(it->second);
}

} // namespace

Codes codesInFrames(const QList<QByteArray>& frames)
{
    Codes codes;
    for (const QByteArray& frame : frames) {
        if (const auto command = protocol::parseCommandFrame(frame)) {
            if (const auto code = command->code())
                codes[command->letter] = *code;
        }
    }
    return codes;
}

Codes codesInReply(const ReplyFields& reply)
{
    using protocol::ReplyField;
    std::map<char, std::optional<int>> high;
    std::map<char, std::optional<int>> low;
    Codes codes;
    for (const ReplyField& field : protocol::kReplyLayout) {
        const std::optional<int> value =
            reply.isNumber(field.position)
                ? std::optional<int>(static_cast<int>(reply.field(field.position)))
                : std::nullopt;
        switch (field.part) {
        case ReplyField::Part::Whole:
            if (value)
                codes[field.letter] = *value;
            break;
        case ReplyField::Part::High:
            high[field.letter] = value;
            break;
        case ReplyField::Part::Low:
            low[field.letter] = value;
            break;
        }
    }
    for (const auto& [letter, part] : high) {
        const auto other = low.find(letter);
        if (part && other != low.end() && other->second)
            codes[letter] = protocol::kHighPartFactor * *part + *other->second;
    }
    return codes;
}

std::optional<int> CardState::code(char letter) const
{
    return find(m_codes, letter);
}

std::optional<int> CardState::sent(char letter) const
{
    return find(m_sent, letter);
}

void CardState::sendDone(const QList<QByteArray>& frames, const QString& port)
{
    if (port != m_port)
        forget();
    for (const QByteArray& frame : frames) {
        const auto command = protocol::parseCommandFrame(frame);
        if (!command)
            continue;
        // An empty frame tells the card nothing it can be trusted to keep.
        if (const auto code = command->code()) {
            m_codes[command->letter] = *code;
            m_sent[command->letter] = *code;
        } else {
            m_codes.erase(command->letter);
            m_sent.erase(command->letter);
        }
    }
    seen(Source::Send, port);
}

void CardState::replyAccepted(const Codes& codes, Source source, const QString& port)
{
    if (port != m_port)
        forget();
    m_codes = codes;
    seen(source, port);
}

void CardState::forget(bool mix)
{
    const bool wasKnown = isKnown() || !m_sent.empty() || m_mix != mix;
    m_source = Source::None;
    m_at = {};
    m_port.clear();
    m_codes.clear();
    m_sent.clear();
    m_mix = mix;
    if (!wasKnown)
        return;
    ++m_generation;
    Q_EMIT changed();
}

void CardState::seen(Source source, const QString& port)
{
    m_source = source;
    m_at = QDateTime::currentDateTime();
    m_port = port;
    m_mix = false;
    ++m_generation;
    Q_EMIT changed();
}

} // namespace vrn
