// Wiegand and magstripe input: general settings, magstripe options, the
// three input masks, magstripe output options, the format limits and the
// three Wiegand input formats.
#include "run_plan.h"

#include <array>
#include <tuple>
#include <utility>

namespace k52 {
namespace {

QString error_line(const char *number) {
    return QStringLiteral("Error %1 Programming Converter").arg(QLatin1String(number));
}

// One input mask entry, as the record holds it.
struct InputMaskEntry {
    const Integer &constant;
    const Integer &start;
    const Integer &length;
    const QString &value;
};

// Four characters per entry: "00" and the constant value, or hex2 of start
// and length. A value typed as one digit is sent at its two-digit width, so
// the entries after it keep their places.
QString mask_fields(const std::array<InputMaskEntry, 5> &entries) {
    QString out;
    for (const InputMaskEntry &e : entries)
        out += e.constant == 1 ? QStringLiteral("00") + padded_hex(e.value, 2) : hex2(e.start) + hex2(e.length);
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

// One Wiegand input format, format 1 names.
struct InputFormat {
    int number;
    const Integer &totalbits;
    const Integer &sitestart, &sitelen, &sitelsb;
    const Integer &idstart, &idlen, &idlsb;
    const Integer &issuestart, &issuelen, &issuelsb;
    const Integer &sitechars, &idchars, &issuechars;
};

QString format_fields(const InputFormat &f, int b) {
    return dec(f.totalbits, b) + dec(f.sitestart, b) + dec(f.sitelen, 2) + dec(f.sitelsb, 1) + dec(f.idstart, b) +
           dec(f.idlen, 2) + dec(f.idlsb, 1) + dec(f.issuestart, b) + dec(f.issuelen, 2) + dec(f.issuelsb, 1) +
           dec(f.sitechars, 2) + dec(f.idchars, 2) + dec(f.issuechars, 2);
}

QString limit_message(int format, const char *item, int limit) {
    return QStringLiteral("Wiegand input format # %1 %2 >%3").arg(format).arg(QLatin1String(item)).arg(limit);
}

// Total bits and the three start positions against `limit`. False (and the
// plan stopped) at the first value above it.
bool within(PlanBuilder &b, const InputFormat &f, int limit) {
    const std::array<std::pair<const char *, Integer>, 4> items{{{"total bits", f.totalbits},
                                                                 {"site start", f.sitestart},
                                                                 {"id start", f.idstart},
                                                                 {"issue start", f.issuestart}}};
    for (const auto &[item, value] : items) {
        if (value > limit) {
            b.refuse(error_line("013-A"), limit_message(f.number, item, limit));
            return false;
        }
    }
    return true;
}

// Limits by firmware: 64 bits up to 01.80, 128 from 01.81, 250 from 01.95;
// format 3 exists from 01.94. Then the fixed limits of format 1.
bool check_format_limits(PlanBuilder &b, const InputFormat &f1, const InputFormat &f2, const InputFormat &f3) {
    const bool after_180 = b.at_least("01.80") && !b.is("01.80");
    const bool after_194 = b.at_least("01.94") && !b.is("01.94");
    if (!b.at_least("01.81")) {
        if (!within(b, f1, 64) || !within(b, f2, 64))
            return false;
    }
    if (after_180 && !b.at_least("01.95")) {
        if (!within(b, f1, 128) || !within(b, f2, 128))
            return false;
    }
    if (b.is("01.94") && !within(b, f3, 128))
        return false;
    if (after_194) {
        if (!within(b, f1, 250) || !within(b, f2, 250) || !within(b, f3, 250))
            return false;
    }

    const std::array<std::tuple<const char *, Integer, int>, 6> fixed{{{"site length", f1.sitelen, 64},
                                                                       {"id length", f1.idlen, 64},
                                                                       {"issue length", f1.issuelen, 64},
                                                                       {"site chars", f1.sitechars, 20},
                                                                       {"id chars", f1.idchars, 20},
                                                                       {"issue chars", f1.issuechars, 20}}};
    for (const auto &[item, value, limit] : fixed) {
        if (value > limit) {
            b.refuse(error_line("013-A"), limit_message(1, item, limit));
            return false;
        }
    }
    return true;
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

    b.command(QStringLiteral("I1IK") +
                  mask_fields({{{r.input1const1, r.input1start1, r.input1len1, r.input1constval1},
                                {r.input1const2, r.input1start2, r.input1len2, r.input1constval2},
                                {r.input1const3, r.input1start3, r.input1len3, r.input1constval3},
                                {r.input1const4, r.input1start4, r.input1len4, r.input1constval4},
                                {r.input1const5, r.input1start5, r.input1len5, r.input1constval5}}}),
              error_line("012"));
    b.command(QStringLiteral("I1IY") +
                  mask_fields({{{r.input1const21, r.input1start21, r.input1len21, r.input1constval21},
                                {r.input1const22, r.input1start22, r.input1len22, r.input1constval22},
                                {r.input1const23, r.input1start23, r.input1len23, r.input1constval23},
                                {r.input1const24, r.input1start24, r.input1len24, r.input1constval24},
                                {r.input1const25, r.input1start25, r.input1len25, r.input1constval25}}}),
              error_line("038"));
    if (b.at_least("01.94"))
        b.command(QStringLiteral("I1IZ") +
                      mask_fields({{{r.input1const31, r.input1start31, r.input1len31, r.input1constval31},
                                    {r.input1const32, r.input1start32, r.input1len32, r.input1constval32},
                                    {r.input1const33, r.input1start33, r.input1len33, r.input1constval33},
                                    {r.input1const34, r.input1start34, r.input1len34, r.input1constval34},
                                    {r.input1const35, r.input1start35, r.input1len35, r.input1constval35}}}),
                  error_line("038-A"));

    QString om = QStringLiteral("I1OM") + dec(r.input1magouttk, 1) + strict_flag(r.input1magdataup) +
                 strict_flag(r.input1magcstart);
    if (b.at_least("01.60"))
        om += strict_flag(r.input1magoutf2f);
    b.command(om, error_line("013"));

    const InputFormat f1{1,
                         r.input1totalbits,
                         r.input1wiesitestart,
                         r.input1wiesitelen,
                         r.input1wieinsitelsb,
                         r.input1wieidstart,
                         r.input1wieidlen,
                         r.input1wieinidlsb,
                         r.input1wieissuestart,
                         r.input1wieissuelen,
                         r.input1wieinissuelsb,
                         r.input1sitechars,
                         r.input1idchars,
                         r.input1issuechars};
    const InputFormat f2{2,
                         r.input1totalbits2,
                         r.input1wiesitestart2,
                         r.input1wiesitelen2,
                         r.input1wieinsitelsb2,
                         r.input1wieidstart2,
                         r.input1wieidlen2,
                         r.input1wieinidlsb2,
                         r.input1wieissuestart2,
                         r.input1wieissuelen2,
                         r.input1wieinissuelsb2,
                         r.input1sitechars2,
                         r.input1idchars2,
                         r.input1issuechars2};
    const InputFormat f3{3,
                         r.input1totalbits3,
                         r.input1wiesitestart3,
                         r.input1wiesitelen3,
                         r.input1wieinsitelsb3,
                         r.input1wieidstart3,
                         r.input1wieidlen3,
                         r.input1wieinidlsb3,
                         r.input1wieissuestart3,
                         r.input1wieissuelen3,
                         r.input1wieinissuelsb3,
                         r.input1sitechars3,
                         r.input1idchars3,
                         r.input1issuechars3};
    if (b.stopped() || !check_format_limits(b, f1, f2, f3))
        return;

    const int width = b.at_least("01.81") ? 3 : 2;
    b.command(QStringLiteral("I1IW") + format_fields(f1, width), error_line("014"));
    b.command(QStringLiteral("I1IX") + format_fields(f2, width), error_line("037"));
    if (b.at_least("01.94"))
        b.command(QStringLiteral("I1IV") + format_fields(f3, 3), error_line("037-A"));
}

} // namespace k52
