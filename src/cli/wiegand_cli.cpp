// `k52util wiegand encode|decode`: the card calculator of the two Wiegand
// output formats of a profile.
#include "cli/cli.h"
#include "cli/cli_commands.h"
#include "core/profile/wiegand_card.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace k52 {

namespace {

const QCommandLineOption
    kFormatOption(QStringLiteral("format"),
                  QCoreApplication::translate("wiegand", "serial (serial input to Wiegand) or input1 (Wiegand and "
                                                         "magstripe input to Wiegand)."),
                  QStringLiteral("format"));
const std::array<QCommandLineOption, 3> kValueOptions{
    QCommandLineOption(QStringLiteral("site"), QCoreApplication::translate("wiegand", "Site code (decimal)."),
                       QStringLiteral("n")),
    QCommandLineOption(QStringLiteral("id"), QCoreApplication::translate("wiegand", "ID, the card number (decimal)."),
                       QStringLiteral("n")),
    QCommandLineOption(QStringLiteral("issue"),
                       QCoreApplication::translate("wiegand", "Issue code (decimal); default 0."), QStringLiteral("n")),
};

const char *parity_name(int parity) {
    return parity == 0 ? "no parity" : parity == 1 ? "standard parity" : "mask parity";
}

// The layout of the chosen format of the chosen profile, or a message.
bool layout_of(CliContext &ctx, const QCommandLineParser &p, CardLayout &layout) {
    const QString format = p.value(kFormatOption);
    const WiegandFieldMap *map = format == QLatin1String("serial")   ? &kSerialWiegandMap
                                 : format == QLatin1String("input1") ? &kInputWiegandMap
                                                                     : nullptr;
    if (!map) {
        ctx.err << QCoreApplication::translate("wiegand", "wiegand: give --format serial or --format input1")
                << Qt::endl;
        return false;
    }
    if (!ctx.open_store())
        return false;
    ConfigRecord rec;
    if (!load_cli_profile(ctx, p, rec))
        return false;
    layout = card_layout(rec, *map);
    if (!layout.error.isEmpty()) {
        ctx.err << QCoreApplication::translate("wiegand", "wiegand: the %1 format cannot be calculated: %2")
                       .arg(format, layout.error)
                << Qt::endl;
        return false;
    }
    ctx.out << QCoreApplication::translate("wiegand", "Format: ") << format << ", " << layout.total_bits()
            << QCoreApplication::translate("wiegand", " bits, ") << parity_name(layout.parity) << Qt::endl;
    return true;
}

void print_bits(CliContext &ctx, const CardLayout &layout, const QString &bits) {
    ctx.out << QCoreApplication::translate("wiegand", "Bits:   ") << spaced(bits, layout) << Qt::endl;
    ctx.out << "        " << spaced(layout.letters(), layout) << Qt::endl;
    const QString hex = bits_to_hex(bits);
    if (!hex.isEmpty())
        ctx.out << QCoreApplication::translate("wiegand", "Hex:    ") << hex << '/' << bits.size() << Qt::endl;
    if (layout.parity == 2)
        ctx.out << QCoreApplication::translate(
                       "wiegand",
                       "Mask parity: the bits shown as p are not computed (the converter derives them from the masks)")
                << Qt::endl;
}

bool value_of(CliContext &ctx, const QCommandLineParser &p, int i, CardValues &values) {
    const QCommandLineOption &o = kValueOptions[std::size_t(i)];
    if (!p.isSet(o))
        return true;
    bool ok = false;
    const quint64 v = p.value(o).toULongLong(&ok, 10);
    if (!ok) {
        ctx.err << "wiegand: --" << o.names().first()
                << QCoreApplication::translate("wiegand", " takes a decimal number, not \"") << p.value(o) << "\""
                << Qt::endl;
        return false;
    }
    values[std::size_t(i)] = v;
    return true;
}

int encode(CliContext &ctx, const QCommandLineParser &p, const CardLayout &layout) {
    CardValues values;
    for (int i = 0; i < 3; ++i)
        if (!value_of(ctx, p, i, values))
            return 1;
    const CardBits bits = encode_card(layout, values);
    if (!bits.error.isEmpty()) {
        ctx.err << "wiegand encode: " << bits.error << Qt::endl;
        return 1;
    }
    print_bits(ctx, layout, bits.bits);
    return 0;
}

int decode(CliContext &ctx, const QStringList &words, const CardLayout &layout) {
    QString text = words.join(QLatin1Char(' ')).trimmed();
    if (text.isEmpty()) {
        ctx.err << QCoreApplication::translate(
                       "wiegand",
                       "wiegand decode: give the bits (e.g. 10000000100000000000000010) or hex and a bit count "
                       "(e.g. 2020002/26)")
                << Qt::endl;
        return 1;
    }
    QString error;
    if (!pasted_bits(text, text, &error)) {
        ctx.err << "wiegand decode: " << error << Qt::endl;
        return 1;
    }
    const CardReading r = decode_card(layout, text);
    if (!r.error.isEmpty()) {
        ctx.err << "wiegand decode: " << r.error << Qt::endl;
        return 1;
    }
    QString bits = text;
    bits.remove(QLatin1Char(' '));
    print_bits(ctx, layout, bits.toLower());
    constexpr std::array<const char *, 3> kCaptions{"Site:  ", "ID:    ", "Issue: "};
    for (std::size_t i = 0; i < 3; ++i) {
        ctx.out << kCaptions[i];
        if (r.values[i])
            ctx.out << *r.values[i] << Qt::endl;
        else
            ctx.out << QCoreApplication::translate("wiegand", "- (not in the format)") << Qt::endl;
    }
    if (r.faults.isEmpty()) {
        ctx.out << (r.parity_unchecked ? "Parity: not checked (mask parity)" : "Parity: good") << Qt::endl;
        return 0;
    }
    for (const QString &f : r.faults)
        ctx.out << QCoreApplication::translate("wiegand", "FAILS: ") << f << Qt::endl;
    return 1;
}

} // namespace

int run_wiegand(CliContext &ctx) {
    QCommandLineParser p;
    p.addOption(profile_option());
    p.addOption(kFormatOption);
    for (const auto &o : kValueOptions)
        p.addOption(o);
    p.addPositionalArgument(QStringLiteral("action"), QCoreApplication::translate("wiegand", "encode or decode"),
                            QCoreApplication::translate("wiegand", "encode|decode [BITS|HEX/COUNT]"));
    if (int rc = parse_arguments(
            ctx, p,
            QCoreApplication::translate(
                "wiegand", "The card calculator of a profile's Wiegand output formats.\n"
                           "  encode --format F --site S --id I [--issue C]   the bits the converter sends\n"
                           "  decode --format F BITS | HEX/COUNT              the fields and the parity verdict\n"
                           "Exits 1 when a parity bit, a fixed value or the constant does not match."),
            1000);
        rc >= 0)
        return rc;
    QStringList pos = p.positionalArguments();
    const QString action = pos.value(0);
    if (action != QLatin1String("encode") && action != QLatin1String("decode")) {
        ctx.err << QCoreApplication::translate("wiegand", "wiegand: give encode or decode; see --help") << Qt::endl;
        return 1;
    }
    pos.removeFirst();
    if (action == QLatin1String("encode") && !pos.isEmpty()) {
        ctx.err << QCoreApplication::translate("wiegand",
                                               "wiegand encode: takes no arguments beyond its options; see --help")
                << Qt::endl;
        return 1;
    }
    CardLayout layout;
    if (!layout_of(ctx, p, layout))
        return 1;
    return action == QLatin1String("encode") ? encode(ctx, p, layout) : decode(ctx, pos, layout);
}

} // namespace k52
