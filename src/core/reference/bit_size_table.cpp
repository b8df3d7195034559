#include "bit_size_table.h"

#include <cstdint>

namespace k52 {

namespace {

QString grouped(std::uint64_t v) {
    QString digits = QString::number(v);
    QString out;
    const int len = int(digits.size());
    for (int i = 0; i < len; ++i) {
        if (i > 0 && (len - i) % 3 == 0)
            out += QLatin1Char(' ');
        out += digits[i];
    }
    return out;
}

// Block of a row within its column: rows 1-10, 11-20, 21-32 of the column.
int block_of(int row_in_column) {
    return row_in_column < 10 ? 0 : row_in_column < 20 ? 1 : 2;
}

} // namespace

QString bit_size_value(int n) {
    if (n < 1 || n > kBitSizeRows)
        return {};
    // A shift by 64 is undefined; row 64 is all ones.
    const std::uint64_t v = n == 64 ? ~std::uint64_t(0) : (std::uint64_t(1) << n) - 1;
    return grouped(v).rightJustified(n <= 32 ? 13 : 26, QLatin1Char(' '));
}

QString bit_count_label(int n) {
    return QString::number(n).rightJustified(2, QLatin1Char(' '));
}

std::vector<BitSizePlace> bit_size_layout() {
    std::vector<BitSizePlace> places;
    places.reserve(kBitSizeRows);
    for (int n = 1; n <= kBitSizeRows; ++n) {
        const int column = n <= 32 ? 0 : 1;
        const int row = (n - 1) % 32;
        places.push_back({n, column, row + block_of(row)});
    }
    return places;
}

QString bit_size_table_text() {
    // Count at column 0 and value at column 4 on the left; count at 22 and
    // value at 26 on the right (the drawn table keeps the same proportions).
    QStringList lines(kBitSizeLines);
    for (const BitSizePlace &p : bit_size_layout()) {
        QString &line = lines[p.line];
        const int at = p.column == 0 ? 0 : 22;
        line = line.leftJustified(at, QLatin1Char(' '));
        line += bit_count_label(p.n) + QStringLiteral("  ") + bit_size_value(p.n);
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace k52
