// What is not a serial port is never called one, and a port another program
// holds exclusively is reported held and left held: `doctor` and `find`
// against the running system, as root and, where the machine allows it, as
// an unprivileged user.
#include "core/link/port_doctor.h"
#include "support/cli_run.h"
#include "support/file_bytes.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

using k52test::CliRun;

// A pseudo-terminal whose far end this test holds exclusively, as a
// terminal program holds a serial port.
class HeldTerminal {
public:
    HeldTerminal() {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0)
            return;
        path_ = QString::fromLocal8Bit(::ptsname(master_));
        slave_ = ::open(::ptsname(master_), O_RDWR | O_NOCTTY);
        if (slave_ >= 0)
            ::ioctl(slave_, TIOCEXCL);
    }
    ~HeldTerminal() {
        for (int fd : {slave_, master_})
            if (fd >= 0)
                ::close(fd);
    }
    bool ok() const { return slave_ >= 0; }
    QString path() const { return path_; }
    bool still_exclusive() const {
        int on = 0;
        return ::ioctl(slave_, TIOCGEXCL, &on) == 0 && on;
    }
    void give_to(uid_t uid) const { [[maybe_unused]] int r = ::chown(QFile::encodeName(path_).constData(), uid, -1); }

private:
    int master_ = -1, slave_ = -1;
    QString path_;
};

QStringList doctor(const QString &port) {
    return {"doctor", "--port", port};
}

} // namespace

TEST(PortProbe, WhatIsNoSerialPortIsSaidToBeNone) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("ttyFILE"));
    ASSERT_NO_FATAL_FAILURE(k52test::put_file(file, {}));
    const QString db = dir.filePath(QStringLiteral("k.db"));
    for (const QString &path : {file, dir.path(), QStringLiteral("/dev/zero"), QStringLiteral("/dev/urandom"),
                                QStringLiteral("/dev/null"), QStringLiteral("/dev/tty")}) {
        SCOPED_TRACE(path.toStdString());
        const CliRun r = k52test::k52util(db, doctor(path));
        EXPECT_EQ(r.code, 1);
        EXPECT_TRUE(r.out.contains(QStringLiteral("FAIL  %1 is not a serial port").arg(path))) << r.out.toStdString();
        EXPECT_FALSE(r.out.contains("ok    Serial port")) << r.out.toStdString();
    }
}

TEST(PortProbe, AnExclusivelyHeldPortIsHeldAndStaysHeld) {
    HeldTerminal held;
    ASSERT_TRUE(held.ok());
    const k52::PortProbe probe = k52::probe_port(held.path());
    EXPECT_TRUE(probe.terminal);
    EXPECT_TRUE(probe.held);

    QTemporaryDir dir;
    const QString db = dir.filePath(QStringLiteral("k.db"));
    CliRun r = k52test::k52util(db, doctor(held.path()));
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.out.contains(QStringLiteral("FAIL  Serial port %1 is held by").arg(held.path())))
        << r.out.toStdString();
    r = k52test::k52util(db, {"find", "--port", held.path()});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE((r.out + r.err).contains(QStringLiteral("is held by"))) << (r.out + r.err).toStdString();
    EXPECT_TRUE(held.still_exclusive()) << "the other program's hold was cleared";

    // The same as an unprivileged user, who cannot see the holder.
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (::geteuid() != 0 || setpriv.isEmpty())
        return;
    constexpr uid_t kNobody = 65534;
    held.give_to(kNobody);
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                          QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther);
    QProcess p;
    p.start(setpriv, {"--reuid=65534", "--regid=65534", "--clear-groups", QStringLiteral(K52_UTIL_PATH), "--db",
                      dir.filePath(QStringLiteral("nobody.db")), "doctor", "--port", held.path()});
    ASSERT_TRUE(p.waitForFinished(60000));
    const QString out = QString::fromLocal8Bit(p.readAllStandardOutput());
    EXPECT_EQ(p.exitCode(), 1) << out.toStdString() << p.readAllStandardError().toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("FAIL  Serial port %1 is held by").arg(held.path()))) << out.toStdString();
    EXPECT_FALSE(out.contains("No other program holds")) << out.toStdString();
    EXPECT_TRUE(held.still_exclusive());
}
