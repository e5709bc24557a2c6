#include "soak.h"

#include "card.h"
#include "card_context.h"
#include "file_dialog_state.h"
#include "form1.h"
#include "form3.h"
#include "form4.h"
#include "form5.h"
#include "graphical_button.h"
#include "link.h"
#include "notices.h"
#include "option_box.h"
#include "protocol.h"
#include "simulated_transport.h"
#include "slot_table.h"
#include "spin_slider.h"
#include "timeouts.h"
#include "value_box.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTimer>

#ifdef Q_OS_WIN
#include <windows.h>
// windows.h first: psapi.h relies on its types.
#include <psapi.h>
#else
#include <unistd.h>
#endif

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace vrn::soak {
namespace {

// ----- What the soak knows about each card window, written down independently of the windows.

// A value a window takes from the read reply, and where it shows after a successful Read.
struct ReadItem
{
    char letter;
    int position;        // 1-based; the high part of a pair
    int lowPosition;     // the low part of a pair; 0 for a single field
    const char* slider;  // the slider that stands at maximum - value; "" for an option field
    int maximum;         // the slider's maximum; -1 for an option field
    const char* box;     // the value box that shows the value; "" when it is not checked
    double boxFactor;    // the box shows floor(value x boxFactor)
    QStringList options; // option boxes for the values firstOption, firstOption + 1, ...
    int firstOption;
    bool exclusive;         // a known value leaves only its own box marked
    int largestOption = -1; // an option value above it is refused; -1: any three digits
};

// One frame of a window's Send: fixed characters, or a slot's content after a fixed prefix,
// brought to five digits first or sent as held.
struct FrameItem
{
    const char* fixed; // nullptr for a slot frame
    char letter;
    const char* prefix;
    bool padded;
};

struct WindowModel
{
    const char* name; // "VRN-A"
    const char* sendButton;
    const char* readButton;
    std::vector<FrameItem> frames;
    std::vector<ReadItem> reads;
};

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
constexpr double kCharacterTimeAt19200Ms = 0.52; // ten bit times
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

// The card's parameter letters, and the largest value each takes in every window's range.
constexpr char kMemoryLetters[] = {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'a', 'Z'};
constexpr int kMemoryMaximum[] = {6, 6, 255, 255, 200, 255, 511, 1023, 3, 99};

// ----- The faults.

enum class Fault {
    None,
    SmallDelay,
    Wire19200,
    SplitBursts,
    Garbage,
    LongReply,
    UnknownOption,
    FieldOutOfRange,
    FieldNotNumber,
    PortLost,
    PortClosed,
    SecondClick,
    NearLimitDelay,
    PastLimitDelay,
    Silence,
    ShortReply,
};

struct FaultKind
{
    Fault fault;
    const char* name;
    bool slow; // takes seconds: a time-out, or a delay close to one
    bool send; // applies to a Send
    bool read; // applies to a Read
    int weight;
};

// Most transfers meet a fast fault or none; a few wait for a time-out.
constexpr FaultKind kFaultKinds[] = {
    {Fault::None, "none", false, true, true, 30},
    {Fault::SmallDelay, "answer delay 1 to 40 ms", false, true, true, 12},
    {Fault::Wire19200, "characters paced at 19200 baud", false, true, true, 6},
    {Fault::SplitBursts, "answers split in two bursts", false, true, true, 10},
    {Fault::Garbage, "garbage characters", false, true, true, 8},
    {Fault::LongReply, "read reply longer than 56", false, false, true, 5},
    {Fault::UnknownOption, "option field of unknown value", false, false, true, 5},
    {Fault::FieldOutOfRange, "reply field out of range", false, false, true, 8},
    {Fault::FieldNotNumber, "reply field not a number", false, false, true, 8},
    {Fault::PortLost, "port vanished mid-transfer", false, true, true, 6},
    {Fault::PortClosed, "no port open", false, true, true, 3},
    {Fault::SecondClick, "second transfer started meanwhile", false, true, true, 4},
    {Fault::NearLimitDelay, "reply delay just under the time-out", true, false, true, 1},
    {Fault::PastLimitDelay, "answer delay past the time-out", true, true, true, 2},
    {Fault::Silence, "silence", true, true, true, 1},
    {Fault::ShortReply, "read reply too short", true, false, true, 1},
};

const FaultKind& kindOf(Fault fault)
{
    for (const FaultKind& kind : kFaultKinds) {
        if (kind.fault == fault)
            return kind;
    }
    return kFaultKinds[0];
}

// Outcome names as the summary counts them.
const QString kOk = QStringLiteral("ok");
const QString kRefusedReply = QStringLiteral("refused reply");
const QString kTimeOut = QStringLiteral("time-out");
const QString kShortReply = QStringLiteral("short reply (time-out)");
const QString kPortLost = QStringLiteral("port lost");
const QString kNoPort = QStringLiteral("refused: no port open");
const QString kBusy = QStringLiteral("refused: another transfer running");
const QString kUnrecognised = QStringLiteral("unrecognised notice");

// The outcome by what the window's transfer did, never by the words of its notice: the same in
// every language and whatever the notice says.
QString outcomeOf(const std::vector<TransferResult>& results)
{
    if (results.empty())
        return kUnrecognised; // the click ended no transfer
    const TransferResult& result = results.front();
    switch (result.ending) {
    case TransferResult::Ending::Done:
        return kOk;
    case TransferResult::Ending::ReplyRefused:
        return kRefusedReply;
    case TransferResult::Ending::Refused:
    case TransferResult::Ending::Failed:
        break;
    }
    switch (result.error.reason) {
    case LinkError::Reason::NoFrameAnswer:
    case LinkError::Reason::NoReadReply:
        return kTimeOut;
    case LinkError::Reason::ShortReadReply:
        return kShortReply;
    case LinkError::Reason::LineLost:
        return kPortLost;
    case LinkError::Reason::NoPortOpen:
        return kNoPort;
    case LinkError::Reason::TransferRunning:
        return kBusy;
    default:
        return kUnrecognised;
    }
}

// ----- Small helpers.

QByteArray threeDigits(int value)
{
    return QByteArray::number(value % 1000).rightJustified(3, '0');
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

void runEventsFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

QString mib(qint64 bytes)
{
    return QStringLiteral("%1 MiB").arg(bytes / (1024.0 * 1024.0), 0, 'f', 1);
}

// ----- The run.

class Soak
{
public:
    explicit Soak(const SoakOptions& options);
    SoakReport run();

private:
    struct Window
    {
        const WindowModel* model;
        CardWindow* widget;
        GraphicalButton* send;
        GraphicalButton* read;
        std::vector<QWidget*> editable; // sliders and option boxes, in a fixed order
    };

    // One transfer's plan, drawn from the seed before it runs.
    struct Plan
    {
        int window = 0;
        bool send = true;
        Fault fault = Fault::None;
        int delayMs = 0;
        int count = 0; // frames before the port goes, reply length, split point
        QMap<int, QByteArray> overrides;
        QString overrideWhat;       // for the trace: which field got what
        bool expectRefused = false; // an override hits a field the window checks
        int secondWindow = 0;
        bool secondSend = true;
    };

    Plan drawPlan();
    void drawEdits();
    void drawMemory();
    void runTransfer(int index, const Plan& plan);
    static sim::Faults faultsFor(const Plan& plan);
    static QString expectedOutcome(const Plan& plan);
    void clickSecondButton(const Plan& plan, const QString& where, GraphicalButton* running);
    void waitForEnd(const QString& where);
    void restoreLine(const Plan& plan, const QString& outcome, const QString& where);
    void checkFailedSend(const QString& where, const SlotTable& slotsBefore,
                         const QStringList& controlsBefore);
    void checkFailedRead(const QString& where, const QString& outcome, const SlotTable& slotsBefore,
                         const QStringList& controlsBefore);
    void checkSend(const Plan& plan, const QString& where, const SlotTable& slotsBefore,
                   const std::map<char, int>& memoryBefore);
    void checkRead(const Plan& plan, const QString& where, const QStringList& controlsBefore);
    // Counts a failed check by its kind and keeps the first few of each kind as examples.
    void violation(const QString& kind, const QString& text);

    // The notices posted since the last call. Taken from the posted() signal: the notices'
    // history keeps only the latest few, so counting along it misses everything after them.
    QStringList takeNotices() { return std::exchange(m_posted, {}); }
    // The windows' transfer results since the last call.
    std::vector<TransferResult> takeResults() { return std::exchange(m_results, {}); }

    QStringList controlStates() const;
    std::map<char, int> memory();
    int replyField(const Plan& plan, int position);
    bool checksPosition(const WindowModel& model, int from, int to) const;
    std::vector<QByteArray> expectedFrames(const WindowModel& model, const SlotTable& slots) const;
    std::vector<int> readPositions(const WindowModel& model) const;

    SoakOptions m_options;
    QRandomGenerator m_random;
    std::vector<WindowModel> m_models = windowModels();

    SlotTable m_slots;
    sim::Card m_card; // the simulated card on the line
    Link m_link;
    FileDialogState m_files;
    Notices m_notices;
    CardContext m_context{m_slots, m_link, m_files, m_notices};
    std::vector<std::unique_ptr<CardWindow>> m_widgets;
    std::vector<Window> m_windows;
    QStringList m_posted;                  // notices posted and not yet taken
    std::vector<TransferResult> m_results; // transfer results not yet taken

    bool m_lineHasLeftovers = false; // a late answer of a timed-out transfer is in the buffer
    bool m_lateAnswerOnLine = false; // the transfer being checked started with such leftovers
    qint64 m_longestTransferMs = 0;
    SoakReport m_report;
};

Soak::Soak(const SoakOptions& options) : m_options(options), m_random(options.seed)
{
    m_notices.setShowWindows(false);
    QObject::connect(&m_notices, &Notices::posted, &m_notices,
                     [this](const QString&, const QString& text) { m_posted.append(text); });
    m_widgets.push_back(std::make_unique<Form1>(m_context));
    m_widgets.push_back(std::make_unique<Form3>(m_context));
    m_widgets.push_back(std::make_unique<Form4>(m_context));
    m_widgets.push_back(std::make_unique<Form5>(m_context));
    for (std::size_t i = 0; i < m_widgets.size(); ++i) {
        CardWindow* widget = m_widgets[i].get();
        widget->show();
        QObject::connect(widget, &CardWindow::transferEnded, widget,
                         [this](const TransferResult& result) { m_results.push_back(result); });
        Window window{&m_models[i],
                      widget,
                      widget->findChild<GraphicalButton*>(m_models[i].sendButton),
                      widget->findChild<GraphicalButton*>(m_models[i].readButton),
                      {}};
        for (QWidget* child : widget->findChildren<QWidget*>()) {
            if (qobject_cast<SpinSlider*>(child) || qobject_cast<OptionBox*>(child))
                window.editable.push_back(child);
        }
        std::sort(window.editable.begin(), window.editable.end(),
                  [](QWidget* a, QWidget* b) { return a->objectName() < b->objectName(); });
        m_windows.push_back(window);
    }
}

void Soak::violation(const QString& kind, const QString& text)
{
    constexpr int kExamplesPerKind = 3;
    const QString counted =
        m_lateAnswerOnLine ? kind + QStringLiteral(" (a late answer was on the line)") : kind;
    ++m_report.violationCount;
    if (++m_report.violationsByKind[counted] <= kExamplesPerKind)
        m_report.violations.append(text);
    if (m_options.trace)
        m_options.trace(QStringLiteral("  violation: ") + text);
}

QStringList Soak::controlStates() const
{
    QStringList states;
    for (const Window& window : m_windows) {
        const QString prefix = QLatin1String(window.model->name) + QLatin1Char('.');
        for (QWidget* child : window.widget->findChildren<QWidget*>()) {
            QString state;
            if (auto* slider = qobject_cast<SpinSlider*>(child))
                state = QString::number(slider->value()) + (slider->isEnabled() ? "" : " off");
            else if (auto* box = qobject_cast<OptionBox*>(child))
                state = box->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
            else if (auto* text = qobject_cast<ValueBox*>(child))
                state = QLatin1Char('"') + text->text() + QLatin1Char('"');
            else
                continue;
            states.append(prefix + child->objectName() + QLatin1Char('=') + state);
        }
    }
    states.sort();
    return states;
}

std::map<char, int> Soak::memory()
{
    std::map<char, int> values;
    for (char letter : kMemoryLetters)
        values[letter] = m_card.parameter(letter);
    return values;
}

// Edits a user might make between transfers: a slider moved, a box clicked, in any window.
void Soak::drawEdits()
{
    const int edits = static_cast<int>(m_random.bounded(3u));
    for (int i = 0; i < edits; ++i) {
        Window& window = m_windows[m_random.bounded(static_cast<quint32>(m_windows.size()))];
        QWidget* control =
            window.editable[m_random.bounded(static_cast<quint32>(window.editable.size()))];
        const int value = static_cast<int>(m_random.bounded(1024u));
        if (!control->isEnabled())
            continue; // a user cannot move a disabled slider
        if (auto* slider = qobject_cast<SpinSlider*>(control))
            slider->setValue(value % (slider->maximum() + 1));
        else if (auto* box = qobject_cast<OptionBox*>(control))
            box->click();
    }
}

// Half the time the card holds other settings before a Read (set on the card itself, or
// another card plugged in); always within every window's ranges.
void Soak::drawMemory()
{
    const bool change = m_random.bounded(2u) == 1;
    for (std::size_t i = 0; i < std::size(kMemoryLetters); ++i) {
        const int value = static_cast<int>(m_random.bounded(kMemoryMaximum[i] + 1u));
        if (change)
            m_card.setParameter(kMemoryLetters[i], value);
    }
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

Soak::Plan Soak::drawPlan()
{
    Plan plan;
    plan.window = static_cast<int>(m_random.bounded(static_cast<quint32>(m_windows.size())));
    plan.send = m_random.bounded(2u) == 0;
    int total = 0;
    for (const FaultKind& kind : kFaultKinds) {
        if ((plan.send ? kind.send : kind.read) && (m_options.slowFaults || !kind.slow))
            total += kind.weight;
    }
    int pick = static_cast<int>(m_random.bounded(static_cast<quint32>(total)));
    for (const FaultKind& kind : kFaultKinds) {
        if (!((plan.send ? kind.send : kind.read) && (m_options.slowFaults || !kind.slow)))
            continue;
        if (pick < kind.weight) {
            plan.fault = kind.fault;
            break;
        }
        pick -= kind.weight;
    }
    // Every parameter is drawn for every transfer, so the sequence depends on the seed alone.
    const auto draw = [this](int below) {
        return static_cast<int>(m_random.bounded(static_cast<quint32>(below)));
    };
    const int r1 = draw(1000), r2 = draw(1000), r3 = draw(1000), r4 = draw(1000);
    plan.secondWindow = draw(static_cast<int>(m_windows.size()));
    plan.secondSend = draw(2) == 0;

    const WindowModel& model = *m_windows[plan.window].model;
    const int frames = plan.send ? static_cast<int>(model.frames.size()) : 1;
    switch (plan.fault) {
    case Fault::SmallDelay:
        plan.delayMs = 1 + r1 % 40;
        break;
    case Fault::SplitBursts:
        plan.count = 1 + r1 % (plan.send ? 1 : 55);
        plan.delayMs = r2 % 30; // the gap between the bursts
        break;
    case Fault::LongReply:
        plan.count = 57 + r1 % 150;
        break;
    case Fault::ShortReply:
        plan.count = 1 + r1 % 55;
        break;
    case Fault::PortLost:
        plan.count = r1 % frames;
        break;
    case Fault::NearLimitDelay:
        plan.delayMs = kReplyTimeoutMs - 800 + r1 % 500;
        break;
    case Fault::PastLimitDelay:
        plan.delayMs = (plan.send ? kAnswerTimeoutMs : kReplyTimeoutMs) + 300 + r1 % 300;
        break;
    case Fault::Garbage:
        if (!plan.send) {
            // Three bytes that are neither digits nor blanks, anywhere in the reply.
            const int at = 1 + r1 % 54;
            QByteArray bytes;
            for (int r : {r2, r3, r4}) {
                char c = static_cast<char>(r % 256);
                if ((c >= '0' && c <= '9') || c == ' ')
                    c = static_cast<char>(0x80 + r % 100);
                bytes += c;
            }
            plan.overrides[at] = bytes;
            plan.overrideWhat = QStringLiteral("garbage at %1").arg(at);
            plan.expectRefused = checksPosition(model, at, at + 2);
        }
        break;
    case Fault::UnknownOption: {
        std::vector<const ReadItem*> options;
        for (const ReadItem& item : model.reads) {
            if (item.maximum < 0)
                options.push_back(&item);
        }
        const ReadItem& item = *options[r1 % options.size()];
        int value = r2 % 1000;
        if (value >= item.firstOption && value < item.firstOption + item.options.size())
            value += static_cast<int>(item.options.size());
        plan.overrides[item.position] = threeDigits(value);
        plan.overrideWhat = QStringLiteral("%1=%2").arg(item.position).arg(value);
        plan.expectRefused = item.largestOption >= 0 && value > item.largestOption;
        break;
    }
    case Fault::FieldOutOfRange: {
        std::vector<const ReadItem*> sliders;
        for (const ReadItem& item : model.reads) {
            if (item.maximum >= 0)
                sliders.push_back(&item);
        }
        const ReadItem& item = *sliders[r1 % sliders.size()];
        int value = 0;
        if (item.lowPosition) // the high part alone takes the pair past the maximum
            value = item.maximum / 256 + 1 + r2 % 3;
        else
            value = item.maximum + 1 + r2 % (999 - item.maximum);
        plan.overrides[item.position] = threeDigits(value);
        plan.overrideWhat = QStringLiteral("%1=%2").arg(item.position).arg(value);
        plan.expectRefused = true;
        break;
    }
    case Fault::FieldNotNumber: {
        static const QByteArray kNotNumbers[] = {"x01", "1-2", " a ", "---", "   ",
                                                 "+12", "1.5", "-01", "0x1", "12\r"};
        const int position = 1 + 4 * (r1 % 14);
        const QByteArray& text = kNotNumbers[r2 % std::size(kNotNumbers)];
        plan.overrides[position] = text;
        plan.overrideWhat =
            QStringLiteral("%1=\"%2\"").arg(position).arg(QString::fromLatin1(text.simplified()));
        plan.expectRefused = checksPosition(model, position, position + 2);
        break;
    }
    default:
        break;
    }
    return plan;
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

sim::Faults Soak::faultsFor(const Plan& plan)
{
    sim::Faults faults;
    faults.replyFieldOverrides = plan.overrides;
    switch (plan.fault) {
    case Fault::SmallDelay:
    case Fault::NearLimitDelay:
    case Fault::PastLimitDelay:
        faults.answerDelayMs = plan.delayMs;
        break;
    case Fault::Wire19200:
        faults.characterTimeMs = kCharacterTimeAt19200Ms;
        break;
    case Fault::SplitBursts:
        faults.splitAnswers = true;
        faults.splitAfter = plan.count;
        faults.splitGapMs = plan.delayMs;
        break;
    case Fault::Garbage:
        faults.garbageAnswers = plan.send;
        break;
    case Fault::LongReply:
    case Fault::ShortReply:
        faults.replyLength = plan.count;
        break;
    case Fault::PortLost:
        faults.portLostAfterFrames = plan.count;
        break;
    case Fault::Silence:
        faults.silent = true;
        break;
    default:
        break;
    }
    return faults;
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

// A click on another transfer button while the transfer runs: refused at once, and the running
// transfer's button stays red.
void Soak::clickSecondButton(const Plan& plan, const QString& where, GraphicalButton* running)
{
    Window& other = m_windows[plan.secondWindow];
    GraphicalButton* second = plan.secondSend ? other.send : other.read;
    const QStringList earlier = takeNotices();
    std::vector<TransferResult> earlierResults = takeResults();
    const QStringList controls = controlStates();
    second->click();
    const QStringList notices = takeNotices();
    const QString outcome = outcomeOf(takeResults());
    m_posted = earlier; // the running transfer's own notices, if any, stay with it
    m_results = std::move(earlierResults);
    ++m_report.outcomes[QStringLiteral("second click: ") + outcome];
    if (outcome != kBusy || notices.size() != 1)
        violation(QStringLiteral("second transfer not refused"),
                  where + QStringLiteral(": a second transfer started meanwhile was not "
                                         "refused: %1")
                              .arg(notices.join(u" | ")));
    if (second != running && second->isBusy())
        violation(QStringLiteral("refused second transfer left its button red"),
                  where + QStringLiteral(": the refused second transfer left %1 %2 red")
                              .arg(QLatin1String(other.model->name), second->objectName()));
    if (!running->isBusy() && m_link.isBusy())
        violation(QStringLiteral("refused second click greyed the running transfer's button"),
                  where + QStringLiteral(": the refused second click turned the running "
                                         "transfer's button grey while it still runs"));
    if (controlStates() != controls)
        violation(QStringLiteral("refused second transfer changed controls"),
                  where + QStringLiteral(": the refused second transfer changed controls"));
}

// The transfer ends on its own: by its answers, by a time-out or by a failure.
void Soak::waitForEnd(const QString& where)
{
    constexpr int kLongestWaitMs = 15000;
    if (m_link.isBusy()) {
        QEventLoop loop;
        QTimer deadline;
        deadline.setSingleShot(true);
        QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
        QObject::connect(&m_link.engine(), &TransferEngine::finished, &loop, &QEventLoop::quit,
                         Qt::QueuedConnection);
        deadline.start(kLongestWaitMs);
        loop.exec();
    }
    QCoreApplication::processEvents();
    if (m_link.isBusy())
        violation(QStringLiteral("transfer never ended"),
                  where + QStringLiteral(": still running after %1 s").arg(kLongestWaitMs / 1000));
    for (const Window& w : m_windows) {
        for (GraphicalButton* b : {w.send, w.read}) {
            if (b->backColour() != kGreyColour)
                violation(QStringLiteral("button not grey after the transfer"),
                          where + QStringLiteral(": %1 %2 has colour %3 after the transfer")
                                      .arg(QLatin1String(w.model->name), b->objectName())
                                      .arg(b->backColour()));
        }
    }
}

void Soak::runTransfer(int index, const Plan& plan)
{
    Window& window = m_windows[plan.window];
    const WindowModel& model = *window.model;
    sim::Card& card = m_card;
    const QString kind = plan.send ? QStringLiteral("Send") : QStringLiteral("Read");
    const QString where =
        QStringLiteral("transfer %1 (%2 %3, %4%5)")
            .arg(index)
            .arg(QLatin1String(model.name), kind, QLatin1String(kindOf(plan.fault).name),
                 plan.overrideWhat.isEmpty() ? QString() : u' ' + plan.overrideWhat);
    ++m_report.transfersByWindow[QLatin1String(model.name) + u' ' + kind];
    ++m_report.faults[QLatin1String(kindOf(plan.fault).name)];

    const SlotTable slotsBefore = m_slots;
    const QStringList controlsBefore = controlStates();
    const std::map<char, int> memoryBefore = memory();
    const bool cleanLine = !m_lineHasLeftovers;
    m_lateAnswerOnLine = !cleanLine;
    if (plan.fault == Fault::PortClosed)
        m_link.closePort();
    card.faults() = faultsFor(plan);
    card.clearLog();

    takeNotices(); // anything posted before the click belongs to no transfer
    takeResults();
    GraphicalButton* button = plan.send ? window.send : window.read;
    QElapsedTimer clock;
    clock.start();
    button->click();
    if (plan.fault == Fault::SecondClick)
        clickSecondButton(plan, where, button);
    waitForEnd(where);
    const qint64 elapsed = clock.elapsed();
    m_longestTransferMs = std::max(m_longestTransferMs, elapsed);

    // A clear outcome: one notice for a failure, naming the port when the line failed.
    const QStringList notices = takeNotices();
    const QString outcome = outcomeOf(takeResults());
    ++m_report.outcomes[outcome];
    if (outcome == kUnrecognised || notices.size() > 1)
        violation(QStringLiteral("unclear outcome"),
                  where + QStringLiteral(": unclear outcome: %1").arg(notices.join(u" | ")));
    const bool lineFailure = outcome == kTimeOut || outcome == kShortReply || outcome == kPortLost;
    if (lineFailure && !notices.first().contains(m_link.portName()))
        violation(
            QStringLiteral("notice does not name the port"),
            where + QStringLiteral(": the notice does not name the port: %1").arg(notices.first()));
    const QString expected = expectedOutcome(plan);
    if ((cleanLine || plan.send || plan.fault == Fault::PortClosed) && outcome != expected)
        violation(QStringLiteral("outcome other than the fault leads to"),
                  where + QStringLiteral(": ended \"%1\" where \"%2\" was due (%3)")
                              .arg(outcome, expected, notices.join(u" | ")));

    // The state the transfer leaves behind.
    if (plan.send && outcome == kOk)
        checkSend(plan, where, slotsBefore, memoryBefore);
    else if (plan.send)
        checkFailedSend(where, slotsBefore, controlsBefore);
    else if (outcome == kOk)
        checkRead(plan,
                  cleanLine ? where
                            : where + QStringLiteral(" [a late answer of an earlier transfer was "
                                                     "waiting on the line]"),
                  controlsBefore);
    else
        checkFailedRead(where, outcome, slotsBefore, controlsBefore);
    if (outcome == kNoPort && !card.framesReceived().isEmpty())
        violation(QStringLiteral("frames sent without a port"),
                  where + QStringLiteral(": frames reached the card without a port"));

    if (m_options.trace)
        m_options.trace(QStringLiteral("%1 -> %2 in %3 ms").arg(where, outcome).arg(elapsed));
    restoreLine(plan, outcome, where);
}

// Back to a sound card. A late answer still under way lands first, as it would on the line;
// a Send discards such leftovers at its start, a Read does not.
void Soak::restoreLine(const Plan& plan, const QString& outcome, const QString& where)
{
    m_card.faults() = sim::Faults{};
    if (plan.send)
        m_lineHasLeftovers = false;
    if (plan.fault == Fault::PastLimitDelay && outcome == kTimeOut) {
        runEventsFor(plan.delayMs - (plan.send ? kAnswerTimeoutMs : kReplyTimeoutMs) + 200);
        m_lineHasLeftovers = true;
    }
    if (!m_link.isOpen()) {
        if (!sim::openSimulatedCard(m_link, m_card))
            violation(QStringLiteral("card did not open again"),
                      where + QStringLiteral(": the simulated card did not open again: %1")
                                  .arg(m_link.lastError().debugText()));
        m_lineHasLeftovers = false; // a reopened line starts empty
    }
}

// A failed Send may have brought slots to five digits; it changes nothing else.
void Soak::checkFailedSend(const QString& where, const SlotTable& slotsBefore,
                           const QStringList& controlsBefore)
{
    for (char letter : SlotTable::kLetters) {
        const SlotValue& now = m_slots.value(letter);
        const SlotValue& before = slotsBefore.value(letter);
        if (now != before && now != paddedValue(before))
            violation(QStringLiteral("failed Send changed a slot"),
                      where + QStringLiteral(": slot %1 went from %2 to %3")
                                  .arg(QLatin1Char(letter))
                                  .arg(describe(before), describe(now)));
    }
    if (controlStates() != controlsBefore)
        violation(QStringLiteral("failed Send changed controls"),
                  where + QStringLiteral(": the failed Send changed controls"));
}

// A refused or failed Read changes no slot and no control.
void Soak::checkFailedRead(const QString& where, const QString& outcome,
                           const SlotTable& slotsBefore, const QStringList& controlsBefore)
{
    QStringList changed;
    for (char letter : SlotTable::kLetters) {
        if (m_slots.value(letter) != slotsBefore.value(letter))
            changed << QStringLiteral("slot %1: %2 -> %3")
                           .arg(QLatin1Char(letter))
                           .arg(describe(slotsBefore.value(letter)),
                                describe(m_slots.value(letter)));
    }
    for (const QString& state : controlStates()) {
        if (!controlsBefore.contains(state))
            changed << state;
    }
    if (!changed.isEmpty())
        violation(QStringLiteral("failed Read changed slots or controls"),
                  where + QStringLiteral(": the Read ended \"%1\" but changed %2")
                              .arg(outcome, changed.join(u", ")));
}

void Soak::checkSend(const Plan& plan, const QString& where, const SlotTable& slotsBefore,
                     const std::map<char, int>& memoryBefore)
{
    const WindowModel& model = *m_windows[plan.window].model;
    const sim::Card& card = m_card;

    // Slots: the padded ones brought to five digits, the others as they were.
    SlotTable expectedSlots = slotsBefore;
    for (const FrameItem& item : model.frames) {
        if (!item.fixed && item.padded)
            expectedSlots.set(item.letter, paddedValue(slotsBefore.value(item.letter)));
    }
    for (char letter : SlotTable::kLetters) {
        if (m_slots.value(letter) != expectedSlots.value(letter))
            violation(QStringLiteral("Send left a slot other than due"),
                      where + QStringLiteral(": slot %1 holds %2 after the Send, %3 was due")
                                  .arg(QLatin1Char(letter))
                                  .arg(describe(m_slots.value(letter)),
                                       describe(expectedSlots.value(letter))));
    }

    // The frames on the wire, in order, each with the shape of a command frame.
    const std::vector<QByteArray> frames = expectedFrames(model, m_slots);
    const QList<QByteArray> received = card.framesReceived();
    if (received != QList<QByteArray>(frames.begin(), frames.end()))
        violation(QStringLiteral("Send put other frames on the wire"),
                  where + QStringLiteral(": the card received %1, %2 was due")
                              .arg(QString::fromLatin1(received.join(' ')),
                                   QString::fromLatin1(
                                       QByteArrayList(frames.begin(), frames.end()).join(' '))));
    for (const QByteArray& frame : received) {
        if (!isCommandFrame(frame))
            violation(QStringLiteral("malformed command frame"),
                      where + QStringLiteral(": \"%1\" is not a command frame (a letter, five "
                                             "digits or none, \"$\")")
                                  .arg(QString::fromLatin1(frame)));
    }

    // The card's memory: the slot's code for every letter sent from a slot, zero for a fixed
    // frame, unchanged for an empty slot.
    for (const FrameItem& item : model.frames) {
        const char letter = item.fixed ? item.fixed[0] : item.letter;
        if (letter == 'z' || letter == 'I')
            continue;
        int due = 0;
        if (item.fixed) {
            due = QByteArray(item.fixed).mid(1, 5).toInt();
        } else {
            const std::optional<double> number = slotNumber(m_slots.value(letter));
            due = number ? static_cast<int>(*number) : memoryBefore.at(letter);
            if (!number && *item.prefix)
                due = QByteArray(item.prefix).toInt(); // "a0000$" sets the reference to 0
        }
        if (card.parameter(letter) != due)
            violation(QStringLiteral("card memory differs from the slots after a Send"),
                      where + QStringLiteral(": the card holds %1 for %2 after the Send, the "
                                             "slot holds %3")
                                  .arg(card.parameter(letter))
                                  .arg(QLatin1Char(letter))
                                  .arg(describe(m_slots.value(letter))));
    }
}

void Soak::checkRead(const Plan& plan, const QString& where, const QStringList& controlsBefore)
{
    const Window& window = m_windows[plan.window];
    const WindowModel& model = *window.model;
    const sim::Card& card = m_card;
    if (card.framesReceived() != QList<QByteArray>{"w$"})
        violation(QStringLiteral("Read put other frames on the wire"),
                  where + QStringLiteral(": the card received %1 for a Read")
                              .arg(QString::fromLatin1(card.framesReceived().join(' '))));

    const auto control = [&window](const QString& name) -> QWidget* {
        return window.widget->findChild<QWidget*>(name);
    };
    bool rampsOn = false;
    for (const ReadItem& item : model.reads) {
        const int value = item.lowPosition ? 256 * replyField(plan, item.position) +
                                                 replyField(plan, item.lowPosition)
                                           : replyField(plan, item.position);
        const QString what =
            QStringLiteral("%1 (reply %2)").arg(QLatin1Char(item.letter)).arg(value);
        const std::optional<double> held = slotNumber(m_slots.value(item.letter));
        if (!held || *held != value)
            violation(QStringLiteral("Read left a slot other than the card's value"),
                      where + QStringLiteral(": slot %1 holds %2 after the Read")
                                  .arg(what, describe(m_slots.value(item.letter))));
        if (item.maximum < 0) {
            // An option: a known value marks its box (and in an exclusive group clears the
            // others); an unknown one leaves every mark as it was.
            const int index = value - item.firstOption;
            const bool known = index >= 0 && index < item.options.size();
            for (int i = 0; i < item.options.size(); ++i) {
                const QString& name = item.options[i];
                auto* box = qobject_cast<OptionBox*>(control(name));
                bool due = controlsBefore.contains(QLatin1String(model.name) + u'.' + name +
                                                   QStringLiteral("=1"));
                if (known)
                    due = i == index || (due && !item.exclusive);
                if (!box || box->isChecked() != due)
                    violation(QStringLiteral("Read left an option mark wrong"),
                              where + QStringLiteral(": %1 is %2 for %3")
                                          .arg(name,
                                               box && box->isChecked() ? QStringLiteral("marked")
                                                                       : QStringLiteral("clear"),
                                               what));
            }
            continue;
        }
        auto* slider = qobject_cast<SpinSlider*>(control(QLatin1String(item.slider)));
        if (!slider || slider->value() != item.maximum - value)
            violation(QStringLiteral("Read left a slider other than the card's value"),
                      where + QStringLiteral(": %1 stands at %2 for %3")
                                  .arg(QLatin1String(item.slider))
                                  .arg(slider ? slider->value() : -1)
                                  .arg(what));
        if (*item.box) {
            auto* box = qobject_cast<ValueBox*>(control(QLatin1String(item.box)));
            const QString due = QString::number(std::floor(value * item.boxFactor), 'f', 0);
            if (!box || box->text() != due)
                violation(QStringLiteral("Read left a box other than the card's value"),
                          where + QStringLiteral(": %1 shows \"%2\" for %3, \"%4\" was due")
                                      .arg(QLatin1String(item.box), box ? box->text() : QString(),
                                           what, due));
        }
        if (item.letter == 'C' || item.letter == 'D')
            rampsOn = rampsOn || value != 0;
    }
    if (auto* enable = qobject_cast<OptionBox*>(control(QStringLiteral("Check13")));
        enable && QLatin1String(model.name) == QLatin1String("VRN-A") &&
        enable->isChecked() != rampsOn)
        violation(QStringLiteral("Read left Enable Ramps wrong"),
                  where + QStringLiteral(": \"Enable Ramps\" does not follow the ramps read"));
}

SoakReport Soak::run()
{
    QElapsedTimer clock;
    clock.start();
    m_report.seed = m_options.seed;
    m_report.transfers = m_options.transfers;
    if (!sim::openSimulatedCard(m_link, m_card))
        violation(QStringLiteral("card did not open"),
                  QStringLiteral("the simulated card did not open: ") +
                      m_link.lastError().debugText());
    QCoreApplication::processEvents();
    m_report.rssStartBytes = residentSetBytes();
    for (int i = 1; i <= m_options.transfers; ++i) {
        drawEdits();
        const Plan plan = drawPlan();
        drawMemory();
        runTransfer(i, plan);
        if (i == m_options.transfers / 2)
            m_report.rssMiddleBytes = residentSetBytes();
    }
    QCoreApplication::processEvents();
    m_report.rssEndBytes = residentSetBytes();
    // The first half may still fill caches; the second must not keep taking memory.
    constexpr qint64 kSecondHalfGrowthLimit = 4 * 1024 * 1024;
    m_lateAnswerOnLine = false;
#if defined(__SANITIZE_ADDRESS__)
    // AddressSanitizer keeps freed memory in quarantine, so the resident set says nothing here;
    // the sanitizer's own leak check stands in for this one.
    constexpr bool kResidentSetTellsGrowth = false;
#else
    constexpr bool kResidentSetTellsGrowth = true;
#endif
    if (kResidentSetTellsGrowth &&
        m_report.rssEndBytes - m_report.rssMiddleBytes > kSecondHalfGrowthLimit)
        violation(QStringLiteral("memory grew in the second half"),
                  QStringLiteral("the resident set grew from %1 to %2 in the second half")
                      .arg(mib(m_report.rssMiddleBytes), mib(m_report.rssEndBytes)));
    for (const QString& text : m_notices.history())
        m_report.noticeHistoryBytes += text.size() * static_cast<qint64>(sizeof(QChar));
    m_report.elapsedMs = clock.elapsed();
    m_report.longestTransferMs = m_longestTransferMs;
    return m_report;
}

} // namespace

qint64 residentSetBytes()
{
#ifdef Q_OS_WIN
    // The working set: the pages of the process that are in memory now.
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters))
        return 0;
    return static_cast<qint64>(counters.WorkingSetSize);
#else
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    if (fields.size() < 2)
        return 0;
    return fields[1].toLongLong() * sysconf(_SC_PAGESIZE);
#endif
}

SoakReport runSoak(const SoakOptions& options)
{
    Soak soak(options);
    return soak.run();
}

QString SoakReport::summary() const
{
    QString text;
    const auto line = [&text](const QString& name, qint64 value) {
        text += QStringLiteral("  %1 %2\n").arg(name, -48).arg(value, 7);
    };
    text += QStringLiteral("Fault-injection soak: seed %1, %2 transfers, %3 s\n")
                .arg(seed)
                .arg(transfers)
                .arg(elapsedMs / 1000.0, 0, 'f', 1);
    text += QStringLiteral("Transfers by window and kind:\n");
    for (auto it = transfersByWindow.cbegin(); it != transfersByWindow.cend(); ++it)
        line(it.key(), it.value());
    text += QStringLiteral("Faults injected:\n");
    for (auto it = faults.cbegin(); it != faults.cend(); ++it)
        line(it.key(), it.value());
    text += QStringLiteral("Outcomes:\n");
    for (auto it = outcomes.cbegin(); it != outcomes.cend(); ++it)
        line(it.key(), it.value());
    text += QStringLiteral("Longest transfer: %1 ms\n").arg(longestTransferMs);
    text += QStringLiteral("Violations: %1\n").arg(violationCount);
    for (auto it = violationsByKind.cbegin(); it != violationsByKind.cend(); ++it)
        line(it.key(), it.value());
    if (!violations.isEmpty())
        text += QStringLiteral("Examples of violations:\n");
    for (const QString& v : violations)
        text += QStringLiteral("  %1\n").arg(v);
    text +=
        QStringLiteral("Resident set size: start %1, middle %2, end %3 (notices recorded: %4)\n")
            .arg(mib(rssStartBytes), mib(rssMiddleBytes), mib(rssEndBytes),
                 mib(noticeHistoryBytes));
    return text;
}

} // namespace vrn::soak
