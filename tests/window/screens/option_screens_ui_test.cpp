#include "screen_fixture.h"

#include "core/rules/option_rules.h"
#include "window/screens/magoutput_screen.h"
#include "window/screens/preprocess_screen.h"
#include "window/screens/wiesetup_screen.h"
#include "window/ui/base_screen.h"

#include <QLineEdit>

#include <algorithm>
#include <memory>

namespace k52 {
namespace {

using test::ScreenFixture;

QCheckBox *box(QWidget *w, const char *name) {
    return w->findChild<QCheckBox *>(QString::fromUtf8(name));
}

using SerToMagTest = ScreenFixture;
TEST_F(SerToMagTest, UntickingTheTickedTrackTicksTheOther) {
    ctx_.record.sermagparms = {1, 0, 1, 1, 1};
    auto s = shown_screen<MagOutputScreen>(kSerToMag);
    ASSERT_TRUE(s->track_box(kTrack1Box)->isChecked());
    for (const char *n : {"dataup", "cstart", "f2f"})
        EXPECT_TRUE(box(s.get(), n)->isChecked()) << n;
    click(s->track_box(kTrack1Box));
    EXPECT_TRUE(s->track_box(kTrack2Box)->isChecked());
    EXPECT_EQ(ctx_.record.sermagparms, (MagParms{0, 1, 1, 1, 1}));
    click(s->track_box(kTrack1Box));
    EXPECT_FALSE(s->track_box(kTrack2Box)->isChecked());
    EXPECT_EQ(ctx_.record.sermagparms, (MagParms{1, 0, 1, 1, 1}));
    EXPECT_TRUE(box(s.get(), "cstart")->isEnabled()); // sentinel stays enabled for track 1

    // Neither digit set: the track logic still leaves exactly one ticked.
    ctx_.record.sermagparms = {0, 0, 0, 0, 0};
    s->set_parms();
    EXPECT_NE(s->track_box(kTrack1Box)->isChecked(), s->track_box(kTrack2Box)->isChecked());
    EXPECT_EQ(ctx_.record.sermagparms[0] + ctx_.record.sermagparms[1], 1);
}

using WieMagOutTest = ScreenFixture;
TEST_F(WieMagOutTest, Track1DisablesSentinelButKeepsIt) {
    ctx_.record.input1magouttk = 0; // unknown: loads as track 1
    ctx_.record.input1magcstart = 1;
    ctx_.record.input1magoutf2f = 1;
    auto s = shown_screen<MagOutputScreen>(kWieMagOut);
    QCheckBox *cstart = box(s.get(), "cstart");
    EXPECT_TRUE(s->track_box(kTrack1Box)->isChecked());
    EXPECT_EQ(ctx_.record.input1magouttk, 1);
    EXPECT_FALSE(cstart->isEnabled());
    EXPECT_TRUE(box(s.get(), "f2f")->isChecked());
    // set_parms enables every control before the track rule applies.
    ctx_.record.input1magouttk = 2;
    s->set_parms();
    EXPECT_TRUE(s->track_box(kTrack2Box)->isChecked());
    EXPECT_TRUE(cstart->isEnabled());

    click(s->track_box(kTrack1Box));
    EXPECT_FALSE(s->track_box(kTrack2Box)->isChecked());
    EXPECT_FALSE(cstart->isEnabled());
    EXPECT_TRUE(cstart->isChecked());
    EXPECT_EQ(ctx_.record.input1magcstart, 1);
    EXPECT_EQ(ctx_.record.input1magouttk, 1);
    // Unticking the ticked track leaves none ticked and the field as it was.
    click(s->track_box(kTrack1Box));
    EXPECT_FALSE(s->track_box(kTrack1Box)->isChecked());
    EXPECT_FALSE(s->track_box(kTrack2Box)->isChecked());
    EXPECT_EQ(ctx_.record.input1magouttk, 1);
}

class PreprocessTest : public ScreenFixture {
protected:
    void SetUp() override {
        ScreenFixture::SetUp();
        ctx_.record.hexprepro = 1;
        ctx_.record.amtech26encpre = 0;
        ctx_.record.seralphasub = 0;
        ctx_.record.hexsitestart = 12;
        ctx_.record.hextotalbits = 34;
    }
    QLineEdit *edit(QWidget *w, const char *name) { return w->findChild<QLineEdit *>(QString::fromUtf8(name)); }
};

TEST_F(PreprocessTest, AtMostOnePreprocessorOn) {
    auto s = shown_screen<PreprocessScreen>();
    QLineEdit *site = edit(s.get(), "hexsitestart");
    ASSERT_TRUE(s->on_box(PreprocessScreen::Hex)->isChecked());
    EXPECT_TRUE(site->isEnabled());

    click(s->on_box(PreprocessScreen::AlphaSub));
    EXPECT_FALSE(s->on_box(PreprocessScreen::Hex)->isChecked());
    EXPECT_EQ(ctx_.record.hexprepro, 0);
    EXPECT_EQ(ctx_.record.seralphasub, 1);
    EXPECT_FALSE(site->isEnabled());
    EXPECT_FALSE(box(s.get(), "hextrimleading")->isEnabled());
    // Disabled parameters keep their values.
    EXPECT_EQ(site->text(), QStringLiteral("12"));
    EXPECT_EQ(ctx_.record.hexsitestart, 12);

    click(s->on_box(PreprocessScreen::Amtech));
    EXPECT_EQ(ctx_.record.seralphasub, 0);
    EXPECT_EQ(ctx_.record.amtech26encpre, 1);
    click(s->on_box(PreprocessScreen::Amtech));
    EXPECT_EQ(ctx_.record.hexprepro + ctx_.record.amtech26encpre + ctx_.record.seralphasub, 0);

    // A record with two on (a hand-edited database) loads with one.
    ctx_.record.hexprepro = 1;
    ctx_.record.seralphasub = 1;
    s->set_parms();
    EXPECT_EQ(ctx_.record.hexprepro + ctx_.record.amtech26encpre + ctx_.record.seralphasub, 1);
    int ticked = 0;
    for (auto p : {PreprocessScreen::Hex, PreprocessScreen::Amtech, PreprocessScreen::AlphaSub})
        ticked += s->on_box(p)->isChecked();
    EXPECT_EQ(ticked, 1);
}

using WieSetupTest = ScreenFixture;
TEST_F(WieSetupTest, ClicksStoreTheGroupCodes) {
    auto s = shown_screen<WieSetupScreen>();
    const std::vector<Integer> input{1, 2, 5, 3, 4};
    for (int i = 0; i < int(input.size()); ++i) {
        click(s->input_type_boxes()[std::size_t(i)]);
        EXPECT_EQ(ctx_.record.input1type, input[std::size_t(i)]) << i;
    }
    const std::vector<Integer> conv{3, 1, 2, 5, 8, 7, 4};
    for (int i = 0; i < int(conv.size()); ++i) {
        click(s->conv_type_boxes()[std::size_t(i)]);
        EXPECT_EQ(ctx_.record.input1convtype, conv[std::size_t(i)]) << i;
    }
    click(s->dump_mode_boxes()[6]);
    click(s->dump_mode_boxes()[2]);
    EXPECT_EQ(ctx_.record.dumpmodestyle, 2);
    // One choice holds in each group.
    for (const auto *group : {&s->input_type_boxes(), &s->conv_type_boxes(), &s->dump_mode_boxes()})
        EXPECT_EQ(std::count_if(group->begin(), group->end(), [](QCheckBox *b) { return b->isChecked(); }), 1);

    // Clicking the ticked choice keeps it ticked and stores its code again.
    ctx_.record.input1convtype = 0;
    click(s->conv_type_boxes()[6]);
    EXPECT_TRUE(s->conv_type_boxes()[6]->isChecked());
    EXPECT_EQ(ctx_.record.input1convtype, 4);
}

TEST_F(WieSetupTest, SeededDefaultTicksOneChoiceInEveryGroup) {
    auto s = shown_screen<WieSetupScreen>(); // the fixture loads "Default"
    for (const auto *group : {&s->input_type_boxes(), &s->conv_type_boxes(), &s->dump_mode_boxes()})
        EXPECT_EQ(std::count_if(group->begin(), group->end(), [](QCheckBox *b) { return b->isChecked(); }), 1);
}

TEST_F(WieSetupTest, UnknownCodesLeaveGroupsAsTheyWere) {
    ctx_.record.input1type = 3;
    ctx_.record.input1convtype = 8;
    ctx_.record.dumpmodestyle = 5;
    auto s = shown_screen<WieSetupScreen>();
    EXPECT_TRUE(s->input_type_boxes()[3]->isChecked());
    EXPECT_TRUE(s->conv_type_boxes()[4]->isChecked());
    EXPECT_TRUE(s->dump_mode_boxes()[5]->isChecked());

    ctx_.record.input1type = 0;
    ctx_.record.input1convtype = 6;
    ctx_.record.dumpmodestyle = 9;
    s->set_parms();
    EXPECT_TRUE(s->input_type_boxes()[3]->isChecked());
    EXPECT_TRUE(s->conv_type_boxes()[4]->isChecked());
    EXPECT_TRUE(s->dump_mode_boxes()[5]->isChecked());
    EXPECT_EQ(ctx_.record.input1convtype, 6); // not rewritten either
    EXPECT_EQ(ctx_.record.dumpmodestyle, 9);
}

} // namespace
} // namespace k52
