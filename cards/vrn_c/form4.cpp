#include "cards/vrn_c/form4.h"

namespace vrn {
namespace {

// In the order a read reply is applied: the time first, then the minimum current, then the
// maximum current; the file holds the minimum current's slider first.
constexpr CardRowSpec kRows[] = {
    {quantity::kExcitationTime,
     {"Label19", "TEMPO ECCITAZIONE", 5880, 1560, 2295, 14, "Shape5", 6120, 1920, "Label22", "sec",
      13, "Text2", 12, "VScroll1", 19, 255, 254, 6360},
     2},
    {quantity::kMinimumCurrent,
     {"Label2", "CORRENTE MINIMA", 720, 3120, 2175, 18, "Shape1", 840, 3480, "Label34", "(mA)", 17,
      "Text11", 15, "VScroll5", 16, 511, 511},
     1},
    {quantity::kMaximumCurrent,
     {"Label1", "CORRENTE MASSIMA REGOLATA", 240, 1560, 3135, 24, "Shape2", 840, 1920, "Label3",
      "(mA)", 25, "Text1", 23, "VScroll2", 22, 1023, 1023},
     3},
};

constexpr RowCardSpec kVrnC{
    "Form4",
    "VRN-C rev01",
    8505,
    5475,
    {3360, 1920, 2535, 11, {5, 4, 3, 2, 1}, {10, 9, 8, 7, 6}},
    kRows,
    {"Command1", 2040, 4800, 21},
    {"Command2", 4920, 4800, 20},
};

} // namespace

Form4::Form4(CardContext& context) : RowCardWindow(context, kVrnC)
{
}

std::vector<ReplyValue> Form4::replyValues()
{
    return rowCardReplyValues(kVrnC.rows);
}

} // namespace vrn
