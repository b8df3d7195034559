// What each command prints when it works against k52sim, and its failure
// lines: one table, run in order on one database (a later row may use what
// an earlier one kept). Exit codes of every refusal are in exit_status_test.
#include "support/cli_run.h"
#include "support/file_bytes.h"
#include "support/sim_process.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using k52test::CliRun;
using k52test::SimProcess;

namespace {

struct Verb {
    const char *sim; // the simulator's arguments; nullptr: none, "=": the previous row's
    QStringList args;
    int code;
    QStringList out; // each held by standard output
    const char *err = "";
};

QString firmware_steps() {
    QString s = QStringLiteral("Preparing to Download Flash\n");
    for (int pct = 10; pct < 100; pct += 10) // 500 bytes: 50 a block
        s += QStringLiteral("Downloading - %1 % complete\n").arg(pct);
    return s + QStringLiteral("Download complete\n");
}

TEST(CliVerbs, EachCommandPrintsItsEnding) {
    QTemporaryDir dir;
    const QByteArray firmware = QByteArray(544, '\x5a');
    k52test::put_file(dir.filePath(QStringLiteral("fw.bin")), firmware);
    const QStringList at = {"--port", "@dev", "--baud", "9600"};
    const Verb verbs[] = {
        {"--firmware 01.95",
         QStringList{"program"} + at,
         0,
         {"Starting communications\n \n...Programming K52 V01.95\n", "Converter has been programmed\n"}},
        {nullptr,
         {"program", "--port", "@dir/nope"},
         1,
         {"Starting communications\n \nError downloading\n"},
         "No baud rate is set"},
        {nullptr, {"plan", "01.69"}, 0, {"...Programming Serial Pamameters\n> S1G"}},
        {"--firmware-out @dir/received.bin",
         {"flash", "@dir/fw.bin", "--port", "@dev", "--baud", "19200", "--parity", "2"},
         0,
         {firmware_steps()}},
        {"--flash-bad-ack-after 0",
         QStringList{"flash", "@dir/fw.bin"} + at,
         1,
         {"Preparing to Download Flash\nDownload Error\n"},
         "after block 1"},
        {"--firmware 01.96", QStringList{"clone", "read", "@dir/copy.dat"} + at, 0, {"Read from K52 complete\n"}},
        {"--clone-out @dir/out.dat",
         QStringList{"clone", "write", "@dir/copy.dat"} + at,
         0,
         {"Clone to K52 complete\n"}},
        {"--firmware 01.95",
         QStringList{"clone", "write", "@dir/copy.dat"} + at,
         1,
         {"Cannot clone. The K52 used for cloning must be version 1.96 or higher\n"}},
        {"", QStringList{"reset"} + at, 0, {}},
        {"=", QStringList{"restart"} + at, 0, {}},
        {"--silent", {"find", "--port", "@dev"}, 1, {"@dev: no converter\n"}},
        {"--baud 19200",
         {"find", "--port", "@dev", "--port", "@prev", "--save"},
         0,
         {"@dev: K52 firmware 01.99 at 19200 baud, 7 Even\n", "@prev: no converter\n"}},
        // The kept settings reach the converter without naming the port.
        {"=", {"version"}, 0, {"K52 V01.99\n"}},
        {nullptr,
         {"doctor", "--port", "/dev/k52-none"},
         1,
         {"FAIL  Serial port /dev/k52-none does not exist", "ok    The link settings are 19200,E,7,1."}},
        {nullptr,
         {"wiegand", "encode", "--format", "serial", "--site", "1", "--id", "1"},
         0,
         {"Format: serial, 26 bits, standard parity\n"
          "Bits:   1 00000001 0000000000000001 0\n"
          "        E ssssssss bbbbbbbbbbbbbbbb O\n"
          "Hex:    2020002/26\n"}},
        {nullptr,
         {"wiegand", "decode", "--format", "input1", "2020002/26"},
         0,
         {"Site:  1\nID:    1\nIssue: - (not in the format)\nParity: good\n"}},
        {nullptr,
         {"wiegand", "decode", "--format", "serial", "0", "00000001", "0000000000000001", "0"},
         1,
         {"FAILS: left even parity fails (bit 1 over the first 12 data bits)\n"}},
        {nullptr, {"wiegand", "encode", "--format", "serial", "--site", "256", "--id", "1"}, 1, {}, "256"},
        {nullptr, {"wiegand", "encode", "--format", "wiegand", "--site", "1", "--id", "1"}, 1, {}, "wiegand"},
        {nullptr, {"wiegand", "decode", "--format", "serial", "--profile", "Nobody", "01"}, 1, {}, "Nobody"},
    };

    std::vector<std::unique_ptr<SimProcess>> sims;
    QString dev, prev;
    for (const Verb &v : verbs) {
        const std::string what = v.args.join(QLatin1Char(' ')).toStdString();
        auto fill = [&](QString s) {
            return s.replace(QLatin1String("@dir"), dir.path())
                .replace(QLatin1String("@dev"), dev)
                .replace(QLatin1String("@prev"), prev);
        };
        if (v.sim && QByteArray(v.sim) != "=") {
            QStringList args;
            for (const QString &a : QString::fromLatin1(v.sim).split(QLatin1Char(' '), Qt::SkipEmptyParts))
                args << fill(a);
            sims.push_back(std::make_unique<SimProcess>(args));
            ASSERT_TRUE(sims.back()->start()) << what;
            prev = dev;
            dev = sims.back()->device();
        }
        QStringList args;
        for (const QString &a : v.args)
            args << fill(a);
        const CliRun r = k52test::k52util(dir.filePath(QStringLiteral("k.db")), args);
        EXPECT_EQ(r.code, v.code) << what << ": " << r.err.toStdString();
        for (const QString &o : v.out)
            EXPECT_TRUE(r.out.contains(fill(o))) << what << ":\n" << r.out.toStdString();
        EXPECT_TRUE(r.err.contains(QLatin1String(v.err))) << what << ": " << r.err.toStdString();
    }
    EXPECT_EQ(k52test::file_bytes(dir.filePath(QStringLiteral("received.bin"))), firmware);
    EXPECT_EQ(k52test::file_bytes(dir.filePath(QStringLiteral("copy.dat"))).size(), 1024);
    EXPECT_EQ(k52test::file_bytes(dir.filePath(QStringLiteral("out.dat"))),
              k52test::file_bytes(dir.filePath(QStringLiteral("copy.dat"))));
    EXPECT_EQ(sims[6]->received(), (QStringList{"U", "Y"})); // reset, then restart
}

} // namespace
