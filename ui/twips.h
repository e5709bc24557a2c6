#pragma once

#include <QPaintDevice>
#include <QRect>
#include <QSize>

namespace vrn {

// Layouts are given in twips, 1440 to the logical inch: 15 twips to a pixel at 96 dots per
// inch, 12 at 120. Font point sizes follow the same logical inch, so controls and their texts
// keep their proportions whatever the logical dpi of the screen.
constexpr int kTwipsPerInch = 1440;
constexpr int kStandardDpi = 96;

constexpr int twips(int value, int dpi = kStandardDpi)
{
    return (value * dpi + kTwipsPerInch / 2) / kTwipsPerInch;
}

// Pixels per logical inch across and down, as a paint device (a window) reports them.
struct LogicalDpi
{
    int x = kStandardDpi;
    int y = kStandardDpi;

    static LogicalDpi of(const QPaintDevice& device)
    {
        return {device.logicalDpiX(), device.logicalDpiY()};
    }
};

constexpr QRect twipsRect(int left, int top, int width, int height, LogicalDpi dpi = {})
{
    return QRect(twips(left, dpi.x), twips(top, dpi.y), twips(width, dpi.x), twips(height, dpi.y));
}

constexpr QSize twipsSize(int width, int height, LogicalDpi dpi = {})
{
    return QSize(twips(width, dpi.x), twips(height, dpi.y));
}

} // namespace vrn
