#pragma once

#include "card_layout.h"
#include "card_values.h"
#include "card_window.h"
#include "parameter_row.h"
#include "protocol.h"

#include <array>
#include <span>
#include <vector>

namespace vrn {

class GraphicalButton;
class OptionGroup;

// How a value read from the card reaches its row.
enum class RowReply {
    Current,   // box, slider and slot follow it; the slot ends holding a code
    TimeShown, // the box shows it; the slot keeps the plain number unless the slider moves
    TimeInSlot // as TimeShown, but the box keeps its text
};

// A quantity that a card window edits in a value row: its slot, how its box shows and takes
// values, and where the card's read reply carries it.
struct RowQuantity
{
    char letter;
    RowDisplay display;
    RowEntry entry;
    const char* name;     // for the user: "maximum current"
    int replyPosition;    // 1-based; the high part of a pair
    int replyLowPosition; // the low part of a pair; 0 for a single field
    RowReply reply;
    CardValue value; // how the status line, Verify and the record name and show it
};

// The quantities of the VRN-B, VRN-C and VRN-D windows. The excitation time travels in the
// read-reply field that carries the VRN-A ramp-up time.
namespace quantity {
// clang-format off
constexpr RowQuantity kMaximumCurrent{'H', RowDisplay::Current, RowEntry::CurrentWholeNumber,
    QT_TRANSLATE_NOOP("Values", "maximum current"), protocol::field::kMaxHigh, protocol::field::kMaxLow, RowReply::Current,
    {'H', QT_TRANSLATE_NOOP("Values", "Maximum current"), ValueUnit::Milliamps}};
constexpr RowQuantity kMinimumCurrent{'G', RowDisplay::Current, RowEntry::Current,
    QT_TRANSLATE_NOOP("Values", "minimum current"), protocol::field::kMinHigh, protocol::field::kMinLow, RowReply::Current,
    {'G', QT_TRANSLATE_NOOP("Values", "Minimum current"), ValueUnit::Milliamps}};
constexpr RowQuantity kExcitationTime{'C', RowDisplay::Seconds, RowEntry::Seconds,
    QT_TRANSLATE_NOOP("Values", "excitation time"), protocol::field::kRampUp, 0, RowReply::TimeInSlot,
    {'C', QT_TRANSLATE_NOOP("Values", "Excitation time"), ValueUnit::Seconds}};
constexpr RowQuantity kOverSupplyTime{'Z', RowDisplay::TenMilliseconds, RowEntry::Milliseconds,
    QT_TRANSLATE_NOOP("Values", "over-supply time"), protocol::field::kOverSupply, 0, RowReply::TimeShown,
    {'Z', QT_TRANSLATE_NOOP("Values", "Over-supply time"), ValueUnit::TenMilliseconds}};
// clang-format on
} // namespace quantity

// One value row of a window: what it edits, where it stands, and the parameter-file line that
// holds its slider's position.
struct CardRowLayout
{
    RowQuantity quantity;
    ValueRowLayout layout;
    int fileLine;
};

// The PWM group: the frame around the option column, the "PWM" heading above it and the
// column inside it, placed from the frame's corner; tab indices from top to bottom.
struct PwmGroupLayout
{
    int frameLeft;
    int frameTop;
    int frameHeight;
    int headingTab;
    std::array<int, 5> boxTabs;
    std::array<int, 5> labelTabs;
};

// A transfer button ("Send Parameters" or "Read Parameters").
struct TransferButtonLayout
{
    const char* name;
    int left;
    int top;
    int tab;
};

// Everything that sets one row-and-PWM card window apart from another.
struct RowCardLayout
{
    CardModel model;
    const char* objectName;
    const char* caption;
    int clientWidth;  // twips
    int clientHeight; // twips
    PwmGroupLayout pwm;
    std::span<const CardRowLayout> rows; // in the order a read reply is applied
    TransferButtonLayout send;
    TransferButtonLayout read;
};

// The values such a window takes from the card's read reply, checked before any is applied:
// the PWM frequency, then one per row in the order the reply is applied.
std::vector<ReplyValue> rowCardReplyValues(std::span<const CardRowLayout> rows);
// The values such a window sets on its card, in the order of its Send: the PWM frequency, then
// the rows by their frames' order.
std::vector<CardValue> rowCardValues(std::span<const CardRowLayout> rows);

// A card window made of value rows (slider, box, slot) and the PWM frequency column writing
// slot B: the VRN-B, VRN-C and VRN-D windows. Its Send, Read, Save and Open follow its rows.
class RowCardWindow : public CardWindow
{
    Q_OBJECT
public:
    RowCardWindow(CardContext& context, const RowCardLayout& card);

    std::span<const CardValue> cardValues() const override { return m_values; }
    std::span<const SendFrame> sendFrames() const override { return m_frames; }
    std::span<const ReplyValue> replyChecks() const override { return m_replyValues; }

protected:
    QByteArray parameterFile() const override;
    int parameterFileValues() const override;
    std::optional<QString> applyParameterFile(const std::vector<FileField>& fields) override;

private:
    struct Row
    {
        ParameterRow* parameter;
        RowQuantity quantity;
        int fileLine;
    };

    void buildControls(const RowCardLayout& card);
    std::vector<SendFrame> buildSendFrames() const;
    void applyReply(const ReplyFields& fields) override;
    std::optional<int> shownCode(char letter) const override;

    std::vector<Row> m_rows;               // in the order a read reply is applied
    std::vector<std::size_t> m_fileRows;   // indices into m_rows, by parameter-file line
    std::vector<ReplyValue> m_replyValues; // the PWM frequency, then one per row
    std::vector<SendFrame> m_frames;
    std::vector<CardValue> m_values; // in the order of the Send
    OptionGroup* m_pwm = nullptr;
    GraphicalButton* m_send = nullptr;
    GraphicalButton* m_read = nullptr;
};

} // namespace vrn
