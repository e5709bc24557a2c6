#include "reply_fields.h"

#include "number_rules.h"
#include "protocol.h"

#include <QString>

namespace vrn {

QByteArray ReplyFields::raw(int position) const
{
    if (position < 1 || position > m_reply.size())
        return {};
    return m_reply.mid(position - 1, protocol::kFieldLength);
}

double ReplyFields::field(int position) const
{
    return leadingNumber(QString::fromLatin1(raw(position)));
}

bool ReplyFields::isNumber(int position) const
{
    return isUnsignedDigits(QString::fromLatin1(raw(position)));
}

} // namespace vrn
