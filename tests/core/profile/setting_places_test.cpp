// Where each setting is edited, how it is shown, and the comparison of two
// profiles built on it.
#include "core/profile/columns.h"
#include "core/profile/profile_json.h"
#include "core/profile/profile_store.h"
#include "core/profile/setting_places.h"

#include <gtest/gtest.h>

#include <QSet>

using namespace k52;

namespace {

QVector<QVariant> default_values() {
    return record_values(default_profile());
}

} // namespace

TEST(SettingPlaces, EveryColumnIsPlacedOnAKnownScreenAndPartsTileTheirColumn) {
    const QStringList titles = setting_screens();
    const QSet<QString> screens(titles.begin(), titles.end());
    QVector<int> covered(int(columns().size()), 0);
    QSet<QString> captions;
    for (const SettingPlace &p : setting_places()) {
        EXPECT_TRUE(screens.contains(QLatin1String(p.screen))) << p.screen;
        EXPECT_FALSE(p.caption.isEmpty());
        // One caption per place on a screen, or two places could not be told apart.
        EXPECT_FALSE(captions.contains(QLatin1String(p.screen) + p.caption)) << p.caption.toStdString();
        captions.insert(QLatin1String(p.screen) + p.caption);
        const Column &c = columns()[std::size_t(p.column)];
        if (p.length) {
            EXPECT_EQ(p.from, covered[p.column]) << c.name << ": parts leave a gap or overlap";
            covered[p.column] = p.from + p.length;
        } else {
            EXPECT_EQ(covered[p.column], 0) << c.name << " placed twice";
            covered[p.column] = -1;
        }
        if (p.shown == ShownAs::Choice) {
            EXPECT_FALSE(p.choices.isEmpty()) << c.name;
        }
    }
    for (std::size_t i = 0; i < columns().size(); ++i) {
        const int end = covered[int(i)];
        EXPECT_TRUE(end == -1 || end == columns()[i].width) << columns()[i].name << " covered up to " << end;
    }
}

// One row per kind of column: the change made to the stored value, and the
// difference a user must read.
TEST(ProfileDiff, EveryKindOfColumnIsShownAsTheUserEntersIt) {
    struct Case {
        const char *column;
        QVariant value;
        const char *caption;
        const char *screen;
        const char *a, *b;
    };
    const QVector<QVariant> base = default_values();
    auto text_with = [&](const char *column, int at, const QString &part) {
        QString s = base[column_index(QString::fromLatin1(column))].toString();
        return QVariant(s.replace(at, part.size(), part));
    };
    const Case cases[] = {
        {"baudrate", 19200, "Converter Baud Rate", "Serial Input and Output General Settings", "9600", "19200"},
        {"serwieidover", "00AB", "Override ID: Value (hex):", "Serial Input  to Wiegand Output Options", "0000",
         "00AB"},
        {"parity", 2, "Data Bits/Parity", "Serial Input and Output General Settings", "7 Even", "8 None"},
        {"serwiefield2", 4, "Output Order Format: 2", "Serial Input  to Wiegand Output Options", nullptr, "Constant"},
        {"input1wielp", 1, "Parity Selection: Left Even / Odd", "Wiegand and Magstripe Input to Wiegand Output Options",
         "Even", "Odd"},
        {"input1wierp", 1, "Parity Selection: Right Even / Odd",
         "Wiegand and Magstripe Input to Wiegand Output Options", "Odd", "Even"},
        {"spkrstart", "0", "Startup Beep", "K52 Utilities", "On", "Off"},
        {"zerosuppress", 1, "Zero Suppression (v1.94+)", "Wiegand and Magstripe Input General Settings", "not ticked",
         "ticked"},
        {"input1wiesitestart3", 7, "Wiegand Input - Format # 3 (v1.94+): Site Start",
         "Wiegand and Magstripe Input Options", "0", "7"},
        {"input1constval24", "3A", "Input Mask # 2, Position 4: Value (hex)", "Wiegand and Magstripe Input Masking",
         "00", "3A"},
        {"terminators", text_with("terminators", 2, QStringLiteral("0A")), "Output Terminator (1) in hex",
         "Serial Input and Output General Settings", nullptr, "0A"},
        {"sermask3", text_with("sermask3", 7 + 1, QStringLiteral("12")), "Mask # 3 (v1.7+), Position 2: Start",
         "Serial Input Masking", nullptr, "12"},
        {"sermask2", text_with("sermask2", 35, QStringLiteral("08")), "Mask # 2 (v1.7+): Input Length",
         "Serial Input Masking", nullptr, "8"},
        {"sermask1", text_with("sermask1", 4 * 7 + 5, QStringLiteral("7e")),
         "Mask # 1 (default), Position 5: Value (hex)", "Serial Input Masking", nullptr, "7E"},
        {"sermagparms", text_with("sermagparms", 4, QStringLiteral("1")), "F2F Output",
         "Serial Input to Magstripe Output Options", "not ticked", "ticked"},
        // A value no box can show is given as stored rather than hidden.
        {"input1beep", 5, "Beep on a good conversion", "Wiegand and Magstripe Input General Settings", nullptr, "5"},
        {"input1convtype", 6, "Output Conversion Type", "Wiegand and Magstripe Input General Settings", nullptr,
         "none chosen (6)"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.column);
        QVector<QVariant> changed = base;
        changed[column_index(QString::fromLatin1(c.column))] = c.value;
        const QVector<SettingDifference> d = diff_settings(base, changed);
        ASSERT_EQ(d.size(), 1);
        EXPECT_EQ(d[0].place->caption, QLatin1String(c.caption));
        EXPECT_STREQ(d[0].place->screen, c.screen);
        if (c.a) {
            EXPECT_EQ(d[0].a, QLatin1String(c.a));
        }
        EXPECT_EQ(d[0].b, QLatin1String(c.b));
        EXPECT_TRUE(diff_settings(changed, changed).isEmpty());
    }
}

TEST(ProfileDiff, HexCaseAndNumberPaddingAreNotDifferences) {
    QVector<QVariant> a = default_values(), b = a;
    a[column_index(u"serwielpmask")] = QStringLiteral("00000000000000ff");
    b[column_index(u"serwielpmask")] = QStringLiteral("00000000000000FF");
    EXPECT_TRUE(diff_settings(a, b).isEmpty());
}
