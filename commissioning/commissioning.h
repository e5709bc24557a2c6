#pragma once

#include "commissioning_record.h"

namespace vrn {

class CardWindow;
class CommissioningDialog;

// Puts the commissioning record into a card window: "Commissioning record..." in the menu of
// its status line's More button, and its shortcut Ctrl+Shift+P anywhere in the window.
void addCommissioningRecord(CardWindow& window);

// What the window's commissioning record states now (the serial number and the note are the
// user's to add).
CommissioningRecord commissioningRecordOf(const CardWindow& window);

// Shows the window's commissioning record dialog, creating it the first time; what the user
// still types into a value box is applied first.
CommissioningDialog* showCommissioningRecord(CardWindow& window);

} // namespace vrn
