// A portable copy of the programs: a file named "portable" beside the executable keeps
// everything they write in the executable's folder.

#include "journal.h"
#include "link.h"
#include "listed_ports.h"
#include "portable_folder.h"
#include "program_settings.h"
#include "station_window.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace vrn;
using namespace Qt::StringLiterals;

class TestPortable : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void markerMakesACopyPortable_data();
    void markerMakesACopyPortable();
    void everythingWrittenGoesIntoTheFolder();
};

void TestPortable::markerMakesACopyPortable_data()
{
    // What lies beside the executable: a file, a folder (empty: none).
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<bool>("portable");
    QTest::newRow("nothing") << QString() << QString() << false;
    QTest::newRow("file named portable") << u"portable"_s << QString() << true;
    QTest::newRow("file of another name") << u"portable.txt"_s << QString() << false;
    QTest::newRow("folder named portable") << QString() << u"portable"_s << false;
}

void TestPortable::markerMakesACopyPortable()
{
    QFETCH(QString, file);
    QFETCH(QString, folder);
    QFETCH(bool, portable);
    QTemporaryDir executableFolder;
    if (!file.isEmpty()) {
        QFile marker(executableFolder.filePath(file));
        QVERIFY(marker.open(QIODevice::WriteOnly));
    }
    if (!folder.isEmpty())
        QVERIFY(QDir(executableFolder.path()).mkdir(folder));
    QCOMPARE(portableFolderOf(executableFolder.path()),
             portable ? executableFolder.path() : QString());
}

void TestPortable::everythingWrittenGoesIntoTheFolder()
{
    QTemporaryDir folder;
    // The tests' own settings folder and journal stand in for the user's; a portable copy has
    // neither.
    setProgramSettingsFolder({});
    const QByteArray testJournal = qgetenv("VRN_JOURNAL");
    qunsetenv("VRN_JOURNAL");
    usePortableFolder(folder.path());
    QCOMPARE(portableFolder(), folder.path());

    QCOMPARE(programSettings()->fileName(), folder.filePath(u"vrn-pc.ini"_s));
    QCOMPARE(Journal::defaultPath(), folder.filePath(u"journal.jsonl"_s));
#ifdef Q_OS_WIN
    // Qt's file dialog writes to the registry whatever the format: its key goes back as it was.
    const auto qtKey = [] {
        QSettings qt(QSettings::UserScope, u"QtProject"_s);
        qt.setFallbacksEnabled(false);
        QStringList values;
        for (const QString& name : qt.allKeys())
            values << name + u'=' + qt.value(name).toString();
        return values;
    };
    const QStringList before = qtKey();
    QSettings(QSettings::UserScope, u"QtProject"_s)
        .setValue(u"FileDialog/lastVisited"_s, QUrl::fromLocalFile(folder.path()).toString());
    QVERIFY(qtKey() != before);
    restoreQtRegistryKey();
    QCOMPARE(qtKey(), before);
#else
    QCOMPARE(QFileInfo(QSettings(QSettings::UserScope, u"QtProject"_s).fileName()).absolutePath(),
             folder.path());
#endif
    Link link;
    StationWindow station(link, std::make_shared<ListedPorts>());
    QCOMPARE(station.backupFolder(), folder.filePath(u"snapshots"_s));
    // A journal named on purpose still wins.
    qputenv("VRN_JOURNAL", testJournal);
    QCOMPARE(Journal::defaultPath(), QFile::decodeName(testJournal));
}

QTEST_MAIN(TestPortable)
#include "tst_portable.moc"
