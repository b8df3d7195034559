// The utilities' exchanges on the wire: version query, reset and restart.
#include "core/link/exchange.h"
#include "core/maintenance/device_commands.h"
#include "support/memory_link.h"

#include <gtest/gtest.h>

using namespace k52;
using k52test::MemoryLink;

namespace {

MemoryLink answering(const QByteArray &reply) {
    MemoryLink link;
    link.responder = [reply](const QString &cmd) { return cmd == QLatin1String("V") ? reply : QByteArray(); };
    QString error;
    link.open(QStringLiteral("/dev/x"), SerialSettings{}, &error);
    return link;
}

} // namespace

TEST(UtilityCommands, VersionQueryEndsAtCr) {
    MemoryLink link = answering("ZOR K52 V01.96\rXY");
    const Reply r = query_version(link, kUtilityVersionTimeout);
    EXPECT_EQ(r.text, QStringLiteral("ZOR K52 V01.96"));
    EXPECT_EQ(r.status, ReplyStatus::Complete);
    EXPECT_EQ(link.written, QByteArray("\x00V\x7f", 3));
    EXPECT_EQ(link.incoming, QByteArray("XY")); // what follows the CR is left unread
}

TEST(UtilityCommands, VersionQueryReturnsWhatCameInTime) {
    MemoryLink link = answering("ZOR K52 V01");
    const auto before = LinkClock::now();
    const Reply r = query_version(link, kUtilityVersionTimeout);
    EXPECT_EQ(r.text, QStringLiteral("ZOR K52 V01"));
    EXPECT_EQ(r.status, ReplyStatus::TimedOut);
    // One limit of 1000 ms for the whole reply.
    ASSERT_EQ(link.deadlines.size(), 1u);
    const auto limit = std::chrono::duration_cast<std::chrono::milliseconds>(link.deadlines[0] - before);
    EXPECT_GE(limit.count(), 1000);
    EXPECT_LT(limit.count(), 1100);

    MemoryLink silent = answering({});
    EXPECT_EQ(query_version(silent, kUtilityVersionTimeout).text, QString());

    // Bytes above 0x7F arrive unchanged.
    MemoryLink high = answering("ZOR\xA7\xFF\r");
    EXPECT_EQ(query_version(high, kUtilityVersionTimeout).text, QString::fromLatin1("ZOR\xA7\xFF"));
}

TEST(UtilityCommands, ResetAndRestartAwaitNothing) {
    MemoryLink link = answering({});
    EXPECT_TRUE(send_reset(link));
    EXPECT_TRUE(send_restart(link));
    EXPECT_EQ(link.written, QByteArray("\x00U\x7f\x00Y\x7f", 6));
    EXPECT_TRUE(link.deadlines.empty());
    link.close();
    EXPECT_FALSE(send_reset(link));
}

// The jobs of the utilities screen and the command line: what they report
// when the converter is silent or the port cannot be used.
TEST(UtilityJobs, VersionResetAndRestartSayWhatWentWrong) {
    const PortSpec port = k52test::port_on(QStringLiteral("/dev/x"));
    MemoryLink answers;
    answers.responder = [](const QString &) { return QByteArray("ZOR K52 V01.96\r"); };
    VersionResult v = version_job(answers, port);
    EXPECT_TRUE(v.complete);
    EXPECT_EQ(v.reply, QStringLiteral("ZOR K52 V01.96"));
    EXPECT_FALSE(answers.is_open());

    MemoryLink silent;
    v = version_job(silent, port);
    EXPECT_FALSE(v.complete);
    EXPECT_EQ(v.message, QStringLiteral("The converter did not answer"));

    MemoryLink missing;
    missing.fail_open_error = QStringLiteral("Serial port /dev/x does not exist");
    v = version_job(missing, port);
    EXPECT_EQ(v.message, missing.fail_open_error);
    const CommandResult reset = reset_job(missing, port);
    EXPECT_FALSE(reset.sent);
    EXPECT_TRUE(reset.message.contains(missing.fail_open_error)) << reset.message.toStdString();

    MemoryLink fine;
    const CommandResult restart = restart_job(fine, port);
    EXPECT_TRUE(restart.sent);
    EXPECT_EQ(restart.message, QStringLiteral("Restart sent"));
    EXPECT_EQ(fine.written, QByteArray("\x00Y\x7f", 3));
    EXPECT_FALSE(fine.is_open());
}
