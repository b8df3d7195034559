// `k52util clone`, `reset` and `restart` against k52sim.
#include "support/cli_run.h"
#include "support/sim_process.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using k52test::CliRun;

namespace {

CliRun k52util(const QTemporaryDir &dir, const QStringList &args) {
    return k52test::k52util(dir.filePath(QStringLiteral("k.db")), args);
}

} // namespace

TEST(MaintenanceCli, CloneReadWriteResetRestart) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("copy.dat"));
    const QString out = dir.filePath(QStringLiteral("out.dat"));
    k52test::SimProcess source({QStringLiteral("--firmware"), QStringLiteral("01.96")});
    ASSERT_TRUE(source.start());
    CliRun r = k52util(dir, {"clone", "read", file, "--port", source.device(), "--baud", "9600"});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("Read from K52 complete\n"));
    EXPECT_EQ(QFileInfo(file).size(), 1024);

    k52test::SimProcess target({QStringLiteral("--clone-out"), out});
    ASSERT_TRUE(target.start());
    r = k52util(dir, {"clone", "write", file, "--port", target.device(), "--baud", "9600"});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("Clone to K52 complete\n"));
    QFile a(file), b(out);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    EXPECT_EQ(a.readAll(), b.readAll());

    k52test::SimProcess old({QStringLiteral("--firmware"), QStringLiteral("01.95")});
    ASSERT_TRUE(old.start());
    r = k52util(dir, {"clone", "write", file, "--port", old.device(), "--baud", "9600"});
    EXPECT_NE(r.code, 0);
    EXPECT_EQ(r.out, QStringLiteral("Cannot clone. The K52 used for cloning must be version 1.96 or higher\n"));

    r = k52util(dir, {"reset", "--port", old.device(), "--baud", "9600"});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    r = k52util(dir, {"restart", "--port", old.device(), "--baud", "9600"});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(old.received().mid(1), (QStringList{"U", "Y"}));
}
