#include "port_doctor.h"

#include "byte_link.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

#include <vector>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace k52 {

namespace {

const QLatin1StringView kModemManager("ModemManager");

QString present_ports(const QVector<PortEntry> &ports) {
    if (ports.isEmpty())
        return QStringLiteral("No serial ports are present: plug the adapter in.");
    QStringList names;
    for (const PortEntry &p : ports)
        names << (p.description.isEmpty() ? p.device : QStringLiteral("%1 (%2)").arg(p.device, p.description));
    return QStringLiteral("Plug the adapter in or choose one of the ports present: %1.")
        .arg(names.join(QStringLiteral(", ")));
}

QString modem_manager_hint() {
    return QStringLiteral("The modem manager (ModemManager) probes serial ports and can hold them: stop it with "
                          "\"sudo systemctl stop ModemManager\" (or \"sudo systemctl disable --now ModemManager\" "
                          "when this machine uses no modem).");
}

QString holders_text(const QVector<PortHolder> &holders) {
    constexpr int kNamed = 5;
    QStringList who;
    for (const PortHolder &h : holders.first(std::min<qsizetype>(holders.size(), kNamed)))
        who << QStringLiteral("%1 (pid %2)")
                   .arg(h.command.isEmpty() ? QStringLiteral("a program") : h.command)
                   .arg(h.pid);
    if (holders.size() > kNamed)
        who << QStringLiteral("%1 more").arg(holders.size() - kNamed);
    return who.join(QStringLiteral(", "));
}

bool held_by_modem_manager(const QVector<PortHolder> &holders) {
    for (const PortHolder &h : holders)
        if (h.command == kModemManager)
            return true;
    return false;
}

PortCheck exists_check(const QString &device, PortEnvironment &env) {
    PortCheck c{PortCheck::Exists, false, {}};
    if (device.isEmpty()) {
        c.text = QStringLiteral("No serial port is selected. ") + present_ports(env.ports());
        return c;
    }
    if (!env.stat(device)) {
        c.text = QStringLiteral("Serial port %1 does not exist: the adapter is unplugged or this is the wrong port. ")
                     .arg(device) +
                 present_ports(env.ports());
        return c;
    }
    const PortProbe probe = env.probe(device);
    if (probe.console || !probe.terminal) {
        c.text = QStringLiteral("%1 is not a serial port (%2): choose the adapter's port. ")
                     .arg(device, probe.console ? QStringLiteral("it is a console, not a serial line")
                                                : QStringLiteral("it is no terminal device")) +
                 present_ports(env.ports());
        return c;
    }
    c.ok = true;
    c.text = QStringLiteral("Serial port %1 exists.").arg(device);
    return c;
}

PortCheck permission_check(const QString &device, const DeviceFile &file, PortEnvironment &env) {
    PortCheck c{PortCheck::Permission, true, {}};
    if (env.accessible(device)) {
        c.text = QStringLiteral("You may open %1.").arg(device);
        return c;
    }
    c.ok = false;
    const QString group = env.group_name(file.gid);
    const QString user = env.user_name();
    if (!env.database_groups().contains(file.gid)) {
        c.text = QStringLiteral("You may not open %1: it belongs to the group \"%2\" and you (%3) are not in it. ")
                     .arg(device, group, user) +
                 join_group_advice(group);
    } else if (!env.process_groups().contains(file.gid)) {
        c.text = QStringLiteral("You may not open %1: it belongs to the group \"%2\"; you (%3) are in that group, "
                                "but this login started before you joined it. ")
                     .arg(device, group, user) +
                 relogin_advice(group);
    } else {
        c.text = QStringLiteral("You may not open %1 although you are in its group \"%2\": the device does not let "
                                "its group read and write it (mode %3). Allow it with \"sudo chmod g+rw %1\".")
                     .arg(device, group, QString::number(file.mode & 07777, 8).rightJustified(4, QLatin1Char('0')));
    }
    return c;
}

PortCheck free_check(const QString &device, bool said_busy, PortEnvironment &env) {
    PortCheck c{PortCheck::Free, true, {}};
    const QVector<PortHolder> holders = env.holders(device);
    const bool modem = held_by_modem_manager(holders) || env.modem_manager_running();
    if (!holders.isEmpty()) {
        c.ok = false;
        c.text = QStringLiteral("Serial port %1 is held by %2: close that program first.")
                     .arg(device, holders_text(holders));
    } else if (said_busy) {
        c.ok = false;
        c.text = QStringLiteral("Serial port %1 is held by another program that cannot be seen from here: find it "
                                "with \"sudo fuser -v %1\" and close it.")
                     .arg(device);
    } else {
        c.text = QStringLiteral("No other program holds %1.").arg(device);
    }
    if (modem)
        c.text += QLatin1Char(' ') + modem_manager_hint();
    return c;
}

} // namespace

QString join_group_advice(const QString &group) {
    return QStringLiteral("Join it with \"sudo usermod -aG %1 $USER\", then log out and in again.").arg(group);
}

QString relogin_advice(const QString &group) {
    return QStringLiteral("Log out and in again so that the login has the group \"%1\" (opening a new terminal is "
                          "not enough).")
        .arg(group);
}

QString settings_problem(Long baudrate, int parity) {
    if (baudrate <= 0)
        return QStringLiteral("No baud rate is set (%1): choose one on the Communications Setup screen or use "
                              "Find Converter.")
            .arg(baudrate);
    if (parity < 0 || parity > 2)
        return QStringLiteral("No parity is set: choose 7 Even, 7 Odd or 8 None on the Communications Setup screen "
                              "or use Find Converter.");
    return {};
}

QVector<PortCheck> check_port(const QString &device, const LinkSettings &settings, PortEnvironment &env) {
    QVector<PortCheck> out{exists_check(device, env)};
    if (out.back().ok) {
        const std::optional<DeviceFile> file = env.stat(device);
        out << permission_check(device, file.value_or(DeviceFile{}), env);
        out << free_check(device, env.probe(device).held, env);
    }
    const QString problem = settings_problem(settings.baudrate, settings.parity);
    out << PortCheck{PortCheck::Settings, problem.isEmpty(),
                     problem.isEmpty()
                         ? QStringLiteral("The link settings are %1.")
                               .arg(serial_settings_text(*serial_settings(settings.baudrate, settings.parity)))
                         : problem};
    return out;
}

QString explain_open_failure(const QString &device, const QString &port_error, bool busy_or_denied,
                             PortEnvironment &env) {
    const PortCheck exists = exists_check(device, env);
    if (!exists.ok)
        return exists.text;
    const PortCheck permission = permission_check(device, env.stat(device).value_or(DeviceFile{}), env);
    if (!permission.ok)
        return permission.text;
    const PortCheck free = free_check(device, busy_or_denied, env);
    if (!free.ok)
        return free.text;
    QString text = QStringLiteral("Unable to open serial port %1: %2.").arg(device, port_error);
    if (env.modem_manager_running())
        text += QLatin1Char(' ') + modem_manager_hint();
    return text;
}

#ifdef Q_OS_UNIX

PortProbe probe_port(const QString &device) {
    PortProbe p;
    static const QRegularExpression consoles(QStringLiteral("^/dev/(tty\\d*|console)$"));
    const QString canonical = QFileInfo(device).canonicalFilePath();
    if (consoles.match(canonical.isEmpty() ? device : canonical).hasMatch()) {
        p.console = true;
        return p;
    }
    struct stat st {};
    if (::stat(QFile::encodeName(device).constData(), &st) == 0 && !S_ISCHR(st.st_mode)) {
        p.terminal = false; // a file, a folder, a pipe
        return p;
    }
    // Opened without waiting for a carrier and without becoming the
    // controlling terminal; closed again without touching its settings or
    // its exclusive mode.
    const int fd = ::open(QFile::encodeName(device).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        p.held = errno == EBUSY; // exclusive mode (TIOCEXCL) of another program
        p.error = QString::fromLocal8Bit(std::strerror(errno));
        if (errno == ENXIO || errno == ENODEV)
            p.terminal = false;
        return p;
    }
    termios t{};
    p.terminal = ::tcgetattr(fd, &t) == 0;
#ifdef TIOCGEXCL
    // Root may open a port another program holds exclusively; it is held
    // all the same.
    int exclusive = 0;
    if (p.terminal && ::ioctl(fd, TIOCGEXCL, &exclusive) == 0 && exclusive)
        p.held = true;
#endif
    ::close(fd);
    return p;
}

namespace {

class SystemPortEnvironment : public PortEnvironment {
public:
    std::optional<DeviceFile> stat(const QString &device) override {
        struct stat st {};
        if (::stat(QFile::encodeName(device).constData(), &st) != 0)
            return std::nullopt;
        return DeviceFile{st.st_uid, st.st_gid, st.st_mode & 07777u};
    }
    bool accessible(const QString &device) override {
        return ::access(QFile::encodeName(device).constData(), R_OK | W_OK) == 0;
    }
    QVector<PortEntry> ports() override { return list_ports(); }
    QVector<PortHolder> holders(const QString &device) override {
        const QString target = QFileInfo(device).canonicalFilePath();
        QVector<PortHolder> out;
        if (target.isEmpty())
            return out;
        const QDir proc(QStringLiteral("/proc"));
        for (const QString &pid : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            bool number = false;
            const qint64 n = pid.toLongLong(&number);
            if (!number)
                continue;
            const QDir fds(proc.filePath(pid + QStringLiteral("/fd")));
            for (const QFileInfo &fd : fds.entryInfoList(QDir::System | QDir::NoDotAndDotDot)) {
                if (fd.symLinkTarget() == target) {
                    out << PortHolder{n, command_of(pid)};
                    break;
                }
            }
        }
        return out;
    }
    bool modem_manager_running() override {
        const QDir proc(QStringLiteral("/proc"));
        for (const QString &pid : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            if (pid.front().isDigit() && command_of(pid) == kModemManager)
                return true;
        return false;
    }
    QString user_name() override {
        const struct passwd *pw = ::getpwuid(::geteuid());
        return pw ? QString::fromLocal8Bit(pw->pw_name) : QString::number(::geteuid());
    }
    QVector<uint> process_groups() override {
        QVector<uint> out{::getegid()};
        const int n = ::getgroups(0, nullptr);
        if (n > 0) {
            std::vector<gid_t> g(static_cast<std::size_t>(n));
            const int got = ::getgroups(n, g.data());
            for (int i = 0; i < got; ++i)
                out << g[std::size_t(i)];
        }
        return out;
    }
    QVector<uint> database_groups() override {
        const struct passwd *pw = ::getpwuid(::geteuid());
        if (!pw)
            return {};
        int n = 64;
        std::vector<gid_t> g(static_cast<std::size_t>(n));
        if (::getgrouplist(pw->pw_name, pw->pw_gid, g.data(), &n) < 0) {
            g.resize(std::size_t(n));
            if (::getgrouplist(pw->pw_name, pw->pw_gid, g.data(), &n) < 0)
                return {};
        }
        return QVector<uint>(g.begin(), g.begin() + n);
    }
    QString group_name(uint gid) override {
        const struct group *g = ::getgrgid(gid);
        return g ? QString::fromLocal8Bit(g->gr_name) : QString::number(gid);
    }
    PortProbe probe(const QString &device) override { return probe_port(device); }

private:
    static QString command_of(const QString &pid) {
        QFile f(QStringLiteral("/proc/%1/comm").arg(pid));
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromLocal8Bit(f.readAll()).trimmed();
    }
};

} // namespace

PortEnvironment &system_port_environment() {
    static SystemPortEnvironment env;
    return env;
}

#endif // Windows: port_doctor_win.cpp

} // namespace k52
