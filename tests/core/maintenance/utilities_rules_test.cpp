// The utilities screen's rules: pulse-duration choices and the texts of the
// clone endings.
#include "core/maintenance/utilities_rules.h"

#include <gtest/gtest.h>

using namespace k52;

TEST(UtilitiesRules, PulseChoicesAndCodes) {
    for (int i = 3; i <= 8; ++i) {
        const auto c = pulse_choice(i);
        ASSERT_TRUE(c) << i;
        EXPECT_EQ(c->row, i <= 5 ? PulseRow::Mag : PulseRow::Wiegand) << i;
        EXPECT_EQ(c->position, (i - 3) % 3) << i;
        EXPECT_EQ(c->code, (i - 3) % 3 + 1) << i; // 50us 1, 100us 2, 150us 3
        EXPECT_EQ(pulse_choice_for(c->row, c->code), i) << i;
    }
    EXPECT_FALSE(pulse_choice(2));
    EXPECT_FALSE(pulse_choice(9));
    // Codes other than 1..3 select nothing: the row keeps what it shows.
    for (Integer code : {Integer(0), Integer(4), Integer(-1)}) {
        EXPECT_FALSE(pulse_choice_for(PulseRow::Mag, code)) << code;
        EXPECT_FALSE(pulse_choice_for(PulseRow::Wiegand, code)) << code;
    }
}

TEST(UtilitiesRules, CloneTexts) {
    // The system's own messages are given as they are, without the detail.
    const CloneResult incomplete{
        {clone_message(CloneOutcome::ReadIncomplete), QStringLiteral("1023 of 1024 bytes arrived")},
        CloneOutcome::ReadIncomplete};
    EXPECT_EQ(clone_report_text(incomplete), QStringLiteral("Read from K52 did not complete"));
    // An image that could not be stored says where and why.
    const CloneResult not_stored{
        {clone_message(CloneOutcome::NotStored), QStringLiteral("/x/K52clone.dat: Permission denied")},
        CloneOutcome::NotStored};
    EXPECT_EQ(clone_report_text(not_stored),
              clone_message(CloneOutcome::NotStored) + QStringLiteral("\n\n/x/K52clone.dat: Permission denied"));
}
