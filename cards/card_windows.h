#pragma once

#include "card_values.h"

#include <memory>

namespace vrn {

class CardWindow;
struct CardContext;

// The window of a card model ("Form1" for VRN-A, "Form3", "Form4", "Form5"), on the context
// it works with; the only place that knows which window class serves which model.
std::unique_ptr<CardWindow> makeCardWindow(CardModel model, CardContext& context);

} // namespace vrn
