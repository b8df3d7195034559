// Crash safety of the profile database: a child process (this test binary,
// re-run on one test) saves profiles, or creates databases, in a loop and is
// killed with SIGKILL at random moments. After a save the file must pass the
// integrity check, every row must hold one save wholly (no mix of two), and
// every save the child reported as committed must be there. After a
// creation the file must open, with "Default", every time.

#include "core/profile/columns.h"
#include "core/profile/profile_store.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QMap>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <csignal>
#include <cstdio>

#include <unistd.h>

using namespace k52;

namespace {

constexpr const char *kChildEnv = "K52_CRASH_CHILD_DB";
constexpr const char *kCreateChildEnv = "K52_CRASH_CHILD_CREATE_DIR";
constexpr int kProfiles = 4;

QString profile_name(int i) {
    return QStringLiteral("P%1").arg(i);
}

// Stored values of save number `gen`: every column carries the number, so a
// row made of two saves shows it.
QVector<QVariant> generation_row(qint64 gen) {
    QVector<QVariant> v;
    for (const Column &c : columns())
        v << (c.type == StoredType::Text ? QVariant(QStringLiteral("G%1").arg(gen)) : QVariant(gen));
    return v;
}

// The save number a stored row holds, or -1 when its columns disagree.
qint64 row_generation(const QVector<QVariant> &row) {
    qint64 gen = -2;
    const auto cols = columns();
    for (int i = 0; i < row.size(); ++i) {
        const QString text = row[i].toString();
        bool ok = false;
        const qint64 g = cols[i].type == StoredType::Text ? text.mid(1).toLongLong(&ok) : text.toLongLong(&ok);
        if (!ok || (gen != -2 && g != gen))
            return -1;
        gen = g;
    }
    return gen;
}

void say(const QString &line) {
    std::puts(qPrintable(line));
    std::fflush(stdout);
}

// The first value `sql` yields on the file, read without the store (so
// without its repair); SQLite rolls a left-over journal back first. Invalid
// when the file cannot be read.
QVariant sql_value(const QString &path, const QString &sql) {
    QVariant v;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("crashcheck"));
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(sql) && q.next())
                v = q.value(0);
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("crashcheck"));
    return v;
}

// This test binary re-run on the child test `test`, with `env` set to `value`.
void start_child(QProcess &child, const char *env, const QString &value, const char *test) {
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.insert(QString::fromLatin1(env), value);
    child.setProcessEnvironment(e);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=ProfileCrashChild.") + QLatin1String(test)});
    ASSERT_TRUE(child.waitForStarted());
}

} // namespace

// The child's loop: only runs when re-run by the test below.
TEST(ProfileCrashChild, SaveLoop) {
    const QString path = qEnvironmentVariable(kChildEnv);
    if (path.isEmpty())
        GTEST_SKIP() << "runs only as the child of ProfileCrash.KilledWhileSaving";
    ProfileStore store;
    QString why;
    ASSERT_TRUE(store.open(path, ProfileStore::OpenMode::Existing, &why)) << why.toStdString();
    qint64 gen = 0;
    for (const QString &name : store.list_profiles(&why))
        if (name != QStringLiteral("Default"))
            gen = std::max(gen, row_generation(*store.stored_row(name, &why)));
    for (int n = 0;; ++n) {
        ++gen;
        const bool fresh = n % 5 == 4; // every fifth save adds a profile
        const QString name = fresh ? QStringLiteral("N%1").arg(gen) : profile_name(n % kProfiles);
        ASSERT_TRUE(store.write_row(name, generation_row(gen), !fresh, &why)) << why.toStdString();
        say(QStringLiteral("ACK %1 %2").arg(name).arg(gen));
    }
}

TEST(ProfileCrash, KilledWhileSavingLeavesWholeProfiles) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("profiles.db"));
    {
        ProfileStore store;
        QString why;
        ASSERT_TRUE(store.open(path, ProfileStore::OpenMode::CreateIfMissing, &why)) << why.toStdString();
        for (int i = 0; i < kProfiles; ++i)
            ASSERT_TRUE(store.write_row(profile_name(i), generation_row(0), false, &why)) << why.toStdString();
    }

    QMap<QString, qint64> committed; // latest save the child reported per profile
    for (int i = 0; i < kProfiles; ++i)
        committed[profile_name(i)] = 0;
    QRandomGenerator rng(20261206);
    for (int round = 0; round < 12; ++round) {
        QProcess child;
        ASSERT_NO_FATAL_FAILURE(start_child(child, kChildEnv, path, "SaveLoop"));
        // Let it commit a random number of saves, then kill it a random few
        // hundred microseconds later: somewhere inside the next save.
        const int acks_wanted = 1 + int(rng.bounded(20));
        int acks = 0;
        QByteArray pending;
        auto take_lines = [&] {
            pending += child.readAllStandardOutput();
            for (qsizetype nl; (nl = pending.indexOf('\n')) >= 0; pending.remove(0, nl + 1)) {
                const QList<QByteArray> parts = pending.left(nl).split(' ');
                if (parts.size() == 3 && parts[0] == "ACK") {
                    committed[QString::fromLatin1(parts[1])] = parts[2].toLongLong();
                    ++acks;
                }
            }
        };
        while (acks < acks_wanted && child.state() == QProcess::Running) {
            child.waitForReadyRead(1000);
            take_lines();
        }
        ASSERT_EQ(child.state(), QProcess::Running) << "child stopped before it was killed";
        ::usleep(rng.bounded(4000u));
        ::kill(pid_t(child.processId()), SIGKILL);
        ASSERT_TRUE(child.waitForFinished(10000));
        take_lines(); // saves reported before the kill landed
        EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);

        // The file as the next start finds it: integrity first.
        EXPECT_EQ(sql_value(path, QStringLiteral("PRAGMA integrity_check")).toString(), "ok") << "round " << round;
        ProfileStore store;
        QString why;
        ASSERT_TRUE(store.open(path, ProfileStore::OpenMode::Existing, &why)) << why.toStdString();
        const QStringList names = store.list_profiles(&why);
        for (const QString &name : names) {
            if (name == QStringLiteral("Default"))
                continue;
            const auto row = store.stored_row(name, &why);
            ASSERT_TRUE(row) << why.toStdString();
            const qint64 gen = row_generation(*row);
            EXPECT_GE(gen, 0) << "profile " << name.toStdString() << " mixes two saves (round " << round << ")";
            if (committed.contains(name)) {
                EXPECT_GE(gen, committed[name]) << "a reported save of " << name.toStdString() << " was lost";
            }
        }
        for (auto it = committed.cbegin(); it != committed.cend(); ++it)
            EXPECT_TRUE(names.contains(it.key())) << "reported new profile " << it.key().toStdString() << " was lost";
    }
}

// The child's loop: creates one database after another until it is killed.
TEST(ProfileCrashChild, CreateLoop) {
    const QString dir = qEnvironmentVariable(kCreateChildEnv);
    if (dir.isEmpty())
        GTEST_SKIP() << "runs only as the child of ProfileCrash.KilledWhileCreating";
    for (int n = 0;; ++n) {
        const QString path = QStringLiteral("%1/%2.db").arg(dir).arg(n);
        say(QStringLiteral("START %1").arg(n));
        ProfileStore store;
        QString why;
        ASSERT_TRUE(store.open(path, ProfileStore::OpenMode::CreateIfMissing, &why)) << why.toStdString();
        store.close();
        say(QStringLiteral("DONE %1").arg(n));
    }
}

// A creation cut short leaves either no tables (an empty file, which the
// next start creates afresh) or the whole database with its settings row
// and "Default": never a file that locks the user out.
TEST(ProfileCrash, KilledWhileCreatingLeavesNothingOrAWholeDatabase) {
    QRandomGenerator rng(20261207);
    int interrupted = 0; // files whose creation the kill cut short
    for (int round = 0; round < 60; ++round) {
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        QProcess child;
        ASSERT_NO_FATAL_FAILURE(start_child(child, kCreateChildEnv, dir.path(), "CreateLoop"));
        // Wait for the first creation to begin, then kill somewhere in the
        // next few creations.
        while (!child.readAllStandardOutput().contains("START") && child.state() == QProcess::Running)
            child.waitForReadyRead(1000);
        ASSERT_EQ(child.state(), QProcess::Running) << "child stopped before it was killed";
        ::usleep(rng.bounded(60000u));
        ::kill(pid_t(child.processId()), SIGKILL);
        ASSERT_TRUE(child.waitForFinished(10000));

        // Killed before the first file appeared: no database, nothing to open.
        const QStringList files = QDir(dir.path()).entryList({QStringLiteral("*.db")}, QDir::Files);
        for (const QString &file : files) {
            const QString path = dir.filePath(file);
            const QVariant tables = sql_value(path, QStringLiteral("SELECT count(*) FROM sqlite_master"));
            ASSERT_TRUE(tables.isValid()) << file.toStdString() << " cannot be read (round " << round << ")";
            if (tables.toInt() == 0) {
                ++interrupted;
            } else {
                EXPECT_EQ(sql_value(path, QStringLiteral("SELECT count(*) FROM settings")).toInt(), 1)
                    << file.toStdString();
                EXPECT_EQ(sql_value(path, QStringLiteral("SELECT count(*) FROM profiles WHERE profilename='Default'"))
                              .toInt(),
                          1)
                    << file.toStdString() << " holds tables without its rows (round " << round << ")";
            }
            // As the next start opens it.
            ProfileStore store;
            QString why;
            ASSERT_TRUE(store.open(path, ProfileStore::OpenMode::CreateIfMissing, &why))
                << why.toStdString() << " (round " << round << ")";
            EXPECT_TRUE(store.find_profile(QStringLiteral("Default"), &why)) << file.toStdString();
            LinkSettings link;
            EXPECT_TRUE(store.read_settings(link, &why)) << why.toStdString();
        }
    }
    EXPECT_GT(interrupted, 0) << "no kill landed inside a creation; the test proved nothing";
}
