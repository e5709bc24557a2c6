// A short seeded run of the fault-injection soak (the core of vrn-soak) with the faults that do
// not wait for a time-out: every check after every transfer must hold, also with the German
// translation installed.

#include "soak.h"

#include <QTest>
#include <QTranslator>

using namespace vrn::soak;

class TestSoak : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void fastFaultsBreakNothing_data();
    void fastFaultsBreakNothing();
};

void TestSoak::fastFaultsBreakNothing_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("transfers");
    QTest::addColumn<QString>("language");
    // Seeds whose runs meet every fast fault, on every window and kind; the first also clicks
    // the red button of a running transfer again, the second reads a reference input of 66.
    QTest::newRow("seed-13") << 13u << 130 << QString();
    QTest::newRow("seed-2024") << 2024u << 130 << QString();
    // The outcomes do not hang on the words of the notices.
    QTest::newRow("seed-13-german") << 13u << 130 << QStringLiteral("de");
}

void TestSoak::fastFaultsBreakNothing()
{
    QFETCH(quint32, seed);
    QFETCH(int, transfers);
    QFETCH(QString, language);
    QTranslator translator;
    if (!language.isEmpty()) {
        QVERIFY(translator.load(QStringLiteral("vrn-pc_") + language,
                                QStringLiteral(":/translations")));
        QCoreApplication::installTranslator(&translator);
    }
    const auto uninstall =
        qScopeGuard([&translator] { QCoreApplication::removeTranslator(&translator); });
    SoakOptions options;
    options.seed = seed;
    options.transfers = transfers;
    options.slowFaults = false;
    const SoakReport report = runSoak(options);

    QVERIFY2(report.violationCount == 0, qPrintable(report.violations.join(u'\n')));

    // The run did what it claims: all windows and kinds, all fast faults, the outcomes they
    // lead to, and no time-out.
    QCOMPARE(report.transfersByWindow.size(), 8);
    int total = 0;
    for (int count : report.transfersByWindow)
        total += count;
    QCOMPARE(total, transfers);
    QCOMPARE(report.faults.size(), 12);
    for (const char* outcome : {"ok", "refused reply", "port lost", "refused: no port open",
                                "second click: refused: another transfer running"})
        QVERIFY2(report.outcomes.value(QLatin1String(outcome)) > 0, outcome);
    QVERIFY2(!report.outcomes.contains(QStringLiteral("time-out")), qPrintable(report.summary()));
}

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"
