// The number text helpers: reading typed and received numbers, writing numbers for the value
// boxes in any user number format, and the rounding rules that turn values into codes.
#include "fuzz_check.h"
#include "number_rules.h"

#include <QLocale>

#include <array>
#include <cmath>

using namespace vrn;
using vrn::fuzz::require;

namespace {

// Number formats with a comma, an Arabic or Persian decimal separator, comma, point,
// apostrophe or blank group separators, and native digits.
const std::array<QLocale, 8>& locales()
{
    static const std::array<QLocale, 8> all{
        QLocale::c(),
        QLocale(QLocale::English, QLocale::UnitedStates),
        QLocale(QLocale::German, QLocale::Germany),
        QLocale(QLocale::French, QLocale::France),
        QLocale(QLocale::German, QLocale::Switzerland),
        QLocale(QLocale::Arabic, QLocale::Egypt),
        QLocale(QLocale::Persian, QLocale::Iran),
        QLocale(QLocale::Hindi, QLocale::India),
    };
    return all;
}

bool isWhole(double value)
{
    return std::isfinite(value) && value == std::trunc(value);
}

void checkRounding(double value)
{
    const double rounded = roundHalfEven(value);
    if (!std::isfinite(value)) {
        require(std::isnan(value) ? std::isnan(rounded) : rounded == value,
                "rounding keeps a NaN or an infinity");
        return;
    }
    require(isWhole(rounded), "rounding gives a whole number", QString::number(value, 'g', 17));
    require(std::fabs(rounded - value) <= 0.5, "rounding moves by half a step at most",
            QString::number(value, 'g', 17));
    if (std::fabs(value - std::trunc(value)) == 0.5)
        require(std::fmod(rounded, 2.0) == 0.0, "a half goes to the even neighbour",
                QString::number(value, 'g', 17));
}

void checkCodes(double value)
{
    if (!std::isfinite(value))
        return;
    const double code = currentToCode(value);
    require(isWhole(code), "a current converts to a whole code", QString::number(value, 'g', 17));
    // Beyond 2^53 doubles hold no fractions: there a step is below the precision.
    if (std::fabs(value) < 1e15)
        require(code - 1.0 <= value / kMilliampsPerStep && value / kMilliampsPerStep < code,
                "the code is the smallest whole number of steps above the current",
                QString::number(value, 'g', 17));
    for (const double step : {kSecondsPerStep, static_cast<double>(kMillisecondsPerStep)}) {
        const double steps = timeToCode(value, step);
        if (std::fabs(value) < 1e12) {
            // Half a step, and the rounding of the division and of the check itself.
            const double slack = step * 0.5 + 1e-12 * std::fabs(value);
            require(isWhole(steps) && std::fabs(steps * step - value) <= slack,
                    "a time converts to the nearest whole number of steps",
                    QString::number(value, 'g', 17));
        } else {
            require(!std::isnan(steps), "a huge time gives a code or an infinity");
        }
    }
}

// What a value box shows reads back as the same number in the same number format.
void checkBoxText(double value, const QLocale& locale)
{
    const QString text = boxNumberText(value, locale);
    require(!text.isEmpty(), "a box text is never empty");
    const double magnitude = std::fabs(value);
    if (!std::isfinite(value))
        return;
    require(!text.contains(QLatin1Char('e')), "a box text has no exponent",
            text + QStringLiteral(" in ") + locale.name());
    const std::optional<double> back = parseBoxNumber(text, locale);
    require(back.has_value(), "a box text reads back as a number",
            text + QStringLiteral(" in ") + locale.name());
    require(std::fabs(*back - value) <= 1e-14 * magnitude,
            "a box text reads back as the number it shows",
            text + QStringLiteral(" in ") + locale.name());
    if (isWhole(value) && magnitude < 1e15)
        require(*back == value, "a whole number's box text is exact", text);
}

void checkTyped(const QString& text, const QLocale& locale)
{
    const std::optional<double> typed = parseBoxNumber(text, locale);
    if (typed)
        require(std::isfinite(*typed), "a typed number is finite", text);
    // A number in the program's own format reads the same to the box and to the card reader.
    const std::optional<double> plain = parseBoxNumber(text, QLocale::c());
    if (plain && !text.contains(QLatin1Char(',')))
        require(leadingNumber(text.trimmed()) == *plain,
                "the box and the reply reader agree on a plain number", text);
}

// A number typed in any format is saved with "." and shown again in the user's format as the
// same number.
void checkFileText(const QString& text, const QLocale& locale)
{
    const std::optional<double> typed = parseBoxNumber(text, locale);
    const QString saved = fileNumberText(text, locale);
    if (!typed) {
        require(saved == text, "a text that is no number is saved as it is", text);
        return;
    }
    require(parseBoxNumber(saved, QLocale::c()) == typed,
            "a saved number reads as the typed number with \".\" as point",
            saved + QStringLiteral(" in ") + locale.name());
    const QString shown = boxTextFromFile(saved, locale);
    require(parseBoxNumber(shown, locale) == typed,
            "a loaded number shows as the typed number in the user's format",
            shown + QStringLiteral(" in ") + locale.name());
}

// The whole part of a number as the user's number format writes it, group separators
// included, reads back as that number, and is saved and shown again as that number.
void checkGroupedText(double value, const QLocale& locale)
{
    const double whole = std::trunc(value);
    if (!std::isfinite(whole) || std::fabs(whole) >= 1e15 ||
        locale.zeroDigit() != QLatin1String("0"))
        return; // native digits are no box number
    const QString text = locale.toString(whole, 'f', 0);
    const std::optional<double> back = parseBoxNumber(text, locale);
    require(back && *back == whole, "a number with the user's group separators reads back",
            text + QStringLiteral(" in ") + locale.name());
    checkFileText(text, locale);
}

void checkLeadingNumber(const QString& text)
{
    const double value = leadingNumber(text);
    require(!std::isnan(value), "a leading number is never NaN", text);
    require(leadingNumber(text + QLatin1Char('#')) == value || std::isnan(value),
            "reading stops at a character that cannot continue the number", text);
    require(leadingNumber(QLatin1Char(' ') + text) == value, "leading blanks are skipped", text);
    if (isUnsignedDigits(text)) {
        qsizetype start = 0;
        while (text[start] == QLatin1Char(' ') || text[start] == QLatin1Char('\t'))
            ++start;
        const QByteArray digits = text.sliced(start).toLatin1();
        require(value == std::strtod(digits.constData(), nullptr),
                "a field of digits reads as its decimal value", text);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::InputReader in(data, size);
    const QLocale& locale = locales()[in.byte() % locales().size()];
    const double value = in.bitsAsDouble();
    const QString text = QString::fromUtf8(in.rest());

    checkRounding(value);
    checkCodes(value);
    checkBoxText(value, locale);
    checkGroupedText(value, locale);
    checkTyped(text, locale);
    checkFileText(text, locale);
    checkLeadingNumber(text);
    if (const std::optional<double> typed = parseBoxNumber(text, locale)) {
        checkRounding(*typed);
        checkCodes(*typed);
        checkBoxText(*typed, locale);
        checkGroupedText(*typed, locale);
    }
    return 0;
}
