#include "screen_fixture.h"

#include "window/screens/serial_screen.h"

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
        ctx_.record.serinconvtype = 7;
    }
    template <class F> static int ticked(const SerialScreen &s, int n, F box) {
        int count = 0;
        for (int i = 0; i < n; ++i)
            count += (s.*box)(i)->isChecked() ? 1 : 0;
        return count;
    }
};

// The groups' rules: a value no box shows leaves its group empty and is
// kept; unticking a choice leaves the baud group empty and the rate as it
// was, while the conversion type falls back to "No Conversion".
TEST_F(SerialScreenTest, ChoiceGroupRules) {
    auto s = shown_screen<SerialScreen>();
    EXPECT_TRUE(s->parity_box(1)->isChecked());
    EXPECT_EQ(ticked(*s, kDataParityChoices, &SerialScreen::parity_box), 1);
    click(s->baud_box(3)); // the ticked 9600
    EXPECT_EQ(ticked(*s, kBaudChoices, &SerialScreen::baud_box), 0);
    EXPECT_EQ(ctx_.record.baudrate, 9600);

    click(s->conversion_box(5));
    click(s->conversion_box(5)); // unticking "Aba Wiegand"
    EXPECT_TRUE(s->conversion_box(0)->isChecked());
    EXPECT_EQ(ticked(*s, kSerConvChoices, &SerialScreen::conversion_box), 1);
    EXPECT_EQ(ctx_.record.serinconvtype, 0);
    click(s->conversion_box(0)); // the ticked "No Conversion" stays ticked
    EXPECT_TRUE(s->conversion_box(0)->isChecked());
    EXPECT_EQ(ctx_.record.serinconvtype, 0);

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

} // namespace
} // namespace k52
