#pragma once

// Pure rules of the two masking screens (serial input masking, Wiegand and
// magstripe input masking): which boxes of a mask entry take input, and
// the record fields of the serial mask sets.

#include "core/profile/config_record.h"
#include "core/profile/input_map.h"

#include <array>

namespace k52 {

inline constexpr int kSerMaskSets = 3;

// A constant entry contributes its Value; any other entry a run of the input
// given by Start and Length. Only the boxes of the part in use take input.
struct MaskEntryEnables {
    bool start_length = true;
    bool value = false;
    bool operator==(const MaskEntryEnables &) const = default;
};
MaskEntryEnables mask_entry_enables(bool constant);

// Serial mask set 0, 1, 2 is `sermask1`, `sermask2`, `sermask3`; sets 1 and 2
// also carry an Input Length. Out of range gives nullptr.
MaskSet ConfigRecord::*sermask_set(int set);
inline constexpr bool sermask_has_inputlen(int set) {
    return set == 1 || set == 2;
}

} // namespace k52
