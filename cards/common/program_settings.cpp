#include "cards/common/program_settings.h"

#include <QStandardPaths>

namespace vrn {

std::unique_ptr<QSettings> programSettings()
{
    // In the user's configuration folder ("~/.config/VRN-PC/vrn-pc.ini" on Linux), in a form
    // that reads the same on every system.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return std::make_unique<QSettings>(folder + QStringLiteral("/VRN-PC/vrn-pc.ini"),
                                       QSettings::IniFormat);
}

} // namespace vrn
