#include "card_transfers.h"

#include "graphical_button.h"
#include "link.h"
#include "link_messages.h"
#include "notices.h"
#include "slot_table.h"

#include <QCoreApplication>

namespace vrn {

void CardTransfers::report(const QString& text, LinkError::Reason reason)
{
    Notices::Offer offer;
    // With no port open the way on is the launcher's "Seriale" menu: the message brings the
    // launcher back, also when it was closed.
    if (reason == LinkError::Reason::NoPortOpen && m_context.showLauncher)
        offer = {QCoreApplication::translate("CardTransfers", "Show the launcher"),
                 m_context.showLauncher};
    m_context.notices.post(m_window, m_window ? m_window->windowTitle() : QString(), text, offer);
}

void CardTransfers::log(const QString& text)
{
    // "VRN-B Send failed: ..." beside the frames and answers of the transfer.
    m_context.link.traffic().addEvent(static_cast<int>(m_model),
                                      QStringLiteral("%1 %2").arg(modelName(m_model), text));
}

bool CardTransfers::start(GraphicalButton* button, std::vector<TransferStep> steps,
                          TransferEngine::Done done)
{
    // The link knows whether a transfer runs; the button only shows it. A refused start (a
    // second click on the red button of a transfer that runs, a click in another window, no
    // port) leaves every button as it is.
    LinkError refusal;
    if (!m_context.link.startTransfer(std::move(steps), std::move(done), &refusal,
                                      static_cast<int>(m_model))) {
        const QString text = LinkMessages::transferProblem(refusal);
        log(QCoreApplication::translate("CardTransfers", "refused: %1").arg(text));
        report(text, refusal.reason);
        return false;
    }
    if (button)
        button->setBusy(true);
    return true;
}

bool CardTransfers::send(GraphicalButton* button, std::span<const SendFrame> frames,
                         bool settlePauses, Ended ended)
{
    QPointer<GraphicalButton> guard(button);
    return start(
        button, sendSteps(m_context.slots, frames, settlePauses),
        [this, guard, ended](const TransferOutcome& outcome) {
            if (!guard)
                return; // the window closed while its transfer ran
            guard->setBusy(false);
            if (outcome.ok) {
                m_context.link.card().sendDone(outcome.framesSent, m_context.link.portName());
                log(QCoreApplication::translate("CardTransfers",
                                                "Send done: the card answered all %1 frames")
                        .arg(outcome.framesPlanned));
            }
            if (!outcome.ok) {
                QString text = LinkMessages::transferProblem(outcome.error);
                // Every answered frame may have changed the card: say how far the Send got.
                if (outcome.framesAnswered > 0) {
                    text += QLatin1Char(' ') +
                            QCoreApplication::translate(
                                "CardTransfers",
                                "The card answered %1 of the %2 frames of this Send and may "
                                "now hold a mix of old and new values. Send again once the card "
                                "answers.")
                                .arg(outcome.framesAnswered)
                                .arg(outcome.framesPlanned);
                }
                log(QCoreApplication::translate("CardTransfers", "Send failed: %1").arg(text));
                report(text, outcome.error.reason);
            }
            if (ended)
                ended(outcome, outcome.ok);
        });
}

bool CardTransfers::read(GraphicalButton* button, std::span<const ReplyValue> checked,
                         ApplyReply apply, Ended ended)
{
    return readReply(button, checked, std::move(apply), std::move(ended));
}

bool CardTransfers::verify(std::span<const ReplyValue> checked, ApplyReply compare, Ended ended)
{
    return readReply(nullptr, checked, std::move(compare), std::move(ended));
}

bool CardTransfers::readReply(GraphicalButton* button, std::span<const ReplyValue> checked,
                              ApplyReply apply, Ended ended)
{
    QPointer<GraphicalButton> guard(button);
    QPointer<QWidget> window = m_window;
    std::vector<ReplyValue> values(checked.begin(), checked.end());
    const bool withButton = button != nullptr;
    return start(
        button, {TransferStep::readRequest()},
        [this, guard, window, withButton, values, apply, ended](const TransferOutcome& outcome) {
            if (withButton ? !guard : !window)
                return; // the window closed while its transfer ran
            const ReplyFields fields(outcome.reply);
            const std::optional<QString> refused =
                outcome.ok ? checkReply(fields, values) : std::nullopt;
            const bool accepted = outcome.ok && !refused;
            CardState& card = m_context.link.card();
            if (accepted) {
                card.replyAccepted(fields,
                                   withButton ? CardState::Source::Read : CardState::Source::Verify,
                                   m_context.link.portName());
                apply(fields); // the button stays red until the reply is applied
            } else if (refused) {
                card.forget(); // a reply that makes no sense: what the card holds is not known
            }
            if (guard)
                guard->setBusy(false);
            const QString what = withButton
                                     ? QCoreApplication::translate("CardTransfers", "Read")
                                     : QCoreApplication::translate("CardTransfers", "Verify");
            if (!outcome.ok) {
                const QString text = LinkMessages::transferProblem(outcome.error);
                log(QCoreApplication::translate("CardTransfers", "%1 failed: %2").arg(what, text));
                report(text, outcome.error.reason);
            } else if (refused) {
                log(QStringLiteral("%1: %2").arg(what, *refused));
                report(*refused);
            } else if (withButton) {
                // A Verify's window tells its verdict itself.
                log(QCoreApplication::translate("CardTransfers", "Read: reply accepted"));
            }
            if (ended)
                ended(outcome, accepted);
        });
}

} // namespace vrn
