#include "faults.h"

#include "option_box.h"
#include "runner.h"
#include "spin_slider.h"
#include "timeouts.h"

#include <iterator>

namespace vrn::soak {
namespace {

QByteArray threeDigits(int value)
{
    return QByteArray::number(value % 1000).rightJustified(3, '0');
}

} // namespace

const FaultKind& kindOf(Fault fault)
{
    for (const FaultKind& kind : kFaultKinds) {
        if (kind.fault == fault)
            return kind;
    }
    return kFaultKinds[0];
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

} // namespace vrn::soak
