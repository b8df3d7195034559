// --port, --baud and --parity over the stored link settings.
#include "cli/link_options.h"

#include <gtest/gtest.h>

using namespace k52;

namespace {

// The settings the options give over stored ones, or nothing when refused.
std::optional<LinkSettings> apply(const QStringList &args) {
    CliContext ctx(QStringList{QStringLiteral("flash")} + args, {}, {});
    ctx.link().commport = 2;
    ctx.link().baudrate = 9600;
    ctx.link().parity = 0;
    ctx.link().commdevice = QStringLiteral("/dev/old");
    QCommandLineParser p;
    p.addOptions(link_options());
    if (parse_arguments(ctx, p, QStringLiteral("test"), 0) >= 0)
        return std::nullopt;
    LinkSettings s;
    if (!apply_link_options(ctx, p, s))
        return std::nullopt;
    return s;
}

} // namespace

TEST(LinkOptions, OverrideTheStoredSettingsOrAreRefused) {
    const auto none = apply({});
    ASSERT_TRUE(none);
    EXPECT_EQ(none->commdevice, "/dev/old");
    EXPECT_EQ(none->baudrate, 9600);

    const auto all = apply({"--port", "3", "--baud", "19200", "--parity", "N"});
    ASSERT_TRUE(all);
    EXPECT_EQ(all->commport, 3);
    EXPECT_TRUE(all->commdevice.isEmpty()) << "a number replaces the device path";
    EXPECT_EQ(all->baudrate, 19200);
    EXPECT_EQ(all->parity, 2);
    EXPECT_EQ(apply({"--parity", "1"})->parity, 1);
    EXPECT_EQ(apply({"--port", "/dev/ttyUSB1"})->commdevice, "/dev/ttyUSB1");

    for (const QStringList &bad :
         {QStringList{"--port", "8"}, QStringList{"--port", "0"}, QStringList{"--baud", "-1"},
          QStringList{"--baud", "fast"}, QStringList{"--baud", "7"}, QStringList{"--baud", "9601"},
          QStringList{"--parity", "3"}, QStringList{"--parity", "EO"}, QStringList{"extra"}})
        EXPECT_FALSE(apply(bad)) << bad.join(' ').toStdString();
}
