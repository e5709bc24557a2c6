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

std::vector<ReplyProblem> replyProblems(const ReplyFields& fields,
                                        std::span<const ReplyValue> values)
{
    // Every wrong value is named: one garbled field rarely comes alone, and the list tells a
    // bad cable (fields that are no number) from a card of another model (values too large).
    std::vector<ReplyProblem> problems;
    for (const ReplyValue& value : values) {
        bool numbers = true;
        for (int position : {value.position, value.lowPosition}) {
            if (position == 0 || fields.isNumber(position))
                continue;
            numbers = false;
            problems.push_back(
                {ReplyProblem::What::NotANumber, value, position, fields.raw(position), 0});
        }
        const double number = value.valueIn(fields);
        if (numbers && value.maximum >= 0 && number > value.maximum)
            problems.push_back({ReplyProblem::What::TooLarge, value, 0, {}, number});
    }
    return problems;
}

QString replyRefusalText(std::span<const ReplyProblem> problems)
{
    if (problems.empty())
        return {};
    QStringList wrong;
    bool tooLarge = false;
    for (const ReplyProblem& problem : problems) {
        const QString name = QCoreApplication::translate("Values", problem.value.name);
        switch (problem.what) {
        case ReplyProblem::What::NotANumber:
            wrong << QCoreApplication::translate(
                         "ReplyCheck", "the %1 (characters %2 to %3) reads \"%4\", which is not a "
                                       "number")
                         .arg(name)
                         .arg(problem.position)
                         .arg(problem.position + 2)
                         .arg(printable(problem.held));
            break;
        case ReplyProblem::What::TooLarge:
            tooLarge = true;
            wrong << QCoreApplication::translate("ReplyCheck",
                                                 "the %1 reads %2, above its largest value %3")
                         .arg(name)
                         .arg(problem.number)
                         .arg(problem.value.maximum);
            break;
        }
    }
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

std::optional<QString> checkReply(const ReplyFields& fields, std::span<const ReplyValue> values)
{
    const std::vector<ReplyProblem> problems = replyProblems(fields, values);
    if (problems.empty())
        return std::nullopt;
    return replyRefusalText(problems);
}

} // namespace vrn
