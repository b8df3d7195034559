// Find Converter on the communications screen against simulators, and the
// port list that follows adapters being plugged in and out.
#include "screen_fixture.h"

#include "core/link/serial_link.h"
#include "core/programming/programming_run.h"
#include "core/rules/link_rules.h"
#include "support/sim_process.h"
#include "window/app/commandmenu_panel.h"
#include "window/app/main_window.h"
#include "window/screens/commform_screen.h"
#include "window/screens/find_converter_panel.h"

#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <memory>

namespace k52 {
namespace {

using k52test::SimProcess;

class FindConverterTest : public test::ScreenFixture {
protected:
    std::unique_ptr<CommFormScreen> make() {
        auto s = std::make_unique<CommFormScreen>(ctx_);
        s->set_port_lister([this] { return ports_; });
        s->show();
        s->set_from_link();
        return s;
    }
    QVector<PortEntry> ports_;
};

struct Lines : JobProgress {
    QStringList lines;
    void line(const QString &t) override { lines << t; }
};

TEST_F(FindConverterTest, OneClickTakesTheFoundSettingsAndTheConverterIsProgrammed) {
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

    SerialLink link;
    Lines progress;
    PortSpec port = port_spec(ctx_.link);
    port.device = resolve_port(ctx_.link, ports_, &why);
    const RunResult r = savetoK52(link, port, ctx_.record, progress);
    EXPECT_EQ(r.outcome, RunOutcome::Programmed) << progress.lines.join(QLatin1Char('\n')).toStdString();

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
