#include "core/reference/help_topics.h"
#include "core/reference/wiring_charts.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <set>

namespace k52 {
namespace {

TEST(HelpTopics, EightTopicsIntroductionFirst) {
    EXPECT_EQ(help_topics()[0].caption, QStringLiteral("Introduction"));
    QStringList keys;
    for (const HelpTopic &h : help_topics())
        keys << h.key;
    EXPECT_EQ(keys, (QStringList{"general", "comm", "db", "termmode", "netman", "setuph", "barmag", "utilitiesh"}));
    EXPECT_EQ(help_topic_resource(QStringLiteral("db")), QStringLiteral(":/reference/help/db.html"));
}

TEST(HelpTopics, ScrollMovesFromFlagsAndKeys) {
    EXPECT_EQ(scroll_step(false, false), ScrollStep::LineUp);
    EXPECT_EQ(scroll_step(true, false), ScrollStep::LineDown);
    EXPECT_EQ(scroll_step(false, true), ScrollStep::PageUp);
    EXPECT_EQ(scroll_step(true, true), ScrollStep::PageDown);
    EXPECT_EQ(scroll_step_for_key(Qt::Key_Up), ScrollStep::LineUp);
    EXPECT_EQ(scroll_step_for_key(Qt::Key_PageDown), ScrollStep::PageDown);
    for (int other : {int(Qt::Key_Left), int(Qt::Key_Right), int(Qt::Key_Home), int(Qt::Key_Space), int(Qt::Key_A)})
        EXPECT_FALSE(scroll_step_for_key(other).has_value()) << other;
}

TEST(WiringCharts, EveryWireLabelWithItsConventionalColour) {
    const auto &charts = wiring_charts();
    ASSERT_EQ(charts.size(), 2u);
    std::set<QString> shown;
    for (const WiringChart &c : charts) {
        std::set<QString> in_chart;
        for (const Wire &w : c.wires) {
            EXPECT_TRUE(in_chart.insert(w.label).second) << "twice in one chart: " << w.label.toStdString();
            shown.insert(w.label);
            const std::pair<const char *, const char *> colours[] = {
                {"+VDC", "Red"}, {"Data 0", "Green"}, {"Data 1", "White"}, {"Led", "Brown"}};
            for (const auto &[start, colour] : colours) {
                if (w.label.startsWith(QLatin1String(start))) {
                    EXPECT_EQ(w.colour_name, QLatin1String(colour)) << w.label.toStdString();
                }
            }
        }
    }
    for (const char *label : {"+VDC", "Led OUT", "Relay Normally Closed", "Relay Normally Open", "Relay Common",
                              "Data 1 IN / Mag Data IN", "Data 0 IN / Mag Clock IN", "Data 0 OUT / Mag Clock OUT",
                              "Data 1 OUT / Mag Data OUT", "Media OUT", "Led / F2F OUT"})
        EXPECT_TRUE(shown.count(QString::fromUtf8(label))) << label;
    EXPECT_TRUE(wiring_note().contains(QStringLiteral("label on the converter")));
}

} // namespace
} // namespace k52
