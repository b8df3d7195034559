#include "screen_fixture.h"

#include "window/screens/wiemasking_screen.h"

#include <QLineEdit>

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
    auto s = shown_screen<WieMaskingScreen>();
    click(s->constant_box(5)); // mask 2, position 1
    EXPECT_EQ(ctx_.record.input1const21, 1);
    for (int i = 0; i < kInputMaskRows; ++i) {
        EXPECT_EQ(s->value_edit(i)->isEnabled(), i == 5) << i;
        EXPECT_EQ(s->length_edit(i)->isEnabled(), i != 5) << i;
        EXPECT_EQ(ctx_.record.*input_mask_fields(i)->constant, i == 5) << i;
    }
    click(s->constant_box(5));
    EXPECT_EQ(ctx_.record.input1const21, 0);
    EXPECT_FALSE(s->value_edit(5)->isEnabled());
}

TEST_F(WieMaskingTest, LoadedConstantRowShowsItsValue) {
    ctx_.record.input1const3 = 1;
    ctx_.record.input1constval3 = QStringLiteral("C4");
    ctx_.record.input1start3 = 9;
    auto s = shown_screen<WieMaskingScreen>();
    EXPECT_TRUE(s->constant_box(2)->isChecked());
    EXPECT_EQ(s->value_edit(2)->text(), QStringLiteral("C4"));
    EXPECT_FALSE(s->start_edit(2)->isEnabled());
    EXPECT_EQ(s->start_edit(2)->text(), QStringLiteral("9")); // disabled, kept
    EXPECT_EQ(ctx_.record.input1start3, 9);
}

TEST_F(WieMaskingTest, FiltersAndSingleDigitValue) {
    ctx_.record.input1const35 = 1;
    auto s = shown_screen<WieMaskingScreen>();
    retype(s->value_edit(14), QStringLiteral("x7"));
    EXPECT_EQ(ctx_.record.input1constval35, QStringLiteral("7"));
    retype(s->start_edit(10), QStringLiteral("1a23"));
    EXPECT_EQ(ctx_.record.input1start31, 12);
}

TEST_F(WieMaskingTest, EveryRowSurvivesSaveAndReload) {
    auto s = shown_screen<WieMaskingScreen>();
    for (int i = 0; i < kInputMaskRows; ++i) {
        retype(s->start_edit(i), QString::number(i + 1));
        retype(s->length_edit(i), QString::number(i + 30));
        if (i % 4 == 1) {
            click(s->constant_box(i));
            retype(s->value_edit(i), QStringLiteral("e%1").arg(i % 10));
        }
    }
    QString error;
    ASSERT_TRUE(ctx_.store.save_profile(QStringLiteral("Default"), false, ctx_.record, &error)) << error.toStdString();
    ctx_.record = ConfigRecord{};
    ASSERT_TRUE(ctx_.store.load_profile(QStringLiteral("Default"), ctx_.record, &error)) << error.toStdString();
    EXPECT_EQ(ctx_.record.input1start1, 1);
    EXPECT_EQ(ctx_.record.input1len25, 39);
    EXPECT_EQ(ctx_.record.input1constval2, QStringLiteral("E1"));
    EXPECT_EQ(ctx_.record.input1constval21, QStringLiteral("E5"));
    EXPECT_EQ(ctx_.record.input1const22, 0);
    EXPECT_EQ(ctx_.record.input1const34, 1);
    EXPECT_EQ(ctx_.record.input1constval34, QStringLiteral("E3"));
    EXPECT_EQ(ctx_.record.input1start35, 15);
    s->set_parms();
    for (int i = 0; i < kInputMaskRows; ++i) {
        EXPECT_EQ(s->constant_box(i)->isChecked(), i % 4 == 1) << i;
        EXPECT_EQ(s->value_edit(i)->isEnabled(), i % 4 == 1) << i;
        EXPECT_EQ(s->start_edit(i)->text(), QString::number(i + 1));
    }
}

} // namespace
} // namespace k52
