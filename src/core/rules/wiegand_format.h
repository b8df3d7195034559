#pragma once

// The picture of a Wiegand output format as the output editor shows it:
// one letter per output bit ("s" site, "b" ID, "i" issue, "c" constant,
// "E"/"O" standard parity, "M" mask parity), shown in lines of 90, and the
// same bits laid out as a row of coloured cells.

#include "core/profile/config_record.h"
#include "core/profile/wiegand_map.h"
#include "core/rules/entry_rules.h"

#include <QString>

#include <array>
#include <vector>

namespace k52 {

// Field codes of the output order rows (kWiegandFields fields, in the
// order of the bit-count boxes; kWiegandOrderRows rows).
inline constexpr Integer kFieldNone = 0;
inline constexpr Integer kFieldSite = 1;
inline constexpr Integer kFieldId = 2;
inline constexpr Integer kFieldIssue = 3;
inline constexpr Integer kFieldConstant = 4;

// What the preview is built from: the texts and boxes on the screen, not
// the record, so that it shows what the installer sees.
struct FormatControls {
    std::array<QString, kWiegandFields> bits;                                // # Bits texts: site, ID, issue, const
    std::array<std::array<bool, kWiegandFields>, kWiegandOrderRows> order{}; // order[row][field] ticked
    bool parity_none = false;
    bool parity_mask = false;
    bool left_even = false;
    bool left_odd = false;
    bool right_even = false;
    bool right_odd = false;
};

// The controls as the record's format (read through `map`) sets them: what
// the editor shows once it has filled its boxes from the record.
FormatControls format_controls(const ConfigRecord &rec, const WiegandFieldMap &map);

// Preview lines are this many characters; lines after the third are not
// broken any further.
inline constexpr int kPreviewLine = 90;

// The letters of the format, one per output bit.
QString format_letters(const FormatControls &c);
// The letters as the preview area shows them: up to three lines of 90,
// each break a single carriage return.
QString format_preview_text(const QString &letters);

// The format as cells: one per output bit, numbered from 1 at the first bit
// sent, wrapped into rows of a fixed number of cells.
enum class CellKind { Site, Id, Issue, Constant, Parity }; // the output fields' order, then parity

struct FormatCell {
    CellKind kind = CellKind::Site;
    QChar letter;
    int bit = 0; // 1-based
    int row = 0;
    int column = 0;
    bool operator==(const FormatCell &) const = default;
};

struct FormatLayout {
    std::vector<FormatCell> cells;
    int total_bits = 0; // every letter, also those beyond the drawn cells
    int rows = 0;
    bool cut = false; // more bits than the picture draws
};

inline constexpr int kCellsPerRow = 40;
// A hand-edited profile can ask for thousands of bits; the picture draws the
// first ones and reports the total.
inline constexpr int kMaxDrawnCells = 1000;

// Fill colour of a cell as 0xRRGGBB (the editor's picture and the report).
quint32 cell_rgb(CellKind kind);

FormatLayout format_layout(const QString &letters, int per_row = kCellsPerRow, int max_cells = kMaxDrawnCells);

} // namespace k52
