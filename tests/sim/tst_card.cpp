#include "card.h"

#include <QTest>

using namespace vrn::sim;

Q_DECLARE_METATYPE(vrn::sim::Faults)

namespace {

QList<QByteArray> burstsOf(const std::vector<Emission>& emissions)
{
    QList<QByteArray> bursts;
    for (const Emission& e : emissions)
        bursts.append(e.bytes);
    return bursts;
}

QList<int> delaysOf(const std::vector<Emission>& emissions)
{
    QList<int> delays;
    for (const Emission& e : emissions)
        delays.append(e.delayMs);
    return delays;
}

QByteArray fieldAt(const QByteArray& reply, int position)
{
    return reply.mid(position - 1, 3);
}

} // namespace

class TestCard : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Read reply layout
    void replyHasFourteenThreeDigitFieldsInFiftySixCharacters();
    void replyFields_data();
    void replyFields();

    // Parameter memory
    void memoryFromFrames_data();
    void memoryFromFrames();
    void frameInPiecesIsOneFrame();
    void everyFrameIsAnsweredAndLogged();

    // Faults
    void faults_data();
    void faults();
    void garbageAnswersAreAtLeastTwoCharactersOfNoise();
    void lineGoesDeadAfterSomeFramesUntilReopened();
};

void TestCard::replyHasFourteenThreeDigitFieldsInFiftySixCharacters()
{
    Card card;
    card.setParameter('H', 1023);
    card.setParameter('Z', 99);
    const QByteArray reply = card.readReply();
    QCOMPARE(reply.size(), 56);
    for (int position = 1; position <= 53; position += 4) {
        const QByteArray field = fieldAt(reply, position);
        for (char c : field)
            QVERIFY2(c >= '0' && c <= '9', qPrintable(QStringLiteral("field at %1 is \"%2\"")
                                                          .arg(position)
                                                          .arg(QString::fromLatin1(field))));
    }
}

void TestCard::replyFields_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<QList<int>>("positions");
    QTest::addColumn<QList<QByteArray>>("fields");

    QTest::newRow("coil-current-at-1")
        << QByteArray("A00005$") << QList<int>{1} << QList<QByteArray>{"005"};
    QTest::newRow("pwm-at-5") << QByteArray("B00003$") << QList<int>{5} << QList<QByteArray>{"003"};
    QTest::newRow("ramp-up-at-9") << QByteArray("C00255$") << QList<int>{9}
                                  << QList<QByteArray>{"255"};
    QTest::newRow("ramp-down-at-13")
        << QByteArray("D00017$") << QList<int>{13} << QList<QByteArray>{"017"};
    // Vt is the one pair sent low part first.
    QTest::newRow("vt-low-at-17-high-at-21")
        << QByteArray("E00300$") << QList<int>{17, 21} << QList<QByteArray>{"044", "001"};
    QTest::newRow("pol-high-at-25-low-at-29")
        << QByteArray("F01023$") << QList<int>{25, 29} << QList<QByteArray>{"003", "255"};
    QTest::newRow("min-high-at-33-low-at-37")
        << QByteArray("G00256$") << QList<int>{33, 37} << QList<QByteArray>{"001", "000"};
    QTest::newRow("max-high-at-41-low-at-45")
        << QByteArray("H00700$") << QList<int>{41, 45} << QList<QByteArray>{"002", "188"};
    QTest::newRow("max-below-256-has-zero-high")
        << QByteArray("H00255$") << QList<int>{41, 45} << QList<QByteArray>{"000", "255"};
    QTest::newRow("reference-at-49")
        << QByteArray("a00002$") << QList<int>{49} << QList<QByteArray>{"002"};
    QTest::newRow("over-supply-at-53")
        << QByteArray("Z00099$") << QList<int>{53} << QList<QByteArray>{"099"};
}

void TestCard::replyFields()
{
    QFETCH(QByteArray, frame);
    QFETCH(QList<int>, positions);
    QFETCH(QList<QByteArray>, fields);

    Card card;
    card.receive(frame);
    const QByteArray reply = card.readReply();
    for (int position = 1; position <= 53; position += 4) {
        const qsizetype i = positions.indexOf(position);
        const QByteArray expected = i >= 0 ? fields.at(i) : QByteArray("000");
        QCOMPARE(fieldAt(reply, position), expected);
    }
}

void TestCard::memoryFromFrames_data()
{
    QTest::addColumn<QByteArray>("frames");
    QTest::addColumn<char>("letter");
    QTest::addColumn<int>("value");

    QTest::newRow("code-is-stored") << QByteArray("B00003$") << 'B' << 3;
    QTest::newRow("largest-slider-code") << QByteArray("H01023$") << 'H' << 1023;
    QTest::newRow("reference-with-zeros") << QByteArray("a00002$") << 'a' << 2;
    QTest::newRow("lower-a-is-not-capital-A") << QByteArray("a00002$") << 'A' << 0;
    QTest::newRow("capital-Z-slot") << QByteArray("Z00025$") << 'Z' << 25;
    QTest::newRow("end-frame-is-not-slot-Z") << QByteArray("Z00025$z$") << 'Z' << 25;
    QTest::newRow("frame-without-digits-changes-nothing") << QByteArray("I00007$I$") << 'I' << 7;
    QTest::newRow("later-frame-wins") << QByteArray("C00010$C00020$") << 'C' << 20;
    QTest::newRow("read-request-changes-nothing") << QByteArray("D00005$w$") << 'D' << 5;
    QTest::newRow("plain-number-as-sent") << QByteArray("H300$") << 'H' << 300;
}

void TestCard::memoryFromFrames()
{
    QFETCH(QByteArray, frames);
    QFETCH(char, letter);
    QFETCH(int, value);

    Card card;
    card.receive(frames);
    QCOMPARE(card.parameter(letter), value);
}

void TestCard::frameInPiecesIsOneFrame()
{
    Card card;
    QVERIFY(card.receive("B00").empty()); // nothing to answer before the "$"
    const auto emissions = card.receive("007$");
    QCOMPARE(burstsOf(emissions), QList<QByteArray>{"OK"});
    QCOMPARE(card.framesReceived(), QList<QByteArray>{"B00007$"});
    QCOMPARE(card.parameter('B'), 7);
}

void TestCard::everyFrameIsAnsweredAndLogged()
{
    Card card;
    card.setParameter('H', 512);
    const auto emissions = card.receive("A00001$I$z$w$");
    QCOMPARE(card.framesReceived(), (QList<QByteArray>{"A00001$", "I$", "z$", "w$"}));
    QCOMPARE(burstsOf(emissions), (QList<QByteArray>{"OK", "OK", "OK", card.readReply()}));
    QCOMPARE(fieldAt(card.readReply(), 1), QByteArray("001"));
    QCOMPARE(fieldAt(card.readReply(), 41), QByteArray("002"));
}

void TestCard::faults_data()
{
    QTest::addColumn<Faults>("faults");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QList<QByteArray>>("bursts");
    QTest::addColumn<QList<int>>("delays");

    const QByteArray reply = Card().readReply();
    Card withPwm;
    withPwm.setParameter('B', 4);

    Faults none;
    QTest::newRow("no-fault-two-characters-at-once")
        << none << QByteArray("B00004$") << QList<QByteArray>{"OK"} << QList<int>{0};

    Faults delayed;
    delayed.answerDelayMs = 40;
    QTest::newRow("answer-delay") << delayed << QByteArray("B00004$") << QList<QByteArray>{"OK"}
                                  << QList<int>{40};

    Faults wire;
    wire.characterTimeMs = 0.5208;
    QTest::newRow("wire-time-of-56-characters")
        << wire << QByteArray("B00004$w$") << QList<QByteArray>{"OK", withPwm.readReply()}
        << QList<int>{1, 29};

    Faults split;
    split.splitAnswers = true;
    split.splitGapMs = 30;
    QTest::newRow("split-one-character-then-the-rest")
        << split << QByteArray("B00004$") << QList<QByteArray>{"O", "K"} << QList<int>{0, 30};

    Faults splitLong = split;
    splitLong.frameAnswer = "OK\r\n";
    splitLong.splitAfter = 2;
    QTest::newRow("split-after-two-leaves-late-characters")
        << splitLong << QByteArray("B00004$") << QList<QByteArray>{"OK", "\r\n"}
        << QList<int>{0, 30};

    Faults splitReply = split;
    QTest::newRow("split-read-reply")
        << splitReply << QByteArray("w$") << QList<QByteArray>{reply.left(1), reply.mid(1)}
        << QList<int>{0, 30};

    Faults silent;
    silent.silent = true;
    QTest::newRow("silent-answers-nothing")
        << silent << QByteArray("B00004$w$") << QList<QByteArray>{} << QList<int>{};

    Faults shortReply;
    shortReply.replyLength = 30;
    QTest::newRow("short-reply-is-cut")
        << shortReply << QByteArray("w$") << QList<QByteArray>{reply.left(30)} << QList<int>{0};

    Faults longReply;
    longReply.replyLength = 70;
    QTest::newRow("long-reply-is-padded")
        << longReply << QByteArray("w$") << QList<QByteArray>{reply + QByteArray(14, ' ')}
        << QList<int>{0};

    Faults overridden;
    overridden.replyFieldOverrides[41] = "abc";
    overridden.replyFieldOverrides[5] = "7";
    QByteArray expected = reply;
    expected.replace(40, 3, "abc");
    expected.replace(4, 3, "7  ");
    QTest::newRow("field-overrides")
        << overridden << QByteArray("w$") << QList<QByteArray>{expected} << QList<int>{0};

    Faults ownAnswer;
    ownAnswer.frameAnswer = "ACK\r\n";
    QTest::newRow("own-frame-answer")
        << ownAnswer << QByteArray("z$") << QList<QByteArray>{"ACK\r\n"} << QList<int>{0};
}

void TestCard::faults()
{
    QFETCH(Faults, faults);
    QFETCH(QByteArray, input);
    QFETCH(QList<QByteArray>, bursts);
    QFETCH(QList<int>, delays);

    Card card;
    card.faults() = faults;
    const auto emissions = card.receive(input);
    QCOMPARE(burstsOf(emissions), bursts);
    QCOMPARE(delaysOf(emissions), delays);
    QCOMPARE(card.parameter('B'), input.startsWith('B') ? 4 : 0); // faults never lose memory
}

void TestCard::garbageAnswersAreAtLeastTwoCharactersOfNoise()
{
    Card card;
    card.faults().garbageAnswers = true;
    const auto emissions = card.receive("B00001$B00002$B00003$B00004$");
    QCOMPARE(emissions.size(), std::size_t(4));
    QSet<QByteArray> distinct;
    for (const Emission& e : emissions) {
        QVERIFY(e.bytes.size() >= 2);
        QVERIFY(e.bytes != "OK");
        distinct.insert(e.bytes);
    }
    QVERIFY(distinct.size() > 1);
    QCOMPARE(card.parameter('B'), 4);
    QCOMPARE(card.receive("w$").front().bytes, card.readReply()); // the reply stays intact
}

void TestCard::lineGoesDeadAfterSomeFramesUntilReopened()
{
    Card card;
    card.faults().portLostAfterFrames = 2;
    QCOMPARE(burstsOf(card.receive("A00001$B00002$")), (QList<QByteArray>{"OK", "OK"}));

    const auto third = card.receive("C00003$");
    QCOMPARE(third.size(), std::size_t(1));
    QVERIFY(third.front().portLost);
    QVERIFY(card.receive("D00004$w$").empty()); // a dead line carries nothing

    card.resetLine();
    card.faults().portLostAfterFrames = -1;
    QCOMPARE(burstsOf(card.receive("E00005$")), QList<QByteArray>{"OK"});
}

QTEST_GUILESS_MAIN(TestCard)
#include "tst_card.moc"
