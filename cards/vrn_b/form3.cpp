#include "cards/vrn_b/form3.h"

#include "cards/common/card_layout.h"
#include "cards/common/option_group.h"
#include "cards/common/parameter_row.h"
#include "link/slot_table.h"
#include "sim/card.h"
#include "ui/graphical_button.h"
#include "ui/spin_slider.h"
#include "ui/value_box.h"

namespace vrn {
namespace {

constexpr CardMenuNames kMenus{"FL", "SLV", "&Save", "OP", "&Open", "EX"};

constexpr SendFrame kFrames[] = {
    SendFrame::fixed("A00000$"), SendFrame::padded('B'),      SendFrame::fixed("C00000$"),
    SendFrame::fixed("D00000$"), SendFrame::fixed("E00000$"), SendFrame::fixed("F00000$"),
    SendFrame::fixed("G00000$"), SendFrame::asHeld('H'),      SendFrame::fixed("a00000$"),
    SendFrame::padded('Z'),      kEndFrame,
};

constexpr ReplyValue kReplyValues[] = {
    {"PWM frequency", sim::reply::kPwm},
    {"maximum current", sim::reply::kMaxHigh, sim::reply::kMaxLow, 1023},
    {"over-supply time", sim::reply::kOverSupply, 0, 99},
};

} // namespace

Form3::Form3(CardContext& context)
    : CardWindow(context, QStringLiteral("VRN-B rev01"), 7245, 5550, kMenus)
{
    setObjectName(QStringLiteral("Form3"));
    m_form.add({
        {"Picture1", ControlKind::Picture, "", 0, 0, 10695, 1335, 0},
        {"Label9", ControlKind::BoldLabel, "PWM", 4800, 1560, 495, 255, 14},
        {"Shape3", ControlKind::Frame, "", 3960, 1920, 2055, 2175},
        {"Command1", ControlKind::Button, "Send Parameters", 1200, 4800, 1815, 375, 21},
        {"Command2", ControlKind::Button, "Read Parameters", 4080, 4800, 1815, 375, 20},
    });
    m_form.add(valueRow({"Label1", "CORRENTE MASSIMA REGOLATA", 600, 1560, 3135, 18, "Shape1",
                         1200, 1920, "Label34", "(mA)", 17, "Text11", 15, "VScroll5", 16, 1023,
                         255}));
    m_form.add(valueRow({"Label19", "TEMPO SOVRALIMENTAZIONE", 720, 3120, 2775, 8, "Shape5",
                         1200, 3480, "Label22", "msec", 7, "Text2", 1, "VScroll1", 19, 99, 99}));
    m_form.add(pwmColumn({4320, 4680, 2160, {6, 5, 4, 3, 2}, {13, 12, 11, 10, 9}}));
    m_form.applyTabOrder();

    SlotTable& slots = context.slots;
    m_current = new ParameterRow(m_form.get<SpinSlider>("VScroll5"),
                                 m_form.get<ValueBox>("Text11"), slots, 'H',
                                 RowDisplay::Current, RowEntry::CurrentWholeNumber, this);
    m_overSupply = new ParameterRow(m_form.get<SpinSlider>("VScroll1"),
                                    m_form.get<ValueBox>("Text2"), slots, 'Z',
                                    RowDisplay::TenMilliseconds, RowEntry::Milliseconds, this);
    m_pwm = new OptionGroup(slots, 'B', pwmChoices(pwmBoxes(m_form)), this);

    m_send = m_form.get<GraphicalButton>("Command1");
    m_read = m_form.get<GraphicalButton>("Command2");
    connect(m_send, &GraphicalButton::clicked, this, &Form3::send);
    connect(m_read, &GraphicalButton::clicked, this, &Form3::read);
}

void Form3::send()
{
    m_transfers.send(m_send, kFrames, false);
}

void Form3::read()
{
    m_transfers.read(m_read, kReplyValues, [this](const ReplyFields& f) { applyReply(f); });
}

void Form3::applyReply(const ReplyFields& fields)
{
    m_pwm->applyRead(fields.field(sim::reply::kPwm));
    m_current->applyCurrent(static_cast<int>(kReplyValues[1].valueIn(fields)));
    m_overSupply->applyTime(static_cast<int>(fields.field(sim::reply::kOverSupply)), true);
}

QByteArray Form3::parameterFile() const
{
    ParameterFileWriter file;
    file.integer(m_current->slider()->value());
    file.integer(m_overSupply->slider()->value());
    file.slot(m_context.slots.value('B'));
    return file.bytes();
}

std::optional<QString> Form3::applyParameterFile(const std::vector<FileField>& fields)
{
    LoadCheck check;
    const int current = check.position(fields, 1, "maximum current slider position", 1023);
    const int overSupply = check.position(fields, 2, "over-supply time slider position", 99);
    const double pwm = check.slotNumber(fields, 3, "PWM frequency");
    if (!check.ok())
        return check.error;

    m_pwm->applyLoaded(pwm);
    // Each change rule runs even when the position did not move, so the boxes show the file.
    m_current->setPosition(current);
    m_current->runChangeRule();
    m_overSupply->setPosition(overSupply);
    m_overSupply->runChangeRule();
    return std::nullopt;
}

} // namespace vrn
