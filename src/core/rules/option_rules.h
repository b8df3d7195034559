#pragma once

// Pure rules of the option screens (magstripe output, preprocessors,
// Wiegand/magstripe input general settings): which box goes with which
// other and which code each choice stores.

#include "core/profile/config_record.h"
#include "core/profile/setting_places.h"

#include <QString>

#include <array>
#include <optional>

namespace k52 {

// Track boxes of the magstripe output screens: index 0 is "Track 2
// Emulation", index 1 is "Track 1 Emulation".
inline constexpr int kTrack2Box = 0;
inline constexpr int kTrack1Box = 1;

struct TrackBoxes {
    bool track1 = false;
    bool track2 = false;
    bool operator==(const TrackBoxes &) const = default;
};

// Serial-to-mag: the clicked box has become `ticked`; the other one takes
// the opposite state, so one of the two is always ticked.
TrackBoxes sertomag_track_boxes(int index, bool ticked);
// Digits 1 and 2 of `sermagparms` from the boxes (both cleared first).
void store_sertomag_tracks(MagParms &parms, TrackBoxes boxes);

// Mag output: outcome of a track click that left its box ticked. An unticked
// click changes nothing (std::nullopt): neither box ticked, field kept.
struct WieMagTrack {
    Integer input1magouttk = 1; // 1 track 1, 2 track 2
    bool sentinel_enabled = false;
    bool operator==(const WieMagTrack &) const = default;
};
std::optional<WieMagTrack> wiemagout_track_choice(int index, bool ticked);
// The box ticked by a stored `input1magouttk`: 2 is track 2, anything else track 1.
int wiemagout_box_for(Integer input1magouttk);

// Choice groups of the Wiegand/magstripe input general settings
// (input_type_choices() and the others of profile/setting_places.h). The
// index is the position of the choice in its group; the code is what the
// record stores. Out-of-range indexes give std::nullopt, and so do codes a
// group does not know (the group is then left as it was).
inline constexpr int kInputTypeChoices = 5;
inline constexpr int kConvTypeChoices = 7;
inline constexpr int kDumpModeChoices = 7;

std::optional<Integer> input_type_code(int index);
std::optional<int> input_type_index(Integer code);
std::optional<Integer> conv_type_code(int index);
std::optional<int> conv_type_index(Integer code);
std::optional<Integer> dump_mode_code(int index);
std::optional<int> dump_mode_index(Integer code);

} // namespace k52
