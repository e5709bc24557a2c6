// The commissioning station over cards on pseudo-terminals: each card's cycle (snapshot Read,
// Send of the recipe, Verify) as the operator sees it, and what reaches the card and the disk.

#include "card_job.h"
#include "card_window.h"
#include "journal_recorder.h"
#include "link.h"
#include "listed_ports.h"
#include "protocol.h"
#include "pty_card_server.h"
#include "station_cycle.h"
#include "station_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace vrn;
using namespace Qt::StringLiterals;

namespace {

constexpr int kLongWaitMs = 10000; // beyond every time-out of the link

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A card that held other values than the recipe's before it came to the station.
void presetOldValues(sim::Card& card)
{
    card.setParameter('H', 400);
    card.setParameter('Z', 20);
    card.setParameter('B', 1);
}

// The recipe's values: maximum current 723 (2118 mA), over-supply time 87 (870 ms), PWM (3).
void presetRecipe(sim::Card& card)
{
    card.setParameter('H', 723);
    card.setParameter('Z', 87);
    card.setParameter('B', 3);
}

// What the VRN-B window saves after reading a card holding the given values.
QByteArray savedFrom(void (*preset)(sim::Card&), const QString& path)
{
    sim::PtyCardServer server;
    if (!server.open())
        return {};
    preset(server.card());
    CardJob job(CardModel::VrnB);
    if (!job.openPort(server.slavePath()) || !job.window().read() ||
        !QTest::qWaitFor([&] { return !job.link().isBusy(); }, kLongWaitMs) ||
        !job.window().saveFile(path))
        return {};
    return contents(path);
}

struct Station
{
    QTemporaryDir folder;
    std::shared_ptr<ListedPorts> ports = std::make_shared<ListedPorts>();
    Link programLink;
    StationWindow window{programLink, ports};
    QStringList recorded; // "snapshot done", "send failed", ...
    std::vector<CardEvent> events;

    Station()
    {
        window.setModel(CardModel::VrnB);
        window.setBackupFolder(folder.filePath(u"snapshots"_s));
        window.show();
        window.setRecorder([this](const CardEvent& event) -> std::optional<QString> {
            recorded << actionName(event.action) + u' ' + event.outcome;
            events.push_back(event);
            return std::nullopt;
        });
    }
    QString recipe()
    {
        const QString path = folder.filePath(u"recipe.par"_s);
        savedFrom(presetRecipe, path);
        return path;
    }
    // Types the serial into a row and presses Return, as a barcode scanner does; waits for the
    // verdict.
    bool commission(StationRow* row, const QString& serial)
    {
        row->serialBox()->setFocus();
        row->serialBox()->setText(serial);
        QTest::keyClick(row->serialBox(), Qt::Key_Return);
        return QTest::qWaitFor([row] { return !row->cycle()->isRunning(); }, kLongWaitMs);
    }
};

} // namespace

class TestStation : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cycle_data();
    void cycle();
    void snapshotNotKeptIsAskedAbout();
    void twoPortsAtOnceAndRestore();
    void recordThatCannotBeKeptStopsTheStation();
    void changedRecipeIsNotSentUnasked();
    void journalHoldsTheCycle();
};

void TestStation::cycle_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("verdict");
    QTest::addColumn<QString>("reason"); // a part of the row's details
    QTest::addColumn<QStringList>("recorded");
    QTest::addColumn<int>("cardMaximum"); // what the card's H holds afterwards

    QTest::newRow("pass") << u""_s << u"PASS"_s << u"Snapshot:"_s
                          << QStringList{u"snapshot done"_s, u"send done"_s, u"verify verified"_s}
                          << 723;
    QTest::newRow("a value the card keeps")
        << u"keep H"_s << u"FAIL"_s << u"Maximum current: recipe 2118 mA, card 1172 mA"_s
        << QStringList{u"snapshot done"_s, u"send done"_s, u"verify differs"_s} << 400;
    QTest::newRow("line lost mid-Send") << u"lose after 5"_s << u"FAIL"_s << u"Send"_s
                                        << QStringList{u"snapshot done"_s, u"send failed"_s} << 400;
}

void TestStation::cycle()
{
    QFETCH(QString, fault);
    QFETCH(QString, verdict);
    QFETCH(QString, reason);
    QFETCH(QStringList, recorded);
    QFETCH(int, cardMaximum);

    Station station;
    sim::PtyCardServer server;
    QVERIFY(server.open());
    presetOldValues(server.card());
    if (fault == u"keep H")
        server.card().faults().keptLetters = "H";
    if (fault == u"lose after 5")
        server.card().faults().portLostAfterFrames = 6; // the snapshot's w$ and 5 of the Send
    QVERIFY(station.window.chooseRecipe(station.recipe()));
    StationRow* row = station.window.rows().front();
    row->choosePort(server.slavePath());
    QVERIFY(station.commission(row, u"SN/0042"_s));

    QCOMPARE(row->verdict()->text(), verdict);
    QVERIFY2(row->details()->text().contains(reason), qPrintable(row->details()->text()));
    QCOMPARE(station.recorded, recorded);
    QCOMPARE(server.card().parameter('H'), cardMaximum);
    QCOMPARE(station.events.front().cardSerial, u"SN/0042"_s); // as typed
    // The snapshot is what the window's Save writes of the card's old values, under the
    // serial made fit for a file name.
    const QStringList snapshots = station.window.snapshots(u"SN/0042"_s);
    QCOMPARE(snapshots.size(), 1);
    QVERIFY(QFileInfo(snapshots.first()).fileName().startsWith(u"VRN-B-SN_0042-"_s));
    QCOMPARE(contents(snapshots.first()),
             savedFrom(presetOldValues, station.folder.filePath(u"saved.par"_s)));
    QCOMPARE(station.events.front().fileSha256,
             QCryptographicHash::hash(contents(snapshots.first()), QCryptographicHash::Sha256));
    // Ready for the next card.
    QCOMPARE(QApplication::focusWidget(), row->serialBox());
}

void TestStation::snapshotNotKeptIsAskedAbout()
{
    const struct
    {
        const char* fault;
        const char* answer; // the operator's button
        const char* verdict;
        int cardMaximum;
    } cases[] = {
        {"no answer", "doNotSend", "FAIL", 400},
        {"reply refused", "doNotSend", "FAIL", 400},
        {"backup folder unusable", "doNotSend", "FAIL", 400},
        {"backup folder unusable", "sendAnyway", "PASS", 723},
    };
    for (const auto& c : cases) {
        Station station;
        sim::PtyCardServer server;
        QVERIFY(server.open());
        presetOldValues(server.card());
        const QString fault = QString::fromLatin1(c.fault);
        if (fault == u"no answer")
            server.card().faults().silent = true;
        if (fault == u"reply refused")
            server.card().faults().replyFieldOverrides[protocol::field::kPwm] = "x#?";
        if (fault == u"backup folder unusable") {
            QVERIFY(write(station.folder.filePath(u"a file"_s), "not a folder"));
            station.window.setBackupFolder(station.folder.filePath(u"a file/snapshots"_s));
        }
        QVERIFY(station.window.chooseRecipe(station.recipe()));
        StationRow* row = station.window.rows().front();
        row->choosePort(server.slavePath());
        row->serialBox()->setText(u"A7"_s);
        QTest::keyClick(row->serialBox(), Qt::Key_Return);
        auto* answer = row->findChild<QPushButton*>(QLatin1String(c.answer));
        QVERIFY2(QTest::qWaitFor([answer] { return answer->isVisible(); }, kLongWaitMs), c.fault);
        QCOMPARE(row->verdict()->text(), u"No snapshot"_s);
        server.card().faults().silent = false;
        answer->click();
        QVERIFY(QTest::qWaitFor([row] { return !row->cycle()->isRunning(); }, kLongWaitMs));
        QCOMPARE(row->verdict()->text(), QString::fromLatin1(c.verdict));
        QCOMPARE(server.card().parameter('H'), c.cardMaximum);
    }
}

void TestStation::twoPortsAtOnceAndRestore()
{
    Station station;
    sim::PtyCardServer first, second;
    QVERIFY(first.open() && second.open());
    presetOldValues(first.card());
    presetOldValues(second.card());
    second.card().setParameter('H', 300);
    QVERIFY(station.window.chooseRecipe(station.recipe()));
    StationRow* one = station.window.rows().front();
    StationRow* two = station.window.addRow();
    one->choosePort(first.slavePath());
    two->choosePort(second.slavePath());
    one->serialBox()->setText(u"C1"_s);
    two->serialBox()->setText(u"C2"_s);
    QTest::keyClick(one->serialBox(), Qt::Key_Return);
    QTest::keyClick(two->serialBox(), Qt::Key_Return);
    QVERIFY(two->cycle()->isRunning() && one->cycle()->isRunning()); // side by side
    QVERIFY(QTest::qWaitFor(
        [&] { return !one->cycle()->isRunning() && !two->cycle()->isRunning(); }, kLongWaitMs));
    QCOMPARE(one->verdict()->text(), u"PASS"_s);
    QCOMPARE(two->verdict()->text(), u"PASS"_s);
    QCOMPARE(second.card().parameter('H'), 723);

    // The second card's snapshot put back on it: its old values again.
    const QStringList snapshots = station.window.snapshots(u"C2"_s);
    QCOMPARE(snapshots.size(), 1);
    QVERIFY(two->restore(snapshots.first(), {}));
    QVERIFY(QTest::qWaitFor([&] { return !two->cycle()->isRunning(); }, kLongWaitMs));
    QCOMPARE(two->verdict()->text(), u"PASS"_s);
    QCOMPARE(second.card().parameter('H'), 300);
    QCOMPARE(second.card().parameter('Z'), 20);
    QCOMPARE(first.card().parameter('H'), 723);
    QCOMPARE(station.recorded.mid(station.recorded.size() - 2),
             (QStringList{u"restore done"_s, u"verify verified"_s}));
}

void TestStation::recordThatCannotBeKeptStopsTheStation()
{
    Station station;
    sim::PtyCardServer server;
    QVERIFY(server.open());
    presetOldValues(server.card());
    station.window.setRecorder([](const CardEvent&) -> std::optional<QString> {
        return u"The journal \"j.jsonl\" could not be written: disk full."_s;
    });
    QVERIFY(station.window.chooseRecipe(station.recipe()));
    StationRow* row = station.window.rows().front();
    row->choosePort(server.slavePath());
    QVERIFY(station.commission(row, u"D1"_s));
    QCOMPARE(row->verdict()->text(), u"FAIL"_s);
    QVERIFY(station.window.isStopped());
    QVERIFY(station.window.banner()->text().contains(u"disk full"_s));
    // Stopped: the next card is not touched.
    const qsizetype frames = server.card().framesReceived().size();
    QTest::keyClick(row->serialBox(), Qt::Key_Return);
    QTest::qWait(50);
    QCOMPARE(server.card().framesReceived().size(), frames);
    QCOMPARE(server.card().parameter('H'), 400);
}

void TestStation::changedRecipeIsNotSentUnasked()
{
    Station station;
    sim::PtyCardServer server;
    QVERIFY(server.open());
    presetOldValues(server.card());
    const QString recipe = station.recipe();
    QVERIFY(station.window.chooseRecipe(recipe));
    QVERIFY(write(recipe, savedFrom(presetOldValues, station.folder.filePath(u"old.par"_s))));
    StationRow* row = station.window.rows().front();
    row->choosePort(server.slavePath());
    row->serialBox()->setText(u"E1"_s);
    QTest::keyClick(row->serialBox(), Qt::Key_Return);
    auto* question = station.window.findChild<QMessageBox*>(u"recipeChanged"_s);
    QVERIFY(question);
    QVERIFY(server.card().framesReceived().isEmpty());
    question->button(QMessageBox::Cancel)->click();
    QTest::qWait(20);
    QVERIFY(server.card().framesReceived().isEmpty());
}

void TestStation::journalHoldsTheCycle()
{
    Station station;
    Journal journal(station.folder.filePath(u"journal.jsonl"_s));
    station.window.setRecorder([&journal](const CardEvent& event) {
        return recordInJournal(journal, event, u"station"_s);
    });
    sim::PtyCardServer server;
    QVERIFY(server.open());
    presetOldValues(server.card());
    const QString recipe = station.recipe();
    QVERIFY(station.window.chooseRecipe(recipe));
    station.window.recordOption()->setChecked(true);
    StationRow* row = station.window.rows().front();
    row->choosePort(server.slavePath());
    QVERIFY(station.commission(row, u"J 9"_s));
    QCOMPARE(row->verdict()->text(), u"PASS"_s);
    // The commissioning record beside the snapshot, under its name.
    const QString pdf = station.window.snapshots(u"J 9"_s).first().chopped(4) + u"-record.pdf"_s;
    QVERIFY2(contents(pdf).startsWith("%PDF"), qPrintable(pdf));

    QVERIFY(checkJournal(journal.path()).ok());
    const std::vector<JournalRecord> records = readJournal(journal.path(), u"J 9"_s);
    QCOMPARE(records.size(), 3u);
    const auto code = [](const std::vector<JournalValue>& values, const char* name) {
        for (const JournalValue& value : values) {
            if (value.name == QLatin1String(name))
                return value.code.value_or(-1);
        }
        return -2;
    };
    const JournalEntry& snapshot = records[0].entry;
    const JournalEntry& send = records[1].entry;
    const JournalEntry& verify = records[2].entry;
    QCOMPARE(snapshot.action, u"snapshot"_s);
    QVERIFY(snapshot.before.empty()); // nothing was known of the card
    QCOMPARE(code(snapshot.after, "Maximum current"), 400);
    QCOMPARE(send.action, u"send"_s);
    QCOMPARE(code(send.before, "Maximum current"), 400);
    QCOMPARE(code(send.after, "Maximum current"), 723);
    QCOMPARE(send.file, recipe);
    QCOMPARE(send.fileSha256, fileSha256(recipe));
    QCOMPARE(send.port, server.slavePath());
    QCOMPARE(verify.outcome, u"verified"_s);
    QCOMPARE(verify.source, u"station"_s);
}

QTEST_MAIN(TestStation)
#include "tst_station.moc"
