#include "form1.h"

#include "card_layout.h"
#include "graphical_button.h"
#include "number_rules.h"
#include "option_box.h"
#include "option_group.h"
#include "parameter_row.h"
#include "protocol.h"
#include "slot_table.h"
#include "spin_slider.h"
#include "value_box.h"
#include "vrn_a.h"

#include <QCoreApplication>

#include <array>

namespace vrn {
namespace {

constexpr CardMenuNames kMenus{"mnuFile", "mnuSave", "Save", "mnuOpen", "Open", "mnuExit"};

using namespace vrn_a;

// I Max slider positions of the five coil current ranges: codes 294, 410, 547, 642 and 888
// are the nominal 860, 1200, 1600, 1880 and 2600 mA.
constexpr std::array<int, 5> kCoilPresetPositions{729, 613, 476, 381, 135};

// Focus order of the window, as tab indices.
// clang-format off
enum Tab {
    kTabCheck3, kTabCheck4, kTabCheck5, kTabCheck6, kTabCheck7, kTabCheck8, kTabCheck9,
    kTabCheck10, kTabCheck11, kTabPicture1, kTabText2, kTabText3, kTabText5, kTabText6,
    kTabText8, kTabText11, kTabCheck1, kTabCommand1, kTabCommand2, kTabVScroll1, kTabVScroll2,
    kTabVScroll4, kTabVScroll5, kTabCheck2, kTabCheck12, kTabVScroll3, kTabVScroll6,
    kTabCheck13, kTabCheck14
};
// clang-format on

constexpr int kBox = 255;                     // option boxes are only as wide as the box itself
constexpr int kLabelH = 255;                  // label height
constexpr int kBoxW = 495, kBoxH = 285;       // value boxes
constexpr int kSliderW = 255, kSliderH = 375; // spin sliders

// The headings a screen reader gives as the description of each group's controls.
constexpr const char* kCoilGroup = QT_TRANSLATE_NOOP("Controls", "CURRENT COIL");
constexpr const char* kRampsGroup = QT_TRANSLATE_NOOP("Controls", "RAMPS");
constexpr const char* kLevelsGroup =
    QT_TRANSLATE_NOOP("Controls", "SETTING REFERENCE AND CONTROL CURRENT");

// clang-format off
const ControlLayout kLayout[] = {
    {.name = "Picture1", .kind = ControlKind::Picture,
     .left = 0, .top = 0, .width = 10935, .height = 1335, .tabIndex = kTabPicture1},
    {.name = "Shape2", .kind = ControlKind::Frame,
     .left = 480, .top = 1800, .width = 2295, .height = 2175},
    {.name = "Shape3", .kind = ControlKind::Frame,
     .left = 3240, .top = 1800, .width = 2055, .height = 2175},
    {.name = "Shape5", .kind = ControlKind::Frame,
     .left = 5760, .top = 1800, .width = 2055, .height = 2175},
    {.name = "Shape6", .kind = ControlKind::Frame,
     .left = 480, .top = 4560, .width = 7335, .height = 1695},

    // Coil current range
    {.name = "Label4", .kind = ControlKind::BoldLabel, .caption = "CURRENT COIL",
     .left = 960, .top = 1440, .width = 1575, .height = kLabelH},
    {.name = "Check3", .kind = ControlKind::OptionBox,
     .left = 840, .top = 2040, .width = kBox, .height = kBox, .tabIndex = kTabCheck3,
     .accessibleName = QT_TRANSLATE_NOOP("Controls", "CURRENT COIL (1) 860 mA"),
     .accessibleDescription = kCoilGroup},
    {.name = "Label5", .kind = ControlKind::Label, .caption = kCoilCaptions[0],
     .left = 1200, .top = 2040, .width = 1095, .height = kLabelH},
    {.name = "Check4", .kind = ControlKind::OptionBox,
     .left = 840, .top = 2400, .width = kBox, .height = kBox, .tabIndex = kTabCheck4,
     .accessibleName = QT_TRANSLATE_NOOP("Controls", "CURRENT COIL (2) 1200 mA"),
     .accessibleDescription = kCoilGroup},
    {.name = "Label6", .kind = ControlKind::Label, .caption = kCoilCaptions[1],
     .left = 1200, .top = 2400, .width = 1095, .height = kLabelH},
    {.name = "Check5", .kind = ControlKind::OptionBox,
     .left = 840, .top = 2760, .width = kBox, .height = kBox, .tabIndex = kTabCheck5,
     .accessibleName = QT_TRANSLATE_NOOP("Controls", "CURRENT COIL (3) 1600 mA"),
     .accessibleDescription = kCoilGroup},
    {.name = "Label7", .kind = ControlKind::Label, .caption = kCoilCaptions[2],
     .left = 1200, .top = 2760, .width = 1095, .height = kLabelH},
    {.name = "Check6", .kind = ControlKind::OptionBox,
     .left = 840, .top = 3120, .width = kBox, .height = kBox, .tabIndex = kTabCheck6,
     .accessibleName = QT_TRANSLATE_NOOP("Controls", "CURRENT COIL (4) 1880 mA"),
     .accessibleDescription = kCoilGroup},
    {.name = "Label8", .kind = ControlKind::Label, .caption = kCoilCaptions[3],
     .left = 1200, .top = 3120, .width = 1095, .height = kLabelH},
    {.name = "Check1", .kind = ControlKind::OptionBox,
     .left = 840, .top = 3480, .width = kBox, .height = kBox, .tabIndex = kTabCheck1,
     .accessibleName = QT_TRANSLATE_NOOP("Controls", "CURRENT COIL (5) 2600 mA"),
     .accessibleDescription = kCoilGroup},
    {.name = "Label1", .kind = ControlKind::Label, .caption = kCoilCaptions[4],
     .left = 1200, .top = 3480, .width = 1095, .height = 195},

    // PWM frequency (the column itself comes from the shared layout)
    {.name = "Label9", .kind = ControlKind::BoldLabel, .caption = "PWM",
     .left = 4080, .top = 1440, .width = 495, .height = kLabelH},

    // Ramps
    {.name = "Label19", .kind = ControlKind::BoldLabel, .caption = "RAMPS",
     .left = 6600, .top = 1440, .width = 735, .height = kLabelH},
    {.name = "Label21", .kind = ControlKind::Label, .caption = "Ramp Up",
     .left = 6120, .top = 2040, .width = 975, .height = kLabelH},
    {.name = "Text2", .kind = ControlKind::ValueBox,
     .left = 6120, .top = 2280, .width = kBoxW, .height = kBoxH, .tabIndex = kTabText2,
     .accessibleName = QT_TRANSLATE_NOOP("Controls", "Ramp Up (sec)"),
     .accessibleDescription = kRampsGroup},
    {.name = "VScroll3", .kind = ControlKind::Slider,
     .left = 6720, .top = 2280, .width = kSliderW, .height = kSliderH, .tabIndex = kTabVScroll3,
     .maximum = kRampUp.maximum(), .position = 254,
     .accessibleName = QT_TRANSLATE_NOOP("Controls", "Ramp Up (sec) up/down"),
     .accessibleDescription = kRampsGroup},
    {.name = "Label22", .kind = ControlKind::Label, .caption = "sec",
     .left = 7200, .top = 2280, .width = 375, .height = kLabelH},
    {.name = "Label23", .kind = ControlKind::Label, .caption = "Ramp Down",
     .left = 6120, .top = 2760, .width = 975, .height = kLabelH},
    {.name = "Text3", .kind = ControlKind::ValueBox,
     .left = 6120, .top = 3000, .width = kBoxW, .height = kBoxH, .tabIndex = kTabText3,
     .accessibleName = QT_TRANSLATE_NOOP("Controls", "Ramp Down (sec)"),
     .accessibleDescription = kRampsGroup},
    {.name = "VScroll6", .kind = ControlKind::Slider,
     .left = 6720, .top = 3000, .width = kSliderW, .height = kSliderH, .tabIndex = kTabVScroll6,
     .maximum = kRampDown.maximum(), .position = 254,
     .accessibleName = QT_TRANSLATE_NOOP("Controls", "Ramp Down (sec) up/down"),
     .accessibleDescription = kRampsGroup},
    {.name = "Label24", .kind = ControlKind::Label, .caption = "sec",
     .left = 7200, .top = 3000, .width = 375, .height = kLabelH},
    {.name = "Label25", .kind = ControlKind::Label, .caption = "Time 0 at 51 sec",
     .left = 6120, .top = 3360, .width = 1215, .height = kLabelH},
    {.name = "Check13", .kind = ControlKind::OptionBox,
     .left = 6120, .top = 3600, .width = kBox, .height = kBox, .tabIndex = kTabCheck13,
     .accessibleName = QT_TRANSLATE_NOOP("Controls", "RAMPS Enable Ramps"),
     .accessibleDescription = kRampsGroup},
    {.name = "Label16", .kind = ControlKind::Label, .caption = "Enable Ramps",
     .left = 6480, .top = 3600, .width = 1095, .height = kLabelH},

    // Reference input and the four levels
    {.name = "Label27", .kind = ControlKind::BoldLabel,
     .caption = "SETTING  REFERENCE AND CONTROL CURRENT",
     .left = 1920, .top = 4200, .width = 4575, .height = kLabelH},
    {.name = "Label2", .kind = ControlKind::Label, .caption = "Riferimento IN",
     .left = 960, .top = 4680, .width = 1215, .height = kLabelH},
    {.name = "Check12", .kind = ControlKind::OptionBox,
     .left = 840, .top = 5040, .width = kBox, .height = kBox, .tabIndex = kTabCheck12,
     .accessibleName = QT_TRANSLATE_NOOP("Controls", "Riferimento IN (E0) 0 - 10V"),
     .accessibleDescription = kLevelsGroup},
    {.name = "Label15", .kind = ControlKind::Label, .caption = kReferenceCaptions[1],
     .left = 1320, .top = 5040, .width = 1215, .height = kLabelH},
    {.name = "Check2", .kind = ControlKind::OptionBox,
     .left = 840, .top = 5400, .width = kBox, .height = kBox, .tabIndex = kTabCheck2,
     .accessibleName = QT_TRANSLATE_NOOP("Controls", "Riferimento IN (E2) 0 - 5V"),
     .accessibleDescription = kLevelsGroup},
    {.name = "Label3", .kind = ControlKind::Label, .caption = kReferenceCaptions[0],
     .left = 1320, .top = 5400, .width = 1215, .height = kLabelH},
    {.name = "Check14", .kind = ControlKind::OptionBox,
     .left = 840, .top = 5760, .width = kBox, .height = kBox, .tabIndex = kTabCheck14,
     .accessibleName = QT_TRANSLATE_NOOP("Controls", "Riferimento IN (E1) 4-20mA"),
     .accessibleDescription = kLevelsGroup},
    {.name = "Label17", .kind = ControlKind::Label, .caption = kReferenceCaptions[2],
     .left = 1320, .top = 5760, .width = 1215, .height = kLabelH},
    {.name = "Label28", .kind = ControlKind::Label, .caption = "Vt (mV)",
     .left = 3480, .top = 4800, .width = 615, .height = kLabelH},
    {.name = "Text5", .kind = ControlKind::ValueBox, .caption = "0",
     .left = 4200, .top = 4800, .width = kBoxW, .height = kBoxH, .tabIndex = kTabText5,
     .accessibleName = QT_TRANSLATE_NOOP("Controls", "Vt (mV)"),
     .accessibleDescription = kLevelsGroup},
    {.name = "VScroll1", .kind = ControlKind::Slider,
     .left = 4800, .top = 4800, .width = kSliderW, .height = kSliderH, .tabIndex = kTabVScroll1,
     .maximum = kVt.maximum(), .position = 12,
     .accessibleName = QT_TRANSLATE_NOOP("Controls", "Vt (mV) up/down"),
     .accessibleDescription = kLevelsGroup},
    {.name = "Label29", .kind = ControlKind::Label, .caption = "I Min (mA)",
     .left = 3360, .top = 5640, .width = 795, .height = kLabelH},
    {.name = "Text6", .kind = ControlKind::ValueBox, .caption = "0",
     .left = 4200, .top = 5640, .width = kBoxW, .height = kBoxH, .tabIndex = kTabText6,
     .accessibleName = QT_TRANSLATE_NOOP("Controls", "I Min (mA)"),
     .accessibleDescription = kLevelsGroup},
    {.name = "VScroll2", .kind = ControlKind::Slider,
     .left = 4800, .top = 5640, .width = kSliderW, .height = kSliderH, .tabIndex = kTabVScroll2,
     .maximum = kIMin.maximum(), .position = 127,
     .accessibleName = QT_TRANSLATE_NOOP("Controls", "I Min (mA) up/down"),
     .accessibleDescription = kLevelsGroup},
    {.name = "Label31", .kind = ControlKind::Label, .caption = "I Pol (mA)",
     .left = 5520, .top = 4800, .width = 795, .height = kLabelH},
    {.name = "Text8", .kind = ControlKind::ValueBox, .caption = "0",
     .left = 6360, .top = 4800, .width = kBoxW, .height = kBoxH, .tabIndex = kTabText8,
     .accessibleName = QT_TRANSLATE_NOOP("Controls", "I Pol (mA)"),
     .accessibleDescription = kLevelsGroup},
    {.name = "VScroll4", .kind = ControlKind::Slider,
     .left = 6960, .top = 4800, .width = kSliderW, .height = kSliderH, .tabIndex = kTabVScroll4,
     .maximum = kIPol.maximum(), .position = 50,
     .accessibleName = QT_TRANSLATE_NOOP("Controls", "I Pol (mA) up/down"),
     .accessibleDescription = kLevelsGroup},
    {.name = "Label34", .kind = ControlKind::Label, .caption = "I Max (mA)",
     .left = 5520, .top = 5640, .width = 795, .height = kLabelH},
    {.name = "Text11", .kind = ControlKind::ValueBox, .caption = "0",
     .left = 6360, .top = 5640, .width = kBoxW, .height = kBoxH, .tabIndex = kTabText11,
     .accessibleName = QT_TRANSLATE_NOOP("Controls", "I Max (mA)"),
     .accessibleDescription = kLevelsGroup},
    {.name = "VScroll5", .kind = ControlKind::Slider,
     .left = 6960, .top = 5640, .width = kSliderW, .height = kSliderH, .tabIndex = kTabVScroll5,
     .maximum = kIMax.maximum(), .position = 0,
     .accessibleName = QT_TRANSLATE_NOOP("Controls", "I Max (mA) up/down"),
     .accessibleDescription = kLevelsGroup},
    {.name = "Command1", .kind = ControlKind::Button, .caption = "Send Parameters",
     .left = 1200, .top = 6600, .width = 1815, .height = 375, .tabIndex = kTabCommand1},
    {.name = "Command2", .kind = ControlKind::Button, .caption = "Read Parameters",
     .left = 5640, .top = 6600, .width = 1815, .height = 375, .tabIndex = kTabCommand2},
};
// clang-format on

} // namespace

Form1::Form1(CardContext& context) : CardWindow(context, CardModel::VrnA, 8340, 7200, kMenus)
{
    setObjectName(QStringLiteral("Form1"));
    buildLayout();

    // No rule runs here: the boxes show their initial texts and no slot is written until the
    // user (or a Read or an Open) changes a control.
    SlotTable& slots = context.slots;
    const int writer = static_cast<int>(model());
    const auto row = [&](const char* slider, const char* box, const CardValue& value) {
        return new ParameterRow(m_form.get<SpinSlider>(slider), m_form.get<ValueBox>(box), slots,
                                writer, value, this);
    };
    m_vt = row("VScroll1", "Text5", kVt);
    m_iMin = row("VScroll2", "Text6", kIMin);
    m_iPol = row("VScroll4", "Text8", kIPol);
    m_iMax = row("VScroll5", "Text11", kIMax);
    // Both ramp boxes take a time in seconds; while ramps are off they refuse every entry.
    m_rampUp = row("VScroll3", "Text2", kRampUp);
    m_rampDown = row("VScroll6", "Text3", kRampDown);

    const auto box = [this](const char* name) { return m_form.get<OptionBox>(name); };
    std::vector<OptionGroup::Choice> coil;
    const char* const coilBoxes[] = {"Check3", "Check4", "Check5", "Check6", "Check1"};
    for (int i = 0; i < 5; ++i)
        coil.push_back({box(coilBoxes[i]), i + 1, parameterCode(i + 1)});
    m_coil = new OptionGroup(slots, writer, kCoil.letter, std::move(coil), this);
    m_coil->setAfterClick([this](int index) { moveToCoilPreset(index); });

    m_pwm = new OptionGroup(slots, writer, kPwm.letter, pwmChoices(pwmBoxes(m_form)), this);

    // Slot a holds the bare number; the boxes are listed in the order a Read sets their marks.
    m_reference = new OptionGroup(slots, writer, kReference.letter,
                                  {{box("Check2"), 0, SlotValue(0.0)},
                                   {box("Check12"), 1, SlotValue(1.0)},
                                   {box("Check14"), 2, SlotValue(2.0)}},
                                  this);

    m_enableRamps = box("Check13");
    connect(m_enableRamps, &OptionBox::toggled, this, &Form1::runRampEnableRule);

    m_send = m_form.get<GraphicalButton>("Command1");
    m_read = m_form.get<GraphicalButton>("Command2");
    setTransferButtons(m_send, m_read, true); // VRN-A pauses after each frame of its Send
}

void Form1::buildLayout()
{
    m_form.add(kLayout);
    m_form.add(pwmColumn({.boxLeft = 3600,
                          .labelLeft = 3960,
                          .firstTop = 2040,
                          .boxTabs = {kTabCheck7, kTabCheck8, kTabCheck9, kTabCheck10, kTabCheck11},
                          .labelTabs = {-1, -1, -1, -1, -1}}));
    finishForm();
}

void Form1::moveToCoilPreset(int index)
{
    m_iMax->setPosition(kCoilPresetPositions.at(static_cast<std::size_t>(index)));
    // Run once more even when the slider already stood there, so box and slot H follow.
    m_iMax->runChangeRule();
}

void Form1::runRampEnableRule()
{
    if (m_enableRamps->isChecked()) {
        m_rampUp->slider()->setEnabled(true);
        m_rampDown->slider()->setEnabled(true);
        m_rampUp->runChangeRule();
        m_rampDown->runChangeRule();
        return;
    }
    // Ramps off: both codes become 0 and the arrows stay inert until the box is marked again.
    m_rampDown->box()->setText(QStringLiteral("0"));
    m_rampUp->box()->setText(QStringLiteral("0"));
    m_rampUp->slider()->setEnabled(false);
    m_rampDown->slider()->setEnabled(false);
    m_rampUp->setPosition(kRampUp.maximum());
    m_rampUp->runChangeRule();
    m_rampDown->setPosition(kRampDown.maximum());
    m_rampDown->runChangeRule();
}

void Form1::applyReply(const ReplyFields& fields)
{
    m_coil->applyRead(kCoil.reply.valueIn(fields));
    m_pwm->applyRead(kPwm.reply.valueIn(fields));

    const int rampUp = static_cast<int>(kRampUp.reply.valueIn(fields));
    const int rampDown = static_cast<int>(kRampDown.reply.valueIn(fields));
    m_rampUp->applyTime(rampUp, false);
    m_rampDown->applyTime(rampDown, false);
    // The enable rule then brings boxes and slots in line with the sliders: both ramps 0
    // means ramps off.
    m_enableRamps->setChecked(rampUp != 0 || rampDown != 0);
    runRampEnableRule();

    m_vt->applyCurrent(static_cast<int>(kVt.reply.valueIn(fields)));
    m_iPol->applyCurrent(static_cast<int>(kIPol.reply.valueIn(fields)));
    m_iMin->applyCurrent(static_cast<int>(kIMin.reply.valueIn(fields)));
    m_iMax->applyCurrent(static_cast<int>(kIMax.reply.valueIn(fields)));

    applyReference(kReference.reply.valueIn(fields));
}

std::optional<int> Form1::shownCode(char letter) const
{
    for (const ParameterRow* row : {m_vt, m_iMin, m_iPol, m_iMax, m_rampUp, m_rampDown}) {
        if (row->letter() == letter)
            return row->code();
    }
    for (const OptionGroup* group : {m_coil, m_pwm, m_reference}) {
        if (group->letter() == letter)
            return group->markedNumber();
    }
    return std::nullopt;
}

void Form1::applyReference(double number)
{
    m_context.slots.setNumber(kReference.letter, number, static_cast<int>(model()));
    const int chosen = m_reference->indexOf(number);
    if (chosen < 0)
        return; // an unknown reference type changes no mark
    for (int i = 0; i < m_reference->size(); ++i)
        m_reference->box(i)->setChecked(i == chosen);
    // Clearing a box runs its click action, which stores that box's value: store the number
    // read once more.
    m_context.slots.setNumber(kReference.letter, number, static_cast<int>(model()));
}

QString Form1::savedBoxText(const ParameterRow* row)
{
    QString text = row->box()->text();
    text.remove(QLatin1Char('"'));
    // A box holding no number would refuse its entry and show the slider's value: save that,
    // so the file always loads again.
    if (!parseBoxNumber(text))
        return row->displayText(row->code());
    // The file takes "." as decimal point, whatever the user's number format.
    return fileNumberText(text);
}

QByteArray Form1::parameterFile() const
{
    const SlotTable& slots = m_context.slots;
    ParameterFileWriter file(parameterFileValues());
    file.integer(kRampUp.fileLine, m_rampUp->slider()->value());
    file.integer(kRampDown.fileLine, m_rampDown->slider()->value());
    file.text(kVt.fileLine, savedBoxText(m_vt));
    file.text(kIMin.fileLine, savedBoxText(m_iMin));
    file.text(kIPol.fileLine, savedBoxText(m_iPol));
    file.text(kIMax.fileLine, savedBoxText(m_iMax));
    for (const CardValue& option : {kCoil, kPwm, kReference}) // slot a holds a plain number
        file.slot(option.fileLine, slots.value(option.letter));
    file.integer(kRampsEnabledLine, m_enableRamps->isChecked() ? 1 : 0);
    return file.bytes();
}

void Form1::applyRamps(double enabled, int rampUpPosition, int rampDownPosition)
{
    if (enabled != 0.0 && enabled != 1.0)
        return; // any other value leaves the ramps as they are
    m_enableRamps->setChecked(enabled == 1.0);
    m_rampUp->setPosition(rampUpPosition);
    m_rampDown->setPosition(rampDownPosition);
    // Brings boxes and slots in line; with ramps off it puts both sliders back to 0 s.
    runRampEnableRule();
}

void Form1::applyLevel(ParameterRow* row, const std::vector<FileField>& fields,
                       const CardValue& value)
{
    // The box takes the saved text, then converts it as a typed entry is converted when the
    // box is left: the slider moves to its code (clamped into range) and the slot holds that
    // code. A text that a box shows for a code loads as that code, so that Save and Open keep
    // 0 and the multiples of 100 steps as they were.
    const int line = value.fileLine;
    const FileField& field = fields.at(static_cast<std::size_t>(line - 1));
    row->box()->setText(boxTextFromFile(field.text));
    const QString loaded = row->box()->text();
    const std::optional<double> wanted = row->wantedCode(loaded, ParameterRow::Reading::Shown);
    row->runLeaveRule(ParameterRow::Reading::Shown);
    // Out of range only when the box now shows another number: Vt 586, the largest value the
    // window itself shows and saves, converts one step beyond the slider and back.
    if (wanted && *wanted != row->code() &&
        parseBoxNumber(loaded) != parseBoxNumber(row->box()->text())) {
        noteLoadAdjustment(
            QCoreApplication::translate("ParameterFile", "line %1 (%2) held %3: %4 was set")
                .arg(line)
                .arg(value.displayName(), field.text, valueText(value.unit, row->code())));
    }
}

std::optional<QString> Form1::applyParameterFile(const std::vector<FileField>& fields)
{
    const auto replyName = [](const CardValue& value) {
        return QCoreApplication::translate("Values", value.reply.name);
    };
    LoadCheck check;
    const int rampUp = check.position(
        fields, kRampUp.fileLine, QCoreApplication::translate("Values", "ramp-up slider position"),
        kRampUp.maximum());
    const int rampDown = check.position(
        fields, kRampDown.fileLine,
        QCoreApplication::translate("Values", "ramp-down slider position"), kRampDown.maximum());
    for (const CardValue& level : {kVt, kIMin, kIPol, kIMax})
        check.boxNumber(fields, level.fileLine, level.displayName());
    // The option slots go out as digits of a command frame: whole numbers only.
    const double coil = check.slotCode(fields, kCoil.fileLine, replyName(kCoil));
    const double pwm = check.slotCode(fields, kPwm.fileLine, replyName(kPwm));
    const double reference = check.slotCode(fields, kReference.fileLine, replyName(kReference));
    const double enabled = check.boxNumber(fields, kRampsEnabledLine,
                                           QCoreApplication::translate("Values", "Enable Ramps"));
    if (!check.ok())
        return check.error;
    // The reference input goes out as "a0000" and the number: one digit, or the frame would
    // not be a command frame.
    if (reference > kReference.maximum())
        return QCoreApplication::translate("ParameterFile",
                                           "line %1 (%2) is %3, not a whole number from 0 to %4")
            .arg(kReference.fileLine)
            .arg(replyName(kReference))
            .arg(classicNumberText(reference))
            .arg(kReference.maximum());

    m_pwm->applyLoaded(pwm);
    m_coil->applyLoaded(coil); // a newly marked range moves I Max to its preset
    m_reference->applyLoaded(reference);
    applyRamps(enabled, rampUp, rampDown);
    applyLevel(m_vt, fields, kVt);
    applyLevel(m_iMin, fields, kIMin);
    applyLevel(m_iPol, fields, kIPol);
    applyLevel(m_iMax, fields, kIMax); // after the coil range, so the saved I Max wins
    return std::nullopt;
}

} // namespace vrn
