#include "oracle.h"

#include "card.h"
#include "outcome.h"
#include "protocol.h"
#include "runner.h"

#include <QRegularExpression>

namespace vrn::soak {
namespace {

FrameItem fixedFrame(const char* text)
{
    return {text, 0, "", false};
}
FrameItem paddedSlot(char letter)
{
    return {nullptr, letter, "", true};
}
FrameItem heldSlot(char letter, const char* prefix = "")
{
    return {nullptr, letter, prefix, false};
}

constexpr double kMilliampsPerStep = 2.93;
const QStringList kPwmBoxes{"Check7", "Check8", "Check9", "Check10", "Check11"};

ReadItem pwmItem()
{
    return {'B', protocol::field::kPwm, 0, "", -1, "", 0, kPwmBoxes, 1, false};
}
ReadItem sliderItem(char letter, int position, int low, const char* slider, int maximum,
                    const char* box = "", double factor = 0)
{
    return {letter, position, low, slider, maximum, box, factor, {}, 0, false};
}

} // namespace

std::vector<WindowModel> windowModels()
{
    using namespace protocol::field;
    std::vector<WindowModel> models;
    models.push_back(
        {"VRN-A",
         "Command1",
         "Command2",
         {paddedSlot('A'), paddedSlot('B'), paddedSlot('C'), paddedSlot('D'), paddedSlot('E'),
          paddedSlot('F'), paddedSlot('G'), paddedSlot('H'), fixedFrame("I$"),
          heldSlot('a', "0000"), fixedFrame("z$")},
         {{'A',
           kCoil,
           0,
           "",
           -1,
           "",
           0,
           {"Check3", "Check4", "Check5", "Check6", "Check1"},
           1,
           false},
          pwmItem(),
          sliderItem('C', kRampUp, 0, "VScroll3", 255),
          sliderItem('D', kRampDown, 0, "VScroll6", 255),
          sliderItem('E', kVtHigh, kVtLow, "VScroll1", 200, "Text5", kMilliampsPerStep),
          sliderItem('F', kPolHigh, kPolLow, "VScroll4", 255, "Text8", kMilliampsPerStep),
          sliderItem('G', kMinHigh, kMinLow, "VScroll2", 511, "Text6", kMilliampsPerStep),
          sliderItem('H', kMaxHigh, kMaxLow, "VScroll5", 1023, "Text11", kMilliampsPerStep),
          // The reference input goes out as "a0000" and the number: one digit at most, or the
          // frame would not be a command frame.
          {'a', kReference, 0, "", -1, "", 0, {"Check2", "Check12", "Check14"}, 0, true, 9}}});
    models.push_back(
        {"VRN-B",
         "Command1",
         "Command2",
         {fixedFrame("A00000$"), paddedSlot('B'), fixedFrame("C00000$"), fixedFrame("D00000$"),
          fixedFrame("E00000$"), fixedFrame("F00000$"), fixedFrame("G00000$"), heldSlot('H'),
          fixedFrame("a00000$"), paddedSlot('Z'), fixedFrame("z$")},
         {pwmItem(),
          sliderItem('H', kMaxHigh, kMaxLow, "VScroll5", 1023, "Text11", kMilliampsPerStep),
          sliderItem('Z', kOverSupply, 0, "VScroll1", 99, "Text2", 10)}});
    models.push_back(
        {"VRN-C",
         "Command1",
         "Command2",
         {fixedFrame("A00000$"), paddedSlot('B'), paddedSlot('C'), fixedFrame("D00000$"),
          fixedFrame("E00000$"), fixedFrame("F00000$"), heldSlot('G'), heldSlot('H'),
          fixedFrame("a00000$"), fixedFrame("Z00000$"), fixedFrame("z$")},
         {pwmItem(), sliderItem('C', kRampUp, 0, "VScroll1", 255),
          sliderItem('G', kMinHigh, kMinLow, "VScroll5", 511, "Text11", kMilliampsPerStep),
          sliderItem('H', kMaxHigh, kMaxLow, "VScroll2", 1023, "Text1", kMilliampsPerStep)}});
    models.push_back(
        {"VRN-D",
         "Command3",
         "Command4",
         {fixedFrame("A00000$"), paddedSlot('B'), paddedSlot('C'), fixedFrame("D00000$"),
          fixedFrame("E00000$"), fixedFrame("F00000$"), fixedFrame("G00000$"), heldSlot('H'),
          fixedFrame("a00000$"), fixedFrame("Z00000$"), fixedFrame("z$")},
         {pwmItem(), sliderItem('C', kRampUp, 0, "VScroll1", 255),
          sliderItem('H', kMaxHigh, kMaxLow, "VScroll2", 1023, "Text1", kMilliampsPerStep)}});
    return models;
}

// The slot's content as a number: a code's digits, a plain number; nothing when empty.
std::optional<double> slotNumber(const SlotValue& value)
{
    if (const auto* number = std::get_if<double>(&value))
        return *number;
    if (const auto* code = std::get_if<QString>(&value)) {
        bool ok = false;
        const double n = code->toDouble(&ok);
        return ok ? std::optional<double>(n) : std::nullopt;
    }
    return std::nullopt;
}

QString describe(const SlotValue& value)
{
    if (const auto* number = std::get_if<double>(&value))
        return QStringLiteral("#%1").arg(*number);
    if (const auto* code = std::get_if<QString>(&value))
        return QStringLiteral("\"%1\"").arg(*code);
    return QStringLiteral("empty");
}

// The slot's text in a frame, and what bringing it to five digits leaves in the slot.
QString frameText(const SlotValue& value)
{
    if (const auto* number = std::get_if<double>(&value))
        return QString::number(static_cast<qint64>(*number));
    if (const auto* code = std::get_if<QString>(&value))
        return *code;
    return {};
}
SlotValue paddedValue(const SlotValue& value)
{
    const QString text = frameText(value);
    if (text.size() >= 1 && text.size() <= 4)
        return text.rightJustified(5, QLatin1Char('0'));
    return value;
}

// A letter, five digits or none, "$"; and "a0000$", the VRN-A reference frame of an empty slot.
bool isCommandFrame(const QByteArray& frame)
{
    static const QRegularExpression shape(QStringLiteral("^[A-Za-z](\\d{5})?\\$$"));
    return frame == "a0000$" || shape.match(QString::fromLatin1(frame)).hasMatch();
}

std::vector<int> Soak::readPositions(const WindowModel& model) const
{
    std::vector<int> positions;
    for (const ReadItem& item : model.reads) {
        positions.push_back(item.position);
        if (item.lowPosition)
            positions.push_back(item.lowPosition);
    }
    return positions;
}

// True when characters from..to (1-based) touch a field the window reads.
bool Soak::checksPosition(const WindowModel& model, int from, int to) const
{
    for (int position : readPositions(model)) {
        if (from <= position + 2 && to >= position)
            return true;
    }
    return false;
}

// The value the card's reply carries at a field: the override when there is one, else the
// card's memory (pairs split into 256 x high + low, every field three digits).
int Soak::replyField(const Plan& plan, int position)
{
    if (plan.overrides.contains(position))
        return plan.overrides.value(position).trimmed().toInt();
    const sim::Card& card = m_card;
    const auto high = [&card](char l) { return card.parameter(l) / 256; };
    const auto low = [&card](char l) { return card.parameter(l) % 256; };
    using namespace protocol::field;
    int value = 0;
    switch (position) {
    case kCoil:
        value = card.parameter('A');
        break;
    case kPwm:
        value = card.parameter('B');
        break;
    case kRampUp:
        value = card.parameter('C');
        break;
    case kRampDown:
        value = card.parameter('D');
        break;
    case kVtLow:
        value = low('E');
        break;
    case kVtHigh:
        value = high('E');
        break;
    case kPolHigh:
        value = high('F');
        break;
    case kPolLow:
        value = low('F');
        break;
    case kMinHigh:
        value = high('G');
        break;
    case kMinLow:
        value = low('G');
        break;
    case kMaxHigh:
        value = high('H');
        break;
    case kMaxLow:
        value = low('H');
        break;
    case kReference:
        value = card.parameter('a');
        break;
    case kOverSupply:
        value = card.parameter('Z');
        break;
    default:
        break;
    }
    return value % 1000;
}

std::vector<QByteArray> Soak::expectedFrames(const WindowModel& model, const SlotTable& slots) const
{
    std::vector<QByteArray> frames;
    for (const FrameItem& item : model.frames) {
        if (item.fixed) {
            frames.push_back(item.fixed);
            continue;
        }
        SlotValue value = slots.value(item.letter);
        if (item.padded)
            value = paddedValue(value);
        frames.push_back(item.letter + QByteArray(item.prefix) + frameText(value).toLatin1() + '$');
    }
    return frames;
}

// How the transfer must end, when no late answer of an earlier transfer is on the line.
QString Soak::expectedOutcome(const Plan& plan)
{
    switch (plan.fault) {
    case Fault::PortLost:
        return kPortLost;
    case Fault::PortClosed:
        return kNoPort;
    case Fault::PastLimitDelay:
    case Fault::Silence:
        return kTimeOut;
    case Fault::ShortReply:
        return kShortReply;
    default:
        return plan.expectRefused ? kRefusedReply : kOk;
    }
}

} // namespace vrn::soak
