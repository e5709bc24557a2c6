// What every card model's description must hold together: one value per slot letter, each sent
// by a frame of its own, and a parameter file whose lines are all used.

#include "card_description.h"
#include "vrn_a.h"

#include <QTest>

#include <algorithm>
#include <set>

using namespace vrn;

class TestCardDescriptions : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void holdsTogether_data();
    void holdsTogether();
};

void TestCardDescriptions::holdsTogether_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QList<int>>("otherLines"); // file lines that hold no value
    QTest::newRow("VRN-A") << int(CardModel::VrnA) << QList<int>{vrn_a::kRampsEnabledLine};
    QTest::newRow("VRN-B") << int(CardModel::VrnB) << QList<int>{};
    QTest::newRow("VRN-C") << int(CardModel::VrnC) << QList<int>{};
    QTest::newRow("VRN-D") << int(CardModel::VrnD) << QList<int>{};
}

void TestCardDescriptions::holdsTogether()
{
    QFETCH(int, model);
    QFETCH(QList<int>, otherLines);
    const CardDescription& card = cardDescription(CardModel(model));
    QCOMPARE(int(card.model), model);
    QCOMPARE(modelName(card.model), QLatin1String(QTest::currentDataTag()));

    std::multiset<int> lines(otherLines.begin(), otherLines.end());
    std::set<char> letters;
    for (const CardValue& value : card.values) {
        QVERIFY2(letters.insert(value.letter).second, value.name);
        QVERIFY2(value.reply.position > 0, value.name);
        const int frames = int(
            std::count_if(card.frames.begin(), card.frames.end(), [&value](const SendFrame& frame) {
                return frame.letter == value.letter;
            }));
        QVERIFY2(frames == 1, value.name);
        lines.insert(value.fileLine);
    }
    // Lines 1..N, each once.
    std::multiset<int> expected;
    for (int line = 1; line <= card.fileLines; ++line)
        expected.insert(line);
    QVERIFY(lines == expected);
    QCOMPARE(QByteArray(card.frames.back().text), QByteArray(kEndFrame.text));
}

QTEST_GUILESS_MAIN(TestCardDescriptions)
#include "tst_card_descriptions.moc"
