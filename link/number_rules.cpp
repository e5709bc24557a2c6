#include "number_rules.h"

#include <QByteArray>
#include <QRegularExpression>

#include <cmath>
#include <cstdlib>

namespace vrn {
namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

qsizetype skipBlanks(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    return i;
}

const QRegularExpression& plainNumberPattern()
{
    // A sign, digits with at most one decimal point: what the boxes and the files take.
    static const QRegularExpression number(QStringLiteral("^[+-]?(?:\\d+(?:\\.\\d*)?|\\.\\d+)$"));
    return number;
}

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

// A typed number with the user's group separators where the user's number format puts them
// ("1,200" in English, "1.200" in German), as QLocale reads it. A text without a group
// separator, or whose first group is empty or starts with 0 ("0,250" in English is a decimal
// comma, not 250), is left to the reading without grouping.
std::optional<double> groupedNumber(const QString& text, const QLocale& locale)
{
    const QString group = locale.groupSeparator();
    const QString trimmed = text.trimmed();
    if (group.isEmpty() || !trimmed.contains(group) ||
        locale.numberOptions().testFlag(QLocale::RejectGroupSeparator))
        return std::nullopt;
    // ASCII digits, a sign, the separators: no exponent, no "inf", no native digits.
    QString plain = trimmed;
    plain.remove(group);
    plain.replace(locale.decimalPoint(), QLatin1String("."));
    static const QRegularExpression asciiNumber(QStringLiteral("^[+-]?[0-9]+(\\.[0-9]+)?$"));
    if (!asciiNumber.match(plain).hasMatch())
        return std::nullopt;
    const bool hasSign =
        trimmed.startsWith(QLatin1Char('+')) || trimmed.startsWith(QLatin1Char('-'));
    const qsizetype digits = hasSign ? 1 : 0;
    if (trimmed.indexOf(group) == digits || trimmed[digits] == QLatin1Char('0'))
        return std::nullopt;
    bool ok = false;
    const double value = locale.toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace

QString classicNumberText(double value)
{
    if (value == 0.0)
        return QStringLiteral("0"); // also folds -0
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 1e15)
        return QString::number(static_cast<long long>(value));
    return QString::number(value, 'g', 15);
}

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

double timeToCode(double value, double step)
{
    const double magnitude = std::fabs(value);
    // The step as a decimal fraction, digits / 10^places: 0.2 is 2 / 10, 10 is 10 / 1.
    double scale = 1.0;
    while (scale < 1e6 && step * scale != std::round(step * scale))
        scale *= 10.0;
    const double digits = std::round(step * scale);
    if (!std::isfinite(magnitude) || magnitude / step > 1e12 || step * scale != digits)
        return std::round(value / step); // beyond any slider, where precision no longer tells
    // The half step between k and k + 1 steps, (2k + 1) x step / 2, is a decimal number. As a
    // double it is the quotient of two whole numbers, rounded once, so it is the very double
    // that the same decimal typed into a box reads as: 0.3 s lies on the half step between
    // 0.2 s and 0.4 s although 0.3 / 0.2 is 1.4999... in binary.
    const auto halfStepAbove = [&](double k) { return (2.0 * k + 1.0) * digits / (2.0 * scale); };
    double k = std::floor(magnitude / step);
    while (k > 0.0 && magnitude < halfStepAbove(k - 1.0))
        k -= 1.0;
    while (magnitude >= halfStepAbove(k)) // a half step goes up, away from zero
        k += 1.0;
    return std::copysign(k, value) + 0.0; // -0 is 0
}

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
    if (const std::optional<double> grouped = groupedNumber(text, locale))
        return grouped;
    const QString point = locale.decimalPoint();
    if (point == QLatin1String(".") || point == QLatin1String(","))
        return fileBoxNumber(text);
    QString normalised = text;
    normalised.replace(point, QLatin1String("."));
    return fileBoxNumber(normalised);
}

std::optional<double> fileBoxNumber(const QString& text)
{
    QString normalised = text.trimmed();
    normalised.replace(QLatin1Char(','), QLatin1Char('.'));
    // With its decimal point made ".", the text follows the file's grammar.
    return fileNumber(normalised);
}

QString fileNumberText(const QString& boxText, const QLocale& locale)
{
    QString text = boxText;
    if (groupedNumber(boxText, locale)) {
        text.remove(locale.groupSeparator());
        text.replace(locale.decimalPoint(), QLatin1String("."));
        return text;
    }
    if (!parseBoxNumber(boxText, locale))
        return boxText;
    // A number holds at most one decimal point, in whichever form it was typed.
    text.replace(locale.decimalPoint(), QLatin1String("."));
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    return text;
}

QString boxTextFromFile(const QString& fileText, const QLocale& locale)
{
    if (!fileBoxNumber(fileText))
        return fileText;
    QString text = fileText;
    text.replace(QLatin1Char(','), QLatin1Char('.')); // written by a program that used ","
    text.replace(QLatin1Char('.'), locale.decimalPoint());
    return text;
}

std::optional<double> fileNumber(QStringView text)
{
    if (!plainNumberPattern().match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = text.toDouble(&ok); // locale-independent
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

double leadingNumber(QStringView text)
{
    qsizetype i = skipBlanks(text);
    QByteArray number;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        number += static_cast<char>(text[i++].unicode());

    int mantissaDigits = 0;
    while (i < text.size() && isDigit(text[i])) {
        number += static_cast<char>(text[i++].unicode());
        ++mantissaDigits;
    }
    if (i < text.size() && text[i] == QLatin1Char('.')) {
        number += '.';
        ++i;
        while (i < text.size() && isDigit(text[i])) {
            number += static_cast<char>(text[i++].unicode());
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return 0.0;

    // An exponent counts only when at least one digit follows the letter (and its sign).
    if (i < text.size() && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        QByteArray exponent("e");
        if (j < text.size() && (text[j] == QLatin1Char('+') || text[j] == QLatin1Char('-')))
            exponent += static_cast<char>(text[j++].unicode());
        int exponentDigits = 0;
        while (j < text.size() && isDigit(text[j]) && exponentDigits < 6) {
            exponent += static_cast<char>(text[j++].unicode());
            ++exponentDigits;
        }
        if (exponentDigits > 0)
            number += exponent;
    }
    return std::strtod(number.constData(), nullptr);
}

bool isUnsignedDigits(QStringView text)
{
    qsizetype i = skipBlanks(text);
    const qsizetype first = i;
    while (i < text.size() && isDigit(text[i]))
        ++i;
    if (i == first)
        return false;
    // A card may fill a field from the left: blanks after the digits are no part of it.
    while (i < text.size() && isBlank(text[i]))
        ++i;
    return i == text.size();
}

} // namespace vrn
