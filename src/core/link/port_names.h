#pragma once

#include "core/profile/link_settings.h"

#include <QString>
#include <QVector>

namespace k52 {

// One serial port of the system, numbered as `commport` counts them.
struct PortEntry {
    int number = 0;      // 1-based position in name order
    QString device;      // "/dev/ttyUSB0", "COM3"
    QString description; // driver description, USB vendor and product where known
    // What stays the same when the adapter is plugged in elsewhere: its
    // /dev/serial/by-id path, else its serial number; empty for ports
    // without one (built-in ports).
    QString identity;
    bool operator==(const PortEntry &) const = default;
};

// The system's serial ports in name order of their device path.
QVector<PortEntry> list_ports();

// The device the link settings name: the remembered adapter
// (`commidentity`) wherever it is plugged in now; else `commdevice` when
// set; otherwise COMn on Windows and the n-th port of the list elsewhere.
// Empty, with a reason in `error`, when no device fits.
QString resolve_port(const LinkSettings &settings, QString *error);
QString resolve_port(const LinkSettings &settings, const QVector<PortEntry> &ports, QString *error);

// The port of `ports` whose identity is `identity`; nullptr when it is not
// plugged in (or the identity is empty).
const PortEntry *port_by_identity(const QString &identity, const QVector<PortEntry> &ports);

} // namespace k52
