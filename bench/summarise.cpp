// vrn-bench-summarise FILE...: min / median / max (and p99 for long series) of every "key value"
// line over the output files of many benchmark runs (vrn-bench-transfer, vrn-bench-reference,
// vrn-bench-startup); lines starting with '#' are left out.

#include "wire_trace.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QMap>
#include <QTextStream>

#include <cstdio>
#include <vector>

using namespace vrn::bench;

namespace {

// min / median / max (and p99 for long series) of every key over the files of many runs.
int summarise(const QStringList& files)
{
    QMap<QString, std::vector<double>> series;
    for (const QString& path : files) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            std::fprintf(stderr, "vrn-bench-summarise: cannot read %s\n", qPrintable(path));
            return 1;
        }
        QTextStream in(&file);
        while (!in.atEnd()) {
            const QString line = in.readLine();
            if (line.isEmpty() || line.startsWith(u'#'))
                continue;
            const QStringList parts = line.split(u' ');
            bool ok = false;
            const double value = parts.value(1).toDouble(&ok);
            if (parts.size() == 2 && ok)
                series[parts[0]].push_back(value);
        }
    }
    std::printf("%-34s %6s %12s %12s %12s %12s\n", "figure", "n", "min", "median", "p99", "max");
    for (auto it = series.cbegin(); it != series.cend(); ++it) {
        const std::vector<double>& values = it.value();
        const QString p99 = values.size() >= 100 ? QString::number(percentile(values, 0.99), 'g', 6)
                                                 : QStringLiteral("-");
        std::printf("%-34s %6zu %12.6g %12.6g %12s %12.6g\n", qPrintable(it.key()), values.size(),
                    percentile(values, 0.0), percentile(values, 0.5), qPrintable(p99),
                    percentile(values, 1.0));
    }
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication qtApp(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vrn-bench-summarise"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Summarises the output files of the benchmarks given as arguments."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("files"), QStringLiteral("Output files."),
                                 QStringLiteral("FILE..."));
    parser.process(qtApp);
    return summarise(parser.positionalArguments());
}
