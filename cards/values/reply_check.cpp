#include "reply_check.h"

#include "audience.h"

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
    // Every wrong value is named: one garbled field rarely comes alone, and the list tells a
    // bad cable (fields that are no number) from a card of another model (values too large).
    QStringList wrong;
    bool tooLarge = false;
    for (const ReplyValue& value : values) {
        const QString name = QCoreApplication::translate("Values", value.name);
        bool numbers = true;
        for (int position : {value.position, value.lowPosition}) {
            if (position == 0 || fields.isNumber(position))
                continue;
            numbers = false;
            wrong << QCoreApplication::translate(
                         "ReplyCheck", "the %1 (characters %2 to %3) reads \"%4\", which is not a "
                                       "number")
                         .arg(name)
                         .arg(position)
                         .arg(position + 2)
                         .arg(printable(fields.raw(position)));
        }
        const double number = value.valueIn(fields);
        if (numbers && value.maximum >= 0 && number > value.maximum) {
            tooLarge = true;
            wrong << QCoreApplication::translate("ReplyCheck",
                                                 "the %1 reads %2, above its largest value %3")
                         .arg(name)
                         .arg(number)
                         .arg(value.maximum);
        }
    }
    if (wrong.isEmpty())
        return std::nullopt;
    QString advice;
    if (tooLarge)
        advice = speaksToShell()
                     ? QCoreApplication::translate("ReplyCheck",
                                                   "Check that the card is of the model given "
                                                   "with --card.")
                     : QCoreApplication::translate(
                           "ReplyCheck", "Check that the card is of this window's model.");
    else
        advice = QCoreApplication::translate("ReplyCheck", "Check the cable and read again.");
    return QCoreApplication::translate("ReplyCheck",
                                       "The card's reply was refused and nothing was changed: "
                                       "%1. %2")
        .arg(wrong.join(QStringLiteral("; ")), advice);
}

} // namespace vrn
