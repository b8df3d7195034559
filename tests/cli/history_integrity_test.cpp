// The images the history keeps are never lost and never written back
// damaged: a backup is stored before the first write even when another
// program holds the database, a row that cannot be completed is reported,
// and a stored image that does not match its digest is refused before the
// port opens. End to end: k52util against k52sim.
#include "core/profile/history_store.h"
#include "core/profile/profile_store.h"
#include "support/cli_run.h"
#include "support/db_poke.h"
#include "support/sim_process.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

using namespace k52;
using k52test::CliRun;
using k52test::SimProcess;

namespace {

QStringList written(const SimProcess &sim) {
    return sim.received().filter(QRegularExpression(QStringLiteral("^S1")));
}

class HistoryIntegrity : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(k52test::k52util(db, {"profiles", "export", "Default"}).code, 0); }

    CliRun util(QStringList args, const SimProcess &sim) {
        return k52test::k52util(db, args << "--port" << sim.device() << "--baud"
                                         << "9600");
    }
    HistoryEntry row(qint64 id) {
        ProfileStore store;
        QString why;
        EXPECT_TRUE(store.open(db, ProfileStore::OpenMode::Existing, &why)) << why.toStdString();
        const auto e = HistoryStore(store).entry(id, &why);
        EXPECT_TRUE(e) << why.toStdString();
        return e ? *e : HistoryEntry{};
    }
    void set_image(const QByteArray &image) {
        k52test::poke_file(db, QStringLiteral("UPDATE history_detail SET image = X'%1' WHERE id = 1")
                                   .arg(QString::fromLatin1(image.toHex())));
    }

    // Runs `args` and, as soon as `ready` (an SQL query on the history
    // yielding a row) is true, holds the database exclusively until the
    // program has ended, as another program would. False when the program
    // ended before the moment came.
    bool run_with_database_held(const QStringList &args, const SimProcess &sim, const QString &ready, CliRun &out) {
        QSqlDatabase d = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("holder"));
        d.setDatabaseName(db);
        bool held = false;
        if (d.open()) {
            QProcess p;
            p.start(QStringLiteral(K52_UTIL_PATH),
                    QStringList{"--db", db} + args + QStringList{"--port", sim.device(), "--baud", "9600"});
            QSqlQuery q(d);
            while (p.state() != QProcess::NotRunning && !held) {
                if (q.exec(ready) && q.next()) {
                    q.finish();
                    held = q.exec(QStringLiteral("BEGIN EXCLUSIVE"));
                }
                q.finish();
                p.waitForFinished(1);
            }
            p.waitForFinished(60000);
            if (held)
                QSqlQuery(d).exec(QStringLiteral("ROLLBACK"));
            out = {p.exitCode(), QString::fromLocal8Bit(p.readAllStandardOutput()),
                   QString::fromLocal8Bit(p.readAllStandardError())};
        }
        d.close();
        d = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("holder"));
        return held;
    }

    // `program --backup` with the database held from the moment the begun
    // row has (or has not yet) its backup, until `in_time` finds row 1 was
    // held at that moment: up to five runs, false when each was too quick.
    bool held_run(bool backup_in, const std::function<bool(const HistoryEntry &)> &in_time, CliRun &r,
                  QStringList &sent) {
        for (int attempt = 0; attempt < 5; ++attempt) {
            SimProcess sim;
            if (!sim.start()) {
                ADD_FAILURE() << "k52sim did not start";
                return false;
            }
            const QString ready = QStringLiteral("SELECT id FROM history WHERE outcome = 'begun' AND has_backup = %1")
                                      .arg(int(backup_in));
            if (run_with_database_held({"program", "--backup"}, sim, ready, r) && in_time(row(1))) {
                sent = written(sim);
                return true;
            }
        }
        return false;
    }

    QTemporaryDir dir;
    QString db = dir.filePath(QStringLiteral("h.db"));
};

} // namespace

// The database held from the moment the row is begun: the backup cannot be
// stored, so nothing is written and the run says why.
TEST_F(HistoryIntegrity, BackupThatCannotBeStoredStopsTheRun) {
    CliRun r;
    QStringList sent;
    if (!held_run(
            false, [](const HistoryEntry &e) { return !e.has_backup; }, r, sent))
        GTEST_SKIP() << "the run was always too quick to catch";
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains("The backup could not be stored")) << r.err.toStdString();
    EXPECT_FALSE(r.out.contains("Converter has been programmed")) << r.out.toStdString();
    EXPECT_EQ(sent, QStringList()) << "nothing was written to the converter";
}

// The database held once the backup is stored: the converter is
// programmed, the backup is safe, and the row that could not be completed
// is reported with a non-zero exit.
TEST_F(HistoryIntegrity, RowThatCannotBeCompletedIsReported) {
    CliRun r;
    QStringList sent;
    if (!held_run(
            true, [](const HistoryEntry &e) { return e.outcome == kOutcomeBegun; }, r, sent))
        GTEST_SKIP() << "the run was always too quick to catch";
    const HistoryEntry e = row(1);
    EXPECT_TRUE(r.out.contains("Converter has been programmed")) << r.out.toStdString();
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains("The history row 1 could not be completed")) << r.err.toStdString();
    EXPECT_EQ(e.backup.size(), 1024) << "the backup was stored before writing";
    EXPECT_EQ(e.backup_sha256, image_digest(e.backup));
}

// A stored image is checked against its digest before the port opens:
// every kind of damage is refused naming the row; the untouched image
// restores; a row stored without a digest restores only with --force.
TEST_F(HistoryIntegrity, DamagedImagesAreRefusedBeforeThePortOpens) {
    SimProcess sim;
    ASSERT_TRUE(sim.start());
    ASSERT_EQ(util({"clone", "read", dir.filePath("c.dat")}, sim).code, 0);
    const HistoryEntry read = row(1);
    ASSERT_EQ(read.image.size(), 1024);
    ASSERT_EQ(read.image_sha256, image_digest(read.image));

    auto flipped = [&](int count) {
        QByteArray b = read.image;
        for (int i = 0; i < count; ++i)
            b[i * (1024 / count)] = char(b[i * (1024 / count)] ^ 0x5A);
        return b;
    };
    const struct {
        const char *what;
        QByteArray image;
        const char *says;
    } damaged[] = {
        {"1 byte flipped", flipped(1), "does not match its checksum"},
        {"16 bytes flipped", flipped(16), "does not match its checksum"},
        {"512 bytes flipped", flipped(512), "does not match its checksum"},
        {"zeros", QByteArray(1024, '\0'), "does not match its checksum"},
        {"hex text of the right length", read.image.left(512).toHex(), "does not match its checksum"},
        {"cut short", read.image.left(1000), "holds an image of 1000 bytes"},
    };
    for (const auto &d : damaged) {
        SCOPED_TRACE(d.what);
        set_image(d.image);
        const int received_before = sim.received().size();
        const CliRun r = util({"restore", "1"}, sim);
        EXPECT_EQ(r.code, 1);
        EXPECT_TRUE(r.err.contains("history row 1") || r.err.contains("History row 1")) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QLatin1String(d.says))) << r.err.toStdString();
        EXPECT_FALSE(r.out.contains("Clone to K52 complete"));
        EXPECT_EQ(sim.received().size(), received_before) << "the port was not opened";
    }

    set_image(read.image);
    CliRun r = util({"restore", "1"}, sim);
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("Clone to K52 complete")) << r.out.toStdString();

    // An older row: no digest.
    k52test::poke_file(db, QStringLiteral("UPDATE history_detail SET image_sha256 = NULL WHERE id = 1"));
    r = util({"restore", "1"}, sim);
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains("--force")) << r.err.toStdString();
    r = util({"restore", "1", "--force"}, sim);
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
}
