#include "screen_fixture.h"

#include "window/screens/wiemaginput_screen.h"

#include <memory>

namespace k52 {
namespace {

using test::ScreenFixture;

using WieMagInputTest = ScreenFixture;

TEST_F(WieMagInputTest, TrackSetLogicKeepsOneTicked) {
    ctx_.record.input1magtk = 1;
    ctx_.record.input1cstart = 1;
    auto s = shown_screen<WieMagInputScreen>();
    EXPECT_TRUE(s->track1_box()->isChecked());
    EXPECT_FALSE(s->cstart_box()->isEnabled());
    EXPECT_TRUE(s->alpdel_box()->isEnabled());

    click(s->track1_box()); // unticked: track 2 takes over
    EXPECT_FALSE(s->track1_box()->isChecked());
    EXPECT_TRUE(s->track2_box()->isChecked());
    EXPECT_TRUE(s->cstart_box()->isEnabled());
    EXPECT_FALSE(s->alpdel_box()->isEnabled());
    EXPECT_EQ(ctx_.record.input1magtk, 2);

    click(s->track2_box()); // unticked: back to track 1
    EXPECT_TRUE(s->track1_box()->isChecked());
    EXPECT_EQ(ctx_.record.input1magtk, 1);
    // The disabled "C Start" kept its tick and its field.
    EXPECT_TRUE(s->cstart_box()->isChecked());
    EXPECT_EQ(ctx_.record.input1cstart, 1);

    ctx_.record.input1magtk = 0; // any value but 1 shows track 2
    s->set_parms();
    EXPECT_TRUE(s->track2_box()->isChecked());
    EXPECT_FALSE(s->alpdel_box()->isEnabled());
}

} // namespace
} // namespace k52
