#include "plan_lines.h"

#include <gtest/gtest.h>

namespace k52 {
namespace {

using test::commands;
using test::plan_lines;
using Lines = std::vector<std::string>;

QList<PlanStep> option_plan(ConfigRecord rec, const char *version) {
    PlanBuilder b(rec, QLatin1String(version));
    option_groups(b);
    return b.steps();
}

ConfigRecord timing_record() {
    ConfigRecord r = default_profile();
    r.spkrfreq = 40, r.spkrtimeser = 5, r.spkrtimei1 = 20;
    r.maginterval = 2, r.wieinterval = 3, r.magpulse = 1, r.wiepulse = 2;
    r.spkrstart = QStringLiteral("0"), r.dumpmodestyle = 6, r.ignorelf = 1;
    return r;
}

TEST(OptionCommands, WholeGroupWithProgressLines) {
    const Lines head{"...Programming Speaker Pamameters", "> P040020020005005",
                     "...Programming Timing Pamameters",  "> T2321",
                     "...Programming Startup Pamameters", "> A0"};
    const Lines tail{"...Programming Dumpmode Pamameters", "> X46", "...Programming Linefeed Pamameters", "> X11"};
    auto with = [&](Lines front, const Lines &middle, bool tail_too = true) {
        front.insert(front.end(), head.begin(), head.end());
        front.insert(front.end(), middle.begin(), middle.end());
        if (tail_too)
            front.insert(front.end(), tail.begin(), tail.end());
        return front;
    };
    const ConfigRecord r = timing_record();
    // before 01.80 the run ends after "A"
    EXPECT_EQ(plan_lines(option_plan(r, "01.79")), with({}, {}, false));
    EXPECT_EQ(plan_lines(option_plan(r, "01.80")),
              with({}, {"...Programming Preprocessor Pamameters", "> X200", "> X30"}));
    EXPECT_EQ(plan_lines(option_plan(r, "01.92")),
              with({}, {"...Programming Preprocessor Pamameters", "> X200", "> X30"}));
    const Lines all_off{"...Programming Preprocessor Pamameters", "> X200", "> X30",
                        "...Programming Preprocessor Pamameters # 2", "> X50"};
    EXPECT_EQ(plan_lines(option_plan(r, "01.93")), with({}, all_off));
    EXPECT_EQ(plan_lines(option_plan(r, "01.94")), with({"> X60"}, all_off));
}

TEST(OptionCommands, ErrorLines) {
    ConfigRecord r = default_profile();
    const QList<PlanStep> steps = option_plan(r, "01.94");
    const std::vector<std::pair<std::string, std::string>> expected{{"X6", "020-A"}, {"P", "021"},    {"T", "022"},
                                                                    {"A", "023"},    {"X200", "039"}, {"X30", "040"},
                                                                    {"X50", "043"},  {"X40", "041"},  {"X10", "042"}};
    std::vector<std::pair<std::string, std::string>> got;
    for (const PlanStep &s : steps)
        if (s.kind == PlanStep::Command)
            got.emplace_back(s.text.toStdString(), s.error.toStdString());
    ASSERT_EQ(got.size(), expected.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(got[i].first.substr(0, expected[i].first.size()), expected[i].first);
        EXPECT_EQ(got[i].second, "Error " + expected[i].second + " Programming Converter");
    }
    r.hexprepro = 1;
    EXPECT_EQ(option_plan(r, "01.94")[8].error.toStdString(), "Error 039 Programming Converter"); // "X2..."
}

TEST(OptionCommands, Preprocessors) {
    ConfigRecord r = timing_record();
    r.hexprepro = 1, r.hextotalbits = 34, r.hexsitestart = 1, r.hexsitelen = 8, r.hexidstart = 9;
    r.hexidlen = 16, r.hexsitechars = 3, r.hexidchars = 5, r.hextrimleading = 1;
    r.amtech26encpre = 1; // loses to the hexadecimal preprocessor
    r.seralphasub = 1;
    const Lines hex{"X61", "P040020020005005", "T2321", "A0", "X2340108091603051", "X46", "X11"};
    r.zerosuppress = 1;
    EXPECT_EQ(commands(option_plan(r, "01.94")), hex);
    r.hextrimleading = 0;
    EXPECT_EQ(commands(option_plan(r, "01.94"))[4], "X2340108091603050");

    // 26-bit encoded on, hex off: no alpha substitution and no "# 2" line
    r.hexprepro = 0;
    const Lines amtech{"...Programming Preprocessor Pamameters", "> X200", "> X31",
                       "...Programming Dumpmode Pamameters"};
    const Lines lines = plan_lines(option_plan(r, "01.93"));
    EXPECT_EQ(Lines(lines.begin() + 6, lines.begin() + 10), amtech);

    r.amtech26encpre = 0;
    EXPECT_EQ(commands(option_plan(r, "01.93"))[5], "X51");
    EXPECT_EQ(commands(option_plan(r, "01.92")), (Lines{"P040020020005005", "T2321", "A0", "X200", "X30", "X46",
                                                        "X11"})); // alpha substitution needs 01.93
}

TEST(OptionCommands, ZeroSuppressionSendsOneOnlyForOne) {
    ConfigRecord r = default_profile();
    r.zerosuppress = 2;
    EXPECT_EQ(commands(option_plan(r, "01.94"))[0], "X60");
    EXPECT_EQ(commands(option_plan(r, "01.93"))[0], "P004002002002002");
}

} // namespace
} // namespace k52
