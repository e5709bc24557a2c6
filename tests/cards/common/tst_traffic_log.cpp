// The traffic log: what its lines say, what it records of a Send and a Read, its bound, saving
// it, and its command in every window.

#include "application.h"
#include "card.h"
#include "card_window.h"
#include "form2.h"
#include "link.h"
#include "pty_card_server.h"
#include "status_line.h"
#include "traffic_log_window.h"
#include "traffic_text.h"

#include <QAction>
#include <QElapsedTimer>
#include <QFile>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace vrn;

namespace {

constexpr int kWaitMs = 10000; // beyond every time-out of the link

struct TestApp
{
    Application app;

    TestApp()
    {
        app.setEndHandler([] {});
        app.notices().setShowWindows(false);
    }

    bool run(CardWindow* window, bool (CardWindow::*transfer)())
    {
        if (!(window->*transfer)())
            return false;
        return QTest::qWaitFor([this] { return !app.link().isBusy(); }, kWaitMs);
    }
};

// The time column of a line: the wall clock's time of day with milliseconds.
const QRegularExpression kTime(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d  "));

// A line without its time column: "→ card  H00769$  I Max 2253 mA".
QString withoutTime(const QString& line)
{
    const QRegularExpressionMatch time = kTime.match(line);
    return time.hasMatch() ? line.mid(time.capturedLength()) : line;
}

QStringList withoutTimes(const QStringList& lines)
{
    QStringList result;
    for (const QString& line : lines)
        result << withoutTime(line);
    return result;
}

// The characters of the lines going one way, as the log shows them.
QStringList charactersOf(const QStringList& lines, const QString& direction)
{
    QStringList result;
    for (const QString& line : withoutTimes(lines)) {
        if (line.startsWith(direction))
            result << line.mid(direction.size() + 2).section(QStringLiteral("  "), 0, 0).trimmed();
    }
    return result;
}

const QString kOut = QStringLiteral("→ card");
const QString kIn = QStringLiteral("← card");

} // namespace

class TestTrafficLog : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void lineShowsCharactersAndMeaning_data();
    void lineShowsCharactersAndMeaning();
    void sendAndReadAreLogged();
    void whatWentWrongIsLogged_data();
    void whatWentWrongIsLogged();
    void keepsTheLatestLines_data();
    void keepsTheLatestLines();
    void followsTheRecordOnlyWhileShown();
    void viewFollowsTheNewestLine();
    void showsCharactersThatKeepComingIn();
    void recordHoldsOnlyTheCharacters();
    void savesToAFile_data();
    void savesToAFile();
    void commandInEveryWindow_data();
    void commandInEveryWindow();
    void sendAndReadOverPseudoTerminal();
};

void TestTrafficLog::lineShowsCharactersAndMeaning_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("model"); // -1: no card window ran the transfer
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("line");
    using Kind = TrafficEntry::Kind;
    const auto row = [](const char* tag, Kind kind, int model, const QByteArray& bytes,
                        const QString& line) {
        QTest::newRow(tag) << int(kind) << model << bytes << line;
    };
    const int vrnA = int(CardModel::VrnA);
    const int vrnD = int(CardModel::VrnD);
    row("frame-named-by-its-value", Kind::Frame, vrnA, "H00769$",
        QStringLiteral("→ card  H00769$  I Max 2253 mA"));
    row("option-frame-named-by-its-caption", Kind::Frame, vrnA, "B00003$",
        QStringLiteral("→ card  B00003$  PWM (3) 300 Hz"));
    row("frame-of-an-empty-slot", Kind::Frame, vrnA, "a$",
        QStringLiteral("→ card  a$       Reference input: empty slot"));
    row("letter-the-window-does-not-set", Kind::Frame, vrnD, "A00000$",
        QStringLiteral("→ card  A00000$  A code 0"));
    row("no-window-gives-letter-and-code", Kind::Frame, -1, "H00769$",
        QStringLiteral("→ card  H00769$  H code 769"));
    row("end-frame", Kind::Frame, vrnD, "z$", QStringLiteral("→ card  z$       end of Send"));
    row("read-request", Kind::ReadRequest, vrnD, "w$",
        QStringLiteral("→ card  w$       read request"));
    row("answer-control-characters-escaped", Kind::Answer, vrnD, QByteArray("O\r\x07\\K\n", 6),
        QStringLiteral("← card  O\\r\\x07\\\\K\\n  answer"));
    row("answer-nul-and-high-bytes-escaped", Kind::Answer, vrnD, QByteArray("\0\xff", 2),
        QStringLiteral("← card  \\x00\\xFF  answer"));
    row("percent-signs-stay-as-they-are", Kind::Answer, vrnD, "%1%2",
        QStringLiteral("← card  %1%2     answer"));

    sim::Card card;
    card.setParameter('B', 3);
    card.setParameter('C', 5);
    card.setParameter('H', 769);
    const QByteArray reply = card.readReply();
    const QString shown = QString::fromLatin1(reply).replace(QLatin1Char('\r'), "\\r");
    row("read-reply-fields-by-name", Kind::ReadReply, vrnD, reply,
        kIn + "  " + shown +
            "  read reply: PWM (3) 300 Hz, Excitation time 1 s, Maximum current 2253 mA");
    QByteArray broken = reply;
    broken.replace(protocol::field::kMaxHigh - 1, 3, "x1 ");
    row("reply-field-without-number", Kind::ReadReply, vrnD, broken,
        kIn + "  " + QString(shown).replace(40, 3, "x1 ") +
            "  read reply: PWM (3) 300 Hz, Excitation time 1 s, Maximum current: no number");
    row("late-characters-dropped", Kind::Discarded, vrnD, "K",
        QStringLiteral("← card  K        read and dropped: late or unasked"));
    row("short-reply-told-as-such", Kind::PartialReply, vrnD, reply.left(20),
        kIn + "  " + shown.left(20) + "  incomplete read reply, 20 of 56 characters: dropped");
    row("event-in-words", Kind::Event, vrnD, "VRN-D Send failed: no answer",
        QStringLiteral("* note  VRN-D Send failed: no answer"));
}

void TestTrafficLog::lineShowsCharactersAndMeaning()
{
    QFETCH(int, kind);
    QFETCH(int, model);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, line);
    const QDateTime at(QDate(2026, 12, 10), QTime(14, 45, 48, 7));
    TrafficEntry entry{1, 1234, TrafficEntry::Kind(kind), model, bytes, at.toMSecsSinceEpoch()};
    const std::span<const CardValue> values =
        model < 0 ? std::span<const CardValue>{} : cardDescription(CardModel(model)).values;
    const QString text = trafficLine(entry, values);
    QCOMPARE(text.left(14), QStringLiteral("14:45:48.007  "));
    QCOMPARE(withoutTime(text), line);
}

void TestTrafficLog::sendAndReadAreLogged()
{
    TestApp t;
    t.app.chooseSimulatedCard();
    sim::Card& card = t.app.simulatedCard();
    card.faults().frameAnswer = QByteArray("O\r", 2);
    CardWindow* vrnA = t.app.showCardWindow(CardModel::VrnA);
    TrafficLogWindow* log = t.app.showTrafficLog();
    QVERIFY(log->isVisible());
    t.app.slots().setCode('H', 769);

    QVERIFY(t.run(vrnA, &CardWindow::send));
    QVERIFY(t.run(vrnA, &CardWindow::read));
    const auto replyShown = [log] {
        return !log->lines().isEmpty() && log->lines().last().contains("Read: reply accepted");
    };
    QVERIFY(QTest::qWaitFor(replyShown, kWaitMs));

    const QStringList lines = withoutTimes(log->lines());
    QVERIFY2(lines.contains(QStringLiteral("* note  VRN-A Send done: the card answered all 11 "
                                           "frames")),
             qPrintable(lines.join('\n')));
    QVERIFY2(lines.contains(QStringLiteral("→ card  H00769$  I Max 2253 mA")),
             qPrintable(lines.join('\n')));
    QVERIFY(lines.contains(QStringLiteral("← card  O\\r      answer")));
    QVERIFY(lines.contains(QStringLiteral("→ card  w$       read request")));
    const QString reply = lines.at(lines.size() - 2);
    QVERIFY2(reply.startsWith(kIn + "  ") && reply.contains("\\r  read reply: Coil current ") &&
                 reply.contains(QStringLiteral(", I Max 2253 mA, ")),
             qPrintable(reply));

    // Exactly what the card received went out, in order, and each frame got its answer.
    QStringList received;
    for (const QByteArray& frame : card.framesReceived())
        received << QString::fromLatin1(frame);
    QCOMPARE(charactersOf(log->lines(), kOut), received);
    QCOMPARE(charactersOf(log->lines(), kIn).size(), received.size());
}

void TestTrafficLog::whatWentWrongIsLogged_data()
{
    QTest::addColumn<int>("fault");
    QTest::addColumn<QString>("told"); // what lines of the log hold, by '|'; without times
    QTest::newRow("silent-card") << 0
                                 << "* note  VRN-B Send failed: The card on simulated card "
                                    "did not answer the frame \"A00000$\" within 2 s";
    QTest::newRow("line-lost-mid-send")
        << 1 << "* note  VRN-B Send failed: The serial port simulated card stopped working";
    QTest::newRow("refused-reply")
        << 2
        << "* note  VRN-B Read: The card's reply was refused and nothing "
           "was changed: the maximum current reads 1280";
    QTest::newRow("short-reply")
        << 3
        << "* note  VRN-B Verify failed: The card on simulated card "
           "sent only 20 of the 56 characters|incomplete read reply, 20 of 56 characters: dropped";
    QTest::newRow("port-chosen") << 4 << "* note  Port: Simulated card";
    QTest::newRow("no-port-open")
        << 5 << "* note  Port: No port open|* note  VRN-B refused: No serial port is open";
}

// A failure, a refused reply, a port chosen: each has its line beside the frames, in the words
// the user was told.
void TestTrafficLog::whatWentWrongIsLogged()
{
    QFETCH(int, fault);
    QFETCH(QString, told);
    TestApp t;
    t.app.chooseSimulatedCard();
    sim::Card& card = t.app.simulatedCard();
    CardWindow* vrnB = t.app.showCardWindow(CardModel::VrnB);
    switch (fault) {
    case 0:
        card.faults().silent = true;
        QVERIFY(t.run(vrnB, &CardWindow::send));
        break;
    case 1:
        card.faults().portLostAfterFrames = 4;
        QVERIFY(t.run(vrnB, &CardWindow::send));
        break;
    case 2:
        card.faults().replyFieldOverrides[protocol::field::kMaxHigh] = "005";
        QVERIFY(t.run(vrnB, &CardWindow::read));
        break;
    case 3:
        card.faults().replyLength = 20;
        QVERIFY(t.run(vrnB, &CardWindow::verify));
        break;
    case 4:
        break;
    case 5:
        t.app.link().closePort();
        QVERIFY(!vrnB->send());
        break;
    }
    TrafficLogWindow* log = t.app.showTrafficLog();
    const auto shown = [log, &told] {
        const QStringList lines = withoutTimes(log->lines());
        for (const QString& part : told.split(u'|')) {
            if (std::none_of(lines.begin(), lines.end(),
                             [&part](const QString& line) { return line.contains(part); }))
                return false;
        }
        return true;
    };
    QVERIFY2(QTest::qWaitFor(shown, kWaitMs), qPrintable(log->lines().join('\n')));
    for (const QString& line : log->lines())
        QVERIFY2(kTime.match(line).hasMatch(), qPrintable(line));
}

void TestTrafficLog::keepsTheLatestLines_data()
{
    QTest::addColumn<bool>("openBefore");
    QTest::newRow("traffic-while-closed") << false;
    QTest::newRow("traffic-while-open") << true;
}

void TestTrafficLog::keepsTheLatestLines()
{
    QFETCH(bool, openBefore);
    TrafficRecord record;
    TrafficLogWindow log(record);
    if (openBefore)
        log.show();
    constexpr int kMore = 7;
    for (int i = 1; i <= TrafficLogWindow::kMaxLines + kMore; ++i)
        record.add(TrafficEntry::Kind::Frame, TrafficEntry::kNoTag,
                   "H" + QByteArray::number(i).rightJustified(5, '0') + "$");
    QCOMPARE(record.size(), std::size_t(TrafficLogWindow::kMaxLines));
    log.show();
    const auto newestShown = [&log] {
        return !log.lines().isEmpty() && log.lines().last().contains("H10007$");
    };
    QVERIFY(QTest::qWaitFor(newestShown, kWaitMs));
    const QStringList lines = log.lines();
    QCOMPARE(lines.size(), TrafficLogWindow::kMaxLines);
    QVERIFY2(lines.first().contains("H00008$"), qPrintable(lines.first()));
}

void TestTrafficLog::followsTheRecordOnlyWhileShown()
{
    TrafficRecord record;
    TrafficLogWindow log(record);
    QVERIFY(!record.isFollowed());
    log.show();
    QVERIFY(record.isFollowed());
    log.close();
    QVERIFY(!record.isFollowed());
    // What came while it was closed is there when it opens again.
    record.add(TrafficEntry::Kind::ReadRequest, TrafficEntry::kNoTag, "w$");
    log.show();
    QCOMPARE(withoutTimes(log.lines()), QStringList{"→ card  w$       read request"});
}

// The view stays at the newest line until the user scrolls up to read older lines; back at the
// bottom, it follows again, and the log opened again starts at the newest line.
void TestTrafficLog::viewFollowsTheNewestLine()
{
    TrafficRecord record;
    TrafficLogWindow log(record);
    auto* bar = log.findChild<QPlainTextEdit*>(QStringLiteral("trafficLines"))->verticalScrollBar();
    const auto addLines = [&record](int count) {
        for (int i = 0; i < count; ++i)
            record.add(TrafficEntry::Kind::Frame, TrafficEntry::kNoTag, "H00001$");
    };
    const auto atBottom = [bar] { return bar->maximum() > 0 && bar->value() == bar->maximum(); };
    log.show();
    addLines(200);
    QTRY_VERIFY(atBottom());
    log.close();
    addLines(200);
    log.show();
    QTRY_VERIFY(atBottom());
    QTRY_COMPARE(log.lines().size(), 400);

    bar->setValue(10); // the user scrolls up
    addLines(50);
    QTRY_COMPARE(log.lines().size(), 450);
    QCOMPARE(bar->value(), 10);
    bar->setValue(bar->maximum());
    addLines(50);
    QTRY_COMPARE(log.lines().size(), 500);
    QTRY_VERIFY(atBottom());

    bar->setValue(10);
    log.close();
    addLines(50);
    log.show();
    QTRY_COMPARE(log.lines().size(), 550);
    QTRY_VERIFY(atBottom());
    addLines(50);
    QTRY_COMPARE(log.lines().size(), 600);
    QTRY_VERIFY(atBottom());
}

void TestTrafficLog::showsCharactersThatKeepComingIn()
{
    // The log draws right after a frame goes out; characters that keep coming in without one (a
    // card talking by itself) must still be shown while they come, not only once they stop.
    TrafficRecord record;
    TrafficLogWindow log(record);
    log.show();
    QElapsedTimer streaming;
    streaming.start();
    while (log.lines().isEmpty() && !streaming.hasExpired(kWaitMs)) {
        record.add(TrafficEntry::Kind::Discarded, TrafficEntry::kNoTag, "x");
        QTest::qWait(5);
    }
    QVERIFY2(!log.lines().isEmpty(), "nothing shown while the characters kept coming");
}

void TestTrafficLog::recordHoldsOnlyTheCharacters()
{
    // A read hands over its whole buffer; the record must not keep the spare room alive.
    QByteArray read;
    read.reserve(64 * 1024);
    read.append("OK");
    TrafficRecord record;
    record.add(TrafficEntry::Kind::Answer, TrafficEntry::kNoTag, read);
    const std::vector<TrafficEntry> held = record.entriesAfter(0);
    QCOMPARE(held.size(), std::size_t(1));
    QCOMPARE(held.front().bytes, QByteArray("OK"));
    QVERIFY2(held.front().bytes.capacity() < 64,
             qPrintable(QString::number(held.front().bytes.capacity())));
}

void TestTrafficLog::savesToAFile_data()
{
    QTest::addColumn<QString>("name"); // in a fresh folder holding a plain file "file"
    QTest::addColumn<bool>("saved");
    QTest::addColumn<QString>("told");
    QTest::newRow("writes-every-line") << "log.txt" << true << "2 lines saved to ";
    QTest::newRow("folder-is-a-file-tells-the-user") << "file/log.txt" << false << "The file \"";
    QTest::newRow("name-of-a-folder-tells-the-user") << "" << false << "The file \"";
}

void TestTrafficLog::savesToAFile()
{
    QFETCH(QString, name);
    QFETCH(bool, saved);
    QFETCH(QString, told);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile plain(dir.filePath("file"));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();

    TrafficRecord record;
    TrafficLogWindow log(record);
    log.setPortText([] { return QStringLiteral("COM7"); });
    record.add(TrafficEntry::Kind::Frame, int(CardModel::VrnA), "H00769$");
    record.add(TrafficEntry::Kind::Answer, int(CardModel::VrnA), "O\r");
    log.show();
    QCOMPARE(log.lines().size(), 2);

    const QString path = name.isEmpty() ? dir.path() : dir.filePath(name);
    QCOMPARE(log.save(path), saved);
    QVERIFY2(log.saveResult().startsWith(told), qPrintable(log.saveResult()));
    if (saved) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        // A header (when, which program, which port), then the lines as shown.
        QVERIFY2(text.contains(QRegularExpression(
                     "^VRN-PC traffic log\nSaved: \\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d UTC"
                     "[+-]\\d\\d:\\d\\d\nProgram: VRN-PC \\S*\nPort: COM7\n\n")),
                 qPrintable(text));
        QVERIFY(text.endsWith(log.lines().join('\n') + '\n'));
    } else {
        QVERIFY(
            log.saveResult().contains(QDir::toNativeSeparators(path))); // as the system writes it
    }
}

void TestTrafficLog::commandInEveryWindow_data()
{
    QTest::addColumn<int>("model"); // -1: the launcher
    QTest::newRow("launcher") << -1;
    for (const CardModel model : kCardModels)
        QTest::newRow(qPrintable(modelName(model))) << int(model);
}

void TestTrafficLog::commandInEveryWindow()
{
    QFETCH(int, model);
    TestApp t;
    t.app.start();
    QMainWindow* window = model < 0 ? static_cast<QMainWindow*>(t.app.launcher())
                                    : t.app.showCardWindow(CardModel(model));
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    auto* button = window->findChild<QToolButton*>(QStringLiteral("trafficLogButton"));
    QVERIFY(button);
    QCOMPARE(button->accessibleName(), QStringLiteral("Traffic log"));
    // In the card windows Tab reaches it; the launcher keeps its classic Tab cycle.
    QCOMPARE(button->focusPolicy(), model < 0 ? Qt::ClickFocus : Qt::StrongFocus);

    QVERIFY(!t.app.trafficLog());
    QTest::keySequence(window, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L));
    QVERIFY(t.app.trafficLog() && t.app.trafficLog()->isVisible());
    t.app.trafficLog()->close();
    button->click();
    QVERIFY(t.app.trafficLog()->isVisible());
}

void TestTrafficLog::sendAndReadOverPseudoTerminal()
{
    sim::PtyCardServer card;
    QVERIFY2(card.open(), qPrintable(card.errorString()));
    card.card().setParameter('B', 3);
    card.card().setParameter('C', 5);
    card.card().setParameter('H', 769);
    QSignalSpy received(&card, &sim::PtyCardServer::frameReceived);
    TestApp t;
    t.app.chooseDevice(card.slavePath());
    CardWindow* vrnD = t.app.showCardWindow(CardModel::VrnD);
    TrafficLogWindow* log = t.app.showTrafficLog();

    // Opening, saving and clearing the log put nothing on the line.
    QTemporaryDir dir;
    QVERIFY(log->save(dir.filePath("empty.txt")));
    log->clear();
    QTest::qWait(100);
    QCOMPARE(received.size(), 0);

    QVERIFY(t.run(vrnD, &CardWindow::read));
    QVERIFY(t.run(vrnD, &CardWindow::send));
    const auto endShown = [log] {
        return !log->lines().isEmpty() && log->lines().last().contains("answer");
    };
    QVERIFY(QTest::qWaitFor(endShown, kWaitMs));
    QStringList sent;
    for (const QList<QVariant>& frame : received)
        sent << frame.first().toString();
    QCOMPARE(charactersOf(log->lines(), kOut), sent);
    const QStringList lines = withoutTimes(log->lines());
    QVERIFY2(lines.at(1).contains(QStringLiteral("read reply: PWM (3) 300 Hz, Excitation time 1 s, "
                                                 "Maximum current 2253 mA")),
             qPrintable(lines.at(1)));
    QVERIFY(lines.contains(QStringLiteral("→ card  H00769$  Maximum current 2253 mA")));
}

QTEST_MAIN(TestTrafficLog)
#include "tst_traffic_log.moc"
