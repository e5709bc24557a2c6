#include "spin_slider.h"

namespace vrn {

SpinSlider::SpinSlider(int maximum, int position, QWidget* parent)
    : QScrollBar(Qt::Vertical, parent)
{
    setRange(0, maximum);
    setSingleStep(1);
    setPageStep(1);
    setTracking(false);              // a drag changes the position once, on release
    setFocusPolicy(Qt::StrongFocus); // clicking an arrow takes the focus first
    // No scroll-bar menu on a right-click: its "Top" and "Bottom" would set the largest or
    // the smallest value in one click.
    setContextMenuPolicy(Qt::PreventContextMenu);
    setValue(position);
}

} // namespace vrn
