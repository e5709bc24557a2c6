#pragma once

#include "card_values.h"

#include <vector>

namespace vrn {

// The values the window of a card model sets on its card, in the order of its Send, without
// building the window.
std::vector<CardValue> cardValuesOf(CardModel model);

} // namespace vrn
