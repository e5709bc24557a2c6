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

    // Every value the window takes from the card's read reply, checked before any is applied.
    static std::vector<ReplyValue> replyValues();
    // The values the window sets on its card, in the order of its Send.
    static std::vector<CardValue> values();
};

} // namespace vrn
