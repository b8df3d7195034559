// `k52util wiegand encode|decode` on the seeded Default profile.
#include "support/cli_run.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(WiegandCli, EncodeDecodeAndTheParityVerdict) {
    QTemporaryDir dir;
    const QString db = dir.filePath(QStringLiteral("k.db"));
    struct Case {
        QStringList args;
        int code;
        QString out; // what the output holds
    } cases[] = {
        {{"encode", "--format", "serial", "--site", "1", "--id", "1"},
         0,
         "Format: serial, 26 bits, standard parity\n"
         "Bits:   1 00000001 0000000000000001 0\n"
         "        E ssssssss bbbbbbbbbbbbbbbb O\n"
         "Hex:    2020002/26\n"},
        {{"decode", "--format", "input1", "2020002/26"},
         0,
         "Site:  1\nID:    1\nIssue: - (not in the format)\nParity: good\n"},
        {{"decode", "--format", "serial", "0", "00000001", "0000000000000001", "0"},
         1,
         "FAILS: left even parity fails (bit 1 over the first 12 data bits)\n"},
        {{"encode", "--format", "serial", "--site", "256", "--id", "1"}, 1, ""},
        {{"encode", "--format", "wiegand", "--site", "1", "--id", "1"}, 1, ""},
        {{"decode", "--format", "serial", "--profile", "Nobody", "01"}, 1, ""},
    };
    for (const Case &c : cases) {
        const k52test::CliRun r = k52test::k52util(db, QStringList{"wiegand"} + c.args);
        EXPECT_EQ(r.code, c.code) << c.args.join(' ').toStdString() << "\n" << r.err.toStdString();
        EXPECT_TRUE(r.out.contains(c.out)) << r.out.toStdString();
        if (c.code != 0 && c.out.isEmpty()) {
            EXPECT_FALSE(r.err.isEmpty());
        }
    }
}
