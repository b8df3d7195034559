#include "core/rules/entry_rules.h"

#include <gtest/gtest.h>

namespace k52 {
namespace {

TEST(EntryRules, EachRuleKeepsAndTurnsItsCharacters) {
    // Each rule's characters in, what it keeps out ('-' for a dropped one).
    const struct {
        EntryRule rule;
        const char *in, *out;
    } cases[] = {{EntryRule::Hex, "09afAFgG x.\b-", "09AFAF--------"},
                 {EntryRule::Decimal, "09.a +\b-", "09------"},
                 {EntryRule::IpAddress, "19.a:, \b", "19.-----"}};
    for (const auto &c : cases) {
        QString kept;
        for (std::size_t i = 0; c.in[i]; ++i) {
            const std::optional<QChar> k = entry_char(c.rule, QChar(QLatin1Char(c.in[i])));
            EXPECT_EQ(k ? k->toLatin1() : '-', c.out[i]) << int(c.rule) << " char " << int(c.in[i]);
            if (k)
                kept += *k;
        }
        // A whole text comes out as its characters one by one.
        EXPECT_EQ(entry_text(c.rule, QString::fromLatin1(c.in)), kept);
    }
    for (EntryRule r : {EntryRule::Hex, EntryRule::Decimal, EntryRule::IpAddress})
        EXPECT_EQ(entry_char(r, QChar(u'\u0663')), std::nullopt) << "a non-Latin digit";
}

TEST(EntryRules, DecimalTextValue) {
    // Leading digits count; the whole Integer range reads back; longer
    // text is held to the range instead of wrapping.
    const std::pair<const char *, int> cases[] = {{"", 0},
                                                  {"12ab3", 12},
                                                  {"x1", 0},
                                                  {"-5", -5},
                                                  {"07", 7},
                                                  {"32767", 32767},
                                                  {"-32768", -32768},
                                                  {"40000", 32767},
                                                  {"9999999999", 32767},
                                                  {"-9999999999", -32768}};
    for (const auto &[text, value] : cases)
        EXPECT_EQ(decimal_text_value(QString::fromLatin1(text)), value) << text;
}

} // namespace
} // namespace k52
