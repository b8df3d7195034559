#include "core/profile/profile_store.h"
#include "core/programming/run_plan.h"

#include <gtest/gtest.h>

using namespace k52;

namespace {

QStringList commands(const QList<PlanStep> &steps) {
    QStringList out;
    for (const PlanStep &s : steps)
        if (s.kind == PlanStep::Command)
            out << s.text;
    return out;
}

struct SerialGroup : ::testing::Test {
    ConfigRecord rec = default_profile();
    void SetUp() override {
        rec.baudrate = 9600, rec.parity = QStringLiteral("E"), rec.terminators = {"0D", "0D", "0A"};
        rec.serinconvtype = 2, rec.serinmask = 0, rec.seringoodbeep = 1;
    }
    Terminators sent; // what the run stores back
    QList<PlanStep> run(const char *version) {
        PlanBuilder b(rec, QString::fromLatin1(version));
        serial_port_groups(b);
        sent = b.terminators;
        return b.steps();
    }
};

} // namespace

TEST(VersionGates, ComparedAsPlainText) {
    ConfigRecord rec;
    EXPECT_TRUE(PlanBuilder(rec, QStringLiteral("01.70")).at_least("01.70"));
    EXPECT_FALSE(PlanBuilder(rec, QStringLiteral("01.69")).at_least("01.70"));
    EXPECT_TRUE(PlanBuilder(rec, QStringLiteral("02.00")).at_least("01.95"));
    EXPECT_TRUE(PlanBuilder(rec, QStringLiteral("01.94")).is("01.94"));
    EXPECT_FALSE(PlanBuilder(rec, QStringLiteral("01.95")).is("01.94"));
}

TEST_F(SerialGroup, SerialPortCommandFieldByField) {
    const QStringList c = commands(run("01.99"));
    ASSERT_FALSE(c.isEmpty());
    EXPECT_EQ(c[0], QStringLiteral("S1G4E0D0D0A201"));
    rec.baudrate = 115200, rec.parity = QStringLiteral("N");
    rec.serinconvtype = 6, rec.serinmask = 1, rec.seringoodbeep = 0;
    EXPECT_EQ(commands(run("01.99"))[0], QStringLiteral("S1G8N0D0D0A610"));
    rec.baudrate = 300; // not a converter rate: no digit
    EXPECT_EQ(commands(run("01.99"))[0], QStringLiteral("S1GN0D0D0A610"));
}

TEST_F(SerialGroup, TerminatorsArePaddedAndKept) {
    rec.terminators = {QStringLiteral("D"), QStringLiteral("A"), QStringLiteral("0")};
    const QStringList c = commands(run("01.99"));
    EXPECT_EQ(c[0], QStringLiteral("S1G4E0D0A00201")); // output terminator 2 may be 00
    EXPECT_EQ(sent, (Terminators{QStringLiteral("0D"), QStringLiteral("0A"), QStringLiteral("00")}));
    EXPECT_EQ(rec.terminators.input, QStringLiteral("D")); // the record is only read
}

TEST_F(SerialGroup, TerminatorChecksStopBeforeAnyCommand) {
    struct Case {
        Terminators t;
        const char *line;
    };
    const Case cases[] = {
        {{"", "0D", "0A"}, "Input Terminator on the Serial I/O screen is blank"},
        {{"0", "0D", "0A"}, "Input Terminator on the Serial I/O screen cannot be 0"},
        {{"00", "0D", "0A"}, "Input Terminator on the Serial I/O screen cannot be 0"},
        {{"0D", "", "0A"}, "Output Terminator 1 on the Serial I/O screen is blank"},
        {{"0D", "0", "0A"}, "Output Terminator 1 on the Serial I/O screen cannot be 0"},
        {{"0D", "0D", ""}, "Output Terminator 2 on the Serial I/O screen is blank"},
    };
    for (const Case &c : cases) {
        rec.terminators = c.t;
        const QList<PlanStep> steps = run("01.99");
        ASSERT_EQ(steps.size(), 1) << c.line;
        EXPECT_EQ(steps[0].kind, PlanStep::Refusal);
        EXPECT_TRUE(steps[0].error.isEmpty()); // a single explanation line
        EXPECT_EQ(steps[0].explanation, QString::fromLatin1(c.line));
    }
    // The input terminator was padded before output terminator 1 stopped the run.
    rec.terminators = {QStringLiteral("D"), QString(), QStringLiteral("0A")};
    run("01.99");
    EXPECT_EQ(sent.input, QStringLiteral("0D"));
}

TEST_F(SerialGroup, MagstripeOptionsAndF2FGate) {
    rec.sermagparms = {0, 1, 0, 1, 1};
    EXPECT_EQ(commands(run("01.60"))[1], QStringLiteral("S1M2011"));
    EXPECT_EQ(commands(run("01.59"))[1], QStringLiteral("S1M201"));
    rec.sermagparms = {1, 0, 1, 0, 0};
    EXPECT_EQ(commands(run("01.99"))[1], QStringLiteral("S1M1100"));
    // Both tracks (only possible from an edited file): one track digit, so the
    // option digits keep their places.
    rec.sermagparms = {1, 1, 1, 1, 1};
    EXPECT_EQ(commands(run("01.99"))[1], QStringLiteral("S1M2111"));
}

TEST_F(SerialGroup, MaskSetsAndInputLengths) {
    rec.sermask1 = rec.sermask2 = rec.sermask3 = MaskSet{};
    rec.sermask1.entries[0] = {1, 0, 0, QStringLiteral("2A")};
    rec.sermask1.entries[1] = {0, 3, 10, QStringLiteral("00")};
    rec.sermask2.entries[4] = {0, 99, 99, QStringLiteral("00")};
    rec.sermask2.inputlen = 7;
    rec.sermask3.entries[2] = {1, 5, 5, QStringLiteral("F")}; // one digit keeps its two places
    rec.sermask3.inputlen = 12;
    const QStringList c = commands(run("01.70"));
    ASSERT_EQ(c.size(), 7);
    EXPECT_EQ(c[2], QStringLiteral("S1K002A030A000000000000"));
    EXPECT_EQ(c[3], QStringLiteral("S2K00000000000000006363"));
    EXPECT_EQ(c[4], QStringLiteral("S3K00000000000F00000000"));
    EXPECT_EQ(c[5], QStringLiteral("S1Q207"));
    EXPECT_EQ(c[6], QStringLiteral("S1Q312"));
}

TEST_F(SerialGroup, ErrorLinesAndOldFirmware) {
    const QList<PlanStep> steps = run("01.70");
    QStringList errors;
    for (const PlanStep &s : steps)
        errors << s.error;
    EXPECT_EQ(errors, (QStringList{"Error 001 Programming converter", "Error 002 Programming Converter",
                                   "Error 003 Programming Converter", "Error 033 Programming Converter",
                                   "Error 034 Programming Converter", "Error 035 Programming Converter",
                                   "Error 036 Programming Converter"}));
    const QStringList old = commands(run("01.69"));
    ASSERT_EQ(old.size(), 3);
    EXPECT_TRUE(old[2].startsWith(QLatin1String("S1K")));
}
