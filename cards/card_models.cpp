#include "card_models.h"

#include "form1.h"
#include "form3.h"
#include "form4.h"
#include "form5.h"

namespace vrn {

std::vector<CardValue> cardValuesOf(CardModel model)
{
    switch (model) {
    case CardModel::VrnA: {
        const std::span<const CardValue> values = Form1::values();
        return {values.begin(), values.end()};
    }
    case CardModel::VrnB:
        return Form3::values();
    case CardModel::VrnC:
        return Form4::values();
    case CardModel::VrnD:
        return Form5::values();
    }
    return {};
}

} // namespace vrn
