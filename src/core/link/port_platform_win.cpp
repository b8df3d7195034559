#include "port_platform.h"

#include "port_names.h"

namespace k52 {

QString platform_port_identity(const QString &, const QString &serial_number, bool has_usb_ids, quint16 vendor,
                               quint16 product) {
    if (!serial_number.isEmpty())
        return serial_number;
    if (has_usb_ids)
        return QStringLiteral("USB %1:%2").arg(vendor, 4, 16, QLatin1Char('0')).arg(product, 4, 16, QLatin1Char('0'));
    return {};
}

QString platform_port_name(const QString &, const QString &port_name) {
    return port_name;
}

QString platform_port_device(int number, const QVector<PortEntry> &, QString *error) {
    if (number < 1) {
        if (error)
            *error = QStringLiteral("Comm port %1 is not a port number").arg(number);
        return {};
    }
    return QStringLiteral("COM%1").arg(number);
}

} // namespace k52
