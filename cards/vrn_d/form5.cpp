#include "form5.h"

#include "vrn_d.h"

namespace vrn {
namespace {

// In the order a read reply is applied: the time, then the current; the file holds the time's
// slider first.
// clang-format off
constexpr CardRowLayout kRows[] = {
    {.value = vrn_d::kExcitationTime, .reply = RowReply::TimeInSlot,
     .layout = {.heading = "Label19", .headingCaption = "TEMPO ECCITAZIONE",
                .headingLeft = 5640, .headingTop = 1440, .headingWidth = 2295, .headingTab = 17,
                .frame = "Shape5", .frameLeft = 5880, .frameTop = 1800,
                .unit = "Label22", .unitCaption = "sec", .unitTab = 18,
                .box = "Text2", .boxTab = 9,
                .slider = "VScroll1", .sliderTab = 3, .position = 254,
                .boxAccessibleName = QT_TRANSLATE_NOOP("Controls", "TEMPO ECCITAZIONE (sec)"),
                .sliderAccessibleName =
                    QT_TRANSLATE_NOOP("Controls", "TEMPO ECCITAZIONE (sec) up/down"),
                .accessibleDescription = QT_TRANSLATE_NOOP("Controls", "TEMPO ECCITAZIONE")}},
    {.value = vrn_d::kMaximumCurrent, .reply = RowReply::Current,
     .layout = {.heading = "Label1", .headingCaption = "CORRENTE MASSIMA",
                .headingLeft = 600, .headingTop = 1440, .headingWidth = 2175, .headingTab = 10,
                .frame = "Shape2", .frameLeft = 720, .frameTop = 1800,
                .unit = "Label2", .unitCaption = "(mA)", .unitTab = 21,
                .box = "Text1", .boxTab = 19,
                .slider = "VScroll2", .sliderTab = 20, .position = 127,
                .boxAccessibleName = QT_TRANSLATE_NOOP("Controls", "CORRENTE MASSIMA (mA)"),
                .sliderAccessibleName =
                    QT_TRANSLATE_NOOP("Controls", "CORRENTE MASSIMA (mA) up/down"),
                .accessibleDescription = QT_TRANSLATE_NOOP("Controls", "CORRENTE MASSIMA")}},
};

constexpr RowCardLayout kVrnD{
    .model = CardModel::VrnD,
    .pwmValue = vrn_d::kPwm,
    .objectName = "Form5",
    .clientWidth = 8100,
    .clientHeight = 5370,
    .pwm = {.frameLeft = 3120, .frameTop = 1800, .frameHeight = 2415, .headingTab = 11,
            .boxTabs = {4, 5, 6, 7, 8}, .labelTabs = {12, 13, 14, 15, 16}},
    .rows = kRows,
    .send = {.name = "Command3", .left = 1680, .top = 4680, .tab = 1},
    .read = {.name = "Command4", .left = 4560, .top = 4680, .tab = 2},
};
// clang-format on

} // namespace

Form5::Form5(CardContext& context) : RowCardWindow(context, kVrnD)
{
}

} // namespace vrn
