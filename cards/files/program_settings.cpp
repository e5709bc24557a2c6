#include "program_settings.h"

#include "portable_folder.h"

#include <QStandardPaths>

namespace vrn {
namespace {

QString& settingsFolder()
{
    static QString folder;
    return folder;
}

} // namespace

std::unique_ptr<QSettings> programSettings()
{
    // In the user's configuration folder ("~/.config/VRN-PC/vrn-pc.ini" on Linux), or beside
    // the executable of a portable copy, in a form that reads the same on every system.
    QString folder = settingsFolder();
    if (folder.isEmpty())
        folder = portableFolder();
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                 QStringLiteral("/VRN-PC");
    return std::make_unique<QSettings>(folder + QStringLiteral("/vrn-pc.ini"),
                                       QSettings::IniFormat);
}

void setProgramSettingsFolder(const QString& folder)
{
    settingsFolder() = folder;
}

} // namespace vrn
