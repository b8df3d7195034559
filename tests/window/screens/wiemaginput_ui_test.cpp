#include "screen_fixture.h"

#include "window/screens/wiemaginput_screen.h"

#include <QLineEdit>

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
    EXPECT_FALSE(s->track2_box()->isChecked());
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

    click(s->track2_box()); // ticked
    EXPECT_FALSE(s->track1_box()->isChecked());
    EXPECT_EQ(ctx_.record.input1magtk, 2);
    click(s->track1_box()); // ticked
    EXPECT_FALSE(s->track2_box()->isChecked());
    EXPECT_EQ(ctx_.record.input1magtk, 1);
    // The disabled "C Start" kept its tick and its field.
    EXPECT_TRUE(s->cstart_box()->isChecked());
    EXPECT_EQ(ctx_.record.input1cstart, 1);

    ctx_.record.input1magtk = 0; // any value but 1 shows track 2
    s->set_parms();
    EXPECT_TRUE(s->track2_box()->isChecked());
    EXPECT_FALSE(s->alpdel_box()->isEnabled());
}

TEST_F(WieMagInputTest, FiltersLengthsAndSepTranslate) {
    auto s = shown_screen<WieMagInputScreen>();
    QLineEdit *len = s->maglen_edit();
    retype(len, QStringLiteral("1x0"));
    EXPECT_EQ(ctx_.record.input1maglen, 10);
    QTest::keyClicks(len, QStringLiteral("5"));
    EXPECT_EQ(len->text(), QStringLiteral("10"));

    QLineEdit *sep = s->septrans_edit();
    retype(sep, QStringLiteral("aG"));
    EXPECT_EQ(ctx_.record.input1septrans, QStringLiteral("A"));
    QTest::keyClick(sep, Qt::Key_Backspace);
    EXPECT_TRUE(ctx_.record.input1septrans.isEmpty()); // empty, not "0"

    retype(s->start_edit(0, 0), QStringLiteral("1234"));
    EXPECT_EQ(ctx_.record.input1wiesitestart, 123);
    retype(s->chars_edit(2, 1), QStringLiteral("456"));
    EXPECT_EQ(ctx_.record.input1idchars3, 45);
    retype(s->totalbits_edit(1), QStringLiteral("2b6"));
    EXPECT_EQ(ctx_.record.input1totalbits2, 26);
}

TEST_F(WieMagInputTest, EveryControlSurvivesSaveAndReload) {
    ctx_.record.input1magtk = 1;
    auto s = shown_screen<WieMagInputScreen>();
    for (int f = 0; f < kWieInputFormats; ++f) {
        for (int r = 0; r < kWieInputRows; ++r) {
            const int n = 10 * f + 3 * r;
            retype(s->start_edit(f, r), QString::number(100 + n));
            retype(s->length_edit(f, r), QString::number(n + 1));
            retype(s->chars_edit(f, r), QString::number(n + 2));
            if (s->lsb_box(f, r)->isChecked() != ((f + r) % 2 == 0))
                click(s->lsb_box(f, r));
        }
        retype(s->totalbits_edit(f), QString::number(26 + f));
    }
    click(s->track2_box());
    for (QCheckBox *b : {s->cstart_box(), s->ststop_box(), s->lrc_box(), s->dir_box()})
        if (!b->isChecked())
            click(b);
    ASSERT_FALSE(s->alpdel_box()->isEnabled());
    retype(s->maglen_edit(), QStringLiteral("37"));
    retype(s->septrans_edit(), QStringLiteral("3d"));

    const ConfigRecord edited = ctx_.record;
    QString error;
    ASSERT_TRUE(ctx_.store.save_profile(QStringLiteral("Default"), false, ctx_.record, &error)) << error.toStdString();
    ctx_.record = ConfigRecord{};
    ASSERT_TRUE(ctx_.store.load_profile(QStringLiteral("Default"), ctx_.record, &error)) << error.toStdString();
    EXPECT_EQ(ctx_.record, edited);
    // Each control edited its own column.
    const ConfigRecord &c = ctx_.record;
    EXPECT_EQ(c.input1wiesitestart, 100);
    EXPECT_EQ(c.input1wieidlen, 4);
    EXPECT_EQ(c.input1wieinsitelsb, 1);
    EXPECT_EQ(c.input1idchars2, 15);
    EXPECT_EQ(c.input1wieissuestart3, 126);
    EXPECT_EQ(c.input1totalbits3, 28);
    EXPECT_EQ(c.input1magtk, 2);
    EXPECT_EQ(c.input1ststop + c.input1lrc + c.input1dir + c.input1cstart, 4);
    EXPECT_EQ(c.input1maglen, 37);
    EXPECT_EQ(c.input1septrans, QStringLiteral("3D"));

    // The screen shows the reloaded record.
    s->set_parms();
    EXPECT_EQ(s->start_edit(2, 2)->text(), QStringLiteral("126"));
    EXPECT_TRUE(s->lsb_box(1, 1)->isChecked());
    EXPECT_FALSE(s->lsb_box(1, 0)->isChecked());
    EXPECT_TRUE(s->track2_box()->isChecked());
    EXPECT_EQ(s->septrans_edit()->text(), QStringLiteral("3D"));
}

} // namespace
} // namespace k52
