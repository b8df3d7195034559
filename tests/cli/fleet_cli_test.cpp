// `program --each` and `flash --each` end to end: simulators appear and go
// as links DIR/convN while k52util watches 'DIR/conv*'.
#include "core/profile/history_store.h"
#include "core/profile/profile_store.h"
#include "support/cli_run.h"
#include "support/file_bytes.h"
#include "support/sim_process.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <map>
#include <memory>

using namespace k52;
using k52test::CliRun;
using k52test::SimProcess;

namespace {

QStringList without_v(QStringList commands) {
    commands.removeAll(QStringLiteral("V"));
    return commands;
}

class FleetCli : public ::testing::Test {
protected:
    // One step of the script: plug a simulator in as DIR/<port>, pull it
    // out, or wait for the line of the converter on <port> ending <outcome>.
    struct Step {
        enum Kind { Plug, Unplug, Await } kind;
        const char *port;
        QStringList sim_args; // Plug
        const char *outcome;  // Await: "done", "refused", "failed"
    };

    void start_fleet(const QStringList &args) {
        fleet.start(QStringLiteral(K52_UTIL_PATH),
                    QStringList{QStringLiteral("--db"), db} + args +
                        QStringList{QStringLiteral("--each"), QStringLiteral("--ports"), dir.filePath("conv*"),
                                    QStringLiteral("--settle"), QStringLiteral("300")});
        ASSERT_TRUE(fleet.waitForStarted(5000));
    }

    void run(const std::vector<Step> &script) {
        for (const Step &s : script) {
            const QString link = dir.filePath(QLatin1String(s.port));
            switch (s.kind) {
            case Step::Plug: {
                auto &sim = sims.emplace_back(std::make_unique<SimProcess>(s.sim_args));
                QString why;
                ASSERT_TRUE(sim->start(&why)) << why.toStdString();
                ASSERT_TRUE(QFile::link(sim->device(), link));
                on_port[s.port] = sim.get();
                break;
            }
            case Step::Unplug:
                QFile::remove(link);
                on_port[s.port]->stop();
                // Out longer than the settle time and a look at the ports,
                // as an installer's hands are: a swap faster than that is
                // the same converter to the fleet.
                QThread::msleep(1500);
                break;
            case Step::Await: {
                const QString wanted = QStringLiteral("  %1  ").arg(link);
                const QDeadlineTimer deadline(30000);
                auto seen = [&] {
                    for (const QString &l : out.split(QLatin1Char('\n'))) {
                        if (l.contains(wanted) && l.contains(QStringLiteral("  %1").arg(QLatin1String(s.outcome))) &&
                            !awaited.contains(l)) {
                            awaited << l;
                            return true;
                        }
                    }
                    return false;
                };
                while (!seen()) {
                    ASSERT_FALSE(deadline.hasExpired() || fleet.state() == QProcess::NotRunning)
                        << s.port << " " << s.outcome << "\n"
                        << out.toStdString() << QString::fromLocal8Bit(fleet.readAllStandardError()).toStdString();
                    fleet.waitForReadyRead(int(deadline.remainingTime()));
                    out += QString::fromLocal8Bit(fleet.readAllStandardOutput());
                }
                break;
            }
            }
        }
    }

    int finish() {
        EXPECT_TRUE(fleet.waitForFinished(30000));
        out += QString::fromLocal8Bit(fleet.readAllStandardOutput());
        return fleet.exitCode();
    }

    // What a single `program` run sends to a simulator started with `args`.
    QStringList single_run(const QStringList &args) {
        SimProcess sim(args);
        EXPECT_TRUE(sim.start());
        const CliRun r =
            k52test::k52util(dir.filePath("single.db"), {"program", "--port", sim.device(), "--baud", "9600"});
        EXPECT_NE(r.code, -1);
        return sim.received();
    }

    void each_into_two(const QStringList &command, const QString &file, const char *out_option);

    QVector<HistoryEntry> rows() {
        ProfileStore store;
        QString why;
        EXPECT_TRUE(store.open(db, ProfileStore::OpenMode::Existing, &why)) << why.toStdString();
        HistoryStore h(store);
        QVector<HistoryEntry> list;
        for (const HistoryEntry &e : h.list({}, &why))
            list << *h.entry(e.id, &why);
        return list;
    }

    QTemporaryDir dir;
    QString db = dir.filePath(QStringLiteral("fleet.db"));
    QProcess fleet;
    QString out;
    QStringList awaited;
    std::vector<std::unique_ptr<SimProcess>> sims;
    std::map<QString, SimProcess *> on_port;
};

TEST_F(FleetCli, EveryConverterProgrammedOncePerPlugIn) {
    const QStringList k54r{"--model", "K54R", "--firmware", "01.95"};
    const QStringList refusing{"--model", "K52R", "--refuse", "S1K"};
    const QStringList k54{"--model", "K54", "--firmware", "01.93"};
    const QString csv = dir.filePath("site.csv");
    start_fleet({"program", "--count", "5", "--csv", csv});
    run({
        // Two at once on two ports.
        {Step::Plug, "conv1", {}, ""},
        {Step::Plug, "conv2", k54r, ""},
        {Step::Await, "conv1", {}, "done"},
        {Step::Await, "conv2", {}, "done"},
        {Step::Unplug, "conv1", {}, ""},
        {Step::Unplug, "conv2", {}, ""},
        // The firmware refuses the profile.
        {Step::Plug, "conv1", refusing, ""},
        {Step::Await, "conv1", {}, "refused"},
        // Pulled out mid-run, then plugged back.
        {Step::Plug, "conv2", k54 + QStringList{"--hangup-after", "8"}, ""},
        {Step::Await, "conv2", {}, "failed"},
        {Step::Unplug, "conv2", {}, ""},
        {Step::Plug, "conv2", k54, ""},
        {Step::Await, "conv2", {}, "done"},
    });
    EXPECT_EQ(finish(), 1) << out.toStdString();

    // Each converter got exactly what a single run sends, once.
    const std::pair<int, QStringList> same[] = {{0, {}}, {1, k54r}, {2, refusing}, {4, k54}};
    for (const auto &[sim, args] : same)
        EXPECT_EQ(without_v(sims[std::size_t(sim)]->received()), without_v(single_run(args))) << sim;
    EXPECT_GT(without_v(sims[3]->received()).size(), 0);
    EXPECT_LT(without_v(sims[3]->received()).size(), without_v(sims[4]->received()).size());

    for (const char *line : {"Programmed: 3", "Refused: 1", "Failed: 1", "Stopped: 0", "History rows: "})
        EXPECT_TRUE(out.contains(QLatin1String(line))) << line << "\n" << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("%1  K52R firmware 01.99: at S1K").arg(dir.filePath("conv1"))))
        << out.toStdString();
    const QVector<HistoryEntry> history = rows();
    ASSERT_EQ(history.size(), 5);
    QStringList outcomes;
    for (const HistoryEntry &e : history)
        outcomes << e.outcome;
    outcomes.sort();
    EXPECT_EQ(outcomes, QStringList({"done", "done", "done", "failed", "refused"}));
    EXPECT_EQ(k52test::file_bytes(csv).count('\n'), 6);
}

// One file into two converters at once: each received exactly `file`.
void FleetCli::each_into_two(const QStringList &command, const QString &file, const char *out_option) {
    const QByteArray sent = k52test::file_bytes(file);
    const QString out1 = dir.filePath("out1.bin"), out2 = dir.filePath("out2.bin");
    // Each converter's bytes go into a trace file of its own.
    start_fleet(command + QStringList{"--count", "2", "--trace", dir.filePath("wire.txt")});
    run({
        {Step::Plug, "conv1", {"--firmware", "01.96", out_option, out1}, ""},
        {Step::Plug, "conv2", {"--model", "K54", out_option, out2}, ""},
        {Step::Await, "conv1", {}, "done"},
        {Step::Await, "conv2", {}, "done"},
    });
    EXPECT_EQ(finish(), 0) << out.toStdString();
    for (const QString &received : {out1, out2})
        EXPECT_EQ(k52test::file_bytes(received), sent) << received.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("Programmed: 2"))) << out.toStdString();
    EXPECT_EQ(rows().size(), 2);
    QStringList traced;
    for (const char *name : {"wire-1.txt", "wire-2.txt"}) {
        const QByteArray text = k52test::file_bytes(dir.filePath(name));
        const int at = int(text.indexOf("# port: ")) + 8;
        ASSERT_GE(at, 8) << text.toStdString();
        traced << QString::fromUtf8(text.mid(at, text.indexOf(' ', at) - at));
        EXPECT_TRUE(text.contains(" < ")) << text.toStdString(); // the converter's answers too
    }
    traced.sort();
    EXPECT_EQ(traced, (QStringList{dir.filePath("conv1"), dir.filePath("conv2")}));
}

TEST_F(FleetCli, FlashEachIntoTwoConvertersAtOnce) {
    QByteArray firmware(300, '\0');
    for (int i = 0; i < firmware.size(); ++i)
        firmware[i] = char(i * 13 + 5);
    const QString path = dir.filePath("fw.bin");
    ASSERT_NO_FATAL_FAILURE(k52test::put_file(path, firmware));
    each_into_two({"flash", path}, path, "--firmware-out");
}

TEST_F(FleetCli, CloneWriteEachIntoTwoConvertersAtOnce) {
    SimProcess master({"--model", "K54R"});
    ASSERT_TRUE(master.start());
    const QString image = dir.filePath("master.dat");
    ASSERT_EQ(k52test::k52util(dir.filePath("master.db"),
                               {"clone", "read", image, "--port", master.device(), "--baud", "9600"})
                  .code,
              0);
    each_into_two({"clone", "write", image}, image, "--clone-out");
}

TEST_F(FleetCli, CtrlCStopsTheJobsUnderWay) {
    start_fleet({"program"});
    run({{Step::Plug, "conv1", {"--baud", "1200", "--pace", "1200"}, ""}}); // a slow run
    const QDeadlineTimer deadline(20000);
    while (without_v(sims[0]->received()).isEmpty() && !deadline.hasExpired())
        fleet.waitForReadyRead(100);
    ASSERT_FALSE(deadline.hasExpired());
    ::kill(pid_t(fleet.processId()), SIGINT);
    EXPECT_EQ(finish(), 130) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("  stopped: Stopped by the user"))) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("Stopped: 1\n"))) << out.toStdString();
    ASSERT_EQ(rows().size(), 1);
    EXPECT_EQ(rows().front().outcome, kOutcomeStopped);
}

} // namespace
