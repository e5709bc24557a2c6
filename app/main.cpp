#include "app/application.h"
#include "app/translations.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VRN-PC"));
    QApplication::setStyle(QStringLiteral("Fusion"));
    vrn::installTranslations(qtApp);
    vrn::Application app;
    app.start();
    return QApplication::exec();
}
