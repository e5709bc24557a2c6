#include "port_report.h"

#include <QJsonArray>
#include <QLocale>

#include <map>

namespace vrn {
namespace {

std::optional<int> codeOf(const Codes& codes, char letter)
{
    const auto it = codes.find(letter);
    return it == codes.end() ? std::nullopt : std::optional<int>(it->second);
}

QJsonValue codeJson(std::optional<int> code)
{
    return code ? QJsonValue(*code) : QJsonValue(QJsonValue::Null);
}

QJsonValue textJson(ValueUnit unit, std::optional<int> code)
{
    return code ? QJsonValue(valueText(unit, *code)) : QJsonValue(QJsonValue::Null);
}

QJsonValue textOrNull(const QString& text)
{
    return text.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(text);
}

QString seconds(qint64 ms)
{
    return QLocale().toString(ms / 1000.0, 'f', 1);
}

} // namespace

QString PortReport::outcomeText(PortOutcome outcome)
{
    switch (outcome) {
    case PortOutcome::Verified:
        return tr("verified");
    case PortOutcome::Differs:
        return tr("differs");
    case PortOutcome::Sent:
        return tr("sent");
    case PortOutcome::Saved:
        return tr("saved");
    case PortOutcome::Failed:
        return tr("failed");
    case PortOutcome::RefusedFile:
        return tr("refused file");
    case PortOutcome::NotSaved:
        return tr("not saved");
    case PortOutcome::Interrupted:
        return tr("interrupted");
    }
    return {};
}

QString PortReport::line(const PortResult& r, int portWidth)
{
    QString detail;
    switch (r.outcome) {
    case PortOutcome::Verified:
        detail = r.values.size() == 1
                     ? tr("the card holds the file's 1 value")
                     : tr("the card holds the file's %1 values").arg(r.values.size());
        break;
    case PortOutcome::Differs: {
        QStringList list;
        for (const ValueDifference& d : r.differences) {
            const QString file = d.window ? valueText(d.value.unit, *d.window) : tr("not set");
            const QString card = d.card ? valueText(d.value.unit, *d.card) : tr("not in the reply");
            list << tr("%1: file %2, card %3").arg(d.value.displayName(), file, card);
        }
        detail = r.differences.size() == 1 ? tr("1 value differs: %1").arg(list.first())
                                           : tr("%1 values differ: %2")
                                                 .arg(r.differences.size())
                                                 .arg(list.join(QStringLiteral("; ")));
        break;
    }
    case PortOutcome::Sent:
        detail = tr("not read back");
        break;
    case PortOutcome::Saved:
        detail = tr("to %1").arg(r.file);
        break;
    case PortOutcome::Failed:
    case PortOutcome::RefusedFile:
    case PortOutcome::NotSaved:
    case PortOutcome::Interrupted:
        detail = r.error;
        break;
    }
    if (!r.note.isEmpty() && r.outcome != PortOutcome::RefusedFile)
        detail += QStringLiteral(". ") + r.note;
    QString text = QStringLiteral("%1  %2  %3  %4")
                       .arg(portName(r), -portWidth)
                       .arg(modelName(r.model), outcomeText(r.outcome), detail);
    if (r.elapsedMs > 0)
        text += QStringLiteral(" (%1)").arg(tr("%1 s").arg(seconds(r.elapsedMs)));
    return text;
}

QString PortReport::progressLine(const PortResult& r, const QString& stage, qint64 elapsedMs,
                                 int portWidth)
{
    return QStringLiteral("%1  %2  %3  %4")
        .arg(portName(r), -portWidth)
        .arg(modelName(r.model), stage, tr("%1 s").arg(seconds(elapsedMs)));
}

QString PortReport::portName(const PortResult& r)
{
    if (r.adapter.isEmpty())
        return r.port;
    if (r.port.isEmpty())
        return r.adapter;
    return QStringLiteral("%1 (%2)").arg(r.adapter, r.port);
}

QJsonObject PortReport::json(const PortResult& r)
{
    QJsonArray values;
    for (const CardValue& value : r.values) {
        const std::optional<int> file = codeOf(r.fileCodes, value.letter);
        const std::optional<int> card =
            r.cardCodes ? codeOf(*r.cardCodes, value.letter) : std::nullopt;
        values.append(QJsonObject{
            {QStringLiteral("letter"), QString(QLatin1Char(value.letter))},
            {QStringLiteral("name"), value.displayName()},
            {QStringLiteral("unit"), unitSymbol(value.unit)},
            {QStringLiteral("code"), codeJson(file)},
            {QStringLiteral("text"), textJson(value.unit, file)},
            {QStringLiteral("cardCode"), codeJson(card)},
            {QStringLiteral("cardText"), textJson(value.unit, card)},
        });
    }
    QJsonArray differences;
    for (const ValueDifference& d : r.differences) {
        differences.append(QJsonObject{
            {QStringLiteral("letter"), QString(QLatin1Char(d.value.letter))},
            {QStringLiteral("name"), d.value.displayName()},
            {QStringLiteral("code"), codeJson(d.window)},
            {QStringLiteral("cardCode"), codeJson(d.card)},
        });
    }
    return QJsonObject{
        {QStringLiteral("port"), textOrNull(r.port)},
        {QStringLiteral("adapter"), textOrNull(r.adapter)},
        {QStringLiteral("card"), modelName(r.model)},
        {QStringLiteral("command"), commandName(r.command)},
        {QStringLiteral("file"), r.file},
        {QStringLiteral("outcome"), outcomeName(r.outcome)},
        {QStringLiteral("error"), r.error},
        {QStringLiteral("note"), r.note},
        {QStringLiteral("seconds"), r.elapsedMs / 1000.0},
        {QStringLiteral("values"), values},
        {QStringLiteral("differences"), differences},
    };
}

QString PortReport::summary(const std::vector<const PortResult*>& results)
{
    std::map<PortOutcome, int> counts;
    for (const PortResult* r : results)
        ++counts[r->outcome];
    QStringList parts;
    for (const auto& [outcome, count] : counts)
        parts << QStringLiteral("%1 %2").arg(count).arg(outcomeText(outcome));
    return tr("%1 ports: %2").arg(results.size()).arg(parts.join(QStringLiteral(", ")));
}

int PortReport::exitStatus(const std::vector<const PortResult*>& results)
{
    int status = 0;
    for (const PortResult* r : results) {
        if (r->outcome == PortOutcome::Interrupted)
            return kInterruptedStatus;
    }
    for (const PortResult* r : results) {
        switch (r->outcome) {
        case PortOutcome::Interrupted:
        case PortOutcome::RefusedFile:
        case PortOutcome::NotSaved:
            return 2;
        case PortOutcome::Failed:
        case PortOutcome::Differs:
            status = 1;
            break;
        case PortOutcome::Verified:
        case PortOutcome::Sent:
        case PortOutcome::Saved:
            break;
        }
    }
    return status;
}

} // namespace vrn
