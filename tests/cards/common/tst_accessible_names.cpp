// What a screen reader says for the controls of every window: the names and descriptions that
// each window's layout table states.

#include "application.h"
#include "card_window.h"
#include "form2.h"
#include "option_box.h"
#include "spin_slider.h"
#include "value_box.h"

#include <QAccessible>
#include <QSet>
#include <QTest>

using namespace vrn;

namespace {

// The launcher is model -1; the card windows are shown through the application, as the
// launcher's buttons show them.
QWidget* windowOf(Application& app, int model)
{
    if (model < 0)
        return app.launcher();
    return app.showCardWindow(static_cast<CardModel>(model));
}

QString spoken(QWidget* control, QAccessible::Text what)
{
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
    return accessible ? accessible->text(what) : QStringLiteral("<not accessible>");
}

} // namespace

class TestAccessibleNames : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void controlIsNamedAfterItsLabels_data();
    void controlIsNamedAfterItsLabels();
    void everyValueControlHasItsOwnName_data();
    void everyValueControlHasItsOwnName();
};

void TestAccessibleNames::controlIsNamedAfterItsLabels_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");
    const auto row = [](const char* tag, int model, const char* control, const char* name,
                        const char* description) {
        QTest::newRow(tag) << model << control << name << description;
    };
    row("launcher-banner-says-what-it-shows", -1, "Picture1", "VRN-PC",
        "Banner: coil driver cards VRN-A, VRN-B, VRN-C, VRN-D");
    row("launcher-button-says-which-window", -1, "Command2", "VRB", "Opens the VRN-B card window");

    row("vrn-a-pwm-box-heading-and-label", 0, "Check9", "PWM (3) 300 Hz", "PWM");
    row("vrn-a-coil-box-heading-and-label", 0, "Check1", "CURRENT COIL (5) 2600 mA",
        "CURRENT COIL");
    row("vrn-a-reference-box-named-by-column-heading", 0, "Check14", "Riferimento IN (E1) 4-20mA",
        "SETTING REFERENCE AND CONTROL CURRENT");
    row("vrn-a-enable-ramps-not-named-by-hint-above", 0, "Check13", "RAMPS Enable Ramps", "RAMPS");
    row("vrn-a-level-box-named-by-row-label", 0, "Text11", "I Max (mA)",
        "SETTING REFERENCE AND CONTROL CURRENT");
    row("vrn-a-level-slider-up-down", 0, "VScroll5", "I Max (mA) up/down",
        "SETTING REFERENCE AND CONTROL CURRENT");
    row("vrn-a-ramp-box-label-above-unit-right", 0, "Text3", "Ramp Down (sec)", "RAMPS");
    row("vrn-a-ramp-slider", 0, "VScroll3", "Ramp Up (sec) up/down", "RAMPS");

    row("vrn-b-pwm-box", 1, "Check11", "PWM (5) 500 Hz", "PWM");
    row("vrn-b-lone-row-named-by-frame-heading", 1, "Text11", "CORRENTE MASSIMA REGOLATA (mA)",
        "CORRENTE MASSIMA REGOLATA");
    row("vrn-b-time-slider", 1, "VScroll1", "TEMPO SOVRALIMENTAZIONE (msec) up/down",
        "TEMPO SOVRALIMENTAZIONE");

    row("vrn-c-minimum-current-box", 2, "Text11", "CORRENTE MINIMA (mA)", "CORRENTE MINIMA");
    row("vrn-c-excitation-slider", 2, "VScroll1", "TEMPO ECCITAZIONE (sec) up/down",
        "TEMPO ECCITAZIONE");
    row("vrn-c-pwm-box-beside-overlapping-heading", 2, "Check7", "PWM (1) 100 Hz", "PWM");

    row("vrn-d-excitation-box", 3, "Text2", "TEMPO ECCITAZIONE (sec)", "TEMPO ECCITAZIONE");
    row("vrn-d-current-slider", 3, "VScroll2", "CORRENTE MASSIMA (mA) up/down", "CORRENTE MASSIMA");
    row("vrn-d-pwm-box", 3, "Check10", "PWM (4) 400 Hz", "PWM");
}

void TestAccessibleNames::controlIsNamedAfterItsLabels()
{
    QFETCH(int, model);
    QFETCH(QString, control);
    QFETCH(QString, name);
    QFETCH(QString, description);
    Application app;
    app.notices().setShowWindows(false);
    QWidget* window = windowOf(app, model);
    auto* widget = window->findChild<QWidget*>(control);
    QVERIFY2(widget, qPrintable(control));
    QCOMPARE(spoken(widget, QAccessible::Name), name);
    QCOMPARE(spoken(widget, QAccessible::Description), description);
}

void TestAccessibleNames::everyValueControlHasItsOwnName_data()
{
    QTest::addColumn<int>("model");
    QTest::newRow("vrn-a") << 0;
    QTest::newRow("vrn-b") << 1;
    QTest::newRow("vrn-c") << 2;
    QTest::newRow("vrn-d") << 3;
}

// No option box, value box or spin slider is left silent, and no two of a window sound alike.
void TestAccessibleNames::everyValueControlHasItsOwnName()
{
    QFETCH(int, model);
    Application app;
    app.notices().setShowWindows(false);
    QWidget* window = windowOf(app, model);
    QList<QWidget*> controls;
    for (auto* box : window->findChildren<OptionBox*>())
        controls << box;
    for (auto* box : window->findChildren<ValueBox*>())
        controls << box;
    for (auto* slider : window->findChildren<SpinSlider*>())
        controls << slider;
    QVERIFY(controls.size() >= 9);
    QSet<QString> names;
    for (QWidget* control : controls) {
        const QString name = spoken(control, QAccessible::Name);
        QVERIFY2(!name.isEmpty(), qPrintable(control->objectName()));
        QVERIFY2(!names.contains(name), qPrintable(control->objectName() + ": " + name));
        names.insert(name);
    }
}

QTEST_MAIN(TestAccessibleNames)
#include "tst_accessible_names.moc"
