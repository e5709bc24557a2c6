// Value boxes in the user's number format, parameter files with "." always: the card windows
// run here under a German locale, where the decimal point is "," and the group separator ".",
// and some rows under an English one, where the group separator is ",".

#include "application.h"
#include "card_window.h"
#include "option_box.h"
#include "spin_slider.h"
#include "value_box.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

using namespace vrn;

namespace {

// One card window of a program with its own slots, files and notices.
struct ShownWindow
{
    Application app;
    CardWindow* window;

    explicit ShownWindow(CardModel model)
    {
        app.setEndHandler([] {});
        app.notices().setShowWindows(false);
        window = app.showCardWindow(model);
        window->activateWindow();
    }

    template <class Widget = QWidget> Widget* get(const QString& name) const
    {
        auto* widget = window->findChild<Widget*>(name);
        if (!widget)
            qFatal("no control %s", qPrintable(name));
        return widget;
    }

    // Types into a value box and leaves it with the Tab key, as the user does.
    void type(const QString& box, const QString& text) const
    {
        auto* edit = get<ValueBox>(box);
        edit->setFocus(Qt::MouseFocusReason);
        edit->clear();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);
    }

    void upperArrow(const QString& slider) const
    {
        get<SpinSlider>(slider)->triggerAction(QAbstractSlider::SliderSingleStepSub);
    }
    void lowerArrow(const QString& slider) const
    {
        get<SpinSlider>(slider)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    }

    void useFile(const QString& path)
    {
        app.files().setChooser([path](QWidget*, FileDialogState::Mode, const QString&,
                                      const QString&) { return std::optional<QString>(path); });
    }

    // The time box of the window: the VRN-A ramp-up time (ramps switched on) or the VRN-C and
    // VRN-D excitation time.
    struct TimeRow
    {
        QString box;
        QString slider;
        char letter;
    };
    TimeRow timeRow() const
    {
        if (window->objectName() == QLatin1String("Form1")) {
            get<OptionBox>("Check13")->click(); // Enable Ramps
            return {"Text2", "VScroll3", 'C'};
        }
        return {"Text2", "VScroll1", 'C'};
    }
};

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestUserNumberFormat : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void cleanup() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void cleanupTestCase() { QLocale::setDefault(QLocale::c()); }

    void timeShownWithUserDecimalPoint_data();
    void timeShownWithUserDecimalPoint();
    void typedTimeTakesEitherDecimalPoint_data();
    void typedTimeTakesEitherDecimalPoint();
    void typedCurrentWithGroupSeparator_data();
    void typedCurrentWithGroupSeparator();
    void savedFileUsesPoint_data();
    void savedFileUsesPoint();
    void vrnATypedLevelLoadsBackSameCode_data();
    void vrnATypedLevelLoadsBackSameCode();
#ifdef Q_OS_WIN
    void windowsDecimalSymbolOfTheUser();
#endif

private:
    QTemporaryDir m_dir;
};

void TestUserNumberFormat::timeShownWithUserDecimalPoint_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("upperArrows");
    QTest::addColumn<QString>("shown");
    QTest::newRow("vrn-a-ramp-0.2-s") << int(CardModel::VrnA) << 0 << "0,2";
    QTest::newRow("vrn-a-ramp-1.4-s") << int(CardModel::VrnA) << 6 << "1,4";
    QTest::newRow("vrn-a-ramp-whole-second-no-decimals") << int(CardModel::VrnA) << 4 << "1";
    QTest::newRow("vrn-c-excitation-0.4-s") << int(CardModel::VrnC) << 1 << "0,4";
    QTest::newRow("vrn-d-excitation-0.6-s") << int(CardModel::VrnD) << 2 << "0,6";
}

void TestUserNumberFormat::timeShownWithUserDecimalPoint()
{
    QFETCH(int, model);
    QFETCH(int, upperArrows);
    QFETCH(QString, shown);
    ShownWindow rig(static_cast<CardModel>(model));
    const ShownWindow::TimeRow row = rig.timeRow();
    if (model != int(CardModel::VrnA)) { // the time slider starts at code 1 without a rule run
        rig.upperArrow(row.slider);
        rig.lowerArrow(row.slider);
    }
    for (int i = 0; i < upperArrows; ++i)
        rig.upperArrow(row.slider);
    QCOMPARE(rig.get<ValueBox>(row.box)->text(), shown);
}

void TestUserNumberFormat::typedTimeTakesEitherDecimalPoint_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("shown");
    QTest::newRow("vrn-a-comma") << int(CardModel::VrnA) << "0,4" << 2 << "0,4";
    QTest::newRow("vrn-a-point") << int(CardModel::VrnA) << "0.4" << 2 << "0,4";
    QTest::newRow("vrn-a-comma-to-nearest-step") << int(CardModel::VrnA) << "0,35" << 2 << "0,4";
    QTest::newRow("vrn-a-no-number-refused") << int(CardModel::VrnA) << "0,4,1" << 1 << "0,2";
    QTest::newRow("vrn-d-comma") << int(CardModel::VrnD) << "0,4" << 2 << "0,4";
    QTest::newRow("vrn-d-point") << int(CardModel::VrnD) << "0.4" << 2 << "0,4";
    QTest::newRow("vrn-d-comma-whole-seconds") << int(CardModel::VrnD) << "12,0" << 60 << "12";
    QTest::newRow("vrn-c-point-with-blanks") << int(CardModel::VrnC) << " 2.2 " << 11 << "2,2";
}

void TestUserNumberFormat::typedTimeTakesEitherDecimalPoint()
{
    QFETCH(int, model);
    QFETCH(QString, typed);
    QFETCH(int, code);
    QFETCH(QString, shown);
    ShownWindow rig(static_cast<CardModel>(model));
    QVERIFY(QTest::qWaitForWindowActive(rig.window));
    const ShownWindow::TimeRow row = rig.timeRow();
    rig.type(row.box, typed);
    QCOMPARE(rig.get<SpinSlider>(row.slider)->code(), code);
    QCOMPARE(rig.app.slots().value(row.letter),
             SlotValue(QStringLiteral("%1").arg(code, 5, 10, QLatin1Char('0'))));
    QCOMPARE(rig.get<ValueBox>(row.box)->text(), shown);
}

void TestUserNumberFormat::typedCurrentWithGroupSeparator_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<int>("model");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("slider");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("shown");
    const int a = int(CardModel::VrnA), c = int(CardModel::VrnC);
    QTest::newRow("english-vrn-a-imax-1,200") << "en_US" << a << "Text11"
                                              << "VScroll5"
                                              << "1,200" << 410 << "1201";
    QTest::newRow("german-vrn-a-imax-1.200") << "de_DE" << a << "Text11"
                                             << "VScroll5"
                                             << "1.200" << 410 << "1201";
    QTest::newRow("english-vrn-c-min-groups-and-point") << "en_US" << c << "Text11"
                                                        << "VScroll5"
                                                        << "1,000.5" << 342 << "1002";
    QTest::newRow("german-vrn-c-min-groups-and-comma") << "de_DE" << c << "Text11"
                                                       << "VScroll5"
                                                       << "1.000,5" << 342 << "1002";
    QTest::newRow("english-decimal-comma-where-no-grouping-fits") << "en_US" << c << "Text11"
                                                                  << "VScroll5"
                                                                  << "5,9" << 3 << "8";
    QTest::newRow("german-decimal-point-where-no-grouping-fits") << "de_DE" << c << "Text11"
                                                                 << "VScroll5"
                                                                 << "5.9" << 3 << "8";
}

void TestUserNumberFormat::typedCurrentWithGroupSeparator()
{
    QFETCH(QString, locale);
    QFETCH(int, model);
    QFETCH(QString, box);
    QFETCH(QString, slider);
    QFETCH(QString, typed);
    QFETCH(int, code);
    QFETCH(QString, shown);
    QLocale::setDefault(QLocale(locale));
    ShownWindow rig(static_cast<CardModel>(model));
    QVERIFY(QTest::qWaitForWindowActive(rig.window));
    rig.type(box, typed);
    QCOMPARE(rig.get<SpinSlider>(slider)->code(), code);
    QCOMPARE(rig.get<ValueBox>(box)->text(), shown);
}

void TestUserNumberFormat::savedFileUsesPoint_data()
{
    QTest::addColumn<int>("model");
    // "Box=text"; a current is typed twice: the first entry moves the slider and the box shows
    // the slider's value, the second lands on that code and the box keeps the text as typed.
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QByteArray>("line"); // one line the file must hold
    QTest::newRow("vrn-a-typed-levels-saved-with-point")
        << int(CardModel::VrnA)
        << QStringList{"Text5=100,5", "Text5=100,5", "Text6=50.25", "Text6=50.25", "Text2=1,4"}
        << QByteArray("\"100.5\"");
    QTest::newRow("vrn-a-imax-comma-saved-with-point")
        << int(CardModel::VrnA) << QStringList{"Text11=1000,7", "Text11=1000,7"}
        << QByteArray("\"1000.7\"");
    QTest::newRow("vrn-d-time-saved-as-slider-position")
        << int(CardModel::VrnD) << QStringList{"Text2=1,4", "Text1=300,5"} << QByteArray("248");
    QTest::newRow("vrn-c-time-saved-as-slider-position")
        << int(CardModel::VrnC) << QStringList{"Text2=0,6", "Text11=99,9"} << QByteArray("252");
}

// Every value of a saved file is a bare or quoted number with "." or no decimal point at all,
// or an empty slot line.
void TestUserNumberFormat::savedFileUsesPoint()
{
    QFETCH(int, model);
    QFETCH(QStringList, typed);
    QFETCH(QByteArray, line);
    ShownWindow rig(static_cast<CardModel>(model));
    QVERIFY(QTest::qWaitForWindowActive(rig.window));
    if (model == int(CardModel::VrnA))
        rig.get<OptionBox>("Check13")->click(); // ramps on, so their boxes take entries
    for (const QString& entry : typed)
        rig.type(entry.section('=', 0, 0), entry.section('=', 1));
    const QString path = m_dir.filePath(QTest::currentDataTag());
    rig.useFile(path);
    rig.window->save();
    QVERIFY2(rig.app.notices().history().isEmpty(), qPrintable(rig.app.notices().last()));
    const QList<QByteArray> lines = contents(path).split('\n');
    QVERIFY(lines.size() > 3);
    static const QRegularExpression value(QStringLiteral("^(\"?-?[0-9]+(\\.[0-9]+)?\"?)?\r$"));
    for (const QByteArray& l : lines.mid(0, lines.size() - 1))
        QVERIFY2(value.match(QString::fromLatin1(l)).hasMatch(), l.constData());
    QVERIFY2(lines.contains(line + '\r'), contents(path).constData());
}

void TestUserNumberFormat::vrnATypedLevelLoadsBackSameCode_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("slider");
    QTest::addColumn<char>("letter");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    const QString de = QStringLiteral("de_DE");
    QTest::newRow("vt-comma") << de << "Text5"
                              << "VScroll1" << 'E' << "100,5"
                              << "100,5";
    QTest::newRow("vt-point-shown-as-comma") << de << "Text5"
                                             << "VScroll1" << 'E' << "100.5"
                                             << "100,5";
    QTest::newRow("i-min-comma") << de << "Text6"
                                 << "VScroll2" << 'G' << "879,9"
                                 << "879,9";
    QTest::newRow("i-pol-whole") << de << "Text8"
                                 << "VScroll4" << 'F' << "300"
                                 << "300";
    QTest::newRow("german-i-min-groups") << de << "Text6"
                                         << "VScroll2" << 'G' << "1.200"
                                         << "1200";
    QTest::newRow("english-i-max-groups") << "en_US"
                                          << "Text11"
                                          << "VScroll5" << 'H' << "1,200"
                                          << "1200";
    QTest::newRow("english-i-min-groups-and-point") << "en_US"
                                                    << "Text6"
                                                    << "VScroll2" << 'G' << "1,000.5"
                                                    << "1000.5";
}

void TestUserNumberFormat::vrnATypedLevelLoadsBackSameCode()
{
    QFETCH(QString, locale);
    QLocale::setDefault(QLocale(locale));
    QFETCH(QString, box);
    QFETCH(QString, slider);
    QFETCH(char, letter);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    const QString path = m_dir.filePath(QStringLiteral("load-") + QTest::currentDataTag());
    int code = -1;
    SlotValue slot;
    {
        ShownWindow saving(CardModel::VrnA);
        QVERIFY(QTest::qWaitForWindowActive(saving.window));
        saving.type(box, typed); // moves the slider: the box shows the slider's value
        saving.type(box, typed); // lands on that code: the box keeps the text as typed
        QCOMPARE(saving.get<ValueBox>(box)->text(), typed);
        code = saving.get<SpinSlider>(slider)->code();
        slot = saving.app.slots().value(letter);
        saving.useFile(path);
        saving.window->save();
    }
    QVERIFY(!contents(path).contains(','));
    ShownWindow loading(CardModel::VrnA);
    loading.useFile(path);
    loading.window->open();
    QVERIFY2(loading.app.notices().history().isEmpty(), qPrintable(loading.app.notices().last()));
    QCOMPARE(loading.get<SpinSlider>(slider)->code(), code);
    QCOMPARE(loading.app.slots().value(letter), slot);
    // Opened again, the slider already stands at the file's code, so the box keeps the text
    // of the file, shown in the user's format.
    loading.window->open();
    QCOMPARE(loading.get<SpinSlider>(slider)->code(), code);
    QCOMPARE(loading.get<ValueBox>(box)->text(), shown);
}

#ifdef Q_OS_WIN
// The decimal symbol the user chose in the Windows settings (Region), asked of Windows itself,
// is what a program that set no number format of its own shows and takes.
void TestUserNumberFormat::windowsDecimalSymbolOfTheUser()
{
    wchar_t symbol[8] = {};
    QVERIFY(GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, symbol, 8) > 0);
    const QString point = QString::fromWCharArray(symbol);
    QLocale::setDefault(QLocale::system()); // as in the program, which sets none
    ShownWindow rig(CardModel::VrnC);
    QVERIFY(QTest::qWaitForWindowActive(rig.window));
    const ShownWindow::TimeRow row = rig.timeRow();
    rig.upperArrow(row.slider);
    rig.upperArrow(row.slider);
    const QString shown = rig.get<ValueBox>(row.box)->text();
    rig.type(row.box, "2" + point + "2");
    const int code = rig.get<SpinSlider>(row.slider)->code();
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QCOMPARE(shown, "0" + point + "6");
    QCOMPARE(code, 11);
}
#endif

QTEST_MAIN(TestUserNumberFormat)
#include "tst_user_number_format.moc"
