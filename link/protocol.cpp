#include "protocol.h"

#include <algorithm>

namespace vrn::protocol {

bool isParameterLetter(char letter)
{
    return std::find(kParameterLetters.begin(), kParameterLetters.end(), letter) !=
           kParameterLetters.end();
}

std::optional<int> CommandFrame::code() const
{
    // A card reads whatever digits come; more than nine would not fit a number.
    if (digits.isEmpty() || digits.size() > 9)
        return std::nullopt;
    int value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::optional<CommandFrame> parseCommandFrame(const QByteArray& frame)
{
    if (frame.size() < 2 || frame.back() != kFrameEnd || !isParameterLetter(frame.front()))
        return std::nullopt;
    return CommandFrame{frame.front(), frame.mid(1, frame.size() - 2)};
}

} // namespace vrn::protocol
