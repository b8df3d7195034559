#include "port_names.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSerialPortInfo>

#include <algorithm>

namespace k52 {

namespace {

// Device path -> its /dev/serial/by-id name (udev's stable names).
QHash<QString, QString> stable_names() {
    QHash<QString, QString> out;
    const QDir dir(QStringLiteral("/dev/serial/by-id"));
    for (const QFileInfo &link : dir.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot))
        out.insert(link.canonicalFilePath(), link.absoluteFilePath());
    return out;
}

} // namespace

QVector<PortEntry> list_ports() {
    const QHash<QString, QString> stable = stable_names();
    QList<QSerialPortInfo> infos = QSerialPortInfo::availablePorts();
    std::sort(infos.begin(), infos.end(), [](const QSerialPortInfo &a, const QSerialPortInfo &b) {
        return a.systemLocation() < b.systemLocation();
    });
    QVector<PortEntry> out;
    for (const QSerialPortInfo &i : infos) {
        PortEntry e;
        e.number = static_cast<int>(out.size()) + 1;
        e.device = i.systemLocation();
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
        e.identity = stable.value(QFileInfo(e.device).canonicalFilePath(), i.serialNumber());
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
    const int n = settings.commport;
#ifdef Q_OS_WIN
    Q_UNUSED(ports);
    if (n < 1) {
        if (error)
            *error = QStringLiteral("Comm port %1 is not a port number").arg(n);
        return {};
    }
    return QStringLiteral("COM%1").arg(n);
#else
    if (n < 1 || n > ports.size()) {
        if (error)
            *error = ports.isEmpty()
                         ? QStringLiteral("Comm port %1: this system has no serial ports").arg(n)
                         : QStringLiteral("Comm port %1: this system has %2 serial port(s); see 'k52util ports' "
                                          "or set the device path")
                               .arg(n)
                               .arg(ports.size());
        return {};
    }
    return ports[n - 1].device;
#endif
}

} // namespace k52
