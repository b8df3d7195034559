// "Program Every Converter": simulators appear and go through the port
// list; rows fill, Stop asks first, the CSV and the report are written.
#include "core/link/device_job.h"
#include "support/sim_process.h"
#include "window/app/fleet_window.h"
#include "window/screens/screen_fixture.h"

#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>

namespace k52 {
namespace {

class FleetWindowTest : public test::ScreenFixture {
protected:
    void SetUp() override {
        test::ScreenFixture::SetUp();
        ctx_.questions = &answer;
        ctx_.link.baudrate = 9600;
        ctx_.link.parity = 0;
    }
    k52test::SimProcess &plug(const QStringList &args) {
        auto &sim = sims.emplace_back(std::make_unique<k52test::SimProcess>(args));
        QString why;
        EXPECT_TRUE(sim->start(&why)) << why.toStdString();
        ports << PortEntry{0, sim->device(), QStringLiteral("pty"), {}};
        return *sim;
    }
    void unplug(const k52test::SimProcess &sim) {
        ports.removeIf([&](const PortEntry &p) { return p.device == sim.device(); });
    }
    test::ScriptedQuestions answer;
    QVector<PortEntry> ports;
    std::vector<std::unique_ptr<k52test::SimProcess>> sims;
};

TEST_F(FleetWindowTest, RowsComeAndGoStopAsksAndTheRunIsReported) {
    FleetWindow w(ctx_, [this] { return ports; });
    w.show();
    QTableWidget *table = w.table();

    const k52test::SimProcess &first = plug({});
    QTRY_COMPARE_WITH_TIMEOUT(table->rowCount(), 1, 15000);
    EXPECT_EQ(table->item(0, 0)->text(), first.device());
    EXPECT_EQ(table->item(0, 1)->text(), QStringLiteral("K52"));
    QTRY_COMPARE_WITH_TIMEOUT(table->item(0, 5)->text(), kOutcomeDone, 30000);
    unplug(first);
    EXPECT_TRUE(w.lines()->toPlainText().contains(QLatin1String("Converter has been programmed")))
        << w.lines()->toPlainText().toStdString();

    // A slow line: the run is under way when Stop is pressed; No lets it
    // run on, Yes stops it.
    plug({QStringLiteral("--model"), QStringLiteral("K54"), QStringLiteral("--baud"), QStringLiteral("1200"),
          QStringLiteral("--pace"), QStringLiteral("1200")});
    QTRY_COMPARE_WITH_TIMEOUT(table->rowCount(), 2, 15000);
    QTRY_VERIFY_WITH_TIMEOUT(w.fleet()->writing(), 5000);
    answer.answer = false;
    w.stop_button()->click();
    EXPECT_EQ(answer.asked, QStringList{programming_at_stake()});
    EXPECT_TRUE(w.running());
    answer.answer = true;
    w.stop_button()->click();
    QTRY_VERIFY_WITH_TIMEOUT(!w.running(), 10000);
    EXPECT_EQ(table->item(1, 5)->text().section(QLatin1Char(':'), 0, 0), kOutcomeStopped);
    EXPECT_TRUE(w.counts_label()->text().contains(QLatin1String("Programmed 1")))
        << w.counts_label()->text().toStdString();
    EXPECT_TRUE(w.counts_label()->text().contains(QLatin1String("Stopped 1")));

    // Selecting a row shows its lines.
    table->setCurrentCell(0, 0);
    EXPECT_TRUE(w.lines()->toPlainText().contains(QLatin1String("Converter has been programmed")));

    const QString csv = dir_.filePath(QStringLiteral("run.csv"));
    const QString pdf = dir_.filePath(QStringLiteral("run.pdf"));
    ASSERT_TRUE(w.save_csv(csv));
    ASSERT_TRUE(w.write_report(pdf));
    QFile c(csv), p(pdf);
    ASSERT_TRUE(c.open(QIODevice::ReadOnly) && p.open(QIODevice::ReadOnly));
    const QList<QByteArray> csv_lines = c.readAll().split('\n');
    ASSERT_EQ(csv_lines.size(), 4); // header, two rows, end
    EXPECT_TRUE(csv_lines[1].contains(",done,"));
    EXPECT_TRUE(csv_lines[2].contains(",stopped,"));
    const QByteArray report = p.readAll();
    EXPECT_TRUE(report.startsWith("%PDF"));
}

} // namespace
} // namespace k52
