#include "cards/common/card_layout.h"

#include "ui/option_box.h"

namespace vrn {
namespace {

constexpr int kRowPitch = 360; // twips between option rows
const char* const kPwmBoxes[] = {"Check7", "Check8", "Check9", "Check10", "Check11"};
const char* const kPwmLabels[] = {"Label10", "Label11", "Label12", "Label13", "Label14"};
const char* const kPwmCaptions[] = {"(1) 100 Hz", "(2) 200 Hz", "(3) 300 Hz", "(4) 400 Hz",
                                    "(5) 500 Hz"};

} // namespace

std::vector<ControlSpec> pwmColumn(const PwmColumnLayout& layout)
{
    std::vector<ControlSpec> rows;
    for (int i = 0; i < 5; ++i) {
        const int top = layout.firstTop + i * kRowPitch;
        const bool last = i == 4;
        rows.push_back({kPwmBoxes[i], ControlKind::OptionBox, "", layout.boxLeft, top, 255,
                        last ? 195 : 255, layout.boxTabs[i]});
        rows.push_back({kPwmLabels[i], ControlKind::Label, kPwmCaptions[i], layout.labelLeft, top,
                        last ? 975 : 855, 255, layout.labelTabs[i]});
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

std::vector<ControlSpec> valueRow(const ValueRowLayout& l)
{
    const int rowTop = l.frameTop + 360;
    const int unitLeft = l.unitLeft ? l.unitLeft : l.frameLeft + 120;
    return {
        {l.heading, ControlKind::BoldLabel, l.headingCaption, l.headingLeft, l.headingTop,
         l.headingWidth, 255, l.headingTab},
        {l.frame, ControlKind::Frame, "", l.frameLeft, l.frameTop, 1695, 975},
        {l.unit, ControlKind::Label, l.unitCaption, unitLeft, rowTop, 375, 255, l.unitTab},
        {l.box, ControlKind::ValueBox, "0", l.frameLeft + 600, rowTop, 495, 285, l.boxTab},
        {l.slider, ControlKind::Slider, "", l.frameLeft + 1200, rowTop, 255, 375, l.sliderTab,
         l.maximum, l.position},
    };
}

} // namespace vrn
