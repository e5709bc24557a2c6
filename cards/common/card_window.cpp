#include "cards/common/card_window.h"

#include "cards/common/link_messages.h"
#include "cards/common/program_settings.h"
#include "link/link.h"
#include "ui/file_dialog_state.h"
#include "ui/graphical_button.h"
#include "ui/notices.h"
#include "ui/status_line.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QMenu>
#include <QMessageBox>
#include <QToolButton>

namespace vrn {
namespace {

const QString kVerifyAfterSendKey = QStringLiteral("verify/afterEverySend");

QString timeNow()
{
    return QTime::currentTime().toString(QStringLiteral("HH:mm:ss"));
}

QString names(const std::vector<ValueDifference>& differences)
{
    QStringList list;
    for (const ValueDifference& d : differences)
        list << d.value.displayName();
    return list.join(QStringLiteral(", "));
}

} // namespace

QString CardWindow::VerifyResult::text() const
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

CardWindow::CardWindow(CardContext& context, CardModel model, const QString& caption,
                       int clientWidthTwips, int clientHeightTwips, const CardMenuNames& menuNames)
    : ClassicWindow(caption, clientWidthTwips, clientHeightTwips), m_context(context),
      m_model(model), m_form(client()), m_menus(addCardMenus(this, menuNames)),
      m_transfers(context, this)
{
    connect(m_menus.save, &QAction::triggered, this, &CardWindow::save);
    connect(m_menus.open, &QAction::triggered, this, &CardWindow::open);
    connect(m_menus.exit, &QAction::triggered, this, &CardWindow::exitRequested);
    buildStatusLine();
    connect(&m_context.link, &Link::portChanged, this, &CardWindow::refreshLinkState);
    if (m_context.watch)
        connect(m_context.watch, &SlotWatch::written, this, &CardWindow::refreshCardState);
    refreshLinkState();
    refreshCardState();
}

CardWindow::~CardWindow() = default;

void CardWindow::buildStatusLine()
{
    m_status = new StatusLine(this);
    setStatusBar(m_status);

    m_verifyAction = new QAction(tr("Verify"), this);
    m_verifyAction->setObjectName(QStringLiteral("verify"));
    m_verifyAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V));
    m_verifyAction->setToolTip(tr("Read the card and compare it with what this window sends, "
                                  "changing nothing (Ctrl+Shift+V)"));
    connect(m_verifyAction, &QAction::triggered, this, &CardWindow::verify);
    addAction(m_verifyAction); // the shortcut works anywhere in the window
    m_status->addCommand(m_verifyAction);

    m_moreMenu = new QMenu(tr("More"), this);
    m_moreMenu->setObjectName(QStringLiteral("moreMenu"));
    m_verifyAfterSend = m_moreMenu->addAction(tr("Verify after every Send"));
    m_verifyAfterSend->setObjectName(QStringLiteral("verifyAfterSend"));
    m_verifyAfterSend->setCheckable(true);
    m_verifyAfterSend->setChecked(programSettings()->value(kVerifyAfterSendKey, false).toBool());
    connect(m_verifyAfterSend, &QAction::toggled, this,
            [](bool on) { programSettings()->setValue(kVerifyAfterSendKey, on); });
    // The option is one for all windows: show what was chosen last, in any of them.
    connect(m_moreMenu, &QMenu::aboutToShow, this, [this] {
        const QSignalBlocker quiet(m_verifyAfterSend);
        m_verifyAfterSend->setChecked(
            programSettings()->value(kVerifyAfterSendKey, false).toBool());
    });
    auto* more = new QAction(tr("More"), this);
    more->setObjectName(QStringLiteral("more"));
    more->setMenu(m_moreMenu);
    QToolButton* moreButton = m_status->addCommand(more);
    moreButton->setPopupMode(QToolButton::InstantPopup);
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

std::vector<ValueDifference> CardWindow::valuesNotOnCard() const
{
    if (!m_cardHolds)
        return {};
    return compareValues(cardValues(), codesToSend(), *m_cardHolds);
}

bool CardWindow::send()
{
    return m_transfers.send(m_sendButton, sendFrames(), m_settlePauses,
                            [this](const TransferOutcome& outcome, bool) { sendEnded(outcome); });
}

bool CardWindow::read()
{
    return m_transfers.read(
        m_readButton, replyChecks(), [this](const ReplyFields& fields) { applyReply(fields); },
        [this](const TransferOutcome& outcome, bool accepted) { readEnded(outcome, accepted); });
}

bool CardWindow::verify()
{
    return m_transfers.verify(
        replyChecks(), [this](const ReplyFields& fields) { compareWithCard(fields); },
        [this](const TransferOutcome&, bool accepted) {
            if (!accepted) {
                m_status->setTransferText(tr("Verify failed at %1").arg(timeNow()));
            } else {
                m_status->setTransferText(tr("Verified at %1").arg(timeNow()));
                showVerifyResult();
            }
            Q_EMIT transferEnded(TransferKind::Verify, accepted);
        });
}

void CardWindow::sendEnded(const TransferOutcome& outcome)
{
    if (outcome.ok) {
        m_cardHolds = codesInFrames(outcome.framesSent);
        m_cardMixed = false;
        m_status->setTransferText(tr("Sent %1 of %2 values at %3")
                                      .arg(outcome.framesAnswered)
                                      .arg(outcome.framesPlanned)
                                      .arg(timeNow()));
    } else {
        // Frames the card answered may have changed it: what it holds now is not known.
        m_cardHolds.reset();
        m_cardMixed = outcome.framesAnswered > 0;
        m_status->setTransferText(tr("Send failed after %1 of %2")
                                      .arg(outcome.framesAnswered)
                                      .arg(outcome.framesPlanned));
    }
    refreshCardState();
    Q_EMIT transferEnded(TransferKind::Send, outcome.ok);
    if (outcome.ok && m_followVerifyOption &&
        programSettings()->value(kVerifyAfterSendKey, false).toBool())
        verify();
}

void CardWindow::readEnded(const TransferOutcome& outcome, bool accepted)
{
    if (accepted) {
        m_cardHolds = codesInReply(ReplyFields(outcome.reply));
        m_cardMixed = false;
        m_status->setTransferText(tr("Read at %1").arg(timeNow()));
    } else if (outcome.ok) {
        m_status->setTransferText(tr("Reply refused at %1").arg(timeNow()));
    } else {
        m_status->setTransferText(tr("Read failed at %1").arg(timeNow()));
    }
    refreshCardState();
    Q_EMIT transferEnded(TransferKind::Read, accepted);
}

void CardWindow::compareWithCard(const ReplyFields& fields)
{
    const Codes card = codesInReply(fields);
    m_cardHolds = card;
    m_cardMixed = false;
    m_lastVerify = VerifyResult{QDateTime::currentDateTime(),
                                compareValues(cardValues(), codesToSend(), card)};
    refreshCardState();
    Q_EMIT verified();
}

void CardWindow::showVerifyResult()
{
    // The whole comparison, value by value, for the details view of the message.
    QStringList rows;
    const Codes window = codesToSend();
    const Codes card = m_cardHolds ? *m_cardHolds : Codes{};
    for (const CardValue& value : cardValues()) {
        const auto show = [&value](const Codes& codes) {
            const auto it = codes.find(value.letter);
            return it == codes.end() ? tr("not set") : valueText(value.unit, it->second);
        };
        const bool same = window.count(value.letter) && card.count(value.letter) &&
                          window.at(value.letter) == card.at(value.letter);
        rows << tr("%1: window %2, card %3%4")
                    .arg(value.displayName(), show(window), show(card),
                         same ? QString() : tr("  (differs)"));
    }
    auto* box = new QMessageBox(m_lastVerify->differences.empty() ? QMessageBox::Information
                                                                  : QMessageBox::Warning,
                                windowTitle(), m_lastVerify->text(), QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("verifyResult"));
    box->setDetailedText(rows.join(QLatin1Char('\n')));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    if (m_context.notices.showsWindows())
        box->show();
    else
        box->deleteLater();
}

void CardWindow::refreshLinkState()
{
    m_status->setLinkText(LinkMessages::linkState(m_context.link));
}

void CardWindow::refreshCardState()
{
    if (!m_cardHolds) {
        m_status->setCardText(m_cardMixed ? tr("The card may hold a mix of old and new values")
                                          : tr("Not compared with the card yet"));
        return;
    }
    const std::vector<ValueDifference> differences = valuesNotOnCard();
    if (differences.empty()) {
        m_status->setCardText(tr("All values are on the card"));
        return;
    }
    m_status->setCardText(
        differences.size() == 1
            ? tr("1 value not yet sent: %1").arg(names(differences))
            : tr("%1 values not yet sent: %2").arg(differences.size()).arg(names(differences)));
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
    if (const std::optional<QString> path = m_context.files.chooseOpenFile(this))
        openFile(*path); // cancelled: nothing is loaded
}

bool CardWindow::saveFile(const QString& path)
{
    if (const auto problem = writeParameterFile(path, parameterFile())) {
        notify(*problem);
        return false;
    }
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
    m_loadAdjustments.clear();
    if (const auto problem = applyParameterFile(read.fields)) {
        notify(fileRefusal(path, *problem));
        return false;
    }
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

} // namespace vrn
