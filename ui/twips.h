#pragma once

#include <QRect>
#include <QSize>

namespace vrn {

// Layouts are given in twips: 15 twips to a device-independent pixel.
constexpr int kTwipsPerPixel = 15;

constexpr int twips(int value)
{
    return (value + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twips(left), twips(top), twips(width), twips(height));
}

constexpr QSize twipsSize(int width, int height)
{
    return QSize(twips(width), twips(height));
}

} // namespace vrn
