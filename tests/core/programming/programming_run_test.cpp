// The programming run against an in-memory converter and, end to end,
// against k52sim on a pseudo-terminal.
#include "core/link/serial_link.h"
#include "core/profile/profile_store.h"
#include "core/programming/programming_run.h"
#include "core/programming/run_plan.h"
#include "support/memory_link.h"
#include "support/sim_process.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace k52;
using k52test::MemoryLink;
using k52test::SimProcess;

namespace {

struct Lines : JobProgress {
    QStringList lines;
    qint64 last_done = -1, last_total = -1;
    void line(const QString &text) override { lines << text; }
    void step(qint64 done, qint64 total) override { last_done = done, last_total = total; }
};

PortSpec port(const QString &device) {
    return k52test::port_on(device);
}

QStringList plan_commands(const ConfigRecord &rec, const QString &version) {
    QStringList out;
    for (const PlanStep &s : build_plan(rec, version).steps)
        if (s.kind == PlanStep::Command)
            out << s.text;
    return out;
}

QStringList head(const QString &ident) {
    return {QStringLiteral("Starting communications"), QStringLiteral(" "), QStringLiteral("...Programming ") + ident};
}

} // namespace

TEST(ProgrammingRun, SuccessfulRunSendsThePlanAndClosesThePort) {
    MemoryLink link;
    link.responder = MemoryLink::ok_to_all(QStringLiteral("01.94"));
    ConfigRecord rec = default_profile();
    Lines out;
    const RunResult r = savetoK52(link, port(QStringLiteral("/dev/ttyS0")), rec, out);
    EXPECT_EQ(r.outcome, RunOutcome::Programmed);
    EXPECT_EQ(r.message, QStringLiteral("Converter has been programmed"));
    EXPECT_EQ(link.opened_settings, QStringLiteral("9600,E,7,1"));
    EXPECT_FALSE(link.is_open());
    EXPECT_EQ(link.commands, QStringList{QStringLiteral("V")} + plan_commands(rec, QStringLiteral("01.94")));
    ASSERT_GE(out.lines.size(), 5);
    EXPECT_EQ(out.lines.mid(0, 3), head(QStringLiteral("K52 V01.94")));
    EXPECT_EQ(out.lines.mid(out.lines.size() - 2), (QStringList{" ", "Converter has been programmed"}));
    EXPECT_EQ(out.last_done, out.last_total);
    EXPECT_GT(out.last_total, 0);
}

// A refused command, a rule of the firmware and an unknown converter stop
// the run with their lines; nothing is sent after what stopped it.
TEST(ProgrammingRun, StopsWithTheLinesOfWhatStoppedIt) {
    auto replies = [](const QByteArray &r) -> MemoryLink::Responder { return [r](const QString &) { return r; }; };
    const QStringList unidentified{"Starting communications", " ", "Unable to Identify Converter",
                                   "Programming Stopped"};
    struct Case {
        MemoryLink::Responder answers;
        Integer serinconvtype;
        QStringList lines, commands; // commands: their starts
    };
    const Case cases[] = {
        {MemoryLink::ok_to_all(QStringLiteral("01.94"), QStringLiteral("S1M")),
         0,
         head(QStringLiteral("K52 V01.94")) +
             QStringList{"...Programming Serial Pamameters", "Error 002 Programming Converter", "Programming Stopped"},
         {"V", "S1G", "S1M"}}, // S1G kept by the converter
        {MemoryLink::ok_to_all(QStringLiteral("01.69")),
         6,
         head(QStringLiteral("K52 V01.69")) +
             QStringList{"Serial to Serial Conversion not allowed with this version", "Programming Stopped"},
         {"V"}},
        {replies({}), 0, unidentified, {"V"}},
        {replies("ZOR X99 V01.94\r"), 0, unidentified, {"V"}},
        {replies("k52 V01.94\r"), 0, unidentified, {"V"}},
    };
    for (const Case &c : cases) {
        MemoryLink link;
        link.responder = c.answers;
        ConfigRecord rec = default_profile();
        rec.serinconvtype = c.serinconvtype;
        Lines out;
        EXPECT_EQ(savetoK52(link, port(QStringLiteral("p")), rec, out).outcome, RunOutcome::Stopped);
        EXPECT_EQ(out.lines, c.lines);
        ASSERT_EQ(link.commands.size(), c.commands.size()) << c.lines.join(QLatin1Char('/')).toStdString();
        for (int i = 0; i < c.commands.size(); ++i)
            EXPECT_TRUE(link.commands[i].startsWith(c.commands[i])) << link.commands[i].toStdString();
        EXPECT_FALSE(link.is_open());
    }
}

TEST(ProgrammingRun, UnusablePortIsErrorDownloadingAndLeavesNothingOpen) {
    Lines out;
    MemoryLink busy;
    busy.fail_open_error = QStringLiteral("Permission denied: join the group dialout");
    RunResult r = savetoK52(busy, port(QStringLiteral("/dev/ttyUSB0")), default_profile(), out);
    EXPECT_EQ(r.outcome, RunOutcome::ErrorDownloading);
    EXPECT_EQ(r.detail, busy.fail_open_error);
    EXPECT_EQ(out.lines, (QStringList{"Starting communications", " ", "Error downloading"}));

    MemoryLink none;
    out.lines.clear();
    PortSpec missing;
    missing.error = QStringLiteral("no port 5");
    r = savetoK52(none, missing, default_profile(), out);
    EXPECT_EQ(r.outcome, RunOutcome::ErrorDownloading);
    EXPECT_EQ(r.detail, QStringLiteral("no port 5"));
    EXPECT_EQ(none.opens, 0);

    // The device goes away part-way: the run ends at once, port closed.
    MemoryLink gone;
    gone.responder = MemoryLink::ok_to_all(QStringLiteral("01.94"));
    gone.vanish_after = 3;
    out.lines.clear();
    r = savetoK52(gone, port(QStringLiteral("p")), default_profile(), out);
    EXPECT_EQ(r.outcome, RunOutcome::ErrorDownloading);
    EXPECT_EQ(out.lines.last(), QStringLiteral("Error downloading"));
    EXPECT_FALSE(out.lines.contains(QStringLiteral("Programming Stopped")));
    EXPECT_EQ(gone.commands.size(), 3);
    EXPECT_FALSE(gone.is_open());
}

TEST(ProgrammingRun, NormalisedTerminatorsComeBackEvenWhenStopped) {
    MemoryLink link;
    link.responder = MemoryLink::ok_to_all(QStringLiteral("01.94"), QStringLiteral("S1G"));
    ConfigRecord rec = default_profile();
    rec.terminators = {QStringLiteral("D"), QStringLiteral("D"), QStringLiteral("A")};
    Lines out;
    const RunResult r = savetoK52(link, port(QStringLiteral("p")), rec, out);
    EXPECT_EQ(r.outcome, RunOutcome::Stopped);
    EXPECT_EQ(r.terminators, (Terminators{QStringLiteral("0D"), QStringLiteral("0D"), QStringLiteral("0A")}));
    EXPECT_EQ(rec.terminators.input, QStringLiteral("D")); // the caller's record is not touched
    EXPECT_EQ(out.lines.mid(out.lines.size() - 2),
              (QStringList{"Error 001 Programming converter", "Programming Stopped"}));
}

// End to end: a real pseudo-terminal, QSerialPort and the simulator, which
// checks every command against the converter's own rules for its version.
class RunAgainstSim : public ::testing::TestWithParam<const char *> {};

TEST_P(RunAgainstSim, DefaultProfileIsAcceptedCommandForCommand) {
    const QString version = QString::fromLatin1(GetParam());
    SimProcess sim({QStringLiteral("--model"), QStringLiteral("K52R"), QStringLiteral("--firmware"), version});
    QString why;
    ASSERT_TRUE(sim.start(&why)) << why.toStdString();
    SerialLink link;
    Lines out;
    const ConfigRecord rec = default_profile();
    const RunResult r = savetoK52(link, port(sim.device()), rec, out);
    EXPECT_EQ(r.outcome, RunOutcome::Programmed) << out.lines.join(QLatin1Char('\n')).toStdString();
    EXPECT_FALSE(link.is_open());
    EXPECT_EQ(sim.received(), QStringList{QStringLiteral("V")} + plan_commands(rec, version));
    EXPECT_EQ(out.lines.last(), QStringLiteral("Converter has been programmed"));
}

INSTANTIATE_TEST_SUITE_P(Versions, RunAgainstSim,
                         ::testing::Values("01.59", "01.60", "01.69", "01.70", "01.80", "01.81", "01.93", "01.94",
                                           "01.95", "01.99"));

TEST(RunAgainstSimFaults, FormatLimitAfterSixteenAcceptedSteps) {
    SimProcess sim({QStringLiteral("--firmware"), QStringLiteral("01.70")});
    ASSERT_TRUE(sim.start());
    ConfigRecord rec = default_profile();
    rec.input1totalbits = 70;
    SerialLink link;
    Lines out;
    EXPECT_EQ(savetoK52(link, port(sim.device()), rec, out).outcome, RunOutcome::Stopped);
    EXPECT_EQ(out.lines.mid(out.lines.size() - 3),
              (QStringList{"Error 013-A Programming Converter", "Wiegand input format # 1 total bits >64",
                           "Programming Stopped"}));
    const QStringList got = sim.received();
    ASSERT_FALSE(got.isEmpty());
    EXPECT_TRUE(got.last().startsWith(QLatin1String("I1OM"))) << got.last().toStdString();
    EXPECT_FALSE(link.is_open());
}
