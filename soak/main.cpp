// vrn-soak: thousands of Sends and Reads of the four card windows against the simulated card,
// with faults injected at random from a seed; prints what ran, what was injected, how each
// transfer ended, every violated check and the resident set size along the way.
//
//   vrn-soak [--seed N] [--transfers N] [--fast-only] [--trace]

#include "soak.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLocale>
#include <QTextStream>

namespace {

QtMessageHandler previousHandler = nullptr;

// The offscreen platform says for every window that it cannot pass on size hints: noise here.
void filterMessages(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (text.contains(QLatin1String("propagateSizeHints")))
        return;
    previousHandler(type, context, text);
}

} // namespace

int main(int argc, char* argv[])
{
    // The windows are real but never need a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QT_LOGGING_RULES"))
        qputenv("QT_LOGGING_RULES", "qt.qpa.*=false");
    previousHandler = qInstallMessageHandler(filterMessages);
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale::c());

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Fault-injection soak of the card windows against the simulated card."));
    parser.addHelpOption();
    const QCommandLineOption seed(QStringLiteral("seed"),
                                  QStringLiteral("Seed of the fault sequence (default 1)."),
                                  QStringLiteral("N"), QStringLiteral("1"));
    const QCommandLineOption transfers(QStringLiteral("transfers"),
                                       QStringLiteral("Transfers to run (default 3000)."),
                                       QStringLiteral("N"), QStringLiteral("3000"));
    const QCommandLineOption fastOnly(
        QStringLiteral("fast-only"),
        QStringLiteral("Leave out the faults that wait for a time-out."));
    const QCommandLineOption trace(QStringLiteral("trace"),
                                   QStringLiteral("Print one line per transfer."));
    parser.addOptions({seed, transfers, fastOnly, trace});
    parser.process(app);

    bool seedOk = false;
    bool countOk = false;
    vrn::soak::SoakOptions options;
    options.seed = parser.value(seed).toUInt(&seedOk);
    options.transfers = parser.value(transfers).toInt(&countOk);
    options.slowFaults = !parser.isSet(fastOnly);
    QTextStream out(stdout);
    if (!seedOk || !countOk || options.transfers < 1) {
        QTextStream(stderr) << "vrn-soak: --seed takes a whole number from 0 to 4294967295 and "
                               "--transfers a whole number from 1 on.\n";
        return 2;
    }
    if (parser.isSet(trace)) {
        options.trace = [&out](const QString& line) {
            out << line << '\n';
            out.flush();
        };
    }

    const vrn::soak::SoakReport report = vrn::soak::runSoak(options);
    out << report.summary();
    out.flush();
    return report.violationCount == 0 ? 0 : 1;
}
