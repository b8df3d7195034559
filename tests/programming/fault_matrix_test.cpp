// Faults of a converter during the programming run, end to end against
// k52sim: a refusal at every position of the run, stalls past the reply
// deadline, and a hang-up at every position. Each ends with the lines the
// run owes, the port closed and nothing reported as programmed.
#include "link/serial_link.h"
#include "profile/profile_store.h"
#include "programming/programming_run.h"
#include "programming/run_plan.h"
#include "support/memory_link.h"
#include "support/sim_process.h"

#include <gtest/gtest.h>

using namespace k52;
using k52test::SimProcess;

namespace {

struct Lines : JobProgress {
    QStringList lines;
    void line(const QString &text) override { lines << text; }
};

PortSpec port(const QString &device) {
    return k52test::port_on(device);
}

QList<PlanStep> commands_of(const QString &version) {
    QList<PlanStep> out;
    for (const PlanStep &s : build_plan(default_profile(), version).steps)
        if (s.kind == PlanStep::Command)
            out << s;
    return out;
}

} // namespace

TEST(FaultMatrix, RefusalAtEveryPositionOfTheRun) {
    const QList<PlanStep> cmds = commands_of(QStringLiteral("01.99"));
    ASSERT_GT(cmds.size(), 30);
    for (int i = 0; i < cmds.size(); ++i) {
        SimProcess sim({QStringLiteral("--refuse"), cmds[i].text});
        ASSERT_TRUE(sim.start());
        SerialLink link;
        Lines out;
        const RunResult r = savetoK52(link, port(sim.device()), default_profile(), out);
        EXPECT_EQ(r.outcome, RunOutcome::Stopped) << cmds[i].text.toStdString();
        EXPECT_EQ(out.lines.mid(out.lines.size() - 2), (QStringList{cmds[i].error, "Programming Stopped"}));
        EXPECT_FALSE(link.is_open());
        // Nothing after the refused command was sent.
        EXPECT_EQ(sim.received().size(), i + 2) << cmds[i].text.toStdString();
    }
}

TEST(FaultMatrix, StallPastTheReplyDeadline) {
    const std::pair<const char *, const char *> cases[] = {{"V", "Unable to Identify Converter"},
                                                           {"S1G", "Error 001 Programming converter"},
                                                           {"X1", "Error 042 Programming Converter"}};
    for (const auto &[stalled, expected] : cases) {
        SimProcess sim({QStringLiteral("--stall"), QString::fromLatin1(stalled)});
        ASSERT_TRUE(sim.start());
        SerialLink link;
        Lines out;
        EXPECT_EQ(savetoK52(link, port(sim.device()), default_profile(), out).outcome, RunOutcome::Stopped);
        EXPECT_EQ(out.lines.mid(out.lines.size() - 2), (QStringList{expected, "Programming Stopped"})) << stalled;
        EXPECT_FALSE(link.is_open());
    }
}

TEST(FaultMatrix, HangUpAtEveryPosition) {
    const int total = int(commands_of(QStringLiteral("01.99")).size()) + 1; // with "V"
    for (int n = 0; n < total; ++n) {
        SimProcess sim({QStringLiteral("--hangup-after"), QString::number(n)});
        ASSERT_TRUE(sim.start());
        SerialLink link;
        Lines out;
        const RunResult r = savetoK52(link, port(sim.device()), default_profile(), out);
        EXPECT_NE(r.outcome, RunOutcome::Programmed) << n;
        EXPECT_TRUE(out.lines.last() == "Programming Stopped" || out.lines.last() == "Error downloading") << n;
        EXPECT_FALSE(link.is_open());
    }
}
