#pragma once

namespace vrn {

class FileDialogState;
class Link;
class Notices;
class SlotTable;

// What every card window works with, owned by the application for the whole run.
struct CardContext
{
    SlotTable& slots;
    Link& link;
    FileDialogState& files;
    Notices& notices;
};

} // namespace vrn
