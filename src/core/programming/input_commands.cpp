// Wiegand and magstripe input: general settings, magstripe options, the
// three input masks, magstripe output options, the format limits and the
// three Wiegand input formats.
#include "run_plan.h"

#include "core/profile/input_map.h"

#include <array>

namespace k52 {
namespace {

QString error_line(const char *number) {
    return QStringLiteral("Error %1 Programming Converter").arg(QLatin1String(number));
}

// Input mask `mask` (0-2), four characters per entry: "00" and the
// constant value, or hex2 of start and length. A value typed as one digit is
// sent at its two-digit width, so the entries after it keep their places.
QString mask_fields(const ConfigRecord &r, int mask) {
    QString out;
    for (int row = mask * kMaskEntries; row < (mask + 1) * kMaskEntries; ++row) {
        const InputMaskFields e = *input_mask_fields(row);
        out += r.*e.constant == 1 ? QStringLiteral("00") + padded_hex(r.*e.value, 2)
                                  : hex2(r.*e.start) + hex2(r.*e.length);
    }
    return out;
}

// "1" for 1, "0" for 0; any other value writes nothing.
QString strict_flag(Integer value) {
    if (value == 1)
        return QStringLiteral("1");
    if (value == 0)
        return QStringLiteral("0");
    return {};
}

// Wiegand input format `format` (0-2): total bits, start, length and LSB of
// site, ID and issue, then the characters of each.
QString format_fields(const ConfigRecord &r, int format, int b) {
    const WieInputFormat &f = wie_input_format(format);
    QString out = dec(r.*f.totalbits, b);
    for (const WieInputRow &row : f.rows)
        out += dec(r.*row.start, b) + dec(r.*row.length, 2) + dec(r.*row.lsb, 1);
    for (const WieInputRow &row : f.rows)
        out += dec(r.*row.chars, 2);
    return out;
}

// `item` of Wiegand input format # `number` against `limit`. False (and the
// plan stopped) when the value is above it.
bool at_most(PlanBuilder &b, int number, const QString &item, Integer value, int limit) {
    if (value <= limit)
        return true;
    b.refuse(error_line("013-A"), QStringLiteral("Wiegand input format # %1 %2 >%3").arg(number).arg(item).arg(limit));
    return false;
}

// One part (start, length, ...) of the site, ID and issue rows of format
// `format` (0-2) against `limit`, named "site" `suffix` and so on. False (and
// the plan stopped) at the first value above it.
bool rows_at_most(PlanBuilder &b, int format, Integer ConfigRecord::*WieInputRow::*part, const char *suffix,
                  int limit) {
    static constexpr std::array<const char *, kWieInputRows> kRowNames{"site", "id", "issue"};
    const WieInputFormat &f = wie_input_format(format);
    for (int i = 0; i < kWieInputRows; ++i)
        if (!at_most(b, format + 1, QString::fromLatin1(kRowNames[std::size_t(i)]) + QLatin1String(suffix),
                     b.rec.*(f.rows[std::size_t(i)].*part), limit))
            return false;
    return true;
}

// Total bits and the three start positions of format `format` (0-2) against
// `limit`. False (and the plan stopped) at the first value above it.
bool within(PlanBuilder &b, int format, int limit) {
    return at_most(b, format + 1, QStringLiteral("total bits"), b.rec.*wie_input_format(format).totalbits, limit) &&
           rows_at_most(b, format, &WieInputRow::start, " start", limit);
}

// Limits by firmware: 64 bits up to 01.80, 128 from 01.81, 250 from 01.95;
// format 3 exists from 01.94. Then the fixed limits of format 1.
bool check_format_limits(PlanBuilder &b) {
    const bool after_180 = b.at_least("01.80") && !b.is("01.80");
    const bool after_194 = b.at_least("01.94") && !b.is("01.94");
    if (!b.at_least("01.81")) {
        if (!within(b, 0, 64) || !within(b, 1, 64))
            return false;
    }
    if (after_180 && !b.at_least("01.95")) {
        if (!within(b, 0, 128) || !within(b, 1, 128))
            return false;
    }
    if (b.is("01.94") && !within(b, 2, 128))
        return false;
    if (after_194) {
        if (!within(b, 0, 250) || !within(b, 1, 250) || !within(b, 2, 250))
            return false;
    }

    return rows_at_most(b, 0, &WieInputRow::length, " length", 64) &&
           rows_at_most(b, 0, &WieInputRow::chars, " chars", 20);
}

} // namespace

void input_groups(PlanBuilder &b) {
    const ConfigRecord &r = b.rec;

    b.command(QStringLiteral("I1IG") + dec(r.input1type, 1) + dec(r.input1convtype, 1) + dec(r.input1mask, 1) +
                  QStringLiteral("0") + dec(r.input1beep, 1) + dec(r.input1parchk, 1),
              error_line("010"));
    b.command(QStringLiteral("I1IM") + dec(r.input1magtk, 1) + dec(r.input1cstart, 1) + dec(r.input1ststop, 1) +
                  dec(r.input1lrc, 1) + dec(r.input1dir, 1) + dec(r.input1alpdel, 1) + dec(r.input1maglen, 2) +
                  padded_hex(r.input1septrans, 2),
              error_line("011"));

    b.command(QStringLiteral("I1IK") + mask_fields(r, 0), error_line("012"));
    b.command(QStringLiteral("I1IY") + mask_fields(r, 1), error_line("038"));
    if (b.at_least("01.94"))
        b.command(QStringLiteral("I1IZ") + mask_fields(r, 2), error_line("038-A"));

    QString om = QStringLiteral("I1OM") + dec(r.input1magouttk, 1) + strict_flag(r.input1magdataup) +
                 strict_flag(r.input1magcstart);
    if (b.at_least("01.60"))
        om += strict_flag(r.input1magoutf2f);
    b.command(om, error_line("013"));

    if (b.stopped() || !check_format_limits(b))
        return;

    const int width = b.at_least("01.81") ? 3 : 2;
    b.command(QStringLiteral("I1IW") + format_fields(r, 0, width), error_line("014"));
    b.command(QStringLiteral("I1IX") + format_fields(r, 1, width), error_line("037"));
    if (b.at_least("01.94"))
        b.command(QStringLiteral("I1IV") + format_fields(r, 2, 3), error_line("037-A"));
}

} // namespace k52
