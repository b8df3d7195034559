#include "core/rules/link_rules.h"
#include "core/rules/serial_rules.h"

#include <gtest/gtest.h>

namespace k52 {
namespace {

TEST(LinkRules, SettingsWithoutABoxTickNone) {
    auto link = [](const char *commtype, Integer commport, Long baudrate, Integer parity) {
        LinkSettings l;
        l.commtype = QString::fromUtf8(commtype);
        l.commport = commport;
        l.baudrate = baudrate;
        l.parity = parity;
        return l;
    };
    EXPECT_EQ(link_choices(link("T", 7, 1200, 2)), (LinkChoices{kModeTcp, 6, 0, 2}));
    EXPECT_EQ(link_choices(link("t", 8, 9601, 3)),
              (LinkChoices{kModeSerial, std::nullopt, std::nullopt, std::nullopt}));
    EXPECT_EQ(link_choices(link("", 0, 0, -1)), (LinkChoices{kModeSerial, std::nullopt, std::nullopt, std::nullopt}));
}

TEST(LinkRules, PortDevicesAndNote) {
    const QVector<PortEntry> ports{{1, QStringLiteral("/dev/ttyS0"), QString(), {}},
                                   {2, QStringLiteral("/dev/ttyUSB0"), QStringLiteral("FT232R, USB 0403:6001"), {}}};
    LinkSettings l;
    l.commport = 5;
#ifdef Q_OS_WIN
    EXPECT_EQ(port_device(7, ports), QStringLiteral("COM7"));
    EXPECT_EQ(port_caption(7, ports), QStringLiteral("COM7 (not present)"));
    EXPECT_EQ(link_device_note(l, ports), QStringLiteral("Serial link opens COM5"));
#else
    EXPECT_EQ(port_caption(1, ports), QStringLiteral("/dev/ttyS0"));
    EXPECT_EQ(port_caption(2, ports), QStringLiteral("/dev/ttyUSB0 (FT232R, USB 0403:6001)"));
    EXPECT_EQ(port_caption(3, ports), QStringLiteral("(no such port on this machine)"));
    EXPECT_EQ(link_device_note(l, ports),
              QStringLiteral("Comm port 5 has no device on this machine; choose a port or enter a device path"));
    l.commport = 2;
    EXPECT_EQ(link_device_note(l, ports), QStringLiteral("Serial link opens /dev/ttyUSB0"));
#endif
    EXPECT_EQ(port_device(0, ports), QString());
    l.commdevice = QStringLiteral("  /dev/pts/4 ");
    EXPECT_TRUE(link_device_note(l, ports).startsWith(QStringLiteral("Serial link opens /dev/pts/4 (device path")));
}

TEST(SerialRules, RecordToBoxes) {
    ConfigRecord r;
    r.baudrate = 38400;
    r.parity = QStringLiteral("N");
    r.serinconvtype = 7;
    EXPECT_EQ(serial_choices(r), (SerialChoices{5, 2, 7}));
    r.baudrate = 0;
    r.parity = QStringLiteral("n"); // exact letters only
    r.serinconvtype = 8;
    EXPECT_EQ(serial_choices(r), SerialChoices{});
    r.serinconvtype = -1;
    EXPECT_EQ(serial_choices(r).conversion, std::nullopt);
    EXPECT_EQ(conversion_after_click(5, false), kNoConversion);
    EXPECT_EQ(conversion_after_click(5, true), 5);
}

} // namespace
} // namespace k52
