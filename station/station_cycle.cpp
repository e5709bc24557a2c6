#include "station_cycle.h"

#include "card_job.h"
#include "card_window.h"
#include "commissioning.h"
#include "link.h"
#include "link_messages.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace vrn {

QString actionName(CardEvent::Action action)
{
    switch (action) {
    case CardEvent::Action::Send:
        return QStringLiteral("send");
    case CardEvent::Action::Read:
        return QStringLiteral("read");
    case CardEvent::Action::Verify:
        return QStringLiteral("verify");
    case CardEvent::Action::Snapshot:
        return QStringLiteral("snapshot");
    case CardEvent::Action::Restore:
        return QStringLiteral("restore");
    }
    return {};
}

namespace {

// A part of a file name: letters, digits, '.', '_' and '-' as they are, anything else '_'.
QString fileNamePart(const QString& text)
{
    QString part = text.trimmed();
    static const QRegularExpression notAllowed(QStringLiteral("[^A-Za-z0-9._-]"));
    part.replace(notAllowed, QStringLiteral("_"));
    // No hidden file, and no name of dots alone.
    while (part.startsWith(QLatin1Char('.')))
        part[0] = QLatin1Char('_');
    return part.left(64);
}

} // namespace

StationCycle::StationCycle(CardJob& job, QObject* parent) : QObject(parent), m_job(job)
{
    connect(&m_job.window(), &CardWindow::transferEnded, this, &StationCycle::onTransferEnded);
}

QString StationCycle::snapshotName(CardModel model, const QString& cardSerial, const QString& port,
                                   const QDateTime& at)
{
    QString who = fileNamePart(cardSerial);
    if (who.isEmpty())
        who = portFileName(port);
    return QStringLiteral("%1-%2-%3.par")
        .arg(modelName(model), who, at.toString(QStringLiteral("yyyyMMdd-HHmmss")));
}

bool StationCycle::start(const Setup& setup, const QString& cardSerial)
{
    if (isRunning())
        return false;
    m_setup = setup;
    m_serial = cardSerial;
    m_restoring = false;
    m_sentFile = setup.recipe;
    m_result = {};
    setStep(Step::Snapshot);
    m_job.window().read(); // a refusal ends the cycle through transferEnded()
    return true;
}

bool StationCycle::restore(const QString& snapshot, const QString& cardSerial,
                           const QString& operatorName)
{
    if (isRunning())
        return false;
    m_setup = {};
    m_setup.operatorName = operatorName;
    m_serial = cardSerial;
    m_restoring = true;
    m_sentFile = snapshot;
    m_result = {};
    m_result.snapshot = snapshot;
    setStep(Step::Restoring);
    loadAndSend();
    return true;
}

void StationCycle::onTransferEnded(const TransferResult& result)
{
    // Only the cycle starts the job's transfers, so every result is the step's own.
    switch (m_step) {
    case Step::Snapshot:
        if (result.kind == TransferResult::Kind::Read)
            afterSnapshot(result);
        return;
    case Step::Sending:
    case Step::Restoring:
        if (result.kind == TransferResult::Kind::Send)
            afterSend(result);
        return;
    case Step::Verifying:
        if (result.kind == TransferResult::Kind::Verify)
            afterVerify(result);
        return;
    case Step::Idle:
    case Step::Confirming:
    case Step::Recording:
        return;
    }
}

void StationCycle::afterSnapshot(const TransferResult& result)
{
    if (!result.ok()) {
        const QString why = LinkMessages::transferNotice(result);
        if (!record(CardEvent::Action::Snapshot, result, {}, {}, transferOutcome(result), why))
            return;
        // Not started (no port open, or the program's windows use the port): a Send would
        // be refused the same way.
        if (result.ending == TransferResult::Ending::Refused) {
            fail(tr("%1 Nothing was sent.").arg(why));
            return;
        }
        m_result.reason = tr("No snapshot: %1").arg(why);
        setStep(Step::Confirming);
        Q_EMIT confirmationNeeded(m_result.reason);
        return;
    }
    const QString folder = m_setup.backupFolder;
    const QString path = QDir(folder).filePath(snapshotName(
        m_job.model(), m_serial, m_job.link().portName(), QDateTime::currentDateTime()));
    QString saveProblem;
    if (!QDir().mkpath(folder)) {
        saveProblem =
            tr("The backup folder \"%1\" could not be made.").arg(QDir::toNativeSeparators(folder));
    } else if (QFileInfo::exists(path)) {
        // Two snapshots of a card in one second: the first is kept as it is.
        saveProblem = tr("The snapshot \"%1\" exists already.").arg(QDir::toNativeSeparators(path));
    } else {
        m_job.takeTold();
        if (!m_job.window().saveFile(path))
            saveProblem = m_job.takeTold();
    }
    const auto& saved = m_job.window().lastFile();
    const bool kept = saveProblem.isEmpty() && saved && saved->path == path;
    if (!record(CardEvent::Action::Snapshot, result, kept ? path : QString(),
                kept ? saved->sha256 : QByteArray(),
                kept ? QStringLiteral("done") : QStringLiteral("not saved"), saveProblem))
        return;
    if (!kept) {
        m_result.reason = tr("The snapshot was not saved: %1").arg(saveProblem);
        setStep(Step::Confirming);
        Q_EMIT confirmationNeeded(m_result.reason);
        return;
    }
    m_result.snapshot = path;
    loadAndSend();
}

void StationCycle::confirmSend()
{
    if (m_step != Step::Confirming)
        return;
    m_result.reason.clear();
    loadAndSend();
}

void StationCycle::cancel()
{
    if (m_step == Step::Confirming)
        fail(tr("%1 Nothing was sent.").arg(m_result.reason));
}

void StationCycle::loadAndSend()
{
    if (!m_restoring)
        setStep(Step::Sending);
    m_job.takeTold();
    if (!m_job.window().openFile(m_sentFile)) {
        const QString told = m_job.takeTold();
        fail(told.isEmpty() ? tr("The file \"%1\" could not be loaded: nothing was sent.")
                                  .arg(QDir::toNativeSeparators(m_sentFile))
                            : told);
        return;
    }
    if (!m_restoring && m_job.window().lastFile()->sha256 != m_setup.recipeSha256) {
        fail(tr("The recipe \"%1\" was changed since it was chosen: nothing was sent. Choose it "
                "again to send it as it is now.")
                 .arg(QDir::toNativeSeparators(m_sentFile)));
        return;
    }
    // A refusal ends the cycle through transferEnded().
    m_job.window().send();
}

void StationCycle::afterSend(const TransferResult& result)
{
    const auto& file = m_job.window().lastFile();
    const QString why = result.ok() ? QString() : LinkMessages::transferNotice(result);
    if (!record(m_restoring ? CardEvent::Action::Restore : CardEvent::Action::Send, result,
                m_sentFile, file ? file->sha256 : QByteArray(), transferOutcome(result), why))
        return;
    if (!result.ok()) {
        fail(why);
        return;
    }
    setStep(Step::Verifying);
    m_job.window().verify(); // a refusal ends the cycle through transferEnded()
}

void StationCycle::afterVerify(const TransferResult& result)
{
    const std::optional<CardWindow::VerifyResult> verify = m_job.window().lastVerify();
    const bool same = result.ok() && verify && verify->differences.empty();
    const QString why = !result.ok() ? LinkMessages::transferNotice(result)
                        : same       ? QString()
                        : verify     ? verify->differenceSummary()
                                     : tr("The card's reply was not compared.");
    const auto& file = m_job.window().lastFile();
    const QString outcome = !result.ok() ? transferOutcome(result)
                            : same       ? QStringLiteral("verified")
                                         : QStringLiteral("differs");
    if (!record(CardEvent::Action::Verify, result, m_sentFile, file ? file->sha256 : QByteArray(),
                outcome, why))
        return;
    if (!result.ok()) {
        fail(why);
        return;
    }
    if (verify)
        m_result.differences = verify->differences;
    if (!same) {
        fail(why);
        return;
    }
    if (m_setup.writeRecord && !m_restoring) {
        setStep(Step::Recording);
        CommissioningRecord record = commissioningRecordOf(m_job.window());
        record.serialNumber = m_serial;
        record.operatorName = m_setup.operatorName;
        // Beside the card's snapshot, under its name.
        QString pdf = m_result.snapshot;
        if (pdf.isEmpty())
            pdf = QDir(m_setup.backupFolder)
                      .filePath(snapshotName(m_job.model(), m_serial, m_job.link().portName(),
                                             QDateTime::currentDateTime()));
        pdf.chop(4); // ".par"
        pdf += QStringLiteral("-record.pdf");
        if (const std::optional<QString> problem = record.writePdf(pdf)) {
            fail(tr("The card holds the recipe, but its commissioning record was not written: %1")
                     .arg(*problem));
            return;
        }
        m_result.record = pdf;
    }
    m_result.passed = true;
    finish(m_result);
}

bool StationCycle::record(CardEvent::Action action, const TransferResult& result,
                          const QString& file, const QByteArray& sha256, const QString& outcome,
                          const QString& reason)
{
    if (!m_recorder)
        return true;
    CardEvent event;
    event.action = action;
    event.model = m_job.model();
    event.result = result;
    event.file = file;
    event.fileSha256 = sha256;
    event.port = m_job.link().portName();
    event.adapter = m_job.link().adapter().key();
    event.adapterDetails = m_job.link().adapter().details();
    event.cardSerial = m_serial;
    event.operatorName = m_setup.operatorName;
    event.outcome = outcome;
    event.reason = reason;
    if (const std::optional<QString> problem = m_recorder(event)) {
        fail(*problem);
        Q_EMIT recordFailed(*problem);
        return false;
    }
    return true;
}

void StationCycle::setStep(Step step)
{
    m_step = step;
    Q_EMIT stepChanged(step);
}

void StationCycle::fail(const QString& reason)
{
    CycleResult result = m_result;
    result.passed = false;
    result.reason = reason;
    finish(std::move(result));
}

void StationCycle::finish(CycleResult result)
{
    m_step = Step::Idle;
    Q_EMIT stepChanged(m_step);
    Q_EMIT ended(result);
}

} // namespace vrn
