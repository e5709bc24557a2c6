#include "portable_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

namespace vrn {
namespace {

QString& chosenFolder()
{
    static QString folder;
    return folder;
}

#ifdef Q_OS_WIN
// HKEY_CURRENT_USER\Software\QtProject: where Qt's file dialog keeps its last folder, its
// history and its view, shared by every Qt program of the user.
constexpr wchar_t kQtRegistryKey[] = L"Software\\QtProject";

struct KeptQtKey
{
    bool kept = false;
    bool existed = false;
    std::vector<std::pair<QString, QVariant>> values;
};

KeptQtKey& keptQtKey()
{
    static KeptQtKey key;
    return key;
}

std::unique_ptr<QSettings> qtDefaults()
{
    auto settings = std::make_unique<QSettings>(QSettings::UserScope, QStringLiteral("QtProject"));
    settings->setFallbacksEnabled(false); // the user's own values, not the machine's
    return settings;
}

void keepQtRegistryKey()
{
    KeptQtKey& key = keptQtKey();
    if (key.kept)
        return;
    key.kept = true;
    HKEY opened = nullptr;
    key.existed =
        ::RegOpenKeyExW(HKEY_CURRENT_USER, kQtRegistryKey, 0, KEY_READ, &opened) == ERROR_SUCCESS;
    if (opened)
        ::RegCloseKey(opened);
    if (key.existed) {
        const auto settings = qtDefaults();
        for (const QString& name : settings->allKeys())
            key.values.emplace_back(name, settings->value(name));
    }
    std::atexit(restoreQtRegistryKey);
}
#endif

} // namespace

QString portableFolderOf(const QString& executableFolder)
{
    if (!QFileInfo(QDir(executableFolder).filePath(QStringLiteral("portable"))).isFile())
        return {};
    return QDir(executableFolder).absolutePath();
}

void usePortableFolder(const QString& folder)
{
    chosenFolder() = folder;
    if (folder.isEmpty())
        return;
    // Every QSettings made without a file name becomes an INI file in the folder, the
    // system-wide ones too, so that the copy reads no other settings of the computer. Qt's own
    // (the file dialog's) ask for the native format: files elsewhere than on Windows, where
    // they stay in the registry.
    QSettings::setDefaultFormat(QSettings::IniFormat);
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
        QSettings::setPath(format, QSettings::UserScope, folder);
        QSettings::setPath(format, QSettings::SystemScope, folder);
    }
#ifdef Q_OS_WIN
    keepQtRegistryKey();
#endif
}

void restoreQtRegistryKey()
{
#ifdef Q_OS_WIN
    const KeptQtKey& key = keptQtKey();
    if (!key.kept)
        return;
    if (!key.existed) {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kQtRegistryKey);
        return;
    }
    const auto settings = qtDefaults();
    settings->clear();
    for (const auto& [name, value] : key.values)
        settings->setValue(name, value);
#endif
}

QString portableFolder()
{
    return chosenFolder();
}

} // namespace vrn
