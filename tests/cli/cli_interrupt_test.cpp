// Ctrl-C during the command line's long jobs against a paced converter: the
// job ends by itself, closes the port, says it was stopped and exits 130.
#include "core/link/device_job.h"
#include "core/link/serial_link.h"
#include "support/file_bytes.h"
#include "support/sim_process.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>

using k52test::SimProcess;

namespace {

struct Case {
    const char *name;
    QStringList args;    // after the subcommand's own (port added)
    const char *started; // output that shows the job is under way
    const char *warning; // on standard error, or empty
};

TEST(CliInterrupt, CtrlCStopsLongJobsCleanly) {
    QTemporaryDir dir;
    const QString firmware = dir.filePath(QStringLiteral("fw.bin"));
    ASSERT_NO_FATAL_FAILURE(k52test::put_file(firmware, QByteArray(20044, '\x5a')));
    const QString clone = dir.filePath(QStringLiteral("K52clone.dat"));
    ASSERT_NO_FATAL_FAILURE(k52test::put_file(clone, QByteArray(1024, '\x11')));
    const Case cases[] = {
        {"flash", {"flash", firmware}, "Downloading - ", "no working firmware"},
        {"program", {"program"}, "...Programming", ""},
        {"clone write", {"clone", "write", clone}, nullptr, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString received = dir.filePath(QStringLiteral("received.bin"));
        SimProcess sim({"--pace", "1200", "--firmware", "01.96", "--firmware-out", received});
        ASSERT_TRUE(sim.start());
        QProcess util;
        util.start(QStringLiteral(K52_UTIL_PATH), QStringList{"--db", dir.filePath(QStringLiteral("k52.db"))} + c.args +
                                                      QStringList{"--port", sim.device(), "--baud", "9600"});
        ASSERT_TRUE(util.waitForStarted(5000));
        // The clone write prints nothing until its end: its packets reaching
        // the converter show it is under way.
        QString out;
        const QDeadlineTimer deadline(20000);
        auto under_way = [&] {
            out += QString::fromLocal8Bit(util.readAllStandardOutput());
            return c.started ? out.contains(QLatin1String(c.started)) : sim.received().size() >= 3;
        };
        while (!under_way() && !deadline.hasExpired() && util.state() == QProcess::Running)
            util.waitForReadyRead(100);
        ASSERT_TRUE(under_way()) << out.toStdString() << util.readAllStandardError().toStdString();
        ::kill(static_cast<pid_t>(util.processId()), SIGINT);
        ASSERT_TRUE(util.waitForFinished(10000)) << "the job did not end after Ctrl-C";
        EXPECT_EQ(util.exitStatus(), QProcess::NormalExit) << "ended by its own hand, not by the signal";
        EXPECT_EQ(util.exitCode(), 130);
        out += QString::fromLocal8Bit(util.readAllStandardOutput());
        const QString err = QString::fromLocal8Bit(util.readAllStandardError());
        EXPECT_TRUE(out.trimmed().endsWith(QLatin1String("Stopped by the user"))) << out.toStdString();
        EXPECT_TRUE(err.contains(QLatin1String(c.warning))) << err.toStdString();
        // The port is free again.
        k52::SerialLink probe;
        QString why;
        EXPECT_TRUE(probe.open(sim.device(), k52::SerialSettings{}, &why)) << why.toStdString();
        EXPECT_FALSE(QFile::exists(received));
    }
}

} // namespace
