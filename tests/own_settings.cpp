// Linked into every test: the program settings and the journal live in a folder of the test's
// own, removed when it ends, so a test never reads or writes the user's settings or journal nor
// another test's.

#include "program_settings.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

namespace {

void useOwnSettings()
{
    static QTemporaryDir folder;
    vrn::setProgramSettingsFolder(folder.path());
    // The programs a test starts append to the same one.
    if (qEnvironmentVariableIsEmpty("VRN_JOURNAL"))
        qputenv("VRN_JOURNAL", QFile::encodeName(folder.filePath(QStringLiteral("journal.jsonl"))));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(useOwnSettings)
