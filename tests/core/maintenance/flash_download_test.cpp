// The flash download against an in-memory boot loader, every byte on the
// wire; end to end against k52sim it runs in the command's tests (verbs,
// fleet, fault matrix).
#include "core/maintenance/flash_download.h"
#include "support/memory_link.h"

#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace k52;
using k52test::MemoryLink;

namespace {

const QByteArray kWake("\x00\x1b\x0d\x00\x1b\x0d", 6);
const QDate kDate(2026, 3, 7);
const QByteArray kFill(52, '\xff');

struct Reports : JobProgress {
    QStringList statuses;
    std::vector<std::pair<qint64, qint64>> bytes_done;
    void status(const QString &text) override { statuses << text; }
    void step(qint64 done, qint64 total) override { bytes_done.emplace_back(done, total); }
};

QByteArray trailer() {
    QByteArray t;
    for (int i = 0; i < 44; ++i)
        t.append(static_cast<char>(0xC0 + i));
    return t;
}

QByteArray pattern(int n, quint32 seed = 7) {
    QRandomGenerator rng(seed);
    QByteArray b(n, '\0');
    for (char &c : b)
        c = static_cast<char>(rng.bounded(256));
    return b;
}

FlashResult run(MemoryLink &link, const QByteArray &file, Reports &out) {
    return flash_download(link, k52test::port_on(QStringLiteral("/dev/ttyS0"), 9600, 2), file, kDate, out);
}

// What the program sends for `body` when every answer is right.
QByteArray wire(const QByteArray &body) {
    QByteArray w = kWake + "B";
    for (qsizetype i = 0; i < body.size(); i += 50)
        w += flash_block(body.mid(i, 50));
    return w + QByteArray(1, '\0') + trailer() + "03072026" + kFill + kFill;
}

qint64 ms_from_now(LinkClock::time_point t) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(t - LinkClock::now()).count();
}

} // namespace

TEST(FlashWire, BlocksDateAndProgressTexts) {
    EXPECT_EQ(flash_block(QByteArray(1, '\xa7')), QByteArray("\x01\xa7\xa7", 3));
    EXPECT_EQ(flash_block(QByteArray("\x0f\xf0\x01", 3)), QByteArray("\x03\x0f\xf0\x01\xfe", 5));
    EXPECT_EQ(flash_block(QByteArray(50, '\x55')), QByteArray(1, '\x32') + QByteArray(50, '\x55') + '\0');
    EXPECT_EQ(flash_date(QDate(2025, 12, 25)), "12252025");
    EXPECT_EQ(flash_date(QDate(999, 1, 1)), "01010999");
    EXPECT_EQ(flash_progress_text(5, 100), "Downloading - 05 % complete");
    EXPECT_EQ(flash_progress_text(455, 1000), "Downloading - 46 % complete");   // half up
    EXPECT_EQ(flash_progress_text(9950, 10000), "Downloading - 99 % complete"); // never "00"
}

TEST(FlashDownload, OneByteBodyIsOneBlockThenTrailerDateAndFills) {
    MemoryLink link;
    link.feed("TKKBBB");
    Reports out;
    const QByteArray file = QByteArray(1, '\xa7') + trailer();
    const FlashResult r = run(link, file, out);
    EXPECT_EQ(r.message, "Download complete");
    EXPECT_EQ(link.written, kWake + "B" + QByteArray("\x01\xa7\xa7\x00", 4) + trailer() + "03072026" + kFill + kFill);
    EXPECT_EQ(link.opened_settings, "9600,N,8,1");
    EXPECT_FALSE(link.is_open());
    // The last block does not move the label; success clears it.
    EXPECT_EQ(out.statuses, (QStringList{"Preparing to Download Flash", ""}));
    EXPECT_EQ(out.bytes_done, (std::vector<std::pair<qint64, qint64>>{{1, 1}}));
    // The only read that found nothing waiting was the pause after the wake-up.
    ASSERT_EQ(link.deadlines.size(), 1u);
    EXPECT_NEAR(ms_from_now(link.deadlines[0]), 1000, 100);
}

TEST(FlashDownload, BodyOfWholeBlocksHasNoEmptyLastBlock) {
    MemoryLink link;
    link.feed("TKKKBBB");
    Reports out;
    const QByteArray body = pattern(100);
    EXPECT_TRUE(run(link, body + trailer(), out).ok());
    EXPECT_EQ(link.written, wire(body));
    EXPECT_EQ(out.statuses, (QStringList{"Preparing to Download Flash", "Downloading - 50 % complete", ""}));
    EXPECT_EQ(out.bytes_done, (std::vector<std::pair<qint64, qint64>>{{50, 100}, {100, 100}}));
}

TEST(FlashDownload, Handshake) {
    const QByteArray file = QByteArray(1, 'x') + trailer();
    // Another first character lets the download go on; the second one answers the first block.
    for (const char *answer : {"?KBBB", "?Z"}) {
        MemoryLink link;
        link.feed(answer);
        Reports out;
        EXPECT_EQ(run(link, file, out).message, answer[1] == 'K' ? "Download complete" : "Download Error");
        EXPECT_EQ(link.written, answer[1] == 'K' ? wire("x") : kWake + "B" + flash_block("x"));
    }
    for (const char *answer : {"TB", "T", ""}) {
        MemoryLink link;
        link.feed(answer);
        Reports out;
        const FlashResult r = run(link, file, out);
        EXPECT_EQ(r.outcome, FlashOutcome::Timeout) << answer;
        EXPECT_EQ(r.message, "Timeout Error");
        EXPECT_EQ(link.written, kWake + "B") << "nothing for the flash";
        EXPECT_FALSE(link.is_open());
        EXPECT_EQ(out.statuses, QStringList{"Preparing to Download Flash"}) << "the label keeps its text";
        if (QByteArray(answer).size() < 2) {
            EXPECT_NEAR(ms_from_now(link.deadlines.back()), 7000, 100);
        }
    }
}

TEST(FlashDownload, WrongOrMissingAnswersAreDownloadErrors) {
    const QByteArray body = pattern(120);
    const QByteArray file = body + trailer();
    struct Case {
        QByteArray answers;
        QByteArray written;
        const char *detail;
    };
    const QByteArray blocks = flash_block(body.left(50)) + flash_block(body.mid(50, 50)) + flash_block(body.mid(100));
    const QByteArray tail = QByteArray(1, '\0') + trailer() + "03072026";
    const Case cases[] = {
        {"TKB", kWake + "B" + flash_block(body.left(50)), "answered \"B\" instead of \"K\" after block 1"},
        {"TKKK", kWake + "B" + blocks, "no answer within 5 seconds after block 3"},
        {"TKKKKK", kWake + "B" + blocks + tail, "answered \"K\" instead of \"B\" after the date"},
        {"TKKKKB", kWake + "B" + blocks + tail + kFill, "no answer within 5.1 seconds after the first fill pass"},
        {"TKKKKBB\x01", kWake + "B" + blocks + tail + kFill + kFill, "answered 0x01 instead of \"B\" after the second"},
    };
    for (const Case &c : cases) {
        MemoryLink link;
        link.feed(c.answers);
        Reports out;
        const FlashResult r = run(link, file, out);
        EXPECT_EQ(r.outcome, FlashOutcome::DownloadError) << c.answers.constData();
        EXPECT_EQ(r.message, "Download Error");
        EXPECT_TRUE(r.detail.contains(QLatin1String(c.detail))) << r.detail.toStdString();
        EXPECT_EQ(link.written, c.written) << c.answers.constData();
        EXPECT_FALSE(link.is_open());
        EXPECT_FALSE(out.statuses.contains(QString())) << "the label is cleared only on success";
    }
}

// The passes after the body wait 5000 ms beyond their own wire time, so a
// slow link gets the same margin as a fast one; the blocks wait 5000 ms.
TEST(FlashDownload, TrailerAndFillWaitsGrowWithTheWireTime) {
    const QByteArray file = pattern(50) + trailer();
    for (const qint32 baud : {1200, 115200}) {
        const QByteArray answers[] = {"TK", "TKK", "TKKB"};
        const qint64 bytes_before_wait[] = {0, 1 + 44 + 8, 52}; // block; end, trailer, date; fill
        for (int i = 0; i < 3; ++i) {
            MemoryLink link;
            link.feed(answers[i]);
            Reports out;
            const auto start = LinkClock::now();
            flash_download(link, k52test::port_on(QStringLiteral("/dev/ttyS0"), baud, 2), file, kDate, out);
            ASSERT_FALSE(link.deadlines.empty());
            const qint64 waited =
                std::chrono::duration_cast<std::chrono::milliseconds>(link.deadlines.back() - start).count();
            const qint64 wire = (bytes_before_wait[i] * 10 * 1000 + baud - 1) / baud;
            EXPECT_NEAR(waited, 5000 + wire, 50) << baud << " baud, wait " << i;
        }
    }
}

namespace {
// A converter that goes away after a number of writes.
class VanishingLink : public MemoryLink {
public:
    explicit VanishingLink(int writes) : writes_(writes) {}
    bool write(const QByteArray &bytes) override {
        const bool ok = MemoryLink::write(bytes);
        if (--writes_ == 0)
            interrupt();
        return ok;
    }

private:
    int writes_;
};
} // namespace

TEST(FlashDownload, VanishingConverterAndUnusablePortOrFile) {
    {
        VanishingLink link(4); // wake-up, "B", two blocks
        link.feed("TKKKKBBB");
        Reports out;
        const FlashResult r = run(link, pattern(200) + trailer(), out);
        EXPECT_EQ(r.message, "Download Error");
        EXPECT_EQ(r.detail, "the link to the converter failed");
        EXPECT_FALSE(link.is_open());
    }
    {
        MemoryLink link;
        link.fail_open_error = QStringLiteral("/dev/ttyS0 is in use");
        Reports out;
        const FlashResult r = run(link, pattern(10) + trailer(), out);
        EXPECT_EQ(r.outcome, FlashOutcome::PortError);
        EXPECT_EQ(r.message, "Unable to open comm port");
        EXPECT_EQ(r.detail, "/dev/ttyS0 is in use");
        EXPECT_TRUE(link.written.isEmpty());
    }
    // Files that cannot be sent are refused before the converter is woken.
    for (int size : {0, 44, (1 << 20) + 1}) {
        MemoryLink link;
        Reports out;
        const FlashResult r = run(link, QByteArray(size, 'x'), out);
        EXPECT_EQ(r.message, size > 44 ? "Firmware file too large" : "Early end of binary file") << size;
        EXPECT_FALSE(r.detail.isEmpty());
        EXPECT_EQ(link.opens, 0);
    }
    QTemporaryDir dir;
    MemoryLink link;
    Reports out;
    const FlashResult r = doflashdl(link, PortSpec{}, dir.filePath(QStringLiteral("missing.bin")), kDate, out);
    EXPECT_EQ(r.outcome, FlashOutcome::FileError);
    EXPECT_EQ(r.message, "Unable to read firmware file");
    EXPECT_TRUE(r.detail.contains(QLatin1String("missing.bin")));
    EXPECT_EQ(link.opens, 0);
}
