#include "screen_fixture.h"

#include "core/rules/link_rules.h"
#include "window/screens/commform_screen.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <memory>

namespace k52 {
namespace {

using test::ScreenFixture;

PortEntry port(int n, const char *device, const char *description = "") {
    return {n, QString::fromUtf8(device), QString::fromUtf8(description), {}};
}

class CommFormTest : public ScreenFixture {
protected:
    void SetUp() override {
        ScreenFixture::SetUp();
        ctx_.link.commtype = QStringLiteral("S");
        ctx_.link.commport = 2;
        ctx_.link.baudrate = 9600;
        ctx_.link.parity = 2;
        ctx_.link.Terminator = QStringLiteral("0D");
        ctx_.link.ipaddress = QStringLiteral("10.0.0.5");
        ctx_.link.remoteportaddress = QStringLiteral("400");
        ports_ = {port(1, "/dev/ttyS0"), port(2, "/dev/ttyUSB0", "FT232R")};
    }
    std::unique_ptr<CommFormScreen> make() {
        auto s = std::make_unique<CommFormScreen>(ctx_);
        s->set_port_lister([this] { return ports_; });
        s->show();
        s->set_from_link();
        return s;
    }
    // Boxes ticked in a group; port boxes are counted by number, 1 to 7.
    template <class F> static int ticked(const CommFormScreen &s, int n, F box) {
        const int first = box == &CommFormScreen::port_box ? 1 : 0;
        int count = 0;
        for (int i = first; i < first + n; ++i)
            count += (s.*box)(i)->isChecked() ? 1 : 0;
        return count;
    }
    QVector<PortEntry> ports_;
};

TEST_F(CommFormTest, StartUpShowsTheLinkSettings) {
    auto s = make();
    EXPECT_FALSE(s->mode_box(kModeTcp)->isChecked());
    EXPECT_TRUE(s->port_box(2)->isChecked());
    EXPECT_EQ(ticked(*s, kCommPortChoices, &CommFormScreen::port_box), 1);
    EXPECT_TRUE(s->baud_box(3)->isChecked());
    EXPECT_EQ(ticked(*s, kBaudChoices, &CommFormScreen::baud_box), 1);
    EXPECT_TRUE(s->parity_box(2)->isChecked());
    EXPECT_EQ(s->terminator_edit()->text(), QStringLiteral("0D"));
    EXPECT_EQ(s->ip_edit()->text(), QStringLiteral("10.0.0.5"));
    EXPECT_EQ(s->tcp_port_edit()->text(), QStringLiteral("400"));

    // A fresh settings row: no type, port, rate; the screen shows serial
    // and the setting says so too, so the terminal opens the serial port.
    ctx_.link = LinkSettings{};
    ctx_.link.ipaddress = QString::fromUtf8(kSeedIpAddress);
    ctx_.link.remoteportaddress = QStringLiteral("400");
    s->set_from_link();
    EXPECT_TRUE(s->mode_box(kModeSerial)->isChecked());
    EXPECT_EQ(ctx_.link.commtype, QStringLiteral("S"));
    EXPECT_EQ(ticked(*s, kCommPortChoices, &CommFormScreen::port_box), 0);
    EXPECT_EQ(ticked(*s, kBaudChoices, &CommFormScreen::baud_box), 0);
    EXPECT_EQ(ctx_.link.commport, 0);
    EXPECT_EQ(s->tcp_port_edit()->text(), QStringLiteral("400"));

    // Values with no box: nothing ticked in their group, values kept.
    ctx_.link.commtype = QStringLiteral("T");
    ctx_.link.commport = 9;
    ctx_.link.baudrate = 300;
    ctx_.link.parity = 3;
    s->set_from_link();
    EXPECT_FALSE(s->mode_box(kModeSerial)->isChecked());
    EXPECT_EQ(ticked(*s, kCommPortChoices, &CommFormScreen::port_box), 0);
    EXPECT_EQ(ticked(*s, kBaudChoices, &CommFormScreen::baud_box), 0);
    EXPECT_EQ(ticked(*s, kParityChoices, &CommFormScreen::parity_box), 0);
    EXPECT_EQ(ctx_.link.baudrate, 300);
    EXPECT_TRUE(s->device_note()->text().contains(QStringLiteral("Comm port 9 has no device")));
}

// Ticking a mode unticks the other; unticking the ticked box of a group
// leaves the group empty and the setting as it was.
TEST_F(CommFormTest, GroupRules) {
    auto s = make();
    click(s->mode_box(kModeTcp));
    EXPECT_FALSE(s->mode_box(kModeSerial)->isChecked());
    click(s->mode_box(kModeSerial));
    EXPECT_EQ(ctx_.link.commtype, QStringLiteral("S"));
    click(s->baud_box(3));
    EXPECT_EQ(ticked(*s, kBaudChoices, &CommFormScreen::baud_box), 0);
    EXPECT_EQ(ctx_.link.baudrate, 9600);
}

TEST_F(CommFormTest, PortDevicesAndDevicePath) {
    auto s = make();
#ifndef Q_OS_WIN
    EXPECT_EQ(s->port_label(2)->text(), QStringLiteral("/dev/ttyUSB0 (FT232R)"));
    EXPECT_EQ(s->port_label(3)->text(), QStringLiteral("(no such port on this machine)"));
    EXPECT_EQ(s->device_note()->text(), QStringLiteral("Serial link opens /dev/ttyUSB0"));

    // "Refresh" reads the list again.
    ports_.push_back(port(3, "/dev/ttyUSB1"));
    click(s->port_box(3));
    EXPECT_TRUE(s->device_note()->text().contains(QStringLiteral("no device")));
    QTest::mouseClick(s->refresh_button(), Qt::LeftButton);
    EXPECT_EQ(s->port_label(3)->text(), QStringLiteral("/dev/ttyUSB1"));
    EXPECT_EQ(s->device_note()->text(), QStringLiteral("Serial link opens /dev/ttyUSB1"));
#endif

    // A device path wins; ticking a port by hand drops it again.
    QTest::keyClicks(s->device_edit(), QStringLiteral("/dev/pts/7"));
    EXPECT_EQ(ctx_.link.commdevice, QStringLiteral("/dev/pts/7"));
    EXPECT_TRUE(s->device_note()->text().startsWith(QStringLiteral("Serial link opens /dev/pts/7")));
    s->set_from_link(); // start-up keeps a stored path
    EXPECT_EQ(s->device_edit()->text(), QStringLiteral("/dev/pts/7"));
    click(s->port_box(1));
    EXPECT_EQ(ctx_.link.commport, 1);
    EXPECT_TRUE(ctx_.link.commdevice.isEmpty());
    EXPECT_TRUE(s->device_edit()->text().isEmpty());
}

} // namespace
} // namespace k52
