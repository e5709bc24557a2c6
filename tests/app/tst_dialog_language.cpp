// Every dialog the program opens speaks German under a German locale, Qt's own parts (buttons,
// the file dialog) included: each is opened once without translations and once with the German
// ones, and a visible text that reads the same in both runs is English left over, unless it is
// the same in both languages (OK, units, paths and file names, model names).

#include "application.h"
#include "card_window.h"
#include "commissioning.h"
#include "commissioning_dialog.h"
#include "compare_window.h"
#include "file_origins.h"
#include "form2.h"
#include "program_settings.h"
#include "traffic_log_window.h"
#include "translations.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include <functional>

using namespace vrn;

namespace {

constexpr int kWaitMs = 10000; // beyond every time-out of the link

enum class Dialog {
    ParameterSave,
    ParameterOpen,
    VerifyResult,
    OtherModelQuestion,
    Notice,
    MoreMenu,
    Record,
    RecordSave,
    TrafficLog,
    TrafficLogSave,
    OtherPort,
    Compare,
};

// "&Save..." as it reads: the mnemonic marks go, "&&" stays one "&".
QString shown(QString text)
{
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(u'&');
    text.replace(u'\x01', u'&');
    text.remove(QStringLiteral("[*]"));
    return text.trimmed();
}

// Every text the user sees in the window: its title, the captions, tooltips and placeholders of
// its visible widgets, the items of its lists and the headings of its columns; of a menu, its
// items and their shortcuts as the menu writes them.
QStringList textsOf(QWidget* window)
{
    QStringList texts;
    const auto add = [&texts](const QString& text) {
        if (!shown(text).isEmpty())
            texts << shown(text);
    };
    add(window->windowTitle());
    if (auto* menu = qobject_cast<QMenu*>(window)) {
        for (QAction* action : menu->actions()) {
            add(action->text());
            add(action->shortcut().toString(QKeySequence::NativeText));
        }
    }
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window))
            continue;
        add(w->toolTip());
        if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            add(button->text());
        } else if (auto* label = qobject_cast<QLabel*>(w)) {
            add(label->text());
        } else if (auto* line = qobject_cast<QLineEdit*>(w)) {
            add(line->placeholderText()); // what is typed there is the user's
        } else if (auto* edit = qobject_cast<QPlainTextEdit*>(w)) {
            add(edit->placeholderText());
        } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            for (int i = 0; i < combo->count(); ++i)
                add(combo->itemText(i));
        } else if (auto* header = qobject_cast<QHeaderView*>(w)) {
            for (int i = 0; header->model() && i < header->count(); ++i)
                add(header->model()->headerData(i, header->orientation()).toString());
        } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
            add(group->title());
        }
    }
    return texts;
}

// Texts that read the same in German.
bool sameInGerman(const QString& text)
{
    static const QStringList words{QStringLiteral("OK"), QStringLiteral("PWM"),
                                   QStringLiteral("Name"), QStringLiteral("Computer")};
    static const QRegularExpression sameEverywhere(
        QStringLiteral("^(VRN-(A|B|C|D|PC)( rev\\d+)?" // model names and the classic window titles
                       "|[^\\p{L}]*"                   // numbers, signs
                       "|\\S*[/\\\\]\\S*|[A-Z]:"       // paths
                       "|\\S+\\.(par|pdf|txt)"         // file names
                       "|[\\d.,]+ ?(mA|mV|ms|s|Hz|V))$"), // values with their units
        QRegularExpression::UseUnicodePropertiesOption);
    return words.contains(text) || sameEverywhere.match(text).hasMatch();
}

// Waits in the event loop of a dialog that runs its own (the parameter file dialogs) for it to
// appear, takes its texts and closes it.
QStringList textsOfModalDialog(const std::function<void()>& opens)
{
    QStringList texts;
    QTimer poll;
    poll.setInterval(20);
    int ticks = 0;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog && dialog->isVisible()) {
            texts = textsOf(dialog);
            poll.stop();
            dialog->reject();
        } else if (++ticks * poll.interval() > kWaitMs) {
            poll.stop(); // none came: nothing to take
        }
    });
    poll.start();
    opens(); // back once the dialog is closed
    return texts;
}

// The program with the card windows' settings as at the first start, on the simulated card.
struct TestApp
{
    QTemporaryDir folder;
    Application app;

    TestApp()
    {
        programSettings()->clear();
        app.setEndHandler([] {});
        app.notices().setShowWindows(true);
        app.chooseSimulatedCard();
    }

    CardWindow* vrnB() { return app.showCardWindow(CardModel::VrnB); }

    template <typename T> T* shownChild(QWidget* parent, const char* name)
    {
        T* child = parent->findChild<T*>(QLatin1String(name));
        return child && child->isVisible() ? child : nullptr;
    }
};

// Opens the dialog the way the user does and gives its texts; empty when it did not open.
QStringList textsOf(Dialog dialog)
{
    TestApp t;
    switch (dialog) {
    case Dialog::ParameterSave:
        return textsOfModalDialog([&t] { t.vrnB()->save(); });
    case Dialog::ParameterOpen:
        return textsOfModalDialog([&t] { t.vrnB()->open(); });
    case Dialog::VerifyResult: {
        CardWindow* window = t.vrnB();
        if (!window->verify() || !QTest::qWaitFor([&t] { return !t.app.link().isBusy(); }, kWaitMs))
            return {};
        auto* box = t.shownChild<QMessageBox>(window, "verifyResult");
        return box ? textsOf(box) : QStringList();
    }
    case Dialog::OtherModelQuestion: {
        // A file the VRN-D window saved, opened in the VRN-B window.
        const QByteArray content = "200\r\n50\r\n\"00003\"\r\n";
        const QString path = t.folder.filePath(QStringLiteral("pump.par"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
            return {};
        file.close();
        FileOrigins().remember(content, CardModel::VrnD);
        t.app.files().setChooser([path](auto...) { return std::optional<QString>(path); });
        CardWindow* window = t.vrnB();
        window->open();
        auto* box = t.shownChild<QMessageBox>(window, "otherModelFile");
        return box ? textsOf(box) : QStringList();
    }
    case Dialog::Notice: {
        // A Send with no port open: the notice offers the launcher.
        t.app.link().closePort();
        CardWindow* window = t.vrnB();
        window->send();
        auto* box = t.shownChild<QMessageBox>(window, "notice");
        return box ? textsOf(box) : QStringList();
    }
    case Dialog::MoreMenu:
        return textsOf(t.vrnB()->moreMenu());
    case Dialog::Record:
        return textsOf(showCommissioningRecord(*t.vrnB()));
    case Dialog::RecordSave: {
        CommissioningDialog* record = showCommissioningRecord(*t.vrnB());
        record->findChild<QAbstractButton*>(QStringLiteral("recordSave"))->click();
        auto* chooser = t.shownChild<QFileDialog>(record, "recordFileDialog");
        return chooser ? textsOf(chooser) : QStringList();
    }
    case Dialog::TrafficLog:
        return textsOf(t.app.showTrafficLog());
    case Dialog::TrafficLogSave: {
        TrafficLogWindow* log = t.app.showTrafficLog();
        log->findChild<QAbstractButton*>(QStringLiteral("trafficSave"))->click();
        auto* chooser = t.shownChild<QFileDialog>(log, "trafficSaveDialog");
        return chooser ? textsOf(chooser) : QStringList();
    }
    case Dialog::OtherPort: {
        t.app.launcher()->findChild<QAction*>(QStringLiteral("seOther"))->trigger();
        auto* question = t.shownChild<QInputDialog>(t.app.launcher(), "otherPortDialog");
        return question ? textsOf(question) : QStringList();
    }
    case Dialog::Compare:
        return textsOf(t.app.showCompare(CardModel::VrnB));
    }
    return {};
}

void removeTranslations()
{
    for (QTranslator* translator :
         qApp->findChildren<QTranslator*>(QString(), Qt::FindDirectChildrenOnly))
        delete translator; // which uninstalls it
    QLocale::setDefault(QLocale::c());
}

} // namespace

class TestDialogLanguage : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void cleanup() { removeTranslations(); }
    void dialogSpeaksGerman_data();
    void dialogSpeaksGerman();
};

void TestDialogLanguage::dialogSpeaksGerman_data()
{
    QTest::addColumn<int>("row");
    QTest::newRow("parameter-file-save") << int(Dialog::ParameterSave);
    QTest::newRow("parameter-file-open") << int(Dialog::ParameterOpen);
    QTest::newRow("verify-result-with-details") << int(Dialog::VerifyResult);
    QTest::newRow("file-of-another-card-question") << int(Dialog::OtherModelQuestion);
    QTest::newRow("notice-with-offer") << int(Dialog::Notice);
    QTest::newRow("more-menu-and-its-shortcuts") << int(Dialog::MoreMenu);
    QTest::newRow("commissioning-record") << int(Dialog::Record);
    QTest::newRow("commissioning-record-save-as-pdf") << int(Dialog::RecordSave);
    QTest::newRow("traffic-log") << int(Dialog::TrafficLog);
    QTest::newRow("traffic-log-save") << int(Dialog::TrafficLogSave);
    QTest::newRow("launcher-other-port") << int(Dialog::OtherPort);
    QTest::newRow("compare-window") << int(Dialog::Compare);
}

void TestDialogLanguage::dialogSpeaksGerman()
{
    QFETCH(int, row);
    const auto dialog = static_cast<Dialog>(row);
    const QStringList english = textsOf(dialog);
    QVERIFY2(!english.isEmpty(), "the dialog did not open");

    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    installTranslations(*qApp);
    const QStringList german = textsOf(dialog);
    QVERIFY2(!german.isEmpty(), "the dialog did not open under the German locale");

    QStringList leftOver;
    for (const QString& text : german) {
        if (english.contains(text) && !sameInGerman(text) && !leftOver.contains(text))
            leftOver << text;
    }
    QVERIFY2(leftOver.isEmpty(),
             qPrintable(QStringLiteral("English in the German dialog: \"%1\"\nall its texts: %2")
                            .arg(leftOver.join(QStringLiteral("\", \"")),
                                 german.join(QStringLiteral(" | ")))));
}

QTEST_MAIN(TestDialogLanguage)
#include "tst_dialog_language.moc"
