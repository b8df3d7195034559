// A full disk never costs the user a good file: the clone read and the
// profile export fail loudly and leave the old file byte for byte. The disk
// is filled for real, without root: by a small file size limit on the
// program, and by a tiny tmpfs where the machine lets an unprivileged user
// mount one in a namespace of its own.
#include "support/cli_run.h"
#include "support/file_bytes.h"
#include "support/sim_process.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

using k52test::CliRun;
using k52test::CliSetup;

namespace {

using k52test::put_file;

// A good previous clone image with bytes beyond the 1024 (kept by a read).
QByteArray old_clone() {
    QByteArray a;
    for (int i = 0; i < 1030; ++i)
        a.append(char(0xA0 ^ i));
    return a;
}

// A good previous export, larger than the size limit below.
QByteArray old_export() {
    return "{\n  \"profilename\": \"Earlier\",\n  \"columns\": {\n" + QByteArray(3000, ' ') + "}\n}\n";
}

// Bytes each run may write: enough for the serial port's lock file, far
// too few for a clone image or an export.
constexpr rlim_t kLimit = 600;

class FullDisk : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_EQ(k52test::k52util(db, {"profiles", "export", "Default"}).code, 0); // created without a limit
    }

    // `args` with "@FILE@" standing for the file the command writes, run on
    // a tmpfs of 64 KiB filled to the brim; the file holds `old` before.
    // Skips when the machine does not allow the mount.
    struct TmpfsRun {
        CliRun run;
        QByteArray after;
    };
    TmpfsRun on_full_tmpfs(const QStringList &args, const QByteArray &old) {
        TmpfsRun t;
        const QString unshare = QStandardPaths::findExecutable(QStringLiteral("unshare"));
        if (unshare.isEmpty())
            return t;
        const QString mnt = dir.filePath(QStringLiteral("mnt"));
        const QString old_copy = dir.filePath(QStringLiteral("old.bin"));
        const QString after = dir.filePath(QStringLiteral("after.bin"));
        put_file(old_copy, old);
        QStringList quoted;
        for (QString a : args)
            quoted << QLatin1Char('\'') + a.replace(QStringLiteral("@FILE@"), mnt + QStringLiteral("/target")) +
                          QLatin1Char('\'');
        // The mount exists only inside the namespace, so the result is
        // copied out before the shell ends.
        const QString script =
            QStringLiteral("mkdir -p '%1' && mount -t tmpfs -o size=64k tmpfs '%1' || exit 99\n"
                           "cp '%2' '%1/target' && (cat /dev/zero > '%1/fill') 2>/dev/null\n"
                           "'%3' --db '%4' %5\nrc=$?\ncp '%1/target' '%6'\nexit $rc\n")
                .arg(mnt, old_copy, QStringLiteral(K52_UTIL_PATH), db, quoted.join(QLatin1Char(' ')), after);
        QProcess p;
        p.start(unshare, {QStringLiteral("--user"), QStringLiteral("--map-root-user"), QStringLiteral("--mount"),
                          QStringLiteral("sh"), QStringLiteral("-c"), script});
        if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() == 99)
            return t;
        t.run = {p.exitCode(), QString::fromLocal8Bit(p.readAllStandardOutput()),
                 QString::fromLocal8Bit(p.readAllStandardError())};
        t.after = k52test::file_bytes(after);
        return t;
    }

    QTemporaryDir dir;
    QString db = dir.filePath(QStringLiteral("k.db"));
};

} // namespace

TEST_F(FullDisk, CloneReadKeepsTheOldImageAndSaysSo) {
    const QString file = dir.filePath(QStringLiteral("K52clone.dat"));
    put_file(file, old_clone());
    k52test::SimProcess sim({"--firmware", "01.96"});
    ASSERT_TRUE(sim.start());
    const CliRun r =
        k52test::k52util(db, {"clone", "read", file, "--port", sim.device(), "--baud", "9600"}, CliSetup{kLimit});
    EXPECT_NE(r.code, 0);
    EXPECT_FALSE(r.out.contains("Read from K52 complete")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("the clone file could not be written")) << r.out.toStdString();
    EXPECT_TRUE(r.err.contains(file)) << r.err.toStdString();
    EXPECT_EQ(k52test::file_bytes(file), old_clone());
    EXPECT_EQ(QDir(dir.path()).entryList({QStringLiteral("K52clone*")}, QDir::Files), QStringList{"K52clone.dat"})
        << "no temporary file is left";
}

TEST_F(FullDisk, ExportOnATinyTmpfsKeepsTheOldFile) {
    TmpfsRun t = on_full_tmpfs({"profiles", "export", "Default", "@FILE@"}, old_export());
    if (t.run.code < 0)
        GTEST_SKIP() << "this machine does not let an unprivileged user mount a tmpfs (unshare --user --mount)";
    EXPECT_NE(t.run.code, 0);
    EXPECT_TRUE(t.run.err.contains("Cannot write")) << t.run.err.toStdString();
    EXPECT_EQ(t.after, old_export());
}
