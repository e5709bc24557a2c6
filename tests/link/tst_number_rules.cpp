#include "number_rules.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace vrn;

class TestNumberRules : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void displayCurrent_data();
    void displayCurrent();
    void currentToCode_data();
    void currentToCode();
    void roundHalfEven_data();
    void roundHalfEven();
    void timeToCode_data();
    void timeToCode();
    void everyTimeHalfStepGoesUp();
    void boxNumberText_data();
    void boxNumberText();
    void boxTextReadsBack_data();
    void boxTextReadsBack();
    void parseBoxNumber_data();
    void parseBoxNumber();
    void fileAndBoxText_data();
    void fileAndBoxText();
    void fileBoxNumber_data();
    void fileBoxNumber();
    void fileNumber_data();
    void fileNumber();
    void leadingNumber_data();
    void leadingNumber();
};

void TestNumberRules::displayCurrent_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("shown");
    QTest::newRow("zero") << 0 << 0;
    QTest::newRow("vt-initial-code") << 188 << 550;
    QTest::newRow("coil-preset-860") << 294 << 861;
    QTest::newRow("exact-hundred-step") << 100 << 293;
    QTest::newRow("i-min-top") << 511 << 1497;
    QTest::newRow("i-max-top") << 1023 << 2997;
    QTest::newRow("vrn-b-initial") << 768 << 2250;
    QTest::newRow("vrn-d-initial") << 896 << 2625;
}

void TestNumberRules::displayCurrent()
{
    QFETCH(int, code);
    QFETCH(int, shown);
    QCOMPARE(vrn::displayCurrent(code), shown);
}

void TestNumberRules::currentToCode_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("code");
    QTest::newRow("typed-860-gives-smallest-code-not-below") << 860.0 << 294.0;
    QTest::newRow("shown-861-converts-back") << 861.0 << 294.0;
    QTest::newRow("exact-step-ends-one-higher") << 293.0 << 101.0;
    QTest::newRow("zero-converts-to-one") << 0.0 << 1.0;
    QTest::newRow("typed-100") << 100.0 << 35.0;
    QTest::newRow("typed-300") << 300.0 << 103.0;
    QTest::newRow("minus-one-gives-zero") << -1.0 << 0.0;
    QTest::newRow("vt-top-is-beyond-range") << 586.0 << 201.0;
    QTest::newRow("fraction-as-typed") << 100.5 << 35.0;
}

void TestNumberRules::currentToCode()
{
    QFETCH(double, value);
    QFETCH(double, code);
    QCOMPARE(vrn::currentToCode(value), code);
}

void TestNumberRules::roundHalfEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("rounded");
    QTest::newRow("half-rounds-down-to-even") << 300.5 << 300.0;
    QTest::newRow("half-rounds-up-to-even") << 301.5 << 302.0;
    QTest::newRow("below-half") << 2.4 << 2.0;
    QTest::newRow("above-half") << 2.6 << 3.0;
    QTest::newRow("negative-half") << -2.5 << -2.0;
    QTest::newRow("whole-unchanged") << 7.0 << 7.0;
}

void TestNumberRules::roundHalfEven()
{
    QFETCH(double, value);
    QFETCH(double, rounded);
    QCOMPARE(vrn::roundHalfEven(value), rounded);
}

void TestNumberRules::timeToCode_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("step");
    QTest::addColumn<double>("code");
    QTest::newRow("0.3-s-half-step-up") << "0.3" << kSecondsPerStep << 2.0;
    QTest::newRow("0.5-s-half-step-up") << "0.5" << kSecondsPerStep << 3.0;
    QTest::newRow("0.7-s-half-step-up") << "0.7" << kSecondsPerStep << 4.0;
    QTest::newRow("2.3-s-half-step-up") << "2.3" << kSecondsPerStep << 12.0;
    QTest::newRow("10.1-s-half-step-up") << "10.1" << kSecondsPerStep << 51.0;
    QTest::newRow("50.9-s-half-step-up") << "50.9" << kSecondsPerStep << 255.0;
    QTest::newRow("just-below-half-step") << "0.2999" << kSecondsPerStep << 1.0;
    QTest::newRow("exact-step") << "1.4" << kSecondsPerStep << 7.0;
    QTest::newRow("negative-half-away-from-zero") << "-0.3" << kSecondsPerStep << -2.0;
    QTest::newRow("15-ms-half-step-up") << "15" << double(kMillisecondsPerStep) << 2.0;
    QTest::newRow("985-ms-half-step-up") << "985" << double(kMillisecondsPerStep) << 99.0;
    QTest::newRow("14.99-ms-below") << "14.99" << double(kMillisecondsPerStep) << 1.0;
    QTest::newRow("4-ms-to-zero") << "4" << double(kMillisecondsPerStep) << 0.0;
}

void TestNumberRules::timeToCode()
{
    QFETCH(QString, typed);
    QFETCH(double, step);
    QFETCH(double, code);
    QCOMPARE(vrn::timeToCode(*vrn::fileNumber(typed), step), code);
}

// Every half step a time box can be given, 0.1 s to 50.9 s and 5 ms to 985 ms, goes to the
// step above it, as typed.
void TestNumberRules::everyTimeHalfStepGoesUp()
{
    for (int k = 0; k < 255; ++k) {
        const int tenths = 2 * k + 1;
        const QString seconds = QStringLiteral("%1.%2").arg(tenths / 10).arg(tenths % 10);
        QCOMPARE(vrn::timeToCode(*vrn::parseBoxNumber(seconds), kSecondsPerStep), k + 1.0);
    }
    for (int k = 0; k < 99; ++k) {
        const QString milliseconds = QString::number(10 * k + 5);
        QCOMPARE(vrn::timeToCode(*vrn::parseBoxNumber(milliseconds), kMillisecondsPerStep),
                 k + 1.0);
    }
}

void TestNumberRules::boxNumberText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::newRow("ramp-code-1") << 1 * kSecondsPerStep << "C"
                                 << "0.2";
    QTest::newRow("ramp-code-3-not-unrounded") << 3 * kSecondsPerStep << "C"
                                               << "0.6";
    QTest::newRow("ramp-code-7-not-unrounded") << 7 * kSecondsPerStep << "C"
                                               << "1.4";
    QTest::newRow("ramp-code-254") << 254 * kSecondsPerStep << "C"
                                   << "50.8";
    QTest::newRow("ramp-top-whole") << 255 * kSecondsPerStep << "C"
                                    << "51";
    QTest::newRow("zero") << 0.0 << "C"
                          << "0";
    QTest::newRow("german-decimal-comma") << 1 * kSecondsPerStep << "de_DE"
                                          << "0,2";
    // 15 digits round up to 10^15, which the short form writes as "1e+15".
    QTest::newRow("fifteen-nines-and-a-fraction-written-out") << 999999999999999.6 << "C"
                                                              << "1000000000000000";
    QTest::newRow("large-number-written-out") << 1e20 << "C"
                                              << "100000000000000000000";
    QTest::newRow("small-fraction-written-out") << -1.5e-5 << "de_DE"
                                                << "-0,000015";
}

void TestNumberRules::boxNumberText()
{
    QFETCH(double, value);
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QCOMPARE(vrn::boxNumberText(value, QLocale(locale)), text);
}

void TestNumberRules::boxTextReadsBack_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("locale");
    QTest::newRow("fifteen-nines-and-a-fraction") << 999999999999999.6 << "C";
    QTest::newRow("negative-fifteen-nines-and-a-fraction-arabic") << -999999999999999.6 << "ar_EG";
    QTest::newRow("largest-number-german") << std::numeric_limits<double>::max() << "de_DE";
    QTest::newRow("smallest-number-persian")
        << std::numeric_limits<double>::denorm_min() << "fa_IR";
    QTest::newRow("fifteen-significant-digits") << 0.000123456789012345 << "C";
}

// What a box shows is a number the box takes, and the same number.
void TestNumberRules::boxTextReadsBack()
{
    QFETCH(double, value);
    QFETCH(QString, locale);
    const QString text = vrn::boxNumberText(value, QLocale(locale));
    const std::optional<double> back = vrn::parseBoxNumber(text, QLocale(locale));
    QVERIFY2(back.has_value(), qPrintable(text));
    QVERIFY2(std::fabs(*back - value) <= 1e-14 * std::fabs(value), qPrintable(text));
}

void TestNumberRules::parseBoxNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<bool>("isNumber");
    QTest::addColumn<double>("value");
    QTest::newRow("whole") << "860"
                           << "C" << true << 860.0;
    QTest::newRow("blanks-around") << "  860 "
                                   << "C" << true << 860.0;
    QTest::newRow("point") << "0.2"
                           << "C" << true << 0.2;
    QTest::newRow("comma-also-accepted") << "0,2"
                                         << "C" << true << 0.2;
    QTest::newRow("german-comma") << "0,2"
                                  << "de_DE" << true << 0.2;
    QTest::newRow("german-point-also-accepted") << "0.2"
                                                << "de_DE" << true << 0.2;
    QTest::newRow("negative") << "-1"
                              << "C" << true << -1.0;
    QTest::newRow("leading-point") << ".5"
                                   << "C" << true << 0.5;
    QTest::newRow("empty-is-no-number") << ""
                                        << "C" << false << 0.0;
    QTest::newRow("letters-are-no-number") << "abc"
                                           << "C" << false << 0.0;
    QTest::newRow("trailing-letters-are-no-number") << "12mA"
                                                    << "C" << false << 0.0;
    QTest::newRow("two-separators-are-no-number") << "1,2.3"
                                                  << "C" << false << 0.0;
    QTest::newRow("lone-sign-is-no-number") << "-"
                                            << "C" << false << 0.0;
    QTest::newRow("english-group-separator") << "1,200"
                                             << "en_US" << true << 1200.0;
    QTest::newRow("english-groups-and-point") << "-1,200,000.5"
                                              << "en_US" << true << -1200000.5;
    QTest::newRow("english-comma-without-grouping-is-a-point") << "0,4"
                                                               << "en_US" << true << 0.4;
    QTest::newRow("english-short-group-is-a-point") << "1,20"
                                                    << "en_US" << true << 1.2;
    QTest::newRow("english-first-group-0-is-a-point") << "0,250"
                                                      << "en_US" << true << 0.25;
    QTest::newRow("english-grouped-exponent-is-no-number") << "1,200e3"
                                                           << "en_US" << false << 0.0;
    QTest::newRow("english-misplaced-groups-are-no-number") << "12,00,0"
                                                            << "en_US" << false << 0.0;
    QTest::newRow("german-group-separator") << "1.200"
                                            << "de_DE" << true << 1200.0;
    QTest::newRow("german-groups-and-comma") << " 1.200,5 "
                                             << "de_DE" << true << 1200.5;
    QTest::newRow("german-point-without-grouping") << "0.4"
                                                   << "de_DE" << true << 0.4;
    QTest::newRow("german-short-group-is-a-point") << "1.20"
                                                   << "de_DE" << true << 1.2;
    QTest::newRow("swiss-apostrophe-group")
        << QStringLiteral("1\u2019200") << "de_CH" << true << 1200.0;
}

void TestNumberRules::parseBoxNumber()
{
    QFETCH(QString, text);
    QFETCH(QString, locale);
    QFETCH(bool, isNumber);
    QFETCH(double, value);
    const std::optional<double> parsed = vrn::parseBoxNumber(text, QLocale(locale));
    QCOMPARE(parsed.has_value(), isNumber);
    if (isNumber)
        QCOMPARE(*parsed, value);
}

void TestNumberRules::fileAndBoxText_data()
{
    QTest::addColumn<QString>("box"); // as a value box shows it in the locale
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("file");   // as a parameter file keeps it
    QTest::addColumn<QString>("loaded"); // the file's text shown in a box again
    QTest::newRow("german-comma-saved-as-point") << "100,5"
                                                 << "de_DE"
                                                 << "100.5"
                                                 << "100,5";
    QTest::newRow("german-point-typed-kept-point") << "100.5"
                                                   << "de_DE"
                                                   << "100.5"
                                                   << "100,5";
    QTest::newRow("english-point-unchanged") << "100.5"
                                             << "en_US"
                                             << "100.5"
                                             << "100.5";
    QTest::newRow("comma-typed-in-english-saved-as-point") << "1,5"
                                                           << "en_US"
                                                           << "1.5"
                                                           << "1.5";
    QTest::newRow("whole-number-unchanged") << "300"
                                            << "de_DE"
                                            << "300"
                                            << "300";
    QTest::newRow("blanks-kept") << " 2,5 "
                                 << "de_DE"
                                 << " 2.5 "
                                 << " 2,5 ";
    QTest::newRow("english-groups-dropped") << "1,200"
                                            << "en_US"
                                            << "1200"
                                            << "1200";
    QTest::newRow("german-groups-dropped") << "1.200,5"
                                           << "de_DE"
                                           << "1200.5"
                                           << "1200,5";
    QTest::newRow("german-short-group-is-a-point") << "1.20"
                                                   << "de_DE"
                                                   << "1.20"
                                                   << "1,20";
    QTest::newRow("no-number-left-alone") << "1,2,3"
                                          << "de_DE"
                                          << "1,2,3"
                                          << "1,2,3";
}

void TestNumberRules::fileAndBoxText()
{
    QFETCH(QString, box);
    QFETCH(QString, locale);
    QFETCH(QString, file);
    QFETCH(QString, loaded);
    QCOMPARE(vrn::fileNumberText(box, QLocale(locale)), file);
    QCOMPARE(vrn::boxTextFromFile(file, QLocale(locale)), loaded);
}

void TestNumberRules::fileBoxNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isNumber");
    QTest::addColumn<double>("value");
    QTest::newRow("point-with-blanks") << " 2.5 " << true << 2.5;
    QTest::newRow("comma-is-a-point-never-a-group") << "1,200" << true << 1.2;
    QTest::newRow("grouping-is-no-number") << "1,200.5" << false << 0.0;
}

void TestNumberRules::fileBoxNumber()
{
    QFETCH(QString, text);
    QFETCH(bool, isNumber);
    QFETCH(double, value);
    const std::optional<double> parsed = vrn::fileBoxNumber(text);
    QCOMPARE(parsed.has_value(), isNumber);
    if (isNumber)
        QCOMPARE(*parsed, value);
}

void TestNumberRules::fileNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isNumber");
    QTest::addColumn<double>("value");
    QTest::newRow("whole") << "254" << true << 254.0;
    QTest::newRow("fraction-with-point") << "100.5" << true << 100.5;
    QTest::newRow("signed") << "-3" << true << -3.0;
    QTest::newRow("exponent-is-no-number-as-in-a-box") << "2.5e1" << false << 0.0;
    QTest::newRow("comma-is-no-decimal-point") << "0,2" << false << 0.0;
    QTest::newRow("blanks-are-no-number") << " 7" << false << 0.0;
    QTest::newRow("empty-is-no-number") << "" << false << 0.0;
}

void TestNumberRules::fileNumber()
{
    QFETCH(QString, text);
    QFETCH(bool, isNumber);
    QFETCH(double, value);
    const std::optional<double> parsed = vrn::fileNumber(text);
    QCOMPARE(parsed.has_value(), isNumber);
    if (isNumber)
        QCOMPARE(*parsed, value);
}

void TestNumberRules::leadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("digits") << "188" << 188.0;
    QTest::newRow("leading-blanks-skipped") << "  7" << 7.0;
    QTest::newRow("stops-at-letter") << "12x" << 12.0;
    QTest::newRow("no-digits-is-zero") << "abc" << 0.0;
    QTest::newRow("empty-is-zero") << "" << 0.0;
    QTest::newRow("decimal-point") << "1.4" << 1.4;
    QTest::newRow("comma-ends-number") << "1,4" << 1.0;
    QTest::newRow("sign") << "-3" << -3.0;
    QTest::newRow("lone-sign-is-zero") << "-" << 0.0;
    QTest::newRow("exponent") << "1E2" << 100.0;
    QTest::newRow("exponent-without-digits-ignored") << "5e" << 5.0;
    QTest::newRow("leading-zeros") << "00003" << 3.0;
}

void TestNumberRules::leadingNumber()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(vrn::leadingNumber(text), value);
}

QTEST_GUILESS_MAIN(TestNumberRules)
#include "tst_number_rules.moc"
