#include "translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace vrn {
namespace {

const QString kBuiltIn = QStringLiteral(":/translations");

// Installs the catalogue <name>_<language>.qm of the first folder that has it for the user's
// language; true when one was installed.
bool install(QCoreApplication& app, const QString& name, const QStringList& folders)
{
    for (const QString& folder : folders) {
        auto* translator = new QTranslator(&app);
        if (translator->load(QLocale(), name, QStringLiteral("_"), folder)) {
            QCoreApplication::installTranslator(translator);
            return true;
        }
        delete translator;
    }
    return false;
}

} // namespace

void installTranslations(QCoreApplication& app)
{
    // The program's own translations, and Qt's for the same languages, are built into it;
    // Qt's are also looked for where the system keeps them, for a build that lacked them.
    if (!install(app, QStringLiteral("vrn-pc"), {kBuiltIn}))
        return; // no translation of ours: Qt's own texts stay English with ours
    const QStringList qtFolders{kBuiltIn, QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
    install(app, QStringLiteral("qtbase"), qtFolders);
    install(app, QStringLiteral("qtserialport"), qtFolders);
}

} // namespace vrn
