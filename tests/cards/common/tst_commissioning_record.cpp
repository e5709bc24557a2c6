// The commissioning record: what its PDF says (read back with pdftotext), over a card on a
// pseudo-terminal, and its dialog as the user reaches it from the card window.

#include "card_window_rig.h"
#include "commissioning.h"
#include "commissioning_dialog.h"
#include "pty_card_server.h"

#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>

using namespace vrn;

namespace {

// The PDF's text, laid out as on the page, with runs of blanks as one blank, none at the ends
// of lines, and ligatures ("fi") as their letters.
QString pdfText(const QString& path)
{
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!tool.waitForFinished(20000) || tool.exitCode() != 0)
        return QStringLiteral("<pdftotext failed: %1>").arg(tool.readAllStandardError());
    return QString::fromUtf8(tool.readAllStandardOutput())
        .normalized(QString::NormalizationForm_KC)
        .replace(QRegularExpression(QStringLiteral("[ \\t]+")), QStringLiteral(" "))
        .replace(QRegularExpression(QStringLiteral("(?m)^ | $")), QString());
}

#define SKIP_WITHOUT_POPPLER()                                                                     \
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() ||                   \
        QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())                       \
    QSKIP("pdftotext and pdfinfo (poppler-utils) are not installed: the PDF cannot be read back")

// What a row sets up before the record is saved: slots written, a Send, a Verify.
struct Setup
{
    QMap<char, int> slots;
    QMap<char, int> cardDiffers; // the card's memory changed after the Send
    bool verify = false;
};

} // namespace

Q_DECLARE_METATYPE(Setup)

class TestCommissioningRecord : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void recordStatesCardAndVerify_data();
    void recordStatesCardAndVerify();
    void reachedByKeyboard();
    void failedSaveIsToldAndLeavesNoFile();
    void anotherPortStartsAFreshRecord();
};

void TestCommissioningRecord::initTestCase()
{
    QLocale::setDefault(QLocale::c());
    QCoreApplication::setApplicationVersion(QStringLiteral("4.5.6"));
}

void TestCommissioningRecord::recordStatesCardAndVerify_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<QStringList>("lines"); // patterns, each matching a line of the text

    QTest::newRow("fresh-window-values-not-set-not-verified")
        << "Form3" << Setup{}
        << QStringList{"^Card model VRN-B$",
                       "^Serial number not given$",
                       "^Port (/dev/\\S+|COM\\d+)$",
                       "^Program VRN-PC 4\\.5\\.6$",
                       "^Value Setting Code$",
                       "^PWM not set -$",
                       "^Maximum current not set -$",
                       "^Over-supply time not set -$",
                       "^not verified$",
                       "^Date: _+$"};
    QTest::newRow("verified-card-holds-the-window")
        << "Form4" << Setup{{{'B', 3}, {'C', 10}, {'G', 100}, {'H', 769}}, {}, true}
        << QStringList{"^Card model VRN-C$",
                       "^PWM \\(3\\) 300 Hz 00003$",
                       "^Excitation time 2 ?s 00010$",
                       "^Minimum current 293 mA 00100$",
                       "^Maximum current 2253 mA 00769$",
                       "^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d UTC[+-]\\d\\d:\\d\\d Card holds "
                       "what this window sends$"};
    QTest::newRow("verified-card-differs")
        << "Form5" << Setup{{{'B', 2}, {'C', 5}, {'H', 300}}, {{'H', 410}}, true}
        << QStringList{"^Card model VRN-D$", "^Maximum current 879 mA 00300$",
                       "UTC[+-]\\d\\d:\\d\\d 1 value\\S* differs?: Maximum current \\(window "
                       "879 mA,\\s+card\\s+1201 mA\\)$"};
}

void TestCommissioningRecord::recordStatesCardAndVerify()
{
    QFETCH(QString, form);
    QFETCH(Setup, setup);
    QFETCH(QStringList, lines);
    SKIP_WITHOUT_POPPLER();

    sim::PtyCardServer server;
    QVERIFY2(server.open(), qPrintable(server.errorString()));
    CardWindowRig rig(form);
    QVERIFY(rig.link.openDevice(server.slavePath()));
    for (auto [letter, code] : setup.slots.asKeyValueRange())
        rig.slots.setCode(letter, code);
    if (setup.verify) {
        QVERIFY(rig.window->send());
        QTRY_VERIFY_WITH_TIMEOUT(rig.window->cardHolds().has_value(), 10000);
        for (auto [letter, code] : setup.cardDiffers.asKeyValueRange())
            server.card().setParameter(letter, code);
        QSignalSpy verified(rig.window.get(), &CardWindow::verified);
        QVERIFY(rig.window->verify());
        QVERIFY(verified.wait(10000));
    }

    const QString path = rig.folder.filePath(QStringLiteral("record.pdf"));
    const qsizetype framesBefore = server.card().framesReceived().size();
    QVERIFY(showCommissioningRecord(*rig.window)->savePdf(path));
    QCOMPARE(server.card().framesReceived().size(), framesBefore); // the card is not read
    const QString text = pdfText(path);
    QVERIFY2(text.startsWith(QStringLiteral("Commissioning record")), qPrintable(text));
    QVERIFY2(text.contains(server.slavePath()), qPrintable(text));
    for (const QString& line : lines) {
        const QRegularExpression pattern(line, QRegularExpression::MultilineOption);
        QVERIFY2(pattern.isValid(), qPrintable(line));
        QVERIFY2(text.contains(pattern), qPrintable(line + QStringLiteral(" in:\n") + text));
    }
}

void TestCommissioningRecord::reachedByKeyboard()
{
    SKIP_WITHOUT_POPPLER();
    CardWindowRig rig(QStringLiteral("Form3"));
    addCommissioningRecord(*rig.window);
    rig.window->show();
    QVERIFY(QTest::qWaitForWindowActive(rig.window.get()));
    QTest::keyClick(rig.window.get(), Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
    auto* dialog = rig.window->findChild<CommissioningDialog*>();
    QVERIFY(dialog && dialog->isVisible());
    QTRY_COMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("recordSerial"));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("SN 4711/B"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("recordNote"));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Press <2> & coil"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("recordSave"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);

    auto* chooser = dialog->findChild<QFileDialog*>(QStringLiteral("recordFileDialog"));
    QVERIFY(chooser && chooser->isVisible());
    // A name the serial number cannot break: no slash from "4711/B".
    QCOMPARE(chooser->selectedFiles().value(0).section(QLatin1Char('/'), -1).left(17),
             QStringLiteral("VRN-B SN-4711-B 2"));
    const QString path = rig.folder.filePath(QStringLiteral("by-keyboard.pdf"));
    chooser->selectFile(path);
    static_cast<QDialog*>(chooser)->accept(); // as its Save button does
    QVERIFY(QFile::exists(path));
    QVERIFY(dialog->findChild<QLabel*>(QStringLiteral("recordOutcome"))->text().contains(path));
    const QString text = pdfText(path);
    QVERIFY2(text.contains(QStringLiteral("Serial number SN 4711/B")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("Press <2> & coil")), qPrintable(text));

    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {path});
    QVERIFY(info.waitForFinished(20000));
    QVERIFY(QString::fromUtf8(info.readAllStandardOutput()).contains(QStringLiteral("(A4)")));
}

void TestCommissioningRecord::failedSaveIsToldAndLeavesNoFile()
{
    CardWindowRig rig(QStringLiteral("Form5"));
    const QString path = rig.folder.filePath(QStringLiteral("no-such-folder/record.pdf"));
    CommissioningDialog* dialog = showCommissioningRecord(*rig.window);
    QVERIFY(!dialog->savePdf(path));
    QVERIFY(!QFile::exists(path));
    QVERIFY(dialog->findChild<QLabel*>(QStringLiteral("recordOutcome"))
                ->text()
                .contains(QStringLiteral("could not be saved")));
}

// A Verify made on one card does not go into the record of the card on the port chosen after
// it, nor do the serial number and the note typed for the first card.
void TestCommissioningRecord::anotherPortStartsAFreshRecord()
{
    SKIP_WITHOUT_POPPLER();
    sim::PtyCardServer first;
    sim::PtyCardServer second;
    QVERIFY2(first.open() && second.open(), qPrintable(first.errorString()));
    CardWindowRig rig(QStringLiteral("Form3"));
    QVERIFY(rig.link.openDevice(first.slavePath()));
    QSignalSpy verified(rig.window.get(), &CardWindow::verified);
    QVERIFY(rig.window->verify());
    QVERIFY(verified.wait(10000));
    CommissioningDialog* dialog = showCommissioningRecord(*rig.window);
    auto* serial = dialog->findChild<QLineEdit*>(QStringLiteral("recordSerial"));
    serial->setText(QStringLiteral("SN 1"));
    dialog->findChild<QPlainTextEdit*>(QStringLiteral("recordNote"))->setPlainText("first");

    QVERIFY(rig.link.openDevice(second.slavePath()));
    QCOMPARE(serial->text(), QString());
    const QString path = rig.folder.filePath(QStringLiteral("second.pdf"));
    QVERIFY(dialog->savePdf(path));
    const QString text = pdfText(path);
    const QStringList lines{
        QStringLiteral("^Port %1$").arg(QRegularExpression::escape(second.slavePath())),
        QStringLiteral("^not verified$"), QStringLiteral("^Serial number not given$")};
    for (const QString& line : lines) {
        QVERIFY2(text.contains(QRegularExpression(line, QRegularExpression::MultilineOption)),
                 qPrintable(line + QStringLiteral(" in:\n") + text));
    }
    QVERIFY2(!text.contains(QStringLiteral("first")), qPrintable(text));
}

QTEST_MAIN(TestCommissioningRecord)
#include "tst_commissioning_record.moc"
