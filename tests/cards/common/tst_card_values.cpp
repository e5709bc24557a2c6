// What a window would send, what a read reply says the card holds, and how the two compare.

#include "card_values.h"

#include <QLocale>
#include <QTest>

using namespace vrn;

class TestCardValues : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void codesToSendLeaveSlotsAlone();
    void codesInReplyCombinePairs();
    void differencesInUnits_data();
    void differencesInUnits();
};

void TestCardValues::codesToSendLeaveSlotsAlone()
{
    SlotTable slots;
    slots.setNumber('B', 3); // a plain number goes out padded
    slots.set('H', QStringLiteral("00769"));
    slots.setNumber('a', 2); // after "a0000"
    const SlotTable before = slots;
    const SendFrame frames[] = {SendFrame::fixed("A00000$"),    SendFrame::padded('B'),
                                SendFrame::padded('C'),         SendFrame::asHeld('H'),
                                SendFrame::asHeld('a', "0000"), kEndFrame};
    const Codes codes = codesToSend(slots, frames);
    QCOMPARE(codes, (Codes{{'A', 0}, {'B', 3}, {'H', 769}, {'a', 2}})); // empty C: no code
    QVERIFY(slots == before);
}

void TestCardValues::codesInReplyCombinePairs()
{
    const Codes codes =
        codesInReply(ReplyFields("001 003 012 000 188 000 000 205 001 128 001 038 0x2 025\r"));
    QCOMPARE(codes.at('A'), 1);
    QCOMPARE(codes.at('E'), 188); // low part first
    QCOMPARE(codes.at('G'), 384);
    QCOMPARE(codes.at('H'), 294);
    QCOMPARE(codes.at('Z'), 25);
    QVERIFY(!codes.contains('a')); // a field that is no number
}

void TestCardValues::differencesInUnits_data()
{
    QTest::addColumn<int>("unit");
    QTest::addColumn<int>("window");
    QTest::addColumn<int>("card");
    QTest::addColumn<QString>("text");
    QTest::newRow("current") << int(ValueUnit::Milliamps) << 769 << 410
                             << "I Max (window 2253 mA, card 1201 mA)";
    QTest::newRow("time-in-seconds")
        << int(ValueUnit::Seconds) << 2 << 7 << "I Max (window 0.4 s, card 1.4 s)";
    QTest::newRow("over-supply") << int(ValueUnit::TenMilliseconds) << 25 << 0
                                 << "I Max (window 250 ms, card 0 ms)";
    QTest::newRow("pwm-known-and-unknown")
        << int(ValueUnit::PwmChoice) << 3 << 7 << "I Max (window (3) 300 Hz, card code 7)";
    QTest::newRow("not-set") << int(ValueUnit::Milliamps) << -1 << 0
                             << "I Max (window not set, card 0 mA)";
}

void TestCardValues::differencesInUnits()
{
    QFETCH(int, unit);
    QFETCH(int, window);
    QFETCH(int, card);
    QFETCH(QString, text);
    const CardValue iMax{'H', "I Max", static_cast<ValueUnit>(unit)};
    const CardValue other{'B', "PWM", ValueUnit::PwmChoice};
    Codes windowCodes{{'B', 1}};
    if (window >= 0)
        windowCodes['H'] = window;
    const auto differences =
        compareValues(std::vector<CardValue>{other, iMax}, windowCodes, {{'B', 1}, {'H', card}});
    QCOMPARE(differences.size(), std::size_t(1));
    // Times are told with the user's decimal symbol (a comma on many Windows machines).
    QCOMPARE(differenceText(differences.front()), text.replace('.', QLocale().decimalPoint()));
}

QTEST_GUILESS_MAIN(TestCardValues)
#include "tst_card_values.moc"
