#include "row_card_window.h"

#include "graphical_button.h"
#include "option_group.h"
#include "slot_table.h"
#include "spin_slider.h"
#include "value_box.h"

#include <QCoreApplication>

#include <algorithm>

namespace vrn {
namespace {

constexpr CardMenuNames kMenus{"FL", "SLV", "&Save", "OP", "&Open", "EX"};
// clang-format off
constexpr ControlLayout kPicture{.name = "Picture1", .kind = ControlKind::Picture,
                                 .left = 0, .top = 0, .width = 10695, .height = 1335,
                                 .tabIndex = 0};
// clang-format on
// The PWM group, in twips from the corner of its frame.
constexpr int kPwmFrameWidth = 2055;
constexpr int kPwmHeadingWidth = 495;
constexpr int kPwmHeadingInset = 840;
constexpr int kHeadingAboveFrame = 360;
constexpr int kPwmBoxInset = 360;
constexpr int kPwmLabelInset = 720;
constexpr int kPwmFirstRowBelowFrame = 240;
constexpr int kButtonWidth = 1815;
constexpr int kButtonHeight = 375;

ControlLayout transferButton(const TransferButtonLayout& button, const char* caption)
{
    // clang-format off
    return {.name = button.name, .kind = ControlKind::Button, .caption = caption,
            .left = button.left, .top = button.top, .width = kButtonWidth, .height = kButtonHeight,
            .tabIndex = button.tab};
    // clang-format on
}

} // namespace

RowCardWindow::RowCardWindow(CardContext& context, const RowCardLayout& card)
    : CardWindow(context, card.model, card.clientWidth, card.clientHeight, kMenus),
      m_pwmValue(card.pwmValue)
{
    setObjectName(QLatin1String(card.objectName));
    buildControls(card);

    const int writer = static_cast<int>(card.model);
    m_pwm = new OptionGroup(context.slots, writer, m_pwmValue.letter, pwmChoices(pwmBoxes(m_form)),
                            this);
    for (const CardRowLayout& row : card.rows) {
        auto* parameter = new ParameterRow(m_form.get<SpinSlider>(row.layout.slider),
                                           m_form.get<ValueBox>(row.layout.box), context.slots,
                                           writer, row.value, this);
        m_rows.push_back({parameter, row.value, row.reply});
    }
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        m_fileRows.push_back(i);
    std::sort(m_fileRows.begin(), m_fileRows.end(), [this](std::size_t a, std::size_t b) {
        return m_rows[a].value.fileLine < m_rows[b].value.fileLine;
    });
    for (std::size_t k = 0; k < m_fileRows.size(); ++k)
        Q_ASSERT_X(m_rows[m_fileRows[k]].value.fileLine == static_cast<int>(k) + 1, "RowCardWindow",
                   "the rows must fill the file's lines from the first on");
    Q_ASSERT_X(m_pwmValue.fileLine == parameterFileValues() &&
                   static_cast<int>(m_rows.size()) + 1 == parameterFileValues(),
               "RowCardWindow", "the rows' slider positions, then slot B make the model's file");
    Q_ASSERT_X(cardValues().size() == m_rows.size() + 1, "RowCardWindow",
               "every value but the PWM frequency has its row");

    m_send = m_form.get<GraphicalButton>(card.send.name);
    m_read = m_form.get<GraphicalButton>(card.read.name);
    setTransferButtons(m_send, m_read, false); // no pause between the frames
}

void RowCardWindow::buildControls(const RowCardLayout& card)
{
    const PwmGroupLayout& pwm = card.pwm;
    m_form.add({
        kPicture,
        // clang-format off
        {.name = "Label9", .kind = ControlKind::BoldLabel, .caption = "PWM",
         .left = pwm.frameLeft + kPwmHeadingInset, .top = pwm.frameTop - kHeadingAboveFrame,
         .width = kPwmHeadingWidth, .height = 255, .tabIndex = pwm.headingTab},
        {.name = "Shape3", .kind = ControlKind::Frame,
         .left = pwm.frameLeft, .top = pwm.frameTop, .width = kPwmFrameWidth,
         .height = pwm.frameHeight},
        // clang-format on
        transferButton(card.send, "Send Parameters"),
        transferButton(card.read, "Read Parameters"),
    });
    m_form.add(pwmColumn({.boxLeft = pwm.frameLeft + kPwmBoxInset,
                          .labelLeft = pwm.frameLeft + kPwmLabelInset,
                          .firstTop = pwm.frameTop + kPwmFirstRowBelowFrame,
                          .boxTabs = pwm.boxTabs,
                          .labelTabs = pwm.labelTabs}));
    for (const CardRowLayout& row : card.rows) {
        ValueRowLayout layout = row.layout;
        layout.maximum = row.value.maximum();
        m_form.add(valueRow(layout));
    }
    finishForm();
}

void RowCardWindow::applyReply(const ReplyFields& fields)
{
    m_pwm->applyRead(m_pwmValue.reply.valueIn(fields));
    for (const Row& r : m_rows) {
        const int value = static_cast<int>(r.value.reply.valueIn(fields));
        ParameterRow* row = r.parameter;
        switch (r.reply) {
        case RowReply::Current:
            row->applyCurrent(value);
            break;
        case RowReply::TimeShown:
            row->applyTime(value, true);
            break;
        case RowReply::TimeInSlot:
            row->applyTime(value, false);
            break;
        }
    }
}

std::optional<int> RowCardWindow::shownCode(char letter) const
{
    if (letter == m_pwmValue.letter)
        return m_pwm->markedNumber();
    for (const Row& row : m_rows) {
        if (row.value.letter == letter)
            return row.parameter->code();
    }
    return std::nullopt;
}

QByteArray RowCardWindow::parameterFile() const
{
    ParameterFileWriter file(parameterFileValues());
    for (const Row& row : m_rows)
        file.integer(row.value.fileLine, row.parameter->slider()->value());
    file.slot(m_pwmValue.fileLine, m_context.slots.value(m_pwmValue.letter));
    return file.bytes();
}

std::optional<QString> RowCardWindow::applyParameterFile(const std::vector<FileField>& fields)
{
    LoadCheck check;
    std::vector<int> positions;
    for (std::size_t i : m_fileRows) {
        const Row& row = m_rows[i];
        const QString what = QCoreApplication::translate("Values", "%1 slider position")
                                 .arg(QCoreApplication::translate("Values", row.value.reply.name));
        positions.push_back(
            check.position(fields, row.value.fileLine, what, row.parameter->maximum()));
    }
    const double pwm = check.slotCode(fields, m_pwmValue.fileLine,
                                      QCoreApplication::translate("Values", m_pwmValue.reply.name));
    if (!check.ok())
        return check.error;

    m_pwm->applyLoaded(pwm);
    for (std::size_t k = 0; k < m_fileRows.size(); ++k) {
        ParameterRow* row = m_rows[m_fileRows[k]].parameter;
        // The change rule runs even when the position did not move, so the box shows the file.
        row->setPosition(positions[k]);
        row->runChangeRule();
    }
    return std::nullopt;
}

} // namespace vrn
