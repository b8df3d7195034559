#include "wiegand_format.h"

#include <algorithm>

namespace k52 {

namespace {

constexpr std::array<QChar, kWiegandFields> kFieldLetters{u's', u'b', u'i', u'c'};

QString run_of(const QString &bits_text, QChar letter) {
    const QString trimmed = bits_text.trimmed();
    if (trimmed.isEmpty())
        return {};
    const int n = decimal_text_value(trimmed);
    return n > 0 ? QString(n, letter) : QString();
}

// The letter of each output field stands for the cell kind of the same
// index; any other letter is a parity bit.
CellKind cell_kind(QChar letter) {
    const auto at = std::find(kFieldLetters.begin(), kFieldLetters.end(), letter);
    return at == kFieldLetters.end() ? CellKind::Parity : CellKind(at - kFieldLetters.begin());
}

} // namespace

FormatControls format_controls(const ConfigRecord &rec, const WiegandFieldMap &map) {
    FormatControls c;
    for (int f = 0; f < kWiegandFields; ++f)
        c.bits[std::size_t(f)] = QString::number(rec.*map.bits[std::size_t(f)]);
    for (int row = 0; row < kWiegandOrderRows; ++row) {
        const int code = rec.*map.field[std::size_t(row)];
        if (code >= kFieldSite && code <= kFieldConstant)
            c.order[std::size_t(row)][std::size_t(code - 1)] = true;
    }
    const int parity = rec.*map.parity, lp = rec.*map.lp, rp = rec.*map.rp;
    c.parity_none = parity == 0;
    c.parity_mask = parity == 2;
    c.left_even = lp == 0;
    c.left_odd = lp == 1;
    c.right_odd = rp == 0;
    c.right_even = rp == 1;
    return c;
}

QString format_letters(const FormatControls &c) {
    std::array<QString, kWiegandFields> runs;
    for (int f = 0; f < kWiegandFields; ++f)
        runs[std::size_t(f)] = run_of(c.bits[std::size_t(f)], kFieldLetters[std::size_t(f)]);

    QString s;
    for (const auto &row : c.order)
        for (int f = 0; f < kWiegandFields; ++f)
            if (row[std::size_t(f)])
                s += runs[std::size_t(f)];

    if (c.parity_none)
        return s;
    if (c.parity_mask)
        return QLatin1Char('M') + s + QLatin1Char('M');
    if (c.left_even)
        s.prepend(QLatin1Char('E'));
    if (c.left_odd)
        s.prepend(QLatin1Char('O'));
    if (c.right_even)
        s.append(QLatin1Char('E'));
    if (c.right_odd)
        s.append(QLatin1Char('O'));
    return s;
}

QString format_preview_text(const QString &letters) {
    const QChar cr(13);
    if (letters.size() <= kPreviewLine)
        return letters;
    if (letters.size() <= 2 * kPreviewLine)
        return letters.left(kPreviewLine) + cr + letters.mid(kPreviewLine);
    return letters.left(kPreviewLine) + cr + letters.mid(kPreviewLine, kPreviewLine) + cr +
           letters.mid(2 * kPreviewLine);
}

FormatLayout format_layout(const QString &letters, int per_row, int max_cells) {
    FormatLayout out;
    out.total_bits = int(letters.size());
    if (per_row < 1)
        per_row = 1;
    const int drawn = std::min(out.total_bits, std::max(0, max_cells));
    out.cut = drawn < out.total_bits;
    out.cells.reserve(std::size_t(drawn));
    for (int i = 0; i < drawn; ++i) {
        FormatCell cell;
        cell.letter = letters[i];
        cell.kind = cell_kind(cell.letter);
        cell.bit = i + 1;
        cell.row = i / per_row;
        cell.column = i % per_row;
        out.cells.push_back(cell);
    }
    out.rows = drawn == 0 ? 0 : (drawn - 1) / per_row + 1;
    return out;
}

quint32 cell_rgb(CellKind kind) {
    switch (kind) {
    case CellKind::Site:
        return 0x5B9BD5;
    case CellKind::Id:
        return 0x70AD47;
    case CellKind::Issue:
        return 0xED7D31;
    case CellKind::Constant:
        return 0xA5A5A5;
    case CellKind::Parity:
        break;
    }
    return 0xC00000;
}

} // namespace k52
