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

namespace {

// A finite number in plain decimal digits, without an exponent: its 15 significant digits
// (17 where 15 would round past the largest number), trailing zeros of a fraction dropped.
QString plainDecimalText(double value)
{
    QString scientific = QString::number(value, 'e', 14);
    if (!std::isfinite(scientific.toDouble()))
        scientific = QString::number(value, 'e', 16);
    const qsizetype e = scientific.indexOf(QLatin1Char('e'));
    const int exponent = scientific.mid(e + 1).toInt();
    QString digits = scientific.left(e);
    const bool negative = digits.startsWith(QLatin1Char('-'));
    digits.remove(QLatin1Char('-'));
    digits.remove(QLatin1Char('.'));
    QString text;
    if (exponent < 0) {
        text = QStringLiteral("0.") + QString(-exponent - 1, QLatin1Char('0')) + digits;
    } else if (exponent + 1 >= digits.size()) {
        text = digits + QString(exponent + 1 - digits.size(), QLatin1Char('0'));
    } else {
        text = digits.left(exponent + 1) + QLatin1Char('.') + digits.mid(exponent + 1);
    }
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
    }
    return negative ? QLatin1Char('-') + text : text;
}

} // namespace

QString boxNumberText(double value, const QLocale& locale)
{
    QString text = classicNumberText(value);
    // A box takes no exponent; the short form writes one for large and small numbers, and for
    // a number just below 10^15 whose 15 digits round up to it ("1e+15").
    if (std::isfinite(value) && text.contains(QLatin1Char('e')))
        text = plainDecimalText(value);
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
