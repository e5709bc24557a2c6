#include "cards/vrn_a/form1.h"

#include "cards/common/card_layout.h"
#include "cards/common/option_group.h"
#include "cards/common/parameter_row.h"
#include "link/number_rules.h"
#include "link/protocol.h"
#include "link/slot_table.h"
#include "ui/graphical_button.h"
#include "ui/option_box.h"
#include "ui/spin_slider.h"
#include "ui/value_box.h"

#include <QCoreApplication>

#include <array>

namespace vrn {
namespace {

constexpr CardMenuNames kMenus{"mnuFile", "mnuSave", "Save", "mnuOpen", "Open", "mnuExit"};

constexpr int kRampMaximum = 255;    // ramp slider positions and codes, 0.2 s steps
constexpr int kLargestReference = 9; // "a0000" and one digit: a five-digit command frame

// Slots A to H are brought to five digits just before their frame; slot I is never written,
// and slot a holds a plain 0, 1 or 2 that the card expects after "a0000".
constexpr SendFrame kFrames[] = {
    SendFrame::padded('A'),
    SendFrame::padded('B'),
    SendFrame::padded('C'),
    SendFrame::padded('D'),
    SendFrame::padded('E'),
    SendFrame::padded('F'),
    SendFrame::padded('G'),
    SendFrame::padded('H'),
    SendFrame::fixed("I$"),
    SendFrame::asHeld('a', "0000"),
    kEndFrame,
};

// Every reply field the window applies, checked before any of it is applied.
constexpr ReplyValue kReplyValues[] = {
    {QT_TRANSLATE_NOOP("Values", "coil current range"), protocol::field::kCoil},
    {QT_TRANSLATE_NOOP("Values", "PWM frequency"), protocol::field::kPwm},
    {QT_TRANSLATE_NOOP("Values", "ramp-up time"), protocol::field::kRampUp, 0, 255},
    {QT_TRANSLATE_NOOP("Values", "ramp-down time"), protocol::field::kRampDown, 0, 255},
    {QT_TRANSLATE_NOOP("Values", "Vt level"), protocol::field::kVtHigh, protocol::field::kVtLow,
     200},
    {QT_TRANSLATE_NOOP("Values", "I Pol current"), protocol::field::kPolHigh,
     protocol::field::kPolLow, 255},
    {QT_TRANSLATE_NOOP("Values", "I Min current"), protocol::field::kMinHigh,
     protocol::field::kMinLow, 511},
    {QT_TRANSLATE_NOOP("Values", "I Max current"), protocol::field::kMaxHigh,
     protocol::field::kMaxLow, 1023},
    {QT_TRANSLATE_NOOP("Values", "reference input"), protocol::field::kReference, 0,
     kLargestReference},
};
enum ReplyIndex { kVt = 4, kIPol = 5, kIMin = 6, kIMax = 7 };

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

const ControlSpec kLayout[] = {
    {"Picture1", ControlKind::Picture, "", 0, 0, 10935, 1335, kTabPicture1},
    {"Shape2", ControlKind::Frame, "", 480, 1800, 2295, 2175},
    {"Shape3", ControlKind::Frame, "", 3240, 1800, 2055, 2175},
    {"Shape5", ControlKind::Frame, "", 5760, 1800, 2055, 2175},
    {"Shape6", ControlKind::Frame, "", 480, 4560, 7335, 1695},

    // Coil current range
    {"Label4", ControlKind::BoldLabel, "CURRENT COIL", 960, 1440, 1575, kLabelH},
    {"Check3", ControlKind::OptionBox, "", 840, 2040, kBox, kBox, kTabCheck3},
    {"Label5", ControlKind::Label, "(1)  860 mA", 1200, 2040, 1095, kLabelH},
    {"Check4", ControlKind::OptionBox, "", 840, 2400, kBox, kBox, kTabCheck4},
    {"Label6", ControlKind::Label, "(2) 1200 mA", 1200, 2400, 1095, kLabelH},
    {"Check5", ControlKind::OptionBox, "", 840, 2760, kBox, kBox, kTabCheck5},
    {"Label7", ControlKind::Label, "(3) 1600 mA", 1200, 2760, 1095, kLabelH},
    {"Check6", ControlKind::OptionBox, "", 840, 3120, kBox, kBox, kTabCheck6},
    {"Label8", ControlKind::Label, "(4) 1880 mA", 1200, 3120, 1095, kLabelH},
    {"Check1", ControlKind::OptionBox, "", 840, 3480, kBox, kBox, kTabCheck1},
    {"Label1", ControlKind::Label, "(5) 2600 mA", 1200, 3480, 1095, 195},

    // PWM frequency (the column itself comes from the shared layout)
    {"Label9", ControlKind::BoldLabel, "PWM", 4080, 1440, 495, kLabelH},

    // Ramps
    {"Label19", ControlKind::BoldLabel, "RAMPS", 6600, 1440, 735, kLabelH},
    {"Label21", ControlKind::Label, "Ramp Up", 6120, 2040, 975, kLabelH},
    {"Text2", ControlKind::ValueBox, "", 6120, 2280, kBoxW, kBoxH, kTabText2},
    {"VScroll3", ControlKind::Slider, "", 6720, 2280, kSliderW, kSliderH, kTabVScroll3,
     kRampMaximum, 254},
    {"Label22", ControlKind::Label, "sec", 7200, 2280, 375, kLabelH},
    {"Label23", ControlKind::Label, "Ramp Down", 6120, 2760, 975, kLabelH},
    {"Text3", ControlKind::ValueBox, "", 6120, 3000, kBoxW, kBoxH, kTabText3},
    {"VScroll6", ControlKind::Slider, "", 6720, 3000, kSliderW, kSliderH, kTabVScroll6,
     kRampMaximum, 254},
    {"Label24", ControlKind::Label, "sec", 7200, 3000, 375, kLabelH},
    {"Label25", ControlKind::Label, "Time 0 at 51 sec", 6120, 3360, 1215, kLabelH},
    {"Check13", ControlKind::OptionBox, "", 6120, 3600, kBox, kBox, kTabCheck13},
    {"Label16", ControlKind::Label, "Enable Ramps", 6480, 3600, 1095, kLabelH},

    // Reference input and the four levels
    {"Label27", ControlKind::BoldLabel, "SETTING  REFERENCE AND CONTROL CURRENT", 1920, 4200, 4575,
     kLabelH},
    {"Label2", ControlKind::Label, "Riferimento IN", 960, 4680, 1215, kLabelH},
    {"Check12", ControlKind::OptionBox, "", 840, 5040, kBox, kBox, kTabCheck12},
    {"Label15", ControlKind::Label, "(E0) 0 - 10V", 1320, 5040, 1215, kLabelH},
    {"Check2", ControlKind::OptionBox, "", 840, 5400, kBox, kBox, kTabCheck2},
    {"Label3", ControlKind::Label, "(E2) 0 - 5V", 1320, 5400, 1215, kLabelH},
    {"Check14", ControlKind::OptionBox, "", 840, 5760, kBox, kBox, kTabCheck14},
    {"Label17", ControlKind::Label, "(E1) 4-20mA", 1320, 5760, 1215, kLabelH},

    {"Label28", ControlKind::Label, "Vt (mV)", 3480, 4800, 615, kLabelH},
    {"Text5", ControlKind::ValueBox, "0", 4200, 4800, kBoxW, kBoxH, kTabText5},
    {"VScroll1", ControlKind::Slider, "", 4800, 4800, kSliderW, kSliderH, kTabVScroll1, 200, 12},
    {"Label29", ControlKind::Label, "I Min (mA)", 3360, 5640, 795, kLabelH},
    {"Text6", ControlKind::ValueBox, "0", 4200, 5640, kBoxW, kBoxH, kTabText6},
    {"VScroll2", ControlKind::Slider, "", 4800, 5640, kSliderW, kSliderH, kTabVScroll2, 511, 127},
    {"Label31", ControlKind::Label, "I Pol (mA)", 5520, 4800, 795, kLabelH},
    {"Text8", ControlKind::ValueBox, "0", 6360, 4800, kBoxW, kBoxH, kTabText8},
    {"VScroll4", ControlKind::Slider, "", 6960, 4800, kSliderW, kSliderH, kTabVScroll4, 255, 50},
    {"Label34", ControlKind::Label, "I Max (mA)", 5520, 5640, 795, kLabelH},
    {"Text11", ControlKind::ValueBox, "0", 6360, 5640, kBoxW, kBoxH, kTabText11},
    {"VScroll5", ControlKind::Slider, "", 6960, 5640, kSliderW, kSliderH, kTabVScroll5, 1023, 0},

    {"Command1", ControlKind::Button, "Send Parameters", 1200, 6600, 1815, 375, kTabCommand1},
    {"Command2", ControlKind::Button, "Read Parameters", 5640, 6600, 1815, 375, kTabCommand2},
};

} // namespace

Form1::Form1(CardContext& context)
    : CardWindow(context, QStringLiteral("VRN-A rev01"), 8340, 7200, kMenus)
{
    setObjectName(QStringLiteral("Form1"));
    buildLayout();

    // No rule runs here: the boxes show their initial texts and no slot is written until the
    // user (or a Read or an Open) changes a control.
    SlotTable& slots = context.slots;
    const auto row = [&](const char* slider, const char* box, char letter, RowDisplay display,
                         RowEntry entry) {
        return new ParameterRow(m_form.get<SpinSlider>(slider), m_form.get<ValueBox>(box), slots,
                                letter, display, entry, this);
    };
    m_vt = row("VScroll1", "Text5", 'E', RowDisplay::Current, RowEntry::Current);
    m_iMin = row("VScroll2", "Text6", 'G', RowDisplay::Current, RowEntry::Current);
    m_iPol = row("VScroll4", "Text8", 'F', RowDisplay::Current, RowEntry::Current);
    m_iMax = row("VScroll5", "Text11", 'H', RowDisplay::Current, RowEntry::CurrentWholeNumber);
    // Both ramp boxes take a time in seconds; while ramps are off they refuse every entry.
    m_rampUp = row("VScroll3", "Text2", 'C', RowDisplay::Seconds, RowEntry::Seconds);
    m_rampDown = row("VScroll6", "Text3", 'D', RowDisplay::Seconds, RowEntry::Seconds);

    const auto box = [this](const char* name) { return m_form.get<OptionBox>(name); };
    std::vector<OptionGroup::Choice> coil;
    const char* const coilBoxes[] = {"Check3", "Check4", "Check5", "Check6", "Check1"};
    for (int i = 0; i < 5; ++i)
        coil.push_back({box(coilBoxes[i]), i + 1, parameterCode(i + 1)});
    m_coil = new OptionGroup(slots, 'A', std::move(coil), this);
    m_coil->setAfterClick([this](int index) { moveToCoilPreset(index); });

    m_pwm = new OptionGroup(slots, 'B', pwmChoices(pwmBoxes(m_form)), this);

    // Slot a holds the bare number; the boxes are listed in the order a Read sets their marks.
    m_reference = new OptionGroup(slots, 'a',
                                  {{box("Check2"), 0, SlotValue(0.0)},
                                   {box("Check12"), 1, SlotValue(1.0)},
                                   {box("Check14"), 2, SlotValue(2.0)}},
                                  this);

    m_enableRamps = box("Check13");
    connect(m_enableRamps, &OptionBox::toggled, this, &Form1::runRampEnableRule);

    m_send = m_form.get<GraphicalButton>("Command1");
    m_read = m_form.get<GraphicalButton>("Command2");
    connect(m_send, &GraphicalButton::clicked, this, &Form1::send);
    connect(m_read, &GraphicalButton::clicked, this, &Form1::read);
}

std::span<const ReplyValue> Form1::replyValues()
{
    return kReplyValues;
}

void Form1::buildLayout()
{
    m_form.add(kLayout);
    m_form.add(pwmColumn({3600,
                          3960,
                          2040,
                          {kTabCheck7, kTabCheck8, kTabCheck9, kTabCheck10, kTabCheck11},
                          {-1, -1, -1, -1, -1}}));
    m_form.finish();
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
    m_rampUp->setPosition(kRampMaximum);
    m_rampUp->runChangeRule();
    m_rampDown->setPosition(kRampMaximum);
    m_rampDown->runChangeRule();
}

void Form1::send()
{
    m_transfers.send(m_send, kFrames, true);
}

void Form1::read()
{
    m_transfers.read(m_read, replyValues(), [this](const ReplyFields& f) { applyReply(f); });
}

void Form1::applyReply(const ReplyFields& fields)
{
    m_coil->applyRead(fields.field(protocol::field::kCoil));
    m_pwm->applyRead(fields.field(protocol::field::kPwm));

    const int rampUp = static_cast<int>(fields.field(protocol::field::kRampUp));
    const int rampDown = static_cast<int>(fields.field(protocol::field::kRampDown));
    m_rampUp->applyTime(rampUp, false);
    m_rampDown->applyTime(rampDown, false);
    // The enable rule then brings boxes and slots in line with the sliders: both ramps 0
    // means ramps off.
    m_enableRamps->setChecked(rampUp != 0 || rampDown != 0);
    runRampEnableRule();

    m_vt->applyCurrent(static_cast<int>(kReplyValues[kVt].valueIn(fields)));
    m_iPol->applyCurrent(static_cast<int>(kReplyValues[kIPol].valueIn(fields)));
    m_iMin->applyCurrent(static_cast<int>(kReplyValues[kIMin].valueIn(fields)));
    m_iMax->applyCurrent(static_cast<int>(kReplyValues[kIMax].valueIn(fields)));

    applyReference(fields.field(protocol::field::kReference));
}

void Form1::applyReference(double number)
{
    m_context.slots.setNumber('a', number);
    const int chosen = m_reference->indexOf(number);
    if (chosen < 0)
        return; // an unknown reference type changes no mark
    for (int i = 0; i < m_reference->size(); ++i)
        m_reference->box(i)->setChecked(i == chosen);
    // Clearing a box runs its click action, which stores that box's value: store the number
    // read once more.
    m_context.slots.setNumber('a', number);
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
    ParameterFileWriter file;
    file.integer(m_rampUp->slider()->value());
    file.integer(m_rampDown->slider()->value());
    file.text(savedBoxText(m_vt));
    file.text(savedBoxText(m_iMin));
    file.text(savedBoxText(m_iPol));
    file.text(savedBoxText(m_iMax));
    file.slot(slots.value('A'));
    file.slot(slots.value('B'));
    file.slot(slots.value('a')); // slot a only ever holds a plain number: written bare
    file.integer(m_enableRamps->isChecked() ? 1 : 0);
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

void Form1::applyLevel(ParameterRow* row, const FileField& field)
{
    // The box takes the saved text, then converts it as if the user had typed it and left the
    // box: the slider moves to its code (clamped into range) and the slot holds that code.
    row->box()->setText(boxTextFromFile(field.text));
    row->runLeaveRule();
}

std::optional<QString> Form1::applyParameterFile(const std::vector<FileField>& fields)
{
    LoadCheck check;
    const int rampUp = check.position(
        fields, 1, QCoreApplication::translate("Values", "ramp-up slider position"), kRampMaximum);
    const int rampDown = check.position(
        fields, 2, QCoreApplication::translate("Values", "ramp-down slider position"),
        kRampMaximum);
    check.boxNumber(fields, 3, QCoreApplication::translate("Values", "Vt"));
    check.boxNumber(fields, 4, QCoreApplication::translate("Values", "I Min"));
    check.boxNumber(fields, 5, QCoreApplication::translate("Values", "I Pol"));
    check.boxNumber(fields, 6, QCoreApplication::translate("Values", "I Max"));
    // The option slots go out as digits of a command frame: whole numbers only.
    const double coil =
        check.slotCode(fields, 7, QCoreApplication::translate("Values", "coil current range"));
    const double pwm =
        check.slotCode(fields, 8, QCoreApplication::translate("Values", "PWM frequency"));
    const double reference =
        check.slotCode(fields, 9, QCoreApplication::translate("Values", "reference input"));
    const double enabled =
        check.boxNumber(fields, 10, QCoreApplication::translate("Values", "Enable Ramps"));
    if (!check.ok())
        return check.error;
    // The reference input goes out as "a0000" and the number: one digit, or the frame would
    // not be a command frame.
    if (reference > kLargestReference)
        return QCoreApplication::translate("ParameterFile",
                                           "line %1 (%2) is %3, not a whole number from 0 to %4")
            .arg(9)
            .arg(QCoreApplication::translate("Values", "reference input"))
            .arg(classicNumberText(reference))
            .arg(kLargestReference);

    m_pwm->applyLoaded(pwm);
    m_coil->applyLoaded(coil); // a newly marked range moves I Max to its preset
    m_reference->applyLoaded(reference);
    applyRamps(enabled, rampUp, rampDown);
    applyLevel(m_vt, fields[2]);
    applyLevel(m_iMin, fields[3]);
    applyLevel(m_iPol, fields[4]);
    applyLevel(m_iMax, fields[5]); // after the coil range, so the saved I Max wins
    return std::nullopt;
}

} // namespace vrn
