#include "classic_window.h"
#include "graphical_button.h"
#include "option_box.h"
#include "spin_slider.h"
#include "status_line.h"
#include "value_box.h"

#include <QAccessible>
#include <QContextMenuEvent>
#include <QTimer>
#include <QToolButton>

#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QVBoxLayout>

using namespace vrn;

namespace {

// A window with one control of each kind; every rule writes its name into a log.
struct RuleWindow
{
    QWidget window;
    ValueBox* box = new ValueBox(&window);
    ValueBox* other = new ValueBox(&window);
    SpinSlider* slider = new SpinSlider(200, 12, &window);
    OptionBox* option = new OptionBox(&window);
    GraphicalButton* button = new GraphicalButton(QStringLiteral("Send Parameters"), &window);
    QStringList log;

    RuleWindow()
    {
        auto* layout = new QVBoxLayout(&window);
        for (QWidget* w : {static_cast<QWidget*>(box), static_cast<QWidget*>(other),
                           static_cast<QWidget*>(slider), static_cast<QWidget*>(option),
                           static_cast<QWidget*>(button)})
            layout->addWidget(w);
        slider->setFixedSize(17, 60);
        option->setFixedSize(17, 17); // as tiny as on the card windows
        QObject::connect(box, &ValueBox::left, [this] { log << QStringLiteral("left"); });
        QObject::connect(slider, &SpinSlider::valueChanged,
                         [this] { log << QStringLiteral("changed"); });
        QObject::connect(option, &OptionBox::toggled, [this] { log << QStringLiteral("toggled"); });
        QObject::connect(button, &GraphicalButton::clicked,
                         [this] { log << QStringLiteral("clicked"); });
    }

    bool showWithFocusInBox()
    {
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            return false;
        box->setFocus(Qt::OtherFocusReason);
        log.clear();
        return box->hasFocus();
    }

    QPoint arrowCentre(QStyle::SubControl arrow) const
    {
        QStyleOptionSlider option;
        option.initFrom(slider);
        option.orientation = Qt::Vertical;
        option.minimum = slider->minimum();
        option.maximum = slider->maximum();
        option.sliderPosition = slider->value();
        option.sliderValue = slider->value();
        option.singleStep = 1;
        option.pageStep = 1;
        return slider->style()
            ->subControlRect(QStyle::CC_ScrollBar, &option, arrow, slider)
            .center();
    }
};

// A window with the menu bar of a card window, a value box and a button.
struct MenuWindow
{
    QMainWindow window;
    ValueBox* box = new ValueBox;
    GraphicalButton* button = new GraphicalButton(QStringLiteral("Send Parameters"));
    CardMenus menus;
    QStringList log;

    MenuWindow()
    {
        auto* client = new QWidget;
        auto* layout = new QVBoxLayout(client);
        layout->addWidget(box);
        layout->addWidget(button);
        window.setCentralWidget(client);
        menus = addCardMenus(&window, {"FL", "SLV", "&Save", "OP", "&Open", "EX"});
        QObject::connect(box, &ValueBox::left, [this] { log << QStringLiteral("left"); });
        QObject::connect(button, &GraphicalButton::clicked,
                         [this] { log << QStringLiteral("clicked"); });
        QObject::connect(menus.save, &QAction::triggered,
                         [this] { log << QStringLiteral("save"); });
    }

    bool showWithFocusInBox()
    {
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            return false;
        box->setFocus(Qt::OtherFocusReason);
        log.clear();
        return box->hasFocus();
    }

    // One step of the user: "Alt", "Alt+F", "Escape", "Return", "Tab" go to the open menu or
    // the control holding the focus; "click-File" clicks the menu title, "click-button" the
    // button.
    void act(const QString& step)
    {
        QWidget* target = QApplication::activePopupWidget();
        if (!target)
            target = QApplication::focusWidget();
        if (step == QLatin1String("Alt"))
            QTest::keyClick(target, Qt::Key_Alt, Qt::AltModifier);
        else if (step == QLatin1String("Alt+F"))
            QTest::keyClick(target, Qt::Key_F, Qt::AltModifier);
        else if (step == QLatin1String("Escape"))
            QTest::keyClick(target, Qt::Key_Escape);
        else if (step == QLatin1String("Return"))
            QTest::keyClick(target, Qt::Key_Return);
        else if (step == QLatin1String("Tab"))
            QTest::keyClick(target, Qt::Key_Tab);
        else if (step == QLatin1String("click-File"))
            QTest::mouseClick(window.menuBar(), Qt::LeftButton, {},
                              window.menuBar()->actionGeometry(menus.file->menuAction()).center());
        else if (step == QLatin1String("click-button"))
            QTest::mouseClick(button, Qt::LeftButton);
        else
            QFAIL(qPrintable(QStringLiteral("unknown step ") + step));
        QTest::qWait(20); // menus open and close through the event loop
    }
};

} // namespace

class TestControlRules : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void changeRuleRunsOnlyOnActualChange_data();
    void changeRuleRunsOnlyOnActualChange();
    void upperArrowRaisesCode();
    void arrowKeysStepLikeTheArrows_data();
    void arrowKeysStepLikeTheArrows();
    void rulesNestSynchronously();
    void clickActionRunsAfterMarkToggles();
    void clickActionRunsOnCodeChangeOnly();
    void leaveRuleRunsBeforeClickedControlActs_data();
    void leaveRuleRunsBeforeClickedControlActs();
    void leaveRuleRunsOnTab();
    void leaveRuleIgnoresOpenedMenu();
    void leaveRuleIgnoresOtherWindow();
    void menusFromKeyboardOrMouseAreNoLeave_data();
    void menusFromKeyboardOrMouseAreNoLeave();
    void typingRuleRunsOnEveryChange();
    void screenReaderEntryIsTyped();
    void sliderHasNoMenu();
    void returnPressesFocusedButton_data();
    void returnPressesFocusedButton();
};

void TestControlRules::changeRuleRunsOnlyOnActualChange_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("runs");
    QTest::newRow("same-position-runs-nothing") << 12 << 0;
    QTest::newRow("new-position-runs-once") << 11 << 1;
    QTest::newRow("beyond-range-is-kept-in-range") << 500 << 1;
}

void TestControlRules::changeRuleRunsOnlyOnActualChange()
{
    QFETCH(int, position);
    QFETCH(int, runs);
    SpinSlider slider(200, 12);
    QSignalSpy spy(&slider, &SpinSlider::valueChanged);
    slider.setValue(position);
    QCOMPARE(spy.count(), runs);
    QVERIFY(slider.value() >= 0 && slider.value() <= 200);
}

void TestControlRules::upperArrowRaisesCode()
{
    RuleWindow w;
    QVERIFY(w.showWithFocusInBox());
    QSignalSpy spy(w.slider, &SpinSlider::valueChanged);
    QTest::mouseClick(w.slider, Qt::LeftButton, {}, w.arrowCentre(QStyle::SC_ScrollBarSubLine));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(w.slider->value(), 11);
    QCOMPARE(w.slider->code(), 189);
    QTest::mouseClick(w.slider, Qt::LeftButton, {}, w.arrowCentre(QStyle::SC_ScrollBarAddLine));
    QCOMPARE(w.slider->code(), 188);
}

void TestControlRules::arrowKeysStepLikeTheArrows_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("code");
    QTest::newRow("up-key-raises-code") << int(Qt::Key_Up) << 189;
    QTest::newRow("down-key-lowers-code") << int(Qt::Key_Down) << 187;
    QTest::newRow("page-up-one-step") << int(Qt::Key_PageUp) << 189;
}

void TestControlRules::arrowKeysStepLikeTheArrows()
{
    QFETCH(int, key);
    QFETCH(int, code);
    RuleWindow w;
    QVERIFY(w.showWithFocusInBox());
    w.slider->setFocus();
    QTest::keyClick(w.slider, Qt::Key(key));
    QCOMPARE(w.slider->code(), code);
}

void TestControlRules::rulesNestSynchronously()
{
    SpinSlider outer(255, 254);
    SpinSlider inner(255, 254);
    QStringList order;
    QObject::connect(&inner, &SpinSlider::valueChanged, [&] { order << QStringLiteral("inner"); });
    QObject::connect(&outer, &SpinSlider::valueChanged, [&] {
        order << QStringLiteral("outer-begins");
        inner.setValue(255);
        order << QStringLiteral("outer-ends");
    });
    outer.setValue(253);
    QCOMPARE(order, QStringList({"outer-begins", "inner", "outer-ends"}));
}

void TestControlRules::clickActionRunsAfterMarkToggles()
{
    RuleWindow w;
    QVERIFY(w.showWithFocusInBox());
    bool markSeen = false;
    QObject::connect(w.option, &OptionBox::toggled, [&] { markSeen = w.option->isChecked(); });
    QTest::mouseClick(w.option, Qt::LeftButton);
    QVERIFY(markSeen);
    QTest::mouseClick(w.option, Qt::LeftButton); // clearing the mark runs it too
    QCOMPARE(w.log.count(QStringLiteral("toggled")), 2);
    QVERIFY(!w.option->isChecked());
}

void TestControlRules::clickActionRunsOnCodeChangeOnly()
{
    OptionBox box;
    QSignalSpy spy(&box, &OptionBox::toggled);
    box.setChecked(false);
    QCOMPARE(spy.count(), 0);
    box.setChecked(true);
    QCOMPARE(spy.count(), 1);
    box.setChecked(true);
    QCOMPARE(spy.count(), 1);
}

void TestControlRules::leaveRuleRunsBeforeClickedControlActs_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("action");
    QTest::newRow("arrow") << "arrow"
                           << "changed";
    QTest::newRow("option-box") << "option"
                                << "toggled";
    QTest::newRow("button") << "button"
                            << "clicked";
}

void TestControlRules::leaveRuleRunsBeforeClickedControlActs()
{
    QFETCH(QString, target);
    QFETCH(QString, action);
    RuleWindow w;
    QVERIFY(w.showWithFocusInBox());
    if (target == QLatin1String("arrow"))
        QTest::mouseClick(w.slider, Qt::LeftButton, {}, w.arrowCentre(QStyle::SC_ScrollBarSubLine));
    else if (target == QLatin1String("option"))
        QTest::mouseClick(w.option, Qt::LeftButton);
    else
        QTest::mouseClick(w.button, Qt::LeftButton);
    QCOMPARE(w.log, QStringList({QStringLiteral("left"), action}));
}

void TestControlRules::leaveRuleRunsOnTab()
{
    RuleWindow w;
    QVERIFY(w.showWithFocusInBox());
    QTest::keyClick(w.box, Qt::Key_Tab);
    QVERIFY(!w.box->hasFocus());
    QCOMPARE(w.log, QStringList({QStringLiteral("left")}));
}

void TestControlRules::leaveRuleIgnoresOpenedMenu()
{
    RuleWindow w;
    QVERIFY(w.showWithFocusInBox());
    QMenu menu(&w.window);
    menu.addAction(QStringLiteral("Save"));
    menu.popup(w.window.mapToGlobal(QPoint(0, 0)));
    QTRY_VERIFY(menu.isVisible());
    menu.close();
    QTRY_VERIFY(!menu.isVisible());
    QVERIFY(w.log.isEmpty());
}

void TestControlRules::leaveRuleIgnoresOtherWindow()
{
    RuleWindow w;
    QVERIFY(w.showWithFocusInBox());
    QWidget second;
    second.show();
    second.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&second));
    QVERIFY(w.log.isEmpty());
    // Back in the first window, a click on another of its controls runs the rule.
    w.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    QTRY_VERIFY(w.box->hasFocus());
    QTest::mouseClick(w.button, Qt::LeftButton);
    QCOMPARE(w.log, QStringList({QStringLiteral("left"), QStringLiteral("clicked")}));
}

void TestControlRules::menusFromKeyboardOrMouseAreNoLeave_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("log");
    QTest::addColumn<bool>("boxHasFocus");
    const QStringList none;
    QTest::newRow("alt-and-back") << QStringList{"Alt", "Escape"} << none << true;
    QTest::newRow("alt-twice") << QStringList{"Alt", "Alt"} << none << true;
    QTest::newRow("alt-letter-and-back")
        << QStringList{"Alt+F", "Escape", "Escape"} << none << true;
    QTest::newRow("alt-letter-save")
        << QStringList{"Alt+F", "Return"} << QStringList{"save"} << true;
    QTest::newRow("mouse-menu-and-back")
        << QStringList{"click-File", "Escape", "Escape"} << none << true;
    QTest::newRow("leaving-after-a-menu-runs-once")
        << QStringList{"Alt+F", "Escape", "Escape", "Tab"} << QStringList{"left"} << false;
    // The menu bar holds the keyboard when the button is clicked: the box is left before the
    // button acts.
    QTest::newRow("alt-then-click-button")
        << QStringList{"Alt", "click-button"} << QStringList{"left", "clicked"} << false;
}

void TestControlRules::menusFromKeyboardOrMouseAreNoLeave()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, log);
    QFETCH(bool, boxHasFocus);
    MenuWindow w;
    QVERIFY(w.showWithFocusInBox());
    for (const QString& step : steps)
        w.act(step);
    QTRY_VERIFY(!QApplication::activePopupWidget());
    QCOMPARE(w.log, log);
    QCOMPARE(w.box->hasFocus(), boxHasFocus);
}

void TestControlRules::typingRuleRunsOnEveryChange()
{
    RuleWindow w;
    QVERIFY(w.showWithFocusInBox());
    QSignalSpy typed(w.box, &ValueBox::typed);
    QTest::keyClicks(w.box, QStringLiteral("12"));
    QCOMPARE(typed.count(), 2);
    w.box->setText(QStringLiteral("7"));
    QCOMPARE(typed.count(), 3);
    QVERIFY(w.log.isEmpty()); // typing alone does not run the leave rule
}

// A text a screen reader writes into the box is an entry as typing is: pending while the box
// keeps the focus, and taken when a command applies it.
void TestControlRules::screenReaderEntryIsTyped()
{
    RuleWindow w;
    QVERIFY(w.showWithFocusInBox());
    w.box->setText(QStringLiteral("12")); // as the program writes it: nothing pending
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(w.box);
    QVERIFY(accessible && accessible->editableTextInterface() && accessible->textInterface());
    QAccessibleEditableTextInterface* edit = accessible->editableTextInterface();
    edit->replaceText(0, accessible->textInterface()->characterCount(), QStringLiteral("1500"));
    edit->insertText(4, QStringLiteral("0"));
    edit->deleteText(0, 1);
    QCOMPARE(accessible->textInterface()->text(0, 4), QStringLiteral("5000"));
    QVERIFY(w.log.isEmpty());
    w.box->applyPendingEntry();
    QCOMPARE(w.log, QStringList{QStringLiteral("left")});
}

// A right-click on the arrows opens no menu ("Top" would set the largest value at once).
void TestControlRules::sliderHasNoMenu()
{
    RuleWindow w;
    QVERIFY(w.showWithFocusInBox());
    QWidget* opened = nullptr;
    // Runs inside a menu's own event loop if one opens, and closes it.
    QTimer::singleShot(0, [&opened] {
        opened = QApplication::activePopupWidget();
        if (opened)
            opened->close();
    });
    const QPoint at = w.arrowCentre(QStyle::SC_ScrollBarAddLine);
    QTest::mouseClick(w.slider, Qt::RightButton, {}, at);
    QContextMenuEvent menuKey(QContextMenuEvent::Mouse, at, w.slider->mapToGlobal(at));
    QApplication::sendEvent(w.slider, &menuKey);
    QTest::qWait(20);
    QCOMPARE(opened, nullptr);
    QCOMPARE(w.slider->value(), 12);
}

void TestControlRules::returnPressesFocusedButton_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("presses");
    QTest::newRow("return") << int(Qt::Key_Return) << int(Qt::NoModifier) << 1;
    QTest::newRow("keypad-enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << 1;
    QTest::newRow("space") << int(Qt::Key_Space) << int(Qt::NoModifier) << 1;
    QTest::newRow("ctrl-return-is-no-press")
        << int(Qt::Key_Return) << int(Qt::ControlModifier) << 0;
}

// A focused transfer button, and a status-line command, take Return as they take Space.
void TestControlRules::returnPressesFocusedButton()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, presses);
    QMainWindow window;
    auto* button = new GraphicalButton(QStringLiteral("Send Parameters"));
    window.setCentralWidget(button);
    auto* status = new StatusLine(&window);
    window.setStatusBar(status);
    QAction verify(QStringLiteral("Verify"));
    QToolButton* command = status->addCommand(&verify);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QSignalSpy clicked(button, &GraphicalButton::clicked);
    QSignalSpy triggered(&verify, &QAction::triggered);
    for (QWidget* target : {static_cast<QWidget*>(button), static_cast<QWidget*>(command)}) {
        target->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(target->hasFocus());
        QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    }
    QCOMPARE(clicked.count(), presses);
    QCOMPARE(triggered.count(), presses);
}

QTEST_MAIN(TestControlRules)
#include "tst_control_rules.moc"
