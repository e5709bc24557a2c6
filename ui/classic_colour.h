#pragma once

#include <QColor>

namespace vrn {

// Colours are classic colour numbers, 0xBBGGRR.
constexpr int kBusyColour = 255;      // red: a transfer runs
constexpr int kGreyColour = 12632256; // light grey: windows, labels and idle buttons

inline QColor classicColour(int bgr)
{
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

} // namespace vrn
