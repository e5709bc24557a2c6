// vrn-cli: sends, reads and verifies card parameters from the command line, on many ports at
// once, with the card windows' own logic running unseen.

#include "cli_run.h"
#include "port_source.h"
#include "portable_folder.h"
#include "runtime_folder.h"

#include <QApplication>
#include <QLoggingCategory>

int main(int argc, char* argv[])
{
    // The windows do the work without ever being shown: no display is needed, also where the
    // environment names one (a desktop session's QT_QPA_PLATFORM, an ssh login without X).
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QLoggingCategory::setFilterRules(QStringLiteral("qt.qpa.*=false"));
    vrn::provideRuntimeFolder();
    QApplication app(argc, argv);
    // A portable copy keeps the settings and the journal beside vrn-pc, in the same folder.
    vrn::usePortableFolder(vrn::portableFolderOf(QCoreApplication::applicationDirPath()));
    QApplication::setApplicationName(QStringLiteral("vrn-cli"));
    QApplication::setApplicationVersion(QStringLiteral(VRN_VERSION));
    vrn::SystemPorts ports;
    return vrn::runCli(QApplication::arguments(), ports);
}
