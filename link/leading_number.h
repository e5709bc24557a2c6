#pragma once

#include <QStringView>

namespace vrn {

// The classic reading of a number at the start of a text: leading blanks are skipped, then an
// optional sign, digits with an optional "." and fraction, and an optional exponent; reading
// stops at the first character that cannot continue the number. No digits reads as 0.
double leadingNumber(QStringView text);

// True when the text, after leading blanks, is one or more decimal digits and nothing else.
bool isUnsignedDigits(QStringView text);

} // namespace vrn
