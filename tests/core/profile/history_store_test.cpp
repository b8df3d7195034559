// The history tables: added to older files without touching the rest,
// rows begun and completed, listed newest first with their filters.
#include "core/profile/history_store.h"
#include "core/profile/profile_store.h"

#include <gtest/gtest.h>

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

using namespace k52;

namespace {

QString run_sql(const QString &path, const QString &sql) {
    QString result;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
        db.setDatabaseName(path);
        EXPECT_TRUE(db.open());
        QSqlQuery q(db);
        EXPECT_TRUE(q.exec(sql)) << sql.toStdString();
        QStringList rows;
        while (q.isSelect() && q.next())
            rows << q.value(0).toString();
        result = rows.join(QLatin1Char(','));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("raw"));
    return result;
}

class HistoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        QString why;
        ASSERT_TRUE(store.open(path, ProfileStore::OpenMode::CreateIfMissing, &why)) << why.toStdString();
    }
    qint64 add(const QString &action, const QString &profile, const QDateTime &when, const QString &outcome) {
        HistoryEntry e;
        e.action = action;
        e.profile = profile;
        e.started = when;
        e.snapshot = "{}";
        QString why;
        EXPECT_TRUE(history.begin(e, &why)) << why.toStdString();
        if (!outcome.isEmpty()) {
            e.outcome = outcome;
            e.lines = QStringList{QStringLiteral("Starting communications"), QStringLiteral(" ")};
            EXPECT_TRUE(history.finish(e, &why)) << why.toStdString();
        }
        return e.id;
    }
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("p.db"));
    ProfileStore store;
    HistoryStore history{store};
};

} // namespace

TEST_F(HistoryTest, OlderFileGetsTheTablesAndKeepsProfilesAndSettings) {
    store.close();
    run_sql(path, QStringLiteral("DROP TABLE history_detail"));
    run_sql(path, QStringLiteral("DROP TABLE history"));
    auto rest = [&] {
        return run_sql(path, QStringLiteral("SELECT group_concat(sql, ';') FROM sqlite_master "
                                            "WHERE name IN ('profiles','settings')")) +
               run_sql(path, QStringLiteral("SELECT count(*) || baudrate FROM profiles"));
    };
    const QString before = rest();
    QString why;
    ASSERT_TRUE(store.open(path, ProfileStore::OpenMode::Existing, &why)) << why.toStdString();
    EXPECT_GT(add(QStringLiteral("reset"), QString(), QDateTime::currentDateTimeUtc(), kOutcomeDone), 0);
    store.close();
    EXPECT_EQ(rest(), before);
}

TEST_F(HistoryTest, RowIsBegunThenCompletedWithItsDetail) {
    HistoryEntry e;
    e.action = QStringLiteral("flash");
    e.device = QStringLiteral("/dev/ttyUSB0");
    e.file_name = QStringLiteral("k52.bin");
    e.file_size = 1234;
    e.file_sha256 = QStringLiteral("ab12");
    QString why;
    ASSERT_TRUE(history.begin(e, &why)) << why.toStdString();
    auto begun = history.entry(e.id, &why);
    ASSERT_TRUE(begun);
    EXPECT_EQ(begun->outcome, kOutcomeBegun);
    EXPECT_FALSE(begun->finished.isValid());

    e.outcome = kOutcomeFailed;
    e.detail = QStringLiteral("Timeout Error");
    e.converter = QStringLiteral("K54 V01.96");
    e.lines = QStringList{QStringLiteral("Waiting"), QString(), QStringLiteral("Timeout Error")};
    e.backup = QByteArray(1024, '\x5a');
    ASSERT_TRUE(history.finish(e, &why)) << why.toStdString();
    const auto done = history.entry(e.id, &why);
    ASSERT_TRUE(done);
    EXPECT_EQ(done->outcome, kOutcomeFailed);
    EXPECT_EQ(done->detail, e.detail);
    EXPECT_EQ(done->converter, e.converter);
    EXPECT_EQ(done->lines, e.lines);
    EXPECT_EQ(done->backup, e.backup);
    EXPECT_TRUE(done->has_backup);
    EXPECT_EQ(done->file_size, 1234);
    EXPECT_EQ(done->started.toSecsSinceEpoch(), e.started.toSecsSinceEpoch());
    EXPECT_TRUE(done->finished.isValid());

    EXPECT_FALSE(history.entry(e.id + 1, &why));
    EXPECT_TRUE(why.contains(QString::number(e.id + 1)));
}

TEST_F(HistoryTest, ListIsNewestFirstAndFiltersByProfileAndLocalDay) {
    const QDateTime day1 = QDate(2026, 3, 1).startOfDay().addSecs(60);
    const QDateTime day2 = QDate(2026, 3, 2).endOfDay().addSecs(-60);
    const qint64 a = add(QStringLiteral("program"), QStringLiteral("Lobby"), day1.toUTC(), kOutcomeDone);
    const qint64 b = add(QStringLiteral("program"), QStringLiteral("Gate"), day2.toUTC(), kOutcomeRefused);
    const qint64 c = add(QStringLiteral("program"), QStringLiteral("lobby"), day2.toUTC(), QString());
    auto ids = [&](HistoryFilter f) {
        QVector<qint64> out;
        QString why;
        for (const HistoryEntry &e : history.list(f, &why))
            out << e.id;
        EXPECT_TRUE(why.isEmpty()) << why.toStdString();
        return out;
    };
    EXPECT_EQ(ids({}), (QVector<qint64>{c, b, a}));
    EXPECT_EQ(ids({QStringLiteral("LOBBY"), {}, {}, 0}), (QVector<qint64>{c, a}));
    EXPECT_EQ(ids({{}, QDate(2026, 3, 2), {}, 0}), (QVector<qint64>{c, b}));
    EXPECT_EQ(ids({{}, {}, QDate(2026, 3, 1), 0}), (QVector<qint64>{a}));
    EXPECT_EQ(ids({{}, {}, {}, 1}), (QVector<qint64>{c}));
    EXPECT_EQ(history.list({}, nullptr).front().outcome, kOutcomeBegun);
}
