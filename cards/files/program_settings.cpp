#include "program_settings.h"

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
    // In the user's configuration folder ("~/.config/VRN-PC/vrn-pc.ini" on Linux), in a form
    // that reads the same on every system.
    const QString folder =
        settingsFolder().isEmpty()
            ? QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                  QStringLiteral("/VRN-PC")
            : settingsFolder();
    return std::make_unique<QSettings>(folder + QStringLiteral("/vrn-pc.ini"),
                                       QSettings::IniFormat);
}

void setProgramSettingsFolder(const QString& folder)
{
    settingsFolder() = folder;
}

} // namespace vrn
