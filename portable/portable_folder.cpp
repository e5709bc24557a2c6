#include "portable_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace vrn {
namespace {

QString& chosenFolder()
{
    static QString folder;
    return folder;
}

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
}

QString portableFolder()
{
    return chosenFolder();
}

} // namespace vrn
