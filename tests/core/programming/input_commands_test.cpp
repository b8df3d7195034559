#include "plan_lines.h"

#include <gtest/gtest.h>

#include <functional>

namespace k52 {
namespace {

using test::commands;
using test::plan_lines;
using Lines = std::vector<std::string>;

QList<PlanStep> input_plan(ConfigRecord rec, const char *version) {
    PlanBuilder b(rec, QLatin1String(version));
    input_groups(b);
    return b.steps();
}

// Default 26-bit format 1, no format 2 or 3.
const char *kW1B3 = "I1IW026002080010160000000030500";
const char *kW1B2 = "I1IW26020801016000000030500";

TEST(InputCommands, EveryCommandByteForByte) {
    ConfigRecord r = default_profile();
    r.input1type = 2, r.input1convtype = 7, r.input1mask = 1, r.input1beep = 0, r.input1parchk = 1;
    r.input1magtk = 1, r.input1cstart = 1, r.input1alpdel = 1, r.input1maglen = 7;
    r.input1septrans = QStringLiteral("3D");
    // mask 1: a constant, a run (hex of start and length), the largest run
    r.input1const1 = 1, r.input1constval1 = QStringLiteral("7F");
    r.input1start2 = 10, r.input1len2 = 26, r.input1start5 = 99, r.input1len5 = 1;
    // mask 2: a one-digit constant keeps its place; a constant's start and length are not sent
    r.input1const23 = 1, r.input1constval23 = QStringLiteral("5");
    r.input1start21 = 3, r.input1const21 = 1, r.input1constval21 = QStringLiteral("A0");
    r.input1start31 = 1, r.input1len31 = 15, r.input1const35 = 1, r.input1constval35 = QStringLiteral("FF");
    r.input1magouttk = 1, r.input1magdataup = 1, r.input1magoutf2f = 1;
    // format 2: 37 bits with issue; format 3: 128 bits, LSB first fields
    r.input1totalbits2 = 37, r.input1wiesitestart2 = 2, r.input1wiesitelen2 = 12, r.input1wieidstart2 = 14;
    r.input1wieidlen2 = 19, r.input1wieissuestart2 = 33, r.input1wieissuelen2 = 4, r.input1wieinissuelsb2 = 1;
    r.input1sitechars2 = 4, r.input1idchars2 = 6, r.input1issuechars2 = 2;
    r.input1totalbits3 = 128, r.input1wiesitestart3 = 100, r.input1wiesitelen3 = 28, r.input1wieinsitelsb3 = 1;
    r.input1wieidstart3 = 1, r.input1wieidlen3 = 64, r.input1wieinidlsb3 = 1, r.input1idchars3 = 20;

    EXPECT_EQ(commands(input_plan(r, "01.94")), (Lines{
                                                    "I1IG271001",
                                                    "I1IM110001073D",
                                                    "I1IK007F0A1A000000006301",
                                                    "I1IY00A00000000500000000",
                                                    "I1IZ010F00000000000000FF",
                                                    "I1OM1101",
                                                    kW1B3,
                                                    "I1IX037002120014190033041040602",
                                                    "I1IV128100281001641000000002000",
                                                }));
}

TEST(InputCommands, ErrorLines) {
    const QList<PlanStep> steps = input_plan(default_profile(), "01.95");
    ASSERT_EQ(steps.size(), 9);
    const Lines expected{"010", "011", "012", "038", "038-A", "013", "014", "037", "037-A"};
    for (qsizetype i = 0; i < steps.size(); ++i) {
        EXPECT_EQ(steps[i].kind, PlanStep::Command);
        EXPECT_EQ(steps[i].error.toStdString(), "Error " + expected[std::size_t(i)] + " Programming Converter");
    }
}

TEST(InputCommands, VersionGates) {
    const ConfigRecord r = default_profile();
    // the seeded Default: Wiegand in, Wiegand out; before 01.60 "I1OM" has no
    // F2F digit; formats are two digits wide up to 01.80
    const std::string no_mask(20, '0');
    EXPECT_EQ(commands(input_plan(r, "01.59")),
              (Lines{"I1IG150011", "I1IM2000000000", "I1IK" + no_mask, "I1IY" + no_mask, "I1OM200", kW1B2,
                     "I1IX" + std::string(23, '0')}));
    for (const char *v : {"01.60", "01.69", "01.80"}) {
        const Lines c = commands(input_plan(r, v));
        ASSERT_EQ(c.size(), 7u) << v;
        EXPECT_EQ(c[4], "I1OM2000") << v;
        EXPECT_EQ(c[5], kW1B2) << v;
    }
    for (const char *v : {"01.81", "01.93"}) {
        const Lines c = commands(input_plan(r, v));
        ASSERT_EQ(c.size(), 7u) << v; // no "I1IZ", no "I1IV"
        EXPECT_EQ(c[5], kW1B3) << v;
        EXPECT_EQ(c[6], "I1IX" + std::string(27, '0')) << v;
    }
    for (const char *v : {"01.94", "01.95"}) {
        const Lines c = commands(input_plan(r, v));
        ASSERT_EQ(c.size(), 9u) << v;
        EXPECT_EQ(c[4], "I1IZ" + no_mask) << v;
        EXPECT_EQ(c[8], "I1IV" + std::string(27, '0')) << v;
    }
}

TEST(InputCommands, MagstripeFlagsOtherThanZeroOrOneWriteNothing) {
    ConfigRecord r = default_profile();
    r.input1magdataup = 2;
    r.input1magoutf2f = 1;
    EXPECT_EQ(commands(input_plan(r, "01.94"))[5], "I1OM201");
    r.input1septrans = QString(); // an empty separator still goes as two digits
    EXPECT_EQ(commands(input_plan(r, "01.94"))[1], "I1IM2000000000");
}

struct LimitCase {
    const char *version;
    std::function<void(ConfigRecord &)> change;
    const char *message; // nullptr: accepted
};

TEST(InputCommands, FormatLimits) {
    const std::vector<LimitCase> cases{
        {"01.70", [](ConfigRecord &r) { r.input1totalbits = 70; }, "Wiegand input format # 1 total bits >64"},
        {"01.80", [](ConfigRecord &r) { r.input1wieissuestart2 = 65; }, "Wiegand input format # 2 issue start >64"},
        {"01.80", [](ConfigRecord &r) { r.input1totalbits3 = 200; }, nullptr}, // format 3 not tested
        {"01.81", [](ConfigRecord &r) { r.input1totalbits = 100; }, nullptr},
        {"01.81", [](ConfigRecord &r) { r.input1wiesitestart2 = 129; }, "Wiegand input format # 2 site start >128"},
        {"01.93", [](ConfigRecord &r) { r.input1totalbits3 = 251; }, nullptr},
        {"01.94", [](ConfigRecord &r) { r.input1wiesitestart3 = 129; }, "Wiegand input format # 3 site start >128"},
        {"01.94", [](ConfigRecord &r) { r.input1totalbits3 = 128; }, nullptr},
        {"01.95", [](ConfigRecord &r) { r.input1wieidstart2 = 251; }, "Wiegand input format # 2 id start >250"},
        {"01.95", [](ConfigRecord &r) { r.input1wieidstart2 = 250; }, nullptr},
        {"01.95", [](ConfigRecord &r) { r.input1wieissuestart3 = 251; }, "Wiegand input format # 3 issue start >250"},
        // first failing item wins: totals before starts, format 1 before 2
        {"01.95",
         [](ConfigRecord &r) {
             r.input1totalbits2 = 251;
             r.input1wiesitestart = 251;
         },
         "Wiegand input format # 1 site start >250"},
        {"01.95",
         [](ConfigRecord &r) {
             r.input1wieidstart = 251;
             r.input1totalbits = 251;
         },
         "Wiegand input format # 1 total bits >250"},
        // fixed limits of format 1 on any firmware, after the bit limits
        {"01.59", [](ConfigRecord &r) { r.input1idchars = 21; }, "Wiegand input format # 1 id chars >20"},
        {"01.94", [](ConfigRecord &r) { r.input1wiesitelen = 65; }, "Wiegand input format # 1 site length >64"},
        {"01.94",
         [](ConfigRecord &r) {
             r.input1issuechars = 21;
             r.input1wieissuelen = 65;
             r.input1totalbits3 = 129;
         },
         "Wiegand input format # 3 total bits >128"},
        {"01.94",
         [](ConfigRecord &r) {
             r.input1wiesitelen2 = 70;
             r.input1idchars3 = 30;
         },
         nullptr},
    };
    for (const LimitCase &c : cases) {
        ConfigRecord r = default_profile();
        c.change(r);
        const QList<PlanStep> steps = input_plan(r, c.version);
        const Lines cmds = commands(steps);
        const bool new_masks = std::string(c.version) >= "01.94";
        const std::size_t before = new_masks ? 6 : 5; // "I1IG" up to "I1OM"
        if (!c.message) {
            EXPECT_EQ(cmds.size(), before + (new_masks ? 3 : 2)) << c.version;
            EXPECT_EQ(steps.last().kind, PlanStep::Command) << c.version;
            continue;
        }
        // refused after "I1OM", before any format command
        ASSERT_EQ(cmds.size(), before) << c.message;
        EXPECT_EQ(cmds.back().substr(0, 4), "I1OM");
        EXPECT_EQ(plan_lines(steps).back(), std::string("! Error 013-A Programming Converter | ") + c.message);
    }
}

TEST(InputCommands, WideValuesKeepTheirDigits) {
    ConfigRecord r = default_profile();
    r.input1totalbits = 100;
    r.input1totalbits2 = 64;
    r.input1wieidstart2 = 64;
    const Lines c = commands(input_plan(r, "01.81"));
    EXPECT_EQ(c[5], "I1IW100002080010160000000030500");
    EXPECT_EQ(commands(input_plan(r, "01.80")).size(), 5u); // 100 > 64 on older firmware
    r.input1totalbits = 26;
    EXPECT_EQ(commands(input_plan(r, "01.80"))[6], "I1IX64000006400000000000000");
}

} // namespace
} // namespace k52
