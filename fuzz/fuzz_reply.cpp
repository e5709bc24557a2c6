// The card's read reply as each of the four card windows takes it apart and checks it: any
// bytes, of any length, in place of the 56 characters the card sends.
#include "reply_check.h"

#include "card_description.h"
#include "fuzz_check.h"
#include "protocol.h"

#include <cmath>
#include <vector>

using namespace vrn;
using vrn::fuzz::require;

namespace {

constexpr double kLargestField = 999.0; // three digits

struct Window
{
    const char* name;
    std::vector<ReplyValue> values;
};

const std::vector<Window>& windows()
{
    static const std::vector<Window> all = [] {
        std::vector<Window> windows;
        for (const CardModel model : kCardModels) {
            const CardDescription& card = cardDescription(model);
            Window window{card.name, {}};
            for (const CardValue& value : card.values)
                window.values.push_back(value.reply);
            windows.push_back(std::move(window));
        }
        return windows;
    }();
    return all;
}

QString describe(const Window& window, const ReplyValue& value, const ReplyFields& fields)
{
    return QStringLiteral("%1 %2 at %3: \"%4\" (reply of %5 characters)")
        .arg(QLatin1String(window.name), QLatin1String(value.name))
        .arg(value.position)
        .arg(QString::fromLatin1(fields.raw(value.position).toPercentEncoding()))
        .arg(fields.reply().size());
}

void checkFields(const ReplyFields& fields)
{
    for (int position = -2; position <= protocol::kReadReplyLength + 4; ++position) {
        const double value = fields.field(position);
        require(std::isfinite(value), "a reply field reads as a finite number");
        require(fields.raw(position).size() <= 3, "a field is three characters at most");
        if (fields.isNumber(position))
            require(value >= 0 && value <= kLargestField && value == std::trunc(value),
                    "a field of digits reads as a whole number from 0 to 999");
    }
}

// A reply a window accepts can be applied as it stands: every value is a whole number that its
// slider (or option column) takes, so no conversion to a slider position can overflow.
void checkWindow(const Window& window, const ReplyFields& fields)
{
    const std::optional<QString> refusal = checkReply(fields, window.values);
    if (refusal) {
        require(refusal->contains(QLatin1String("nothing was changed")),
                "a refusal tells the user that nothing changed", *refusal);
        bool named = false;
        for (const ReplyValue& value : window.values)
            named = named || refusal->contains(QLatin1String(value.name));
        require(named, "a refusal names the value that was wrong", *refusal);
        return;
    }
    for (const ReplyValue& value : window.values) {
        for (int position : {value.position, value.lowPosition}) {
            if (position != 0)
                require(fields.isNumber(position), "an accepted reply holds digits only",
                        describe(window, value, fields));
        }
        const double number = value.valueIn(fields);
        const double largest = value.maximum >= 0  ? value.maximum
                               : value.lowPosition ? 256.0 * kLargestField + kLargestField
                                                   : kLargestField;
        require(number >= 0 && number <= largest && number == std::trunc(number),
                "an accepted value is a whole number in its range",
                describe(window, value, fields));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const ReplyFields fields(
        QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    checkFields(fields);
    for (const Window& window : windows())
        checkWindow(window, fields);
    return 0;
}
