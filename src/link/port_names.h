#pragma once

#include "profile/link_settings.h"

#include <QString>
#include <QVector>

namespace k52 {

// One serial port of the system, numbered as `commport` counts them.
struct PortEntry {
    int number = 0;      // 1-based position in name order
    QString device;      // "/dev/ttyUSB0", "COM3"
    QString description; // driver description, USB vendor and product where known
};

// The system's serial ports in name order of their device path.
QVector<PortEntry> list_ports();

// The device the link settings name: `commdevice` when set; otherwise COMn
// on Windows and the n-th port of list_ports() elsewhere. Empty, with a
// reason in `error`, when no device fits.
QString resolve_port(const LinkSettings &settings, QString *error);

} // namespace k52
