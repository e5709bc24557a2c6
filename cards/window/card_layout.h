#pragma once

#include "form_builder.h"

#include <array>
#include <vector>

namespace vrn {

class OptionBox;

// The PWM frequency column: boxes Check7..Check11 beside labels Label10..Label14, one row
// every 360 twips from the first top.
struct PwmColumnLayout
{
    int boxLeft;
    int labelLeft;
    int firstTop;
    std::array<int, 5> boxTabs;
    std::array<int, 5> labelTabs;
};
std::vector<ControlLayout> pwmColumn(const PwmColumnLayout& layout);
std::vector<OptionBox*> pwmBoxes(const FormBuilder& form);

// A framed value row under its bold heading: unit label, value box (initially "0") and spin
// slider side by side inside a 1695 x 975 frame. What a screen reader says for the box and the
// slider is marked with QT_TRANSLATE_NOOP("Controls", ...).
struct ValueRowLayout
{
    const char* heading;
    const char* headingCaption;
    int headingLeft;
    int headingTop;
    int headingWidth;
    int headingTab;
    const char* frame;
    int frameLeft;
    int frameTop;
    const char* unit;
    const char* unitCaption;
    int unitTab;
    int unitLeft = 0; // where the unit label stands; 0: 120 twips inside the frame
    const char* box;
    int boxTab;
    const char* slider;
    int sliderTab;
    int maximum = 0; // the slider's largest code: the window takes it from the row's value
    int position;
    const char* boxAccessibleName;
    const char* sliderAccessibleName;
    const char* accessibleDescription; // of both box and slider
};
std::vector<ControlLayout> valueRow(const ValueRowLayout& layout);

} // namespace vrn
