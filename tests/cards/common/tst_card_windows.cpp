// The VRN-B, VRN-C and VRN-D windows (Form3, Form4, Form5) alone and inside the program: one
// data-driven test per behaviour, its rows for all three windows in data/cases.txt and
// data/<window>.layout, golden parameter files in data/*.par. What a technician does to every
// card window (a pass through the boxes, a typed entry and a command, the first key) runs in
// all four, VRN-A included.

#include "application.h"
#include "card_window_rig.h"
#include "form2.h"
#include "graphical_button.h"
#include "option_box.h"
#include "row_card_window.h"
#include "twips.h"
#include "value_box.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>

using namespace vrn;
using namespace Qt::StringLiterals;

namespace {

const QString kData = QStringLiteral(VRN_TEST_DATA_DIR "/");

QString dataText(const QString& name)
{
    QFile file(kData + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing test data %s", qPrintable(name));
    return QString::fromUtf8(file.readAll());
}

// Adds the rows of one [section] of data/cases.txt: "name | column | column ...", all strings.
// Blank lines and "#" comments are skipped; a line with another number of columns fails the
// test, so that no row goes missing unnoticed.
void addCases(const QString& section)
{
    const QStringList lines = dataText(u"cases.txt"_s).split(u'\n');
    qsizetype i = lines.indexOf(QRegularExpression(u"^\\["_s + section + u"\\].*"_s));
    QVERIFY2(i >= 0, qPrintable(section));
    const QStringList columns = lines[i].section(u']', 1).split(u'|');
    static QByteArrayList names; // the test table keeps pointers to its column names
    for (const QString& column : columns.mid(1)) {
        names << column.trimmed().toLatin1();
        QTest::addColumn<QString>(names.last().constData());
    }
    while (++i < lines.size() && !lines[i].startsWith(u'[')) {
        if (lines[i].trimmed().isEmpty() || lines[i].startsWith(u'#'))
            continue;
        const QStringList cells = lines[i].split(u'|');
        QVERIFY2(cells.size() == columns.size(),
                 qPrintable(u"cases.txt line %1 has %2 columns, [%3] has %4: %5"_s.arg(i + 1)
                                .arg(cells.size())
                                .arg(section)
                                .arg(columns.size())
                                .arg(lines[i])));
        QTestData& row = QTest::newRow(cells[0].trimmed().toLatin1().constData());
        for (const QString& cell : cells.mid(1))
            row << cell.trimmed();
    }
}

// Control states as "Name=value" tokens: a slot B=00003 (code), B=#3 (plain number), B= (empty);
// a slider's position, a value box's text, an option box's mark (1 or 0).
QString stateOf(QWidget* window, const SlotTable& slots, const QString& name)
{
    if (name.size() == 1) {
        const SlotValue& value = slots.value(name[0].toLatin1());
        const auto* number = std::get_if<double>(&value);
        return number ? u'#' + classicNumberText(*number) : slotText(value);
    }
    QObject* control = window->findChild<QObject*>(name);
    if (auto* slider = qobject_cast<SpinSlider*>(control))
        return QString::number(slider->value());
    if (auto* option = qobject_cast<OptionBox*>(control))
        return option->isChecked() ? u"1"_s : u"0"_s;
    auto* box = qobject_cast<ValueBox*>(control);
    return box ? box->text() : u"<no %1>"_s.arg(name);
}

// The states of the names in `names` ("Text1=... B=..."), or of every control for "*".
QString states(QWidget* window, const SlotTable& slots, const QString& names)
{
    QStringList wanted;
    for (const QString& token : names.split(u' ', Qt::SkipEmptyParts))
        wanted << token.section(u'=', 0, 0);
    if (names == "*") {
        wanted.clear();
        for (QWidget* c : window->findChildren<QWidget*>())
            if (qobject_cast<SpinSlider*>(c) || qobject_cast<ValueBox*>(c) ||
                qobject_cast<OptionBox*>(c))
                wanted << c->objectName();
        wanted.sort();
    }
    for (QString& name : wanted)
        name += u'=' + stateOf(window, slots, name);
    return wanted.join(u' ');
}

SlotValue slotValue(const QString& token) // "00003", "#3" or ""
{
    if (token.startsWith(u'#'))
        return token.mid(1).toDouble();
    return token.isEmpty() ? SlotValue() : SlotValue(token);
}

// Steps in the token form of the states; besides, "Check9" clicks the box with the mouse,
// "Text11:300" types 300 into the box and leaves it with the Tab key (a real change of focus),
// "Text11+300" types 300 and keeps the focus there, and "Text2>" clicks into the box and
// leaves it with the Tab key without typing.
void applyEdits(QWidget* window, SlotTable& slots, const QString& steps)
{
    for (const QString& step : steps.split(u' ', Qt::SkipEmptyParts)) {
        const QString name = step.section(QRegularExpression(u"[=:>+]"_s), 0, 0);
        const QString value = step.mid(name.size() + 1);
        QWidget* control = window->findChild<QWidget*>(name);
        if (control && !window->isActiveWindow()) {
            window->show();
            window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window));
        }
        if (name.size() == 1)
            slots.set(name[0].toLatin1(), slotValue(value));
        else if (auto* slider = qobject_cast<SpinSlider*>(control))
            slider->setValue(value.toInt());
        else if (auto* box = qobject_cast<OptionBox*>(control))
            QTest::mouseClick(box, Qt::LeftButton);
        else if (auto* text = qobject_cast<ValueBox*>(control);
                 text && (step.contains(u':') || step.contains(u'+'))) {
            text->setFocus(Qt::MouseFocusReason);
            text->selectAll();
            QTest::keyClick(text, Qt::Key_Backspace);
            QTest::keyClicks(text, value);
            if (step.contains(u'+'))
                continue;
            QTest::keyClick(text, Qt::Key_Tab);
            QVERIFY2(!text->hasFocus(), qPrintable(name + " kept the focus"));
        } else if (text && step.endsWith(u'>')) {
            QTest::mouseClick(text, Qt::LeftButton);
            QVERIFY2(text->hasFocus(), qPrintable(name + " did not take the focus"));
            QTest::keyClick(text, Qt::Key_Tab);
            QVERIFY2(!text->hasFocus(), qPrintable(name + " kept the focus"));
        } else {
            QVERIFY2(text, qPrintable(name));
            text->setText(value);
        }
    }
}

// The program on the simulated card, its end recorded instead of leaving the event loop, with
// a file dialog that gives `chosenFile` (cancelled while empty); optionally one card window of
// its own, made outside the launcher.
struct ProgramRig
{
    Application app;
    int ends = 0;
    QTemporaryDir folder;
    QString chosenFile;
    std::unique_ptr<RowCardWindow> window;

    explicit ProgramRig(const QString& form = {})
    {
        app.notices().setShowWindows(false);
        app.setEndHandler([this] { ++ends; });
        app.chooseSimulatedCard();
        app.files().setChooser([this](auto...) -> std::optional<QString> {
            return chosenFile.isEmpty() ? std::nullopt : std::optional(chosenFile);
        });
        if (!form.isEmpty()) {
            window.reset(static_cast<RowCardWindow*>(
                makeCardWindow(modelOfForm(form), app.context()).release()));
        }
    }
    QString state(const QString& names) { return states(window.get(), app.slots(), names); }
    void edit(const QString& steps) { applyEdits(window.get(), app.slots(), steps); }
    void setReply(const QString& fields) // "position=three characters", "_" for a blank
    {
        auto& overrides = app.simulatedCard().faults().replyFieldOverrides;
        for (const QString& field : fields.split(u' ', Qt::SkipEmptyParts))
            overrides[field.section(u'=', 0, 0).toInt()] =
                field.section(u'=', 1).replace(u'_', u' ').toLatin1();
    }
    // Clicks Send (Command1; Command3 in VRN-D) or Read (the button after it), waits until the
    // button is grey again and gives the frames it sent.
    QString press(QWidget* card, bool send)
    {
        const int first = card->objectName() == "Form5" ? 3 : 1;
        auto* button = card->findChild<GraphicalButton*>(u"Command%1"_s.arg(first + !send));
        if (!button)
            return u"<no button in %1>"_s.arg(card->objectName());
        app.simulatedCard().clearLog();
        QTest::mouseClick(button, Qt::LeftButton);
        if (!button->isBusy() || !QTest::qWaitFor([button] { return !button->isBusy(); }))
            return u"<%1 did not run>"_s.arg(button->objectName());
        return QString::fromLatin1(app.simulatedCard().framesReceived().join(' '));
    }
};

} // namespace

class TestCardWindows : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void layout_data();
    void layout();
    void tabOrderAndMenus_data();
    void tabOrderAndMenus();

    void sliderChange_data() { addCases(u"sliderChange"_s); }
    void sliderChange() { edits(); }
    void valueBoxLeft_data() { addCases(u"valueBoxLeft"_s); }
    void valueBoxLeft() { edits(); }
    void optionClick_data() { addCases(u"optionClick"_s); }
    void optionClick() { edits(); }

    void send_data() { addCases(u"send"_s); }
    void send();
    void read_data() { addCases(u"read"_s); }
    void read();
    void readRefused_data() { addCases(u"readRefused"_s); }
    void readRefused();
    void editsAfterRead_data() { addCases(u"editsAfterRead"_s); }
    void editsAfterRead();

    void save_data() { addCases(u"save"_s); }
    void save();
    void open_data() { addCases(u"open"_s); }
    void open();
    void openRefused_data() { addCases(u"openRefused"_s); }
    void openRefused();
    void cancelledDialogs_data() { tabOrderAndMenus_data(); }
    void cancelledDialogs();

    void pwmFromVrnDGoesOutWithVrnA();
    void currentFromVrnBGoesOutWithVrnC();
    void reopenedWindowStartsAfresh_data() { addCases(u"reopen"_s); }
    void reopenedWindowStartsAfresh();

    void passingThroughBoxesChangesNothing_data();
    void passingThroughBoxesChangesNothing();
    void commandsTakeTheTypedEntry_data();
    void commandsTakeTheTypedEntry();
    void focusStartsOnTheFirstControl_data();
    void focusStartsOnTheFirstControl();

private:
    void edits();
};

// data/<form>.layout mirrors the window's layout table, one control a line:
// name kind left top width height tab text (tab "-" for none; text: caption, a box's initial
// text, or a slider's maximum and position).
void TestCardWindows::layout_data()
{
    for (const char* column : {"form", "name", "kind", "text"})
        QTest::addColumn<QString>(column);
    QTest::addColumn<QRect>("geometry");
    for (const QString form : {"Form3", "Form4", "Form5"}) {
        for (const QString& line : dataText(form + ".layout").split(u'\n', Qt::SkipEmptyParts)) {
            const QStringList f = line.split(u' ');
            QTest::addRow("%s-%s", qPrintable(form), qPrintable(f[0]))
                << form << f[0] << f[1] << f.mid(7).join(u' ')
                << twipsRect(f[2].toInt(), f[3].toInt(), f[4].toInt(), f[5].toInt());
        }
    }
}

void TestCardWindows::layout()
{
    QFETCH(QString, form);
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QString, text);
    QFETCH(QRect, geometry);
    ProgramRig rig(form);
    if (kind == "window") {
        QCOMPARE(rig.window->windowTitle(), text);
        QCOMPARE(rig.window->client()->size(), geometry.size());
        return;
    }
    QWidget* c = rig.window->findChild<QWidget*>(name);
    QVERIFY(c);
    auto* label = qobject_cast<QLabel*>(c);
    // Labels and option boxes grow where the style's text or mark needs more room.
    const bool grows = label || qobject_cast<OptionBox*>(c);
    QCOMPARE(QRect(c->pos(), grows ? geometry.size() : c->size()), geometry);
    QVERIFY(c->height() >= geometry.height());
    if (qobject_cast<OptionBox*>(c))
        QVERIFY(c->height() >= c->style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, c));
    QString shown; // what the control shows, in the form of the table's text column
    if (label) {
        // Never narrower than its table width, nor than its caption.
        QVERIFY(c->width() >= geometry.width() && c->width() >= label->sizeHint().width());
        QCOMPARE(label->font().bold(), kind == "bold");
        shown = label->text();
    } else if (auto* box = qobject_cast<ValueBox*>(c)) {
        shown = box->text();
    } else if (auto* slider = qobject_cast<SpinSlider*>(c)) {
        QCOMPARE(QList({slider->minimum(), slider->singleStep(), slider->pageStep()}),
                 QList({0, 1, 1}));
        shown = u"%1 %2"_s.arg(slider->maximum()).arg(slider->value());
    } else if (auto* button = qobject_cast<GraphicalButton*>(c)) {
        QCOMPARE(button->backColour(), kGreyColour);
        shown = button->text();
    } else if (auto* option = qobject_cast<OptionBox*>(c)) {
        QVERIFY(!option->isChecked());
    }
    QCOMPARE(shown, text);
    // clang-format off
    const QMap<QString, const char*> classes{{"label", "QLabel"}, {"bold", "QLabel"},
        {"box", "vrn::ValueBox"}, {"slider", "vrn::SpinSlider"}, {"option", "vrn::OptionBox"},
        {"button", "vrn::GraphicalButton"}, {"picture", "vrn::PictureStrip"}, {"frame", "QFrame"}};
    // clang-format on
    QCOMPARE(c->metaObject()->className(), classes.value(kind));
}

void TestCardWindows::tabOrderAndMenus_data()
{
    QTest::addColumn<QString>("form");
    QTest::newRow("VRN-B") << "Form3";
    QTest::newRow("VRN-C") << "Form4";
    QTest::newRow("VRN-D") << "Form5";
}

void TestCardWindows::tabOrderAndMenus()
{
    QFETCH(QString, form);
    ProgramRig rig(form);
    QMap<int, QString> byTab; // the controls that take the focus, by their tab index
    for (const QString& line : dataText(form + ".layout").split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList f = line.split(u' ');
        const QWidget* control = rig.window->findChild<QWidget*>(f[0]);
        if (f[6] != "-" && control && control->focusPolicy() & Qt::TabFocus)
            byTab.insert(f[6].toInt(), f[0]);
    }
    QStringList chain{byTab.first()};
    for (QWidget* w = rig.window->findChild<QWidget*>(byTab.first());
         chain.size() < byTab.size();) {
        w = w->nextInFocusChain();
        if (w->focusPolicy() & Qt::TabFocus)
            chain << w->objectName();
    }
    QCOMPARE(chain, byTab.values());

    QStringList menus;
    for (QAction* entry : rig.window->menuBar()->actions()) {
        menus << entry->objectName() + u' ' + entry->text();
        for (QAction* item : entry->menu() ? entry->menu()->actions() : QList<QAction*>())
            menus << u"  "_s + item->objectName() + u' ' + item->text();
    }
    QCOMPARE(menus, QStringList({" &File", "  SLV &Save", "  OP &Open", "EX &Exit"}));
    QCOMPARE(rig.window->findChild<QMenu*>("FL")->title(), "&File");
    QSignalSpy exit(rig.window.get(), &CardWindow::exitRequested);
    rig.window->findChild<QAction*>("EX")->trigger(); // acts at once, without a menu
    QCOMPARE(exit.count(), 1);
}

void TestCardWindows::edits()
{
    QFETCH(QString, form);
    QFETCH(QString, steps);
    QFETCH(QString, expected);
    ProgramRig rig(form);
    rig.edit(steps);
    QCOMPARE(rig.state(expected), expected);
}

void TestCardWindows::send()
{
    QFETCH(QString, form);
    QFETCH(QString, steps);
    QFETCH(QString, frames);
    QFETCH(QString, after);
    ProgramRig rig(form);
    rig.edit(steps);
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(rig.press(rig.window.get(), true), frames);
    QVERIFY2(clock.elapsed() < 900, "no settle pauses: ten would take a second");
    QCOMPARE(rig.state(after), after); // slots padded in place
    QCOMPARE(rig.app.notices().history(), QStringList());
}

void TestCardWindows::read()
{
    QFETCH(QString, form);
    QFETCH(QString, steps);
    QFETCH(QString, reply);
    QFETCH(QString, expected);
    ProgramRig rig(form);
    rig.edit(steps);
    rig.setReply(reply);
    QCOMPARE(rig.press(rig.window.get(), false), "w$");
    QCOMPARE(rig.state(expected), expected);
}

void TestCardWindows::readRefused()
{
    QFETCH(QString, form);
    QFETCH(QString, reply);
    QFETCH(QString, told);
    ProgramRig rig(form);
    const QString before = rig.state("*");
    rig.setReply(reply);
    QCOMPARE(rig.press(rig.window.get(), false), "w$"); // and the button is grey again
    QCOMPARE(rig.state("*"), before);
    QVERIFY(rig.app.slots() == SlotTable());
    QVERIFY2(rig.app.notices().last().contains(told), qPrintable(rig.app.notices().last()));
}

void TestCardWindows::editsAfterRead()
{
    QFETCH(QString, form);
    QFETCH(QString, reply);
    QFETCH(QString, steps);
    QFETCH(QString, frames);
    ProgramRig rig(form);
    rig.setReply(reply);
    QCOMPARE(rig.press(rig.window.get(), false), "w$");
    rig.edit(steps);
    QCOMPARE(rig.press(rig.window.get(), true), frames);
}

void TestCardWindows::save()
{
    QFETCH(QString, form);
    QFETCH(QString, steps);
    QFETCH(QString, golden);
    ProgramRig rig(form);
    rig.edit(steps);
    rig.chosenFile = rig.folder.filePath("saved.par");
    rig.window->save();
    QFile saved(rig.chosenFile);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), dataText(golden).toLatin1());
}

void TestCardWindows::open()
{
    QFETCH(QString, form);
    QFETCH(QString, steps);
    QFETCH(QString, golden);
    QFETCH(QString, expected);
    ProgramRig rig(form);
    rig.edit(steps);
    rig.chosenFile = kData + golden;
    rig.window->open();
    QCOMPARE(rig.state(expected), expected);
    QCOMPARE(rig.app.notices().history(), QStringList());
}

void TestCardWindows::openRefused()
{
    QFETCH(QString, form);
    QFETCH(QString, content);
    QFETCH(QString, told);
    ProgramRig rig(form);
    rig.chosenFile = rig.folder.filePath("wrong.par");
    QFile file(rig.chosenFile);
    if (content != "missing") // the content has its line ends written out as \r and \n
        QVERIFY(file.open(QIODevice::WriteOnly) &&
                file.write(content.replace("\\r", "\r").replace("\\n", "\n").toLatin1()) > 0);
    file.close();
    const QString before = rig.state("*");
    rig.window->open();
    QCOMPARE(rig.state("*"), before);
    QVERIFY(rig.app.slots() == SlotTable());
    const QString notice = rig.app.notices().last();
    QVERIFY2(notice.contains(told) && notice.contains(QDir::toNativeSeparators(rig.chosenFile)),
             qPrintable(notice));
}

void TestCardWindows::cancelledDialogs()
{
    QFETCH(QString, form);
    ProgramRig rig(form);
    rig.chosenFile = rig.folder.filePath("earlier.par");
    rig.window->save();
    QVERIFY(QFile::resize(rig.chosenFile, 0));
    const QString earlier = std::exchange(rig.chosenFile, QString()); // dialogs now cancelled
    rig.edit("Check8");
    rig.window->save();
    QCOMPARE(QFileInfo(earlier).size(), 0); // the file chosen before is not overwritten
    const QString before = rig.state("*");
    rig.window->open();
    QCOMPARE(rig.state("*") + rig.state("B"), before + "B=00002");
    QCOMPARE(rig.app.notices().history(), QStringList());
}

// ----- The windows together in the program.

void TestCardWindows::pwmFromVrnDGoesOutWithVrnA()
{
    ProgramRig rig;
    applyEdits(rig.app.showCardWindow(CardModel::VrnD), rig.app.slots(), "Check9");
    CardWindow* vrnA = rig.app.showCardWindow(CardModel::VrnA);
    QCOMPARE(rig.press(vrnA, true).section(u' ', 1, 1), "B00003$");
}

void TestCardWindows::currentFromVrnBGoesOutWithVrnC()
{
    ProgramRig rig;
    // One click on the upper arrow of the VRN-B maximum-current slider: code 768 becomes 769.
    rig.app.showCardWindow(CardModel::VrnB)
        ->findChild<SpinSlider*>("VScroll5")
        ->triggerAction(QAbstractSlider::SliderSingleStepSub);
    CardWindow* vrnC = rig.app.showCardWindow(CardModel::VrnC);
    QCOMPARE(rig.press(vrnC, true).section(u' ', 7, 7), "H00769$");
}

void TestCardWindows::reopenedWindowStartsAfresh()
{
    QFETCH(QString, form);
    QFETCH(QString, steps);
    QFETCH(QString, frames);
    ProgramRig rig;
    // FormN is card model N - 2 and has the launcher's button CommandN-1 ("VRB" is Command2).
    const auto model = static_cast<CardModel>(form.right(1).toInt() - 2);
    auto* launcher = rig.app.launcher()->findChild<GraphicalButton*>(
        u"Command%1"_s.arg(form.right(1).toInt() - 1));
    QTest::mouseClick(launcher, Qt::LeftButton);
    QVERIFY(rig.app.cardWindow(model) && rig.app.cardWindow(model)->isVisible());
    QCOMPARE(rig.app.cardWindow(model)->objectName(), form);
    const QString initial = states(rig.app.cardWindow(model), {}, "*");
    applyEdits(rig.app.cardWindow(model), rig.app.slots(), steps);
    QVERIFY(states(rig.app.cardWindow(model), {}, "*") != initial);

    rig.app.cardWindow(model)->close();
    QTRY_VERIFY(!rig.app.cardWindow(model)); // destroyed, not hidden
    QCOMPARE(rig.ends, 0);                   // and the program goes on

    QTest::mouseClick(launcher, Qt::LeftButton);
    QCOMPARE(states(rig.app.cardWindow(model), {}, "*"), initial);
    QCOMPARE(rig.press(rig.app.cardWindow(model), true), frames);
    rig.app.cardWindow(model)->findChild<QAction*>("EX")->trigger();
    QCOMPARE(rig.ends, 1);
}

// ----- Every card window as a technician uses it.

namespace {

// The window of a form shown from the program, active, with the program's simulated card.
CardWindow* shownWindow(ProgramRig& rig, const QString& form)
{
    CardWindow* window = rig.app.showCardWindow(modelOfForm(form));
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        qWarning("%s did not become active", qPrintable(form));
    return window;
}

} // namespace

void TestCardWindows::passingThroughBoxesChangesNothing_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<int>("code"); // every current the card holds, up to the largest it takes
    for (const char* form : {"Form1", "Form3", "Form4", "Form5"}) {
        for (int code : {0, 100, 300, 294})
            QTest::addRow("%s-code-%d", form, code) << QString(form) << code;
    }
}

// After a Read, Tab through every value box of the window (a box shows what does not convert
// back to its code at 0 and at multiples of 100): the next Send is the one before the pass.
void TestCardWindows::passingThroughBoxesChangesNothing()
{
    QFETCH(QString, form);
    QFETCH(int, code);
    ProgramRig rig;
    // E (Vt), F (I Pol), G (minimum current, I Min) and H (maximum current, I Max).
    const std::pair<char, int> currents[] = {{'E', 200}, {'F', 255}, {'G', 511}, {'H', 1023}};
    for (const auto& [letter, largest] : currents)
        rig.app.simulatedCard().setParameter(letter, std::min(code, largest));
    CardWindow* window = shownWindow(rig, form);
    QCOMPARE(rig.press(window, false), "w$");
    const QString sent = rig.press(window, true);
    for (ValueBox* box : window->client()->findChildren<ValueBox*>()) {
        box->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(box->hasFocus());
        QTest::keyClick(box, Qt::Key_Tab);
        QVERIFY2(!box->hasFocus(), qPrintable(box->objectName()));
    }
    QCOMPARE(rig.press(window, true), sent);
}

void TestCardWindows::commandsTakeTheTypedEntry_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("expected"); // the slot once the command has run
    // 1800 mA is code 615 (1801 mA).
    QTest::newRow("VRN-B-verify-shortcut") << "Form3"
                                           << "Text11"
                                           << "verify"
                                           << "H=00615";
    QTest::newRow("VRN-B-record-shortcut") << "Form3"
                                           << "Text11"
                                           << "record"
                                           << "H=00615";
    QTest::newRow("VRN-B-save-menu") << "Form3"
                                     << "Text11"
                                     << "save"
                                     << "H=00615";
    QTest::newRow("VRN-C-more-menu-option") << "Form4"
                                            << "Text1"
                                            << "option"
                                            << "H=00615";
    QTest::newRow("VRN-D-verify-shortcut") << "Form5"
                                           << "Text1"
                                           << "verify"
                                           << "H=00615";
    QTest::newRow("VRN-A-verify-shortcut") << "Form1"
                                           << "Text11"
                                           << "verify"
                                           << "H=00615";
    QTest::newRow("VRN-A-save-menu") << "Form1"
                                     << "Text11"
                                     << "save"
                                     << "H=00615";
}

// A value typed into a box that keeps the focus counts for a shortcut or a menu command as
// for a click on one of the window's buttons.
void TestCardWindows::commandsTakeTheTypedEntry()
{
    QFETCH(QString, form);
    QFETCH(QString, box);
    QFETCH(QString, command);
    QFETCH(QString, expected);
    ProgramRig rig;
    rig.chosenFile = rig.folder.filePath("typed.par");
    CardWindow* window = shownWindow(rig, form);
    applyEdits(window, rig.app.slots(), box + u"+1800"_s);
    auto* typedInto = window->findChild<ValueBox*>(box);
    QVERIFY(typedInto->hasFocus());
    if (command == "verify") {
        QTest::keyClick(typedInto, Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
        QTRY_VERIFY(!rig.app.link().isBusy());
    } else if (command == "record") {
        QTest::keyClick(typedInto, Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
    } else if (command == "save") {
        window->findChild<QAction*>(form == "Form1" ? "mnuSave" : "SLV")->trigger();
        QVERIFY(QFile::exists(rig.chosenFile));
    } else {
        window->verifyAfterSendAction()->trigger();
    }
    QCOMPARE(states(window, rig.app.slots(), expected), expected);
    QVERIFY(typedInto->hasFocus());
}

void TestCardWindows::focusStartsOnTheFirstControl_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("first");
    QTest::newRow("VRN-A") << "Form1"
                           << "Check3";
    QTest::newRow("VRN-B") << "Form3"
                           << "Picture1";
    QTest::newRow("VRN-C") << "Form4"
                           << "Picture1";
    QTest::newRow("VRN-D") << "Form5"
                           << "Picture1";
}

// A window opens with the focus where its classic tab order starts; its status line's commands
// come after the last classic control, so a first Space puts nothing on the wire.
void TestCardWindows::focusStartsOnTheFirstControl()
{
    QFETCH(QString, form);
    QFETCH(QString, first);
    ProgramRig rig;
    CardWindow* window = shownWindow(rig, form);
    QTRY_VERIFY(window->focusWidget());
    QCOMPARE(window->focusWidget()->objectName(), first);

    QStringList cycle; // one round of Tab from the first control
    QWidget* w = window->focusWidget();
    do {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(window))
            cycle << w->objectName();
        w = w->nextInFocusChain();
    } while (w != window->focusWidget() && cycle.size() < 100);
    const QStringList commands{"verifyButton", "trafficLogButton", "moreButton"};
    QCOMPARE(cycle.mid(cycle.size() - 3), commands);
    for (const QString& name : cycle.first(cycle.size() - 3))
        QVERIFY2(window->client()->isAncestorOf(window->findChild<QWidget*>(name)),
                 qPrintable(name));

    rig.app.simulatedCard().clearLog();
    QTest::keyClick(window->focusWidget(), Qt::Key_Space);
    QTest::qWait(50);
    QCOMPARE(rig.app.simulatedCard().framesReceived(), QByteArrayList());
}

QTEST_MAIN(TestCardWindows)
#include "tst_card_windows.moc"
