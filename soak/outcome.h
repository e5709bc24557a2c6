#pragma once

// How a transfer ended, told from what the window's transfer did.

#include "transfer_result.h"

#include <QString>

#include <vector>

namespace vrn::soak {

// Outcome names as the summary counts them.
const QString kOk = QStringLiteral("ok");
const QString kRefusedReply = QStringLiteral("refused reply");
const QString kTimeOut = QStringLiteral("time-out");
const QString kShortReply = QStringLiteral("short reply (time-out)");
const QString kPortLost = QStringLiteral("port lost");
const QString kNoPort = QStringLiteral("refused: no port open");
const QString kBusy = QStringLiteral("refused: another transfer running");
const QString kUnrecognised = QStringLiteral("unrecognised notice");

// The outcome by what the window's transfer did, never by the words of its notice: the same in
// every language and whatever the notice says.
QString outcomeOf(const std::vector<TransferResult>& results);

} // namespace vrn::soak
