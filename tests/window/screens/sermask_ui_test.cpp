#include "screen_fixture.h"

#include "window/screens/sermask_screen.h"

#include <memory>

namespace k52 {
namespace {

using test::ScreenFixture;

class SerMaskTest : public ScreenFixture {
protected:
    void SetUp() override {
        ScreenFixture::SetUp();
        ctx_.record.serinmask = 1;
        for (MaskSet *m : {&ctx_.record.sermask1, &ctx_.record.sermask2, &ctx_.record.sermask3})
            *m = MaskSet{};
    }
};

TEST_F(SerMaskTest, MaskingOffDisablesAndKeepsValues) {
    ctx_.record.sermask2.entries[0] = {1, 0, 0, QStringLiteral("3A")};
    ctx_.record.sermask3.entries[1] = {0, 7, 12, QString()};
    ctx_.record.sermask3.inputlen = 20;
    auto s = shown_screen<SerMaskScreen>();
    click(s->masking_box());
    EXPECT_EQ(ctx_.record.serinmask, 0);
    for (int set = 0; set < 3; ++set)
        for (int i = 0; i < 5; ++i)
            for (QWidget *w : std::initializer_list<QWidget *>{s->constant_box(set, i), s->start_edit(set, i),
                                                               s->length_edit(set, i), s->value_edit(set, i)})
                EXPECT_FALSE(w->isEnabled()) << set << i;
    EXPECT_FALSE(s->inputlen_edit(2)->isEnabled());
    EXPECT_EQ(s->value_edit(1, 0)->text(), QStringLiteral("3A"));
    EXPECT_EQ(s->length_edit(2, 1)->text(), QStringLiteral("12"));
    EXPECT_TRUE(s->constant_box(1, 0)->isChecked());

    // Back on: each entry offers the boxes its rule gives.
    click(s->masking_box());
    EXPECT_EQ(ctx_.record.serinmask, 1);
    EXPECT_TRUE(s->value_edit(1, 0)->isEnabled());
    EXPECT_FALSE(s->start_edit(1, 0)->isEnabled());
    EXPECT_TRUE(s->start_edit(2, 1)->isEnabled());
    EXPECT_FALSE(s->value_edit(2, 1)->isEnabled());
    EXPECT_TRUE(s->inputlen_edit(2)->isEnabled());
    EXPECT_EQ(ctx_.record.sermask2.entries[0], (MaskEntry{1, 0, 0, QStringLiteral("3A")}));
    EXPECT_EQ(ctx_.record.sermask3.inputlen, 20);

    // A refresh with masking off leaves every control disabled.
    ctx_.record.serinmask = 0;
    s->set_parms();
    EXPECT_FALSE(s->masking_box()->isChecked());
    EXPECT_FALSE(s->value_edit(1, 0)->isEnabled());
    EXPECT_FALSE(s->start_edit(0, 0)->isEnabled());
}

TEST_F(SerMaskTest, ConstantBoxRuleActsOnItsEntryOnly) {
    auto s = shown_screen<SerMaskScreen>();
    click(s->constant_box(1, 2));
    EXPECT_EQ(ctx_.record.sermask2.entries[2].constant, 1);
    EXPECT_FALSE(s->length_edit(1, 2)->isEnabled());
    EXPECT_TRUE(s->value_edit(1, 2)->isEnabled());
    for (int set = 0; set < 3; ++set)
        for (int i = 0; i < 5; ++i) {
            if (set == 1 && i == 2)
                continue;
            EXPECT_EQ((ctx_.record.*sermask_set(set)).entries[std::size_t(i)].constant, 0);
            EXPECT_TRUE(s->start_edit(set, i)->isEnabled());
            EXPECT_FALSE(s->value_edit(set, i)->isEnabled());
        }
    click(s->constant_box(1, 2));
    EXPECT_EQ(ctx_.record.sermask2.entries[2].constant, 0);
    EXPECT_TRUE(s->start_edit(1, 2)->isEnabled());
    EXPECT_FALSE(s->value_edit(1, 2)->isEnabled());
}

} // namespace
} // namespace k52
