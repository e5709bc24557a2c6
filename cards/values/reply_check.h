#pragma once

#include "reply_fields.h"

#include <QString>

#include <optional>
#include <span>

namespace vrn {

// A value a card window takes from the read reply.
struct ReplyValue
{
    const char* name;    // for the user: "maximum current"
    int position;        // 1-based; the high part for a pair
    int lowPosition = 0; // the low part of a pair, 0 for a single field
    int maximum = -1;    // largest value its slider takes; -1 for an option field

    double valueIn(const ReplyFields& fields) const
    {
        return lowPosition ? fields.pair(position, lowPosition) : fields.field(position);
    }
};

// Checks every value before anything is applied: each field must hold digits only, and a
// slider's value must lie within its range. Returns the sentence that tells the user which
// value was wrong, or nothing when the reply can be applied.
std::optional<QString> checkReply(const ReplyFields& fields, std::span<const ReplyValue> values);

} // namespace vrn
