#include "link/leading_number.h"

#include <QByteArray>

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

} // namespace

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
    if (i == text.size())
        return false;
    for (; i < text.size(); ++i) {
        if (!isDigit(text[i]))
            return false;
    }
    return true;
}

} // namespace vrn
