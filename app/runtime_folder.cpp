#include "runtime_folder.h"

#include <QByteArray>
#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#endif

namespace vrn {

void provideRuntimeFolder()
{
#ifdef Q_OS_UNIX
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    const passwd* user = ::getpwuid(::geteuid());
    QByteArray tmp = qgetenv("TMPDIR");
    if (tmp.isEmpty())
        tmp = "/tmp";
    // The folder Qt itself falls back to: <temp>/runtime-<user name>.
    const QByteArray folder =
        tmp + "/runtime-" + (user ? QByteArray(user->pw_name) : QByteArray::number(::geteuid()));
    struct stat info
    {
    };
    if (::mkdir(folder.constData(), 0700) != 0 &&
        (::lstat(folder.constData(), &info) != 0 || !S_ISDIR(info.st_mode) ||
         info.st_uid != ::geteuid() || (info.st_mode & 0777) != 0700))
        return; // someone else's, or not private: leave it to Qt, which says so
    ::setenv("XDG_RUNTIME_DIR", folder.constData(), 1);
#endif
}

} // namespace vrn
