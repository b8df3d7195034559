// What Windows can tell about a port: whether the COM name exists (the
// driver made it) and whether another program holds it. There are no
// groups or device modes to check.
#include "port_doctor.h"

#include <windows.h>

namespace k52 {

namespace {

class SystemPortEnvironment : public PortEnvironment {
public:
    std::optional<DeviceFile> stat(const QString &device) override {
        wchar_t target[512];
        const QString name = device.startsWith(QLatin1String("\\\\.\\")) ? device.mid(4) : device;
        if (QueryDosDeviceW(reinterpret_cast<const wchar_t *>(name.utf16()), target, 512) != 0)
            return DeviceFile{};
        for (const PortEntry &p : list_ports())
            if (p.device.compare(name, Qt::CaseInsensitive) == 0)
                return DeviceFile{};
        return std::nullopt;
    }
    bool accessible(const QString &) override { return true; }
    QVector<PortEntry> ports() override { return list_ports(); }
    QVector<PortHolder> holders(const QString &) override { return {}; }
    bool modem_manager_running() override { return false; }
    QString user_name() override { return {}; }
    QVector<uint> process_groups() override { return {}; }
    QVector<uint> database_groups() override { return {}; }
    QString group_name(uint gid) override { return QString::number(gid); }
};

} // namespace

// Windows tells a held port only when it is opened ("access denied"), and
// every COM name is a serial device.
PortProbe probe_port(const QString &) {
    return {};
}

PortEnvironment &system_port_environment() {
    static SystemPortEnvironment env;
    return env;
}

} // namespace k52
