// The link over a real serial port driver: the simulated card served on a pseudo-terminal at one
// end, the program's serial transport on the other.

#include "link.h"
#include "link_messages.h"
#include "link_words.h"
#include "listed_ports.h"
#include "protocol.h"
#include "pty_card_server.h"
#include "reply_fields.h"
#include "serial_transport.h"
#include "timeouts.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

using namespace vrn;

Q_DECLARE_METATYPE(vrn::sim::Faults)

namespace {

constexpr int kTransferWaitMs = 10000; // far beyond any time-out of the link

struct Completion
{
    int calls = 0;
    TransferOutcome outcome;
    qint64 elapsedMs = -1;
};

bool start(Link& link, std::vector<TransferStep> steps, Completion& completion)
{
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    LinkError refusal;
    const bool started = link.startTransfer(
        std::move(steps),
        [&completion, clock](const TransferOutcome& outcome) {
            ++completion.calls;
            completion.outcome = outcome;
            completion.elapsedMs = clock->elapsed();
        },
        &refusal);
    if (!started)
        qWarning("transfer refused: %s", qPrintable(said(refusal)));
    return started;
}

std::vector<TransferStep> transactions(const QList<QByteArray>& frames)
{
    std::vector<TransferStep> steps{TransferStep::discardInput()};
    for (const QByteArray& frame : frames)
        steps.push_back(TransferStep::transaction([frame] { return frame; }));
    return steps;
}

} // namespace

class TestPtyLink : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void sendAndReadOverTheTerminal_data();
    void sendAndReadOverTheTerminal();
    void cardEndClosingEndsTheTransfer();
    void lateReplyOfTimedOutReadIsDropped();
    void clearingOutputKeepsFramesAlreadySent_data();
    void clearingOutputKeepsFramesAlreadySent();
    void lostAdapterReopenedUnderItsNewName_data();
    void lostAdapterReopenedUnderItsNewName();
    void choosingAnotherPortEndsTheWait();
    void lineLostSoonAfterAppearing_data();
    void lineLostSoonAfterAppearing();
};

void TestPtyLink::sendAndReadOverTheTerminal_data()
{
    QTest::addColumn<int>("baud");
    QTest::addColumn<sim::Faults>("faults");
    QTest::addColumn<bool>("sendFirst"); // false: the Read is the first thing on the fresh port

    QTest::newRow("instant-line") << 0 << sim::Faults{} << true;
    QTest::newRow("line-paced-at-19200-baud") << 19200 << sim::Faults{} << true;
    sim::Faults split;
    split.splitAnswers = true;
    split.splitGapMs = 10;
    QTest::newRow("answers-in-two-bursts-at-19200-baud") << 19200 << split << true;
    sim::Faults slow;
    slow.answerDelayMs = 40;
    QTest::newRow("slow-card") << 19200 << slow << true;
    QTest::newRow("read-first-on-a-fresh-port") << 19200 << sim::Faults{} << false;
    QTest::newRow("read-first-from-a-slow-card") << 19200 << slow << false;
}

void TestPtyLink::sendAndReadOverTheTerminal()
{
    QFETCH(int, baud);
    QFETCH(sim::Faults, faults);
    QFETCH(bool, sendFirst);

    sim::PtyCardServer server;
    server.setCharacterTimeMs(sim::characterTimeMs(baud));
    server.card().faults() = faults;
    server.card().setParameter('Z', 25); // memory the send does not touch
    QVERIFY2(server.open(), qPrintable(server.errorString()));
    QSignalSpy logged(&server, &sim::PtyCardServer::frameReceived);

    Link link;
    QVERIFY2(link.openDevice(server.slavePath()), qPrintable(saidOfPort(link.lastError())));
    QCOMPARE(link.portName(), server.slavePath());

    const QList<QByteArray> frames =
        sendFirst ? QList<QByteArray>{"A00002$", "B00003$", "C00040$", "E00300$",
                                      "H00700$", "I$",      "a00001$", "z$"}
                  : QList<QByteArray>{};
    std::vector<TransferStep> steps = transactions(frames);
    steps.push_back(TransferStep::readRequest());
    Completion done;
    QVERIFY(start(link, std::move(steps), done));
    QTRY_COMPARE_WITH_TIMEOUT(done.calls, 1, kTransferWaitMs);
    QVERIFY2(done.outcome.ok, qPrintable(said(done.outcome.error)));

    // Exactly the frames, in order, byte for byte: nothing added, lost or translated.
    QList<QByteArray> sent = frames;
    sent.append("w$");
    QCOMPARE(done.outcome.framesSent, sent);
    QCOMPARE(server.received(), sent.join());
    QCOMPARE(server.card().framesReceived(), sent);
    QCOMPARE(logged.count(), sent.size());

    // The reply carries the card's memory, CR included.
    const sim::Card& card = server.card();
    QCOMPARE(done.outcome.reply, card.readReply());
    const ReplyFields fields(done.outcome.reply);
    QCOMPARE(fields.field(protocol::field::kOverSupply), 25.0);
    if (!sendFirst)
        return;
    QCOMPARE(fields.field(protocol::field::kCoil), 2.0);
    QCOMPARE(fields.field(protocol::field::kPwm), 3.0);
    QCOMPARE(fields.field(protocol::field::kRampUp), 40.0);
    QCOMPARE(fields.pair(protocol::field::kVtHigh, protocol::field::kVtLow), 300.0);
    QCOMPARE(fields.pair(protocol::field::kMaxHigh, protocol::field::kMaxLow), 700.0);
    QCOMPARE(fields.field(protocol::field::kReference), 1.0);

    // Wire pacing: 63 characters out and 8 answers plus 56 in cannot pass in less time.
    if (baud > 0) {
        const double minimumMs = sim::characterTimeMs(baud) * (sent.join().size() + 56);
        QVERIFY2(done.elapsedMs >= minimumMs, qPrintable(QString::number(done.elapsedMs)));
    }
}

void TestPtyLink::cardEndClosingEndsTheTransfer()
{
    sim::PtyCardServer server;
    server.setCharacterTimeMs(sim::characterTimeMs(19200));
    server.card().faults().portLostAfterFrames = 2;
    QVERIFY2(server.open(), qPrintable(server.errorString()));
    QSignalSpy closed(&server, &sim::PtyCardServer::lineClosed);
    const QString device = server.slavePath();

    Link link;
    QVERIFY2(link.openDevice(device), qPrintable(saidOfPort(link.lastError())));
    Completion done;
    QVERIFY(start(link, transactions({"A00001$", "B00002$", "C00003$", "D00004$", "z$"}), done));
    QTRY_COMPARE_WITH_TIMEOUT(done.calls, 1, kTransferWaitMs);

    QCOMPARE(closed.count(), 1);
    QVERIFY(!server.isOpen());
    QVERIFY(!done.outcome.ok);
    QVERIFY2(said(done.outcome.error).contains(device), qPrintable(said(done.outcome.error)));
    QCOMPARE(done.outcome.framesSent.size(), 3); // the third frame found the line dead
    QVERIFY2(done.elapsedMs < kAnswerTimeoutMs, qPrintable(QString::number(done.elapsedMs)));
    QVERIFY(!link.isBusy());
    QVERIFY(!link.isOpen());

    // The card comes back on a new terminal; the program opens it and works again.
    server.card().faults().portLostAfterFrames = -1;
    QVERIFY2(server.open(), qPrintable(server.errorString()));
    QVERIFY2(link.openDevice(server.slavePath()), qPrintable(saidOfPort(link.lastError())));
    Completion again;
    QVERIFY(start(link, transactions({"D00004$", "z$"}), again));
    QTRY_COMPARE_WITH_TIMEOUT(again.calls, 1, kTransferWaitMs);
    QVERIFY2(again.outcome.ok, qPrintable(said(again.outcome.error)));
    QCOMPARE(server.card().parameter('D'), 4);
}

// A Read times out; its reply arrives late, while the port is idle. The next Read must get the
// card's reply to its own request, not the late one.
void TestPtyLink::lateReplyOfTimedOutReadIsDropped()
{
    sim::PtyCardServer server;
    server.setCharacterTimeMs(sim::characterTimeMs(19200));
    server.card().setParameter('H', 100);
    server.card().faults().answerDelayMs = kReplyTimeoutMs + 300;
    QVERIFY2(server.open(), qPrintable(server.errorString()));
    Link link;
    QVERIFY2(link.openDevice(server.slavePath()), qPrintable(saidOfPort(link.lastError())));

    QSignalSpy written(&server, &sim::PtyCardServer::terminalWritten);
    Completion timedOut;
    QVERIFY(start(link, {TransferStep::readRequest()}, timedOut));
    QTRY_COMPARE_WITH_TIMEOUT(timedOut.calls, 1, kTransferWaitMs);
    QVERIFY(!timedOut.outcome.ok);
    QVERIFY2(said(timedOut.outcome.error).contains(QStringLiteral("did not answer")),
             qPrintable(said(timedOut.outcome.error)));
    // The late reply crosses the terminal and reaches the port while no transfer runs.
    QTRY_VERIFY_WITH_TIMEOUT(
        !written.isEmpty() && written.last().at(1).toByteArray().endsWith('\r'), kTransferWaitMs);
    QTest::qWait(200);

    server.card().faults() = {};
    server.card().setParameter('H', 700);
    Completion read;
    QVERIFY(start(link, {TransferStep::readRequest()}, read));
    QTRY_COMPARE_WITH_TIMEOUT(read.calls, 1, kTransferWaitMs);
    QVERIFY2(read.outcome.ok, qPrintable(said(read.outcome.error)));
    QCOMPARE(read.outcome.reply, server.card().readReply());
    QCOMPARE(
        ReplyFields(read.outcome.reply).pair(protocol::field::kMaxHigh, protocol::field::kMaxLow),
        700.0);
}

void TestPtyLink::clearingOutputKeepsFramesAlreadySent_data()
{
    QTest::addColumn<int>("baud");

    QTest::newRow("instant-line") << 0;
    QTest::newRow("line-paced-at-19200-baud") << 19200;
}

void TestPtyLink::clearingOutputKeepsFramesAlreadySent()
{
    QFETCH(int, baud);

    sim::PtyCardServer server;
    server.setCharacterTimeMs(sim::characterTimeMs(baud));
    QVERIFY2(server.open(), qPrintable(server.errorString()));
    SerialTransport port(server.slavePath());
    QVERIFY2(port.open(), qPrintable(port.error().debugText()));

    // A frame the driver has taken is on its way to the card. The next transaction clears the
    // transmit buffer first: that must not cut the frame short, even when the card's side has
    // not read a character of it yet (an answer that came early lets the transfer move on at
    // once). Many frames, because on a pseudo-terminal a flush catches a frame only while the
    // system has not yet moved it to the card's side.
    QList<QByteArray> frames;
    for (int i = 0; i < 100; ++i) {
        const char letter = "ABCDEFGH"[i % 8];
        frames.append(letter + QByteArray::number(i).rightJustified(5, '0') + '$');
    }
    for (const QByteArray& frame : frames) {
        port.clearOutput();
        port.write(frame);
        QCOMPARE(port.bytesToWrite(), 0);
    }
    QTRY_COMPARE_WITH_TIMEOUT(server.card().framesReceived().size(), frames.size(),
                              kTransferWaitMs);
    QCOMPARE(server.card().framesReceived(), frames);
}

// The card's adapter pulled out and plugged back under another name, while another adapter
// comes and goes: the link opens the card's adapter again by itself, and nothing else.
void TestPtyLink::lostAdapterReopenedUnderItsNewName_data()
{
    QTest::addColumn<QString>("serial");      // the card's adapter; empty: none, told by place
    QTest::addColumn<QString>("otherSerial"); // the other adapter, of the same kind
    QTest::addColumn<QString>("otherPlace");
    QTest::newRow("by-serial-number") << "A10K3JX2"
                                      << "B7700Q1"
                                      << "1-2";
    QTest::newRow("by-ids-and-place") << ""
                                      << ""
                                      << "1-3";
}

void TestPtyLink::lostAdapterReopenedUnderItsNewName()
{
    QFETCH(QString, serial);
    QFETCH(QString, otherSerial);
    QFETCH(QString, otherPlace);
    auto ports = std::make_shared<ListedPorts>();
    Link link;
    link.setPortSource(ports);
    link.setReopensLostAdapter(true);
    sim::PtyCardServer before;
    QVERIFY2(before.open(), qPrintable(before.errorString()));
    ports->listed = {ListedPorts::usbAdapter(before.slavePath(), serial, "1-2")};
    QVERIFY2(link.openDevice(before.slavePath()), qPrintable(said(link.lastError())));
    const AdapterIdentity card = link.adapter();
    QVERIFY(card.isKnown());

    // Pulled out: the link says so at once and waits.
    QSignalSpy lost(&link, &Link::lineLost);
    before.close();
    ports->listed.clear();
    QTRY_COMPARE(lost.size(), 1);
    QCOMPARE(link.adapterWait(), Link::AdapterWait::Waiting);
    QCOMPARE(link.adapterSeen(), Link::AdapterSeen::Gone);
    QVERIFY(LinkMessages::linkState(link).contains("unplugged: waiting for it"));
    LinkError refusal;
    QVERIFY(!link.startTransfer(transactions({"a0123$"}), {}, &refusal));
    QVERIFY(LinkMessages::transferProblem(refusal).contains("opens it again by itself"));

    // Another adapter of the same kind is plugged in: it is never opened, nor written to.
    sim::PtyCardServer other;
    QVERIFY2(other.open(), qPrintable(other.errorString()));
    ports->listed = {ListedPorts::usbAdapter(other.slavePath(), otherSerial, otherPlace)};
    QTest::qWait(3 * Link::kAdapterPollMs);
    QVERIFY(!link.isOpen());
    QCOMPARE(link.adapterWait(), Link::AdapterWait::Waiting);

    // The card's adapter comes back under another name.
    sim::PtyCardServer after;
    QVERIFY2(after.open(), qPrintable(after.errorString()));
    ports->listed.append(ListedPorts::usbAdapter(after.slavePath(), serial, "1-2"));
    QTRY_VERIFY_WITH_TIMEOUT(link.isOpen(), 4 * Link::kAdapterPollMs);
    QCOMPARE(link.portName(), after.slavePath());
    QCOMPARE(link.adapter(), card);
    QCOMPARE(link.adapterWait(), Link::AdapterWait::Reopened);
    QCOMPARE(LinkMessages::linkState(link),
             QStringLiteral("FT232R USB UART%1 reopened as %2")
                 .arg(serial.isEmpty() ? QString() : " (" + serial + ")", after.slavePath()));
    QVERIFY(other.received().isEmpty());
    QVERIFY(after.received().isEmpty()); // opened, nothing sent by itself

    Completion completion;
    QVERIFY(start(link, transactions({"a0123$"}), completion));
    QTRY_COMPARE_WITH_TIMEOUT(completion.calls, 1, kTransferWaitMs);
    QVERIFY2(completion.outcome.ok, qPrintable(said(completion.outcome.error)));
    QCOMPARE(after.card().framesReceived(), QList<QByteArray>{"a0123$"});
}

// The technician stops waiting by choosing another port: the lost adapter coming back later is
// left alone.
void TestPtyLink::choosingAnotherPortEndsTheWait()
{
    auto ports = std::make_shared<ListedPorts>();
    Link link;
    link.setPortSource(ports);
    link.setReopensLostAdapter(true);
    sim::PtyCardServer card;
    QVERIFY2(card.open(), qPrintable(card.errorString()));
    ports->listed = {ListedPorts::usbAdapter(card.slavePath(), "A10K3JX2")};
    QVERIFY2(link.openDevice(card.slavePath()), qPrintable(said(link.lastError())));
    QSignalSpy lost(&link, &Link::lineLost);
    card.close();
    ports->listed.clear();
    QTRY_COMPARE(lost.size(), 1);
    QCOMPARE(link.adapterWait(), Link::AdapterWait::Waiting);

    sim::PtyCardServer chosen;
    QVERIFY2(chosen.open(), qPrintable(chosen.errorString()));
    QVERIFY2(link.openDevice(chosen.slavePath()), qPrintable(said(link.lastError())));
    QCOMPARE(link.adapterWait(), Link::AdapterWait::None);
    QVERIFY2(card.open(), qPrintable(card.errorString()));
    ports->listed = {ListedPorts::usbAdapter(card.slavePath(), "A10K3JX2")};
    QTest::qWait(3 * Link::kAdapterPollMs);
    QCOMPARE(link.portName(), chosen.slavePath());
    QVERIFY(card.received().isEmpty());
}

// A port that goes away a moment after it appeared is what the braille display daemon does to
// adapters it claims: the message names it where it is installed.
void TestPtyLink::lineLostSoonAfterAppearing_data()
{
    QTest::addColumn<bool>("brailleDaemon");
    QTest::newRow("braille-daemon-installed") << true;
    QTest::newRow("no-braille-daemon") << false;
}

void TestPtyLink::lineLostSoonAfterAppearing()
{
#ifdef Q_OS_WIN
    QSKIP("how soon a port vanished is the age of its device node (the change time stat gives "
          "under /dev), which Windows does not tell of a COM port");
#endif
    QFETCH(bool, brailleDaemon);
    auto ports = std::make_shared<ListedPorts>();
    ports->brailleDaemon = brailleDaemon;
    Link link;
    link.setPortSource(ports);
    sim::PtyCardServer server;
    QVERIFY2(server.open(), qPrintable(server.errorString()));
    QVERIFY2(link.openDevice(server.slavePath()), qPrintable(said(link.lastError())));
    QSignalSpy lost(&link, &Link::lineLost);
    server.close();
    QTRY_COMPARE(lost.size(), 1);
    const auto reason = lost.front().front().value<LinkError>();
    QCOMPARE(reason.reason, LinkError::Reason::LineLost);
    QVERIFY(reason.vanishedAfterMs >= 0 && reason.vanishedAfterMs < 2500);
    const QString told = LinkMessages::transferProblem(reason);
    QCOMPARE(told.contains("brltty"), brailleDaemon);
    QVERIFY2(told.contains(reason.port), qPrintable(told));
}

QTEST_GUILESS_MAIN(TestPtyLink)
#include "tst_pty_link.moc"
