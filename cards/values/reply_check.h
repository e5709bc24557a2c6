#pragma once

#include "card_description.h"
#include "reply_fields.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <span>
#include <vector>

namespace vrn {

// A value of the read reply that failed its check, and what the reply held for it.
struct ReplyProblem
{
    enum class What {
        NotANumber, // a field of the value holds other characters than digits
        TooLarge    // the value lies above the largest its slider takes
    };

    What what = What::NotANumber;
    ReplyValue value;
    int position = 0;  // NotANumber: the field (1-based) that is no number
    QByteArray held;   // NotANumber: the characters of that field
    double number = 0; // TooLarge: the value the reply gives
};

// Checks every value before anything is applied: each field must hold digits only, and a
// slider's value must lie within its range. Every wrong value is listed, in the order of the
// values and their fields; none when the reply can be applied.
std::vector<ReplyProblem> replyProblems(const ReplyFields& fields,
                                        std::span<const ReplyValue> values);

// The sentence that tells the user which values were wrong; empty when there are none.
QString replyRefusalText(std::span<const ReplyProblem> problems);

// Both at once: the sentence for a reply that cannot be applied, or nothing.
std::optional<QString> checkReply(const ReplyFields& fields, std::span<const ReplyValue> values);

} // namespace vrn
