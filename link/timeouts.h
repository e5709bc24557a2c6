#pragma once

namespace vrn {

// Every wait of a transfer has a limit; a card that stays silent longer ends the transfer.
constexpr int kTransmitTimeoutMs = 1000; // for a frame to leave the port
constexpr int kAnswerTimeoutMs = 2000;   // for the two characters that answer a frame
constexpr int kReplyTimeoutMs = 3000;    // for the 56 characters of a read reply
constexpr int kSettlePauseMs = 100;      // pause after a frame, on a clock that does not jump

} // namespace vrn
