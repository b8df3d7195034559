// Cloning: packets byte for byte, the version gate, every ending, against an
// in-memory converter and end to end against k52sim.
#include "core/link/serial_link.h"
#include "core/maintenance/cloning.h"
#include "support/file_bytes.h"
#include "support/memory_link.h"
#include "support/sim_process.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace k52;
using k52test::MemoryLink;
using k52test::SimProcess;

namespace {

using k52test::file_bytes;
using k52test::put_file;

JobProgress quiet;
const PortSpec kPort = k52test::port_on(QStringLiteral("p"));

struct LastStep : JobProgress {
    qint64 last = 0;
    void step(qint64 done, qint64) override { last = done; }
};

QByteArray pattern(int seed) {
    QByteArray b(kCloneImageSize, '\0');
    for (int i = 0; i < b.size(); ++i)
        b[i] = char((i * 13 + seed) & 0xFF);
    return b;
}

// A converter on a memory link: identification, then an image on request,
// nothing to packets (see PacketLink).
struct Converter {
    MemoryLink link;
    QByteArray image = pattern(1);
    QByteArray ident = "ZOR K52 V01.96";
    int image_bytes = kCloneImageSize;
    Converter() {
        link.responder = [this](const QString &cmd) -> QByteArray {
            if (cmd == QLatin1String("V"))
                return ident.isEmpty() ? QByteArray() : ident + "\r";
            if (cmd == QLatin1String("\x03"))
                return image.left(image_bytes);
            return {};
        };
    }
};

// A link that answers every download packet as it is written.
class PacketLink : public MemoryLink {
public:
    QByteArray ack = "GO\r";
    int answer_packets = 1000; // stop answering after this many
    int seen = 0;
    QList<QByteArray> packets;
    bool write(const QByteArray &bytes) override {
        if (bytes.size() == 67 && bytes[0] == '\0' && bytes[66] == '\r') {
            if (!is_open())
                return false;
            written.append(bytes);
            packets << bytes;
            if (++seen <= answer_packets)
                feed(ack);
            return true;
        }
        return MemoryLink::write(bytes);
    }
};

} // namespace

TEST(CloneWire, PacketsAndRequest) {
    EXPECT_EQ(clone_upload_request(), QByteArray("\x00\x03\x7f", 3));
    QByteArray image(kCloneImageSize, '\0');
    image[0] = char(0xA7);
    image[1] = char(0xFF);
    image[32] = char(0x5C);
    const QByteArray first = clone_packet(image, 0);
    ASSERT_EQ(first.size(), 67);
    EXPECT_EQ(first.left(6), QByteArray("\x00\x01\x2a\x27\x2f\x2f", 6));
    EXPECT_EQ(first.mid(6, 2), QByteArray("\x20\x20", 2)); // byte 0x00
    EXPECT_EQ(first.at(66), '\x0d');
    const QByteArray second = clone_packet(image, 1);
    EXPECT_EQ(second.left(4), QByteArray("\x00\x02\x25\x2c", 4));
    EXPECT_EQ(clone_packet(image, 31).at(1), '\x02');
    for (int i = 2; i < 66; ++i) // every body character is 0x20..0x2F
        EXPECT_TRUE(quint8(first[i]) >= 0x20 && quint8(first[i]) <= 0x2F);
}

TEST(CloneGate, VersionsAndModels) {
    // An R model is judged by its own version, not by the "V" at the 10th place.
    for (const char *ok : {"ZOR K52 V01.96", "ZOR K54 V02.00", "ZOR K54R V01.97"})
        EXPECT_TRUE(clone_version_ok(QLatin1String(ok))) << ok;
    for (const char *old : {"ZOR K52 V01.95", "ZOR K52 V01", "garbage", "ZOR K52R V01.90"})
        EXPECT_FALSE(clone_version_ok(QLatin1String(old))) << old;
}

TEST(CloneRead, StoresTheImageAndKeepsWhatLiesBeyond) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("sub/K52clone.dat"));
    Converter c;
    CloneResult r = clone_read(c.link, kPort, file, quiet);
    EXPECT_EQ(r.outcome, CloneOutcome::ReadComplete);
    EXPECT_EQ(r.message, QStringLiteral("Read from K52 complete"));
    EXPECT_EQ(file_bytes(file), c.image);
    EXPECT_FALSE(c.link.is_open());
    EXPECT_TRUE(c.link.written.endsWith(clone_upload_request()));

    // A longer file keeps its bytes beyond 1024; extra bytes from the
    // converter are not read.
    const QByteArray tail("TAIL");
    ASSERT_NO_FATAL_FAILURE(put_file(file, pattern(9) + tail));
    Converter again;
    again.image = pattern(5) + QByteArray("extra");
    again.image_bytes = kCloneImageSize + 5;
    EXPECT_TRUE(clone_read(again.link, kPort, file, quiet).ok());
    EXPECT_EQ(file_bytes(file), pattern(5) + tail);
}

TEST(CloneRead, FailuresWriteNothing) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("K52clone.dat"));
    ASSERT_NO_FATAL_FAILURE(put_file(file, pattern(2)));
    {
        Converter c;
        c.image_bytes = 1023;
        const CloneResult r = clone_read(c.link, kPort, file, quiet);
        EXPECT_EQ(r.message, QStringLiteral("Read from K52 did not complete"));
        EXPECT_FALSE(c.link.is_open());
    }
    {
        Converter c;
        c.ident.clear();
        EXPECT_EQ(clone_read(c.link, kPort, file, quiet).message, QStringLiteral("Unable to communicate with K52"));
        EXPECT_EQ(c.link.commands, QStringList{QStringLiteral("V")}); // nothing else sent
    }
    {
        Converter c;
        c.ident = "ZOR K52R V01.80";
        EXPECT_EQ(clone_read(c.link, kPort, file, quiet).message,
                  QStringLiteral("Cannot clone. The K52 used for cloning must be version 1.96 or higher"));
        EXPECT_EQ(c.link.commands, QStringList{QStringLiteral("V")}); // refused after the version query
    }
    {
        // Whatever the device sends reaches the message escaped.
        Converter c;
        c.ident = QByteArray("ZOR\x1b[2J\x00\x9b\\", 10);
        const CloneResult r = clone_read(c.link, kPort, file, quiet);
        EXPECT_EQ(r.outcome, CloneOutcome::TooOld);
        EXPECT_EQ(r.detail.toStdString(), R"(The converter answered "ZOR\x1B[2J\x00\x9B\\")");
    }
    {
        MemoryLink absent;
        absent.fail_open_error = QStringLiteral("no such port");
        EXPECT_EQ(clone_read(absent, kPort, file, quiet).detail, QStringLiteral("no such port"));
    }
    EXPECT_EQ(file_bytes(file), pattern(2));
    // An image that cannot be stored is not reported as read.
    Converter c;
    EXPECT_EQ(clone_read(c.link, kPort, QStringLiteral("/proc/no/such/K52clone.dat"), quiet).outcome,
              CloneOutcome::NotStored);
}

TEST(CloneWrite, SendsThirtyTwoAcknowledgedPackets) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("K52clone.dat"));
    ASSERT_NO_FATAL_FAILURE(put_file(file, pattern(3) + QByteArray(6, 'x'))); // 1030 bytes
    PacketLink link;
    link.responder = MemoryLink::ok_to_all(QStringLiteral("01.96"));
    LastStep steps;
    const CloneResult r = clone_write(link, kPort, file, steps);
    EXPECT_EQ(r.message, QStringLiteral("Clone to K52 complete"));
    ASSERT_EQ(link.packets.size(), kClonePackets);
    for (int i = 0; i < kClonePackets; ++i)
        EXPECT_EQ(link.packets[i], clone_packet(pattern(3), i));
    EXPECT_EQ(steps.last, kClonePackets);
    EXPECT_FALSE(link.is_open());
}

TEST(CloneWrite, FileAndAcknowledgementFailures) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("K52clone.dat"));
    auto run = [&](PacketLink &link) {
        link.responder = MemoryLink::ok_to_all(QStringLiteral("01.99"));
        return clone_write(link, kPort, file, quiet);
    };
    for (const char *message : {"Unable to locate uploaded clone file", "Invalid clone data file"}) {
        PacketLink link;
        EXPECT_EQ(run(link).message, QLatin1String(message));
        EXPECT_TRUE(link.packets.isEmpty());
        ASSERT_NO_FATAL_FAILURE(put_file(file, pattern(4).left(1000)));
    }
    ASSERT_NO_FATAL_FAILURE(put_file(file, pattern(4)));
    for (const QByteArray &ack : {QByteArray("GO \r"), QByteArray("go\r"), QByteArray("OK\r")}) {
        PacketLink link;
        link.ack = ack;
        const CloneResult r = run(link);
        EXPECT_EQ(r.message, QStringLiteral("Error downloading to K52"));
        EXPECT_EQ(link.packets.size(), 1); // no retry
        EXPECT_FALSE(link.is_open());
    }
    PacketLink stalls;
    stalls.answer_packets = 7;
    EXPECT_EQ(run(stalls).outcome, CloneOutcome::DownloadError);
    EXPECT_EQ(stalls.packets.size(), 8);
}

// The 1024-byte upload alone takes 8.5 s on the wire at 1200 baud: the
// deadline grows with it.
TEST(CloneSim, ReadAtTwelveHundredBaud) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("K52clone.dat"));
    SimProcess slow({"--firmware", "01.96", "--pace", "1200"});
    ASSERT_TRUE(slow.start());
    SerialLink link;
    LastStep steps;
    const CloneResult r = clone_read(link, k52test::port_on(slow.device(), 1200), file, steps);
    EXPECT_EQ(r.outcome, CloneOutcome::ReadComplete) << r.detail.toStdString();
    EXPECT_EQ(steps.last, kCloneImageSize);
    EXPECT_EQ(file_bytes(file).size(), kCloneImageSize);
}
