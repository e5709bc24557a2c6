#include "journal_recorder.h"

#include "card_window.h"
#include "link.h"
#include "link_messages.h"
#include "port_source.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QStringList>

#include <optional>

namespace vrn {

namespace {

std::vector<JournalValue> valuesOf(CardModel model, const std::optional<Codes>& codes)
{
    std::vector<JournalValue> values;
    if (!codes)
        return values; // not known
    for (const CardValue& value : cardDescription(model).values) {
        const auto code = codes->find(value.letter);
        values.push_back({value.displayName(), unitSymbol(value.unit),
                          code == codes->end() ? std::nullopt : std::optional<int>(code->second)});
    }
    return values;
}

constexpr ValueUnit kValueUnits[] = {ValueUnit::Milliamps,     ValueUnit::Millivolts,
                                     ValueUnit::Seconds,       ValueUnit::TenMilliseconds,
                                     ValueUnit::PwmChoice,     ValueUnit::CoilRange,
                                     ValueUnit::ReferenceInput};

// The unit an entry names, where it is one of the card values' units.
std::optional<ValueUnit> unitNamed(const QString& name)
{
    for (ValueUnit unit : kValueUnits) {
        if (unitSymbol(unit) == name)
            return unit;
    }
    return std::nullopt;
}

// "I Max=2247 mA"; a value of a unit the program does not know by its code.
QString journalValueText(const JournalValue& value)
{
    if (!value.code)
        return QCoreApplication::translate("JournalCommand", "%1 not known").arg(value.name);
    if (const std::optional<ValueUnit> unit = unitNamed(value.unit))
        return value.name + QLatin1Char('=') + vrn::valueText(*unit, *value.code);
    const QString code = QCoreApplication::translate("JournalCommand", "code %1").arg(*value.code);
    return value.name + QLatin1Char('=') +
           (value.unit.isEmpty() ? code : code + QLatin1Char(' ') + value.unit);
}

} // namespace

QString transferOutcome(const TransferResult& result)
{
    switch (result.ending) {
    case TransferResult::Ending::Done:
        return QStringLiteral("done");
    case TransferResult::Ending::Refused:
        return QStringLiteral("refused");
    case TransferResult::Ending::Failed:
        return QStringLiteral("failed");
    case TransferResult::Ending::ReplyRefused:
        return QStringLiteral("reply refused");
    }
    return {};
}

JournalEntry journalEntryOf(const CardEvent& event, const QString& source)
{
    JournalEntry entry;
    entry.at = QDateTime::currentDateTimeUtc();
    entry.action = actionName(event.action);
    entry.source = source;
    entry.operatorName = event.operatorName;
    entry.port = event.port;
    entry.adapter = event.adapter;
    entry.adapterDetails = event.adapterDetails;
    entry.model = modelName(event.model);
    entry.cardSerial = event.cardSerial;
    entry.file = event.file;
    entry.fileSha256 = QString::fromLatin1(event.fileSha256.toHex());
    entry.before = valuesOf(event.model, event.result.cardBefore);
    // After: what the card's reply said, or what a Send that every frame answered put there;
    // after a failure nothing is known of it.
    if (event.result.ok())
        entry.after = valuesOf(event.model, event.result.cardCodes);
    entry.outcome = event.outcome.isEmpty() ? transferOutcome(event.result) : event.outcome;
    entry.reason = event.reason;
    return entry;
}

std::optional<QString> recordInJournal(Journal& journal, const CardEvent& event,
                                       const QString& source)
{
    QString error;
    if (journal.append(journalEntryOf(event, source), &error))
        return std::nullopt;
    return error;
}

CardEvent cardEventOf(const CardWindow& window, const TransferResult& result)
{
    CardEvent event;
    event.action = result.kind == TransferResult::Kind::Send   ? CardEvent::Action::Send
                   : result.kind == TransferResult::Kind::Read ? CardEvent::Action::Read
                                                               : CardEvent::Action::Verify;
    event.model = window.model();
    event.result = result;
    const Link& link = window.link();
    event.port = link.isOpen() || link.transport() ? link.portName() : QString();
    event.adapter = link.adapter().key();
    event.adapterDetails = link.adapter().details();
    // The file only while the window still holds its values: after a Read, or an edit, the
    // values are no longer the file's.
    if (const auto& file = window.lastFile(); file && file->codes == window.codesToSend()) {
        event.file = file->path;
        event.fileSha256 = file->sha256;
    }
    if (result.kind == TransferResult::Kind::Verify && result.ok()) {
        const auto verify = window.lastVerify();
        const bool same = verify && verify->differences.empty();
        event.outcome = same ? QStringLiteral("verified") : QStringLiteral("differs");
        if (!same && verify)
            event.reason = verify->differenceSummary();
    } else if (!result.ok()) {
        event.reason = LinkMessages::transferNotice(result);
    }
    return event;
}

void journalTransfers(CardWindow& window, Journal& journal,
                      std::function<void(const QString&)> problem)
{
    QObject::connect(&window, &CardWindow::transferEnded, &window,
                     [&window, &journal, problem](const TransferResult& result) {
                         if (const auto error = recordInJournal(
                                 journal, cardEventOf(window, result), QStringLiteral("window")))
                             problem(*error);
                     });
}

QString journalEntryText(const JournalEntry& entry)
{
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
        values << journalValueText(value);
    text += QStringLiteral("    ") +
            (values.isEmpty()
                 ? QCoreApplication::translate("JournalCommand", "values afterwards not known")
                 : QCoreApplication::translate("JournalCommand", "afterwards: %1")
                       .arg(values.join(QStringLiteral(", ")))) +
            QLatin1Char('\n');
    return text;
}

} // namespace vrn
