#pragma once

#include <functional>

namespace vrn {

class FileDialogState;
class Link;
class Notices;
class SlotTable;
class SlotWatch;

// What every card window works with, owned by the application for the whole run.
struct CardContext
{
    SlotTable& slots;
    Link& link;
    FileDialogState& files;
    Notices& notices;
    // Tells of every slot write; windows follow the slots live where there is one.
    SlotWatch* watch = nullptr;
    // Brings the launcher back (where there is one), for messages that send the user there.
    std::function<void()> showLauncher = {};
    // Shows the traffic log (where there is one) and brings it to the front.
    std::function<void()> showTrafficLog = {};
};

} // namespace vrn
