#pragma once

#include "card_layout.h"
#include "card_window.h"
#include "parameter_row.h"

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

// One value row of a window: the value it edits, how a read reply reaches it and where it
// stands (its slider's maximum is the value's).
struct CardRowLayout
{
    CardValue value;
    RowReply reply;
    ValueRowLayout layout;
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
    CardValue pwmValue; // the PWM frequency, slot B
    const char* objectName;
    int clientWidth;  // twips
    int clientHeight; // twips
    PwmGroupLayout pwm;
    std::span<const CardRowLayout> rows; // in the order a read reply is applied
    TransferButtonLayout send;
    TransferButtonLayout read;
};

// A card window made of value rows (slider, box, slot) and the PWM frequency column writing
// slot B: the VRN-B, VRN-C and VRN-D windows. Its Send, Read, Save and Open follow its rows.
class RowCardWindow : public CardWindow
{
    Q_OBJECT
public:
    RowCardWindow(CardContext& context, const RowCardLayout& card);

protected:
    QByteArray parameterFile() const override;
    std::optional<QString> applyParameterFile(const std::vector<FileField>& fields) override;

private:
    struct Row
    {
        ParameterRow* parameter;
        CardValue value;
        RowReply reply;
    };

    void buildControls(const RowCardLayout& card);
    void applyReply(const ReplyFields& fields) override;
    std::optional<int> shownCode(char letter) const override;

    std::vector<Row> m_rows;             // in the order a read reply is applied
    std::vector<std::size_t> m_fileRows; // indices into m_rows, by parameter-file line
    CardValue m_pwmValue;
    OptionGroup* m_pwm = nullptr;
    GraphicalButton* m_send = nullptr;
    GraphicalButton* m_read = nullptr;
};

} // namespace vrn
