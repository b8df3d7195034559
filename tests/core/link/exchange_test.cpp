#include "core/link/device_job.h"
#include "core/link/exchange.h"
#include "core/link/port_names.h"
#include "core/link/serial_link.h"
#include "support/memory_link.h"

#include <gtest/gtest.h>

using k52::ReplyStatus;
using k52test::MemoryLink;

namespace {

MemoryLink open_link() {
    MemoryLink l;
    l.open(QStringLiteral("mem"), k52::SerialSettings{}, nullptr);
    return l;
}

} // namespace

TEST(Exchange, FrameIsNulTextDel) {
    MemoryLink l = open_link();
    l.feed("OK\r");
    EXPECT_TRUE(k52::send_command(l, QStringLiteral("S1G4E0D0D0A201")));
    EXPECT_EQ(l.written, QByteArray("\x00S1G4E0D0D0A201\x7f", 16));
}

TEST(Exchange, AcceptsOnlyExactOkEndedByCr) {
    struct Case {
        QByteArray incoming;
        bool accepted;
    } cases[] = {{"OK\r", true}, {"ok\r", false}, {"OK", false}, {"OK \r", false}, {"\r", false}, {"ERR\r", false}};
    for (const Case &c : cases) {
        MemoryLink l = open_link();
        l.feed(c.incoming);
        EXPECT_EQ(k52::send_command(l, QStringLiteral("A1")), c.accepted) << c.incoming.constData();
    }
}

TEST(Exchange, NothingIsFlushedBeforeACommand) {
    // "OK" CR LF: the LF begins the next reply, which then is not "OK".
    MemoryLink l = open_link();
    l.feed("OK\r\nOK\r");
    EXPECT_TRUE(k52::send_command(l, QStringLiteral("P")));
    EXPECT_FALSE(k52::send_command(l, QStringLiteral("T")));
    // Characters after a CR start the next reply.
    MemoryLink m = open_link();
    m.feed("ERR\rO");
    EXPECT_FALSE(k52::send_command(m, QStringLiteral("P")));
    m.feed("K\r");
    EXPECT_TRUE(k52::send_command(m, QStringLiteral("T")));
}

TEST(Exchange, OneDeadlineForTheWholeReply) {
    MemoryLink l = open_link();
    l.feed("O"); // then silence: the reply never ends
    const auto before = k52::LinkClock::now();
    const k52::Reply r = k52::exchange(l, QStringLiteral("V"));
    EXPECT_EQ(r.status, ReplyStatus::TimedOut);
    EXPECT_EQ(r.text, QStringLiteral("O")); // what came without a CR, not an answer
    ASSERT_EQ(l.deadlines.size(), 1u);
    EXPECT_GE(l.deadlines[0], before + k52::kReplyTimeout);
    EXPECT_LE(l.deadlines[0], k52::LinkClock::now() + k52::kReplyTimeout);
}

TEST(Exchange, VanishedOrClosedLinkIsAFailureNotARefusal) {
    MemoryLink gone = open_link();
    gone.vanish_after = 1;
    EXPECT_EQ(k52::exchange(gone, QStringLiteral("A1")).status, ReplyStatus::LinkFailed);
    MemoryLink closed;
    EXPECT_EQ(k52::exchange(closed, QStringLiteral("A1")).status, ReplyStatus::LinkFailed);
    EXPECT_TRUE(closed.written.isEmpty());
}

TEST(Identification, FourPrefixesExactCase) {
    struct Case {
        const char *reply;
        bool ok;
        const char *version;
        const char *ident;
    } cases[] = {
        {"ZOR K52 V01.94", true, "01.94", "K52 V01.94"},
        {"ZOR K52R V01.99", true, "01.99", "K52R V01.99"},
        {"ZOR K54R V01.95", true, "01.95", "K54R V01.95"},
        {"ZOR K52 V1.9", true, "1.9", "K52 V1.9"},
        {"ZOR K52 V\x1b[2J\x7f", true, "\x1b[2J\x7f", R"(K52 V\x1B[2J\x7F)"}, // shown escaped
        {"ZOR K54 V0\\\xff.1", true, "0\\\xff.1", R"(K54 V0\\\xFF.1)"},
        {"ZOR K53 V01.94", false, "", ""},
        {"zor K52 V01.94", false, "", ""},
        {"ZOR K52 v01.94", false, "", ""},
        {" ZOR K52 V01.94", false, "", ""},
        {"", false, "", ""},
    };
    // Device data in a message: at most 40 characters of it.
    EXPECT_EQ(k52::escaped_text(QStringLiteral("K52 V") + QString(300, QLatin1Char('\x1b'))),
              QStringLiteral("K52 V") +
                  QString(35, QLatin1Char('\x1b')).replace(QLatin1Char('\x1b'), QStringLiteral("\\x1B")) +
                  QStringLiteral("... (305 bytes in all)"));
    for (const Case &c : cases) {
        QString version, ident;
        EXPECT_EQ(k52::parse_identification(QString::fromLatin1(c.reply), version, ident), c.ok) << c.reply;
        if (c.ok) {
            EXPECT_EQ(version, QLatin1String(c.version));
            EXPECT_EQ(ident, QLatin1String(c.ident));
        }
    }
}

TEST(SerialSettings, FramingOfTheStoredParityAndItsWireTime) {
    struct Case {
        int parity;
        const char *text;
        qint64 ms_for_1024; // at the baud rate below
    };
    // 10 bits a character for the 7-bit framings with parity and for 8N1.
    for (const Case &c : {Case{0, "1200,E,7,1", 8534}, Case{1, "1200,O,7,1", 8534}, Case{2, "1200,N,8,1", 8534}}) {
        const auto s = k52::serial_settings(1200, c.parity);
        ASSERT_TRUE(s.has_value()) << c.parity;
        EXPECT_EQ(k52::serial_settings_text(*s), QString::fromLatin1(c.text));
        EXPECT_EQ(k52::wire_time(*s, 1024).count(), c.ms_for_1024) << c.text;
    }
    for (int bad : {-1, 3, 9})
        EXPECT_FALSE(k52::serial_settings(9600, bad).has_value()) << bad;
    k52::SerialSettings two_stop{9600, k52::Parity::Even, 8, 2}; // 12 bits a character
    EXPECT_EQ(k52::wire_time(two_stop, 800).count(), 1000);
    EXPECT_EQ(k52::wire_time(two_stop, 1).count(), 2); // rounded up
    EXPECT_EQ(k52::wire_time(two_stop, 0).count(), 0);
}

TEST(PortSpec, BadStoredFramingNamesTheFixBeforeAnyPortIsOpened) {
    k52::LinkSettings s;
    s.commdevice = QStringLiteral("/dev/ttyS0");
    s.baudrate = 9600;
    s.parity = 7;
    k52::PortSpec port = k52::port_spec(s);
    EXPECT_TRUE(port.device.isEmpty());
    EXPECT_TRUE(port.error.contains(QStringLiteral("Communications Setup"))) << port.error.toStdString();
    s.parity = 2;
    s.baudrate = 0;
    EXPECT_TRUE(k52::port_spec(s).device.isEmpty());
    s.baudrate = 19200;
    port = k52::port_spec(s);
    EXPECT_EQ(port.device, QStringLiteral("/dev/ttyS0"));
    EXPECT_EQ(k52::serial_settings_text(port.serial), QStringLiteral("19200,N,8,1"));

    MemoryLink l;
    QString why;
    port.device.clear();
    port.error = QStringLiteral("Comm port 4: this system has 2 serial port(s)");
    EXPECT_FALSE(k52::open_port(l, port, &why));
    EXPECT_EQ(why, port.error);
    EXPECT_EQ(l.opens, 0);
}

TEST(PortSpec, OpeningDropsWhatAnEarlierExchangeLeftWaiting) {
    MemoryLink l;
    l.stale = "OK\r"; // the late reply of an aborted run
    l.feed("ZOR K54 V01.95\rOK\r");
    k52::PortSpec port;
    port.device = QStringLiteral("/dev/ttyS0");
    QString why;
    ASSERT_TRUE(k52::open_port(l, port, &why));
    EXPECT_EQ(l.opened_settings, QStringLiteral("9600,E,7,1"));
    EXPECT_EQ(k52::exchange(l, QStringLiteral("V")).text, QStringLiteral("ZOR K54 V01.95"));
    // Within one job nothing is dropped between commands.
    EXPECT_EQ(k52::exchange(l, QStringLiteral("A1")).text, QStringLiteral("OK"));
    EXPECT_EQ(l.discards, 1);
}

TEST(PortNames, DeviceWinsOverNumber) {
    k52::LinkSettings s;
    s.commport = 1;
    s.commdevice = QStringLiteral(" /dev/ttyUSB7 ");
    QString why;
    EXPECT_EQ(k52::resolve_port(s, &why), QStringLiteral("/dev/ttyUSB7"));
    s.commdevice.clear();
    s.commport = 0;
    EXPECT_TRUE(k52::resolve_port(s, &why).isEmpty());
    EXPECT_FALSE(why.isEmpty());
}
