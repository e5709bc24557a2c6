// Compare: a parameter file against another file and against the card on the program's port,
// each file read by a hidden card window's own Open; the program's slots stay as they were.

#include "application.h"
#include "card_job.h"
#include "card_station.h"
#include "card_window.h"
#include "compare_window.h"
#include "file_origins.h"
#include "form2.h"
#include "program_settings.h"
#include "simulated_transport.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace vrn;

namespace {

constexpr int kWaitMs = 10000; // beyond every time-out of the link

// VRN-B files (slider positions of the maximum current and the over-supply time, then PWM),
// none saved by any window.
const QByteArray kPump = "200\r\n50\r\n\"00003\"\r\n";
const QByteArray kPumpTime = "200\r\n51\r\n\"00003\"\r\n";        // over-supply time differs
const QByteArray kPumpCurrentTime = "201\r\n51\r\n\"00003\"\r\n"; // and the maximum current

// The program's side: its slots, its link on the simulated card, its file dialog.
struct Program
{
    sim::Card card;
    CardStation station;
    QTemporaryDir folder;

    Program() { QVERIFY(sim::openSimulatedCard(station.link, card)); }

    QString write(const QString& name, const QByteArray& bytes)
    {
        const QString path = folder.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    // The simulated card comes to hold what a VRN-B window loading `bytes` would send.
    void cardHolds(const QByteArray& bytes)
    {
        CardJob job(CardModel::VrnB);
        QVERIFY(job.window().openFile(write(QStringLiteral("card.par"), bytes)));
        for (const auto& [letter, code] : job.window().codesToSend())
            card.setParameter(letter, code);
    }
};

// The "differs" column's rows by value name.
QStringList differing(const CompareWindow& window)
{
    auto* table = window.findChild<QTableWidget*>(QStringLiteral("compareTable"));
    QStringList names;
    for (int row = 0; row < table->rowCount(); ++row) {
        if (table->item(row, 4)->text() == QLatin1String("differs"))
            names << table->item(row, 0)->text();
    }
    return names;
}

int rows(const CompareWindow& window)
{
    return window.findChild<QTableWidget*>(QStringLiteral("compareTable"))->rowCount();
}

} // namespace

class TestCompare : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { programSettings()->clear(); }

    void compares_data();
    void compares();
    void refusedShowsNoComparison_data();
    void refusedShowsNoComparison();
    void reachedFromTheMenus_data();
    void reachedFromTheMenus();
};

void TestCompare::compares_data()
{
    QTest::addColumn<bool>("againstCard");
    QTest::addColumn<QByteArray>("fileA");
    QTest::addColumn<QByteArray>("other"); // file B, or what the card holds
    QTest::addColumn<QString>("summary");
    QTest::addColumn<QStringList>("differing");
    QTest::newRow("files-equal") << false << kPump << kPump << "The files hold the same values"
                                 << QStringList();
    QTest::newRow("files-one-differs")
        << false << kPump << kPumpTime << "1 value differs: Over-supply time"
        << QStringList{"Over-supply time"};
    QTest::newRow("files-two-differ-in-send-order")
        << false << kPumpCurrentTime << kPump
        << "2 values differ: Maximum current, Over-supply time"
        << QStringList{"Maximum current", "Over-supply time"};
    QTest::newRow("card-holds-the-file")
        << true << kPump << kPump << "Card holds what the file sends" << QStringList();
    QTest::newRow("card-differs") << true << kPump << kPumpCurrentTime
                                  << "2 values differ: Maximum current, Over-supply time"
                                  << QStringList{"Maximum current", "Over-supply time"};
}

void TestCompare::compares()
{
    QFETCH(bool, againstCard);
    QFETCH(QByteArray, fileA);
    QFETCH(QByteArray, other);
    QFETCH(QString, summary);
    QFETCH(QStringList, differing);
    Program program;
    program.station.slots.setCode('H', 17, int(CardModel::VrnD)); // the program's windows' own
    const SlotTable before = program.station.slots;
    CompareWindow window(program.station.link, program.station.files, CardModel::VrnB);
    window.setFileA(program.write(QStringLiteral("a.par"), fileA));
    if (againstCard) {
        program.cardHolds(other);
    } else {
        window.setAgainst(CompareWindow::Against::File);
        window.setFileB(program.write(QStringLiteral("b.par"), other));
    }
    QSignalSpy verifies(&window, &CompareWindow::transferEnded);
    QSignalSpy compared(&window, &CompareWindow::compared);
    QVERIFY(window.compare());
    QVERIFY(compared.count() || compared.wait(kWaitMs));
    QCOMPARE(window.summary(), summary);
    QCOMPARE(::differing(window), differing);
    QCOMPARE(rows(window), 3); // every value of the model
    // Against the card the comparison is the hidden window's Verify; the program's slots stay.
    QCOMPARE(verifies.count(), againstCard ? 1 : 0);
    QCOMPARE(window.hiddenWindow()->model(), CardModel::VrnB);
    QVERIFY(program.station.slots == before);
    QCOMPARE(program.station.slots.writer('H'), int(CardModel::VrnD));
}

void TestCompare::refusedShowsNoComparison_data()
{
    QTest::addColumn<QString>("why");
    QTest::newRow("file-another-model-saved") << "vrn-d-file";
    QTest::newRow("file-too-short") << "short-file";
    QTest::newRow("no-port-open") << "no-port";
}

void TestCompare::refusedShowsNoComparison()
{
    QFETCH(QString, why);
    Program program;
    QString path = program.write(QStringLiteral("a.par"), kPump);
    if (why == QLatin1String("vrn-d-file"))
        FileOrigins().remember(kPump, CardModel::VrnD);
    else if (why == QLatin1String("short-file"))
        path = program.write(QStringLiteral("a.par"), "200\r\n");
    else
        program.station.link.closePort();
    // What the card window's own Open and Verify say of it, on a context of their own.
    CardJob reference(CardModel::VrnB, &program.station.link);
    if (reference.window().openFile(path))
        QVERIFY(!reference.window().verify());
    const QString told = reference.takeTold();
    QVERIFY(!told.isEmpty());

    CompareWindow window(program.station.link, program.station.files, CardModel::VrnB);
    window.setFileA(path);
    program.card.clearLog();
    QVERIFY(!window.compare());
    QCOMPARE(window.summary(), QStringLiteral("Not compared. ") + told);
    QCOMPARE(rows(window), 0);
    QVERIFY(program.card.framesReceived().isEmpty());
}

void TestCompare::reachedFromTheMenus_data()
{
    QTest::addColumn<int>("window"); // the card window whose More menu is used; -1: the launcher
    QTest::addColumn<int>("chosen");
    QTest::newRow("launcher-seriale-menu") << -1 << int(CardModel::VrnA);
    QTest::newRow("card-window-more-menu-chooses-its-model")
        << int(CardModel::VrnC) << int(CardModel::VrnC);
}

void TestCompare::reachedFromTheMenus()
{
    QFETCH(int, window);
    QFETCH(int, chosen);
    Application app;
    app.setEndHandler([] {});
    app.notices().setShowWindows(false);
    if (window < 0) {
        app.launcher()->findChild<QAction*>(QStringLiteral("seCompare"))->trigger();
    } else {
        QMenu* more = app.showCardWindow(static_cast<CardModel>(window))->moreMenu();
        more->findChild<QAction*>(QStringLiteral("compareWithFile"))->trigger();
    }
    QVERIFY(app.compareWindow() && app.compareWindow()->isVisible());
    QCOMPARE(app.compareWindow()->model(), static_cast<CardModel>(chosen));
}

QTEST_MAIN(TestCompare)
#include "tst_compare.moc"
