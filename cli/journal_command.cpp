#include "journal_command.h"

#include "card_description.h"
#include "journal.h"
#include "port_report.h"

#include <QDir>
#include <QStringList>

#include <optional>

namespace vrn {
namespace {

constexpr int kBadLineStatus = 1;
constexpr int kNoJournalStatus = 2;

constexpr ValueUnit kValueUnits[] = {ValueUnit::Milliamps,     ValueUnit::Millivolts,
                                     ValueUnit::Seconds,       ValueUnit::TenMilliseconds,
                                     ValueUnit::PwmChoice,     ValueUnit::CoilRange,
                                     ValueUnit::ReferenceInput};

// The unit an entry names, where it is one of the card values' units.
std::optional<ValueUnit> unitNamed(const QString& name)
{
    for (ValueUnit unit : kValueUnits) {
        if (PortReport::unitName(unit) == name)
            return unit;
    }
    return std::nullopt;
}

// "I Max=2247 mA"; a value of a unit the program does not know by its code.
QString valueText(const JournalValue& value)
{
    if (!value.code)
        return JournalCommand::tr("%1 not known").arg(value.name);
    if (const std::optional<ValueUnit> unit = unitNamed(value.unit))
        return value.name + QLatin1Char('=') + vrn::valueText(*unit, *value.code);
    const QString code = JournalCommand::tr("code %1").arg(*value.code);
    return value.name + QLatin1Char('=') +
           (value.unit.isEmpty() ? code : code + QLatin1Char(' ') + value.unit);
}

QString journalPath(const CliRequest& request)
{
    return request.journal.isEmpty() ? Journal::defaultPath() : request.journal;
}

JournalCommand::Output check(const QString& path)
{
    const JournalCheck check = checkJournal(path);
    switch (check.verdict) {
    case JournalCheck::Verdict::Intact:
        return {check.text + QLatin1Char('\n'), {}, 0};
    case JournalCheck::Verdict::Missing:
    case JournalCheck::Verdict::Unreadable:
        return {{}, check.text, kNoJournalStatus};
    default:
        return {check.text + QLatin1Char('\n'), {}, kBadLineStatus};
    }
}

JournalCommand::Output show(const QString& path, const QString& serial, bool json)
{
    QString error;
    const std::vector<JournalRecord> records = readJournal(path, serial, &error);
    if (!error.isEmpty())
        return {{}, error, kNoJournalStatus};
    QString out;
    if (json) {
        for (const JournalRecord& record : records)
            out += QString::fromUtf8(record.stored) + QLatin1Char('\n');
        return {out, {}, 0};
    }
    const QString journal = QDir::toNativeSeparators(path);
    if (records.empty()) {
        return {JournalCommand::tr("%1 holds no entry of the card %2.").arg(journal, serial) +
                    QLatin1Char('\n'),
                {},
                0};
    }
    out = (records.size() == 1
               ? JournalCommand::tr("%1 holds 1 entry of the card %2:").arg(journal, serial)
               : JournalCommand::tr("%1 holds %2 entries of the card %3:")
                     .arg(journal, QString::number(records.size()), serial)) +
          QLatin1Char('\n');
    for (const JournalRecord& record : records)
        out += JournalCommand::entryText(record);
    return {out, {}, 0};
}

} // namespace

JournalCommand::Output JournalCommand::run(const CliRequest& request)
{
    const QString path = journalPath(request);
    return request.journalAction == CliRequest::JournalAction::Check
               ? check(path)
               : show(path, request.cardSerial, request.json);
}

QString JournalCommand::entryText(const JournalRecord& record)
{
    const JournalEntry& entry = record.entry;
    QStringList fields{entry.at.toUTC().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss 'UTC'")),
                       entry.action, entry.source};
    QString port = entry.port;
    if (!entry.adapter.isEmpty() && entry.adapter != entry.port)
        port += QStringLiteral(" (%1)").arg(entry.adapter);
    fields << port << entry.model;
    fields << (entry.reason.isEmpty() ? entry.outcome
                                      : entry.outcome + QStringLiteral(": ") + entry.reason);
    fields.removeAll(QString());
    QString text = fields.join(QStringLiteral("  ")) + QLatin1Char('\n');
    QStringList values;
    for (const JournalValue& value : entry.after)
        values << valueText(value);
    text += QStringLiteral("    ") +
            (values.isEmpty() ? tr("values afterwards not known")
                              : tr("afterwards: %1").arg(values.join(QStringLiteral(", ")))) +
            QLatin1Char('\n');
    return text;
}

} // namespace vrn
