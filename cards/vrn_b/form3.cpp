#include "form3.h"

#include "vrn_b.h"

namespace vrn {
namespace {

// In the order a read reply is applied; the file holds the current's slider first.
// clang-format off
constexpr CardRowLayout kRows[] = {
    {.value = vrn_b::kMaximumCurrent, .reply = RowReply::Current,
     .layout = {.heading = "Label1", .headingCaption = "CORRENTE MASSIMA REGOLATA",
                .headingLeft = 600, .headingTop = 1560, .headingWidth = 3135, .headingTab = 18,
                .frame = "Shape1", .frameLeft = 1200, .frameTop = 1920,
                .unit = "Label34", .unitCaption = "(mA)", .unitTab = 17,
                .box = "Text11", .boxTab = 15,
                .slider = "VScroll5", .sliderTab = 16, .position = 255,
                .boxAccessibleName =
                    QT_TRANSLATE_NOOP("Controls", "CORRENTE MASSIMA REGOLATA (mA)"),
                .sliderAccessibleName =
                    QT_TRANSLATE_NOOP("Controls", "CORRENTE MASSIMA REGOLATA (mA) up/down"),
                .accessibleDescription =
                    QT_TRANSLATE_NOOP("Controls", "CORRENTE MASSIMA REGOLATA")}},
    {.value = vrn_b::kOverSupplyTime, .reply = RowReply::TimeShown,
     .layout = {.heading = "Label19", .headingCaption = "TEMPO SOVRALIMENTAZIONE",
                .headingLeft = 720, .headingTop = 3120, .headingWidth = 2775, .headingTab = 8,
                .frame = "Shape5", .frameLeft = 1200, .frameTop = 3480,
                .unit = "Label22", .unitCaption = "msec", .unitTab = 7,
                .box = "Text2", .boxTab = 1,
                .slider = "VScroll1", .sliderTab = 19, .position = 99,
                .boxAccessibleName =
                    QT_TRANSLATE_NOOP("Controls", "TEMPO SOVRALIMENTAZIONE (msec)"),
                .sliderAccessibleName =
                    QT_TRANSLATE_NOOP("Controls", "TEMPO SOVRALIMENTAZIONE (msec) up/down"),
                .accessibleDescription = QT_TRANSLATE_NOOP("Controls", "TEMPO SOVRALIMENTAZIONE")}},
};

constexpr RowCardLayout kVrnB{
    .model = CardModel::VrnB,
    .pwmValue = vrn_b::kPwm,
    .objectName = "Form3",
    .clientWidth = 7245,
    .clientHeight = 5550,
    .pwm = {.frameLeft = 3960, .frameTop = 1920, .frameHeight = 2175, .headingTab = 14,
            .boxTabs = {6, 5, 4, 3, 2}, .labelTabs = {13, 12, 11, 10, 9}},
    .rows = kRows,
    .send = {.name = "Command1", .left = 1200, .top = 4800, .tab = 21},
    .read = {.name = "Command2", .left = 4080, .top = 4800, .tab = 20},
};
// clang-format on

} // namespace

Form3::Form3(CardContext& context) : RowCardWindow(context, kVrnB)
{
}

} // namespace vrn
