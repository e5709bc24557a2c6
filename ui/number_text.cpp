#include "ui/number_text.h"

#include "link/slot_table.h"

#include <QRegularExpression>

#include <cmath>

namespace vrn {

int displayCurrent(int code)
{
    return static_cast<int>(std::floor(code * kMilliampsPerStep));
}

double currentToCode(double value)
{
    return std::floor(value / kMilliampsPerStep) + 1.0;
}

double roundHalfEven(double value)
{
    const double nearest = std::round(value); // halves away from zero
    if (std::fabs(value - std::trunc(value)) == 0.5)
        return 2.0 * std::round(value / 2.0);
    return nearest;
}

double timeToCode(double value, double secondsPerStep)
{
    return std::round(value / secondsPerStep);
}

QString boxNumberText(double value, const QLocale& locale)
{
    QString text = classicNumberText(value);
    text.replace(QLatin1Char('.'), locale.decimalPoint());
    return text;
}

std::optional<double> parseBoxNumber(const QString& text, const QLocale& locale)
{
    QString normalised = text.trimmed();
    const QString point = locale.decimalPoint();
    if (point != QLatin1String(".") && point != QLatin1String(","))
        normalised.replace(point, QLatin1String("."));
    normalised.replace(QLatin1Char(','), QLatin1Char('.'));
    static const QRegularExpression number(QStringLiteral("^[+-]?(?:\\d+(?:\\.\\d*)?|\\.\\d+)$"));
    if (!number.match(normalised).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = normalised.toDouble(&ok); // QString::toDouble is locale-independent
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString fileNumberText(const QString& boxText, const QLocale& locale)
{
    if (!parseBoxNumber(boxText, locale))
        return boxText;
    // A number holds at most one decimal point, in whichever form it was typed.
    QString text = boxText;
    text.replace(locale.decimalPoint(), QLatin1String("."));
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    return text;
}

QString boxTextFromFile(const QString& fileText, const QLocale& locale)
{
    if (!parseBoxNumber(fileText, QLocale::c()))
        return fileText;
    QString text = fileText;
    text.replace(QLatin1Char(','), QLatin1Char('.')); // written by a program that used ","
    text.replace(QLatin1Char('.'), locale.decimalPoint());
    return text;
}

} // namespace vrn
