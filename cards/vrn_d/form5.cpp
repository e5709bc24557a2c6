#include "cards/vrn_d/form5.h"

namespace vrn {
namespace {

// In the order a read reply is applied: the time, then the current; the file holds the time's
// slider first.
constexpr CardRowSpec kRows[] = {
    {quantity::kExcitationTime,
     {"Label19", "TEMPO ECCITAZIONE", 5640, 1440, 2295, 17, "Shape5", 5880, 1800, "Label22", "sec",
      18, "Text2", 9, "VScroll1", 3, 255, 254},
     1},
    {quantity::kMaximumCurrent,
     {"Label1", "CORRENTE MASSIMA", 600, 1440, 2175, 10, "Shape2", 720, 1800, "Label2", "(mA)", 21,
      "Text1", 19, "VScroll2", 20, 1023, 127},
     2},
};

constexpr RowCardSpec kVrnD{
    "Form5",
    "VRN-D rev01",
    8100,
    5370,
    {3120, 1800, 2415, 11, {4, 5, 6, 7, 8}, {12, 13, 14, 15, 16}},
    kRows,
    {"Command3", 1680, 4680, 1},
    {"Command4", 4560, 4680, 2},
};

} // namespace

Form5::Form5(CardContext& context) : RowCardWindow(context, kVrnD)
{
}

std::vector<ReplyValue> Form5::replyValues()
{
    return rowCardReplyValues(kVrnD.rows);
}

} // namespace vrn
