#include "form4.h"

#include "vrn_c.h"

namespace vrn {
namespace {

// In the order a read reply is applied: the time first, then the minimum current, then the
// maximum current; the file holds the minimum current's slider first.
// clang-format off
constexpr CardRowLayout kRows[] = {
    {.value = vrn_c::kExcitationTime, .reply = RowReply::TimeInSlot,
     .layout = {.heading = "Label19", .headingCaption = "TEMPO ECCITAZIONE",
                .headingLeft = 5880, .headingTop = 1560, .headingWidth = 2295, .headingTab = 14,
                .frame = "Shape5", .frameLeft = 6120, .frameTop = 1920,
                .unit = "Label22", .unitCaption = "sec", .unitTab = 13, .unitLeft = 6360,
                .box = "Text2", .boxTab = 12,
                .slider = "VScroll1", .sliderTab = 19, .position = 254,
                .boxAccessibleName = QT_TRANSLATE_NOOP("Controls", "TEMPO ECCITAZIONE (sec)"),
                .sliderAccessibleName =
                    QT_TRANSLATE_NOOP("Controls", "TEMPO ECCITAZIONE (sec) up/down"),
                .accessibleDescription = QT_TRANSLATE_NOOP("Controls", "TEMPO ECCITAZIONE")}},
    {.value = vrn_c::kMinimumCurrent, .reply = RowReply::Current,
     .layout = {.heading = "Label2", .headingCaption = "CORRENTE MINIMA",
                .headingLeft = 720, .headingTop = 3120, .headingWidth = 2175, .headingTab = 18,
                .frame = "Shape1", .frameLeft = 840, .frameTop = 3480,
                .unit = "Label34", .unitCaption = "(mA)", .unitTab = 17,
                .box = "Text11", .boxTab = 15,
                .slider = "VScroll5", .sliderTab = 16, .position = 511,
                .boxAccessibleName = QT_TRANSLATE_NOOP("Controls", "CORRENTE MINIMA (mA)"),
                .sliderAccessibleName =
                    QT_TRANSLATE_NOOP("Controls", "CORRENTE MINIMA (mA) up/down"),
                .accessibleDescription = QT_TRANSLATE_NOOP("Controls", "CORRENTE MINIMA")}},
    {.value = vrn_c::kMaximumCurrent, .reply = RowReply::Current,
     .layout = {.heading = "Label1", .headingCaption = "CORRENTE MASSIMA REGOLATA",
                .headingLeft = 240, .headingTop = 1560, .headingWidth = 3135, .headingTab = 24,
                .frame = "Shape2", .frameLeft = 840, .frameTop = 1920,
                .unit = "Label3", .unitCaption = "(mA)", .unitTab = 25,
                .box = "Text1", .boxTab = 23,
                .slider = "VScroll2", .sliderTab = 22, .position = 1023,
                .boxAccessibleName =
                    QT_TRANSLATE_NOOP("Controls", "CORRENTE MASSIMA REGOLATA (mA)"),
                .sliderAccessibleName =
                    QT_TRANSLATE_NOOP("Controls", "CORRENTE MASSIMA REGOLATA (mA) up/down"),
                .accessibleDescription =
                    QT_TRANSLATE_NOOP("Controls", "CORRENTE MASSIMA REGOLATA")}},
};

constexpr RowCardLayout kVrnC{
    .model = CardModel::VrnC,
    .pwmValue = vrn_c::kPwm,
    .objectName = "Form4",
    .clientWidth = 8505,
    .clientHeight = 5475,
    .pwm = {.frameLeft = 3360, .frameTop = 1920, .frameHeight = 2535, .headingTab = 11,
            .boxTabs = {5, 4, 3, 2, 1}, .labelTabs = {10, 9, 8, 7, 6}},
    .rows = kRows,
    .send = {.name = "Command1", .left = 2040, .top = 4800, .tab = 21},
    .read = {.name = "Command2", .left = 4920, .top = 4800, .tab = 20},
};
// clang-format on

} // namespace

Form4::Form4(CardContext& context) : RowCardWindow(context, kVrnC)
{
}

} // namespace vrn
