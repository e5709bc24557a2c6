#include "card_values.h"

#include "number_rules.h"
#include "protocol.h"

#include <QCoreApplication>

namespace vrn {
namespace {

QString optionCaption(ValueUnit unit, int code)
{
    // The captions of the option boxes, as the windows show them.
    static const char* const pwm[] = {"(1) 100 Hz", "(2) 200 Hz", "(3) 300 Hz", "(4) 400 Hz",
                                      "(5) 500 Hz"};
    static const char* const coil[] = {"(1)  860 mA", "(2) 1200 mA", "(3) 1600 mA", "(4) 1880 mA",
                                       "(5) 2600 mA"};
    static const char* const reference[] = {"(E2) 0 - 5V", "(E0) 0 - 10V", "(E1) 4-20mA"};
    switch (unit) {
    case ValueUnit::PwmChoice:
        if (code >= 1 && code <= 5)
            return QString::fromLatin1(pwm[code - 1]);
        break;
    case ValueUnit::CoilRange:
        if (code >= 1 && code <= 5)
            return QString::fromLatin1(coil[code - 1]);
        break;
    case ValueUnit::ReferenceInput:
        if (code >= 0 && code <= 2)
            return QString::fromLatin1(reference[code]);
        break;
    default:
        break;
    }
    return QCoreApplication::translate("Values", "code %1").arg(code);
}

} // namespace

QString modelName(CardModel model)
{
    switch (model) {
    case CardModel::VrnA:
        return QStringLiteral("VRN-A");
    case CardModel::VrnB:
        return QStringLiteral("VRN-B");
    case CardModel::VrnC:
        return QStringLiteral("VRN-C");
    case CardModel::VrnD:
        return QStringLiteral("VRN-D");
    }
    return {};
}

int parameterFileValues(CardModel model)
{
    switch (model) {
    case CardModel::VrnA:
        return 10;
    case CardModel::VrnC:
        return 4;
    case CardModel::VrnB:
    case CardModel::VrnD:
        return 3;
    }
    return 0;
}

QString CardValue::displayName() const
{
    return QCoreApplication::translate("Values", name);
}

QString valueText(ValueUnit unit, int code)
{
    const QLocale locale;
    switch (unit) {
    case ValueUnit::Milliamps:
        return QCoreApplication::translate("Values", "%1 mA").arg(displayCurrent(code));
    case ValueUnit::Millivolts:
        return QCoreApplication::translate("Values", "%1 mV").arg(displayCurrent(code));
    case ValueUnit::Seconds:
        return QCoreApplication::translate("Values", "%1 s")
            .arg(boxNumberText(code * kSecondsPerStep, locale));
    case ValueUnit::TenMilliseconds:
        return QCoreApplication::translate("Values", "%1 ms").arg(code * kMillisecondsPerStep);
    case ValueUnit::PwmChoice:
    case ValueUnit::CoilRange:
    case ValueUnit::ReferenceInput:
        return optionCaption(unit, code);
    }
    return {};
}

Codes codesToSend(const SlotTable& slots, std::span<const SendFrame> frames)
{
    QList<QByteArray> out;
    for (const SendFrame& frame : frames)
        out.append(frameToSend(slots, frame));
    return codesInFrames(out);
}

std::vector<ValueDifference> compareValues(std::span<const CardValue> values, const Codes& window,
                                           const Codes& card)
{
    const auto find = [](const Codes& codes, char letter) -> std::optional<int> {
        const auto it = codes.find(letter);
        return it == codes.end() ? std::nullopt : std::optional<int>(it->second);
    };
    std::vector<ValueDifference> differences;
    for (const CardValue& value : values) {
        const std::optional<int> w = find(window, value.letter);
        const std::optional<int> c = find(card, value.letter);
        if (w != c)
            differences.push_back({value, w, c});
    }
    return differences;
}

QString differenceText(const ValueDifference& d)
{
    const QString window = d.window ? valueText(d.value.unit, *d.window)
                                    : QCoreApplication::translate("Values", "not set");
    const QString card = d.card ? valueText(d.value.unit, *d.card)
                                : QCoreApplication::translate("Values", "not in the reply");
    return QCoreApplication::translate("Values", "%1 (window %2, card %3)")
        .arg(d.value.displayName(), window, card);
}

} // namespace vrn
