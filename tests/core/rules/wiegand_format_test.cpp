#include "core/rules/wiegand_format.h"

#include <gtest/gtest.h>

namespace k52 {
namespace {

constexpr int kSite = 0, kId = 1, kIssue = 2, kConst = 3;

// Standard parity, Left Even and Right Odd, every row at None.
FormatControls standard() {
    FormatControls c;
    c.left_even = true;
    c.right_odd = true;
    return c;
}

QString run(int n, char letter) {
    return QString(n, QLatin1Char(letter));
}

TEST(WiegandFormat, TwentySixBitStandardAndMask) {
    FormatControls c = standard();
    c.bits = {QStringLiteral("8"), QStringLiteral("16"), QString(), QString()};
    c.order[0][kSite] = true;
    c.order[1][kId] = true;
    const QString expected = QStringLiteral("E") + run(8, 's') + run(16, 'b') + QStringLiteral("O");
    EXPECT_EQ(format_letters(c), expected);
    EXPECT_EQ(format_preview_text(expected), expected);

    c.parity_mask = true;
    c.bits[kConst] = QStringLiteral("2");
    c.order[2][kConst] = true;
    EXPECT_EQ(format_letters(c), QStringLiteral("M") + run(8, 's') + run(16, 'b') + run(2, 'c') + QStringLiteral("M"));

    // The senses are shown from the boxes, one letter a side.
    c.parity_mask = c.left_even = c.right_odd = false;
    c.left_odd = c.right_even = true;
    EXPECT_EQ(format_letters(c), QStringLiteral("O") + run(8, 's') + run(16, 'b') + run(2, 'c') + QStringLiteral("E"));
}

TEST(WiegandFormat, EmptyFormatShowsOnlyParity) {
    FormatControls c = standard();
    EXPECT_EQ(format_letters(c), QStringLiteral("EO"));
    c.bits = {QStringLiteral("0"), QStringLiteral(" "), QString(), QStringLiteral("0")};
    c.order[0][kSite] = true;
    c.order[1][kConst] = true;
    EXPECT_EQ(format_letters(c), QStringLiteral("EO"));
    c.parity_mask = true;
    EXPECT_EQ(format_letters(c), QStringLiteral("MM"));
    c.parity_none = true; // None wins over a stale Mask tick
    EXPECT_EQ(format_letters(c), QString());
    // No parity box ticked at all (a stored mode the group does not know):
    // the senses still show.
    c.parity_none = c.parity_mask = false;
    EXPECT_EQ(format_letters(c), QStringLiteral("EO"));
}

TEST(WiegandFormat, RowsInOrderAndFieldsTwice) {
    FormatControls c = standard();
    c.parity_none = true;
    c.bits = {QStringLiteral("4"), QStringLiteral("3"), QStringLiteral("2"), QStringLiteral("1")};
    c.order[0][kSite] = true;
    c.order[2][kSite] = true;
    EXPECT_EQ(format_letters(c), QStringLiteral("ssssssss"));
    c.order[1][kIssue] = true;
    c.order[3][kId] = true;
    EXPECT_EQ(format_letters(c), QStringLiteral("ssssiissssbbb"));
    // Within a row: site, ID, issue, constant, whatever the ticks.
    FormatControls row = standard();
    row.parity_none = true;
    row.bits = c.bits;
    row.order[0] = {true, true, true, true};
    EXPECT_EQ(format_letters(row), QStringLiteral("ssssbbbiic"));
    // Text that is not a plain number counts its leading digits.
    row.bits[kSite] = QStringLiteral("2x");
    row.order[0] = {true, false, false, false};
    EXPECT_EQ(format_letters(row), QStringLiteral("ss"));
}

TEST(WiegandFormat, PreviewLinesOfNinety) {
    const QChar cr(13);
    const QString s90 = run(90, 's');
    EXPECT_EQ(format_preview_text(s90), s90);
    EXPECT_EQ(format_preview_text(s90 + QStringLiteral("b")), s90 + cr + QStringLiteral("b"));

    const QString s200 = run(90, 's') + run(90, 'b') + run(20, 'i');
    EXPECT_EQ(format_preview_text(s200), run(90, 's') + cr + run(90, 'b') + cr + run(20, 'i'));
    // A fourth line is not made: the rest stays on the third.
    const QString s300 = run(300, 'c');
    EXPECT_EQ(format_preview_text(s300).count(cr), 2);
    EXPECT_EQ(format_preview_text(s300).section(cr, 2).size(), 120);
    EXPECT_EQ(format_preview_text(QString()), QString());
}

TEST(WiegandFormat, CellsFollowTheLetters) {
    const QString letters = QStringLiteral("E") + run(8, 's') + run(16, 'b') + QStringLiteral("O");
    FormatLayout l = format_layout(letters);
    EXPECT_EQ(l.rows, 1);
    EXPECT_FALSE(l.cut);
    ASSERT_EQ(l.cells.size(), 26u);
    EXPECT_EQ(l.cells[0], (FormatCell{CellKind::Parity, u'E', 1, 0, 0}));
    EXPECT_EQ(l.cells[9], (FormatCell{CellKind::Id, u'b', 10, 0, 9}));
    EXPECT_EQ(l.cells[25], (FormatCell{CellKind::Parity, u'O', 26, 0, 25}));

    l = format_layout(QStringLiteral("MsibcM"), 4);
    EXPECT_EQ(l.rows, 2);
    EXPECT_EQ(l.cells[2].kind, CellKind::Issue);
    EXPECT_EQ(l.cells[4], (FormatCell{CellKind::Constant, u'c', 5, 1, 0}));
    EXPECT_EQ(l.cells[5].kind, CellKind::Parity);

    l = format_layout(run(2500, 's'));
    EXPECT_EQ(l.total_bits, 2500);
    EXPECT_TRUE(l.cut);
    EXPECT_EQ(int(l.cells.size()), kMaxDrawnCells);
    EXPECT_EQ(l.rows, kMaxDrawnCells / kCellsPerRow);

    l = format_layout(QString());
    EXPECT_EQ(l.rows, 0);
    EXPECT_TRUE(l.cells.empty());
}

} // namespace
} // namespace k52
