#pragma once

// The field maps of the Wiegand and magstripe input: the three input masks
// and the three Wiegand input formats. The programming commands and the
// input screens all read the record through them.

#include "core/profile/config_record.h"

#include <array>
#include <optional>

namespace k52 {

inline constexpr int kMaskEntries = 5; // entries (positions) of one mask, serial ones too

// The input masks are fifteen rows: rows 0-4 are mask 1 positions 1-5,
// rows 5-9 mask 2, rows 10-14 mask 3.
inline constexpr int kInputMaskRows = 15;
struct InputMaskFields {
    Integer ConfigRecord::*constant;
    Integer ConfigRecord::*start;
    Integer ConfigRecord::*length;
    QString ConfigRecord::*value;
};
std::optional<InputMaskFields> input_mask_fields(int row);

inline constexpr int kWieInputFormats = 3;
inline constexpr int kWieInputRows = 3; // Site, ID, Issue

struct WieInputRow {
    Integer ConfigRecord::*start;
    Integer ConfigRecord::*length;
    Integer ConfigRecord::*lsb;
    Integer ConfigRecord::*chars;
};
struct WieInputFormat {
    std::array<WieInputRow, kWieInputRows> rows; // Site, ID, Issue
    Integer ConfigRecord::*totalbits;
};
// Format 0, 1, 2 is Wiegand input format # 1, # 2, # 3 (no suffix, "2", "3").
// `format` must be 0 to 2.
const WieInputFormat &wie_input_format(int format);

} // namespace k52
