#include "cards/vrn_b/form3.h"

namespace vrn {
namespace {

// In the order a read reply is applied; the file holds the current's slider first.
constexpr CardRowSpec kRows[] = {
    {quantity::kMaximumCurrent,
     {"Label1", "CORRENTE MASSIMA REGOLATA", 600, 1560, 3135, 18, "Shape1", 1200, 1920, "Label34",
      "(mA)", 17, "Text11", 15, "VScroll5", 16, 1023, 255},
     1},
    {quantity::kOverSupplyTime,
     {"Label19", "TEMPO SOVRALIMENTAZIONE", 720, 3120, 2775, 8, "Shape5", 1200, 3480, "Label22",
      "msec", 7, "Text2", 1, "VScroll1", 19, 99, 99},
     2},
};

constexpr RowCardSpec kVrnB{
    "Form3",
    "VRN-B rev01",
    7245,
    5550,
    {3960, 1920, 2175, 14, {6, 5, 4, 3, 2}, {13, 12, 11, 10, 9}},
    kRows,
    {"Command1", 1200, 4800, 21},
    {"Command2", 4080, 4800, 20},
};

} // namespace

Form3::Form3(CardContext& context) : RowCardWindow(context, kVrnB)
{
}

std::vector<ReplyValue> Form3::replyValues()
{
    return rowCardReplyValues(kVrnB.rows);
}

} // namespace vrn
