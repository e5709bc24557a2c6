#include "outcome.h"

namespace vrn::soak {

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

} // namespace vrn::soak
