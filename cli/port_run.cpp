#include "port_run.h"

#include "card_window.h"
#include "journal_recorder.h"
#include "link_messages.h"

#include <QTimer>

namespace vrn {

QString outcomeName(PortOutcome outcome)
{
    switch (outcome) {
    case PortOutcome::Verified:
        return QStringLiteral("verified");
    case PortOutcome::Differs:
        return QStringLiteral("differs");
    case PortOutcome::Sent:
        return QStringLiteral("sent");
    case PortOutcome::Saved:
        return QStringLiteral("saved");
    case PortOutcome::Failed:
        return QStringLiteral("failed");
    case PortOutcome::RefusedFile:
        return QStringLiteral("refused file");
    case PortOutcome::NotSaved:
        return QStringLiteral("not saved");
    case PortOutcome::Interrupted:
        return QStringLiteral("interrupted");
    }
    return {};
}

PortRun::PortRun(const CliRequest& request, const CliPort& port, QObject* parent)
    : QObject(parent), m_request(request), m_portProblem(port.problem), m_job(request.model),
      m_window(&m_job.window()),
      m_journal(request.journal.isEmpty() ? Journal::defaultPath() : request.journal)
{
    m_result.port = port.device;
    if (port.byAdapter)
        m_result.adapter = port.given;
    m_result.model = request.model;
    m_result.command = request.command;
    m_result.file = request.command == CliRequest::Command::Read ? request.outputFile(port.given)
                                                                 : request.file;
    const std::span<const CardValue> values = cardDescription(request.model).values;
    m_result.values.assign(values.begin(), values.end());

    // A file's problems reach the user as the window's notices; here they become the port's
    // error. A transfer's result comes with transferEnded().
    connect(m_window, &CardWindow::transferEnded, this, &PortRun::onTransferEnded);
    connect(&m_job.link().engine(), &TransferEngine::frameAnswered, this,
            [this](int answered, int planned) {
                m_framesAnswered = answered;
                m_framesPlanned = planned;
                Q_EMIT progressed();
            });
}

PortRun::~PortRun() = default;

bool PortRun::loadFile()
{
    if (m_window->openFile(m_request.file)) {
        m_result.note = toldSinceStart();
        return true;
    }
    finish(PortOutcome::RefusedFile, toldSinceStart());
    return false;
}

void PortRun::cancel(const QString& why)
{
    if (!m_finished)
        finish(PortOutcome::RefusedFile, why);
}

void PortRun::interrupt()
{
    if (m_finished || m_interrupted)
        return;
    m_interrupted = true;
    if (m_stage == Stage::Waiting || !m_job.link().isBusy()) {
        finish(PortOutcome::Interrupted, tr("interrupted before the card was sent anything"));
        return;
    }
    m_job.link().engine().stopAtFrameBoundary();
}

void PortRun::start()
{
    if (m_finished)
        return;
    m_clock.start();
    m_stage = Stage::Opening;
    Q_EMIT progressed();
    const QString& port = m_result.port;
    if (port.isEmpty()) {
        finish(PortOutcome::Failed, m_portProblem);
        return;
    }
    if (!m_job.openPort(port)) {
        finish(PortOutcome::Failed, LinkMessages::portProblem(m_job.link().lastError()));
        return;
    }
    m_job.takeTold(); // what the file's Open told is the note already
    bool started = false;
    switch (m_request.command) {
    case CliRequest::Command::Send:
        m_stage = Stage::Sending;
        started = m_window->send();
        break;
    case CliRequest::Command::Read:
        m_stage = Stage::Reading;
        started = m_window->read();
        break;
    case CliRequest::Command::Verify:
        m_stage = Stage::Verifying;
        started = m_window->verify();
        break;
    case CliRequest::Command::Ports:
    case CliRequest::Command::Journal:
        // Done before any port would run; no card is spoken to.
        finish(PortOutcome::Failed);
        return;
    }
    // A refused start has ended the run already (its result came with transferEnded()).
    if (started)
        Q_EMIT progressed();
}

void PortRun::startVerify()
{
    m_stage = Stage::Verifying;
    if (m_window->verify())
        Q_EMIT progressed();
}

void PortRun::onTransferEnded(const TransferResult& result)
{
    if (m_finished)
        return;
    const CardWindow::TransferKind kind = result.kind;
    const bool ok = result.ok();
    // A Read is put on record once its file is saved, so that the entry names it.
    if (kind != CardWindow::TransferKind::Read || !ok || m_interrupted)
        record(result);
    if (ok && kind != CardWindow::TransferKind::Send)
        m_cardSaid = result.cardCodes;
    if (m_interrupted) {
        QString how;
        if (kind != CardWindow::TransferKind::Send)
            how = tr("interrupted before the card's reply: nothing was changed");
        else if (ok)
            how = tr("interrupted after the Send, before it was verified");
        else if (result.framesAnswered == 0)
            how = tr("interrupted before the card answered a frame: the card was not changed");
        else
            how = tr("interrupted after %1 of %2 frames: the card may hold a mix of old and new "
                     "values")
                      .arg(result.framesAnswered)
                      .arg(result.framesPlanned);
        finish(PortOutcome::Interrupted, how);
        return;
    }
    if (!ok) {
        finish(PortOutcome::Failed, LinkMessages::transferNotice(result));
        return;
    }
    switch (kind) {
    case CardWindow::TransferKind::Send:
        if (m_request.verifyAfterSend)
            startVerify();
        else
            finish(PortOutcome::Sent);
        return;
    case CardWindow::TransferKind::Verify: {
        const bool same = m_window->lastVerify() && m_window->lastVerify()->differences.empty();
        if (m_window->lastVerify())
            m_result.differences = m_window->lastVerify()->differences;
        finish(same ? PortOutcome::Verified : PortOutcome::Differs);
        return;
    }
    case CardWindow::TransferKind::Read:
        m_result.differences = m_window->valuesNotOnCard();
        if (m_window->saveFile(m_result.file)) {
            record(result);
            finish(PortOutcome::Saved);
        } else {
            const QString told = toldSinceStart();
            record(result);
            finish(PortOutcome::NotSaved, told);
        }
        return;
    }
}

void PortRun::record(const TransferResult& result)
{
    if (const auto problem =
            recordInJournal(m_journal, cardEventOf(*m_window, result), QStringLiteral("cli"))) {
        const QString text = tr("%1 This transfer is not in the journal.").arg(*problem);
        m_result.note = m_result.note.isEmpty() ? text : m_result.note + QLatin1Char(' ') + text;
    }
}

QString PortRun::toldSinceStart()
{
    return m_job.takeTold();
}

void PortRun::finish(PortOutcome outcome, const QString& error)
{
    m_finished = true;
    m_stage = Stage::Done;
    m_result.outcome = outcome;
    m_result.error = error;
    m_result.elapsedMs = m_clock.isValid() ? m_clock.elapsed() : 0;
    m_result.fileCodes = m_window->codesToSend();
    // Only what the card itself said: a Send's frames are no news of what it keeps.
    m_result.cardCodes = m_cardSaid;
    // On the next turn of the event loop, out of the port's own signal that ended the
    // transfer: the port is closed, free for others, and the run tells it has ended.
    QTimer::singleShot(0, this, [this] {
        m_job.closePort();
        Q_EMIT finished();
    });
}

QString PortRun::stage() const
{
    switch (m_stage) {
    case Stage::Waiting:
        return tr("waiting");
    case Stage::Opening:
        return tr("opening the port");
    case Stage::Sending:
        if (m_framesPlanned == 0)
            return tr("sending");
        return tr("sending %1/%2").arg(m_framesAnswered).arg(m_framesPlanned);
    case Stage::Verifying:
        return tr("verifying");
    case Stage::Reading:
        return tr("reading");
    case Stage::Done:
        return tr("done");
    }
    return {};
}

} // namespace vrn
