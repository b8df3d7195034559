#include "port_names.h"

#include "port_platform.h"

#include <QSerialPortInfo>

#include <algorithm>

namespace k52 {

QVector<PortEntry> list_ports() {
    QList<QSerialPortInfo> infos = QSerialPortInfo::availablePorts();
    std::sort(infos.begin(), infos.end(), [](const QSerialPortInfo &a, const QSerialPortInfo &b) {
        return a.systemLocation() < b.systemLocation();
    });
    QVector<PortEntry> out;
    for (const QSerialPortInfo &i : infos) {
        PortEntry e;
        e.number = static_cast<int>(out.size()) + 1;
        e.device = platform_port_name(i.systemLocation(), i.portName());
        QStringList parts;
        if (!i.description().isEmpty())
            parts << i.description();
        if (!i.manufacturer().isEmpty())
            parts << i.manufacturer();
        if (i.hasVendorIdentifier() || i.hasProductIdentifier())
            parts << QStringLiteral("USB %1:%2")
                         .arg(i.vendorIdentifier(), 4, 16, QLatin1Char('0'))
                         .arg(i.productIdentifier(), 4, 16, QLatin1Char('0'));
        if (!i.serialNumber().isEmpty())
            parts << QStringLiteral("serial %1").arg(i.serialNumber());
        e.description = parts.join(QStringLiteral(", "));
        e.identity =
            platform_port_identity(e.device, i.serialNumber(), i.hasVendorIdentifier() || i.hasProductIdentifier(),
                                   i.vendorIdentifier(), i.productIdentifier());
        out.push_back(e);
    }
    return out;
}

const PortEntry *port_by_identity(const QString &identity, const QVector<PortEntry> &ports) {
    if (identity.isEmpty())
        return nullptr;
    for (const PortEntry &p : ports)
        if (p.identity == identity)
            return &p;
    return nullptr;
}

QString resolve_port(const LinkSettings &settings, QString *error) {
    return resolve_port(settings, list_ports(), error);
}

QString resolve_port(const LinkSettings &settings, const QVector<PortEntry> &ports, QString *error) {
    if (const PortEntry *p = port_by_identity(settings.commidentity, ports))
        return p->device;
    if (!settings.commdevice.trimmed().isEmpty())
        return settings.commdevice.trimmed();
    return platform_port_device(settings.commport, ports, error);
}

} // namespace k52
