#include "core/profile/columns.h"
#include "core/profile/startup.h"
#include "support/db_poke.h"
#include "support/file_bytes.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace k52;

namespace {

using k52test::put_file;

class StartUp : public ::testing::Test {
protected:
    // Starts as the program does: on K52.ini beside it, else the default
    // database, or on the database --db names.
    StartupResult start(const QString &db_override = {}) {
        return start_up({dir.path(), db_override, fallback}, store, link, rec);
    }
    void write_ini(const QString &db) {
        put_file(dir.filePath(QStringLiteral("K52.ini")), ("\"" + db + "\"\n").toUtf8());
    }

    QTemporaryDir dir;
    QString fallback = dir.filePath(QStringLiteral("zor/K52v199.db"));
    ProfileStore store;
    LinkSettings link;
    ConfigRecord rec;
};

} // namespace

TEST(IniFile, FirstItemUpToCommaOrLineEnd) {
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("K52.ini"));
    put_file(ini, "\"/data/site one/K52.db\",other,things\nsecond line\n");
    EXPECT_EQ(read_ini_db_path(ini), "/data/site one/K52.db");
    put_file(ini, "  /plain/path.db  \r\nnext\n");
    EXPECT_EQ(read_ini_db_path(ini), "/plain/path.db");
    put_file(ini, "");
    EXPECT_EQ(read_ini_db_path(ini), "");
    EXPECT_EQ(read_ini_db_path(dir.filePath(QStringLiteral("absent.ini"))), "");
}

TEST_F(StartUp, DbOverrideIsCreatedAndSeeded) {
    const QString db = dir.filePath(QStringLiteral("sub/new.db"));
    const StartupResult r = start(db);
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.db_path, db);
    EXPECT_TRUE(QFile::exists(db));
    EXPECT_EQ(rec, default_profile());
    EXPECT_EQ(store.list_profiles(), QStringList{"Default"});
    EXPECT_EQ(link.ipaddress, kSeedIpAddress);
    EXPECT_EQ(link.remoteportaddress, "400");
}

TEST_F(StartUp, IniPathIsOpenedNeverCreatedAndFallsBackOnce) {
    const QString named = dir.filePath(QStringLiteral("named.db"));
    write_ini(named);
    StartupResult r = start();
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_TRUE(r.recovered);
    EXPECT_EQ(r.db_path, fallback);
    EXPECT_TRUE(QFile::exists(fallback)) << "the default database is created and seeded";
    EXPECT_FALSE(QFile::exists(named)) << "the named file is not created";
    store.close();

    // Once it exists it is used.
    {
        ProfileStore s;
        QString why;
        ASSERT_TRUE(s.open(named, ProfileStore::OpenMode::CreateIfMissing, &why));
        ConfigRecord other = default_profile();
        other.baudrate = 1200;
        ASSERT_TRUE(s.save_profile(QStringLiteral("Default"), false, other, &why));
    }
    r = start();
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_FALSE(r.recovered);
    EXPECT_EQ(r.db_path, named);
    EXPECT_EQ(rec.baudrate, 1200);
}

TEST_F(StartUp, UnreadableIniDatabaseTakesTheRecovery) {
    const QString named = dir.filePath(QStringLiteral("broken.db"));
    put_file(named, "this is not a database at all, just text................................");
    write_ini(named);
    StartupResult r = start();
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_TRUE(r.recovered);
    EXPECT_TRUE(k52test::file_bytes(named).startsWith("this is not")) << "the broken file is left as it was";
}

TEST_F(StartUp, ShutDownWritesTheLinkSettingsBack) {
    const QString db = dir.filePath(QStringLiteral("s.db"));
    ASSERT_TRUE(start(db).ok);
    link.commport = 4;
    link.Terminator = QStringLiteral("7E");
    QString why;
    ASSERT_TRUE(shut_down(store, link, &why)) << why.toStdString();
    EXPECT_FALSE(store.is_open());
    LinkSettings again;
    ASSERT_TRUE(start_up({dir.path(), db, fallback}, store, again, rec).ok);
    EXPECT_EQ(again.commport, 4);
    EXPECT_EQ(again.Terminator, "7E");
}

// An empty file (a creation that never finished) and a profile database that
// lost "Default" are repaired where the program would otherwise stop: at
// the default path and at the path given with --db.
TEST_F(StartUp, EmptyOrDefaultlessDatabaseIsRepairedWhereItWouldLockTheUserOut) {
    const QString given = dir.filePath(QStringLiteral("given.db"));
    for (const bool via_db_option : {false, true}) {
        const QString path = via_db_option ? given : fallback;
        const StartupOptions opt{dir.path(), via_db_option ? given : QString(), fallback};
        for (const bool empty_file : {true, false}) {
            QDir().mkpath(QFileInfo(path).absolutePath());
            QFile::remove(path);
            if (empty_file) {
                put_file(path, {});
            } else {
                ASSERT_TRUE(start_up(opt, store, link, rec).ok);
                store.close();
                k52test::poke_file(path, QStringLiteral("DELETE FROM profiles"));
            }
            rec.baudrate = 1200;
            const StartupResult r = start_up(opt, store, link, rec);
            ASSERT_TRUE(r.ok) << r.error.toStdString();
            EXPECT_EQ(r.db_path, path);
            EXPECT_EQ(rec, default_profile());
            EXPECT_EQ(store.list_profiles(), QStringList{"Default"});
            EXPECT_TRUE(r.warning.isEmpty()) << r.warning.toStdString();
            store.close();
        }
    }
}

TEST_F(StartUp, IniDatabaseWithoutDefaultGivesWayAndIsLeftAlone) {
    const QString named = dir.filePath(QStringLiteral("named.db"));
    ASSERT_TRUE(start(named).ok);
    store.close();
    k52test::poke_file(named, QStringLiteral("UPDATE profiles SET profilename = 'Other'"));
    write_ini(named);
    const StartupResult r = start();
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_TRUE(r.recovered);
    store.close();
    ProfileStore named_store;
    QString why;
    ASSERT_TRUE(named_store.open(named, ProfileStore::OpenMode::Existing, &why));
    EXPECT_EQ(named_store.list_profiles(), QStringList{"Other"}) << "no Default is added to a file K52.ini names";
}

// A file that is no profile database is never written over: start-up names
// it and the cure, and after moving it aside starts on a fresh database.
TEST_F(StartUp, UnusableDatabaseIsNamedAndCanBeMovedAside) {
    QDir().mkpath(dir.filePath(QStringLiteral("zor")));
    const QByteArray junk(3000, 'j');
    put_file(fallback, junk);
    StartupResult r = start();
    ASSERT_FALSE(r.ok);
    EXPECT_TRUE(r.unusable);
    EXPECT_EQ(r.db_path, fallback);
    EXPECT_TRUE(r.error.contains(fallback)) << r.error.toStdString();
    EXPECT_TRUE(r.error.contains("Move it aside")) << r.error.toStdString();

    put_file(fallback + QStringLiteral("-journal"), "left by a crash");
    QString moved_to, why;
    ASSERT_TRUE(move_database_aside(fallback, &moved_to, &why)) << why.toStdString();
    EXPECT_EQ(k52test::file_bytes(moved_to), junk);
    EXPECT_TRUE(QFile::exists(moved_to + QStringLiteral("-journal"))) << "its journal goes with it";
    r = start();
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(store.list_profiles(), QStringList{"Default"});
}

// Damaged values in "Default" do not stop the program: those columns take
// their seeded values, the message names them, the rest of the row is
// loaded, and the stored row stays as it is until the user saves.
TEST_F(StartUp, DamagedDefaultStartsOnSeededValuesNamingTheColumns) {
    const QString db = dir.filePath(QStringLiteral("d.db"));
    ASSERT_TRUE(start(db).ok);
    store.close();
    k52test::poke_file(db, QStringLiteral("UPDATE profiles SET baudrate = 'fast', sermask2 = '0000', spkrfreq = 1234"));
    rec.baudrate = 1200;
    const StartupResult r = start(db);
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_TRUE(r.warning.contains("baudrate")) << r.warning.toStdString();
    EXPECT_TRUE(r.warning.contains("sermask2")) << r.warning.toStdString();
    EXPECT_FALSE(r.warning.contains("spkrfreq")) << r.warning.toStdString();
    EXPECT_EQ(rec.baudrate, default_profile().baudrate);
    EXPECT_EQ(rec.sermask2, default_profile().sermask2);
    EXPECT_EQ(rec.spkrfreq, 1234) << "the undamaged columns are loaded";
    QString why;
    const auto row = store.stored_row(QStringLiteral("Default"), &why);
    ASSERT_TRUE(row);
    EXPECT_EQ((*row)[column_index(QStringLiteral("baudrate"))].toString(), "fast") << "the stored row is untouched";
}

// An Access database of the older program (beside the database, named by
// K52.ini or by --db) is never opened as ours, moved or changed; on the
// first start it is offered for import.
TEST_F(StartUp, AccessFileIsOfferedForImportNeverOpened) {
    QByteArray jet(0x800, '\0');
    jet.replace(0, 19, QByteArray("\x00\x01\x00\x00Standard Jet DB", 19));
    jet[0x14] = 1;
    const QString beside = dir.filePath(QStringLiteral("zor/K52v199.mdb"));
    const QString named = dir.filePath(QStringLiteral("site.mdb"));
    QDir().mkpath(dir.filePath(QStringLiteral("zor")));
    put_file(beside, jet);
    put_file(named, jet);
    struct Case {
        const char *what;
        QString ini, db_override;
        bool ok;
        QString legacy_db;
    } cases[] = {
        {"first start, Access file beside", {}, {}, true, QDir::toNativeSeparators(beside)},
        {"second start: no offer", {}, {}, true, {}},
        {"K52.ini names an Access file", named, {}, true, {}},
        {"--db names an Access file", {}, named, false, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(dir.filePath(QStringLiteral("K52.ini")));
        if (!c.ini.isEmpty())
            write_ini(c.ini);
        const StartupResult r = start(c.db_override);
        store.close();
        EXPECT_EQ(r.ok, c.ok) << r.error.toStdString();
        EXPECT_FALSE(r.unusable);
        EXPECT_EQ(r.legacy_db, c.legacy_db);
        if (!c.ok) {
            EXPECT_TRUE(r.error.contains(QStringLiteral("k52util profiles import-legacy"))) << r.error.toStdString();
        }
        for (const QString &f : {beside, named})
            EXPECT_EQ(k52test::file_bytes(f), jet) << "left as it was: " << f.toStdString();
    }
    // A first start with K52.ini naming the Access file offers that one.
    QFile::remove(fallback);
    write_ini(named);
    const StartupResult r = start();
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.legacy_db, named);
}
