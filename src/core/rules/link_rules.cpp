#include "link_rules.h"

#include "core/link/port_platform.h"

#include <QCoreApplication>

namespace k52 {

std::optional<int> baud_index(Long rate) {
    for (int i = 0; i < kBaudChoices; ++i)
        if (kBaudRates[std::size_t(i)] == rate)
            return i;
    return std::nullopt;
}

QString commtype_code(int mode) {
    return mode == kModeTcp ? QStringLiteral("T") : QStringLiteral("S");
}

LinkChoices link_choices(const LinkSettings &link) {
    LinkChoices c;
    c.mode = link.commtype == QLatin1String("T") ? kModeTcp : kModeSerial;
    if (link.commport >= 1 && link.commport <= kCommPortChoices)
        c.port = link.commport - 1;
    c.baud = baud_index(link.baudrate);
    if (link.parity >= 0 && link.parity < kParityChoices)
        c.parity = link.parity;
    return c;
}

namespace {
const PortEntry *entry_for(const QString &device, const QVector<PortEntry> &ports) {
    for (const PortEntry &e : ports)
        if (e.device == device)
            return &e;
    return nullptr;
}
} // namespace

QString port_device(int number, const QVector<PortEntry> &ports) {
    return platform_port_device(number, ports, nullptr);
}

QString port_caption(int number, const QVector<PortEntry> &ports) {
    const QString device = port_device(number, ports);
    if (device.isEmpty())
        return QCoreApplication::translate("k52::CommFormScreen", "(no such port on this machine)");
    const PortEntry *e = entry_for(device, ports);
    if (!e)
        return device + QCoreApplication::translate("k52::CommFormScreen", " (not present)");
    if (e->description.isEmpty())
        return device;
    return device + QStringLiteral(" (") + e->description + QLatin1Char(')');
}

std::optional<int> remembered_box(const LinkSettings &link, const QVector<PortEntry> &ports) {
    const PortEntry *p = port_by_identity(link.commidentity, ports);
    if (!p || p->number < 1 || p->number > kCommPortChoices)
        return std::nullopt;
    return p->number - 1;
}

QString link_device_note(const LinkSettings &link, const QVector<PortEntry> &ports) {
    if (const PortEntry *p = port_by_identity(link.commidentity, ports))
        return QCoreApplication::translate("k52::CommFormScreen", "Serial link opens %1, the remembered adapter (%2)")
            .arg(p->device, link.commidentity);
    const QString absent =
        link.commidentity.isEmpty()
            ? QString()
            : QCoreApplication::translate("k52::CommFormScreen", "The remembered adapter (%1) is not plugged in. ")
                  .arg(link.commidentity);
    const QString path = link.commdevice.trimmed();
    if (!path.isEmpty())
        return absent + QCoreApplication::translate(
                            "k52::CommFormScreen",
                            "Serial link opens %1 (device path; the Comm Port choice applies when it is empty)")
                            .arg(path);
    const QString device = port_device(link.commport, ports);
    if (device.isEmpty())
        return absent + QCoreApplication::translate(
                            "k52::CommFormScreen",
                            "Comm port %1 has no device on this machine; choose a port or enter a device path")
                            .arg(link.commport);
    return absent + QCoreApplication::translate("k52::CommFormScreen", "Serial link opens %1").arg(device);
}

} // namespace k52
