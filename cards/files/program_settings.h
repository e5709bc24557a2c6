#pragma once

#include <QSettings>
#include <QString>

#include <memory>

namespace vrn {

// The settings VRN-PC keeps between runs (options of the status line, which window saved
// which parameter file).
std::unique_ptr<QSettings> programSettings();

// Puts the settings file into `folder` instead of the user's configuration folder; an empty
// folder goes back to the user's. Tests use it so that they never read or write the user's
// settings, nor each other's.
void setProgramSettingsFolder(const QString& folder);

} // namespace vrn
