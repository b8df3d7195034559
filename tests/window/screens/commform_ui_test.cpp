#include "screen_fixture.h"

#include "core/rules/link_rules.h"
#include "support/sim_process.h"
#include "window/screens/commform_screen.h"
#include "window/screens/find_converter_panel.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <memory>

namespace k52 {
namespace {

using k52test::SimProcess;
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

// Find Converter on the screen against simulators, and the port list that
// follows adapters being plugged in and out; from a fresh settings row.
class FindConverterTest : public CommFormTest {
protected:
    void SetUp() override { ScreenFixture::SetUp(); }
};

TEST_F(FindConverterTest, OneClickTakesTheFoundSettingsAndStopEndsASearch) {
    SimProcess sim({QStringLiteral("--baud"), QStringLiteral("38400")});
    SimProcess silent({QStringLiteral("--silent")});
    QString why;
    ASSERT_TRUE(sim.start(&why)) << why.toStdString();
    ASSERT_TRUE(silent.start(&why)) << why.toStdString();
    // A fresh install: no port, no rate.
    ctx_.link.commtype = QStringLiteral("S");
    ports_ = {{1, silent.device(), QStringLiteral("pty"), {}},
              {2, sim.device(), QStringLiteral("pty"), QStringLiteral("sim-1")}};
    auto s = make();
    FindConverterPanel *panel = s->find_panel();

    panel->find_button()->click();
    EXPECT_TRUE(panel->running());
    EXPECT_FALSE(panel->find_button()->isEnabled());
    EXPECT_TRUE(panel->stop_button()->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(!panel->running(), 30000);
    EXPECT_EQ(panel->progress_bar()->value(), panel->progress_bar()->maximum());
    ASSERT_EQ(panel->results()->count(), 2);
    EXPECT_EQ(panel->results()->item(0)->text(), silent.device() + QStringLiteral(" (pty): no converter"));
    EXPECT_EQ(panel->results()->item(1)->text(),
              sim.device() + QStringLiteral(" (pty): K52 firmware 01.99 at 38400 baud, 7 Even"));
    EXPECT_EQ(panel->status_text(), QStringLiteral("1 converter found"));

    // The converter is chosen already: one click.
    ASSERT_TRUE(panel->use_button()->isEnabled());
    panel->use_button()->click();
    EXPECT_EQ(ctx_.link.baudrate, 38400);
    EXPECT_EQ(ctx_.link.parity, 0);
    EXPECT_EQ(ctx_.link.commport, 2);
    EXPECT_EQ(ctx_.link.commidentity, QStringLiteral("sim-1"));
    EXPECT_TRUE(s->baud_box(*baud_index(38400))->isChecked());
    EXPECT_TRUE(s->parity_box(0)->isChecked());
    EXPECT_TRUE(s->port_box(2)->isChecked());
    EXPECT_TRUE(s->port_label(2)->text().endsWith(QStringLiteral(" - remembered adapter")));

    // Stop ends a search at once and says so.
    panel->find_button()->click();
    panel->stop_button()->click();
    QTRY_VERIFY_WITH_TIMEOUT(!panel->running(), 5000);
    EXPECT_TRUE(panel->status_text().endsWith(QStringLiteral("(stopped)"))) << panel->status_text().toStdString();
    EXPECT_EQ(ctx_.link.baudrate, 38400) << "nothing taken by stopping";
}

TEST_F(FindConverterTest, PortListFollowsTheAdaptersAndMarksTheRememberedOne) {
    const auto usb = [](int n, const char *device, const char *id) {
        return PortEntry{n, QString::fromUtf8(device), QStringLiteral("FT232R"), QString::fromUtf8(id)};
    };
    ports_ = {usb(1, "/dev/ttyUSB0", "id-A"), usb(2, "/dev/ttyUSB1", "id-B")};
    auto s = make();
    ASSERT_TRUE(s->poll_timer()->isActive());
    EXPECT_LE(s->poll_timer()->interval(), 1000);
    click(s->port_box(2));
    EXPECT_EQ(ctx_.link.commidentity, QStringLiteral("id-B"));
    EXPECT_TRUE(s->port_label(2)->text().endsWith(QStringLiteral(" - remembered adapter")));

    // Re-plugged in the other order, and a third adapter: the screen
    // follows by itself; the remembered adapter is now box 1.
    ports_ = {usb(1, "/dev/ttyUSB0", "id-B"), usb(2, "/dev/ttyUSB1", "id-A"), usb(3, "/dev/ttyUSB2", "id-C")};
    QTRY_VERIFY_WITH_TIMEOUT(s->port_label(3)->text().startsWith(QStringLiteral("/dev/ttyUSB2")), 3000);
    EXPECT_TRUE(s->port_box(1)->isChecked());
    EXPECT_FALSE(s->port_box(2)->isChecked());
    EXPECT_EQ(ctx_.link.commport, 1);
    EXPECT_TRUE(s->port_label(1)->text().endsWith(QStringLiteral(" - remembered adapter")));
    EXPECT_FALSE(s->port_label(2)->text().contains(QStringLiteral("remembered")));
    EXPECT_EQ(s->device_note()->text(),
              QStringLiteral("Serial link opens /dev/ttyUSB0, the remembered adapter (id-B)"));

    // Unplugged: nothing marked, the note says so.
    ports_ = {usb(1, "/dev/ttyUSB0", "id-A")};
    QTRY_VERIFY_WITH_TIMEOUT(s->port_label(2)->text() == port_caption(2, ports_), 3000);
    EXPECT_TRUE(
        s->device_note()->text().startsWith(QStringLiteral("The remembered adapter (id-B) is not plugged in.")));

    // A path typed by hand is the port to open: the adapter is forgotten.
    s->device_edit()->setText(QStringLiteral("/dev/pts/9"));
    EXPECT_TRUE(ctx_.link.commidentity.isEmpty());

    s->hide();
    EXPECT_FALSE(s->poll_timer()->isActive());
}

} // namespace
} // namespace k52
