#pragma once

namespace vrn {

// Whom the program's messages speak to: the user of the windows, who chooses ports and files
// with menus, or the user of vrn-cli in a shell, who names them with options. One program is
// the one or the other for its whole run.
enum class Audience { Windows, Shell };

void setAudience(Audience audience);
Audience audience();
inline bool speaksToShell()
{
    return audience() == Audience::Shell;
}

} // namespace vrn
