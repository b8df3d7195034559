// One exit-status table for every command: 0 done, 1 failed or refused, 2 a
// usage error (nothing done), 130 stopped by the user (cli_interrupt_test);
// `profiles diff` answers 0 same, 1 different, 2 trouble. Also --version.
#include "support/cli_run.h"
#include "support/file_bytes.h"
#include "support/sim_process.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using k52test::CliRun;

namespace {

class ExitStatus : public ::testing::Test {
protected:
    CliRun run(const QStringList &args) { return k52test::k52util(db, args); }
    QString path(const char *name) const { return dir.filePath(QLatin1StringView(name)); }
    QTemporaryDir dir;
    QString db = dir.filePath(QStringLiteral("k.db"));
};

TEST_F(ExitStatus, VersionAloneOnALineWithQtUnderVerbose) {
    for (const QStringList &args : {QStringList{"--version"}, QStringList{"-V"}}) {
        const CliRun r = run(args);
        EXPECT_EQ(r.code, 0);
        EXPECT_EQ(r.out, QStringLiteral("k52util 1.99\n"));
        EXPECT_EQ(r.err, QString());
    }
    for (const QStringList &args : {QStringList{"--version", "--verbose"}, QStringList{"--verbose", "-V"}}) {
        const CliRun r = run(args);
        EXPECT_EQ(r.code, 0);
        EXPECT_TRUE(r.out.startsWith(QStringLiteral("k52util 1.99\nQt 6."))) << r.out.toStdString();
        EXPECT_TRUE(r.out.contains(QStringLiteral("built with Qt " QT_VERSION_STR))) << r.out.toStdString();
    }
}

TEST_F(ExitStatus, EveryCommandFollowsTheTable) {
    // A second profile that differs from Default in one setting.
    ASSERT_EQ(run({"profiles", "export", "Default", path("d.json")}).code, 0);
    QByteArray lobby = k52test::file_bytes(path("d.json"));
    lobby.replace("\"baudrate\": 9600", "\"baudrate\": 19200");
    k52test::put_file(path("lobby.json"), lobby);
    ASSERT_EQ(run({"profiles", "import", path("lobby.json"), "--as", "Lobby"}).code, 0);
    k52test::SimProcess sim;
    ASSERT_TRUE(sim.start());
    const QString none = path("no-port");
    const QStringList at_none = {"--port", none, "--baud", "9600"};

    struct Case {
        QStringList args;
        int code;
        const char *says; // on standard error, or empty
    };
    const Case cases[] = {
        {{"help"}, 0, ""},
        {{"--help"}, 0, ""},
        {{"frobnicate"}, 2, "Unknown command: frobnicate"},
        {{"--version", "extra"}, 2, "takes no arguments"},
        {{"bitsize"}, 0, ""},
        {{"bitsize", "extra"}, 2, "too many arguments"},
        {{"bitsize", "--bogus"}, 2, "Unknown option"},
        {QStringList{"clone", "read", path("c.dat")} + at_none, 1, "no-port"},
        {{"clone", "copy"}, 2, "say read or write"},
        {QStringList{"clone", "write", path("c.dat"), "--baud", "7"}, 2, "--baud"},
        {QStringList{"doctor"} + at_none, 1, ""},
        {{"doctor", "--parity", "3"}, 2, "--parity"},
        {{"find", "--port", none}, 1, ""},
        {{"find", "--port", "0"}, 2, "--port 0"},
        {QStringList{"flash", path("absent.bin")} + at_none, 1, "absent.bin"},
        {{"flash"}, 2, "give the firmware file"},
        {{"flash", path("fw.bin"), "--baud", "9601"}, 2, "--baud"},
        {{"history"}, 0, ""},
        {{"history", "show", "99"}, 1, "99"},
        {{"history", "show", "x"}, 2, "give the row number"},
        {{"history", "list", "extra"}, 2, "takes no arguments"},
        {{"history", "--from", "2026-13-01"}, 2, "YYYY-MM-DD"},
        {{"history", "frob"}, 2, "unknown action"},
        {{"plan", "01.94"}, 0, ""},
        {{"plan", "01.94", "--profile", "Ghost"}, 1, "Ghost"},
        {{"plan", "1.94"}, 2, "two digits"},
        {{"ports"}, 0, ""},
        {{"ports", "extra"}, 2, "too many arguments"},
        {{"profiles", "list"}, 0, ""},
        {{"profiles", "show", "Ghost"}, 1, "Ghost"},
        {{"profiles", "delete", "Default"}, 1, "cannot delete"},
        {{"profiles"}, 2, "say what to do"},
        {{"profiles", "show"}, 2, "wrong arguments"},
        {{"profiles", "frob"}, 2, "unknown action"},
        {{"profiles", "list", "--bogus"}, 2, "Unknown option"},
        {{"profiles", "diff", "Default", "default"}, 0, ""},
        {{"profiles", "diff", "Default", "Lobby"}, 1, ""},
        {{"profiles", "diff", "Default", "Ghost"}, 2, "Ghost"},
        {{"profiles", "diff", "Default"}, 2, "wrong arguments"},
        {QStringList{"program"} + at_none, 1, "no-port"},
        {{"program", "--profile", "Ghost"}, 1, "Ghost"},
        {{"program", "--port", "8"}, 2, "--port"},
        {QStringList{"reset"} + at_none, 1, "no-port"},
        {{"reset", "--bogus"}, 2, "Unknown option"},
        {QStringList{"restart"} + at_none, 1, "no-port"},
        {{"restart", "extra"}, 2, "too many arguments"},
        {QStringList{"restore", "5"} + at_none, 1, "5"},
        {{"restore"}, 2, "give the history row number"},
        {{"restore", "0"}, 2, "give the history row number"},
        {{"version", "--port", sim.device(), "--baud", "9600"}, 0, ""},
        {QStringList{"version"} + at_none, 1, "no-port"},
        {{"version", "--port", "9"}, 2, "--port"},
    };
    for (const Case &c : cases) {
        const std::string what = c.args.join(QLatin1Char(' ')).toStdString();
        const CliRun r = run(c.args);
        EXPECT_EQ(r.code, c.code) << what << ": " << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QLatin1StringView(c.says))) << what << ": " << r.err.toStdString();
        if (c.code == 2) {
            EXPECT_FALSE(r.err.isEmpty()) << what;
        }
    }
    EXPECT_FALSE(QFile::exists(path("c.dat")));
}

} // namespace
