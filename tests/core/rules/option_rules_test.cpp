#include "core/rules/option_rules.h"

#include <gtest/gtest.h>

namespace k52 {
namespace {

TEST(OptionRules, SerToMagAlwaysKeepsOneTrack) {
    EXPECT_EQ(sertomag_track_boxes(kTrack1Box, false), (TrackBoxes{false, true}));
    EXPECT_EQ(sertomag_track_boxes(kTrack1Box, true), (TrackBoxes{true, false}));
    EXPECT_EQ(sertomag_track_boxes(kTrack2Box, false), (TrackBoxes{true, false}));
    EXPECT_EQ(sertomag_track_boxes(kTrack2Box, true), (TrackBoxes{false, true}));

    MagParms p{1, 1, 1, 0, 1};
    store_sertomag_tracks(p, {false, true});
    EXPECT_EQ(p, (MagParms{0, 1, 1, 0, 1})); // digits 3-5 untouched
}

TEST(OptionRules, WieMagOutActsOnlyOnTick) {
    for (int box : {kTrack1Box, kTrack2Box})
        EXPECT_EQ(wiemagout_track_choice(box, false), std::nullopt);
    EXPECT_EQ(wiemagout_track_choice(kTrack1Box, true), (WieMagTrack{1, false}));
    EXPECT_EQ(wiemagout_track_choice(kTrack2Box, true), (WieMagTrack{2, true}));
    EXPECT_EQ(wiemagout_box_for(2), kTrack2Box);
    for (Integer other : {0, 1, 3, -1})
        EXPECT_EQ(wiemagout_box_for(other), kTrack1Box);
}

TEST(OptionRules, ChoiceIndexesMapToStoredCodes) {
    const std::vector<Integer> input{1, 2, 5, 3, 4};
    const std::vector<Integer> conv{3, 1, 2, 5, 8, 7, 4};
    for (int i = 0; i < int(input.size()); ++i) {
        EXPECT_EQ(input_type_code(i), input[std::size_t(i)]) << i;
        EXPECT_EQ(input_type_index(input[std::size_t(i)]), i);
    }
    for (int i = 0; i < int(conv.size()); ++i) {
        EXPECT_EQ(conv_type_code(i), conv[std::size_t(i)]) << i;
        EXPECT_EQ(conv_type_index(conv[std::size_t(i)]), i);
    }
    for (int i = 0; i < kDumpModeChoices; ++i)
        EXPECT_EQ(dump_mode_index(*dump_mode_code(i)), i);

    // Codes and positions no group knows.
    for (Integer c : {0, 6, 9, -1})
        EXPECT_EQ(conv_type_index(c), std::nullopt) << c;
    for (Integer c : {0, 6, -3})
        EXPECT_EQ(input_type_index(c), std::nullopt) << c;
    EXPECT_EQ(dump_mode_index(7), std::nullopt);
    EXPECT_EQ(input_type_code(5), std::nullopt);
    EXPECT_EQ(conv_type_code(-1), std::nullopt);
    EXPECT_EQ(dump_mode_code(7), std::nullopt);
}

} // namespace
} // namespace k52
