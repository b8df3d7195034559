#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace k52 {

// The largest unsigned value of a field of n bits (n = 1 to 64), for people
// choosing Wiegand field lengths.

constexpr int kBitSizeRows = 64;

// 2^n - 1 in decimal, digits grouped in threes from the right with one space
// between groups, right-aligned in 13 characters for n <= 32 and in 26 for
// n >= 33. Empty for n outside 1..64.
QString bit_size_value(int n);

// The bit count as two digits, a leading zero shown as a space (" 7").
QString bit_count_label(int n);

// Where a row goes when the table is drawn: two columns of 32 rows (1-32 left,
// 33-64 right), each in three blocks (1-10, 11-20, 21-32 and 33-42, 43-52,
// 53-64). `line` counts rows from the top with one empty line between blocks.
struct BitSizePlace {
    int n = 0;
    int column = 0; // 0 left, 1 right
    int line = 0;   // 0..33
};
std::vector<BitSizePlace> bit_size_layout();
// Lines of a drawn column, the gaps between blocks included.
constexpr int kBitSizeLines = 34;

// The whole table as plain text for a fixed-pitch font: per line the left
// row (count, value) and the right row (count, value); block gaps are empty
// lines. Ends with a newline.
QString bit_size_table_text();

} // namespace k52
