#include "port_platform.h"

#include "port_names.h"

#include <QDir>
#include <QFileInfo>

namespace k52 {

QString platform_port_identity(const QString &device, const QString &serial_number, bool, quint16, quint16) {
    // udev's stable names for the device.
    const QString target = QFileInfo(device).canonicalFilePath();
    const QDir dir(QStringLiteral("/dev/serial/by-id"));
    for (const QFileInfo &link : dir.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot))
        if (!target.isEmpty() && link.canonicalFilePath() == target)
            return link.absoluteFilePath();
    return serial_number;
}

QString platform_port_name(const QString &system_location, const QString &) {
    return system_location;
}

QString platform_port_device(int number, const QVector<PortEntry> &ports, QString *error) {
    if (number < 1 || number > ports.size()) {
        if (error)
            *error = ports.isEmpty()
                         ? QStringLiteral("Comm port %1: this system has no serial ports").arg(number)
                         : QStringLiteral("Comm port %1: this system has %2 serial port(s); see 'k52util ports' "
                                          "or set the device path")
                               .arg(number)
                               .arg(ports.size());
        return {};
    }
    return ports[number - 1].device;
}

} // namespace k52
