#include "app/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace vrn {

void installTranslations(QCoreApplication& app)
{
    // The program's own translations are built into it (translations/*.ts).
    auto* own = new QTranslator(&app);
    if (own->load(QLocale(), QStringLiteral("vrn-pc"), QStringLiteral("_"),
                  QStringLiteral(":/translations")))
        QCoreApplication::installTranslator(own);
    else
        delete own;
    auto* qt = new QTranslator(&app);
    if (qt->load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
}

} // namespace vrn
