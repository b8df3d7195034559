#include "screen_fixture.h"

#include "window/screens/sermask_screen.h"

#include <QLineEdit>

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

TEST_F(SerMaskTest, KeyFiltersAndStoredNumbers) {
    ctx_.record.sermask1.entries[0].constant = 1;
    auto s = shown_screen<SerMaskScreen>();
    QLineEdit *value = s->value_edit(0, 0);
    retype(value, QStringLiteral("1g-f"));
    QTest::keyClicks(value, QStringLiteral("0")); // two characters at most
    EXPECT_EQ(ctx_.record.sermask1.entries[0].value, QStringLiteral("1F"));

    QLineEdit *start = s->start_edit(0, 1);
    retype(start, QStringLiteral("7a"));
    EXPECT_EQ(ctx_.record.sermask1.entries[1].start, 7);
    retype(s->length_edit(0, 1), QStringLiteral("123"));
    EXPECT_EQ(ctx_.record.sermask1.entries[1].length, 12);
    QTest::keyClick(start, Qt::Key_Backspace);
    EXPECT_EQ(ctx_.record.sermask1.entries[1].start, 0);
    retype(s->inputlen_edit(1), QStringLiteral("4x5"));
    EXPECT_EQ(ctx_.record.sermask2.inputlen, 45);
    EXPECT_EQ(ctx_.record.sermask3.inputlen, 0);
}

TEST_F(SerMaskTest, EverySetSurvivesSaveAndReload) {
    auto s = shown_screen<SerMaskScreen>();
    for (int set = 0; set < 3; ++set) {
        click(s->constant_box(set, set));
        retype(s->value_edit(set, set), QStringLiteral("a%1").arg(set + 1));
        retype(s->start_edit(set, 4), QString::number(10 + set));
        retype(s->length_edit(set, 4), QString::number(20 + set));
    }
    retype(s->inputlen_edit(1), QStringLiteral("32"));
    retype(s->inputlen_edit(2), QStringLiteral("33"));
    click(s->masking_box());
    EXPECT_EQ(ctx_.record.serinmask, 0);

    QString error;
    ASSERT_TRUE(ctx_.store.save_profile(QStringLiteral("Default"), false, ctx_.record, &error)) << error.toStdString();
    ctx_.record = ConfigRecord{};
    s->set_parms();
    ASSERT_TRUE(ctx_.store.load_profile(QStringLiteral("Default"), ctx_.record, &error)) << error.toStdString();
    s->set_parms();

    const MaskSet *sets[3] = {&ctx_.record.sermask1, &ctx_.record.sermask2, &ctx_.record.sermask3};
    for (int set = 0; set < 3; ++set) {
        const auto &e = sets[set]->entries;
        EXPECT_EQ(e[std::size_t(set)].constant, 1) << set;
        EXPECT_EQ(e[std::size_t(set)].value, QStringLiteral("A%1").arg(set + 1)) << set;
        EXPECT_EQ(e[4].start, 10 + set);
        EXPECT_EQ(e[4].length, 20 + set);
        EXPECT_TRUE(s->constant_box(set, set)->isChecked());
        EXPECT_EQ(s->value_edit(set, set)->text(), QStringLiteral("A%1").arg(set + 1));
        EXPECT_EQ(s->start_edit(set, 4)->text(), QString::number(10 + set));
    }
    EXPECT_EQ(ctx_.record.sermask2.entries[0].value, QStringLiteral("00")); // padded on save
    EXPECT_EQ(ctx_.record.sermask2.inputlen, 32);
    EXPECT_EQ(ctx_.record.sermask3.inputlen, 33);
    EXPECT_EQ(s->inputlen_edit(2)->text(), QStringLiteral("33"));
    EXPECT_EQ(ctx_.record.serinmask, 0);
    EXPECT_FALSE(s->masking_box()->isChecked());
}

} // namespace
} // namespace k52
