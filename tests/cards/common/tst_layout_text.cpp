// Every caption of the five windows is shown whole: the rectangle a label's text, a button's
// caption or an option box's mark takes lies inside its control and inside the window, and no
// other control lies over it (drawn frames and the picture strip aside). CTest runs this at
// 96 and 120 dots per inch, at 100 % and 200 %, and with the logical dpi itself at 120 (see
// tests/cards/common/CMakeLists.txt). The status line under each window shows the longest
// texts the program puts there whole, in English and in German, and the client area keeps its
// size for them.

#include "application.h"
#include "card_window.h"
#include "classic_window.h"
#include "form2.h"
#include "graphical_button.h"
#include "option_box.h"
#include "picture_strip.h"
#include "status_line.h"
#include "translations.h"

#include <QFontInfo>
#include <QLabel>
#include <QScreen>
#include <QStyleOptionButton>
#include <QTest>
#include <QToolButton>
#include <QTranslator>

#include <algorithm>
#include <memory>

using namespace vrn;

namespace {

// The launcher is model -1.
QMainWindow* windowOf(Application& app, int model)
{
    if (model < 0)
        return app.launcher();
    return app.showCardWindow(static_cast<CardModel>(model));
}

// The rectangle a line of text takes when drawn into `box` with `alignment`: across, its advance
// and the ink of glyphs that reach beyond it; down, its glyphs' ink. (Font lines hold blank
// rows above and below the glyphs, and the tables let a label's blank rows touch a neighbour.)
QRect textRect(const QFontMetrics& metrics, const QRect& box, int alignment, const QString& text)
{
    const QRect line = metrics.boundingRect(box, alignment | Qt::TextSingleLine, text);
    const QRect ink =
        metrics.tightBoundingRect(text).translated(line.left(), line.top() + metrics.ascent());
    return QRect(QPoint(std::min(line.left(), ink.left()), ink.top()),
                 QPoint(std::max(line.right(), ink.right()), ink.bottom()));
}

QStyleOptionButton buttonOption(const QAbstractButton* button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    return option;
}

// Where a control shows its text, in its own coordinates; empty for controls without one.
QRect shownText(const QWidget* control)
{
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return textRect(label->fontMetrics(), label->contentsRect(), int(label->alignment()),
                        label->text());
    if (const auto* box = qobject_cast<const OptionBox*>(control)) {
        const QStyleOptionButton option = buttonOption(box);
        return box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
    }
    if (const auto* button = qobject_cast<const GraphicalButton*>(control)) {
        const QStyleOptionButton option = buttonOption(button);
        const QRect face =
            button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        return textRect(button->fontMetrics(), face, Qt::AlignCenter, button->text());
    }
    return {};
}

// Drawn frames lie under the controls and the picture strip only paints a banner; every other
// control covers what lies below it.
bool covers(const QWidget* control)
{
    return control->metaObject() != &QFrame::staticMetaObject &&
           !qobject_cast<const PictureStrip*>(control);
}

QString describe(const QWidget* control, const QRect& rect)
{
    const auto* label = qobject_cast<const QLabel*>(control);
    return QStringLiteral("%1%2 at %3,%4 %5x%6")
        .arg(control->objectName(),
             label ? QStringLiteral(" \"%1\"").arg(label->text()) : QString())
        .arg(rect.x())
        .arg(rect.y())
        .arg(rect.width())
        .arg(rect.height());
}

} // namespace

class TestLayoutText : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void screenIsAsConfigured();
    void windowsDrawInTheChosenFace_data() { windows(); }
    void windowsDrawInTheChosenFace();
    void textsAreWholeAndUncovered_data() { windows(); }
    void textsAreWholeAndUncovered();
    void statusLineTextsAreWhole_data();
    void statusLineTextsAreWhole();

private:
    static void windows();
    std::unique_ptr<Application> m_app;
};

void TestLayoutText::initTestCase()
{
    QApplication::setStyle(QStringLiteral("Fusion")); // the style the program draws in
    m_app = std::make_unique<Application>();
    m_app->setEndHandler([] {});
    m_app->start();
}

// The test's environment gives the dpi and scale a run stands for; the screen must agree, or
// the run proves nothing about them.
void TestLayoutText::screenIsAsConfigured()
{
    const int dpi = qEnvironmentVariableIntValue("VRN_TEST_DPI");
    const int scale = qEnvironmentVariableIntValue("VRN_TEST_SCALE");
    QVERIFY2(dpi > 0 && scale > 0, "VRN_TEST_DPI and VRN_TEST_SCALE name the run's screen");
    const QScreen* screen = m_app->launcher()->screen();
    QCOMPARE(qRound(screen->logicalDotsPerInchY() * screen->devicePixelRatio()), dpi * scale);
}

void TestLayoutText::windows()
{
    QTest::addColumn<int>("model");
    QTest::newRow("launcher") << -1;
    QTest::newRow("vrn-a") << int(CardModel::VrnA);
    QTest::newRow("vrn-b") << int(CardModel::VrnB);
    QTest::newRow("vrn-c") << int(CardModel::VrnC);
    QTest::newRow("vrn-d") << int(CardModel::VrnD);
}

// Without the face's package a stand-in face draws the texts and the layout is not what the
// tables promise: scripts/deps.sh installs it.
void TestLayoutText::windowsDrawInTheChosenFace()
{
    QFETCH(int, model);
    const QMainWindow* window = windowOf(*m_app, model);
    const QList<QWidget*> controls =
        window->centralWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (const QWidget* control : controls) {
        if (!shownText(control).isEmpty())
            QCOMPARE(QFontInfo(control->font()).family(), classicFontFamily());
    }
}

void TestLayoutText::textsAreWholeAndUncovered()
{
    QFETCH(int, model);
    QMainWindow* window = windowOf(*m_app, model);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    const QWidget* client = window->centralWidget();
    const QList<QWidget*> controls = client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    QStringList faults;
    int texts = 0;
    for (const QWidget* control : controls) {
        const QRect own = shownText(control);
        if (own.isEmpty() || control->isHidden())
            continue;
        ++texts;
        const QRect text = own.translated(control->pos());
        if (!control->rect().contains(own) || !client->rect().contains(text))
            faults << describe(control, text) + QStringLiteral(" is cut by its control's edge ") +
                          describe(control, control->geometry());
        // A text that runs up to a control beside it reads as cut as well: one pixel stays free
        // on either side.
        const QRect clearance = text.adjusted(-1, 0, 1, 0);
        for (const QWidget* other : controls) {
            if (other != control && !other->isHidden() && covers(other) &&
                other->geometry().intersects(clearance))
                faults << describe(control, text) + QStringLiteral(" touches ") +
                              describe(other, other->geometry());
        }
    }
    QVERIFY2(texts >= 4, "every window shows captions"); // the launcher has four buttons
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("\n  "))));
}

void TestLayoutText::statusLineTextsAreWhole_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<bool>("german");
    for (const bool german : {false, true}) {
        const char* language = german ? "-de" : "-en";
        QTest::newRow(qPrintable(QStringLiteral("launcher") + language)) << -1 << german;
        for (const CardModel model : kCardModels)
            QTest::newRow(qPrintable(modelName(model).toLower() + language))
                << int(model) << german;
    }
}

// The longest texts of each part: a long port name, a Send that failed late, and every value
// of the window named as not yet sent and as differing on the card.
void TestLayoutText::statusLineTextsAreWhole()
{
    QFETCH(int, model);
    QFETCH(bool, german);
    if (german) {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        installTranslations(*qApp);
    }
    const auto restore = qScopeGuard([] {
        QLocale::setDefault(QLocale::c());
        // installTranslations() makes them the application's children; deleting uninstalls.
        qDeleteAll(qApp->findChildren<QTranslator*>(QString(), Qt::FindDirectChildrenOnly));
    });
    QMainWindow* window = windowOf(*m_app, model);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    const QSize client = window->centralWidget()->size();
    auto* status = window->findChild<StatusLine*>();
    QVERIFY(status);
    status->setLinkText(QCoreApplication::translate("LinkMessages", "%1 open")
                            .arg("/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00"));
    if (auto* card = qobject_cast<CardWindow*>(window)) {
        QStringList names;
        for (const CardValue& value : card->cardValues())
            names << value.displayName();
        const QString all = names.join(QStringLiteral(", "));
        status->setTransferText(
            QCoreApplication::translate("vrn::CardWindow", "Send failed after %1 of %2 frames")
                .arg(10)
                .arg(11));
        status->setCardText(
            QCoreApplication::translate("vrn::CardWindow", "%1 values not yet sent: %2")
                .arg(names.size())
                .arg(all) +
            QStringLiteral(" | ") +
            QCoreApplication::translate("vrn::CardWindow",
                                        "Card holds other values than were sent: %1")
                .arg(all));
    }
    // The window grows for the texts once its layout has run.
    const auto faults = [&] {
        QStringList found;
        for (const QLabel* part : status->findChildren<QLabel*>()) {
            if (part->isHidden() || part->text().isEmpty())
                continue;
            // Laid out as a word-wrapping label would be; no word here is wider than the line.
            const QRect needed = part->fontMetrics().boundingRect(QRect(0, 0, part->width(), 10000),
                                                                  Qt::TextWordWrap, part->text());
            const QRect shown(part->mapTo(window, QPoint(0, 0)), part->size());
            if (needed.height() > part->height() || needed.width() > part->width() ||
                !window->rect().contains(shown))
                found << QStringLiteral("%1 (%2) needs %3x%4, has %5x%6")
                             .arg(part->objectName(), part->text())
                             .arg(needed.width())
                             .arg(needed.height())
                             .arg(part->width())
                             .arg(part->height());
            for (const QToolButton* command : status->findChildren<QToolButton*>()) {
                if (QRect(command->mapTo(window, QPoint(0, 0)), command->size()).intersects(shown))
                    found << part->objectName() + QStringLiteral(" lies under ") +
                                 command->objectName();
            }
        }
        for (const QToolButton* command : status->findChildren<QToolButton*>()) {
            if (command->width() < command->sizeHint().width())
                found << command->objectName() + QStringLiteral(" is cut: ") + command->text();
        }
        return found;
    };
    QTRY_VERIFY2(faults().isEmpty(), qPrintable(faults().join(QStringLiteral("\n  "))));
    QCOMPARE(window->centralWidget()->size(), client);
}

QTEST_MAIN(TestLayoutText)
#include "tst_layout_text.moc"
