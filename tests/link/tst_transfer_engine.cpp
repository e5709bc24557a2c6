#include "card.h"
#include "link.h"
#include "link_words.h"
#include "protocol.h"
#include "reply_fields.h"
#include "simulated_transport.h"
#include "slot_table.h"
#include "timeouts.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <optional>

using namespace vrn;

Q_DECLARE_METATYPE(vrn::sim::Faults)

namespace {

// The frames of a send that carries every letter, end frame last.
const QList<QByteArray> kSendFrames{"A00000$", "B00003$", "C00000$", "D00000$",
                                    "E00000$", "F00000$", "G00000$", "H00512$",
                                    "a00000$", "Z00025$", "z$"};

// A send's steps: discard input, then one transaction per frame, with settle pauses between the
// frames when asked.
std::vector<TransferStep> sendSteps(const QList<QByteArray>& frames, bool settle = false)
{
    std::vector<TransferStep> steps{TransferStep::discardInput()};
    for (qsizetype i = 0; i < frames.size(); ++i) {
        const QByteArray frame = frames.at(i);
        steps.push_back(TransferStep::transaction([frame] { return frame; }));
        if (settle && i + 1 < frames.size())
            steps.push_back(TransferStep::settlePause());
    }
    return steps;
}

// What the completion callback saw.
struct Completion
{
    int calls = 0;
    TransferOutcome outcome;
    qint64 elapsedMs = -1; // from the start of the transfer
};

// Starts a transfer on the link and records its completion; false when the link refused it.
bool start(Link& link, std::vector<TransferStep> steps, Completion& completion,
           LinkError* refusal = nullptr)
{
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    return link.startTransfer(
        std::move(steps),
        [&completion, clock](const TransferOutcome& outcome) {
            ++completion.calls;
            completion.outcome = outcome;
            completion.elapsedMs = clock->elapsed();
        },
        refusal);
}

constexpr int kTransferWaitMs = 10000; // far beyond any time-out of the link

// Answers "OK" at once and "\r\n" after the gap: the late two characters of every answer
// count towards a later wait.
sim::Faults answersWithLateTail(int gapMs)
{
    sim::Faults faults;
    faults.frameAnswer = "OK\r\n";
    faults.splitAnswers = true;
    faults.splitAfter = 2;
    faults.splitGapMs = gapMs;
    return faults;
}

} // namespace

class TestTransferEngine : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Answers
    void sendCompletesInOrder_data();
    void sendCompletesInOrder();
    void lateCharactersEndTheNextWait_data();
    void lateCharactersEndTheNextWait();
    void lateCharactersStayForTheNextTransfer_data();
    void lateCharactersStayForTheNextTransfer();
    void longReplyIsReadWhole();

    // Time-outs
    void silenceOrShortReplyTimesOut_data();
    void silenceOrShortReplyTimesOut();
    void lateAnswerOfFailedTransferIsDropped_data();
    void lateAnswerOfFailedTransferIsDropped();
    void slowCardWithinTheTimeOutIsHeard_data();
    void slowCardWithinTheTimeOutIsHeard();

    // Pacing and frames
    void settlePauseFollowsTheAnswer_data();
    void settlePauseFollowsTheAnswer();
    void frameIsBuiltWhenSent();

    // One transfer at a time, on an open port
    void secondTransferIsRefused();
    void portVanishingEndsTheTransfer();
    void closingThePortEndsTheTransfer();
    void noTransferWithoutOpenPort_data();
    void noTransferWithoutOpenPort();
};

void TestTransferEngine::sendCompletesInOrder_data()
{
    QTest::addColumn<sim::Faults>("faults");
    QTest::addColumn<int>("minimumMs");

    QTest::newRow("two-characters-per-frame") << sim::Faults{} << 0;

    sim::Faults delayed;
    delayed.answerDelayMs = 20;
    // Every wait lasts until its own answer: eleven answers of 20 ms each.
    QTest::newRow("answers-after-a-delay") << delayed << 11 * 20;

    sim::Faults wire;
    wire.characterTimeMs = 0.5208;
    QTest::newRow("at-19200-baud") << wire << 11;

    sim::Faults split;
    split.splitAnswers = true;
    split.splitGapMs = 20;
    // One character is not an answer: each wait lasts through its gap.
    QTest::newRow("answer-in-two-bursts-of-one") << split << 11 * 20;

    QTest::newRow("answer-in-two-bursts-with-late-characters") << answersWithLateTail(20) << 0;

    sim::Faults garbage;
    garbage.garbageAnswers = true;
    QTest::newRow("garbage-counts-as-answer") << garbage << 0;
}

void TestTransferEngine::sendCompletesInOrder()
{
    QFETCH(sim::Faults, faults);
    QFETCH(int, minimumMs);

    sim::Card card;

    Link link;
    QVERIFY(sim::openSimulatedCard(link, card));
    card.faults() = faults;
    QSignalSpy finished(&link.engine(), &TransferEngine::finished);
    QSignalSpy answered(&link.engine(), &TransferEngine::frameAnswered);

    Completion done;
    LinkError refusal;
    QVERIFY2(start(link, sendSteps(kSendFrames), done, &refusal), qPrintable(said(refusal)));
    QVERIFY(link.isBusy());
    QTRY_COMPARE_WITH_TIMEOUT(done.calls, 1, kTransferWaitMs);

    QVERIFY2(done.outcome.ok, qPrintable(said(done.outcome.error)));
    QVERIFY(!done.outcome.error.isError());
    QCOMPARE(done.outcome.framesSent, kSendFrames);
    QCOMPARE(card.framesReceived(), kSendFrames);
    QVERIFY2(done.elapsedMs >= minimumMs, qPrintable(QString::number(done.elapsedMs)));
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.first().first().toBool(), true);
    QVERIFY(!link.isBusy());
    QCOMPARE(card.parameter('H'), 512);
    // Each answer is told as it arrives, with how many frames the Send has.
    const int planned = static_cast<int>(kSendFrames.size());
    QCOMPARE(answered.count(), planned);
    for (int i = 0; i < planned; ++i)
        QCOMPARE(answered.at(i), (QVariantList{i + 1, planned}));
}

void TestTransferEngine::lateCharactersEndTheNextWait_data()
{
    QTest::addColumn<bool>("settlePause");
    QTest::addColumn<int>("gapMs");

    QTest::newRow("arriving-during-the-wait") << false << 50;
    QTest::newRow("already-waiting-when-the-frame-leaves") << true << 30;
}

void TestTransferEngine::lateCharactersEndTheNextWait()
{
    QFETCH(bool, settlePause);
    QFETCH(int, gapMs);

    // The card answers "OK" at once and "\r\n" a little later, then falls silent before the
    // end frame: only the late characters of the first answer can end the end frame's wait.
    sim::Card card;
    Link link;
    QVERIFY(sim::openSimulatedCard(link, card));
    card.faults() = answersWithLateTail(gapMs);

    std::vector<TransferStep> steps{TransferStep::discardInput(),
                                    TransferStep::transaction([] { return "B00003$"; })};
    if (settlePause)
        steps.push_back(TransferStep::settlePause());
    steps.push_back(TransferStep::transaction([&card] {
        card.faults().silent = true;
        return QByteArray("z$");
    }));
    Completion done;
    QVERIFY(start(link, std::move(steps), done));
    QTRY_COMPARE_WITH_TIMEOUT(done.calls, 1, kTransferWaitMs);

    QVERIFY2(done.outcome.ok, qPrintable(said(done.outcome.error)));
    QCOMPARE(card.framesReceived(), (QList<QByteArray>{"B00003$", "z$"}));
    QVERIFY(done.elapsedMs >= gapMs);
    QVERIFY(done.elapsedMs < kAnswerTimeoutMs);
}

void TestTransferEngine::lateCharactersStayForTheNextTransfer_data()
{
    QTest::addColumn<bool>("discardFirst");
    QTest::addColumn<QByteArray>("leftOver");

    QTest::newRow("read-request-takes-them-in-front") << false << QByteArray("\r\n");
    QTest::newRow("discard-input-drops-them") << true << QByteArray();
}

void TestTransferEngine::lateCharactersStayForTheNextTransfer()
{
    QFETCH(bool, discardFirst);
    QFETCH(QByteArray, leftOver);

    sim::Card card;

    Link link;
    QVERIFY(sim::openSimulatedCard(link, card));
    card.faults() = answersWithLateTail(30);

    Completion send;
    QVERIFY(start(link, sendSteps({"H00700$"}), send));
    QTRY_COMPARE_WITH_TIMEOUT(send.calls, 1, kTransferWaitMs);
    QVERIFY(send.outcome.ok);
    card.faults().splitAnswers = false;
    QTest::qWait(100); // the late "\r\n" arrives meanwhile

    std::vector<TransferStep> steps;
    if (discardFirst)
        steps.push_back(TransferStep::discardInput());
    steps.push_back(TransferStep::readRequest());
    Completion read;
    QVERIFY(start(link, std::move(steps), read));
    QTRY_COMPARE_WITH_TIMEOUT(read.calls, 1, kTransferWaitMs);
    QVERIFY2(read.outcome.ok, qPrintable(said(read.outcome.error)));
    QCOMPARE(read.outcome.reply, leftOver + card.readReply());
}

void TestTransferEngine::longReplyIsReadWhole()
{
    sim::Card card;
    Link link;
    QVERIFY(sim::openSimulatedCard(link, card));
    card.faults().replyLength = 70;

    std::vector<TransferStep> steps = sendSteps({"H00700$", "E00300$"});
    steps.push_back(TransferStep::readRequest());
    Completion done;
    QVERIFY(start(link, std::move(steps), done));
    QTRY_COMPARE_WITH_TIMEOUT(done.calls, 1, kTransferWaitMs);

    QVERIFY2(done.outcome.ok, qPrintable(said(done.outcome.error)));
    QCOMPARE(done.outcome.reply.size(), 70);
    QCOMPARE(done.outcome.reply, card.readReply() + QByteArray(14, ' '));
    QCOMPARE(done.outcome.framesSent, (QList<QByteArray>{"H00700$", "E00300$", "w$"}));
    const ReplyFields fields(done.outcome.reply);
    QCOMPARE(fields.pair(protocol::field::kMaxHigh, protocol::field::kMaxLow), 700.0);
    QCOMPARE(fields.pair(protocol::field::kVtHigh, protocol::field::kVtLow), 300.0);
}

void TestTransferEngine::silenceOrShortReplyTimesOut_data()
{
    QTest::addColumn<bool>("silent");
    QTest::addColumn<int>("replyLength");
    QTest::addColumn<bool>("readRequest");
    QTest::addColumn<int>("timeoutMs");
    QTest::addColumn<QString>("mentions");

    QTest::newRow("silent-card-names-frame")
        << true << 56 << false << kAnswerTimeoutMs << QStringLiteral("\"B00003$\"");
    QTest::newRow("short-reply-names-count")
        << false << 30 << true << kReplyTimeoutMs << QStringLiteral("only 30 of the 56");
}

void TestTransferEngine::silenceOrShortReplyTimesOut()
{
    QFETCH(bool, silent);
    QFETCH(int, replyLength);
    QFETCH(bool, readRequest);
    QFETCH(int, timeoutMs);
    QFETCH(QString, mentions);

    sim::Card card;

    Link link;
    QVERIFY(sim::openSimulatedCard(link, card));
    card.faults().silent = silent;
    card.faults().replyLength = replyLength;

    std::vector<TransferStep> steps = sendSteps({"B00003$"});
    if (readRequest)
        steps.push_back(TransferStep::readRequest());
    Completion done;
    QVERIFY(start(link, std::move(steps), done));
    QTRY_COMPARE_WITH_TIMEOUT(done.calls, 1, kTransferWaitMs);

    QVERIFY(!done.outcome.ok);
    QVERIFY2(said(done.outcome.error).contains(link.portName()),
             qPrintable(said(done.outcome.error)));
    QVERIFY2(said(done.outcome.error).contains(mentions), qPrintable(said(done.outcome.error)));
    QVERIFY(done.elapsedMs >= timeoutMs);
    QVERIFY(!link.isBusy());

    // The link is usable again once the card behaves.
    card.faults() = {};
    Completion again;
    QVERIFY(start(link, sendSteps({"B00004$"}), again));
    QTRY_COMPARE_WITH_TIMEOUT(again.calls, 1, kTransferWaitMs);
    QVERIFY2(again.outcome.ok, qPrintable(said(again.outcome.error)));
    QCOMPARE(card.parameter('B'), 4);
}

void TestTransferEngine::lateAnswerOfFailedTransferIsDropped_data()
{
    QTest::addColumn<bool>("readRequest");
    QTest::addColumn<int>("timeoutMs");

    QTest::newRow("late-read-reply") << true << kReplyTimeoutMs;
    QTest::newRow("late-frame-answer") << false << kAnswerTimeoutMs;
}

// A transfer times out, then the card's late answer to it arrives while the link is idle. The
// next Read must get the card's reply to its own request, not the late answer in front of it.
void TestTransferEngine::lateAnswerOfFailedTransferIsDropped()
{
    QFETCH(bool, readRequest);
    QFETCH(int, timeoutMs);

    sim::Card card;
    Link link;
    QVERIFY(sim::openSimulatedCard(link, card));
    card.setParameter('H', 100);
    card.faults().answerDelayMs = timeoutMs + 300;

    Completion failed;
    QVERIFY(start(link,
                  readRequest ? std::vector<TransferStep>{TransferStep::readRequest()}
                              : sendSteps({"B00003$"}),
                  failed));
    QTRY_COMPARE_WITH_TIMEOUT(failed.calls, 1, kTransferWaitMs);
    QVERIFY(!failed.outcome.ok);
    QTest::qWait(600); // the late answer arrives

    card.faults() = {};
    card.setParameter('H', 700); // the next reply differs from the late one
    Completion read;
    QVERIFY(start(link, {TransferStep::readRequest()}, read));
    QTRY_COMPARE_WITH_TIMEOUT(read.calls, 1, kTransferWaitMs);
    QVERIFY2(read.outcome.ok, qPrintable(said(read.outcome.error)));
    QCOMPARE(read.outcome.reply, card.readReply());
}

void TestTransferEngine::slowCardWithinTheTimeOutIsHeard_data()
{
    QTest::addColumn<bool>("readRequest");
    QTest::addColumn<int>("answerDelayMs");

    // A card has 2 s to answer a frame and 3 s for its read reply.
    QTest::newRow("frame-answer-after-1.5-s") << false << 1500;
    QTest::newRow("read-reply-after-2.5-s") << true << 2500;
}

void TestTransferEngine::slowCardWithinTheTimeOutIsHeard()
{
    QFETCH(bool, readRequest);
    QFETCH(int, answerDelayMs);

    sim::Card card;
    Link link;
    QVERIFY(sim::openSimulatedCard(link, card));
    card.faults().answerDelayMs = answerDelayMs;

    Completion done;
    QVERIFY(start(link,
                  readRequest ? std::vector<TransferStep>{TransferStep::readRequest()}
                              : sendSteps({"B00003$"}),
                  done));
    QTRY_COMPARE_WITH_TIMEOUT(done.calls, 1, kTransferWaitMs);
    QVERIFY2(done.outcome.ok, qPrintable(said(done.outcome.error)));
    QVERIFY(done.elapsedMs >= answerDelayMs);
}

void TestTransferEngine::settlePauseFollowsTheAnswer_data()
{
    QTest::addColumn<int>("answerDelayMs");
    QTest::newRow("instant-answers") << 0;
    QTest::newRow("slow-answers-do-not-shorten-the-pause") << 60;
}

void TestTransferEngine::settlePauseFollowsTheAnswer()
{
    QFETCH(int, answerDelayMs);

    sim::Card card;

    Link link;
    QVERIFY(sim::openSimulatedCard(link, card));
    card.faults().answerDelayMs = answerDelayMs;

    // Each frame notes when it is built; between two frames lie an answer and a pause.
    QElapsedTimer clock;
    QList<qint64> builtAt;
    std::vector<TransferStep> steps{TransferStep::discardInput()};
    const QList<QByteArray> frames{"A00001$", "B00002$", "C00003$", "z$"};
    for (qsizetype i = 0; i < frames.size(); ++i) {
        const QByteArray frame = frames.at(i);
        steps.push_back(TransferStep::transaction([frame, &clock, &builtAt] {
            builtAt.append(clock.elapsed());
            return frame;
        }));
        if (i + 1 < frames.size())
            steps.push_back(TransferStep::settlePause());
    }
    clock.start();
    Completion done;
    QVERIFY(start(link, std::move(steps), done));
    QTRY_COMPARE_WITH_TIMEOUT(done.calls, 1, kTransferWaitMs);
    QVERIFY2(done.outcome.ok, qPrintable(said(done.outcome.error)));
    QCOMPARE(builtAt.size(), frames.size());

    for (qsizetype i = 1; i < builtAt.size(); ++i) {
        const qint64 gap = builtAt.at(i) - builtAt.at(i - 1);
        QVERIFY2(gap >= answerDelayMs + kSettlePauseMs, qPrintable(QString::number(gap)));
        QVERIFY2(gap < answerDelayMs + kSettlePauseMs + 1000, qPrintable(QString::number(gap)));
    }
}

void TestTransferEngine::frameIsBuiltWhenSent()
{
    sim::Card card;
    Link link;
    QVERIFY(sim::openSimulatedCard(link, card));
    card.faults().answerDelayMs = 30;

    SlotTable slots;
    slots.setCode('H', 100);
    const auto maximum = [&slots] { return commandFrame('H', slots.value('H')); };
    std::vector<TransferStep> steps{
        TransferStep::discardInput(), TransferStep::transaction(maximum),
        TransferStep::transaction(maximum), TransferStep::transaction([] { return "z$"; })};
    Completion done;
    QVERIFY(start(link, std::move(steps), done));
    // An edit while the first frame waits for its answer.
    QTimer::singleShot(0, this, [&slots] { slots.setCode('H', 512); });
    QTRY_COMPARE_WITH_TIMEOUT(done.calls, 1, kTransferWaitMs);

    QVERIFY2(done.outcome.ok, qPrintable(said(done.outcome.error)));
    QCOMPARE(card.framesReceived(), (QList<QByteArray>{"H00100$", "H00512$", "z$"}));
    QCOMPARE(card.parameter('H'), 512);
}

void TestTransferEngine::secondTransferIsRefused()
{
    sim::Card card;
    Link link;
    QVERIFY(sim::openSimulatedCard(link, card));
    card.faults().answerDelayMs = 20;

    Completion first;
    QVERIFY(start(link, sendSteps({"B00001$", "z$"}), first));
    Completion second;
    LinkError refusal;
    QVERIFY(!start(link, sendSteps({"B00005$", "z$"}), second, &refusal));
    QVERIFY2(said(refusal).contains(QStringLiteral("already running")), qPrintable(said(refusal)));
    QVERIFY2(said(refusal).contains(link.portName()), qPrintable(said(refusal)));

    QTRY_COMPARE_WITH_TIMEOUT(first.calls, 1, kTransferWaitMs);
    QVERIFY2(first.outcome.ok, qPrintable(said(first.outcome.error)));
    QTest::qWait(50);
    QCOMPARE(second.calls, 0);
    QCOMPARE(card.framesReceived(), (QList<QByteArray>{"B00001$", "z$"}));

    // Once the first has ended, the next one runs.
    Completion third;
    QVERIFY(start(link, sendSteps({"B00005$", "z$"}), third));
    QTRY_COMPARE_WITH_TIMEOUT(third.calls, 1, kTransferWaitMs);
    QVERIFY(third.outcome.ok);
    QCOMPARE(card.parameter('B'), 5);
}

void TestTransferEngine::portVanishingEndsTheTransfer()
{
    sim::Card card;
    Link link;
    QVERIFY(sim::openSimulatedCard(link, card));
    card.faults().portLostAfterFrames = 3;
    QSignalSpy finished(&link.engine(), &TransferEngine::finished);

    Completion done;
    QVERIFY(start(link, sendSteps(kSendFrames), done));
    QTRY_COMPARE_WITH_TIMEOUT(done.calls, 1, kTransferWaitMs);

    QVERIFY(!done.outcome.ok);
    QVERIFY(done.outcome.error.isError());
    QVERIFY2(said(done.outcome.error).contains(link.portName()),
             qPrintable(said(done.outcome.error)));
    QCOMPARE(done.outcome.framesSent, kSendFrames.mid(0, 4));
    QVERIFY(done.elapsedMs < kAnswerTimeoutMs); // ended by the loss, not by a time-out
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.first().first().toBool(), false);
    QVERIFY(!link.isOpen());

    LinkError refusal;
    Completion after;
    QVERIFY(!start(link, sendSteps({"z$"}), after, &refusal));
    QVERIFY2(said(refusal).contains(QStringLiteral("No serial port is open")),
             qPrintable(said(refusal)));
}

void TestTransferEngine::closingThePortEndsTheTransfer()
{
    sim::Card card;
    Link link;
    QVERIFY(sim::openSimulatedCard(link, card));
    card.faults().answerDelayMs = 50;

    Completion done;
    QVERIFY(start(link, sendSteps(kSendFrames), done));
    QTimer::singleShot(10, &link, &Link::closePort);
    QTRY_COMPARE_WITH_TIMEOUT(done.calls, 1, kTransferWaitMs);

    QVERIFY(!done.outcome.ok);
    QVERIFY2(said(done.outcome.error).contains(link.portName()),
             qPrintable(said(done.outcome.error)));
    QVERIFY(!link.isBusy());
    QTest::qWait(100); // an answer still under way must not revive the transfer
    QCOMPARE(done.calls, 1);
}

void TestTransferEngine::noTransferWithoutOpenPort_data()
{
    QTest::addColumn<bool>("openedBefore");
    QTest::newRow("never-opened") << false;
    QTest::newRow("closed-after-use") << true;
}

void TestTransferEngine::noTransferWithoutOpenPort()
{
    QFETCH(bool, openedBefore);

    sim::Card card;

    Link link;
    if (openedBefore) {
        QVERIFY(sim::openSimulatedCard(link, card));
        link.closePort();
    }
    QSignalSpy finished(&link.engine(), &TransferEngine::finished);
    Completion done;
    LinkError refusal;
    QVERIFY(!start(link, sendSteps(kSendFrames), done, &refusal));
    QVERIFY2(said(refusal).contains(QStringLiteral("No serial port is open")),
             qPrintable(said(refusal)));
    QVERIFY(!link.isBusy());
    QTest::qWait(20);
    QCOMPARE(done.calls, 0);
    QCOMPARE(finished.count(), 0);
    QVERIFY(card.framesReceived().isEmpty());
}

QTEST_GUILESS_MAIN(TestTransferEngine)
#include "tst_transfer_engine.moc"
