#include "screen_fixture.h"

#include "core/link/terminal_link.h"
#include "window/screens/terminal_side_panel.h"
#include "window/screens/termmode_screen.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTextBlock>
#include <QTextDocument>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <memory>

namespace k52 {
namespace {

using test::ScreenFixture;

constexpr int kWaitMs = 5000; // bound of every wait; never reached when all is well

// The far end of a pseudo-terminal: the terminal opens the slave.
class Pty {
public:
    Pty() {
        master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (master_ >= 0 && grantpt(master_) == 0 && unlockpt(master_) == 0)
            slave_ = QString::fromLocal8Bit(ptsname(master_));
    }
    ~Pty() {
        if (master_ >= 0)
            ::close(master_);
    }
    bool ok() const { return !slave_.isEmpty(); }
    QString slave() const { return slave_; }
    // Writes all of `b`, letting the terminal under test read meanwhile
    // (it runs on this thread).
    bool write(const QByteArray &b) {
        qsizetype done = 0;
        QDeadlineTimer deadline(kWaitMs);
        while (done < b.size() && !deadline.hasExpired()) {
            const ssize_t n = ::write(master_, b.constData() + done, size_t(b.size() - done));
            if (n > 0)
                done += n;
            else if (n < 0 && errno != EAGAIN)
                return false;
            else
                QTest::qWait(1);
        }
        return done == b.size();
    }
    // What arrives within `ms` of quiet, keeping the event loop running.
    QByteArray read_for(int ms) {
        QByteArray got;
        QTest::qWait(ms);
        char buf[256];
        for (;;) {
            pollfd p{master_, POLLIN, 0};
            if (::poll(&p, 1, 0) <= 0)
                break;
            const ssize_t n = ::read(master_, buf, sizeof buf);
            if (n <= 0)
                break;
            got.append(buf, n);
        }
        return got;
    }

private:
    int master_ = -1;
    QString slave_;
};

class TermModeTest : public ScreenFixture {
protected:
    std::unique_ptr<TermModeScreen> open(const QString &commtype) {
        ctx_.link.commtype = commtype;
        auto s = std::make_unique<TermModeScreen>(ctx_);
        s->show();
        s->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(s.get()));
        s->after_show();
        return s;
    }
    static QString status(TermModeScreen &s) { return s.status_label()->text(); }
    static bool wait_status(TermModeScreen &s, const char *text) {
        return QTest::qWaitFor([&] { return status(s) == QString::fromLatin1(text); }, kWaitMs);
    }
    static void alt_code(QWidget *w, std::initializer_list<Qt::Key> keys) {
        QTest::keyPress(w, Qt::Key_Alt);
        for (Qt::Key k : keys)
            QTest::keyClick(w, k, Qt::KeypadModifier); // Alt is held: its own press/release frame these
        QTest::keyRelease(w, Qt::Key_Alt);
    }
};

TEST_F(TermModeTest, KeysAreDrawnBlackAndAltCodesSent) {
    auto s = open(QString()); // no link: drawn, not sent
    QWidget *pop1 = s->pop1();
    EXPECT_EQ(status(*s), QStringLiteral("Checking Port Status"));
    QTest::keyClicks(pop1, QStringLiteral("A~"));
    QTest::keyClick(pop1, Qt::Key_F10);
    QTest::keyClick(pop1, Qt::Key_F9);
    QTest::keyClick(pop1, Qt::Key_Tab); // sent, not a focus move
    alt_code(pop1, {Qt::Key_1, Qt::Key_2, Qt::Key_7});
    alt_code(pop1, {Qt::Key_3, Qt::Key_0, Qt::Key_0});
    alt_code(pop1, {Qt::Key_Insert, Qt::Key_Home, Qt::Key_Up}); // NumLock off: 0 7 8 = "N"
    const std::vector<quint8> want{'A', 0x7E, 0x00, 0x80, 0x09, 0x7F, 'N'};
    const TerminalGrid &g = s->grid();
    for (int i = 0; i < int(want.size()); ++i) {
        const TerminalCell &c = g.cell(1, i + 1);
        EXPECT_TRUE(c.used) << i;
        EXPECT_EQ(c.code, want[std::size_t(i)]) << i;
        EXPECT_EQ(c.origin, CellOrigin::Sent);
        EXPECT_EQ(c.hex, TerminalGrid::needs_hex(c.code));
    }
    EXPECT_FALSE(g.cell(1, int(want.size()) + 1).used);
    EXPECT_TRUE(pop1->hasFocus());

    QCheckBox *clear = s->findChild<QCheckBox *>(QStringLiteral("clearscreen"));
    click(clear);
    EXPECT_FALSE(clear->isChecked());
    EXPECT_FALSE(g.cell(1, 1).used);
    EXPECT_EQ(g.column(), 1);
    EXPECT_TRUE(pop1->hasFocus());
}

TEST_F(TermModeTest, SerialOverPseudoTerminal) {
    Pty pty;
    ASSERT_TRUE(pty.ok());
    ctx_.link.commdevice = pty.slave();
    ctx_.link.baudrate = 9600;
    ctx_.link.parity = 2; // a pseudo-terminal takes no 7-bit settings
    auto s = open(QStringLiteral("S"));
    EXPECT_EQ(status(*s), QStringLiteral("Status: comm port open"));
    ASSERT_TRUE(s->link().serial_open());
    s->open_link(); // reopening (the menu entry clicked again) closes first, then opens
    ASSERT_TRUE(s->link().serial_open());

    QTest::keyClicks(s->pop1(), QStringLiteral("A"));
    EXPECT_EQ(pty.read_for(200), QByteArray("A")); // no frame, no CR

    pty.write(QByteArray("\r"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return s->grid().cell(1, 2).used; }, kWaitMs));
    EXPECT_EQ(s->grid().cell(1, 2).code, 0x0D);
    EXPECT_EQ(s->grid().cell(1, 2).origin, CellOrigin::Received);
    EXPECT_EQ(s->grid().line(), 1);

    // A 100 KB burst: every byte reaches the grid, in order.
    const quint64 before = s->grid().drawn();
    QByteArray burst;
    for (int i = 0; i < 100 * 1024; ++i)
        burst.append(char('0' + i % 10));
    ASSERT_TRUE(pty.write(burst));
    ASSERT_TRUE(QTest::qWaitFor([&] { return s->grid().drawn() == before + quint64(burst.size()); }, kWaitMs));
    const quint64 total = s->grid().drawn();
    const quint64 per_screen = TerminalGrid::kColumns * TerminalGrid::kLines;
    const quint64 last = (total - 1) % per_screen; // 0-based position of the last character
    EXPECT_EQ(s->grid().cell(int(last / TerminalGrid::kColumns) + 1, int(last % TerminalGrid::kColumns) + 1).code,
              quint8(burst.back()));

    // close_all_links closes the port and stops the terminal.
    ctx_.close_all_links();
    EXPECT_FALSE(s->link().serial_open());
    const quint64 after_close = s->grid().drawn();
    pty.write(QByteArray("xyz"));
    QTest::qWait(100);
    EXPECT_EQ(s->grid().drawn(), after_close);
    s.reset(); // a destroyed terminal leaves no closer behind
    ctx_.close_all_links();
}

TEST_F(TermModeTest, SerialPortMissing) {
    ctx_.link.commdevice = dir_.filePath(QStringLiteral("no-such-tty"));
    ctx_.link.baudrate = 9600;
    auto s = open(QStringLiteral("S"));
    // The reason follows, with the ports present.
    EXPECT_TRUE(status(*s).startsWith(QStringLiteral("Status: Unable to open comm port: Serial port %1 does not exist: "
                                                     "the adapter is unplugged or this is the wrong port.")
                                          .arg(ctx_.link.commdevice)))
        << status(*s).toStdString();
    QTest::keyClicks(s->pop1(), QStringLiteral("B"));
    EXPECT_EQ(s->grid().cell(1, 1).code, 'B'); // drawn though not sent
}

TEST_F(TermModeTest, TcpAgainstLocalServer) {
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    ctx_.link.ipaddress = QStringLiteral("127.0.0.1");
    ctx_.link.remoteportaddress = QString::number(server.serverPort());
    auto s = open(QStringLiteral("T"));
    EXPECT_EQ(status(*s), QStringLiteral("Attempting Connection to IP device"));
    ASSERT_TRUE(wait_status(*s, "Status: tcp/ip port connected"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.hasPendingConnections(); }, kWaitMs));
    QTcpSocket *peer = server.nextPendingConnection();
    ASSERT_NE(peer, nullptr);

    QTest::keyClicks(s->pop1(), QStringLiteral("A"));
    QTest::keyClick(s->pop1(), Qt::Key_F10);
    EXPECT_TRUE(s->grid().cell(1, 2).used);
    ASSERT_TRUE(QTest::qWaitFor([&] { return peer->bytesAvailable() >= 2; }, kWaitMs));
    EXPECT_EQ(peer->readAll(), QByteArray("A\0", 2));

    peer->write("\r~");
    ASSERT_TRUE(QTest::qWaitFor([&] { return s->grid().cell(1, 4).used; }, kWaitMs));
    EXPECT_EQ(s->grid().cell(1, 3).code, 0x0D);
    EXPECT_EQ(s->grid().cell(1, 4).code, 0x7E);
    EXPECT_EQ(s->grid().cell(1, 4).origin, CellOrigin::Received);

    ctx_.close_all_links();
    EXPECT_FALSE(s->link().tcp_ready());
    EXPECT_TRUE(QTest::qWaitFor([&] { return peer->state() == QAbstractSocket::UnconnectedState; }, kWaitMs));
    QTest::keyClicks(s->pop1(), QStringLiteral("C")); // ignored: TCP chosen, not connected
    EXPECT_FALSE(s->grid().cell(1, 5).used);
}

TEST_F(TermModeTest, TcpNothingListening) {
    quint16 port = 0;
    {
        QTcpServer probe; // a port that was free a moment ago, now closed
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
        port = probe.serverPort();
    }
    ctx_.link.ipaddress = QStringLiteral("127.0.0.1");
    ctx_.link.remoteportaddress = QString::number(port);
    auto s = open(QStringLiteral("T"));
    QTest::keyClicks(s->pop1(), QStringLiteral("A")); // while connecting
    ASSERT_TRUE(wait_status(*s, "Status: unable to connect to tcp/ip port"));
    QTest::keyClicks(s->pop1(), QStringLiteral("A"));
    EXPECT_FALSE(s->grid().cell(1, 1).used);

    // A port that is not a number fails the same way.
    ctx_.link.remoteportaddress = QStringLiteral("http");
    s->open_link();
    EXPECT_TRUE(wait_status(*s, "Status: unable to connect to tcp/ip port"));
}

// Beside the grid, against the echoing simulator: the line view stamps each
// received line, the hex view shows every byte in its colour, the log keeps
// every byte both ways with its time, and a file goes out whole.
TEST_F(TermModeTest, LineViewHexViewLogAndSendFile) {
    auto sim = use_sim({QStringLiteral("--echo")});
    auto s = open(QStringLiteral("S"));
    ASSERT_TRUE(s->link().serial_open()) << status(*s).toStdString();
    TerminalSidePanel *side = s->side();
    click(side->line_view_box());
    click(side->hex_view_box());
    const QString log = dir_.filePath(QStringLiteral("term.log"));
    ASSERT_TRUE(side->start_log(log));
    EXPECT_EQ(side->log_label()->text(), QStringLiteral("Logging to term.log"));

    QTest::keyClicks(s->pop1(), QStringLiteral("Hi"));
    QTest::keyClick(s->pop1(), Qt::Key_Return);
    // Sent and echoed: 3 + 3 bytes, each as two hex digits in its colour.
    const auto digits = [&](const QColor &colour) {
        QString out;
        for (QTextBlock b = side->hex_view()->document()->begin(); b.isValid(); b = b.next())
            for (auto it = b.begin(); !it.atEnd(); ++it)
                if (it.fragment().charFormat().foreground().color() == colour)
                    out += it.fragment().text().remove(QLatin1Char(' '));
        return out;
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return digits(QColor(255, 0, 0)).size() == 6; }, kWaitMs));
    EXPECT_EQ(digits(QColor(Qt::black)), QStringLiteral("48690D"));
    EXPECT_EQ(digits(QColor(255, 0, 0)), QStringLiteral("48690D"));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\[\\d\\d:\\d\\d:\\d\\d\\.\\d{3}\\] Hi$"))
                    .match(side->line_view()->toPlainText())
                    .hasMatch())
        << side->line_view()->toPlainText().toStdString();

    // A file goes out at the link's pace, drawn and logged like typed keys.
    QByteArray file;
    for (int i = 0; i < 300; ++i)
        file += char('a' + i % 26);
    const QString path = dir_.filePath(QStringLiteral("send.txt"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(file) == file.size());
    f.close();
    ASSERT_TRUE(side->start_send(path));
    EXPECT_TRUE(side->stop_button()->isVisible());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !side->sending(); }, kWaitMs));
    EXPECT_EQ(side->progress()->maximum(), 300);
    ASSERT_TRUE(QTest::qWaitFor([&] { return digits(QColor(255, 0, 0)).size() == 2 * 303; }, kWaitMs));
    side->stop_log();
    EXPECT_EQ(side->log_label()->text(), QString());

    // The log: every byte both ways, a line a chunk, each with its time.
    QFile lf(log);
    ASSERT_TRUE(lf.open(QIODevice::ReadOnly));
    QByteArray sent, received;
    const QRegularExpression line(
        QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3} ([<>]) ([0-9A-F ]+)  \\|.*\\|$"));
    for (const QByteArray &l : lf.readAll().split('\n')) {
        if (l.isEmpty())
            continue;
        const auto m = line.match(QString::fromLatin1(l));
        ASSERT_TRUE(m.hasMatch()) << l.constData();
        (m.captured(1) == QLatin1String(">") ? sent : received) +=
            QByteArray::fromHex(m.captured(2).remove(QLatin1Char(' ')).toLatin1());
    }
    EXPECT_EQ(sent, QByteArray("Hi\r") + file);
    EXPECT_EQ(received, QByteArray("Hi\r") + file);

    // The views' state is remembered for the next terminal.
    s.reset();
    auto again = open(QStringLiteral("S"));
    EXPECT_TRUE(again->side()->line_view_box()->isChecked());
    EXPECT_TRUE(again->side()->hex_view()->isVisibleTo(again.get()));
}

} // namespace
} // namespace k52
