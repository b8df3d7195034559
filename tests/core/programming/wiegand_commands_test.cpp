#include "core/profile/profile_store.h"
#include "core/programming/run_plan.h"

#include <gtest/gtest.h>

#include <functional>

using namespace k52;

namespace {

using Group = std::function<void(PlanBuilder &)>;

QList<PlanStep> run(ConfigRecord rec, const Group &group, const char *version = "01.94") {
    PlanBuilder b(rec, QString::fromLatin1(version));
    group(b);
    return b.steps();
}

QStringList texts(const QList<PlanStep> &steps, QString PlanStep::*part = &PlanStep::text) {
    QStringList out;
    for (const PlanStep &s : steps)
        out << s.*part;
    return out;
}

QStringList error_lines(int first) {
    QStringList out;
    for (int n = first; n < first + 6; ++n)
        out << QStringLiteral("Error %1 Programming Converter").arg(n, 3, 10, QLatin1Char('0'));
    return out;
}

PlanStep refusal(const char *code, const char *explanation) {
    return {PlanStep::Refusal,
            {},
            QStringLiteral("Error %1 Programming Converter").arg(QLatin1String(code)),
            QString::fromLatin1(explanation)};
}

// Every column of both formats holds a value of its own, so that a command
// reading the wrong column shows.
ConfigRecord distinct_formats() {
    ConfigRecord r = default_profile();
    r.serwieextractsite = 1, r.serwieextractid = 1, r.serwieextractissue = 1;
    r.serwiesitestart = 11, r.serwiesitelen = 12, r.serwieidstart = 13;
    r.serwieidlen = 14, r.serwieissuestart = 15, r.serwieissuelen = 16;
    r.serwiesitebits = 21, r.serwieidbits = 22, r.serwieissuebits = 23, r.serwieconstbits = 24;
    r.serwieparity = 2, r.serwielp = 1, r.serwierp = 0;
    r.serwiesitelsb = 1, r.serwieidlsb = 0, r.serwieissuelsb = 1, r.serwieconstlsb = 0;
    r.serwielpbits = 31, r.serwierpbits = 32;
    r.serwieoversite = 0, r.serwieoverid = 1, r.serwieoverissue = 1;
    r.serwiefield1 = 4, r.serwiefield2 = 3, r.serwiefield3 = 2, r.serwiefield4 = 1;
    r.serwiesiteover = "A001", r.serwieidover = "A002", r.serwieissueover = "A003", r.serwieconstover = "A004";
    r.serwielpmask = "0123456789ABCDEF", r.serwierpmask = "FEDCBA9876543210";

    r.input1wieextractsite = 1, r.input1wieextractid = 1, r.input1wieextractissue = 1;
    r.input1wiesitechrstart = 41, r.input1wiesitechrlen = 42, r.input1wieidchrstart = 43;
    r.input1wieidchrlen = 44, r.input1wieissuechrstart = 45, r.input1wieissuechrlen = 46;
    r.input1wiesitebits = 51, r.input1wieidbits = 52, r.input1wieissuebits = 53, r.input1wieconstbits = 54;
    r.input1wieparity = 1, r.input1wielp = 0, r.input1wierp = 1;
    r.input1wiesitelsb = 0, r.input1wieidlsb = 1, r.input1wieissuelsb = 0, r.input1wieconstlsb = 1;
    r.input1wielpbits = 61, r.input1wierpbits = 62;
    r.input1wieoversite = 1, r.input1wieoverid = 0, r.input1wieoverissue = 0;
    r.input1wiefield1 = 3, r.input1wiefield2 = 1, r.input1wiefield3 = 4, r.input1wiefield4 = 2;
    r.input1wiesiteover = "B001", r.input1wieidover = "B002", r.input1wieissueover = "B003";
    r.input1wieconstover = "B004";
    r.input1wielpmask = "1111222233334444", r.input1wierpmask = "5555666677778888";
    return r;
}

} // namespace

TEST(WiegandCommands, EachColumnLandsInItsPlace) {
    const QList<PlanStep> ser = run(distinct_formats(), serial_wiegand_groups);
    EXPECT_EQ(texts(ser), (QStringList{"S1W111121314151621222324", "S1W22101010031032011", "S1W34321",
                                       "S1W4A001A003A002A004", "S1W50123456789ABCDEF", "S1W6FEDCBA9876543210"}));
    EXPECT_EQ(texts(ser, &PlanStep::error), error_lines(4));
    const QList<PlanStep> in = run(distinct_formats(), input_wiegand_groups);
    EXPECT_EQ(texts(in), (QStringList{"I1OW141424344454651525354", "I1OW21010101061062100", "I1OW33142",
                                      "I1OW4B001B003B002B004", "I1OW51111222233334444", "I1OW65555666677778888"}));
    EXPECT_EQ(texts(in, &PlanStep::error), error_lines(15));
}

TEST(WiegandCommands, FieldPartsBitCountsAndFixedValues) {
    ConfigRecord r = default_profile();
    r.serwieextractsite = 1, r.serwiesitestart = 5, r.serwiesitelen = 3;
    r.serwieextractid = 0, r.serwieextractissue = 0;
    r.serwieidstart = 7, r.serwieidlen = 9; // not taken out: not sent
    r.serwiesitebits = 8, r.serwieidbits = 16, r.serwieissuebits = 0, r.serwieconstbits = 2;
    r.serwiefield3 = 4;
    r.serwiesiteover = "0001", r.serwieidover = "0002", r.serwieissueover = "0003", r.serwieconstover = "0004";
    const QStringList t = texts(run(r, serial_wiegand_groups));
    ASSERT_EQ(t.size(), 6);
    EXPECT_EQ(t[0], "S1W105030000000008160002");
    EXPECT_EQ(t[3], "S1W40001000300020004");

    // a start above 99 is written in full and the command grows
    r.serwiesitestart = 123;
    EXPECT_EQ(texts(run(r, serial_wiegand_groups))[0], "S1W1123030000000008160002");
}

TEST(WiegandCommands, ParityBitCountsWidenFrom0181) {
    ConfigRecord r = default_profile();
    r.serwielpbits = 13, r.serwierpbits = 7;
    r.input1wielpbits = 13, r.input1wierpbits = 7;
    EXPECT_EQ(texts(run(r, serial_wiegand_groups, "01.81"))[1], "S1W21000000013007000");
    EXPECT_EQ(texts(run(r, serial_wiegand_groups, "01.80"))[1], "S1W210000001307000");
    EXPECT_EQ(texts(run(r, input_wiegand_groups, "01.96"))[1], "I1OW21000000013007000");
    EXPECT_EQ(texts(run(r, input_wiegand_groups, "01.69"))[1], "I1OW210000001307000");
}

TEST(WiegandCommands, SerialChecksRefuseInTableOrder) {
    struct Case {
        std::function<void(ConfigRecord &)> edit;
        PlanStep expected;
    };
    const auto ordering = [](ConfigRecord &r, int a, int b, int c, int d) {
        r.serwiefield1 = a, r.serwiefield2 = b, r.serwiefield3 = c, r.serwiefield4 = d;
    };
    const std::vector<Case> cases{
        {[&](ConfigRecord &r) { ordering(r, 2, 3, 4, 0); },
         refusal("024", "Serial conversion has a site bit count and site is not in the field ordering")},
        {[&](ConfigRecord &r) { ordering(r, 1, 0, 0, 0); },
         refusal("025", "Serial conversion has an id bit count and id is not in the field ordering")},
        {[&](ConfigRecord &r) { r.serwieissuebits = 4; },
         refusal("026", "Serial conversion has an issue bit count and issue is not in the field ordering")},
        {[&](ConfigRecord &r) { r.serwieconstbits = 1; },
         refusal("027", "Serial conversion has a const bit count and const is not in the field ordering")},
        // the first failing check wins: id before const, ordering before size
        {[&](ConfigRecord &r) { ordering(r, 1, 0, 0, 0), r.serwieconstbits = 1; },
         refusal("025", "Serial conversion has an id bit count and id is not in the field ordering")},
        {[&](ConfigRecord &r) { ordering(r, 2, 0, 0, 0), r.serwiesitebits = 65; },
         refusal("024", "Serial conversion has a site bit count and site is not in the field ordering")},
        {[&](ConfigRecord &r) { r.serwiesitebits = 65; },
         refusal("024-A", "Serial conversion has a site bit count > 64 bits")},
        {[&](ConfigRecord &r) { r.serwieidbits = 99; },
         refusal("024-A", "Serial conversion has an id bit count > 64 bits")},
        {[&](ConfigRecord &r) { ordering(r, 1, 2, 3, 0), r.serwieissuebits = 65; },
         refusal("024-A", "Serial conversion has an issue bit count > 64 bits")},
        {[&](ConfigRecord &r) { ordering(r, 1, 2, 4, 0), r.serwieconstbits = 65; },
         refusal("024-A", "Serial conversion has a constant bit count > 64 bits")},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        ConfigRecord r = default_profile();
        cases[i].edit(r);
        // the refusal is all there is: nothing of the set is sent
        EXPECT_EQ(run(r, serial_wiegand_groups), QList<PlanStep>{cases[i].expected}) << "case " << i;
    }

    // no bit count, no place needed; 64 bits is still allowed
    ConfigRecord r = default_profile();
    r.serwiesitebits = 0, r.serwieidbits = 64;
    ordering(r, 2, 0, 0, 0);
    EXPECT_EQ(run(r, serial_wiegand_groups).size(), 6);
}

TEST(WiegandCommands, InputChecksHaveTheirOwnNumbersAndNoSizeLimit) {
    const std::vector<std::pair<std::function<void(ConfigRecord &)>, PlanStep>> cases{
        {[](ConfigRecord &r) { r.input1wiefield1 = 0; },
         refusal("028", "Input1 conversion has a site bit count and site is not in the field ordering")},
        {[](ConfigRecord &r) { r.input1wiefield2 = 0; },
         refusal("029", "Input1 conversion has an id bit count and id is not in the field ordering")},
        {[](ConfigRecord &r) { r.input1wieissuebits = 2; },
         refusal("030", "Input1 conversion has an issue bit count and issue is not in the field ordering")},
        {[](ConfigRecord &r) { r.input1wiefield3 = 3, r.input1wieconstbits = 4; },
         refusal("031", "Input1 conversion has a const bit count and const is not in the field ordering")},
    };
    for (const auto &[edit, expected] : cases) {
        ConfigRecord r = default_profile();
        edit(r);
        EXPECT_EQ(run(r, input_wiegand_checks), QList<PlanStep>{expected});
    }

    // bit counts above 64 pass on the input side; the checks send nothing
    ConfigRecord r = default_profile();
    r.input1wiesitebits = 65, r.input1wieidbits = 120;
    r.serwiefield1 = 0; // the serial format's ordering does not count here
    EXPECT_TRUE(run(r, input_wiegand_checks).isEmpty());
    EXPECT_EQ(texts(run(r, input_wiegand_groups))[0], "I1OW1010304050000651200000");
}
