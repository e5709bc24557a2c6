#include "slot_table.h"

#include <QTest>

using namespace vrn;

Q_DECLARE_METATYPE(vrn::SlotValue)

class TestSlotTable : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void padding_data();
    void padding();
    void frames_data();
    void frames();
    void startsEmptyAndKeepsWhatWasWritten();
    void padsInPlace();
};

void TestSlotTable::padding_data()
{
    QTest::addColumn<SlotValue>("value");
    QTest::addColumn<SlotValue>("expected");
    QTest::newRow("zero-gets-four-zeros") << SlotValue(0.0) << SlotValue(QStringLiteral("00000"));
    QTest::newRow("one-digit") << SlotValue(7.0) << SlotValue(QStringLiteral("00007"));
    QTest::newRow("two-digits") << SlotValue(35.0) << SlotValue(QStringLiteral("00035"));
    QTest::newRow("three-digits") << SlotValue(294.0) << SlotValue(QStringLiteral("00294"));
    QTest::newRow("four-digits") << SlotValue(1023.0) << SlotValue(QStringLiteral("01023"));
    QTest::newRow("code-unchanged")
        << SlotValue(QStringLiteral("00188")) << SlotValue(QStringLiteral("00188"));
    QTest::newRow("short-text-padded")
        << SlotValue(QStringLiteral("3")) << SlotValue(QStringLiteral("00003"));
    QTest::newRow("six-characters-unchanged")
        << SlotValue(123456.0) << SlotValue(QStringLiteral("123456"));
    QTest::newRow("empty-stays-empty") << SlotValue() << SlotValue();
    QTest::newRow("fraction-padded-as-text")
        << SlotValue(2.5) << SlotValue(QStringLiteral("002.5"));
}

void TestSlotTable::padding()
{
    QFETCH(SlotValue, value);
    QFETCH(SlotValue, expected);
    QCOMPARE(padded(value), expected);
}

void TestSlotTable::frames_data()
{
    QTest::addColumn<char>("letter");
    QTest::addColumn<SlotValue>("value");
    QTest::addColumn<QByteArray>("prefix");
    QTest::addColumn<QByteArray>("frame");
    QTest::newRow("code") << 'B' << SlotValue(QStringLiteral("00003")) << QByteArray()
                          << QByteArray("B00003$");
    QTest::newRow("empty-slot-letter-and-dollar")
        << 'I' << SlotValue() << QByteArray() << QByteArray("I$");
    QTest::newRow("plain-number-as-held")
        << 'H' << SlotValue(300.0) << QByteArray() << QByteArray("H300$");
    QTest::newRow("reference-with-prefix")
        << 'a' << SlotValue(2.0) << QByteArray("0000") << QByteArray("a00002$");
    QTest::newRow("empty-reference-with-prefix")
        << 'a' << SlotValue() << QByteArray("0000") << QByteArray("a0000$");
    QTest::newRow("capital-Z-slot")
        << 'Z' << SlotValue(QStringLiteral("00025")) << QByteArray() << QByteArray("Z00025$");
}

void TestSlotTable::frames()
{
    QFETCH(char, letter);
    QFETCH(SlotValue, value);
    QFETCH(QByteArray, prefix);
    QFETCH(QByteArray, frame);
    QCOMPARE(commandFrame(letter, value, prefix), frame);
}

void TestSlotTable::startsEmptyAndKeepsWhatWasWritten()
{
    SlotTable slots;
    for (char letter : SlotTable::kLetters)
        QVERIFY(std::holds_alternative<std::monostate>(slots.value(letter)));
    slots.setCode('a', 2);
    slots.setNumber('A', 2);
    QCOMPARE(slots.value('a'), SlotValue(QStringLiteral("00002")));
    QCOMPARE(slots.value('A'), SlotValue(2.0));
    QVERIFY(std::holds_alternative<std::monostate>(slots.value('Z')));
}

void TestSlotTable::padsInPlace()
{
    SlotTable slots;
    slots.setNumber('C', 35);
    slots.pad('C');
    QCOMPARE(slots.value('C'), SlotValue(QStringLiteral("00035")));
    slots.pad('D'); // empty stays empty
    QVERIFY(std::holds_alternative<std::monostate>(slots.value('D')));
}

QTEST_GUILESS_MAIN(TestSlotTable)
#include "tst_slot_table.moc"
