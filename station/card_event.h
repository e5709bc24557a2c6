#pragma once

#include "card_values.h"
#include "transfer_result.h"

#include <QByteArray>
#include <QString>

namespace vrn {

// A transfer of a card job as it is put on record: what it was for, how it ended, and the
// parameter file the values came from or went to.
struct CardEvent
{
    enum class Action { Send, Read, Verify, Snapshot, Restore };

    Action action = Action::Send;
    CardModel model = CardModel::VrnA;
    TransferResult result;
    QString file;           // empty when no file belongs to it
    QByteArray fileSha256;  // of the file's bytes as they were sent or saved
    QString port;           // the device the card was on ("simulated" for the simulated card)
    QString adapter;        // the adapter's key ("usb:A10K3JX2"); may be empty
    QString adapterDetails; // "USB serial number A10K3JX2, vendor 0403, ..."; may be empty
    QString cardSerial;     // as the operator typed it; may be empty
    QString operatorName;
    QString outcome; // "done", "failed", "verified", "differs", ...: set by whoever records it
    QString reason;  // why it failed, in words; empty when nothing went wrong
};

// "send", "read", "verify", "snapshot", "restore".
QString actionName(CardEvent::Action action);
// How a transfer ended, as a record names it: "done", "refused", "failed", "reply refused".
QString transferOutcome(const TransferResult& result);

} // namespace vrn
