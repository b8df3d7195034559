#pragma once

// Pure rules of the Wiegand and magstripe input options screen: the track
// choice of the magstripe input (which record fields each row of the three
// Wiegand input formats edits is in the input map).

#include "core/profile/config_record.h"
#include "core/profile/input_map.h"

#include <array>

namespace k52 {

// "Track 1 set" and "Track 2 set": exactly one is ticked.
inline constexpr int kTrack1SetBox = 0;
inline constexpr int kTrack2SetBox = 1;

// What a track choice shows: track 1 has no C start sentinel to choose,
// track 2 no alpha characters to delete.
struct MagInputTrack {
    bool track1 = true; // "Track 1 set" ticked ("Track 2 set" the opposite)
    Integer input1magtk = 1;
    bool cstart_enabled = false;
    bool alpdel_enabled = true;
    bool operator==(const MagInputTrack &) const = default;
};
MagInputTrack mag_input_track(bool track1);
// After a click that left box `box` (kTrack1SetBox or kTrack2SetBox) `ticked`.
MagInputTrack mag_input_track_after_click(int box, bool ticked);
// Shown for a stored `input1magtk`: 1 is track 1, anything else track 2.
MagInputTrack mag_input_track_for(Integer input1magtk);

} // namespace k52
