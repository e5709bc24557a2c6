#include "journal_command.h"

#include "journal.h"
#include "journal_recorder.h"

#include <QDir>
#include <QStringList>

namespace vrn {
namespace {

constexpr int kBadLineStatus = 1;
constexpr int kNoJournalStatus = 2;

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
    return journalEntryText(record.entry);
}

} // namespace vrn
