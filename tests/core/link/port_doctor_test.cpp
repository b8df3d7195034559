// Port diagnosis: each condition staged in a scripted environment, and the
// ones a test machine can make for real (a missing device, a file this user
// may not open, a port another process holds) on the running system.
#include "core/link/device_job.h"
#include "core/link/port_doctor.h"
#include "support/file_bytes.h"
#include "support/sim_process.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

namespace k52 {
namespace {

constexpr uint kDialout = 20;
constexpr uint kUsers = 100;
const QString kDevice = QStringLiteral("/dev/ttyUSB0");

class FakeEnvironment : public PortEnvironment {
public:
    std::optional<DeviceFile> stat(const QString &device) override {
        return exists && device == kDevice ? std::optional(DeviceFile{0, kDialout, mode}) : std::nullopt;
    }
    bool accessible(const QString &) override { return may_open; }
    QVector<PortEntry> ports() override { return present; }
    QVector<PortHolder> holders(const QString &) override { return holding; }
    bool modem_manager_running() override { return modem_manager; }
    QString user_name() override { return QStringLiteral("installer"); }
    QVector<uint> process_groups() override { return login_groups; }
    QVector<uint> database_groups() override { return member_of; }
    QString group_name(uint gid) override { return gid == kDialout ? QStringLiteral("dialout") : QString::number(gid); }

    bool exists = true;
    uint mode = 0660;
    bool may_open = true;
    QVector<PortEntry> present{{1, QStringLiteral("/dev/ttyS0"), {}, {}},
                               {2, QStringLiteral("/dev/ttyUSB1"), QStringLiteral("FT232R"), QStringLiteral("A1")}};
    QVector<PortHolder> holding;
    bool modem_manager = false;
    QVector<uint> login_groups{kUsers, kDialout};
    QVector<uint> member_of{kUsers, kDialout};
};

LinkSettings settings(Long baud = 9600, Integer parity = 0) {
    LinkSettings s;
    s.baudrate = baud;
    s.parity = parity;
    return s;
}

// The first failing check, or nothing when all pass.
std::optional<PortCheck> first_failure(PortEnvironment &env, const LinkSettings &s = settings(),
                                       const QString &device = kDevice) {
    for (const PortCheck &c : check_port(device, s, env))
        if (!c.ok)
            return c;
    return std::nullopt;
}

TEST(PortDoctor, EveryCheckPassesOnAUsablePort) {
    FakeEnvironment env;
    const QVector<PortCheck> checks = check_port(kDevice, settings(), env);
    ASSERT_EQ(checks.size(), 4);
    for (int i = 0; i < checks.size(); ++i) {
        EXPECT_EQ(checks[i].kind, PortCheck::Kind(i));
        EXPECT_TRUE(checks[i].ok) << checks[i].text.toStdString();
    }
    EXPECT_EQ(checks[3].text, QStringLiteral("The link settings are 9600,E,7,1."));
}

TEST(PortDoctor, MissingDeviceListsThePortsPresent) {
    FakeEnvironment env;
    env.exists = false;
    const QVector<PortCheck> checks = check_port(kDevice, settings(), env);
    // A missing device has no owner or holder to look at.
    ASSERT_EQ(checks.size(), 2);
    EXPECT_FALSE(checks[0].ok);
    EXPECT_EQ(checks[0].text, QStringLiteral("Serial port /dev/ttyUSB0 does not exist: the adapter is unplugged or "
                                             "this is the wrong port. Plug the adapter in or choose one of the ports "
                                             "present: /dev/ttyS0, /dev/ttyUSB1 (FT232R)."));
    env.present.clear();
    EXPECT_TRUE(first_failure(env)->text.endsWith(QStringLiteral("No serial ports are present: plug the adapter in.")));
    EXPECT_TRUE(check_port({}, settings(), env)[0].text.startsWith(QStringLiteral("No serial port is selected.")));
}

TEST(PortDoctor, PermissionNamesTheGroupAndTheFix) {
    struct Case {
        const char *what;
        QVector<uint> member_of, login_groups;
        uint mode;
        QString expected;
    };
    const Case cases[] = {
        {"not in the group",
         {kUsers},
         {kUsers},
         0660,
         QStringLiteral("You may not open /dev/ttyUSB0: it belongs to the group \"dialout\" and you (installer) are "
                        "not in it. Join it with \"sudo usermod -aG dialout $USER\", then log out and in again.")},
        {"joined after logging in",
         {kUsers, kDialout},
         {kUsers},
         0660,
         QStringLiteral("You may not open /dev/ttyUSB0: it belongs to the group \"dialout\"; you (installer) are in "
                        "that group, but this login started before you joined it. Log out and in again so that the "
                        "login has the group \"dialout\" (opening a new terminal is not enough).")},
        {"group may not read",
         {kUsers, kDialout},
         {kUsers, kDialout},
         0600,
         QStringLiteral("You may not open /dev/ttyUSB0 although you are in its group \"dialout\": the device does not "
                        "let its group read and write it (mode 0600). Allow it with \"sudo chmod g+rw "
                        "/dev/ttyUSB0\".")},
    };
    for (const Case &c : cases) {
        FakeEnvironment env;
        env.may_open = false;
        env.member_of = c.member_of;
        env.login_groups = c.login_groups;
        env.mode = c.mode;
        const std::optional<PortCheck> f = first_failure(env);
        ASSERT_TRUE(f) << c.what;
        EXPECT_EQ(f->kind, PortCheck::Permission) << c.what;
        EXPECT_EQ(f->text, c.expected) << c.what;
        // The failed open gives the same explanation.
        EXPECT_EQ(explain_open_failure(kDevice, QStringLiteral("Permission denied"), true, env), c.expected) << c.what;
    }
}

TEST(PortDoctor, HolderAndModemManager) {
    FakeEnvironment env;
    env.holding = {{4242, QStringLiteral("minicom")}};
    std::optional<PortCheck> f = first_failure(env);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->kind, PortCheck::Free);
    EXPECT_EQ(f->text, QStringLiteral("Serial port /dev/ttyUSB0 is held by minicom (pid 4242): close that program "
                                      "first."));

    // The modem manager as holder, or only running: the hint how to stop it.
    const QString hint = QStringLiteral("sudo systemctl stop ModemManager");
    env.holding = {{311, QStringLiteral("ModemManager")}};
    f = first_failure(env);
    ASSERT_TRUE(f);
    EXPECT_TRUE(f->text.contains(QStringLiteral("held by ModemManager (pid 311)")));
    EXPECT_TRUE(f->text.contains(hint));
    env.holding.clear();
    env.modem_manager = true;
    const PortCheck free = check_port(kDevice, settings(), env)[2];
    EXPECT_TRUE(free.ok);
    EXPECT_TRUE(free.text.contains(hint));

    // Busy, with the holder out of sight (another user's process).
    env.modem_manager = false;
    EXPECT_EQ(explain_open_failure(kDevice, QStringLiteral("Permission denied"), true, env),
              QStringLiteral("Serial port /dev/ttyUSB0 is held by another program that cannot be seen from here: "
                             "find it with \"sudo fuser -v /dev/ttyUSB0\" and close it."));
    EXPECT_EQ(explain_open_failure(kDevice, QStringLiteral("Input/output error"), false, env),
              QStringLiteral("Unable to open serial port /dev/ttyUSB0: Input/output error."));
}

TEST(PortDoctor, IncompleteSettingsPointToFindConverter) {
    FakeEnvironment env;
    std::optional<PortCheck> f = first_failure(env, settings(0, 0));
    ASSERT_TRUE(f);
    EXPECT_EQ(f->kind, PortCheck::Settings);
    EXPECT_EQ(f->text, QStringLiteral("No baud rate is set (0): choose one on the Communications Setup screen or "
                                      "use Find Converter."));
    f = first_failure(env, settings(9600, 5));
    ASSERT_TRUE(f);
    EXPECT_TRUE(f->text.startsWith(QStringLiteral("No parity is set: choose 7 Even, 7 Odd or 8 None")));

    // A job's port says the same, not "Invalid serial settings".
    LinkSettings link = settings(0, 0);
    link.commdevice = QStringLiteral("/dev/ttyUSB0");
    EXPECT_EQ(port_spec(link).error, settings_problem(0, 0));
    link.baudrate = 9600, link.parity = 5;
    EXPECT_EQ(port_spec(link).error, settings_problem(9600, 5));
}

// The running system: what can be made for real in a test.
TEST(PortDoctorSystem, UnreadableFileNamesItsMode) {
    PortEnvironment &env = system_port_environment();
    if (::geteuid() == 0)
        GTEST_SKIP() << "running as root, which may open any file";
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("ttyFAKE"));
    ASSERT_NO_FATAL_FAILURE(k52test::put_file(file, {}));
    ASSERT_TRUE(QFile::setPermissions(file, QFileDevice::ReadOwner));
    const std::optional<PortCheck> c = first_failure(env, settings(), file);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->kind, PortCheck::Permission);
    // The file's group is one of ours, so the fix is its mode, not joining.
    EXPECT_TRUE(c->text.contains(QStringLiteral("chmod g+rw"))) << c->text.toStdString();
}

TEST(PortDoctorSystem, SeesTheProcessThatHoldsAPort) {
    // The simulator keeps its end of the pseudo-terminal open.
    k52test::SimProcess sim;
    QString why;
    ASSERT_TRUE(sim.start(&why)) << why.toStdString();
    const QVector<PortHolder> holders = system_port_environment().holders(sim.device());
    ASSERT_EQ(holders.size(), 1);
    EXPECT_EQ(holders[0].command, QStringLiteral("k52sim"));
    EXPECT_EQ(holders[0].pid, sim.pid());
    const QVector<PortCheck> checks = check_port(sim.device(), settings(), system_port_environment());
    EXPECT_FALSE(checks[2].ok);
    EXPECT_TRUE(checks[2].text.contains(QStringLiteral("is held by k52sim (pid %1)").arg(sim.pid())));
}

} // namespace
} // namespace k52
