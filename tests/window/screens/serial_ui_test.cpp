#include "screen_fixture.h"

#include "window/screens/serial_screen.h"

#include <QLineEdit>

#include <memory>

namespace k52 {
namespace {

using test::ScreenFixture;

class SerialScreenTest : public ScreenFixture {
protected:
    void SetUp() override {
        ScreenFixture::SetUp();
        ctx_.record.baudrate = 9600;
        ctx_.record.parity = QStringLiteral("O");
        ctx_.record.terminators = {QStringLiteral("0d"), QStringLiteral("0A"), QStringLiteral("")};
        ctx_.record.seringoodbeep = 1;
        ctx_.record.ignorelf = 0;
        ctx_.record.serinconvtype = 7;
    }
    template <class F> static int ticked(const SerialScreen &s, int n, F box) {
        int count = 0;
        for (int i = 0; i < n; ++i)
            count += (s.*box)(i)->isChecked() ? 1 : 0;
        return count;
    }
};

TEST_F(SerialScreenTest, SetParmsShowsTheRecord) {
    auto s = shown_screen<SerialScreen>();
    EXPECT_TRUE(s->baud_box(3)->isChecked());
    EXPECT_EQ(ticked(*s, kBaudChoices, &SerialScreen::baud_box), 1);
    EXPECT_TRUE(s->parity_box(1)->isChecked());
    EXPECT_EQ(ticked(*s, kDataParityChoices, &SerialScreen::parity_box), 1);
    EXPECT_EQ(s->terminator_edit(0)->text(), QStringLiteral("0D"));
    EXPECT_EQ(s->terminator_edit(1)->text(), QStringLiteral("0A"));
    EXPECT_TRUE(s->terminator_edit(2)->text().isEmpty());
    EXPECT_TRUE(s->beep_box()->isChecked());
    EXPECT_FALSE(s->ignorelf_box()->isChecked());
    EXPECT_TRUE(s->conversion_box(7)->isChecked());
    EXPECT_EQ(ticked(*s, kSerConvChoices, &SerialScreen::conversion_box), 1);

    // A second profile with values that have no box: the groups show none
    // ticked (not the last profile's choice) and the record keeps them.
    ctx_.record.baudrate = 300;
    ctx_.record.parity = QStringLiteral("X");
    ctx_.record.serinconvtype = 9;
    s->set_parms();
    EXPECT_EQ(ticked(*s, kBaudChoices, &SerialScreen::baud_box), 0);
    EXPECT_EQ(ticked(*s, kDataParityChoices, &SerialScreen::parity_box), 0);
    EXPECT_EQ(ticked(*s, kSerConvChoices, &SerialScreen::conversion_box), 0);
    EXPECT_EQ(ctx_.record.parity, QStringLiteral("X"));
    EXPECT_EQ(ctx_.record.serinconvtype, 9);
}

TEST_F(SerialScreenTest, BaudAndParityAreOneChoice) {
    auto s = shown_screen<SerialScreen>();
    click(s->baud_box(3)); // the ticked 9600
    EXPECT_EQ(ticked(*s, kBaudChoices, &SerialScreen::baud_box), 0);
    EXPECT_EQ(ctx_.record.baudrate, 9600);
    click(s->baud_box(6));
    click(s->baud_box(0));
    EXPECT_EQ(ctx_.record.baudrate, 1200);
    EXPECT_EQ(ticked(*s, kBaudChoices, &SerialScreen::baud_box), 1);

    click(s->parity_box(2));
    EXPECT_EQ(ctx_.record.parity, QStringLiteral("N"));
    EXPECT_FALSE(s->parity_box(1)->isChecked());
    click(s->parity_box(0));
    EXPECT_EQ(ctx_.record.parity, QStringLiteral("E"));
    EXPECT_EQ(ticked(*s, kDataParityChoices, &SerialScreen::parity_box), 1);
}

TEST_F(SerialScreenTest, ConversionTypeAlwaysHasOneBox) {
    auto s = shown_screen<SerialScreen>();
    click(s->conversion_box(3)); // "Wiegand" over "Bit Simulation"
    EXPECT_FALSE(s->conversion_box(7)->isChecked());
    EXPECT_EQ(ctx_.record.serinconvtype, 3);
    click(s->conversion_box(5));
    EXPECT_EQ(ctx_.record.serinconvtype, 5);
    click(s->conversion_box(5)); // unticking "Aba Wiegand"
    EXPECT_TRUE(s->conversion_box(0)->isChecked());
    EXPECT_EQ(ticked(*s, kSerConvChoices, &SerialScreen::conversion_box), 1);
    EXPECT_EQ(ctx_.record.serinconvtype, 0);
    click(s->conversion_box(0)); // the ticked "No Conversion" stays ticked
    EXPECT_TRUE(s->conversion_box(0)->isChecked());
    EXPECT_EQ(ctx_.record.serinconvtype, 0);
}

TEST_F(SerialScreenTest, FlagsAndTerminators) {
    auto s = shown_screen<SerialScreen>();
    click(s->beep_box());
    EXPECT_EQ(ctx_.record.seringoodbeep, 0);
    click(s->ignorelf_box());
    EXPECT_EQ(ctx_.record.ignorelf, 1);

    QLineEdit *in = s->terminator_edit(0);
    in->clear();
    QTest::keyClicks(in, QStringLiteral("0xd"));
    EXPECT_EQ(ctx_.record.terminators.input, QStringLiteral("0D"));
    QTest::keyClicks(s->terminator_edit(2), QStringLiteral("3a9"));
    EXPECT_EQ(ctx_.record.terminators.out2, QStringLiteral("3A"));
    EXPECT_EQ(ctx_.record.terminators.out1, QStringLiteral("0A"));
}

} // namespace
} // namespace k52
