#include "screen_fixture.h"

#include "window/screens/wiemasking_screen.h"

#include <memory>

namespace k52 {
namespace {

using test::ScreenFixture;

class WieMaskingTest : public ScreenFixture {
protected:
    void SetUp() override {
        ScreenFixture::SetUp();
        for (int i = 0; i < kInputMaskRows; ++i)
            ctx_.record.*input_mask_fields(i)->constant = 0;
    }
};

TEST_F(WieMaskingTest, ConstantTickActsOnItsRowOnly) {
    ctx_.record.input1const3 = 1; // a loaded constant row shows its value
    ctx_.record.input1constval3 = QStringLiteral("C4");
    ctx_.record.input1start3 = 9;
    auto s = shown_screen<WieMaskingScreen>();
    EXPECT_TRUE(s->constant_box(2)->isChecked());
    EXPECT_EQ(s->value_edit(2)->text(), QStringLiteral("C4"));
    EXPECT_EQ(s->start_edit(2)->text(), QStringLiteral("9")); // disabled, kept
    EXPECT_EQ(ctx_.record.input1start3, 9);

    click(s->constant_box(5)); // mask 2, position 1
    EXPECT_EQ(ctx_.record.input1const21, 1);
    for (int i = 0; i < kInputMaskRows; ++i) {
        EXPECT_EQ(s->value_edit(i)->isEnabled(), i == 5 || i == 2) << i;
        EXPECT_EQ(s->length_edit(i)->isEnabled(), i != 5 && i != 2) << i;
        EXPECT_EQ(ctx_.record.*input_mask_fields(i)->constant, i == 5 || i == 2) << i;
    }
    click(s->constant_box(5));
    EXPECT_EQ(ctx_.record.input1const21, 0);
    EXPECT_FALSE(s->value_edit(5)->isEnabled());
}

} // namespace
} // namespace k52
