#pragma once

#include "card_state.h"
#include "link_error.h"
#include "reply_check.h"

#include <optional>
#include <vector>

namespace vrn {

// What a card window's Send, Read or Verify did, as data: the window puts it into words for
// the user, and whoever drives the windows (vrn-cli, the soak) decides by it, in any language.
struct TransferResult
{
    enum class Kind { Send, Read, Verify };
    enum class Ending {
        Done,         // ended well; for a Read or a Verify, the card's reply was accepted
        Refused,      // not started: no port open, or another transfer runs (see error)
        Failed,       // started and failed on the link: no answer, a short reply, the port lost
        ReplyRefused, // the card's read reply failed its checks (see replyProblems); nothing
                      // was changed
    };

    Kind kind = Kind::Send;
    Ending ending = Ending::Done;
    LinkError error;                         // for Refused and Failed: the reason
    std::vector<ReplyProblem> replyProblems; // for ReplyRefused: every value that was wrong
    int framesAnswered = 0;                  // of a Send: the frames the card answered
    int framesPlanned = 0;                   // of a Send: the frames it was to make
    Codes cardCodes; // what the card now holds, after a transfer that ended well
    // What the card on the port was known to hold when the transfer started; none when
    // nothing was known of it (set by the window that ran it).
    std::optional<Codes> cardBefore;

    bool ok() const { return ending == Ending::Done; }
};

} // namespace vrn
