#pragma once
// Why a serial port cannot be used, in words that name the fix: the device
// is missing, the user may not open it, another program holds it, or the
// link settings are incomplete. The facts come from a PortEnvironment so
// that tests can stage conditions a test machine cannot produce.

#include "core/profile/link_settings.h"
#include "port_names.h"

#include <QString>
#include <QVector>

#include <optional>

namespace k52 {

// One process that has a device open.
struct PortHolder {
    qint64 pid = 0;
    QString command; // its name, e.g. "ModemManager", "minicom"
    bool operator==(const PortHolder &) const = default;
};

// Owner and mode of a device file.
struct DeviceFile {
    uint uid = 0;
    uint gid = 0;
    uint mode = 0; // permission bits (0660)
};

// What opening a device as the jobs do finds, leaving it as it was (the
// exclusive hold of another program is only looked at, never cleared).
struct PortProbe {
    bool terminal = true; // a terminal device (its line settings can be read)
    bool console = false; // the console or this program's own terminal, not a serial port
    bool held = false;    // another program holds it exclusively
    QString error;        // why it could not be opened, when it could not
};
PortProbe probe_port(const QString &device);

// What the diagnosis asks of the system.
class PortEnvironment {
public:
    virtual ~PortEnvironment() = default;
    // The device file, or nothing when it does not exist.
    virtual std::optional<DeviceFile> stat(const QString &device) = 0;
    // True when this process may open the device for reading and writing.
    virtual bool accessible(const QString &device) = 0;
    // The serial ports the system lists.
    virtual QVector<PortEntry> ports() = 0;
    // Processes that have the device open, as far as they can be seen.
    virtual QVector<PortHolder> holders(const QString &device) = 0;
    // True while the modem manager service runs.
    virtual bool modem_manager_running() = 0;
    virtual QString user_name() = 0;
    // Groups of the running login (this process) and those the group
    // database gives the user now; they differ until the user logs in again.
    virtual QVector<uint> process_groups() = 0;
    virtual QVector<uint> database_groups() = 0;
    virtual QString group_name(uint gid) = 0;
    // The device opened as the jobs open it (a sound, free terminal unless
    // the environment says otherwise).
    virtual PortProbe probe(const QString & /*device*/) { return {}; }
};

// The running system (/proc, the group database, the serial port list).
PortEnvironment &system_port_environment();

struct PortCheck {
    enum Kind { Exists, Permission, Free, Settings };
    Kind kind = Exists;
    bool ok = false;
    QString text; // what was found; for a failure also the fix
};

// Every check, in order: exists, permission, free, settings. A check that
// cannot run because an earlier one failed (a missing device has no owner)
// is left out.
QVector<PortCheck> check_port(const QString &device, const LinkSettings &settings, PortEnvironment &env);

// The settings check alone; empty when the settings can open a port.
QString settings_problem(Long baudrate, int parity);

// Why opening `device` failed: the first failing check of the device, or
// else the port's own error text.
// `busy_or_denied` is the port's own verdict (in use, or no permission).
QString explain_open_failure(const QString &device, const QString &port_error, bool busy_or_denied,
                             PortEnvironment &env);

// The fix for a user outside the group that owns a device, and for one who
// joined it after logging in.
QString join_group_advice(const QString &group);
QString relogin_advice(const QString &group);

} // namespace k52
