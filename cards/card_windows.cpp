#include "card_windows.h"

#include "form1.h"
#include "form3.h"
#include "form4.h"
#include "form5.h"

namespace vrn {

std::unique_ptr<CardWindow> makeCardWindow(CardModel model, CardContext& context)
{
    switch (model) {
    case CardModel::VrnA:
        return std::make_unique<Form1>(context);
    case CardModel::VrnB:
        return std::make_unique<Form3>(context);
    case CardModel::VrnC:
        return std::make_unique<Form4>(context);
    case CardModel::VrnD:
        return std::make_unique<Form5>(context);
    }
    return {};
}

} // namespace vrn
