#include "card.h"

#include "protocol.h"

#include <algorithm>
#include <cmath>

namespace vrn::sim {
namespace {

QByteArray threeDigits(int value)
{
    return QByteArray::number(value % 1000).rightJustified(3, '0');
}

} // namespace

int Card::wireTimeMs(int characters) const
{
    return static_cast<int>(std::lround(m_faults.characterTimeMs * characters));
}

std::vector<Emission> Card::receive(const QByteArray& bytes)
{
    std::vector<Emission> out;
    for (char c : bytes) {
        m_pending += c;
        if (c != '$')
            continue;
        const QByteArray frame = m_pending;
        m_pending.clear();
        m_frames.append(frame);
        for (auto& e : answer(frame))
            out.push_back(std::move(e));
    }
    return out;
}

std::vector<Emission> Card::answer(const QByteArray& frame)
{
    if (m_lost)
        return {};
    ++m_framesSinceOpen;
    if (m_faults.portLostAfterFrames >= 0 && m_framesSinceOpen > m_faults.portLostAfterFrames) {
        m_lost = true;
        return {Emission{0, {}, true}};
    }

    QByteArray text;
    if (frame == protocol::kReadRequest) {
        text = readReply();
        for (auto it = m_faults.replyFieldOverrides.cbegin();
             it != m_faults.replyFieldOverrides.cend(); ++it) {
            const int at = it.key() - 1;
            if (at >= 0 && at + protocol::kFieldLength <= text.size())
                text.replace(at, protocol::kFieldLength,
                             it.value().leftJustified(protocol::kFieldLength, ' ', true));
        }
        if (m_faults.replyLength > text.size())
            text = text.leftJustified(m_faults.replyLength, ' ');
        else
            text.truncate(std::max(0, m_faults.replyLength));
    } else {
        if (const auto command = protocol::parseCommandFrame(frame)) {
            const auto code = command->code();
            if (code && !m_faults.keptLetters.contains(command->letter))
                m_memory[command->letter] = *code;
        }
        if (m_faults.garbageAnswers) {
            text.resize(2 + static_cast<int>(m_garbageSeed % 5));
            for (char& c : text) {
                m_garbageSeed = m_garbageSeed * 1664525u + 1013904223u;
                c = static_cast<char>(m_garbageSeed >> 24);
            }
        } else {
            text = m_faults.frameAnswer;
        }
    }
    if (m_faults.silent || text.isEmpty())
        return {};

    const int start = m_faults.answerDelayMs;
    const int firstBurst = std::clamp(m_faults.splitAfter, 1, static_cast<int>(text.size()));
    if (m_faults.splitAnswers && text.size() > firstBurst) {
        const int first = start + wireTimeMs(firstBurst);
        return {Emission{first, text.left(firstBurst)},
                Emission{first + m_faults.splitGapMs + wireTimeMs(text.size() - firstBurst),
                         text.mid(firstBurst)}};
    }
    return {Emission{start + wireTimeMs(text.size()), text}};
}

QByteArray Card::readReply() const
{
    using protocol::ReplyField;
    QByteArray reply;
    for (const ReplyField& field : protocol::kReplyLayout) {
        const int value = parameter(field.letter);
        switch (field.part) {
        case ReplyField::Part::Whole:
            reply += threeDigits(value);
            break;
        case ReplyField::Part::High:
            reply += threeDigits(value / protocol::kHighPartFactor);
            break;
        case ReplyField::Part::Low:
            reply += threeDigits(value % protocol::kHighPartFactor);
            break;
        }
        reply += ' ';
    }
    reply.back() = '\r';
    return reply; // 14 fields of four characters: 56 in all
}

} // namespace vrn::sim
