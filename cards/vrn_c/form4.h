#pragma once

#include "row_card_window.h"

namespace vrn {

// The VRN-C card window: regulated maximum current (slot H), minimum current (slot G),
// excitation time in 0.2 s steps (slot C) and PWM frequency (slot B).
class Form4 : public RowCardWindow
{
    Q_OBJECT
public:
    explicit Form4(CardContext& context);
};

} // namespace vrn
