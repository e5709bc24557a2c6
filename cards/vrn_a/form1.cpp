#include "cards/vrn_a/form1.h"

namespace vrn {
namespace {
constexpr CardMenuNames kMenus{"mnuFile", "mnuSave", "Save", "mnuOpen", "Open", "mnuExit"};
}

Form1::Form1(CardContext& context)
    : CardWindow(context, QStringLiteral("VRN-A rev01"), 8340, 7200, kMenus)
{
    setObjectName(QStringLiteral("Form1"));
}

} // namespace vrn
