#pragma once
// The serial ports' side of what differs between Windows and the other
// systems: port_platform_posix.cpp or port_platform_win.cpp is built (the
// CMake lists choose). The rest of the program's platform code is in
// core/profile/platform.h.

#include <QString>
#include <QVector>

namespace k52 {

struct PortEntry;

// What stays the same of an adapter wherever it is plugged in: on Linux its
// /dev/serial/by-id path, else its serial number; on Windows its serial
// number, else "USB vvvv:pppp". Empty when nothing identifies it.
QString platform_port_identity(const QString &device, const QString &serial_number, bool has_usb_ids, quint16 vendor,
                               quint16 product);

// The name a port is opened and shown by: the device path on Linux
// ("/dev/ttyUSB0"), the port name on Windows ("COM3", not "\\.\COM3").
QString platform_port_name(const QString &system_location, const QString &port_name);

// The device of Comm Port `number`: COM1 to COM7 on Windows (any number
// gives COMn); elsewhere the number-th port of `ports`. Empty, with the
// reason in `error` (may be null), when there is none.
QString platform_port_device(int number, const QVector<PortEntry> &ports, QString *error);

} // namespace k52
