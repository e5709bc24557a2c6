// Which card window saved a parameter file: Save remembers its content, Open asks before loading
// a file that another card's window saved or that holds more values than the window's file, and
// the question holds up no other window.

#include "application.h"
#include "card_window_rig.h"
#include "file_origins.h"
#include "graphical_button.h"
#include "program_settings.h"
#include "pty_card_server.h"

#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>

using namespace vrn;

namespace {

// A file that the VRN-B and the VRN-D window both load: slider positions 200 and 50, PWM 3.
const QByteArray kRowCardFile = "200\r\n50\r\n\"00003\"\r\n";

QMessageBox* question(QWidget* window)
{
    return window->findChild<QMessageBox*>(QStringLiteral("otherModelFile"));
}

void answer(QMessageBox* box, const QString& button)
{
    if (button == QLatin1String("load"))
        box->findChild<QPushButton*>(QStringLiteral("loadOtherModelFile"))->click();
    else
        box->button(QMessageBox::Cancel)->click();
}

} // namespace

class TestFileOrigins : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Every case starts with no file known: the records are kept by content.
    void init() { programSettings()->clear(); }

    void openAsksBeforeLoadingAnotherModelsFile_data();
    void openAsksBeforeLoadingAnotherModelsFile();
    void fileNamedWithoutDialogRefusesAnotherModelsFile();
    void saveRemembersTheWindow_data();
    void saveRemembersTheWindow();
    void keepsOnlyTheLatestFiles();
    void fileOfAnotherShapeIsDoubted_data();
    void fileOfAnotherShapeIsDoubted();
    void questionHoldsUpNoOtherWindow();
};

void TestFileOrigins::openAsksBeforeLoadingAnotherModelsFile_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<int>("savedBy"); // a CardModel, or -1: no record
    QTest::addColumn<bool>("changedSince");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("loaded");
    const int b = static_cast<int>(CardModel::VrnB);
    const int d = static_cast<int>(CardModel::VrnD);
    QTest::newRow("unknown-file-loads-without-asking")
        << "Form3" << -1 << false << "" << false << true;
    QTest::newRow("own-model-loads-without-asking") << "Form3" << b << false << "" << false << true;
    QTest::newRow("vrn-d-file-in-vrn-b-loads-when-confirmed")
        << "Form3" << d << false << "load" << true << true;
    QTest::newRow("vrn-d-file-in-vrn-b-cancelled-loads-nothing")
        << "Form3" << d << false << "cancel" << true << false;
    QTest::newRow("vrn-b-file-in-vrn-d-asks") << "Form5" << b << false << "load" << true << true;
    QTest::newRow("file-changed-since-has-no-record")
        << "Form3" << d << true << "" << false << true;
    // Too short for VRN-A anyway: refused at once, with nothing to ask.
    QTest::newRow("vrn-b-file-in-vrn-a-refused-without-asking")
        << "Form1" << b << false << "" << false << false;
}

void TestFileOrigins::openAsksBeforeLoadingAnotherModelsFile()
{
    QFETCH(QString, form);
    QFETCH(int, savedBy);
    QFETCH(bool, changedSince);
    QFETCH(QString, answer);
    QFETCH(bool, asked);
    QFETCH(bool, loaded);

    CardWindowRig rig(form);
    const QString path = rig.folder.filePath(QStringLiteral("card.par"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(kRowCardFile) == kRowCardFile.size());
    file.close();
    if (savedBy >= 0)
        FileOrigins().remember(changedSince ? QByteArray("201\r\n50\r\n\"00003\"\r\n")
                                            : kRowCardFile,
                               static_cast<CardModel>(savedBy));
    rig.chosen = path;
    rig.window->open();

    QMessageBox* box = question(rig.window.get());
    QCOMPARE(box != nullptr, asked);
    if (box) {
        QVERIFY(box->text().contains(QStringLiteral("saved from the %1 window")
                                         .arg(modelName(static_cast<CardModel>(savedBy)))));
        QCOMPARE(box->windowModality(), Qt::WindowModal);
        QVERIFY(box->isVisible()); // asked without waiting: Open has returned
        QVERIFY(std::holds_alternative<std::monostate>(rig.slots.value('B')));
        ::answer(box, answer);
    }
    QCOMPARE(rig.slots.value('B') == SlotValue(QStringLiteral("00003")), loaded);
    QCOMPARE(rig.notices.history().isEmpty(), loaded || asked);
}

void TestFileOrigins::fileNamedWithoutDialogRefusesAnotherModelsFile()
{
    // The command line names its file and has nobody to ask: such a file is refused.
    CardWindowRig rig(QStringLiteral("Form3"));
    const QString path = rig.folder.filePath(QStringLiteral("card.par"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(kRowCardFile) == kRowCardFile.size());
    file.close();
    FileOrigins().remember(kRowCardFile, CardModel::VrnD);
    QVERIFY(!rig.window->openFile(path));
    QVERIFY(!question(rig.window.get()));
    QVERIFY(std::holds_alternative<std::monostate>(rig.slots.value('B')));
    QCOMPARE(rig.notices.history().size(), 1);
    QVERIFY(rig.notices.history().constLast().contains(QStringLiteral("VRN-D")));
    FileOrigins().remember(kRowCardFile, CardModel::VrnB); // saved from both windows now
    QVERIFY(rig.window->openFile(path));
    QCOMPARE(rig.slots.value('B'), SlotValue(QStringLiteral("00003")));
}

void TestFileOrigins::saveRemembersTheWindow_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<int>("model");
    QTest::newRow("vrn-a") << "Form1" << static_cast<int>(CardModel::VrnA);
    QTest::newRow("vrn-c") << "Form4" << static_cast<int>(CardModel::VrnC);
    QTest::newRow("vrn-d") << "Form5" << static_cast<int>(CardModel::VrnD);
}

void TestFileOrigins::saveRemembersTheWindow()
{
    QFETCH(QString, form);
    QFETCH(int, model);
    CardWindowRig rig(form);
    // A name the settings file must keep intact: a comma, quotes, letters beyond ASCII. Windows
    // takes no double quotes in a file name.
#ifdef Q_OS_WIN
    const QString name = QStringLiteral("Halle 2, 'Presse' \u00e4\u00df.par");
#else
    const QString name = QStringLiteral("Halle 2, \"Presse\" \u00e4\u00df.par");
#endif
    const QByteArray bytes = rig.save(name);
    const QList<CardModel> saver{static_cast<CardModel>(model)};
    QCOMPARE(FileOrigins().savedBy(bytes), saver);
    // A copy anywhere, with LF or CR line ends and blank lines after it: the same file.
    QByteArray lf = bytes;
    QCOMPARE(FileOrigins().savedBy(lf.replace("\r\n", "\n") + "\n\n  \n"), saver);
    QByteArray cr = bytes;
    QCOMPARE(FileOrigins().savedBy(cr.replace("\r\n", "\r")), saver);
    // One value more: another file.
    QCOMPARE(FileOrigins().savedBy(bytes + "7\r\n"), QList<CardModel>());
}

void TestFileOrigins::keepsOnlyTheLatestFiles()
{
    const FileOrigins origins(3);
    origins.remember("0", CardModel::VrnB);
    origins.remember("1", CardModel::VrnB);
    origins.remember("2", CardModel::VrnB);
    origins.remember("0", CardModel::VrnC); // saved again: now the latest
    origins.remember("3", CardModel::VrnD);
    QCOMPARE(origins.savedBy("1"), QList<CardModel>());
    QCOMPARE(origins.savedBy("0"), (QList<CardModel>{CardModel::VrnC, CardModel::VrnB}));
    QCOMPARE(origins.savedBy("2"), QList<CardModel>{CardModel::VrnB});
    QCOMPARE(origins.savedBy("3"), QList<CardModel>{CardModel::VrnD});
}

void TestFileOrigins::fileOfAnotherShapeIsDoubted_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QByteArray>("content"); // never saved on this computer
    QTest::addColumn<QString>("doubt");      // empty: none
    const QByteArray vrnA = "254\r\n254\r\n\"0\"\r\n\"0\"\r\n\"0\"\r\n\"1201\"\r\n\"00002\"\r\n"
                            "\"00003\"\r\n1\r\n0\r\n";
    const int b = static_cast<int>(CardModel::VrnB);
    const int d = static_cast<int>(CardModel::VrnD);
    QTest::newRow("vrn-a-file-in-vrn-b")
        << b << vrnA << "it holds 10 values, as a VRN-A parameter file does; a VRN-B file holds 3";
    QTest::newRow("vrn-c-file-in-vrn-d")
        << d << QByteArray("0\r\n0\r\n0\r\n\"00001\"\r\n")
        << "it holds 4 values, as a VRN-C parameter file does; a VRN-D file holds 3";
    // No model's file holds five: the extra lines are left to the window's checks.
    QTest::newRow("five-values-in-vrn-b") << b << QByteArray("1\r\n2\r\n3\r\n4\r\n5\r\n") << "";
    // The limits: a VRN-C file whose last line is empty, and a VRN-D file in VRN-B.
    QTest::newRow("vrn-c-file-with-empty-pwm-in-vrn-b")
        << b << QByteArray("0\r\n0\r\n0\r\n\r\n") << "";
    QTest::newRow("vrn-d-file-in-vrn-b") << b << kRowCardFile << "";
}

void TestFileOrigins::fileOfAnotherShapeIsDoubted()
{
    QFETCH(int, model);
    QFETCH(QByteArray, content);
    QFETCH(QString, doubt);
    QCOMPARE(FileOrigins().doubt(content, static_cast<CardModel>(model)).value_or(QString()),
             doubt);
}

// Over a pseudo-terminal: while the VRN-B window asks, the VRN-D window sends to the card.
void TestFileOrigins::questionHoldsUpNoOtherWindow()
{
    sim::PtyCardServer server;
    server.setCharacterTimeMs(sim::characterTimeMs(19200));
    QVERIFY2(server.open(), qPrintable(server.errorString()));
    Application app;
    app.setEndHandler([] {});
    app.notices().setShowWindows(false);
    app.chooseDevice(server.slavePath());
    QVERIFY(app.link().isOpen());

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("vrn-d.par"));
    app.files().setChooser([&path](auto...) { return std::optional(path); });
    app.showCardWindow(CardModel::VrnD)->save();
    CardWindow* vrnB = app.showCardWindow(CardModel::VrnB);
    vrnB->open();
    QMessageBox* box = question(vrnB);
    QVERIFY(box && box->isVisible());

    auto* send = app.cardWindow(CardModel::VrnD)->findChild<GraphicalButton*>("Command3");
    send->click();
    QTRY_VERIFY_WITH_TIMEOUT(!send->isBusy(), 10000);
    QCOMPARE(server.card().framesReceived().last(), QByteArray("z$"));
    QVERIFY(box->isVisible());
    answer(box, QStringLiteral("load"));
    QTRY_VERIFY(!question(vrnB));
}

QTEST_MAIN(TestFileOrigins)
#include "tst_file_origins.moc"
