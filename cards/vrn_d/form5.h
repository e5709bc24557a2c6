#pragma once

#include "row_card_window.h"

namespace vrn {

// The VRN-D card window: maximum current (slot H), excitation time in 0.2 s steps (slot C) and
// PWM frequency (slot B).
class Form5 : public RowCardWindow
{
    Q_OBJECT
public:
    explicit Form5(CardContext& context);
};

} // namespace vrn
