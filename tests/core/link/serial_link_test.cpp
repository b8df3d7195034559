// The serial link and the exchange through a real pseudo-terminal against
// the simulator.
#include "core/link/device_job.h"
#include "core/link/exchange.h"
#include "core/link/serial_link.h"
#include "support/sim_process.h"

#include <QTest>

#include <gtest/gtest.h>

#include <thread>

using k52test::SimProcess;

namespace {

const k52::SerialSettings kSettings; // 9600,E,7,1

// Starts `sim` and opens `link` on it.
void connect(SimProcess &sim, k52::SerialLink &link) {
    QString why;
    ASSERT_TRUE(sim.start(&why)) << why.toStdString();
    ASSERT_TRUE(link.open(sim.device(), kSettings, &why)) << why.toStdString();
}

} // namespace

TEST(SerialLinkSim, IdentifiesAndSendsCommands) {
    SimProcess sim({"--model", "K54R", "--firmware", "01.95"});
    k52::SerialLink link;
    ASSERT_NO_FATAL_FAILURE(connect(sim, link));
    QString version, ident;
    ASSERT_TRUE(k52::get_version(link, version, ident));
    EXPECT_EQ(version, QStringLiteral("01.95"));
    EXPECT_EQ(ident, QStringLiteral("K54R V01.95"));
    EXPECT_TRUE(k52::send_command(link, QStringLiteral("S1K002A030A000000000000")));
    EXPECT_FALSE(k52::send_command(link, QStringLiteral("S1K002A"))); // wrong length
    EXPECT_FALSE(k52::send_command(link, QStringLiteral("NOSUCH")));  // unknown mnemonic
    link.close();
    EXPECT_FALSE(link.is_open());
    // The port can be opened again after closing.
    ASSERT_TRUE(link.open(sim.device(), kSettings, nullptr));
    EXPECT_TRUE(k52::send_command(link, QStringLiteral("A1")));
    link.close();
    EXPECT_EQ(sim.received(), (QStringList{"V", "S1K002A030A000000000000", "S1K002A", "NOSUCH", "A1"}));
}

TEST(SerialLinkSim, SilentConverterTimesOutAndInterruptEndsTheWait) {
    SimProcess sim({"--silent"});
    k52::SerialLink link;
    ASSERT_NO_FATAL_FAILURE(connect(sim, link));
    EXPECT_EQ(k52::exchange(link, QStringLiteral("V")).status, k52::ReplyStatus::TimedOut);
    EXPECT_TRUE(link.is_open());
    // A deadline far away: only the interrupt can end this read.
    std::thread t([&] { link.interrupt(); });
    const auto r = link.read_byte(k52::LinkClock::now() + std::chrono::hours(1));
    t.join();
    EXPECT_FALSE(r.has_value());
    EXPECT_FALSE(link.is_open());
    EXPECT_FALSE(link.write("x"));
    // Opening again clears the interrupt.
    ASSERT_TRUE(link.open(sim.device(), kSettings, nullptr));
    EXPECT_TRUE(link.is_open());
}

TEST(SerialLinkSim, HangUpIsALinkFailure) {
    SimProcess sim({"--hangup-after", "1"});
    k52::SerialLink link;
    ASSERT_NO_FATAL_FAILURE(connect(sim, link));
    EXPECT_TRUE(k52::send_command(link, QStringLiteral("A1")));
    // The line drops as the next command arrives; the wait ends with it.
    const k52::Reply r = k52::exchange(link, QStringLiteral("A1"), std::chrono::hours(1));
    EXPECT_EQ(r.status, k52::ReplyStatus::LinkFailed);
    EXPECT_FALSE(link.is_open());
    EXPECT_FALSE(link.write("x"));
    EXPECT_TRUE(sim.wait_finished());
}

TEST(SerialLinkSim, OpenFailuresSayWhy) {
    k52::SerialLink link;
    QString why;
    EXPECT_FALSE(link.open(QStringLiteral("/dev/k52-no-such-port"), kSettings, &why));
    EXPECT_TRUE(why.startsWith(QStringLiteral("Serial port /dev/k52-no-such-port does not exist: the adapter is "
                                              "unplugged or this is the wrong port.")))
        << why.toStdString();
    EXPECT_FALSE(link.is_open());
    EXPECT_FALSE(link.read_byte(k52::LinkClock::now() + std::chrono::hours(1)).has_value());
}

// What an earlier job left coming on the line is dropped by the next job's
// opening, so its first exchange reads its own reply: the late "OK" of an
// exchange that was given up, or the image a program killed during its backup
// read had asked for, dropped until the line is quiet.
TEST(SerialLinkSim, OpeningForAJobDropsWhatAnEarlierOneLeftOnTheLine) {
    const struct {
        QStringList sim;
        QByteArray left;
        const char *ident;
    } cases[] = {
        {{"--model", "K54"}, k52::frame_command(QStringLiteral("A1")), "ZOR K54 V01.99"},
        {{"--firmware", "01.96"}, QByteArray("\x00\x03\x7f", 3), "ZOR K52 V01.96"},
    };
    for (const auto &c : cases) {
        SimProcess sim(c.sim);
        k52::SerialLink link;
        ASSERT_NO_FATAL_FAILURE(connect(sim, link));
        ASSERT_TRUE(link.write(c.left)); // never read
        ASSERT_TRUE(QTest::qWaitFor([&] { return sim.received().size() == 1; }, 5000));
        link.close();
        QTest::qWait(100);
        k52::PortSpec port;
        port.device = sim.device();
        QString why;
        ASSERT_TRUE(k52::open_port(link, port, &why)) << why.toStdString();
        EXPECT_EQ(k52::exchange(link, QStringLiteral("V")).text, QLatin1String(c.ident));
    }
}
