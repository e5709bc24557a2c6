#include "reply_fields.h"

#include <QTest>

using namespace vrn;

class TestReplyFields : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fields_data();
    void fields();
    void pairs();
};

void TestReplyFields::fields_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("position");
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("isNumber");
    const QByteArray reply = "001 003 012 000 188 000 000 205 001 128 001 038 002 025\r";
    QTest::newRow("first-field") << reply << 1 << 1.0 << true;
    QTest::newRow("one-based-positions") << reply << 17 << 188.0 << true;
    QTest::newRow("last-field") << reply << 53 << 25.0 << true;
    QTest::newRow("blank-led-field") << QByteArray("  7") << 1 << 7.0 << true;
    QTest::newRow("left-aligned-field") << QByteArray("3  ") << 1 << 3.0 << true;
    QTest::newRow("blanks-around-digits") << QByteArray(" 2 ") << 1 << 2.0 << true;
    QTest::newRow("blank-between-digits") << QByteArray("2 3") << 1 << 2.0 << false;
    QTest::newRow("tab-after-digits") << QByteArray("12\t") << 1 << 12.0 << true;
    QTest::newRow("blank-field-is-not-a-number") << QByteArray("   ") << 1 << 0.0 << false;
    QTest::newRow("garbage-reads-zero") << QByteArray("x12") << 1 << 0.0 << false;
    QTest::newRow("trailing-garbage") << QByteArray("12x") << 1 << 12.0 << false;
    QTest::newRow("sign-is-not-digits") << QByteArray("-12") << 1 << -12.0 << false;
    QTest::newRow("beyond-a-short-reply") << QByteArray("001") << 5 << 0.0 << false;
}

void TestReplyFields::fields()
{
    QFETCH(QByteArray, reply);
    QFETCH(int, position);
    QFETCH(double, value);
    QFETCH(bool, isNumber);
    const ReplyFields f(reply);
    QCOMPARE(f.field(position), value);
    QCOMPARE(f.isNumber(position), isNumber);
}

void TestReplyFields::pairs()
{
    const ReplyFields f("001 003 012 000 188 000 000 205 001 128 001 038 002 025\r");
    QCOMPARE(f.pair(41, 45), 294.0); // high part first
    QCOMPARE(f.pair(21, 17), 188.0); // the Vt pair comes low part first
    QCOMPARE(f.pair(33, 37), 384.0);
}

QTEST_GUILESS_MAIN(TestReplyFields)
#include "tst_reply_fields.moc"
