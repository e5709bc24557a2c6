// What the card on the line was last seen to hold, through the transfers that tell it.

#include "card_state.h"

#include <QSignalSpy>
#include <QTest>

using namespace vrn;

class TestCardState : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void knowledge_data();
    void knowledge();
};

namespace {

// A reply whose every field reads 0 but the PWM (5) and the maximum current (41, 45).
ReplyFields reply(int pwm, int current)
{
    QByteArray bytes(56, ' ');
    for (int position = 1; position <= 53; position += 4)
        bytes.replace(position - 1, 3, "000");
    bytes.replace(4, 3, QByteArray::number(pwm).rightJustified(3, '0'));
    bytes.replace(40, 3, QByteArray::number(current / 256).rightJustified(3, '0'));
    bytes.replace(44, 3, QByteArray::number(current % 256).rightJustified(3, '0'));
    return ReplyFields(bytes);
}

} // namespace

void TestCardState::knowledge_data()
{
    QTest::addColumn<QString>("steps");    // read, send:<frames>, other-port-send:<frames>, lost
    QTest::addColumn<QString>("expected"); // B and H as known ("-" unknown), then the source
    QTest::newRow("read-tells-all") << "read"
                                    << "B=3 H=768 Read";
    QTest::newRow("send-puts-its-codes") << "send:B00002$,H00100$"
                                         << "B=2 H=100 Send";
    QTest::newRow("empty-frame-forgets-its-letter") << "read send:B$"
                                                    << "B=- H=768 Send";
    QTest::newRow("send-on-another-port-starts-afresh") << "read other-port-send:B00001$"
                                                        << "B=1 H=- Send";
    QTest::newRow("forgotten") << "read lost"
                               << "B=- H=- None";
}

void TestCardState::knowledge()
{
    QFETCH(QString, steps);
    QFETCH(QString, expected);
    CardState card;
    QSignalSpy changes(&card, &CardState::changed);
    for (const QString& step : steps.split(u' ')) {
        const QString frames = step.section(u':', 1);
        QList<QByteArray> list;
        for (const QString& frame : frames.split(u',', Qt::SkipEmptyParts))
            list << frame.toLatin1();
        if (step == QLatin1String("read"))
            card.replyAccepted(codesInReply(reply(3, 768)), CardState::Source::Read,
                               QStringLiteral("COM1"));
        else if (step.startsWith(QLatin1String("send:")))
            card.sendDone(list, QStringLiteral("COM1"));
        else if (step.startsWith(QLatin1String("other-port-send:")))
            card.sendDone(list, QStringLiteral("COM2"));
        else if (step == QLatin1String("lost"))
            card.forget();
    }
    const auto show = [&card](char letter) {
        const std::optional<int> code = card.code(letter);
        return code ? QString::number(*code) : QStringLiteral("-");
    };
    const char* sources[] = {"None", "Send", "Read", "Verify"};
    QCOMPARE(
        QStringLiteral("B=%1 H=%2 %3")
            .arg(show('B'), show('H'), QLatin1String(sources[static_cast<int>(card.source())])),
        expected);
    QVERIFY(changes.count() >= 1);
}

QTEST_GUILESS_MAIN(TestCardState)
#include "tst_card_state.moc"
