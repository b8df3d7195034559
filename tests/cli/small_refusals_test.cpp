// Small refusals of the command line: usage errors of `diff`, a --db file
// that does not exist, impossible row numbers and empty file names each get
// their own words and exit status, and nothing is created or changed.
#include "core/profile/history_store.h"
#include "core/profile/profile_store.h"
#include "support/cli_run.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

using k52test::CliRun;

TEST(SmallRefusals, EachHasItsWordsAndStatus) {
    QTemporaryDir dir;
    const QString db = dir.filePath(QStringLiteral("k.db"));
    ASSERT_EQ(k52test::k52util(db, {"profiles", "export", "Default"}).code, 0);
    const QString missing = dir.filePath(QStringLiteral("typo.db"));
    const struct {
        QString db;
        QStringList args;
        int code;
        const char *says;
    } cases[] = {
        {db, {"profiles", "diff", "Default", "Default", "--bogus"}, 2, "Unknown option"},
        {db, {"history", "export", "-1", dir.filePath("f.json")}, 1, "There is no history row -1"},
        {db, {"profiles", "import-legacy", ""}, 1, "no file given"},
        {missing, {"profiles", "diff", "Default", "Default"}, 2, "does not exist: check the --db path"},
        {missing, {"history"}, 1, "does not exist: check the --db path"},
        {missing, {"profiles", "list"}, 1, "does not exist: check the --db path"},
        {missing, {"profiles", "show", "Default"}, 1, "does not exist: check the --db path"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const CliRun r = k52test::k52util(c.db, c.args);
        EXPECT_EQ(r.code, c.code) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QLatin1String(c.says))) << r.err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(missing)) << "a read-only command created the database";
        EXPECT_FALSE(QFileInfo::exists(dir.filePath("f.json")));
    }
    // A command that writes still creates it.
    EXPECT_EQ(k52test::k52util(missing, {"profiles", "export", "Default", dir.filePath("d.json")}).code, 0);
}

// A profile name of the longest kind is printed whole in the report,
// wrapped where it does not fit.
TEST(SmallRefusals, ReportPrintsALongNameWhole) {
    QTemporaryDir dir;
    const QString db = dir.filePath(QStringLiteral("k.db"));
    ASSERT_EQ(k52test::k52util(db, {"profiles", "export", "Default"}).code, 0);
    // One word (wrapped anywhere), and no hyphen for the text extraction to
    // join lines at.
    const QString name = QStringLiteral("Site4BuildingCNorthEntranceTurnstile7ReaderWiegand26Door1234abcd");
    ASSERT_EQ(name.size(), 64);
    {
        k52::ProfileStore store;
        QString why;
        ASSERT_TRUE(store.open(db, k52::ProfileStore::OpenMode::Existing, &why)) << why.toStdString();
        k52::HistoryStore h(store);
        k52::HistoryEntry e;
        e.action = QStringLiteral("program");
        e.profile = name;
        ASSERT_TRUE(h.begin(e, &why)) << why.toStdString();
    }
    const QString pdf = dir.filePath(QStringLiteral("r.pdf"));
    ASSERT_EQ(k52test::k52util(db, {"history", "report", "1", pdf}).code, 0);
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(30000));
    const QString t = QString::fromUtf8(text.readAllStandardOutput()).remove(QRegularExpression(QStringLiteral("\\s")));
    EXPECT_TRUE(t.contains(name)) << t.toStdString();
}

// k52util without its window program: the window and the commands that draw
// name where it was looked for and the fix; the other commands still run.
TEST(SmallRefusals, ConsoleProgramWithoutItsWindowProgram) {
    QTemporaryDir dir;
    const QString alone = dir.filePath(QStringLiteral("k52util"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(K52_UTIL_PATH), alone));
    const struct {
        QStringList args;
        int code;
        QString says;
    } cases[] = {
        {{}, 1, QStringLiteral("the window program is missing; looked for ") + alone + QStringLiteral("-window")},
        {{"--db", dir.filePath("k.db"), "history", "report", "1", dir.filePath("r.pdf")}, 1, "Reinstall k52util."},
        {{"--version"}, 0, "k52util "},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        QProcess p;
        p.start(alone, c.args);
        ASSERT_TRUE(p.waitForFinished(60000));
        EXPECT_EQ(p.exitCode(), c.code);
        const QString said = QString::fromLocal8Bit(p.readAllStandardError() + p.readAllStandardOutput());
        EXPECT_TRUE(said.contains(c.says)) << said.toStdString();
    }
}
