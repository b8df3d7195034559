#include "core/profile/columns.h"
#include "core/profile/profile_names.h"
#include "core/profile/profile_store.h"
#include "core/session/app_context.h"
#include "support/db_poke.h"
#include "support/file_bytes.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <unistd.h>

using namespace k52;

namespace {

using k52test::poke_file;

class StoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath(QStringLiteral("profiles.db"));
        QString why;
        ASSERT_TRUE(store.open(path, ProfileStore::OpenMode::CreateIfMissing, &why)) << why.toStdString();
    }

    void poke(const QString &sql) { poke_file(path, sql); }

    // A record whose every column holds a value unlike the seeded Default.
    static ConfigRecord distinctive() {
        ConfigRecord r = default_profile();
        r.baudrate = 19200;
        r.parity = QStringLiteral("O");
        r.terminators = {QStringLiteral("02"), QStringLiteral("03"), QStringLiteral("7E")};
        r.sermagparms = {1, 0, 1, 0, 1};
        r.sermask2.entries[3] = {1, 4, 5, QStringLiteral("3A")};
        r.sermask2.inputlen = 9;
        r.sermask3.entries[0] = {0, 12, 2, QStringLiteral("00")};
        r.sermask3.inputlen = 31;
        r.serwieidover = QStringLiteral("BEEF");
        r.input1wielpmask = QStringLiteral("00000000FFFF0000");
        r.spkrstart = QStringLiteral("3");
        r.zerosuppress = 1;
        return r;
    }

    QTemporaryDir dir;
    QString path;
    ProfileStore store;
};

} // namespace

TEST_F(StoreTest, EveryColumnSurvivesSaveAndLoad) {
    ConfigRecord rec = distinctive();
    QString why;
    ASSERT_TRUE(store.save_profile(QStringLiteral("Site A"), true, rec, &why)) << why.toStdString();
    ConfigRecord back;
    ASSERT_TRUE(store.load_profile(QStringLiteral("Site A"), back, &why)) << why.toStdString();
    EXPECT_EQ(back, rec);

    // Overwrite in place keeps one row.
    rec.baudrate = 2400;
    ASSERT_TRUE(store.save_profile(QStringLiteral("Site A"), false, rec, &why)) << why.toStdString();
    ASSERT_TRUE(store.load_profile(QStringLiteral("Site A"), back, &why));
    EXPECT_EQ(back.baudrate, 2400);
    EXPECT_EQ(store.list_profiles().size(), 2);
}

TEST_F(StoreTest, UnknownParityLetterKeepsTheStoredNumber) {
    ConfigRecord rec = distinctive(); // "O"
    QString why;
    ASSERT_TRUE(store.save_profile(QStringLiteral("P"), true, rec, &why));
    rec.parity = QStringLiteral("Q");
    ASSERT_TRUE(store.save_profile(QStringLiteral("P"), false, rec, &why)) << why.toStdString();
    EXPECT_EQ(store.stored_row(QStringLiteral("P"), &why)->at(column_index(u"parity")).toInt(), 1);
}

TEST_F(StoreTest, NamesCompareAndSortWithoutCaseAndAreStoredExactly) {
    ConfigRecord rec = default_profile();
    QString why;
    EXPECT_FALSE(store.save_profile(QStringLiteral("DEFAULT"), true, rec, &why)) << "a second Default";
    EXPECT_EQ(store.find_profile(QStringLiteral("dEfAuLt")), QString("Default"));

    const QStringList odd{QStringLiteral("O'Brien; DROP TABLE profiles;--"), QStringLiteral("\"quoted\""),
                          QStringLiteral("Zürich Tür 3"), QString(kMaxProfileNameLength, QLatin1Char('x'))};
    for (const QString &n : odd)
        ASSERT_TRUE(store.save_profile(n, true, rec, &why)) << why.toStdString();
    // The store itself holds to the name rule, whoever calls it.
    for (const QString &bad : {QString(kMaxProfileNameLength + 1, QLatin1Char('x')), QStringLiteral("line\nbreak")})
        EXPECT_FALSE(store.save_profile(bad, true, rec, &why)) << bad.toStdString();
    for (const QString &n : odd) {
        EXPECT_EQ(store.find_profile(n), n);
        ConfigRecord r;
        EXPECT_TRUE(store.load_profile(n, r, &why)) << why.toStdString();
    }
    // Listed in name order, without case.
    for (const char *n : {"beta", "Alpha"})
        ASSERT_TRUE(store.save_profile(QString::fromLatin1(n), true, rec, &why));
    EXPECT_EQ(store.list_profiles(), (QStringList{odd[1], "Alpha", "beta", "Default", odd[0], odd[3], odd[2]}));
}

TEST_F(StoreTest, MissingNamesAreReportedAndChangeNothing) {
    ConfigRecord rec = distinctive();
    const ConfigRecord before = rec;
    QString why;
    EXPECT_FALSE(store.load_profile(QStringLiteral("Nope"), rec, &why));
    EXPECT_TRUE(why.contains("Nope")) << why.toStdString();
    EXPECT_EQ(rec, before);
    EXPECT_FALSE(store.delete_profile(QStringLiteral("Nope"), &why));
    EXPECT_FALSE(store.save_profile(QStringLiteral("Nope"), false, rec, &why)) << "overwrite of a missing row";
    EXPECT_EQ(store.list_profiles(), QStringList{"Default"});
}

TEST_F(StoreTest, CorruptedRowIsRefusedNamingProfileColumnAndValue) {
    struct Case {
        const char *set;
        const char *column;
        const char *value;
    };
    const Case cases[] = {
        {"serwiesitebits = ''", "serwiesitebits", "\"\""}, {"serwieidbits = 'abc'", "serwieidbits", "abc"},
        {"spkrfreq = 70000", "spkrfreq", "70000"},         {"sermagparms = '1x101'", "sermagparms", "1x101"},
        {"sermask2 = '0000'", "sermask2", "0000"},         {"terminators = NULL", "terminators", ""},
    };
    ConfigRecord seed = distinctive();
    QString why;
    ASSERT_TRUE(store.save_profile(QStringLiteral("Bad"), true, seed, &why));
    for (const Case &c : cases) {
        ASSERT_TRUE(store.save_profile(QStringLiteral("Bad"), false, seed, &why));
        poke(QStringLiteral("UPDATE profiles SET %1 WHERE profilename = 'Bad'").arg(QLatin1StringView(c.set)));
        ConfigRecord rec = default_profile();
        ASSERT_TRUE(store.load_profile(QStringLiteral("Default"), rec, &why));
        const ConfigRecord before = rec;
        EXPECT_FALSE(store.load_profile(QStringLiteral("Bad"), rec, &why)) << c.set;
        EXPECT_TRUE(why.contains("Bad")) << why.toStdString();
        EXPECT_TRUE(why.contains(QLatin1StringView(c.column))) << why.toStdString();
        EXPECT_TRUE(why.contains(QLatin1StringView(c.value))) << why.toStdString();
        EXPECT_EQ(rec, before) << "the record keeps every previous value";
    }
}

// The current profile: named by a load, kept by a load that fails, and the
// record compared against it.
TEST(CurrentProfile, LoadNamesItAndAFailedLoadKeepsItAndTheRecord) {
    QTemporaryDir dir;
    AppContext ctx;
    QString why;
    ASSERT_TRUE(
        ctx.store.open(dir.filePath(QStringLiteral("profiles.db")), ProfileStore::OpenMode::CreateIfMissing, &why))
        << why.toStdString();
    ASSERT_TRUE(ctx.load_profile(QStringLiteral("Default"), &why)) << why.toStdString();
    EXPECT_EQ(ctx.current_profile(), "Default");
    EXPECT_FALSE(ctx.record_changed());
    ctx.record.seringoodbeep = Integer(1 - ctx.record.seringoodbeep);
    EXPECT_TRUE(ctx.record_changed());
    const ConfigRecord changed = ctx.record;
    EXPECT_FALSE(ctx.load_profile(QStringLiteral("Nope"), &why));
    EXPECT_EQ(ctx.current_profile(), "Default");
    EXPECT_EQ(ctx.record, changed);
}

TEST_F(StoreTest, TerminatorSettingIsANumberHeldAsHex) {
    LinkSettings s;
    QString why;
    ASSERT_TRUE(store.read_settings(s, &why));
    s.Terminator = QStringLiteral("0D"), s.commport = 3, s.baudrate = 9600;
    s.commtype = QStringLiteral("T"), s.commdevice = QStringLiteral("/dev/ttyUSB1");
    s.commidentity = QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R_A1-if00-port0");
    ASSERT_TRUE(store.write_settings(s, &why)) << why.toStdString();
    LinkSettings back;
    ASSERT_TRUE(store.read_settings(back, &why));
    EXPECT_EQ(back, s);
    poke(QStringLiteral("UPDATE settings SET Terminator = 10"));
    ASSERT_TRUE(store.read_settings(back, &why));
    EXPECT_EQ(back.Terminator, "0A");
    EXPECT_EQ(terminator_number(QStringLiteral("0a")), 10);
    EXPECT_EQ(terminator_number(QStringLiteral("zz")), 0);
}

TEST_F(StoreTest, OlderFileGetsTheDeviceAndAdapterColumnsOnOpen) {
    store.close();
    poke(QStringLiteral("ALTER TABLE settings DROP COLUMN commidentity"));
    poke(QStringLiteral("ALTER TABLE settings DROP COLUMN commdevice"));
    QString why;
    ASSERT_TRUE(store.open(path, ProfileStore::OpenMode::Existing, &why)) << why.toStdString();
    LinkSettings s;
    ASSERT_TRUE(store.read_settings(s, &why));
    s.commdevice = QStringLiteral("/dev/ttyACM0");
    s.commidentity = QStringLiteral("A9XK3T");
    ASSERT_TRUE(store.write_settings(s, &why)) << why.toStdString();
    LinkSettings back;
    ASSERT_TRUE(store.read_settings(back, &why));
    EXPECT_EQ(back, s);
}

TEST(StoreOpen, BadFilesGiveAClearMessageNamingTheFile) {
    QTemporaryDir dir;
    ProfileStore store;
    QString why;
    const QString missing = dir.filePath(QStringLiteral("missing.db"));
    EXPECT_FALSE(store.open(missing, ProfileStore::OpenMode::Existing, &why));
    EXPECT_TRUE(why.contains(missing));
    EXPECT_FALSE(QFile::exists(missing)) << "an existing-only open never creates";

    const QString junk = dir.filePath(QStringLiteral("junk.db"));
    k52test::put_file(junk, QByteArray(4096, 'j'));
    for (const auto mode : {ProfileStore::OpenMode::Existing, ProfileStore::OpenMode::CreateIfMissing}) {
        EXPECT_FALSE(store.open(junk, mode, &why));
        EXPECT_TRUE(why.contains(junk)) << why.toStdString();
        EXPECT_TRUE(store.file_unusable()) << "a file that is no database is never written over";
        EXPECT_FALSE(store.is_open());
    }

    // A database without the settings table.
    const QString half = dir.filePath(QStringLiteral("half.db"));
    ASSERT_TRUE(store.open(half, ProfileStore::OpenMode::CreateIfMissing, &why));
    store.close();
    poke_file(half, QStringLiteral("DROP TABLE settings"));
    EXPECT_FALSE(store.open(half, ProfileStore::OpenMode::CreateIfMissing, &why));
    EXPECT_TRUE(why.contains("settings")) << why.toStdString();
    EXPECT_TRUE(store.file_unusable());
    EXPECT_FALSE(store.open(missing, ProfileStore::OpenMode::Existing, &why));
    EXPECT_FALSE(store.file_unusable()) << "a missing file is no damaged one";
}

TEST(StoreOpen, ReadOnlyDatabaseRefusesSavesAndKeepsItsRows) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes read-only files";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ro.db"));
    QString why;
    {
        ProfileStore s;
        ASSERT_TRUE(s.open(path, ProfileStore::OpenMode::CreateIfMissing, &why));
    }
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    ProfileStore s;
    ASSERT_TRUE(s.open(path, ProfileStore::OpenMode::Existing, &why)) << why.toStdString();
    ConfigRecord rec = default_profile();
    EXPECT_FALSE(s.save_profile(QStringLiteral("New"), true, rec, &why));
    EXPECT_TRUE(why.contains(path)) << why.toStdString();
    EXPECT_EQ(s.list_profiles(), QStringList{"Default"});
}

TEST(StoreOpen, LockedDatabaseFailsTheSaveCleanly) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("locked.db"));
    QString why;
    ProfileStore store;
    ASSERT_TRUE(store.open(path, ProfileStore::OpenMode::CreateIfMissing, &why));
    {
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("locker"));
        other.setDatabaseName(path);
        ASSERT_TRUE(other.open());
        QSqlQuery q(other);
        ASSERT_TRUE(q.exec(QStringLiteral("BEGIN EXCLUSIVE")));
        ConfigRecord rec = default_profile();
        EXPECT_FALSE(store.save_profile(QStringLiteral("While locked"), true, rec, &why));
        EXPECT_TRUE(why.contains(path)) << why.toStdString();
        EXPECT_TRUE(why.contains("another program has the profile database open")) << why.toStdString();
        q.exec(QStringLiteral("ROLLBACK"));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("locker"));
    ConfigRecord rec = default_profile();
    EXPECT_TRUE(store.save_profile(QStringLiteral("After"), true, rec, &why)) << why.toStdString();
    EXPECT_EQ(store.list_profiles(), (QStringList{"After", "Default"}));
}
