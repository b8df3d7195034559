// The history of device actions, end to end: k52util against k52sim on a
// pseudo-terminal, the rows read back from the database it wrote.
#include "core/profile/history_store.h"
#include "core/profile/profile_store.h"
#include "support/cli_run.h"
#include "support/db_poke.h"
#include "support/sim_process.h"

#include <QCryptographicHash>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>

using namespace k52;
using k52test::CliRun;
using k52test::SimProcess;

namespace {

class HistoryCli : public ::testing::Test {
protected:
    CliRun util(QStringList args, const SimProcess *sim = nullptr, const QStringList &env = {}) {
        if (sim)
            args << QStringLiteral("--port") << sim->device() << QStringLiteral("--baud") << QStringLiteral("9600");
        return k52test::k52util(db, args, {}, env);
    }
    // The rows as the database holds them, newest first, with their detail.
    QVector<HistoryEntry> rows() {
        ProfileStore store;
        QString why;
        EXPECT_TRUE(store.open(db, ProfileStore::OpenMode::Existing, &why)) << why.toStdString();
        HistoryStore h(store);
        QVector<HistoryEntry> out;
        for (const HistoryEntry &e : h.list({}, &why))
            out << *h.entry(e.id, &why);
        return out;
    }
    QByteArray read_image(const SimProcess &sim, const QString &name) {
        const QString file = dir.filePath(name);
        const CliRun r = util({"clone", "read", file}, &sim);
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QString write_firmware() {
        QByteArray file(300, '\0');
        for (int i = 0; i < file.size(); ++i)
            file[i] = char(i * 13 + 5);
        const QString path = dir.filePath(QStringLiteral("fw.bin"));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(file) == file.size());
        return path;
    }

    QTemporaryDir dir;
    QString db = dir.filePath(QStringLiteral("h.db"));
};

} // namespace

// Each action leaves exactly one row, complete, with what that action knows.
TEST_F(HistoryCli, EveryActionLeavesOneCompleteRow) {
    const QString firmware = write_firmware();
    QFile fw(firmware);
    ASSERT_TRUE(fw.open(QIODevice::ReadOnly));
    const QString sha = QString::fromLatin1(QCryptographicHash::hash(fw.readAll(), QCryptographicHash::Sha256).toHex());
    const QString clone_file = dir.filePath(QStringLiteral("c.dat"));
    struct Case {
        QStringList sim_args;
        QStringList args;
        int code;
        const char *action, *outcome, *detail_part;
        bool profile;     // the row holds the profile and its snapshot
        bool image;       // the row holds a 1024-byte image
        const char *line; // a progress line the row must hold
    };
    const Case cases[] = {
        {{}, {"program"}, 0, "program", "done", "", true, false, "Converter has been programmed"},
        {{"--refuse", "S1K"}, {"program"}, 1, "program", "refused", "at S1K", true, false, "Programming Stopped"},
        {{}, {"clone", "read", clone_file}, 0, "clone read", "done", "", false, true, "Read from K52 complete"},
        {{}, {"clone", "write", clone_file}, 0, "clone write", "done", "", false, true, ""},
        {{"--firmware", "01.95"}, {"clone", "write", clone_file}, 1, "clone write", "refused", "1.96", false, true, ""},
        {{}, {"flash", firmware}, 0, "flash", "done", "", false, false, "Download complete"},
        {{"--flash-stall-after", "2"}, {"flash", firmware}, 1, "flash", "failed", "Download Error", false, false, ""},
        {{}, {"reset"}, 0, "reset", "done", "", false, false, ""},
        {{}, {"restart"}, 0, "restart", "done", "", false, false, ""},
    };
    int count = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE((c.args + c.sim_args).join(QLatin1Char(' ')).toStdString());
        SimProcess sim(c.sim_args);
        ASSERT_TRUE(sim.start());
        const CliRun r = util(c.args, &sim);
        EXPECT_EQ(r.code, c.code) << r.err.toStdString();
        const QVector<HistoryEntry> all = rows();
        ASSERT_EQ(all.size(), ++count);
        const HistoryEntry &e = all.front();
        EXPECT_EQ(e.action, QLatin1String(c.action));
        EXPECT_EQ(e.outcome, QLatin1String(c.outcome));
        EXPECT_TRUE(e.detail.contains(QLatin1String(c.detail_part))) << e.detail.toStdString();
        EXPECT_EQ(e.device, sim.device());
        EXPECT_TRUE(e.finished.isValid());
        EXPECT_EQ(e.profile.isEmpty(), !c.profile);
        EXPECT_EQ(QJsonDocument::fromJson(e.snapshot).object().value("profilename").toString(),
                  c.profile ? QStringLiteral("Default") : QString());
        EXPECT_EQ(e.image.size(), c.image ? 1024 : 0);
        if (*c.line) {
            EXPECT_TRUE(e.lines.contains(QLatin1String(c.line))) << e.lines.join('|').toStdString();
        }
        if (e.action == QLatin1String("flash")) {
            EXPECT_EQ(e.file_name, QStringLiteral("fw.bin"));
            EXPECT_EQ(e.file_size, 300);
            EXPECT_EQ(e.file_sha256, sha);
        }
        if (c.sim_args.isEmpty() &&
            (e.action == QLatin1String("program") || e.action.startsWith(QLatin1String("clone")))) {
            EXPECT_EQ(e.converter, QStringLiteral("K52 V01.99"));
        }
    }
    // The rows as the command line shows and exports them.
    const CliRun list = util({"history"});
    EXPECT_EQ(list.out.count(QLatin1Char('\n')), count);
    EXPECT_TRUE(list.out.startsWith(QStringLiteral("%1  ").arg(count, 5)));
    EXPECT_EQ(util({"history", "--profile", "default"}).out.count(QLatin1Char('\n')), 2);
    const QString json = dir.filePath(QStringLiteral("row.json"));
    ASSERT_EQ(util({"history", "export", "2", json}).code, 0);
    QFile f(json);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QJsonObject o = QJsonDocument::fromJson(f.readAll()).object();
    EXPECT_EQ(o.value("outcome").toString(), "refused");
    EXPECT_EQ(o.value("snapshot").toObject().value("columns").toObject().size(), 218);
    EXPECT_NE(util({"history", "show", "99"}).code, 0);
}

// What the converter and the history read stays the same in every language:
// a run in German sends the English run's bytes and stores its English lines.
TEST_F(HistoryCli, GermanRunSendsTheSameBytesAndStoresEnglishLines) {
    const QStringList german = {"LC_ALL=", "LC_MESSAGES=", "LANG=de_DE.UTF-8", "LANGUAGE=de"};
    ASSERT_TRUE(util({"help"}, nullptr, german).out.startsWith(QStringLiteral("Aufruf: k52util")));
    QStringList sent[2];
    for (int run = 0; run < 2; ++run) {
        SimProcess sim;
        ASSERT_TRUE(sim.start());
        const CliRun r = util({"program"}, &sim, run == 0 ? QStringList() : german);
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        sim.stop();
        sent[run] = sim.received();
    }
    EXPECT_FALSE(sent[0].isEmpty());
    EXPECT_EQ(sent[1].join('\n').toStdString(), sent[0].join('\n').toStdString());
    const QVector<HistoryEntry> all = rows();
    ASSERT_EQ(all.size(), 2);
    EXPECT_EQ(all[0].lines.join('\n').toStdString(), all[1].lines.join('\n').toStdString());
    EXPECT_TRUE(all[0].lines.contains(QStringLiteral("Converter has been programmed")))
        << all[0].lines.join('|').toStdString();
    EXPECT_EQ(all[0].detail, all[1].detail);
}

// A run the user stops (Ctrl-C) and a run killed outright.
TEST_F(HistoryCli, StoppedAndKilledRunsLeaveTheirRowsAndTheProfilesIntact) {
    ASSERT_EQ(util({"profiles", "export", "Default"}).code, 0);
    const QString profiles_before = util({"profiles", "show", "Default"}).out;
    for (const int signal : {SIGINT, SIGKILL}) {
        SCOPED_TRACE(signal);
        SimProcess sim({QStringLiteral("--stall"), QStringLiteral("S1K")});
        ASSERT_TRUE(sim.start());
        QProcess p;
        p.start(QStringLiteral(K52_UTIL_PATH), {"--db", db, "program", "--port", sim.device(), "--baud", "9600"});
        // Wait until the run waits on the stalled command.
        auto waiting = [&] { return !sim.received().filter(QRegularExpression(QStringLiteral("^S1K"))).isEmpty(); };
        for (int i = 0; i < 250 && !waiting(); ++i)
            QThread::msleep(20);
        ASSERT_TRUE(waiting());
        ::kill(pid_t(p.processId()), signal);
        ASSERT_TRUE(p.waitForFinished(10000));
        const HistoryEntry e = rows().front();
        EXPECT_EQ(e.outcome, signal == SIGINT ? kOutcomeStopped : kOutcomeBegun);
        EXPECT_EQ(e.finished.isValid(), signal == SIGINT);
    }
    EXPECT_EQ(util({"profiles", "show", "Default"}).out, profiles_before);
    {
        QSqlDatabase check = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
        check.setDatabaseName(db);
        ASSERT_TRUE(check.open());
        QSqlQuery q(check);
        ASSERT_TRUE(q.exec(QStringLiteral("PRAGMA integrity_check")) && q.next());
        EXPECT_EQ(q.value(0).toString(), QStringLiteral("ok"));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("check"));
}

// A backup taken before a run brings the converter back byte for byte.
TEST_F(HistoryCli, BackupBeforeARunRestoresTheImageByteForByte) {
    SimProcess sim;
    ASSERT_TRUE(sim.start());
    const QByteArray before = read_image(sim, QStringLiteral("before.dat"));
    ASSERT_EQ(before.size(), 1024);
    CliRun r = util({"program", "--backup"}, &sim);
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const qint64 run = rows().front().id;
    EXPECT_EQ(rows().front().backup, before);
    // The run changed the converter, so the restore below has work to do.
    ASSERT_NE(read_image(sim, QStringLiteral("after.dat")), before);
    r = util({"restore", QString::number(run)}, &sim);
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(rows().front().action, QStringLiteral("restore"));
    EXPECT_EQ(read_image(sim, QStringLiteral("restored.dat")), before);

    // A restore the converter did not take fails, and so does one of a row
    // without an image.
    SimProcess silent({QStringLiteral("--silent")});
    ASSERT_TRUE(silent.start());
    EXPECT_EQ(util({"restore", QString::number(run)}, &silent).code, 1);
    EXPECT_EQ(rows().front().outcome, kOutcomeFailed);
    r = util({"reset"}, &sim);
    r = util({"restore", QString::number(rows().front().id)}, &sim);
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QLatin1String("no converter image"))) << r.err.toStdString();
}

// A backup that cannot be taken stops the write unless it was optional.
TEST_F(HistoryCli, UnreadableBackupStopsTheWriteUnlessOptional) {
    const QString firmware = write_firmware();
    for (const QStringList &action : {QStringList{"program"}, QStringList{"flash", firmware}}) {
        SCOPED_TRACE(action.join(' ').toStdString());
        SimProcess old({QStringLiteral("--firmware"), QStringLiteral("01.95")});
        ASSERT_TRUE(old.start());
        CliRun r = util(action + QStringList{"--backup"}, &old);
        EXPECT_EQ(r.code, 1);
        EXPECT_TRUE(r.err.contains(QLatin1String("--backup-optional"))) << r.err.toStdString();
        EXPECT_EQ(old.received().filter(QRegularExpression(QStringLiteral("^S1"))).size(), 0) << "nothing written";
        EXPECT_EQ(rows().front().outcome, kOutcomeFailed);
        EXPECT_TRUE(rows().front().detail.startsWith(QLatin1String("no backup")));
        r = util(action + QStringList{"--backup-optional"}, &old);
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        EXPECT_TRUE(rows().front().backup.isEmpty());
    }
}

// The commissioning report of a run, as a PDF reader shows it.
TEST_F(HistoryCli, ReportOfARunHoldsModelAndProfileAndRenders) {
    SimProcess sim({QStringLiteral("--model"), QStringLiteral("K54R")});
    ASSERT_TRUE(sim.start());
    ASSERT_EQ(util({"program"}, &sim).code, 0);
    // As a run from the window after three settings were changed records it.
    k52test::poke_file(db, QStringLiteral("INSERT INTO history_changes (id, changed) VALUES "
                                          "(1, 'Serial I/O: Good Beep\nSerial I/O: Bad Beep\nMasking: Start')"));
    const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
    const CliRun r = util({"history", "report", "1", pdf});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(30000)) << "pdftotext (poppler-utils) is needed";
    const QString t = QString::fromUtf8(text.readAllStandardOutput());
    for (const char *expected :
         {"Commissioning report", "K54R V01.99", "Default, 3 settings changed", "Serial I/O: Bad Beep",
          "Converter Baud Rate", "9600", "Wiegand output format", "Converter has been programmed", "page 1 of "})
        EXPECT_TRUE(t.contains(QLatin1String(expected))) << expected;
    QProcess render;
    render.start(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("40"),
                                              QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                                              QStringLiteral("1"), pdf, dir.filePath(QStringLiteral("page"))});
    ASSERT_TRUE(render.waitForFinished(30000));
    EXPECT_EQ(render.exitCode(), 0);
    EXPECT_GT(QFileInfo(dir.filePath(QStringLiteral("page-1.png"))).size(), 1000);
}
