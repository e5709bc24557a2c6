#pragma once

#include <QLocale>
#include <QString>
#include <QStringView>

#include <optional>

// Every rule by which VRN-PC turns numbers into text and text into numbers, in one place.
//
//   purpose              reads / writes                      decimal point        exponent
//   -------------------  ----------------------------------  -------------------  --------
//   code -> box          displayCurrent, boxNumberText       user's               never
//                        (no group separators)
//   typed box text       parseBoxNumber: blanks around, sign, user's              no
//                        digits with the user's group
//                        separators as QLocale reads them
//                        (first group not starting with 0)
//                        and at most one decimal point;
//                        failing that, digits with one       user's, "," or "."
//                        decimal point and no grouping
//   box text in a file   fileBoxNumber: blanks around, sign, "," or "."           no
//                        digits with one decimal point
//   parameter file       fileNumber: sign, digits with one   "." only             no
//                        decimal point (what Save writes)
//   box text <-> file    fileNumberText, boxTextFromFile     user's <-> "."       no
//                        (group separators dropped on save)
//   slot and frame text  classicNumberText: whole numbers    "."                  never
//                        bare, else <= 15 significant digits
//   reply field check    isUnsignedDigits: blanks, digits,   none                 no
//                        then blanks only
//   classic leading      leadingNumber: blanks, sign,        "."                  yes
//   number (a reply      digits, fraction, exponent; stops
//   field's value, a     at the first character that cannot
//   text's value)        continue; no digits reads 0
//
// The conversions between codes and values: display floor(code x 2.93); a typed current
// floor(v / 2.93) + 1; a typed time the nearest whole number of steps.
namespace vrn {

constexpr double kMilliampsPerStep = 2.93; // also mV per step for Vt
constexpr double kSecondsPerStep = 0.2;    // ramp and excitation times
constexpr int kMillisecondsPerStep = 10;   // over-supply time

// The current shown for a code: floor(code x 2.93), in double precision.
int displayCurrent(int code);

// The current-to-code conversion: floor(v / 2.93) + 1. Returned unclamped, so that a caller
// can tell a value beyond the slider's range.
double currentToCode(double value);

// Nearest whole number, a half going to the even neighbour (300.5 gives 300, 301.5 gives 302).
double roundHalfEven(double value);

// Nearest whole number of steps for a typed time (v / step), halves away from zero, decided on
// the decimal value: 0.3 s is 2 steps of 0.2 s, 2.3 s is 12, 15 ms is 2 steps of 10 ms.
double timeToCode(double value, double step);

// The decimal text of a number as the cards and the parameter files use it: whole numbers
// without a decimal point, otherwise at most 15 significant digits, "." as point.
QString classicNumberText(double value);

// A number as a value box shows it: at most 15 significant digits (17 for the very largest
// numbers), no trailing zeros, never an exponent, in the user's number format (0.2 s is "0,2" in a
// German locale). A finite number's text reads back with parseBoxNumber() as the same number, to
// its 15 digits.
QString boxNumberText(double value, const QLocale& locale = QLocale());

// A number typed into a value box, blanks around it allowed. It is read in the user's number
// format first, with its group separators ("1,200" is 1200 in English, "1.200" in German);
// when no grouping fits, "." and "," and the user's decimal point all work as decimal point
// ("0,4" and "0.4" are 0.4 in either format). Anything else is no number.
std::optional<double> parseBoxNumber(const QString& text, const QLocale& locale = QLocale());

// A value box's text as a parameter file holds it: blanks around allowed, "." or "," as
// decimal point (a file written with a decimal comma), no grouping; anything else is no number.
std::optional<double> fileBoxNumber(const QString& text);

// A bare number of a parameter file: an optional sign, digits with at most one "." (no blanks,
// no exponent); anything else is no number.
std::optional<double> fileNumber(QStringView text);

// A value box's text as a parameter file keeps it: a number takes "." as its decimal point
// whatever the user's format ("100,5" is kept as "100.5") and loses its group separators
// ("1,200" in English is kept as "1200"); any other text stays as it is.
QString fileNumberText(const QString& boxText, const QLocale& locale = QLocale());

// A number text from a parameter file as a value box shows it: its decimal point becomes the
// user's ("100.5" is shown as "100,5" in a German locale); any other text stays as it is.
QString boxTextFromFile(const QString& fileText, const QLocale& locale = QLocale());

// True when the text, after leading blanks, is one or more decimal digits followed by nothing
// but blanks ("3  " and " 2 " as "003").
bool isUnsignedDigits(QStringView text);

// The classic reading of a number at the start of a text: leading blanks are skipped, then an
// optional sign, digits with an optional "." and fraction, and an optional exponent; reading
// stops at the first character that cannot continue the number. No digits reads as 0.
double leadingNumber(QStringView text);

} // namespace vrn
