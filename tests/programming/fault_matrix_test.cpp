// Faults of a converter during the programming run, end to end against
// k52sim: a refusal at every position of the run, stalls past the reply
// deadline, and a hang-up at every position. Each ends with the lines the
// run owes, the port closed and nothing reported as programmed.
#include "link/serial_link.h"
#include "profile/profile_store.h"
#include "programming/programming_run.h"
#include "programming/run_plan.h"
#include "support/sim_process.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

using namespace k52;
using k52test::SimProcess;

namespace {

struct Lines : RunProgress {
    QStringList lines;
    void line(const QString &text) override { lines << text; }
};

LinkSettings settings() {
    LinkSettings s;
    s.baudrate = 9600;
    return s;
}

QList<PlanStep> commands_of(const QString &version) {
    ConfigRecord rec = default_profile();
    QList<PlanStep> out;
    for (const PlanStep &s : build_plan(rec, version))
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
        const RunResult r = savetoK52(link, sim.device(), settings(), default_profile(), out);
        EXPECT_EQ(r.outcome, RunOutcome::Stopped) << cmds[i].text.toStdString();
        ASSERT_GE(out.lines.size(), 2);
        EXPECT_EQ(out.lines.mid(out.lines.size() - 2),
                  (QStringList{cmds[i].error, QStringLiteral("Programming Stopped")}))
            << cmds[i].text.toStdString();
        EXPECT_FALSE(link.is_open());
        // Nothing after the refused command was sent.
        const QStringList got = sim.received();
        EXPECT_EQ(got.size(), i + 2) << cmds[i].text.toStdString();
        EXPECT_EQ(got.last(), cmds[i].text);
    }
}

TEST(FaultMatrix, StallPastTheReplyDeadline) {
    for (const char *stalled : {"V", "S1G", "X1"}) {
        SimProcess sim({QStringLiteral("--stall"), QString::fromLatin1(stalled)});
        ASSERT_TRUE(sim.start());
        SerialLink link;
        Lines out;
        QElapsedTimer t;
        t.start();
        const RunResult r = savetoK52(link, sim.device(), settings(), default_profile(), out);
        EXPECT_EQ(r.outcome, RunOutcome::Stopped) << stalled;
        EXPECT_EQ(out.lines.last(), QStringLiteral("Programming Stopped"));
        const QString expected =
            QLatin1String(stalled) == QLatin1String("V")     ? QStringLiteral("Unable to Identify Converter")
            : QLatin1String(stalled) == QLatin1String("S1G") ? QStringLiteral("Error 001 Programming converter")
                                                             : QStringLiteral("Error 042 Programming Converter");
        EXPECT_EQ(out.lines[out.lines.size() - 2], expected);
        // One reply deadline, not more.
        EXPECT_LT(t.elapsed(), 2000 + 1500) << stalled;
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
        const RunResult r = savetoK52(link, sim.device(), settings(), default_profile(), out);
        EXPECT_NE(r.outcome, RunOutcome::Programmed) << n;
        const QString last = out.lines.last();
        EXPECT_TRUE(last == QLatin1String("Programming Stopped") || last == QLatin1String("Error downloading"))
            << n << ": " << last.toStdString();
        EXPECT_FALSE(out.lines.contains(QStringLiteral("Converter has been programmed")));
        EXPECT_FALSE(link.is_open());
    }
}
