// Faults of a converter in every protocol, end to end against k52sim: one
// table of protocol, fault and the positions it strikes at (a refusal of
// each command, a hang-up before each answer, a stall, a wrong answer).
// Every ending closes the port, claims nothing and leaves the stored files
// as they were.
#include "core/link/serial_link.h"
#include "core/maintenance/cloning.h"
#include "core/maintenance/flash_download.h"
#include "core/profile/profile_store.h"
#include "core/programming/programming_run.h"
#include "core/programming/run_plan.h"
#include "support/file_bytes.h"
#include "support/memory_link.h"
#include "support/sim_process.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

using namespace k52;
using k52test::SimProcess;

namespace {

enum class Protocol { Program, CloneWrite, CloneRead, Flash };

const char *const kProtocolNames[] = {"program", "clone write", "clone read", "flash"};

struct Lines : JobProgress {
    QStringList lines;
    void line(const QString &text) override { lines << text; }
};

// How a run ended: a programming run by its last two lines, a job by its
// message and detail.
struct Ending {
    bool claimed = false;
    QString said, detail;
    bool link_open = true;
    int received = 0; // commands the simulator took
};

QByteArray image(int size) {
    QByteArray b(size, '\0');
    for (int i = 0; i < size; ++i)
        b[i] = char((i * 13 + 5) & 0xFF);
    return b;
}

struct Files {
    QTemporaryDir dir;
    QString clone = dir.filePath(QStringLiteral("K52clone.dat"));
    QString firmware = dir.filePath(QStringLiteral("fw.bin"));
    QString firmware_out = dir.filePath(QStringLiteral("received.bin"));
};

Ending run(Protocol p, SimProcess &sim, const Files &files) {
    SerialLink link;
    const PortSpec port = k52test::port_on(sim.device());
    Ending e;
    JobProgress quiet;
    Lines out;
    switch (p) {
    case Protocol::Program: {
        const RunResult r = savetoK52(link, port, default_profile(), out);
        e.claimed = r.outcome == RunOutcome::Programmed;
        e.said = out.lines.mid(out.lines.size() - 2).join(QStringLiteral(" / "));
        break;
    }
    case Protocol::CloneWrite:
    case Protocol::CloneRead: {
        const CloneResult r = p == Protocol::CloneWrite ? clone_write(link, port, files.clone, quiet)
                                                        : clone_read(link, port, files.clone, quiet);
        e.claimed = r.ok();
        e.said = r.message;
        e.detail = r.detail;
        break;
    }
    case Protocol::Flash: {
        const FlashResult r = doflashdl(link, port, files.firmware, QDate(2026, 3, 7), quiet);
        e.claimed = r.ok();
        e.said = r.message;
        e.detail = r.detail;
        break;
    }
    }
    e.link_open = link.is_open();
    e.received = int(sim.received().size());
    return e;
}

struct Fault {
    Protocol protocol;
    const char *flag;
    QStringList at;                                    // where it strikes, one run each
    std::function<void(const Ending &, int i)> expect; // besides the common checks
};

} // namespace

TEST(FaultMatrix, EveryProtocolFaultAndPositionEndsClaimingNothing) {
    ConfigRecord rec = default_profile();
    QList<PlanStep> cmds;
    for (const PlanStep &s : build_plan(rec, QStringLiteral("01.99")).steps)
        if (s.kind == PlanStep::Command)
            cmds << s;
    ASSERT_GT(cmds.size(), 30);
    QStringList refused, program_answers, clone_answers;
    for (const PlanStep &s : cmds)
        refused << s.text;
    for (int n = 0; n <= cmds.size(); ++n) // "V" and every command
        program_answers << QString::number(n);
    for (int n = 0; n <= kClonePackets; ++n) // "V" and 32 packets
        clone_answers << QString::number(n);
    auto said = [](const char *text) {
        return [text](const Ending &e, int) { EXPECT_EQ(e.said, QLatin1String(text)); };
    };

    const Fault faults[] = {
        {Protocol::Program, "--refuse", refused,
         [&](const Ending &e, int i) {
             EXPECT_EQ(e.said, cmds[i].error + QStringLiteral(" / Programming Stopped"));
             EXPECT_EQ(e.received, i + 2); // nothing after the refused command
         }},
        {Protocol::Program, "--hangup-after", program_answers,
         [](const Ending &e, int) {
             EXPECT_TRUE(e.said.endsWith(QLatin1String("Programming Stopped")) ||
                         e.said.endsWith(QLatin1String("Error downloading")))
                 << e.said.toStdString();
         }},
        {Protocol::Program, "--stall", {"V"}, said("Unable to Identify Converter / Programming Stopped")},
        {Protocol::Program, "--stall", {"S1G"}, said("Error 001 Programming converter / Programming Stopped")},
        {Protocol::Program, "--stall", {"X1"}, said("Error 042 Programming Converter / Programming Stopped")},
        {Protocol::Program, "--crlf", {}, [](const Ending &e, int) { EXPECT_TRUE(e.said.endsWith("Stopped")); }},
        {Protocol::Program, "--garbage", {}, [](const Ending &e, int) { EXPECT_TRUE(e.said.endsWith("Stopped")); }},
        {Protocol::CloneWrite, "--hangup-after", clone_answers,
         [](const Ending &e, int n) {
             EXPECT_EQ(e.said, n == 0 ? "Unable to communicate with K52" : "Error downloading to K52");
         }},
        {Protocol::CloneWrite,
         "--stall-after",
         {"6"}, // five packets acknowledged, then silence
         [](const Ending &e, int) {
             EXPECT_EQ(e.said, "Error downloading to K52");
             EXPECT_TRUE(e.detail.startsWith(QLatin1String("packet 6 of 32"))) << e.detail.toStdString();
         }},
        {Protocol::CloneRead,
         "--hangup-after",
         {"0", "1"}, // before the identification, before the image
         [](const Ending &e, int n) {
             EXPECT_EQ(e.said, n == 0 ? "Unable to communicate with K52" : "Read from K52 did not complete");
         }},
        {Protocol::CloneRead, "--clone-short", {"1"}, said("Read from K52 did not complete")},
        {Protocol::Flash,
         "--flash-bad-ack-after",
         {"3"},
         [](const Ending &e, int) {
             EXPECT_EQ(e.said, "Download Error");
             EXPECT_TRUE(e.detail.contains(QLatin1String("\"B\" instead of \"K\" after block 4")));
         }},
        {Protocol::Flash,
         "--flash-hangup-after",
         {"5"},
         [](const Ending &e, int) {
             EXPECT_EQ(e.said, "Download Error");
             EXPECT_TRUE(e.detail.contains(QLatin1String("the link to the converter failed")));
         }},
    };

    Files files;
    ASSERT_NO_FATAL_FAILURE(k52test::put_file(files.clone, image(kCloneImageSize)));
    ASSERT_NO_FATAL_FAILURE(k52test::put_file(files.firmware, image(1044)));
    for (const Fault &f : faults) {
        const QStringList at = f.at.isEmpty() ? QStringList{QString()} : f.at;
        for (int i = 0; i < at.size(); ++i) {
            SCOPED_TRACE(std::string(kProtocolNames[int(f.protocol)]) + " " + f.flag + " " + at[i].toStdString());
            QStringList args{QString::fromLatin1(f.flag)};
            if (!at[i].isEmpty())
                args << at[i];
            SimProcess sim(args + QStringList{QStringLiteral("--firmware-out"), files.firmware_out});
            ASSERT_TRUE(sim.start());
            const Ending e = run(f.protocol, sim, files);
            EXPECT_FALSE(e.claimed);
            EXPECT_FALSE(e.link_open);
            f.expect(e, i);
            EXPECT_EQ(k52test::file_bytes(files.clone), image(kCloneImageSize));
            EXPECT_FALSE(QFile::exists(files.firmware_out));
        }
    }
}
