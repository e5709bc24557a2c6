#pragma once

#include <QScrollBar>

namespace vrn {

// A short vertical scroll bar used as a pair of spin arrows. Its code is its maximum minus its
// position, so the upper arrow raises the value. valueChanged is the change rule's trigger: it
// fires on a user step and on a position set by code, only when the position changes. Like
// the classic arrows, it has no menu of its own.
class SpinSlider : public QScrollBar
{
    Q_OBJECT
public:
    SpinSlider(int maximum, int position, QWidget* parent = nullptr);

    int code() const { return maximum() - value(); }
};

} // namespace vrn
