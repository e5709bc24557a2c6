#include "cards/vrn_d/form5.h"

namespace vrn {
namespace {
constexpr CardMenuNames kMenus{"FL", "SLV", "&Save", "OP", "&Open", "EX"};
}

Form5::Form5(CardContext& context)
    : CardWindow(context, QStringLiteral("VRN-D rev01"), 8100, 5370, kMenus)
{
    setObjectName(QStringLiteral("Form5"));
}

} // namespace vrn
