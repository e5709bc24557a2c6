#include "cards/common/reply_check.h"

#include <QCoreApplication>

namespace vrn {
namespace {

QString printable(const QByteArray& raw)
{
    QString text;
    for (char c : raw) {
        const auto u = static_cast<unsigned char>(c);
        text += (u >= 32 && u < 127) ? QChar::fromLatin1(c)
                                     : QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0'));
    }
    return text;
}

} // namespace

std::optional<QString> checkReply(const ReplyFields& fields, std::span<const ReplyValue> values)
{
    const QString refused = QCoreApplication::translate(
        "ReplyCheck", "The card's reply was refused and nothing was changed: ");
    for (const ReplyValue& value : values) {
        for (int position : {value.position, value.lowPosition}) {
            if (position == 0 || fields.isNumber(position))
                continue;
            return refused + QCoreApplication::translate(
                                 "ReplyCheck",
                                 "the %1 (characters %2 to %3) reads \"%4\", which is "
                                 "not a number. Check the cable and read again.")
                                 .arg(QCoreApplication::translate("Values", value.name))
                                 .arg(position)
                                 .arg(position + 2)
                                 .arg(printable(fields.raw(position)));
        }
        const double number = value.valueIn(fields);
        if (value.maximum >= 0 && number > value.maximum) {
            return refused + QCoreApplication::translate(
                                 "ReplyCheck", "the %1 reads %2, above its largest value %3. Check "
                                               "that the card is of this window's model.")
                                 .arg(QCoreApplication::translate("Values", value.name))
                                 .arg(number)
                                 .arg(value.maximum);
        }
    }
    return std::nullopt;
}

} // namespace vrn
