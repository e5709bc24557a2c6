#include "port_choice.h"

#include "port_list.h"

#include <QStringList>

namespace vrn {

bool PortChoice::namesAdapter(const QString& given)
{
    return AdapterIdentity::fromKey(given).has_value();
}

CliPort PortChoice::choose(const QString& given, const QList<PortInfo>& listed)
{
    CliPort port;
    port.given = given;
    const std::optional<AdapterIdentity> adapter = AdapterIdentity::fromKey(given);
    if (!adapter) {
        port.device = given;
        return port;
    }
    port.byAdapter = true;
    QList<PortInfo> fitting;
    for (const PortInfo& info : listed) {
        if (isAdapter(info, *adapter))
            fitting << info;
    }
    PortList::sort(fitting);
    QStringList devices;
    for (const PortInfo& info : std::as_const(fitting))
        devices << info.device;
    if (devices.size() == 1) {
        port.device = devices.first();
    } else if (devices.isEmpty()) {
        port.problem =
            tr("No adapter %1 is plugged in; `vrn-cli ports` lists the adapters there are.")
                .arg(given);
    } else {
        // Two adapters of one kind without serial numbers, or the two ports of one adapter:
        // opening either could reach the wrong card.
        port.problem = tr("%1 fits several ports: %2. Name one by its USB location or serial "
                          "number as `vrn-cli ports` lists them, or by its device name.")
                           .arg(given, devices.join(QStringLiteral(", ")));
    }
    return port;
}

} // namespace vrn
