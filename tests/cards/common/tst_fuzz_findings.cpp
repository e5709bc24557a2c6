// Inputs that the fuzz targets of fuzz/ found to break a rule of the card windows, one row each,
// so that the fault cannot come back unnoticed.

#include "card_window_rig.h"
#include "parameter_file.h"
#include "value_box.h"

#include <QTest>

using namespace vrn;
using namespace Qt::StringLiterals;

namespace {

// A VRN-A file whose Vt box text is `text`, the other lines as a fresh window saves them.
QByteArray vrnAFile(const QByteArray& text)
{
    return "254\r\n254\r\n\"" + text + "\"\r\n\"0\"\r\n\"0\"\r\n\"0\"\r\n\r\n\r\n\r\n0\r\n";
}

} // namespace

class TestFuzzFindings : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void savedFileOpensAgain_data();
    void savedFileOpensAgain();
    void typedTextSavedOpensAgain_data();
    void typedTextSavedOpensAgain();
};

void TestFuzzFindings::savedFileOpensAgain_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("told"); // empty when the file loads
    // A number text padded with zeros up to the 4096 bytes Open reads: the box kept it, and
    // the file saved from it (three empty lines written as "0") was 4099 bytes long.
    QTest::newRow("Form1-long-box-text-at-the-size-limit")
        << "Form1" << vrnAFile(QByteArray(4057, '0') + '1')
        << "line 3 (Vt) holds 4058 characters, more than the 100 of a value box";
    QTest::newRow("Form1-box-text-filling-a-box")
        << "Form1" << vrnAFile(QByteArray(kValueBoxMaxLength - 1, '0') + '1') << "";
    QTest::newRow("Form1-box-text-one-beyond-a-box")
        << "Form1" << vrnAFile(QByteArray(kValueBoxMaxLength, '0') + '1')
        << "line 3 (Vt) holds 101 characters";
    // A bare number in exponent form passed the check, then the box refused it and quietly
    // kept the slider's value; quoted, the same number was refused. Both are refused now.
    QTest::newRow("Form1-bare-exponent-refused-like-quoted")
        << "Form1"
        << QByteArray("254\r\n254\r\n1e300\r\n\"0\"\r\n\"0\"\r\n\"0\"\r\n\r\n\r\n\r\n0\r\n")
        << "line 3 (Vt) holds \"1e300\", which is not a number";
}

// A file that Open accepts leaves the window in a state whose saved file opens again.
void TestFuzzFindings::savedFileOpensAgain()
{
    QFETCH(QString, form);
    QFETCH(QByteArray, file);
    QFETCH(QString, told);
    QVERIFY(file.size() <= kMaxParameterFileBytes); // Open reads it

    CardWindowRig rig(form);
    rig.open(u"found.par"_s, file);
    if (told.isEmpty()) {
        QCOMPARE(rig.notices.history(), QStringList());
    } else {
        QCOMPARE(rig.notices.history().size(), 1);
        QVERIFY2(rig.notices.last().contains(told), qPrintable(rig.notices.last()));
    }
    const qsizetype notices = rig.notices.history().size();

    const QByteArray saved = rig.save(u"saved.par"_s);
    QVERIFY(!saved.isEmpty());
    QVERIFY2(saved.size() <= kMaxParameterFileBytes, qPrintable(QString::number(saved.size())));
    rig.window->open();
    QCOMPARE(rig.notices.history().size(), notices);
}

void TestFuzzFindings::typedTextSavedOpensAgain_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("kept");
    QTest::newRow("long-number-cut-at-the-box-length")
        << QString(4000, u'0') + u'1' << kValueBoxMaxLength;
    QTest::newRow("long-text-cut-at-the-box-length") << QString(4000, u'x') << kValueBoxMaxLength;
    QTest::newRow("short-number-kept") << u"550"_s << 3;
}

// What the user types into a value box is saved, and the file opens again.
void TestFuzzFindings::typedTextSavedOpensAgain()
{
    QFETCH(QString, typed);
    QFETCH(int, kept);
    CardWindowRig rig(u"Form1"_s);
    auto* box = rig.window->findChild<ValueBox*>(u"Text5"_s);
    QVERIFY(box);
    box->setText(typed);
    QCOMPARE(box->text().size(), kept);
    Q_EMIT box->left();

    const QByteArray saved = rig.save(u"typed.par"_s);
    QVERIFY(saved.size() <= kMaxParameterFileBytes);
    rig.window->open();
    QCOMPARE(rig.notices.history(), QStringList());
}

QTEST_MAIN(TestFuzzFindings)
#include "tst_fuzz_findings.moc"
