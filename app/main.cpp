#include "application.h"
#include "portable_folder.h"
#include "runtime_folder.h"
#include "translations.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    vrn::provideRuntimeFolder();
    QApplication qtApp(argc, argv);
    vrn::usePortableFolder(vrn::portableFolderOf(QCoreApplication::applicationDirPath()));
    QApplication::setApplicationName(QStringLiteral("VRN-PC"));
    QApplication::setApplicationVersion(QStringLiteral(VRN_VERSION));
    QApplication::setStyle(QStringLiteral("Fusion"));
    vrn::installTranslations(qtApp);
    vrn::Application app;
    app.start();
    return QApplication::exec();
}
