// Which card window saved a parameter file: Save remembers it, Open asks before loading a file
// that another card's window saved, and the question holds up no other window.

#include "app/application.h"
#include "cards/common/file_origins.h"
#include "sim/pty_card_server.h"
#include "tests/cards/common/window_bench.h"
#include "ui/graphical_button.h"

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

    void openAsksBeforeLoadingAnotherModelsFile_data();
    void openAsksBeforeLoadingAnotherModelsFile();
    void fileNamedWithoutDialogRefusesAnotherModelsFile();
    void saveRemembersTheWindow_data();
    void saveRemembersTheWindow();
    void keepsOnlyTheLatestFiles();
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

    WindowBench bench(form);
    const QString path = bench.folder.filePath(QStringLiteral("card.par"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(kRowCardFile) == kRowCardFile.size());
    file.close();
    if (savedBy >= 0)
        FileOrigins().remember(path, changedSince ? QByteArray("other bytes") : kRowCardFile,
                               static_cast<CardModel>(savedBy));
    bench.chosen = path;
    bench.window->open();

    QMessageBox* box = question(bench.window.get());
    QCOMPARE(box != nullptr, asked);
    if (box) {
        QVERIFY(box->text().contains(QStringLiteral("saved from the %1 window")
                                         .arg(modelName(static_cast<CardModel>(savedBy)))));
        QCOMPARE(box->windowModality(), Qt::WindowModal);
        QVERIFY(box->isVisible()); // asked without waiting: Open has returned
        QVERIFY(std::holds_alternative<std::monostate>(bench.slots.value('B')));
        ::answer(box, answer);
    }
    QCOMPARE(bench.slots.value('B') == SlotValue(QStringLiteral("00003")), loaded);
    QCOMPARE(bench.notices.history().isEmpty(), loaded || asked);
}

void TestFileOrigins::fileNamedWithoutDialogRefusesAnotherModelsFile()
{
    // The command line names its file and has nobody to ask: such a file is refused.
    WindowBench bench(QStringLiteral("Form3"));
    const QString path = bench.folder.filePath(QStringLiteral("card.par"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(kRowCardFile) == kRowCardFile.size());
    file.close();
    FileOrigins().remember(path, kRowCardFile, CardModel::VrnD);
    QVERIFY(!bench.window->openFile(path));
    QVERIFY(!question(bench.window.get()));
    QVERIFY(std::holds_alternative<std::monostate>(bench.slots.value('B')));
    QCOMPARE(bench.notices.history().size(), 1);
    QVERIFY(bench.notices.history().constLast().contains(QStringLiteral("VRN-D")));
    FileOrigins().remember(path, kRowCardFile, CardModel::VrnB);
    QVERIFY(bench.window->openFile(path));
    QCOMPARE(bench.slots.value('B'), SlotValue(QStringLiteral("00003")));
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
    WindowBench bench(form);
    // A name the settings file must keep intact: a comma, quotes, letters beyond ASCII.
    const QString name = QStringLiteral("Halle 2, \"Presse\" \u00e4\u00df.par");
    const QByteArray bytes = bench.save(name);
    const QString path = bench.folder.filePath(name);
    QCOMPARE(FileOrigins().savedBy(path, bytes), std::optional(static_cast<CardModel>(model)));
    // Reached through another path to the same file: the same record.
    QCOMPARE(FileOrigins().savedBy(bench.folder.path() + QStringLiteral("/./") + name, bytes),
             std::optional(static_cast<CardModel>(model)));
    QCOMPARE(FileOrigins().savedBy(path, bytes + "\r\n"), std::nullopt);
}

void TestFileOrigins::keepsOnlyTheLatestFiles()
{
    QTemporaryDir folder;
    const FileOrigins origins(3);
    QStringList paths;
    for (int i = 0; i < 4; ++i) {
        paths << folder.filePath(QString::number(i));
        QFile file(paths.last());
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    origins.remember(paths[0], "x", CardModel::VrnB);
    origins.remember(paths[1], "x", CardModel::VrnB);
    origins.remember(paths[2], "x", CardModel::VrnB);
    origins.remember(paths[0], "x", CardModel::VrnC); // saved again: now the latest
    origins.remember(paths[3], "x", CardModel::VrnD);
    QCOMPARE(origins.savedBy(paths[1], "x"), std::nullopt);
    QCOMPARE(origins.savedBy(paths[0], "x"), std::optional(CardModel::VrnC));
    QCOMPARE(origins.savedBy(paths[2], "x"), std::optional(CardModel::VrnB));
    QCOMPARE(origins.savedBy(paths[3], "x"), std::optional(CardModel::VrnD));
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
