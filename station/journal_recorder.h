#pragma once

#include "card_event.h"
#include "journal.h"

#include <functional>
#include <optional>

namespace vrn {

class CardWindow;

// The journal entry of a card job's or a window's transfer: the values before and after by
// name, unit and code, the port and its adapter, the file with its SHA-256.
JournalEntry journalEntryOf(const CardEvent& event, const QString& source);

// Appends the event to the journal; the reason for the user when it could not be written.
std::optional<QString> recordInJournal(Journal& journal, const CardEvent& event,
                                       const QString& source);

// The event of a window's transfer as it ended: its outcome, and the window's file when the
// window still holds that file's values.
CardEvent cardEventOf(const CardWindow& window, const TransferResult& result);

// An entry for people, as `vrn-cli journal show` and the station's history list it: when,
// what, from where, port and adapter, card model, outcome and reason, and on a line of its own
// the values on the card afterwards.
QString journalEntryText(const JournalEntry& entry);

// Puts every Send, Read and Verify of a window into the journal (source "window"); a failure
// to write is handed to `problem` and the window carries on.
void journalTransfers(CardWindow& window, Journal& journal,
                      std::function<void(const QString&)> problem);

} // namespace vrn
