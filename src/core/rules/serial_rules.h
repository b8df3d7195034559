#pragma once

// Pure rules of the serial I/O settings screen: which boxes show a record
// and what a click on a conversion type box leaves.

#include "core/profile/config_record.h"

#include <QString>

#include <array>
#include <optional>

namespace k52 {

// "Data Bits/Parity": box 0 "7 Even" is "E", 1 "7 Odd" is "O", 2 "8 None" is "N".
inline constexpr int kDataParityChoices = 3;
QString parity_letter(int index);                     // empty for no such box
std::optional<int> parity_box(const QString &letter); // exact letter only

// "Serial Input Conversion Type" (serial_conversion_choices()): box index
// is the stored code.
inline constexpr int kSerConvChoices = 8;

// Outcome of a click on conversion box `index` that left it `ticked`: the
// one box ticked afterwards, which is also the code stored. Unticking a box
// falls back to "No Conversion".
inline constexpr int kNoConversion = 0;
int conversion_after_click(int index, bool ticked);

// The boxes that show the record. A value with no box shows its group with
// none ticked (the record keeps the value).
struct SerialChoices {
    std::optional<int> baud;
    std::optional<int> parity;
    std::optional<int> conversion;
    bool operator==(const SerialChoices &) const = default;
};
SerialChoices serial_choices(const ConfigRecord &record);

} // namespace k52
