// Bad input and unwritable output on the command line: every refusal comes
// at once, says what is wrong on standard error, fails the command, prints
// no Qt warning, and leaves the profile database exactly as it was.
#include "core/profile/profile_json.h"
#include "support/cli_run.h"
#include "support/db_poke.h"
#include "support/file_bytes.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

using k52test::CliRun;
using k52test::CliSetup;

namespace {

using k52test::put_file;

class CliRefusals : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_EQ(run({"profiles", "export", "Default", path("good.json")}).code, 0);
        good = k52test::file_bytes(path("good.json"));
        ASSERT_EQ(::mkfifo(QFile::encodeName(path("fifo")).constData(), 0600), 0);
    }
    CliRun run(const QStringList &args, const CliSetup &setup = {}) { return k52test::k52util(db, args, setup); }
    QString path(const char *name) const { return dir.filePath(QLatin1StringView(name)); }
    // The good export with one text replaced, written to `name`.
    QString variant(const char *name, const QByteArray &from, const QByteArray &to) {
        QByteArray data = good;
        const qsizetype at = data.indexOf(from);
        EXPECT_GE(at, 0) << from.constData();
        data.replace(at, from.size(), to);
        put_file(path(name), data);
        return path(name);
    }

    QTemporaryDir dir;
    QString db = dir.filePath(QStringLiteral("k.db"));
    QByteArray good;
};

} // namespace

TEST_F(CliRefusals, EachRefusalLeavesTheDatabaseUnchanged) {
    put_file(path("big.json"), QByteArray(k52::kMaxProfileFileBytes + 1, ' '));
    const QString control_name =
        variant("esc.json", "\"profilename\": \"Default\"", "\"profilename\": \"Door\\u001b[2J\"");
    const QString long_name =
        variant("long.json", "\"profilename\": \"Default\"", "\"profilename\": \"" + QByteArray(65, 'L') + "\"");
    const QString duplicate = variant("dup.json", "\"baudrate\": 9600", "\"baudrate\": 9600, \"baudrate\": 1200");
    const QString nested_duplicate =
        variant("dup2.json", "\"columns\": {", "\"profilename\": \"Twice\", \"columns\": {");

    struct Case {
        QStringList args;
        const char *says;
        CliSetup setup = {};
    };
    const Case cases[] = {
        // Bounded input.
        {{"profiles", "import", "/dev/zero"}, "not a regular file"},
        {{"profiles", "import", path("fifo")}, "not a regular file"},
        {{"profiles", "import", dir.path()}, "folder"},
        {{"profiles", "import", path("big.json")}, "larger than 1048576 bytes"},
        {{"profiles", "import", control_name}, "control characters"},
        {{"profiles", "import", long_name}, "at most 64 characters"},
        {{"profiles", "import", path("good.json"), "--as", "two\nlines"}, "control characters"},
        {{"profiles", "import", path("good.json"), "--as", "\x1b[31mred"}, "control characters"},
        {{"profiles", "import", path("good.json"), "--as", QString(65, QLatin1Char('a'))}, "at most 64"},
        {{"profiles", "import", path("good.json"), "--as", "   "}, "must not be empty"},
        {{"profiles", "import", duplicate}, "the key \"baudrate\" appears twice"},
        {{"profiles", "import", nested_duplicate, "--as", "X"}, "the key \"profilename\" appears twice"},
        // Files that are not regular files are refused before any port.
        {{"flash", path("fifo"), "--port", path("noport"), "--baud", "9600"}, "not a regular file"},
        {{"clone", "write", path("fifo"), "--port", path("noport"), "--baud", "9600"}, "not a regular file"},
        {{"clone", "read", path("fifo"), "--port", path("noport"), "--baud", "9600"}, "not a regular file"},
        // Output that could not be written.
        {{"profiles", "list"}, "could not be written", {0, CliSetup::Out::DevFull}},
        {{"profiles", "show", "Default"}, "could not be written", {0, CliSetup::Out::DevFull}},
        {{"profiles", "export", "Default"}, "could not be written", {0, CliSetup::Out::DevFull}},
        {{"bitsize"}, "could not be written", {0, CliSetup::Out::DevFull}},
        {{"profiles", "list"}, "could not be written", {0, CliSetup::Out::Closed}},
        {{"profiles", "export", "Default"}, "could not be written", {0, CliSetup::Out::Closed}},
    };
    const QByteArray before = k52test::file_bytes(db);
    for (const Case &c : cases) {
        const std::string what = c.args.join(QLatin1Char(' ')).toStdString();
        QElapsedTimer t;
        t.start();
        const CliRun r = run(c.args, c.setup);
        EXPECT_LT(t.elapsed(), 20000) << what << ": refused at once, not after blocking";
        EXPECT_EQ(r.code, 1) << what;
        EXPECT_TRUE(r.err.contains(QLatin1StringView(c.says))) << what << ": " << r.err.toStdString();
        EXPECT_FALSE(r.err.contains(QLatin1StringView("QSql"))) << what << ": " << r.err.toStdString();
        EXPECT_FALSE(r.err.contains(QChar(0x1b))) << what << ": no escape sequence reaches the terminal";
        EXPECT_EQ(k52test::file_bytes(db), before) << what;
    }
    EXPECT_FALSE(QFile::exists(path("c.dat")));
}

// A row that cannot be loaded blocks nothing else: with a damaged Default
// the other profiles are listed and exported, the damage is named, and the
// stored row is left for the user to mend by saving.
TEST_F(CliRefusals, DamagedDefaultBlocksNoOtherProfile) {
    ASSERT_EQ(run({"profiles", "import", path("good.json"), "--as", "  Site 7  "}).out, "Imported Site 7\n");
    k52test::poke_file(db, QStringLiteral("UPDATE profiles SET serwieidbits = 'abc' WHERE profilename = 'Default'"));
    CliRun r = run({"profiles", "list"});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "Default\nSite 7\n");
    EXPECT_TRUE(r.err.contains("serwieidbits")) << r.err.toStdString();
    r = run({"profiles", "export", "Site 7", path("site7.json")});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(k52test::file_bytes(path("site7.json")), QByteArray(good).replace("\"Default\"", "\"Site 7\""));

    // A database that lost Default gets it back, with its other profiles.
    k52test::poke_file(db, QStringLiteral("DELETE FROM profiles WHERE profilename = 'Default'"));
    r = run({"profiles", "list"});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "Default\nSite 7\n");
}

TEST_F(CliRefusals, UnusableOrLockedDatabaseIsNamedWithWhatToDo) {
    const QString junk = path("junk.db");
    put_file(junk, QByteArray(2048, 'j'));
    CliRun r = k52test::k52util(junk, {"profiles", "list"});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(junk)) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("Move it aside")) << r.err.toStdString();
    EXPECT_FALSE(r.err.contains("QSql")) << r.err.toStdString();
    EXPECT_EQ(k52test::file_bytes(junk), QByteArray(2048, 'j'));

    {
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("locker"));
        other.setDatabaseName(db);
        ASSERT_TRUE(other.open());
        QSqlQuery q(other);
        ASSERT_TRUE(q.exec(QStringLiteral("BEGIN EXCLUSIVE")));
        r = run({"profiles", "list"});
        EXPECT_EQ(r.code, 1);
        EXPECT_TRUE(r.err.contains("another program has the profile database open")) << r.err.toStdString();
        EXPECT_FALSE(r.err.contains("Move it aside")) << r.err.toStdString();
        EXPECT_FALSE(r.err.contains("QSql")) << r.err.toStdString();
        q.exec(QStringLiteral("ROLLBACK"));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("locker"));
}
