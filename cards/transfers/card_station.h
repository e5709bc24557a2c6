#pragma once

#include "card_context.h"
#include "file_dialog_state.h"
#include "link.h"
#include "notices.h"
#include "slot_table.h"

namespace vrn {

// Owns what card windows work with, for as long as they live: the slots with their watch, the
// link, the file dialog's state and the notices, and hands them out as one CardContext. The
// program has one; vrn-cli one for each port; the soak and the tests one each.
struct CardStation
{
    CardStation() = default;
    CardStation(const CardStation&) = delete;
    CardStation& operator=(const CardStation&) = delete;

    SlotTable slots;
    SlotWatch watch{slots};
    Link link;
    FileDialogState files;
    Notices notices;
    CardContext context{slots, link, files, notices, &watch};
};

} // namespace vrn
