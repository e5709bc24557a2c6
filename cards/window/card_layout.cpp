#include "card_layout.h"

#include "card_description.h"
#include "option_box.h"

namespace vrn {
namespace {

constexpr int kRowPitch = 360; // twips between option rows
const char* const kPwmBoxes[] = {"Check7", "Check8", "Check9", "Check10", "Check11"};
const char* const kPwmLabels[] = {"Label10", "Label11", "Label12", "Label13", "Label14"};
// What a screen reader says for each box, and for the whole column.
const char* const kPwmBoxNames[] = {QT_TRANSLATE_NOOP("Controls", "PWM (1) 100 Hz"),
                                    QT_TRANSLATE_NOOP("Controls", "PWM (2) 200 Hz"),
                                    QT_TRANSLATE_NOOP("Controls", "PWM (3) 300 Hz"),
                                    QT_TRANSLATE_NOOP("Controls", "PWM (4) 400 Hz"),
                                    QT_TRANSLATE_NOOP("Controls", "PWM (5) 500 Hz")};
const char* const kPwmGroup = QT_TRANSLATE_NOOP("Controls", "PWM");

} // namespace

std::vector<ControlLayout> pwmColumn(const PwmColumnLayout& layout)
{
    std::vector<ControlLayout> rows;
    for (int i = 0; i < 5; ++i) {
        const int top = layout.firstTop + i * kRowPitch;
        const bool last = i == 4;
        // clang-format off
        rows.push_back({.name = kPwmBoxes[i], .kind = ControlKind::OptionBox,
                        .left = layout.boxLeft, .top = top, .width = 255,
                        .height = last ? 195 : 255, .tabIndex = layout.boxTabs[i],
                        .accessibleName = kPwmBoxNames[i], .accessibleDescription = kPwmGroup});
        rows.push_back({.name = kPwmLabels[i], .kind = ControlKind::Label,
                        .caption = kPwmCaptions[i],
                        .left = layout.labelLeft, .top = top, .width = last ? 975 : 855,
                        .height = 255, .tabIndex = layout.labelTabs[i]});
        // clang-format on
    }
    return rows;
}

std::vector<OptionBox*> pwmBoxes(const FormBuilder& form)
{
    std::vector<OptionBox*> boxes;
    for (const char* name : kPwmBoxes)
        boxes.push_back(form.get<OptionBox>(name));
    return boxes;
}

std::vector<ControlLayout> valueRow(const ValueRowLayout& l)
{
    const int rowTop = l.frameTop + 360;
    const int unitLeft = l.unitLeft ? l.unitLeft : l.frameLeft + 120;
    // clang-format off
    return {
        {.name = l.heading, .kind = ControlKind::BoldLabel, .caption = l.headingCaption,
         .left = l.headingLeft, .top = l.headingTop, .width = l.headingWidth, .height = 255,
         .tabIndex = l.headingTab},
        {.name = l.frame, .kind = ControlKind::Frame,
         .left = l.frameLeft, .top = l.frameTop, .width = 1695, .height = 975},
        {.name = l.unit, .kind = ControlKind::Label, .caption = l.unitCaption,
         .left = unitLeft, .top = rowTop, .width = 375, .height = 255, .tabIndex = l.unitTab},
        {.name = l.box, .kind = ControlKind::ValueBox, .caption = "0",
         .left = l.frameLeft + 600, .top = rowTop, .width = 495, .height = 285,
         .tabIndex = l.boxTab,
         .accessibleName = l.boxAccessibleName, .accessibleDescription = l.accessibleDescription},
        {.name = l.slider, .kind = ControlKind::Slider,
         .left = l.frameLeft + 1200, .top = rowTop, .width = 255, .height = 375,
         .tabIndex = l.sliderTab, .maximum = l.maximum, .position = l.position,
         .accessibleName = l.sliderAccessibleName,
         .accessibleDescription = l.accessibleDescription},
    };
    // clang-format on
}

} // namespace vrn
