#include "card_values.h"

#include "number_rules.h"
#include "protocol.h"

#include <QCoreApplication>

namespace vrn {

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
