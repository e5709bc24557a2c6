#pragma once

#include "link.h"
#include "link_error.h"
#include "transfer_result.h"

#include <QCoreApplication>
#include <QString>

namespace vrn {

// Puts what went wrong on the link into words for the user: which port, what happened and
// what to check.
class LinkMessages
{
    Q_DECLARE_TR_FUNCTIONS(LinkMessages)
public:
    // A port that could not be opened or chosen (the launcher's "Seriale" menu).
    static QString portProblem(const LinkError& error);
    // A transfer that was refused or failed (a card window's Send or Read).
    static QString transferProblem(const LinkError& error);
    // What the user is told of a card window's transfer that did not end well: the refusal,
    // the failure (for a Send, how far it got) or the values of a refused reply; empty when
    // it ended well.
    static QString transferNotice(const TransferResult& result);

    // The state of the link for a status line: "No port open", "Simulated card",
    // "/dev/ttyUSB0 - FT232R USB UART (A10K3JX2) open", "FT232R USB UART (A10K3JX2) unplugged:
    // waiting for it", "… reopened as /dev/ttyUSB1".
    static QString linkState(const Link& link);
    // The adapter of the line in use, for a tooltip: "Adapter: USB serial number A10K3JX2,
    // vendor 0403, product 6001"; empty for the simulated card and without a port.
    static QString adapterDetails(const Link& link);
    // The port as a record names it: "/dev/ttyUSB0 (FT232R USB UART)", "Simulated card",
    // "no port open".
    static QString portText(const Link& link);

private:
    // The texts both share: the device refused or went away.
    static QString deviceProblem(const LinkError& error);
};

} // namespace vrn
