// The program speaks the user's language where it has a translation; the classic captions of
// the windows stay as they are in every language.

#include "application.h"
#include "card_window.h"
#include "classic_window.h"
#include "form2.h"
#include "link_messages.h"
#include "picture_strip.h"
#include "translations.h"

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QMenuBar>
#include <QTest>
#include <QTranslator>

using namespace vrn;

class TestTranslations : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void qtGermanIsBuiltIn_data();
    void qtGermanIsBuiltIn();
    void germanTextsAndClassicCaptions();
};

// Qt's own German comes with the program, also where the system has none (Windows).
void TestTranslations::qtGermanIsBuiltIn_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("context");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("german");
    QTest::newRow("message-box-button") << "qtbase_de"
                                        << "QPlatformTheme"
                                        << "Cancel"
                                        << "Abbrechen";
    QTest::newRow("file-dialog") << "qtbase_de"
                                 << "QFileDialog"
                                 << "Look in:"
                                 << "Suchen in:";
    QTest::newRow("command-line-usage") << "qtbase_de"
                                        << "QCommandLineParser"
                                        << "Usage: %1"
                                        << "Aufruf: %1";
    QTest::newRow("serial-port-error") << "qtserialport_de"
                                       << "QSerialPort"
                                       << "Device is not open"
                                       << "Gerät nicht geöffnet";
}

void TestTranslations::qtGermanIsBuiltIn()
{
    QFETCH(QString, file);
    QFETCH(QString, context);
    QFETCH(QString, source);
    QFETCH(QString, german);
    QTranslator translator;
    QVERIFY2(translator.load(file, QStringLiteral(":/translations")),
             qPrintable(file + QStringLiteral(".qm is not built in: install qt6-translations-l10n "
                                              "(scripts/deps.sh) and configure again")));
    QCOMPARE(translator.translate(qPrintable(context), qPrintable(source)), german);
}

void TestTranslations::germanTextsAndClassicCaptions()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    installTranslations(*qApp);
    Application app;
    app.setEndHandler([] {});
    app.notices().setShowWindows(false);

    // Texts of the program's own: messages, menu items it added, accessible names.
    QVERIFY2(LinkMessages::transferProblem({LinkError::Reason::NoPortOpen, QString()})
                 .startsWith(QStringLiteral("Keine serielle Schnittstelle")),
             "the message is not in German");
    const auto* simulated = app.launcher()->findChild<QAction*>(QStringLiteral("seSimulated"));
    QCOMPARE(simulated->text(), QStringLiteral("Simulierte Karte"));
    CardWindow* vrnA = app.showCardWindow(CardModel::VrnA);
    QCOMPARE(vrnA->findChild<QWidget*>(QStringLiteral("VScroll5"))->accessibleName(),
             QStringLiteral("I Max (mA) auf/ab"));
    // The banner's words, within the space they are drawn in.
    const QString subtitle = PictureStrip::subtitle();
    QFont font(classicFontFamily());
    font.setPixelSize(PictureStrip::kSubtitlePixelSize);
    const QRect drawn = QFontMetrics(font).boundingRect(PictureStrip::kSubtitleRect,
                                                        Qt::AlignLeft | Qt::AlignTop, subtitle);
    QVERIFY2(PictureStrip::kSubtitleRect.contains(drawn), qPrintable(subtitle));
    QVERIFY2(subtitle.startsWith(QStringLiteral("Spulentreiberkarten\n")), qPrintable(subtitle));

    // The classic captions stay.
    QCOMPARE(app.launcher()->windowTitle(), QStringLiteral("VRN-PC rev01"));
    QCOMPARE(app.launcher()->menuBar()->actions().first()->text(), QStringLiteral("Seriale"));
    QCOMPARE(vrnA->windowTitle(), QStringLiteral("VRN-A rev01"));
    const QStringList bar{vrnA->menuBar()->actions().at(0)->text(),
                          vrnA->menuBar()->actions().at(1)->text()};
    QCOMPARE(bar, (QStringList{"&File", "&Exit"}));
    QCOMPARE(vrnA->findChild<QWidget*>(QStringLiteral("Command1"))->property("text").toString(),
             QStringLiteral("Send Parameters"));
}

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
