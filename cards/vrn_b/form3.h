#pragma once

#include "row_card_window.h"

namespace vrn {

// The VRN-B card window: regulated maximum current (slot H), over-supply time in 10 msec steps
// (slot Z) and PWM frequency (slot B).
class Form3 : public RowCardWindow
{
    Q_OBJECT
public:
    explicit Form3(CardContext& context);
};

} // namespace vrn
