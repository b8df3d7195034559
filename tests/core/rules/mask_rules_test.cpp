#include "core/rules/input_format_rules.h"
#include "core/rules/mask_rules.h"

#include <gtest/gtest.h>

#include <set>

namespace k52 {
namespace {

TEST(MaskRules, ConstantEntryTakesOnlyItsValue) {
    EXPECT_EQ(mask_entry_enables(true), (MaskEntryEnables{false, true}));
    EXPECT_EQ(mask_entry_enables(false), (MaskEntryEnables{true, false}));
}

TEST(MaskRules, InputMaskRowsAreMaskThenPosition) {
    ConfigRecord r;
    for (int i = 0; i < kInputMaskRows; ++i) {
        const InputMaskFields f = *input_mask_fields(i);
        r.*f.constant = Integer(100 + i);
        r.*f.start = Integer(200 + i);
        r.*f.length = Integer(300 + i);
        r.*f.value = QString::number(i);
    }
    // No two rows share a field.
    for (int i = 0; i < kInputMaskRows; ++i) {
        const InputMaskFields f = *input_mask_fields(i);
        EXPECT_EQ(r.*f.constant, 100 + i);
        EXPECT_EQ(r.*f.start, 200 + i);
        EXPECT_EQ(r.*f.length, 300 + i);
        EXPECT_EQ(r.*f.value, QString::number(i));
    }
    EXPECT_EQ(r.input1start5, 204);
    EXPECT_EQ(r.input1const21, 105);
    EXPECT_EQ(r.input1len23, 307);
    EXPECT_EQ(r.input1constval35, QStringLiteral("14"));
    EXPECT_EQ(input_mask_fields(15), std::nullopt);
    EXPECT_EQ(input_mask_fields(-1), std::nullopt);
}

TEST(InputFormatRules, FormatRowsEditTheirOwnFields) {
    ConfigRecord r;
    std::set<Integer> seen;
    Integer n = 1;
    for (int f = 0; f < kWieInputFormats; ++f) {
        const WieInputFormat &fmt = wie_input_format(f);
        for (const WieInputRow &row : fmt.rows)
            for (auto field : {row.start, row.length, row.lsb, row.chars})
                r.*field = n++;
        r.*fmt.totalbits = n++;
    }
    for (int f = 0; f < kWieInputFormats; ++f) {
        const WieInputFormat &fmt = wie_input_format(f);
        for (const WieInputRow &row : fmt.rows)
            for (auto field : {row.start, row.length, row.lsb, row.chars})
                seen.insert(r.*field);
        seen.insert(r.*fmt.totalbits);
    }
    EXPECT_EQ(seen.size(), 39u); // 39 distinct fields
    // Format 1 site row, format 2 ID row, format 3 issue row and totals.
    EXPECT_EQ(r.input1wieinsitelsb, 3);
    EXPECT_EQ(r.input1totalbits, 13);
    EXPECT_EQ(r.input1wieidlen2, 19);
    EXPECT_EQ(r.input1idchars2, 21);
    EXPECT_EQ(r.input1wieissuestart3, 35);
    EXPECT_EQ(r.input1totalbits3, 39);
}

TEST(InputFormatRules, OneTrackAlwaysSet) {
    const MagInputTrack t1{true, 1, false, true};
    const MagInputTrack t2{false, 2, true, false};
    EXPECT_EQ(mag_input_track_after_click(kTrack1SetBox, true), t1);
    EXPECT_EQ(mag_input_track_after_click(kTrack1SetBox, false), t2);
    EXPECT_EQ(mag_input_track_after_click(kTrack2SetBox, true), t2);
    EXPECT_EQ(mag_input_track_after_click(kTrack2SetBox, false), t1);
    EXPECT_EQ(mag_input_track_for(1), t1);
    for (Integer other : {0, 2, 3, -1})
        EXPECT_EQ(mag_input_track_for(other), t2) << other;
}

} // namespace
} // namespace k52
