#include "cards/vrn_c/form4.h"

namespace vrn {
namespace {
constexpr CardMenuNames kMenus{"FL", "SLV", "&Save", "OP", "&Open", "EX"};
}

Form4::Form4(CardContext& context)
    : CardWindow(context, QStringLiteral("VRN-C rev01"), 8505, 5475, kMenus)
{
    setObjectName(QStringLiteral("Form4"));
}

} // namespace vrn
