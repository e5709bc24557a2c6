#include "card_window.h"

#include "file_dialog_state.h"
#include "file_origins.h"
#include "graphical_button.h"
#include "link.h"
#include "link_messages.h"
#include "notices.h"
#include "program_settings.h"
#include "status_line.h"
#include "value_box.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>

// A value box takes no more than a parameter file holds in a text field, so what it shows saves.
static_assert(vrn::kMaxFileText == vrn::kValueBoxMaxLength);

namespace vrn {
namespace {

// Where the read reply carries each value, checked before any is applied.
std::vector<ReplyValue> replyChecksOf(const CardDescription& card)
{
    std::vector<ReplyValue> checks;
    for (const CardValue& value : card.values)
        checks.push_back(value.reply);
    return checks;
}

const QString kVerifyAfterSendKey = QStringLiteral("verify/afterEverySend");

QString timeNow()
{
    return QTime::currentTime().toString(QStringLiteral("HH:mm:ss"));
}

} // namespace

QString CardWindow::SetElsewhere::text() const
{
    return QCoreApplication::translate("vrn::CardWindow", "%1 set in the %2 window: %3")
        .arg(value.displayName(), modelName(by), valueText(value.unit, code));
}

QString CardWindow::VerifyResult::text() const
{
    QString verdict = differenceSummary();
    if (!setElsewhere.isEmpty())
        verdict += QStringLiteral("; ") + setElsewhere.join(QStringLiteral("; "));
    return verdict;
}

QString CardWindow::VerifyResult::differenceSummary() const
{
    if (differences.empty())
        return QCoreApplication::translate("vrn::CardWindow", "Card holds what this window sends");
    QStringList list;
    for (const ValueDifference& d : differences)
        list << differenceText(d);
    if (differences.size() == 1)
        return QCoreApplication::translate("vrn::CardWindow", "1 value differs: %1")
            .arg(list.first());
    return QCoreApplication::translate("vrn::CardWindow", "%1 values differ: %2")
        .arg(differences.size())
        .arg(list.join(QStringLiteral(", ")));
}

CardWindow::CardWindow(CardContext& context, CardModel model, int clientWidthTwips,
                       int clientHeightTwips, const CardMenuNames& menuNames)
    : ClassicWindow(QString::fromLatin1(cardDescription(model).caption), clientWidthTwips,
                    clientHeightTwips),
      m_context(context), m_model(model), m_description(cardDescription(model)),
      m_replyChecks(replyChecksOf(m_description)), m_form(client()),
      m_menus(addCardMenus(this, menuNames)), m_transfers(context, this, model)
{
    connect(m_menus.save, &QAction::triggered, this, &CardWindow::save);
    connect(m_menus.open, &QAction::triggered, this, &CardWindow::open);
    connect(m_menus.exit, &QAction::triggered, this, &CardWindow::exitRequested);
    buildStatusLine();
    connect(&m_context.link, &Link::portChanged, this, &CardWindow::refreshLinkState);
    connect(&m_context.link.card(), &CardState::changed, this, &CardWindow::refreshCardState);
    connect(&m_context.link.engine(), &TransferEngine::frameAnswered, this,
            [this](int answered, int planned) {
                if (m_running == TransferKind::Send)
                    m_status->setTransferText(tr("Sending %1 of %2...").arg(answered).arg(planned));
            });
    if (m_context.watch)
        connect(m_context.watch, &SlotWatch::written, this, &CardWindow::refreshCardState);
    refreshLinkState();
    // The card's state is told against the window's values, which the window of a model
    // builds after this: on its first showing, and for a window never shown, once it is built.
    m_status->setCardText(tr("Not compared with the card yet"));
    QMetaObject::invokeMethod(this, &CardWindow::refreshCardState, Qt::QueuedConnection);
}

void CardWindow::showEvent(QShowEvent* event)
{
    ClassicWindow::showEvent(event);
    refreshCardState();
}

CardWindow::~CardWindow() = default;

void CardWindow::buildStatusLine()
{
    m_status = new StatusLine(this, StatusLine::Parts::LinkTransferAndCard);
    setStatusBar(m_status);

    m_verifyAction = new QAction(tr("Verify"), this);
    m_verifyAction->setObjectName(QStringLiteral("verify"));
    m_verifyAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V));
    m_verifyAction->setToolTip(tr("Read the card and compare it with what this window sends, "
                                  "changing nothing (%1)")
                                   .arg(shortcutText(m_verifyAction)));
    connect(m_verifyAction, &QAction::triggered, this, &CardWindow::verify);
    addAction(m_verifyAction); // the shortcut works anywhere in the window
    m_status->addCommand(m_verifyAction);
    addTrafficLogCommand(this, m_status, m_context.showTrafficLog);

    m_moreMenu = new QMenu(tr("More"), this);
    m_moreMenu->setObjectName(QStringLiteral("moreMenu"));
    m_verifyAfterSend = m_moreMenu->addAction(tr("Verify after every Send"));
    m_verifyAfterSend->setObjectName(QStringLiteral("verifyAfterSend"));
    m_verifyAfterSend->setCheckable(true);
    m_verifyAfterSend->setChecked(programSettings()->value(kVerifyAfterSendKey, false).toBool());
    connect(m_verifyAfterSend, &QAction::toggled, this, [this](bool on) {
        applyPendingEntry();
        programSettings()->setValue(kVerifyAfterSendKey, on);
    });
    // The option is one for all windows: show what was chosen last, in any of them.
    connect(m_moreMenu, &QMenu::aboutToShow, this, [this] {
        const QSignalBlocker quiet(m_verifyAfterSend);
        m_verifyAfterSend->setChecked(
            programSettings()->value(kVerifyAfterSendKey, false).toBool());
    });
    auto* more = new QAction(tr("More"), this);
    more->setObjectName(QStringLiteral("more"));
    more->setMenu(m_moreMenu);
    more->setToolTip(tr("Verify after every Send, and the commissioning record"));
    m_status->addCommand(more);
}

void CardWindow::applyPendingEntry()
{
    for (ValueBox* box : client()->findChildren<ValueBox*>())
        box->applyPendingEntry();
}

void CardWindow::finishForm()
{
    m_form.finish();
    // The status line was built before the controls, so its commands come first in the focus
    // chain: without a focus of its own the window would open with the focus on Verify, where
    // a Space reads the card. In the Tab cycle they follow the last classic control.
    const QList<QWidget*> classic = m_form.tabOrder();
    if (!classic.isEmpty())
        classic.first()->setFocus(Qt::OtherFocusReason);
}

void CardWindow::setTransferButtons(GraphicalButton* send, GraphicalButton* read, bool settlePauses)
{
    m_sendButton = send;
    m_readButton = read;
    m_settlePauses = settlePauses;
    connect(m_sendButton, &GraphicalButton::clicked, this, &CardWindow::send);
    connect(m_readButton, &GraphicalButton::clicked, this, &CardWindow::read);
}

Codes CardWindow::codesToSend() const
{
    return vrn::codesToSend(m_context.slots, sendFrames());
}

QStringList CardWindow::setElsewhereTexts() const
{
    QStringList texts;
    for (const SetElsewhere& value : valuesSetElsewhere())
        texts << value.text();
    return texts;
}

std::vector<CardWindow::SetElsewhere> CardWindow::valuesSetElsewhere() const
{
    const Codes codes = codesToSend();
    std::vector<SetElsewhere> elsewhere;
    for (const CardValue& value : cardValues()) {
        const int writer = m_context.slots.writer(value.letter);
        const auto code = codes.find(value.letter);
        if (writer < 0 || writer == static_cast<int>(m_model) || code == codes.end())
            continue;
        const std::optional<int> shown = shownCode(value.letter);
        if (shown == code->second)
            continue; // the window shows what the other one set
        elsewhere.push_back({value, code->second, static_cast<CardModel>(writer), shown});
    }
    return elsewhere;
}

std::optional<Codes> CardWindow::cardHolds() const
{
    const CardState& card = m_context.link.card();
    if (!card.isKnown())
        return std::nullopt;
    return card.codes();
}

std::vector<ValueDifference> CardWindow::valuesNotOnCard() const
{
    const std::optional<Codes> card = cardHolds();
    if (!card)
        return {};
    return compareValues(cardValues(), codesToSend(), *card);
}

std::optional<CardWindow::VerifyResult> CardWindow::lastVerify() const
{
    if (!m_lastVerify || m_lastVerify->cardGeneration != m_context.link.card().generation())
        return std::nullopt;
    return m_lastVerify;
}

void CardWindow::started(TransferKind kind)
{
    m_running = kind;
    m_cardBefore = cardHolds();
    switch (kind) {
    case TransferKind::Send:
        m_status->setTransferText(tr("Sending..."));
        break;
    case TransferKind::Read:
        m_status->setTransferText(tr("Reading..."));
        break;
    case TransferKind::Verify:
        m_status->setTransferText(tr("Verifying..."));
        break;
    }
}

bool CardWindow::send()
{
    applyPendingEntry();
    if (const QStringList elsewhere = setElsewhereTexts();
        !elsewhere.isEmpty() && !m_context.link.isBusy()) {
        m_context.link.traffic().addEvent(
            static_cast<int>(m_model),
            tr("%1 Send carries values another window set: %2")
                .arg(modelName(m_model), elsewhere.join(QStringLiteral("; "))));
    }
    const bool ok = m_transfers.send(m_sendButton, sendFrames(), m_settlePauses,
                                     [this](const TransferResult& result) { ended(result); });
    if (ok)
        started(TransferKind::Send);
    return ok;
}

bool CardWindow::read()
{
    applyPendingEntry();
    const bool ok = m_transfers.read(
        m_readButton, replyChecks(), [this](const ReplyFields& fields) { applyReply(fields); },
        [this](const TransferResult& result) { ended(result); });
    if (ok)
        started(TransferKind::Read);
    return ok;
}

bool CardWindow::verify()
{
    applyPendingEntry();
    const bool ok =
        m_transfers.verify(replyChecks(), [this](const TransferResult& result) { ended(result); });
    if (ok)
        started(TransferKind::Verify);
    return ok;
}

void CardWindow::tellResult(const TransferResult& result)
{
    using Ending = TransferResult::Ending;
    const auto log = [this](const QString& text) {
        // "VRN-B Send failed: ..." beside the frames and answers of the transfer.
        m_context.link.traffic().addEvent(static_cast<int>(m_model),
                                          QStringLiteral("%1 %2").arg(modelName(m_model), text));
    };
    const QString text = LinkMessages::transferNotice(result);
    // For a Read or a Verify: which of them.
    const QString what = result.kind == TransferKind::Read
                             ? QCoreApplication::translate("CardTransfers", "Read")
                             : QCoreApplication::translate("CardTransfers", "Verify");
    switch (result.ending) {
    case Ending::Refused:
        log(QCoreApplication::translate("CardTransfers", "refused: %1").arg(text));
        break;
    case Ending::Failed:
        if (result.kind == TransferKind::Send)
            log(QCoreApplication::translate("CardTransfers", "Send failed: %1").arg(text));
        else
            log(QCoreApplication::translate("CardTransfers", "%1 failed: %2").arg(what, text));
        break;
    case Ending::ReplyRefused:
        log(QStringLiteral("%1: %2").arg(what, text));
        break;
    case Ending::Done:
        if (result.kind == TransferKind::Send)
            log(QCoreApplication::translate("CardTransfers",
                                            "Send done: the card answered all %1 frames")
                    .arg(result.framesPlanned));
        else if (result.kind == TransferKind::Read)
            log(QCoreApplication::translate("CardTransfers", "Read: reply accepted"));
        // A Verify's window tells its verdict itself.
        return;
    }
    Notices::Offer offer;
    // With no port open the way on is the launcher's "Seriale" menu: the message brings the
    // launcher back, also when it was closed.
    if (result.error.reason == LinkError::Reason::NoPortOpen && m_context.showLauncher)
        offer = {QCoreApplication::translate("CardTransfers", "Show the launcher"),
                 m_context.showLauncher};
    m_context.notices.post(this, windowTitle(), text, offer);
}

void CardWindow::ended(const TransferResult& told)
{
    TransferResult result = told;
    // What the card was known to hold as the transfer started; a refused one did not start.
    result.cardBefore =
        told.ending == TransferResult::Ending::Refused || !m_running ? cardHolds() : m_cardBefore;
    if (result.kind == TransferKind::Verify && result.ok())
        compareWithCard(result.cardCodes);
    tellResult(result);
    if (result.ending == TransferResult::Ending::Refused) {
        // Nothing ran: the window's own transfer, if one runs, goes on.
        Q_EMIT transferEnded(result);
        return;
    }
    m_running.reset();
    switch (result.kind) {
    case TransferKind::Send:
        if (result.ok()) {
            m_status->setTransferText(tr("Sent at %1").arg(timeNow()));
        } else {
            m_status->setTransferText(tr("Send failed after %1 of %2 frames")
                                          .arg(result.framesAnswered)
                                          .arg(result.framesPlanned));
        }
        break;
    case TransferKind::Read:
        if (result.ok())
            m_status->setTransferText(tr("Read at %1").arg(timeNow()));
        else if (result.ending == TransferResult::Ending::ReplyRefused)
            m_status->setTransferText(tr("Reply refused at %1").arg(timeNow()));
        else
            m_status->setTransferText(tr("Read failed at %1").arg(timeNow()));
        refreshCardState();
        break;
    case TransferKind::Verify:
        if (!result.ok()) {
            m_status->setTransferText(tr("Verify failed at %1").arg(timeNow()));
        } else {
            m_status->setTransferText(tr("Verified at %1").arg(timeNow()));
            showVerifyResult();
        }
        break;
    }
    Q_EMIT transferEnded(result);
    if (result.kind == TransferKind::Send && result.ok() && m_followVerifyOption &&
        programSettings()->value(kVerifyAfterSendKey, false).toBool())
        verify();
}

void CardWindow::compareWithCard(const Codes& card)
{
    m_lastVerify =
        VerifyResult{QDateTime::currentDateTime(), compareValues(cardValues(), codesToSend(), card),
                     m_context.link.card().generation(), setElsewhereTexts()};
    m_context.link.traffic().addEvent(
        static_cast<int>(m_model),
        tr("%1 Verify: %2").arg(modelName(m_model), m_lastVerify->text()));
    refreshCardState();
    Q_EMIT verified();
}

void CardWindow::showVerifyResult()
{
    // The whole comparison, value by value, for the details view of the message.
    QStringList rows;
    const Codes window = codesToSend();
    const Codes card = cardHolds().value_or(Codes{});
    for (const CardValue& value : cardValues()) {
        const auto show = [&value](const Codes& codes) {
            const auto it = codes.find(value.letter);
            return it == codes.end() ? tr("not set") : valueText(value.unit, it->second);
        };
        const bool same = window.count(value.letter) && card.count(value.letter) &&
                          window.at(value.letter) == card.at(value.letter);
        QString shownHere;
        for (const SetElsewhere& other : valuesSetElsewhere()) {
            if (other.value.letter == value.letter)
                shownHere =
                    tr(" (set in the %1 window; this window shows %2)")
                        .arg(modelName(other.by), other.shown ? valueText(value.unit, *other.shown)
                                                              : tr("no one value"));
        }
        rows << tr("%1: window %2%3, card %4%5")
                    .arg(value.displayName(), show(window), shownHere, show(card),
                         same ? QString() : tr("  (differs)"));
    }
    if (!m_context.notices.showsWindows())
        return;
    // One result at a time: a Verify after every Send brings the same box up to date.
    if (!m_verifyBox) {
        m_verifyBox = new QMessageBox(this);
        m_verifyBox->setObjectName(QStringLiteral("verifyResult"));
        m_verifyBox->setWindowTitle(windowTitle());
        m_verifyBox->setStandardButtons(QMessageBox::Ok);
        m_verifyBox->setAttribute(Qt::WA_DeleteOnClose);
        m_verifyBox->setWindowModality(Qt::NonModal);
    }
    m_verifyBox->setIcon(m_lastVerify->differences.empty() ? QMessageBox::Information
                                                           : QMessageBox::Warning);
    m_verifyBox->setText(m_lastVerify->text());
    m_verifyBox->setDetailedText(rows.join(QLatin1Char('\n')));
    m_verifyBox->show();
    m_verifyBox->raise();
}

void CardWindow::refreshLinkState()
{
    m_status->setLinkText(LinkMessages::linkState(m_context.link),
                          LinkMessages::adapterDetails(m_context.link));
    // "Sent at ..." was said of the card on the port before.
    const QString port = m_context.link.portName();
    if (port != m_statusPort && !m_running)
        m_status->setTransferText({});
    m_statusPort = port;
}

void CardWindow::refreshCardState()
{
    m_status->setCardText(cardStateText());
}

QString CardWindow::cardStateText() const
{
    // What the window does not show is said first: the boxes keep the classic behaviour.
    QString elsewhere = setElsewhereTexts().join(QStringLiteral("; "));
    if (!elsewhere.isEmpty())
        elsewhere += QStringLiteral("; ");
    const CardState& card = m_context.link.card();
    if (!card.isKnown())
        return elsewhere + (card.mayHoldMix() ? tr("The card may hold a mix of old and new values")
                                              : tr("Not compared with the card yet"));
    // Each value of the window against the card: not set here (an empty frame tells the card
    // nothing), on the card, sent but the card holds another, or changed since.
    QStringList notSent;
    QStringList notKept;
    QStringList notSet;
    const Codes window = codesToSend();
    for (const CardValue& value : cardValues()) {
        const auto it = window.find(value.letter);
        const std::optional<int> held = card.code(value.letter);
        if (it == window.end())
            notSet << value.displayName();
        else if (held == it->second)
            continue;
        else if (held && card.sent(value.letter) == it->second)
            notKept << value.displayName();
        else
            notSent << value.displayName();
    }
    QStringList parts;
    if (notSent.size() == 1)
        parts << tr("1 value not yet sent: %1").arg(notSent.first());
    else if (!notSent.isEmpty())
        parts << tr("%1 values not yet sent: %2")
                     .arg(notSent.size())
                     .arg(notSent.join(QStringLiteral(", ")));
    if (notKept.size() == 1)
        parts << tr("Card holds another value than was sent: %1").arg(notKept.first());
    else if (!notKept.isEmpty())
        parts << tr("Card holds other values than were sent: %1")
                     .arg(notKept.join(QStringLiteral(", ")));
    if (!notSet.isEmpty())
        parts << tr("Not set in this window: %1").arg(notSet.join(QStringLiteral(", ")));
    if (parts.isEmpty())
        return elsewhere + tr("All values are on the card");
    return elsewhere + parts.join(QStringLiteral("; "));
}

void CardWindow::closeEvent(QCloseEvent* event)
{
    ClassicWindow::closeEvent(event);
    if (event->isAccepted())
        Q_EMIT closed();
}

void CardWindow::notify(const QString& text)
{
    m_context.notices.post(this, windowTitle(), text);
}

void CardWindow::save()
{
    if (const std::optional<QString> path = m_context.files.chooseSaveFile(this))
        saveFile(*path); // cancelled: nothing is written
}

void CardWindow::open()
{
    const std::optional<QString> path = m_context.files.chooseOpenFile(this);
    if (!path)
        return; // cancelled: nothing is loaded
    FileFields read = readParameterFields(*path, parameterFileValues());
    if (!read.ok()) {
        notify(read.error);
        return;
    }
    if (const std::optional<QString> doubt = FileOrigins().doubt(read.content, m_model))
        askBeforeLoading(*path, *doubt, std::move(read.fields), read.content);
    else
        load(*path, read.fields, read.content);
}

bool CardWindow::saveFile(const QString& path)
{
    applyPendingEntry();
    const QByteArray bytes = parameterFile();
    if (const auto problem = writeParameterFile(path, bytes)) {
        notify(*problem);
        return false;
    }
    FileOrigins().remember(bytes, m_model);
    m_lastFile = WindowFile{path, QCryptographicHash::hash(bytes, QCryptographicHash::Sha256),
                            codesToSend()};
    Q_EMIT fileSaved(path);
    return true;
}

bool CardWindow::openFile(const QString& path)
{
    const FileFields read = readParameterFields(path, parameterFileValues());
    if (!read.ok()) {
        notify(read.error);
        return false;
    }
    // Nobody is asked here: a file that may be another card's is refused.
    if (const std::optional<QString> doubt = FileOrigins().doubt(read.content, m_model)) {
        notify(tr("The file \"%1\" was not loaded for a %2 card: %3. Nothing was sent to any card.")
                   .arg(QDir::toNativeSeparators(path), modelName(m_model), *doubt));
        return false;
    }
    return load(path, read.fields, read.content);
}

void CardWindow::askBeforeLoading(const QString& path, const QString& doubt,
                                  std::vector<FileField> fields, const QByteArray& content)
{
    // A question still open from an earlier Open is answered "no": the latest Open counts.
    delete m_otherModelQuestion;
    auto* box = new QMessageBox(QMessageBox::Question, windowTitle(),
                                tr("The file \"%1\" may not be a %2 file: %3. Load it into %2?")
                                    .arg(QFileInfo(path).fileName(), modelName(m_model), doubt),
                                QMessageBox::Cancel, this);
    box->setInformativeText(FileOrigins::limits());
    box->setObjectName(QStringLiteral("otherModelFile"));
    box->setAccessibleName(tr("Parameter file of another card"));
    QPushButton* yes =
        box->addButton(tr("&Load into %1").arg(modelName(m_model)), QMessageBox::AcceptRole);
    yes->setObjectName(QStringLiteral("loadOtherModelFile"));
    box->setDefaultButton(QMessageBox::Cancel); // Enter keeps the window as it is
    box->setEscapeButton(QMessageBox::Cancel);
    // Modal for this window only: the other windows and every transfer go on meanwhile.
    box->setWindowModality(Qt::WindowModal);
    connect(box, &QMessageBox::finished, this,
            [this, box, yes, path, content, fields = std::move(fields)] {
                box->deleteLater();
                if (box->clickedButton() == yes)
                    load(path, fields, content);
            });
    m_otherModelQuestion = box;
    box->open();
}

bool CardWindow::load(const QString& path, const std::vector<FileField>& fields,
                      const QByteArray& content)
{
    m_loadAdjustments.clear();
    if (const auto problem = applyParameterFile(fields)) {
        notify(fileRefusal(path, *problem));
        return false;
    }
    m_lastFile = WindowFile{path, QCryptographicHash::hash(content, QCryptographicHash::Sha256),
                            codesToSend()};
    // Values beyond what the card takes were set as a typed entry sets them: say which.
    if (!m_loadAdjustments.isEmpty()) {
        notify(
            tr("The file \"%1\" was loaded, but some of its values were out of range and "
               "were set to the nearest value the card takes: %2.")
                .arg(QDir::toNativeSeparators(path), m_loadAdjustments.join(QStringLiteral("; "))));
        m_loadAdjustments.clear();
    }
    return true;
}

QToolButton* addTrafficLogCommand(QWidget* window, StatusLine* statusLine,
                                  std::function<void()> show)
{
    auto* action =
        new QAction(QCoreApplication::translate("vrn::TrafficLogWindow", "Traffic log"), window);
    action->setObjectName(QStringLiteral("trafficLog"));
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L));
    action->setToolTip(
        QCoreApplication::translate(
            "vrn::TrafficLogWindow",
            "Show every frame sent to the card and every answer, with what they mean (%1)")
            .arg(shortcutText(action)));
    action->setEnabled(static_cast<bool>(show));
    if (show)
        QObject::connect(action, &QAction::triggered, window, [show] { show(); });
    window->addAction(action); // the shortcut works anywhere in the window
    return statusLine->addCommand(action);
}

} // namespace vrn
