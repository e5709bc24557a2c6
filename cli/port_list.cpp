#include "port_list.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include <algorithm>
#include <array>
#include <vector>

namespace vrn {
namespace {

QJsonValue idJson(const PortInfo& port, quint16 id)
{
    if (!port.hasIds)
        return QJsonValue(QJsonValue::Null);
    return QStringLiteral("%1").arg(id, 4, 16, QLatin1Char('0'));
}

} // namespace

void PortList::sort(QList<PortInfo>& ports)
{
    std::stable_sort(ports.begin(), ports.end(), [](const PortInfo& a, const PortInfo& b) {
        return comesBefore(a.device, b.device);
    });
}

QString PortList::text(QList<PortInfo> ports)
{
    if (ports.isEmpty())
        return tr("The system lists no serial port.") + QLatin1Char('\n');
    sort(ports);
    std::vector<std::array<QString, 4>> rows;
    std::array<qsizetype, 4> widths{};
    for (const PortInfo& port : ports) {
        const std::array<QString, 4> row{port.device, port.description, port.manufacturer,
                                         identityOf(port).key()};
        for (std::size_t i = 0; i < row.size(); ++i)
            widths[i] = std::max(widths[i], row[i].size());
        rows.push_back(row);
    }
    QString text;
    for (const auto& row : rows) {
        QString line;
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0)
                line += QStringLiteral("  ");
            line += row[i].leftJustified(widths[i]);
        }
        while (line.endsWith(QLatin1Char(' ')))
            line.chop(1);
        text += line + QLatin1Char('\n');
    }
    return text;
}

QString PortList::json(QList<PortInfo> ports)
{
    sort(ports);
    QString text;
    for (const PortInfo& port : ports) {
        const QJsonObject object{
            {QStringLiteral("device"), port.device},
            {QStringLiteral("description"), port.description},
            {QStringLiteral("manufacturer"), port.manufacturer},
            {QStringLiteral("serial_number"), port.serialNumber},
            {QStringLiteral("vendor_id"), idJson(port, port.vendorId)},
            {QStringLiteral("product_id"), idJson(port, port.productId)},
            {QStringLiteral("usb_location"), port.usbLocation},
            {QStringLiteral("usb_interface"), port.usbInterface},
            {QStringLiteral("adapter"), identityOf(port).key()},
        };
        text += QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)) +
                QLatin1Char('\n');
    }
    return text;
}

} // namespace vrn
