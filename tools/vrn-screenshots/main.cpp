// vrn-screenshots: renders the launcher and the four card windows to PNG files, for the
// documentation. The windows are the program's own, with a few settings made as a user would
// make them; the scale of the screen (QT_SCALE_FACTOR) gives the pictures' resolution.

#include "application.h"
#include "card_window.h"
#include "form2.h"
#include "option_box.h"
#include "spin_slider.h"
#include "traffic_log_window.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QImage>
#include <QTimer>

#include <cstdio>

namespace {

constexpr int kSettleMs = 300;    // lets the window system map and paint the windows
constexpr int kTransferMs = 1500; // a Send or Verify with the simulated card ends well within

void click(QWidget* window, const char* box)
{
    if (auto* option = window->findChild<vrn::OptionBox*>(QLatin1String(box)))
        option->click();
}

void step(QWidget* window, const char* slider, int upperArrows)
{
    if (auto* s = window->findChild<vrn::SpinSlider*>(QLatin1String(slider))) {
        for (int i = 0; i < upperArrows; ++i)
            s->triggerAction(QAbstractSlider::SliderSingleStepSub);
    }
}

// A few settings per window, so the pictures show values rather than an untouched window.
void makeSettings(vrn::Application& app)
{
    using vrn::CardModel;
    QWidget* a = app.showCardWindow(CardModel::VrnA);
    click(a, "Check4");  // coil current range (2) 1200 mA
    click(a, "Check9");  // PWM (3) 300 Hz
    click(a, "Check13"); // Enable Ramps
    step(a, "VScroll3", 6);
    step(a, "VScroll6", 9);
    click(a, "Check12"); // reference 0 - 10 V
    QWidget* b = app.showCardWindow(CardModel::VrnB);
    click(b, "Check8");
    step(b, "VScroll1", 20);
    QWidget* c = app.showCardWindow(CardModel::VrnC);
    click(c, "Check10");
    step(c, "VScroll1", 7);
    step(c, "VScroll5", 100);
    QWidget* d = app.showCardWindow(CardModel::VrnD);
    click(d, "Check9");
    step(d, "VScroll1", 4);
}

bool save(QWidget* window, const QString& path)
{
    QImage image = window->grab().toImage().convertToFormat(QImage::Format_RGB888);
    // PNG quality 0 is the strongest compression: the flat grey windows pack small.
    if (!image.save(path, "PNG", 0)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s %dx%d\n", qPrintable(path), image.width(), image.height());
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vrn-screenshots"));
    QApplication::setStyle(QStringLiteral("Fusion"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Renders the five windows of VRN-PC to PNG files."));
    parser.addHelpOption();
    parser.addOption({QStringLiteral("output"), QStringLiteral("Folder for the pictures."),
                      QStringLiteral("dir"), QStringLiteral(".")});
    parser.addOption({QStringLiteral("suffix"),
                      QStringLiteral("Added to every file name, for example \"@2x\"."),
                      QStringLiteral("text")});
    parser.addOption(
        {QStringLiteral("commissioning"),
         QStringLiteral("Also a Send and a Verify with the simulated card in the VRN-D "
                        "window, and the traffic log (these pictures show the time "
                        "of day).")});
    parser.process(qtApp);
    const QDir output(parser.value(QStringLiteral("output")));
    if (!output.exists() && !QDir().mkpath(output.path())) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(output.path()));
        return 1;
    }
    const QString suffix = parser.value(QStringLiteral("suffix"));
    const bool commissioning = parser.isSet(QStringLiteral("commissioning"));

    vrn::Application app;
    app.setEndHandler([] {});
    app.start();
    makeSettings(app);

    int failures = 0;
    QTimer::singleShot(kSettleMs, &qtApp, [&] {
        const struct
        {
            const char* file;
            QWidget* window;
        } shots[] = {
            {"launcher", app.launcher()},
            {"vrn-a", app.cardWindow(vrn::CardModel::VrnA)},
            {"vrn-b", app.cardWindow(vrn::CardModel::VrnB)},
            {"vrn-c", app.cardWindow(vrn::CardModel::VrnC)},
            {"vrn-d", app.cardWindow(vrn::CardModel::VrnD)},
        };
        for (const auto& shot : shots) {
            const QString name = QLatin1String(shot.file) + suffix + QStringLiteral(".png");
            if (!save(shot.window, output.filePath(name)))
                ++failures;
        }
        if (!commissioning) {
            QApplication::exit(failures == 0 ? 0 : 1);
            return;
        }
        // With the simulated card: the VRN-D window sends, then its current is stepped up and
        // Verify lists the value the card does not hold; the traffic log shows what went out.
        app.chooseSimulatedCard();
        auto* d = app.cardWindow(vrn::CardModel::VrnD);
        d->send();
        QTimer::singleShot(kTransferMs, &qtApp, [&, d] {
            step(d, "VScroll1", 10);
            d->verify();
            app.showTrafficLog();
            QTimer::singleShot(kTransferMs, &qtApp, [&, d] {
                if (!save(d, output.filePath(QStringLiteral("vrn-d-verify") + suffix +
                                             QStringLiteral(".png"))) ||
                    !save(app.trafficLog(), output.filePath(QStringLiteral("traffic-log") + suffix +
                                                            QStringLiteral(".png"))))
                    ++failures;
                auto* result = d->findChild<QWidget*>(QStringLiteral("verifyResult"));
                if (!result || !save(result, output.filePath(QStringLiteral("verify-result") +
                                                             suffix + QStringLiteral(".png"))))
                    ++failures;
                QApplication::exit(failures == 0 ? 0 : 1);
            });
        });
    });
    return QApplication::exec();
}
