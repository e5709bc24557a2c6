// Linked into every test: the program settings live in a folder of the test's own, removed when
// it ends, so a test never reads or writes the user's settings nor another test's.

#include "program_settings.h"

#include <QCoreApplication>
#include <QTemporaryDir>

namespace {

void useOwnSettings()
{
    static QTemporaryDir folder;
    vrn::setProgramSettingsFolder(folder.path());
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(useOwnSettings)
