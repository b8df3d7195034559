#include "core/reference/bit_size_table.h"
#include "support/file_bytes.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>

#include <set>

namespace k52 {
namespace {

TEST(BitSizeTable, EveryRowIsRightAlignedAndGroupedByThree) {
    const QRegularExpression grouped(QStringLiteral("^ *[1-9][0-9]{0,2}( [0-9]{3})*$"));
    for (int n = 1; n <= kBitSizeRows; ++n) {
        SCOPED_TRACE(n);
        const QString row = bit_size_value(n);
        EXPECT_EQ(row.size(), n <= 32 ? 13 : 26);
        EXPECT_TRUE(grouped.match(row).hasMatch()) << row.toStdString();
        // The digits are 2^n - 1: odd, and one more than twice the row above.
        QString digits = row;
        digits.remove(QLatin1Char(' '));
        bool ok = false;
        const quint64 v = digits.toULongLong(&ok);
        ASSERT_TRUE(ok);
        EXPECT_EQ(v, n == 64 ? ~quint64(0) : (quint64(1) << n) - 1);
    }
    EXPECT_TRUE(bit_size_value(0).isEmpty());
    EXPECT_TRUE(bit_size_value(65).isEmpty());
}

TEST(BitSizeTable, TwoColumnsInThreeBlocksEach) {
    const auto places = bit_size_layout();
    ASSERT_EQ(places.size(), 64u);
    std::set<std::pair<int, int>> used;
    for (const BitSizePlace &p : places) {
        EXPECT_EQ(p.column, p.n <= 32 ? 0 : 1);
        EXPECT_TRUE(used.insert({p.column, p.line}).second) << "two rows on one line, n=" << p.n;
    }
    // Blocks 1-10, 11-20, 21-32 (and 33-42, ...) with an empty line between them.
    EXPECT_EQ(places[0].line, 0);
    EXPECT_EQ(places[9].line, 9);
    EXPECT_EQ(places[10].line, 11);
    EXPECT_EQ(places[20].line, 22);
    EXPECT_EQ(places[31].line, 33);
    for (int i = 0; i < 32; ++i)
        EXPECT_EQ(places[i].line, places[i + 32].line) << "row " << i + 33 << " beside row " << i + 1;
}

// The counts are two characters, a space for a leading zero.
TEST(BitSizeTable, TextShowsRowsSideBySide) {
    const QStringList lines = bit_size_table_text().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), kBitSizeLines + 1); // trailing newline
    EXPECT_EQ(lines[0], QStringLiteral(" 1              1     33               8 589 934 591"));
    EXPECT_TRUE(lines[10].isEmpty());
    EXPECT_TRUE(lines[21].isEmpty());
    EXPECT_EQ(lines[33], QStringLiteral("32  4 294 967 295     64  18 446 744 073 709 551 615"));
}

TEST(BitSizeTable, CommandPrintsTheTable) {
    QProcess p;
    p.start(QStringLiteral(K52_UTIL_PATH), {QStringLiteral("bitsize")});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_EQ(k52test::output_text(p.readAllStandardOutput()), bit_size_table_text());
}

} // namespace
} // namespace k52
