#include "card_transfers.h"

#include "graphical_button.h"
#include "link.h"
#include "slot_table.h"

namespace vrn {

bool CardTransfers::start(TransferResult::Kind kind, GraphicalButton* button,
                          std::vector<TransferStep> steps, TransferEngine::Done done,
                          const Ended& ended)
{
    // The link knows whether a transfer runs; the button only shows it. A refused start (a
    // second click on the red button of a transfer that runs, a click in another window, no
    // port) leaves every button as it is.
    LinkError refusal;
    if (!m_context.link.startTransfer(std::move(steps), std::move(done), &refusal,
                                      static_cast<int>(m_model))) {
        TransferResult result;
        result.kind = kind;
        result.ending = TransferResult::Ending::Refused;
        result.error = refusal;
        ended(result);
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
        TransferResult::Kind::Send, button, sendSteps(m_context.slots, frames, settlePauses),
        [this, guard, ended](const TransferOutcome& outcome) {
            if (!guard)
                return; // the window closed while its transfer ran
            guard->setBusy(false);
            TransferResult result;
            result.kind = TransferResult::Kind::Send;
            result.ending =
                outcome.ok ? TransferResult::Ending::Done : TransferResult::Ending::Failed;
            result.error = outcome.error;
            result.framesAnswered = outcome.framesAnswered;
            result.framesPlanned = outcome.framesPlanned;
            if (outcome.ok) {
                CardState& card = m_context.link.card();
                card.sendDone(outcome.framesSent, m_context.link.portName());
                result.cardCodes = card.codes();
            }
            ended(result);
        },
        ended);
}

bool CardTransfers::read(GraphicalButton* button, std::span<const ReplyValue> checked,
                         ApplyReply apply, Ended ended)
{
    return readReply(TransferResult::Kind::Read, button, checked, std::move(apply),
                     std::move(ended));
}

bool CardTransfers::verify(std::span<const ReplyValue> checked, Ended ended)
{
    return readReply(TransferResult::Kind::Verify, nullptr, checked, {}, std::move(ended));
}

bool CardTransfers::readReply(TransferResult::Kind kind, GraphicalButton* button,
                              std::span<const ReplyValue> checked, ApplyReply apply, Ended ended)
{
    QPointer<GraphicalButton> guard(button);
    QPointer<QWidget> window = m_window;
    std::vector<ReplyValue> values(checked.begin(), checked.end());
    const bool withButton = button != nullptr;
    return start(
        kind, button, {TransferStep::readRequest()},
        [this, kind, guard, window, withButton, values, apply,
         ended](const TransferOutcome& outcome) {
            if (withButton ? !guard : !window)
                return; // the window closed while its transfer ran
            TransferResult result;
            result.kind = kind;
            result.ending = TransferResult::Ending::Failed;
            result.error = outcome.error;
            if (outcome.ok) {
                // The reply is decoded once, here: the card state, the window and whoever
                // waits for the result take its codes from the result.
                const ReplyFields fields(outcome.reply);
                result.replyProblems = replyProblems(fields, values);
                CardState& card = m_context.link.card();
                if (result.replyProblems.empty()) {
                    result.ending = TransferResult::Ending::Done;
                    result.cardCodes = codesInReply(fields);
                    card.replyAccepted(result.cardCodes,
                                       kind == TransferResult::Kind::Read
                                           ? CardState::Source::Read
                                           : CardState::Source::Verify,
                                       m_context.link.portName());
                    if (apply)
                        apply(fields); // the button stays red until the reply is applied
                } else {
                    result.ending = TransferResult::Ending::ReplyRefused;
                    card.forget(); // a reply that makes no sense: what the card holds is not
                                   // known
                }
            }
            if (guard)
                guard->setBusy(false);
            ended(result);
        },
        ended);
}

} // namespace vrn
