#include "app/startup.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace k52;

namespace {

void write_file(const QString &path, const QByteArray &data) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

class StartUp : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ProfileStore store;
    LinkSettings link;
    ConfigRecord rec;
};

} // namespace

TEST(IniFile, FirstItemUpToCommaOrLineEnd) {
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("K52.ini"));
    write_file(ini, "\"/data/site one/K52.db\",other,things\nsecond line\n");
    EXPECT_EQ(read_ini_db_path(ini), "/data/site one/K52.db");
    write_file(ini, "  /plain/path.db  \r\nnext\n");
    EXPECT_EQ(read_ini_db_path(ini), "/plain/path.db");
    write_file(ini, "");
    EXPECT_EQ(read_ini_db_path(ini), "");
    EXPECT_EQ(read_ini_db_path(dir.filePath(QStringLiteral("absent.ini"))), "");
}

TEST_F(StartUp, DbOverrideIsCreatedAndSeeded) {
    const QString db = dir.filePath(QStringLiteral("sub/new.db"));
    const StartupResult r = start_up({dir.path(), db, {}}, store, link, rec);
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.db_path, db);
    EXPECT_TRUE(QFile::exists(db));
    EXPECT_EQ(rec, default_profile());
    EXPECT_EQ(store.current_profile(), "Default");
    EXPECT_EQ(link.remoteportaddress, "400");
}

TEST_F(StartUp, IniPathIsOpenedNeverCreatedAndFallsBackOnce) {
    const QString named = dir.filePath(QStringLiteral("named.db"));
    write_file(dir.filePath(QStringLiteral("K52.ini")), ("\"" + named + "\",x\n").toUtf8());
    const QString fallback = dir.filePath(QStringLiteral("zor/K52v199.db"));
    StartupResult r = start_up({dir.path(), {}, fallback}, store, link, rec);
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
    r = start_up({dir.path(), {}, fallback}, store, link, rec);
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_FALSE(r.recovered);
    EXPECT_EQ(r.db_path, named);
    EXPECT_EQ(rec.baudrate, 1200);
}

TEST_F(StartUp, UnreadableIniDatabaseTakesTheRecovery) {
    const QString named = dir.filePath(QStringLiteral("broken.db"));
    write_file(named, "this is not a database at all, just text................................");
    write_file(dir.filePath(QStringLiteral("K52.ini")), named.toUtf8());
    const QString fallback = dir.filePath(QStringLiteral("zor/K52v199.db"));
    StartupResult r = start_up({dir.path(), {}, fallback}, store, link, rec);
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_TRUE(r.recovered);
    QFile f(named);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().startsWith("this is not")) << "the broken file is left as it was";
}

TEST_F(StartUp, ShutDownWritesTheLinkSettingsBack) {
    const QString db = dir.filePath(QStringLiteral("s.db"));
    ASSERT_TRUE(start_up({dir.path(), db, {}}, store, link, rec).ok);
    link.commport = 4;
    link.Terminator = QStringLiteral("7E");
    QString why;
    ASSERT_TRUE(shut_down(store, link, &why)) << why.toStdString();
    EXPECT_FALSE(store.is_open());
    LinkSettings again;
    ASSERT_TRUE(start_up({dir.path(), db, {}}, store, again, rec).ok);
    EXPECT_EQ(again.commport, 4);
    EXPECT_EQ(again.Terminator, "7E");
}
