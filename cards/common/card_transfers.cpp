#include "cards/common/card_transfers.h"

#include "cards/common/link_messages.h"
#include "link/link.h"
#include "link/slot_table.h"
#include "ui/graphical_button.h"
#include "ui/notices.h"

namespace vrn {

void CardTransfers::report(const QString& text)
{
    m_context.notices.post(m_window, m_window ? m_window->windowTitle() : QString(), text);
}

bool CardTransfers::start(GraphicalButton* button, std::vector<TransferStep> steps,
                          TransferEngine::Done done)
{
    // The link knows whether a transfer runs; the button only shows it. A refused start (a
    // second click on the red button of a transfer that runs, a click in another window, no
    // port) leaves every button as it is.
    LinkError refusal;
    if (!m_context.link.startTransfer(std::move(steps), std::move(done), &refusal)) {
        report(LinkMessages::transferProblem(refusal));
        return false;
    }
    button->setBusy(true);
    return true;
}

void CardTransfers::send(GraphicalButton* button, std::span<const SendFrame> frames,
                         bool settlePauses)
{
    QPointer<GraphicalButton> guard(button);
    start(button, sendSteps(m_context.slots, frames, settlePauses),
          [this, guard](const TransferOutcome& outcome) {
              if (!guard)
                  return; // the window closed while its transfer ran
              guard->setBusy(false);
              if (!outcome.ok)
                  report(LinkMessages::transferProblem(outcome.error));
          });
}

void CardTransfers::read(GraphicalButton* button, std::span<const ReplyValue> checked,
                         ApplyReply apply)
{
    QPointer<GraphicalButton> guard(button);
    std::vector<ReplyValue> values(checked.begin(), checked.end());
    start(button, {TransferStep::readRequest()},
          [this, guard, values, apply](const TransferOutcome& outcome) {
              if (!guard)
                  return;
              if (!outcome.ok) {
                  guard->setBusy(false);
                  report(LinkMessages::transferProblem(outcome.error));
                  return;
              }
              const ReplyFields fields(outcome.reply);
              if (const auto problem = checkReply(fields, values)) {
                  guard->setBusy(false);
                  report(*problem);
                  return;
              }
              apply(fields);
              guard->setBusy(false);
          });
}

} // namespace vrn
