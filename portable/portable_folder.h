#pragma once

#include <QString>

namespace vrn {

// The folder a portable copy of the programs keeps everything it writes in: `executableFolder`
// itself when a file named "portable" lies in it (a copy on a USB stick, or unpacked where the
// technician keeps it), otherwise empty.
QString portableFolderOf(const QString& executableFolder);

// Called once by each program's main, before anything is written, with portableFolderOf() of
// the executable's folder. A folder given: the program settings, the journal, the station's
// snapshots and the settings of Qt's file dialog go into it as files; empty: the user's
// folders, as always. On Windows Qt's file dialog keeps its settings in the registry whatever
// the format asked for: there the key it writes is put back as it was when the program ends.
void usePortableFolder(const QString& folder);

// Puts the registry key of Qt's file dialog back as usePortableFolder() found it (Windows; does
// nothing elsewhere or without a portable folder). Runs by itself when the program ends.
void restoreQtRegistryKey();

// The folder usePortableFolder() was given; empty where the programs use the user's folders.
QString portableFolder();

} // namespace vrn
