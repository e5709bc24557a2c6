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

// The parameter frames of these cards' Send, in order, as they go out for a letter that the
// window does not edit; the end frame follows them.
constexpr const char* kZeroFrames[] = {"A00000$", "B00000$", "C00000$", "D00000$", "E00000$",
                                       "F00000$", "G00000$", "H00000$", "a00000$", "Z00000$"};

constexpr char kPwmLetter = 'B';
constexpr CardValue kPwmValue{'B', QT_TRANSLATE_NOOP("Values", "PWM"), ValueUnit::PwmChoice};
constexpr ReplyValue kPwmReply{QT_TRANSLATE_NOOP("Values", "PWM frequency"), protocol::field::kPwm};

ControlLayout transferButton(const TransferButtonLayout& button, const char* caption)
{
    // clang-format off
    return {.name = button.name, .kind = ControlKind::Button, .caption = caption,
            .left = button.left, .top = button.top, .width = kButtonWidth, .height = kButtonHeight,
            .tabIndex = button.tab};
    // clang-format on
}

} // namespace

std::vector<ReplyValue> rowCardReplyValues(std::span<const CardRowLayout> rows)
{
    std::vector<ReplyValue> values{kPwmReply};
    for (const CardRowLayout& row : rows) {
        const RowQuantity& q = row.quantity;
        values.push_back({q.name, q.replyPosition, q.replyLowPosition, row.layout.maximum});
    }
    return values;
}

std::vector<CardValue> rowCardValues(std::span<const CardRowLayout> rows)
{
    // The PWM frequency goes out second (slot B), then the rows by their letters' order.
    std::vector<CardValue> values{kPwmValue};
    for (const char* zero : kZeroFrames) {
        for (const CardRowLayout& row : rows) {
            if (row.quantity.letter == zero[0])
                values.push_back(row.quantity.value);
        }
    }
    return values;
}

RowCardWindow::RowCardWindow(CardContext& context, const RowCardLayout& card)
    : CardWindow(context, card.model, QString::fromLatin1(card.caption), card.clientWidth,
                 card.clientHeight, kMenus)
{
    setObjectName(QLatin1String(card.objectName));
    buildControls(card);

    const int writer = static_cast<int>(card.model);
    m_pwm = new OptionGroup(context.slots, writer, kPwmLetter, pwmChoices(pwmBoxes(m_form)), this);
    m_replyValues = rowCardReplyValues(card.rows);
    for (const CardRowLayout& row : card.rows) {
        const RowQuantity& q = row.quantity;
        auto* parameter = new ParameterRow(m_form.get<SpinSlider>(row.layout.slider),
                                           m_form.get<ValueBox>(row.layout.box), context.slots,
                                           writer, q.letter, q.display, q.entry, this);
        m_rows.push_back({parameter, q, row.fileLine});
    }
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        m_fileRows.push_back(i);
    std::sort(m_fileRows.begin(), m_fileRows.end(), [this](std::size_t a, std::size_t b) {
        return m_rows[a].fileLine < m_rows[b].fileLine;
    });
    for (std::size_t k = 0; k < m_fileRows.size(); ++k)
        Q_ASSERT_X(m_rows[m_fileRows[k]].fileLine == static_cast<int>(k) + 1, "RowCardWindow",
                   "the rows must fill the file's lines from the first on");
    Q_ASSERT_X(parameterFileValues() == vrn::parameterFileValues(card.model), "RowCardWindow",
               "the rows and slot B make the model's file");
    m_frames = buildSendFrames();
    m_values = rowCardValues(card.rows);

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
    for (const CardRowLayout& row : card.rows)
        m_form.add(valueRow(row.layout));
    finishForm();
}

std::vector<SendFrame> RowCardWindow::buildSendFrames() const
{
    std::vector<SendFrame> frames;
    for (const char* zero : kZeroFrames) {
        const char letter = zero[0];
        const auto row = std::find_if(m_rows.begin(), m_rows.end(), [letter](const Row& r) {
            return r.quantity.letter == letter;
        });
        if (letter == kPwmLetter) {
            // A Read or an Open can leave a plain number in slot B.
            frames.push_back(SendFrame::padded(letter));
        } else if (row == m_rows.end()) {
            frames.push_back(SendFrame::fixed(zero));
        } else if (row->quantity.reply == RowReply::Current) {
            // Every path that writes a current leaves a five-digit code in its slot.
            frames.push_back(SendFrame::asHeld(letter));
        } else {
            // A Read that does not move a time slider leaves the plain number in its slot.
            frames.push_back(SendFrame::padded(letter));
        }
    }
    frames.push_back(kEndFrame);
    return frames;
}

void RowCardWindow::applyReply(const ReplyFields& fields)
{
    m_pwm->applyRead(kPwmReply.valueIn(fields));
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const int value = static_cast<int>(m_replyValues[i + 1].valueIn(fields));
        ParameterRow* row = m_rows[i].parameter;
        switch (m_rows[i].quantity.reply) {
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
    if (letter == kPwmLetter)
        return m_pwm->markedNumber();
    for (const Row& row : m_rows) {
        if (row.quantity.letter == letter)
            return row.parameter->code();
    }
    return std::nullopt;
}

int RowCardWindow::parameterFileValues() const
{
    return static_cast<int>(m_rows.size()) + 1; // the slider positions, then slot B
}

QByteArray RowCardWindow::parameterFile() const
{
    ParameterFileWriter file;
    for (std::size_t i : m_fileRows)
        file.integer(m_rows[i].parameter->slider()->value());
    file.slot(m_context.slots.value(kPwmLetter));
    return file.bytes();
}

std::optional<QString> RowCardWindow::applyParameterFile(const std::vector<FileField>& fields)
{
    LoadCheck check;
    std::vector<int> positions;
    for (std::size_t i : m_fileRows) {
        const Row& row = m_rows[i];
        const QString what = QCoreApplication::translate("Values", "%1 slider position")
                                 .arg(QCoreApplication::translate("Values", row.quantity.name));
        positions.push_back(check.position(fields, row.fileLine, what, row.parameter->maximum()));
    }
    const double pwm = check.slotCode(fields, parameterFileValues(),
                                      QCoreApplication::translate("Values", kPwmReply.name));
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
