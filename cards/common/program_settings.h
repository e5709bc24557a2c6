#pragma once

#include <QSettings>

#include <memory>

namespace vrn {

// The settings VRN-PC keeps between runs (options of the status line, which window saved
// which parameter file). Tests point them at a folder of their own with
// QStandardPaths::setTestModeEnabled().
std::unique_ptr<QSettings> programSettings();

} // namespace vrn
