// The Wiegand output editor on both of its screens.
#include "screen_fixture.h"

#include "window/app/navigation.h"
#include "window/screens/card_test_panel.h"
#include "window/screens/wiegand_output_editor.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>

#include <memory>

namespace k52 {
namespace {

using R = ConfigRecord;
using IntField = Integer R::*;
using TextField = QString R::*;
using Editor = WiegandOutputEditor;

// The columns each screen edits, listed apart from the screen's own table.
struct Columns {
    std::array<IntField, 3> extract, start, len;
    std::array<IntField, 4> bits, lsb;
    std::array<IntField, 3> overflag;
    std::array<TextField, 4> over;
    IntField parity, lpbits, rpbits, lp, rp;
    std::array<IntField, 4> field;
    TextField lpmask, rpmask;
};

const Columns kSerial{{&R::serwieextractsite, &R::serwieextractid, &R::serwieextractissue},
                      {&R::serwiesitestart, &R::serwieidstart, &R::serwieissuestart},
                      {&R::serwiesitelen, &R::serwieidlen, &R::serwieissuelen},
                      {&R::serwiesitebits, &R::serwieidbits, &R::serwieissuebits, &R::serwieconstbits},
                      {&R::serwiesitelsb, &R::serwieidlsb, &R::serwieissuelsb, &R::serwieconstlsb},
                      {&R::serwieoversite, &R::serwieoverid, &R::serwieoverissue},
                      {&R::serwiesiteover, &R::serwieidover, &R::serwieissueover, &R::serwieconstover},
                      &R::serwieparity,
                      &R::serwielpbits,
                      &R::serwierpbits,
                      &R::serwielp,
                      &R::serwierp,
                      {&R::serwiefield1, &R::serwiefield2, &R::serwiefield3, &R::serwiefield4},
                      &R::serwielpmask,
                      &R::serwierpmask};

const Columns kWiegand{{&R::input1wieextractsite, &R::input1wieextractid, &R::input1wieextractissue},
                       {&R::input1wiesitechrstart, &R::input1wieidchrstart, &R::input1wieissuechrstart},
                       {&R::input1wiesitechrlen, &R::input1wieidchrlen, &R::input1wieissuechrlen},
                       {&R::input1wiesitebits, &R::input1wieidbits, &R::input1wieissuebits, &R::input1wieconstbits},
                       {&R::input1wiesitelsb, &R::input1wieidlsb, &R::input1wieissuelsb, &R::input1wieconstlsb},
                       {&R::input1wieoversite, &R::input1wieoverid, &R::input1wieoverissue},
                       {&R::input1wiesiteover, &R::input1wieidover, &R::input1wieissueover, &R::input1wieconstover},
                       &R::input1wieparity,
                       &R::input1wielpbits,
                       &R::input1wierpbits,
                       &R::input1wielp,
                       &R::input1wierp,
                       {&R::input1wiefield1, &R::input1wiefield2, &R::input1wiefield3, &R::input1wiefield4},
                       &R::input1wielpmask,
                       &R::input1wierpmask};

void type_into(QLineEdit *e, const QString &text) {
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Backspace);
    QTest::keyClicks(e, text);
}

class WiegandEditorTest : public test::ScreenFixture, public ::testing::WithParamInterface<const char *> {
protected:
    void SetUp() override {
        ScreenFixture::SetUp();
        serial = QString::fromUtf8(GetParam()) == QLatin1String("sertowie");
        cols = serial ? &kSerial : &kWiegand;
        // A 26-bit format: Standard parity, Left Even, Right Odd, site then ID.
        R &r = ctx_.record;
        for (std::size_t f = 0; f < 4; ++f) {
            r.*cols->bits[f] = f == 0 ? 8 : f == 1 ? 16 : 0;
            r.*cols->field[f] = f < 2 ? Integer(f + 1) : 0;
        }
        r.*cols->parity = 1;
        r.*cols->lp = 0;
        r.*cols->rp = 0;
        r.*cols->lpbits = 12;
        r.*cols->rpbits = 13;
        r.*cols->lpmask = QStringLiteral("FFF0000000000000");
        r.*cols->rpmask = QStringLiteral("0000000000000FFF");
        BaseScreen *s = create_screen(QString::fromUtf8(GetParam()), ctx_, nullptr);
        ed.reset(dynamic_cast<Editor *>(s));
        ASSERT_NE(ed, nullptr);
        ed->show();
        ed->set_parms();
    }

    const QString twenty_six = QStringLiteral("E") + QString(8, u's') + QString(16, u'b') + QStringLiteral("O");
    bool serial = false;
    const Columns *cols = nullptr;
    std::unique_ptr<Editor> ed;
};

TEST_P(WiegandEditorTest, CaptionsOfTheVariant) {
    EXPECT_EQ(ed->windowTitle(), serial ? QStringLiteral("Serial Input  to Wiegand Output Options")
                                        : QStringLiteral("Wiegand and Magstripe Input to Wiegand Output Options"));
    const QString value = serial ? QStringLiteral("Value (hex):") : QStringLiteral("Value (hex)");
    int value_labels = 0;
    for (QLabel *l : ed->findChildren<QLabel *>())
        value_labels += l->text() == value;
    EXPECT_EQ(value_labels, 3);

    // Both screens are one grey.
    EXPECT_EQ(ed->extract_box(0)->palette().color(QPalette::Window), QColor(192, 192, 192));
}

// Each box shows its own column, and an edit in it changes that column and
// no other.
TEST_P(WiegandEditorTest, EveryControlShowsAndStoresItsColumn) {
    R &r = ctx_.record;
    std::vector<std::pair<QLineEdit *, IntField>> numbers{{ed->left_bits_box(), cols->lpbits},
                                                          {ed->right_bits_box(), cols->rpbits}};
    std::vector<std::pair<QCheckBox *, IntField>> flags;
    std::vector<std::pair<QLineEdit *, TextField>> texts{{ed->left_mask_box(), cols->lpmask},
                                                         {ed->right_mask_box(), cols->rpmask}};
    for (std::size_t i = 0; i < 3; ++i) {
        numbers.insert(numbers.end(),
                       {{ed->start_box(int(i)), cols->start[i]}, {ed->length_box(int(i)), cols->len[i]}});
        flags.insert(flags.end(),
                     {{ed->extract_box(int(i)), cols->extract[i]}, {ed->override_box(int(i)), cols->overflag[i]}});
    }
    for (std::size_t f = 0; f < 4; ++f) { // after these, the LSB boxes
        numbers.push_back({ed->bits_box(int(f)), cols->bits[f]});
        flags.push_back({ed->lsb_box(int(f)), cols->lsb[f]});
        texts.push_back({ed->value_box(int(f)), cols->over[f]});
    }
    for (std::size_t k = 0; k < numbers.size(); ++k)
        r.*numbers[k].second = Integer(10 + k);
    for (std::size_t k = 0; k < flags.size(); ++k)
        r.*flags[k].second = Integer(k % 3 == 1);
    for (std::size_t k = 0; k < texts.size(); ++k)
        r.*texts[k].second = QStringLiteral("A%1").arg(k);
    ed->set_parms();
    for (std::size_t k = 0; k < numbers.size(); ++k)
        EXPECT_EQ(numbers[k].first->text(), QString::number(10 + k)) << k;
    for (std::size_t k = 0; k < flags.size(); ++k)
        EXPECT_EQ(flags[k].first->isChecked(), k % 3 == 1) << k;
    for (std::size_t k = 0; k < texts.size(); ++k)
        EXPECT_EQ(texts[k].first->text(), QStringLiteral("A%1").arg(k)) << k;
    // A field's start and length follow its Extract tick, its value its Override.
    const auto expect_enabled = [&] {
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(ed->start_box(i)->isEnabled(), ed->extract_box(i)->isChecked()) << i;
            EXPECT_EQ(ed->length_box(i)->isEnabled(), ed->extract_box(i)->isChecked()) << i;
            EXPECT_EQ(ed->value_box(i)->isEnabled(), ed->override_box(i)->isChecked()) << i;
        }
    };
    expect_enabled();

    R want = r;
    for (std::size_t k = 0; k < numbers.size(); ++k) {
        numbers[k].first->setEnabled(true);
        type_into(numbers[k].first, QString::number(50 + k));
        want.*numbers[k].second = Integer(50 + k);
        EXPECT_EQ(r, want) << k;
    }
    for (std::size_t k = 0; k < flags.size(); ++k) {
        const QString before = ed->letters();
        click(flags[k].first);
        want.*flags[k].second = Integer(k % 3 != 1);
        EXPECT_EQ(r, want) << k;
        if (k >= 6) {
            EXPECT_EQ(ed->letters(), before); // LSB is not drawn
        }
    }
    expect_enabled();
    for (std::size_t k = 0; k < texts.size(); ++k) {
        texts[k].first->setEnabled(true);
        type_into(texts[k].first, QStringLiteral("b%1").arg(k));
        want.*texts[k].second = QStringLiteral("B%1").arg(k);
        EXPECT_EQ(r, want) << k;
    }
    click(ed->order_box(3, 3));
    want.*cols->field[3] = 4;
    EXPECT_EQ(r, want);
}

TEST_P(WiegandEditorTest, PreviewAndPictureFollowTheBoxes) {
    EXPECT_EQ(ed->preview_text(), twenty_six);
    EXPECT_EQ(ed->picture()->layout_of_cells().total_bits, 26);
    EXPECT_EQ(ed->picture()->layout_of_cells().cells[1].kind, CellKind::Site);

    type_into(ed->bits_box(1), QStringLiteral("99"));
    click(ed->order_box(2, 1));
    click(ed->order_box(3, 1)); // ID in three rows: 8 + 297 + 2 bits
    const QString letters = ed->letters();
    ASSERT_EQ(letters.size(), 307);
    EXPECT_EQ(ed->preview_text(), format_preview_text(letters));
    EXPECT_EQ(ed->preview_text().count(QChar(13)), 2);
    // On the screen every bit shows: the fourth line goes on past the third.
    EXPECT_EQ(ed->preview()->text().count(QChar(10)), 3);
    EXPECT_EQ(QString(ed->preview()->text()).remove(QChar(10)), letters);
    EXPECT_EQ(ed->picture()->layout_of_cells().total_bits, 307);

    // A fresh screen shows "Format:" until it is first drawn.
    BaseScreen *fresh = create_screen(QString::fromUtf8(GetParam()), ctx_, nullptr);
    std::unique_ptr<Editor> other(dynamic_cast<Editor *>(fresh));
    EXPECT_EQ(other->preview_text(), QStringLiteral("Format:"));
    EXPECT_EQ(other->preview()->text(), QStringLiteral("Format:"));
    other->after_show();
    EXPECT_EQ(other->preview_text(), QString());
}

TEST_P(WiegandEditorTest, ParityClickRules) {
    R &r = ctx_.record;
    ASSERT_TRUE(ed->parity_box(Editor::Standard)->isChecked());
    click(ed->parity_box(Editor::Standard)); // stays Standard
    EXPECT_TRUE(ed->parity_box(Editor::Standard)->isChecked());
    EXPECT_EQ(r.*cols->parity, 1);

    click(ed->parity_box(Editor::Mask));
    EXPECT_FALSE(ed->parity_box(Editor::Standard)->isChecked());
    EXPECT_EQ(r.*cols->parity, 2);
    EXPECT_TRUE(ed->left_even()->isEnabled());
    EXPECT_FALSE(ed->right_bits_box()->isEnabled());
    EXPECT_TRUE(ed->left_mask_box()->isEnabled());
    EXPECT_EQ(ed->letters().front(), QChar(u'M'));
    click(ed->parity_box(Editor::Mask)); // the checked Mask goes to Standard
    EXPECT_TRUE(ed->parity_box(Editor::Standard)->isChecked());
    EXPECT_EQ(r.*cols->parity, 1);
    EXPECT_FALSE(ed->left_mask_box()->isEnabled());

    click(ed->parity_box(Editor::None));
    EXPECT_EQ(r.*cols->parity, 0);
    EXPECT_EQ(ed->letters(), QString(8, u's') + QString(16, u'b'));
    for (QWidget *w : std::initializer_list<QWidget *>{ed->left_even(), ed->left_odd(), ed->right_even(),
                                                       ed->right_odd(), ed->left_bits_box(), ed->right_bits_box(),
                                                       ed->left_mask_box(), ed->right_mask_box()})
        EXPECT_FALSE(w->isEnabled());
    // Disabled, yet keeping their values.
    EXPECT_EQ(ed->left_bits_box()->text(), QStringLiteral("12"));
    EXPECT_EQ(r.*cols->rpbits, 13);
    EXPECT_EQ(r.*cols->lpmask, QStringLiteral("FFF0000000000000"));
    EXPECT_TRUE(ed->left_even()->isChecked());
    click(ed->parity_box(Editor::None)); // the checked None goes to Standard
    EXPECT_TRUE(ed->parity_box(Editor::Standard)->isChecked());
    EXPECT_EQ(r.*cols->parity, 1);
    EXPECT_EQ(ed->letters(), twenty_six);
}

TEST_P(WiegandEditorTest, UnknownStoredCodesLeaveGroupsUnchecked) {
    R &r = ctx_.record;
    click(ed->parity_box(Editor::Mask));
    r.*cols->parity = 5;
    r.*cols->field[0] = 7;
    ed->set_parms();
    for (auto b : {Editor::Standard, Editor::Mask, Editor::None})
        EXPECT_FALSE(ed->parity_box(b)->isChecked());
    // Neither stored back by the group's own notifications, nor re-enabled.
    EXPECT_EQ(r.*cols->parity, 5);
    EXPECT_FALSE(ed->left_bits_box()->isEnabled());
    EXPECT_TRUE(ed->left_mask_box()->isEnabled());
    for (int b = 0; b < Editor::kOrderBoxes; ++b)
        EXPECT_FALSE(ed->order_box(0, b)->isChecked());
    EXPECT_EQ(r.*cols->field[0], 7);
    // No parity box ticked: the senses are still drawn.
    EXPECT_EQ(ed->letters(), QStringLiteral("E") + QString(16, u'b') + QStringLiteral("O"));

    // A flag other than 0 or 1 leaves its box unchecked. The serial screen's
    // refresh applies every LSB and Override box and so stores 0; the
    // Wiegand screen applies a box only when its state changes.
    r.*cols->lsb[1] = r.*cols->overflag[0] = 0;
    ed->set_parms();
    r.*cols->lsb[1] = r.*cols->overflag[0] = r.*cols->extract[2] = 2;
    ed->set_parms();
    EXPECT_FALSE(ed->lsb_box(1)->isChecked());
    EXPECT_EQ(r.*cols->lsb[1], serial ? 0 : 2);
    EXPECT_EQ(r.*cols->overflag[0], serial ? 0 : 2);
    EXPECT_EQ(r.*cols->extract[2], 0); // extract boxes are applied on both
}

TEST_P(WiegandEditorTest, OrderRowClickRules) {
    R &r = ctx_.record;
    click(ed->order_box(0, 0)); // the checked Site goes to None
    EXPECT_TRUE(ed->order_box(0, 4)->isChecked());
    EXPECT_FALSE(ed->order_box(0, 0)->isChecked());
    EXPECT_EQ(r.*cols->field[0], 0);
    click(ed->order_box(0, 3));
    click(ed->order_box(0, 1));
    EXPECT_EQ(r.*cols->field[0], 2);
    for (int b = 0; b < Editor::kOrderBoxes; ++b)
        EXPECT_EQ(ed->order_box(0, b)->isChecked(), b == 1);
    click(ed->order_box(0, 4));
    click(ed->order_box(0, 4)); // None stays None
    EXPECT_TRUE(ed->order_box(0, 4)->isChecked());

    // A field may stand in two rows.
    type_into(ed->bits_box(0), QStringLiteral("4"));
    click(ed->order_box(0, 0));
    click(ed->order_box(2, 0));
    EXPECT_EQ(ed->letters(), QStringLiteral("Essss") + QString(16, u'b') + QStringLiteral("ssssO"));
    EXPECT_EQ(r.*cols->field[2], 1);
}

TEST_P(WiegandEditorTest, EvenOddPairs) {
    R &r = ctx_.record;
    ASSERT_TRUE(ed->left_even()->isChecked());
    ASSERT_TRUE(ed->right_odd()->isChecked());
    click(ed->left_even()); // the checked Even goes to Odd
    EXPECT_TRUE(ed->left_odd()->isChecked());
    EXPECT_EQ(r.*cols->lp, 1);
    EXPECT_EQ(ed->letters().front(), QChar(u'O'));
    click(ed->left_even());
    EXPECT_FALSE(ed->left_odd()->isChecked());
    EXPECT_EQ(r.*cols->lp, 0);
    click(ed->right_even());
    EXPECT_FALSE(ed->right_odd()->isChecked());
    EXPECT_EQ(r.*cols->rp, 1);
    EXPECT_EQ(ed->letters().back(), QChar(u'E'));

    // Right sense 1 is Even, 0 is Odd; left 1 is Odd.
    r.*cols->rp = 0;
    r.*cols->lp = 1;
    ed->set_parms();
    EXPECT_TRUE(ed->right_odd()->isChecked());
    EXPECT_TRUE(ed->left_odd()->isChecked());
    EXPECT_EQ(r.*cols->rp, 0);
    EXPECT_EQ(ed->letters(), QStringLiteral("O") + QString(8, u's') + QString(16, u'b') + QStringLiteral("O"));
    // Mask mode: the pairs stay live, though the picture shows M.
    click(ed->parity_box(Editor::Mask));
    click(ed->right_odd());
    EXPECT_EQ(r.*cols->rp, 1);
}

// Each box's rule and length (how text gets in is the entry-box kit's).
TEST_P(WiegandEditorTest, KeystrokeFiltersAndLengths) {
    R &r = ctx_.record;
    QLineEdit *hex = ed->value_box(3);
    type_into(hex, QStringLiteral("1g2-zf9f"));
    EXPECT_EQ(hex->text(), QStringLiteral("12F9")); // four at most
    EXPECT_EQ(r.*cols->over[3], QStringLiteral("12F9"));
    type_into(ed->bits_box(2), QStringLiteral("a3x45"));
    EXPECT_EQ(r.*cols->bits[2], 34);
    type_into(ed->left_bits_box(), QStringLiteral("12345"));
    EXPECT_EQ(ed->left_bits_box()->text(), QStringLiteral("123"));
    ed->parity_box(Editor::Mask)->click();
    type_into(ed->left_mask_box(), QStringLiteral("0123456789abcdefAB"));
    EXPECT_EQ(ed->left_mask_box()->text(), QStringLiteral("0123456789ABCDEF"));
}

// "Test a card" follows the boxes: the standard 26 bits, then a 35-bit
// layout typed into the screen (the hand sums are in wiegand_card_test).
TEST_P(WiegandEditorTest, TestACardFollowsTheBoxes) {
    CardTestPanel *card = ed->card_test();
    type_into(ed->right_bits_box(), QStringLiteral("12"));
    EXPECT_EQ(card->bits(), QStringLiteral("10000000100000000000000010"));
    EXPECT_TRUE(card->bits_label()->text().contains(QStringLiteral("#5b9bd5"))); // site cells' colour

    type_into(ed->bits_box(2), QStringLiteral("1"));
    type_into(ed->bits_box(0), QStringLiteral("12"));
    type_into(ed->bits_box(1), QStringLiteral("20"));
    click(ed->order_box(0, 2));
    click(ed->order_box(1, 0));
    click(ed->order_box(2, 1));
    type_into(ed->left_bits_box(), QStringLiteral("17"));
    type_into(ed->right_bits_box(), QStringLiteral("16"));
    type_into(card->value_box(0), QStringLiteral("4095"));
    type_into(card->value_box(1), QStringLiteral("1"));
    type_into(card->value_box(2), QStringLiteral("1"));
    const QString bits35 = QStringLiteral("1"
                                          "1"
                                          "111111111111"
                                          "00000000000000000001"
                                          "0");
    EXPECT_EQ(card->bits(), bits35);

    type_into(card->read_box(), bits35);
    EXPECT_EQ(card->verdict_label()->text(), QStringLiteral("Site 4095, ID 1, Issue 1 - parity good"));
    type_into(card->read_box(), QStringLiteral("0") + bits35.mid(1));
    EXPECT_TRUE(card->verdict_label()->text().contains(QStringLiteral("FAILS: left even parity fails")));
    type_into(card->value_box(0), QStringLiteral("4096"));
    EXPECT_EQ(card->bits_label()->text(), QStringLiteral("site 4096 does not fit in 12 bits (largest 4095)"));
}

INSTANTIATE_TEST_SUITE_P(BothScreens, WiegandEditorTest, ::testing::Values("sertowie", "wietowie"));

} // namespace
} // namespace k52
