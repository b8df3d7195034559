#include "core/profile/profile_store.h"
#include "core/profile/wiegand_card.h"
#include "core/rules/wiegand_format.h"

#include <gtest/gtest.h>

#include <random>

namespace k52 {
namespace {

const WiegandFieldMap &kMap = kSerialWiegandMap;

// A format with standard parity, no fields in the order and no overrides.
ConfigRecord blank() {
    ConfigRecord r = default_profile();
    for (auto f : kMap.bits)
        r.*f = 0;
    for (auto f : kMap.field)
        r.*f = 0;
    return r;
}

struct Known {
    const char *what;
    std::function<void(ConfigRecord &)> format;
    CardValues card;
    const char *bits; // spaces between fields for the reader
};

// Each expected string is worked out by hand; the sums are in the comments.
const Known kKnown[] = {
    // Default: E over the first 12 data bits, 8 site, 16 ID, O over the last 12.
    // data 00000001 0000000000000001: first 12 hold one 1 -> E=1; last 12 one 1 -> O=0
    {"default 1/1", [](ConfigRecord &) {}, {1, 1, {}}, "10000000100000000000000010"},
    // 123 = 01111011, 4567 = 0x11D7 = 0001000111010111
    // first 12: 01111011 0001 -> 6+1 = 7 ones (odd) -> E=1
    // last 12: 000111010111 -> 7 ones (odd) -> O=0
    {"default 123/4567", [](ConfigRecord &) {}, {123, 4567, {}}, "10111101100010001110101110"},
    // every data bit 1: first 12 -> 12 ones (even) -> E=0; last 12 -> 12 ones -> O=1
    {"default 255/65535", [](ConfigRecord &) {}, {255, 65535, {}}, "01111111111111111111111111"},
    // 35 bits: issue 1, site 12, ID 20; E over 17, O over 16.
    // data 1 111111111111 00000000000000000001: first 17 -> 13 ones -> E=1; last 16 -> 1 one -> O=0
    {"35-bit",
     [](ConfigRecord &r) {
         r.serwieissuebits = 1, r.serwiesitebits = 12, r.serwieidbits = 20;
         r.serwiefield1 = 3, r.serwiefield2 = 1, r.serwiefield3 = 2;
         r.serwielpbits = 17, r.serwierpbits = 16;
     },
     {4095, 1, 1},
     "1 1 111111111111 00000000000000000001 0"},
    // 37 bits: site 16, ID 19 sent LSB first; E over 18, O over 18.
    // ID 3 LSB first = 1100000000000000000; first 18 -> 1 + 2 = 3 ones -> E=1;
    // last 18 = ID bits 2..19 -> 1 one -> O=0
    {"37-bit LSB",
     [](ConfigRecord &r) {
         r.serwiesitebits = 16, r.serwieidbits = 19, r.serwieidlsb = 1;
         r.serwiefield1 = 1, r.serwiefield2 = 2;
         r.serwielpbits = 18, r.serwierpbits = 18;
     },
     {1, 3, {}},
     "1 0000000000000001 1100000000000000000 0"},
    // Odd left, even right, fixed site 0x2A in 8 bits, constant 0b10 first.
    // data 10 00101010 0101: all 14 hold 1+3+2 = 6 ones (even): O left -> 1; E right -> 0
    {"fixed site, constant, odd/even",
     [](ConfigRecord &r) {
         r.serwieconstbits = 2, r.serwieconstover = QStringLiteral("0002");
         r.serwiesitebits = 8, r.serwieoversite = 1, r.serwiesiteover = QStringLiteral("002A");
         r.serwieidbits = 4;
         r.serwiefield1 = 4, r.serwiefield2 = 1, r.serwiefield3 = 2;
         r.serwielp = 1, r.serwierp = 1, r.serwielpbits = 99, r.serwierpbits = 99;
     },
     {7, 5, {}},
     "1 10 00101010 0101 0"},
    // No parity; mask parity shows its two bits as p.
    {"none", [](ConfigRecord &r) { r.serwieparity = 0; }, {1, 2, {}}, "000000010000000000000010"},
    {"mask", [](ConfigRecord &r) { r.serwieparity = 2; }, {1, 2, {}}, "p000000010000000000000010p"},
};

TEST(WiegandCard, KnownValues) {
    for (const Known &k : kKnown) {
        SCOPED_TRACE(k.what);
        ConfigRecord r = default_profile();
        k.format(r);
        const CardLayout layout = card_layout(r, kMap);
        ASSERT_EQ(layout.error, QString());
        const CardBits bits = encode_card(layout, k.card);
        ASSERT_EQ(bits.error, QString());
        EXPECT_EQ(bits.bits, QString::fromLatin1(k.bits).remove(QLatin1Char(' ')));
        const CardReading back = decode_card(layout, bits.bits);
        EXPECT_TRUE(back.faults.isEmpty()) << back.faults.join(QLatin1Char('\n')).toStdString();
        EXPECT_EQ(back.parity_unchecked, layout.parity == 2);
    }
    const CardLayout def = card_layout(default_profile(), kMap);
    EXPECT_EQ(bits_to_hex(QStringLiteral("10000000100000000000000010")), QStringLiteral("2020002"));
    EXPECT_EQ(spaced(def.letters(), def), QStringLiteral("E ssssssss bbbbbbbbbbbbbbbb O"));
    QString bits;
    QString error;
    ASSERT_TRUE(hex_to_bits(QStringLiteral("2020002"), 26, bits, &error));
    EXPECT_EQ(bits, QStringLiteral("10000000100000000000000010"));
    EXPECT_FALSE(hex_to_bits(QStringLiteral("FFFFFFF"), 26, bits, &error));
}

TEST(WiegandCard, FaultsAndRefusals) {
    const CardLayout def = card_layout(default_profile(), kMap);
    struct Case {
        const char *bits;
        const char *fault; // start of the first fault, or of the error
    } cases[] = {
        {"00000000100000000000000010", "left even parity fails"},
        {"10000000100000000000000011", "right odd parity fails"},
        {"1000000010000000000000001", "25 bits given; this format has 26"},
        {"1000000010000000000000001x", "\"x\" is not a bit"},
        {"p0000000100000000000000010", "\"p\" stands only for a mask parity bit"},
    };
    for (const Case &c : cases) {
        const CardReading r = decode_card(def, QString::fromLatin1(c.bits));
        const QString got = r.error.isEmpty() ? r.faults.value(0) : r.error;
        EXPECT_TRUE(got.startsWith(QString::fromLatin1(c.fault))) << c.bits << ": " << got.toStdString();
    }
    EXPECT_EQ(encode_card(def, {256, 1, {}}).error, QStringLiteral("site 256 does not fit in 8 bits (largest 255)"));
    EXPECT_EQ(encode_card(def, CardValues{std::nullopt, 1, std::nullopt}).error,
              QStringLiteral("the format sends the card's site: give it (--site)"));

    ConfigRecord r = default_profile();
    r.serwiefield1 = 0;
    EXPECT_TRUE(
        card_layout(r, kMap).error.startsWith(QStringLiteral("site has 8 bits but is not in the output order")));
    r = default_profile();
    r.serwieparity = 5;
    EXPECT_TRUE(card_layout(r, kMap).error.startsWith(QStringLiteral("parity mode 5")));
}

// Decoding inverts encoding for random formats and cards, the letters are
// the editor's picture, and a flipped covered bit fails the parity.
TEST(WiegandCard, DecodeInvertsEncode) {
    std::mt19937 rng(30);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int round = 0; round < 500; ++round) {
        ConfigRecord r = blank();
        FormatControls c;
        for (int f = 0; f < kWiegandFields; ++f) {
            r.*kMap.bits[std::size_t(f)] = pick(0, 70);
            r.*kMap.lsb[std::size_t(f)] = pick(0, 1);
            c.bits[std::size_t(f)] = QString::number(r.*kMap.bits[std::size_t(f)]);
        }
        r.serwieconstover = QString::number(pick(0, 0xFFFF) & ((1 << std::min(16, int(r.serwieconstbits))) - 1), 16);
        // Each field in a row of its own, in a random order.
        std::array<int, kWiegandFields> rows{0, 1, 2, 3};
        std::shuffle(rows.begin(), rows.end(), rng);
        for (int f = 0; f < kWiegandFields; ++f) {
            r.*kMap.field[std::size_t(rows[std::size_t(f)])] = f + 1;
            c.order[std::size_t(rows[std::size_t(f)])][std::size_t(f)] = true;
        }
        r.serwieparity = pick(0, 2);
        r.serwielp = pick(0, 1);
        r.serwierp = pick(0, 1);
        r.serwielpbits = pick(0, 150);
        r.serwierpbits = pick(0, 150);
        c.parity_none = r.serwieparity == 0;
        c.parity_mask = r.serwieparity == 2;
        c.left_even = r.serwielp == 0, c.left_odd = !c.left_even;
        c.right_even = r.serwierp == 1, c.right_odd = !c.right_even;

        const CardLayout layout = card_layout(r, kMap);
        ASSERT_EQ(layout.error, QString());
        EXPECT_EQ(layout.letters(), format_letters(c));
        CardValues card;
        for (int f = 0; f < 3; ++f) {
            const int bits = int(r.*kMap.bits[std::size_t(f)]);
            const quint64 v = std::uniform_int_distribution<quint64>()(rng);
            card[std::size_t(f)] = bits >= 64 ? v : v & ((quint64(1) << bits) - 1);
        }
        const CardBits bits = encode_card(layout, card);
        ASSERT_EQ(bits.error, QString());
        ASSERT_EQ(bits.bits.size(), layout.total_bits());
        const CardReading back = decode_card(layout, bits.bits);
        ASSERT_EQ(back.error, QString());
        EXPECT_TRUE(back.faults.isEmpty());
        for (int f = 0; f < 3; ++f) {
            if (r.*kMap.bits[std::size_t(f)] > 0) {
                EXPECT_EQ(back.values[std::size_t(f)], card[std::size_t(f)]);
            }
        }
        // Flip the first data bit: the left parity catches it when it covers it.
        if (layout.parity == 1 && layout.data_bits() > 0 && layout.left_cover > 0) {
            QString flipped = bits.bits;
            flipped[1] = flipped[1] == QLatin1Char('0') ? QLatin1Char('1') : QLatin1Char('0');
            EXPECT_FALSE(decode_card(layout, flipped).faults.isEmpty());
        }
    }
}

} // namespace
} // namespace k52
