#pragma once

#include "protocol.h"

#include <QByteArray>

namespace vrn {

// The three-character fields of a card's read reply, addressed by 1-based character position.
class ReplyFields
{
public:
    explicit ReplyFields(QByteArray reply) : m_reply(std::move(reply)) {}

    // The field at positions pos..pos+2 read as a decimal number (no digits reads as 0).
    double field(int position) const;

    // A value sent as two fields: 256 times the high part plus the low part.
    double pair(int highPosition, int lowPosition) const
    {
        return protocol::kHighPartFactor * field(highPosition) + field(lowPosition);
    }

    // True when the field holds only digits after its leading blanks.
    bool isNumber(int position) const;

    // The field's three characters as received (fewer when the reply is short).
    QByteArray raw(int position) const;

    const QByteArray& reply() const { return m_reply; }

private:
    QByteArray m_reply;
};

} // namespace vrn
