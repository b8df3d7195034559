// Where each setting is edited, how it is shown, and the comparison of two
// profiles built on it.
#include "core/profile/columns.h"
#include "core/profile/profile_json.h"
#include "core/profile/profile_store.h"
#include "core/profile/setting_places.h"
#include "core/profile/wiegand_map.h"
#include "core/programming/run_plan.h"

#include <gtest/gtest.h>

#include <QSet>

#include <algorithm>

using namespace k52;

namespace {

QVector<QVariant> default_values() {
    return record_values(default_profile());
}

// `place`'s part of a stored value, and the value with that part replaced.
QString part_of(const SettingPlace &place, const QVariant &stored) {
    return place.length ? stored.toString().mid(place.from, place.length) : stored.toString();
}
QVariant with_part(const SettingPlace &place, const QVariant &stored, const QString &part) {
    if (place.length)
        return stored.toString().replace(place.from, place.length, part);
    if (columns()[std::size_t(place.column)].type == StoredType::Text)
        return part;
    return part.toLongLong();
}

// Other values a user could give the setting: the box toggled, the other
// choices, the number one up or down, the last hex digit one up.
QVector<QVariant> other_values(const SettingPlace &p, const QVariant &stored) {
    const QString text = part_of(p, stored).trimmed();
    QStringList parts;
    switch (p.shown) {
    case ShownAs::Flag:
        parts << (text == QLatin1String("1") ? QStringLiteral("0") : QStringLiteral("1"));
        break;
    case ShownAs::Choice:
        for (const ChoiceCaption &c : p.choices)
            if (QString::number(c.code) != text)
                parts << QString::number(c.code);
        break;
    case ShownAs::Number:
        for (int step : {1, -1})
            parts << QString::number(text.toLongLong() + step).rightJustified(p.length, QLatin1Char('0'));
        break;
    case ShownAs::Hex:
        parts << text.left(text.size() - 1) +
                     QString::number((text.right(1).toInt(nullptr, 16) + 1) % 16, 16).toUpper();
        break;
    }
    QVector<QVariant> out;
    for (const QString &part : parts)
        out << with_part(p, stored, part);
    return out;
}

// The command lines one plan has and the other has not.
QStringList changed_commands(const QList<PlanStep> &a, const QList<PlanStep> &b) {
    QStringList before, changed;
    for (const PlanStep &s : a)
        if (s.kind == PlanStep::Command)
            before << s.text;
    for (const PlanStep &s : b)
        if (s.kind == PlanStep::Command && !before.removeOne(s.text))
            changed << s.text;
    return changed + before;
}

bool refused(const QList<PlanStep> &steps) {
    return std::any_of(steps.begin(), steps.end(), [](const PlanStep &s) { return s.kind == PlanStep::Refusal; });
}

QString version_before(const char *version) {
    const int n = QString::fromLatin1(version).remove(QLatin1Char('.')).toInt() - 1;
    return QStringLiteral("%1.%2").arg(n / 100, 2, 10, QLatin1Char('0')).arg(n % 100, 2, 10, QLatin1Char('0'));
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

// Every setting, given each other value a user could give it, changes the
// lines of the command its place names and no other line of the whole plan;
// on firmware older than the command it changes nothing. Two records, so
// that each setting counts somewhere: the default, and one with every
// setting moved once (boxes toggled: mask constants, the third extraction
// and the preprocessors on, Track 2 off; numbers and hex digits one up),
// and every Wiegand field in the output order without bits, so that no
// order or bit count is refused.
TEST(SettingPlaces, EachSettingChangesOnlyTheCommandItNames) {
    QVector<QVariant> moved = default_values();
    for (const SettingPlace &p : setting_places())
        moved[p.column] = other_values(p, moved[p.column]).value(0);
    ConfigRecord second = stored_record(moved);
    for (const WiegandFieldMap *m : {&kSerialWiegandMap, &kInputWiegandMap})
        for (int f = 0; f < kWiegandFields; ++f)
            second.*m->bits[std::size_t(f)] = 0, second.*m->field[std::size_t(f)] = Integer(f + 1);
    const ConfigRecord bases[] = {default_profile(), second};

    // Whether changing `p` changes any command line, checking that each
    // one it changes is of `p`'s command.
    auto changes_plan = [&](const SettingPlace &p, const QString &version) {
        const QStringList sent = p.command ? QString::fromLatin1(p.command).split(QLatin1Char(' ')) : QStringList();
        bool changed = false;
        int tried = 0;
        for (const ConfigRecord &base : bases) {
            const QList<PlanStep> before = build_plan(base, version).steps;
            EXPECT_FALSE(refused(before));
            for (const QVariant &v : other_values(p, record_values(base)[p.column])) {
                ConfigRecord rec = base;
                QString why;
                const QList<PlanStep> after = columns()[std::size_t(p.column)].decode(v, rec, true, &why)
                                                  ? build_plan(rec, version).steps
                                                  : QList<PlanStep>{};
                if (after.isEmpty() || refused(after))
                    continue;
                ++tried;
                for (const QString &line : changed_commands(before, after)) {
                    changed = true;
                    EXPECT_TRUE(
                        std::any_of(sent.begin(), sent.end(), [&](const QString &c) { return line.startsWith(c); }))
                        << line.toStdString() << " changed on " << version.toStdString();
                }
            }
        }
        EXPECT_GT(tried, 0) << "no other value to try";
        return changed;
    };
    for (const SettingPlace &p : setting_places()) {
        SCOPED_TRACE(place_name(p).toStdString());
        EXPECT_EQ(changes_plan(p, QStringLiteral("01.99")), p.command != nullptr);
        if (p.since) {
            EXPECT_FALSE(changes_plan(p, version_before(p.since)));
        }
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

    // All at once: under their screens, each screen once, in the
    // navigation panel's order.
    QVector<QVariant> all = base;
    for (const Case &c : cases)
        all[column_index(QString::fromLatin1(c.column))] = c.value;
    qsizetype listed = 0, last = -1;
    for (const ScreenDifferences &group : by_screen(diff_settings(base, all))) {
        const qsizetype at = setting_screens().indexOf(group.screen);
        EXPECT_GT(at, last) << group.screen.toStdString();
        last = at;
        for (const SettingDifference &d : group.settings)
            EXPECT_EQ(QLatin1String(d.place->screen), group.screen);
        listed += group.settings.size();
    }
    EXPECT_EQ(listed, qsizetype(std::size(cases)));
}

TEST(ProfileDiff, HexCaseAndNumberPaddingAreNotDifferences) {
    QVector<QVariant> a = default_values(), b = a;
    a[column_index(u"serwielpmask")] = QStringLiteral("00000000000000ff");
    b[column_index(u"serwielpmask")] = QStringLiteral("00000000000000FF");
    EXPECT_TRUE(diff_settings(a, b).isEmpty());
}
