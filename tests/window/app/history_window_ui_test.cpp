// The History window and Compare Profiles: rows, a row's lines and
// snapshot, the snapshot saved as a profile, the differences shown.
#include "core/link/action_record.h"
#include "core/link/device_job.h"
#include "window/app/compare_window.h"
#include "window/app/history_window.h"
#include "window/programming/pgmform_window.h"
#include "window/screens/screen_fixture.h"

#include <QCheckBox>
#include <QDir>
#include <QSignalSpy>

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace k52 {
namespace {

class HistoryWindowTest : public test::ScreenFixture {
protected:
    // A finished programming run of the record as it is now.
    void record_run(const QString &outcome) {
        ActionRecord r(&ctx_.store, QStringLiteral("program"));
        r.set_device(QStringLiteral("/dev/ttyUSB0"));
        r.set_profile(ctx_.current_profile(), ctx_.record);
        ASSERT_TRUE(r.begin(nullptr));
        r.line(QStringLiteral("Starting communications"));
        ASSERT_TRUE(r.finish(outcome, {}, nullptr));
    }
    test::ScriptedQuestions answer;
};

TEST_F(HistoryWindowTest, RowsLinesSnapshotAndSavedProfileCompareEqual) {
    record_run(kOutcomeRefused);
    ctx_.record.baudrate = 19200;
    record_run(kOutcomeDone);
    HistoryWindow w(ctx_);
    w.resize(1366 - 100, 768 - 100);
    w.show();
    auto *rows = w.findChild<QTreeWidget *>(QStringLiteral("rows"));
    ASSERT_EQ(rows->topLevelItemCount(), 2);
    EXPECT_EQ(rows->topLevelItem(0)->text(3), kOutcomeDone) << "newest first";
    ASSERT_NE(w.selected(), nullptr);
    EXPECT_TRUE(w.findChild<QPlainTextEdit *>(QStringLiteral("lines"))
                    ->toPlainText()
                    .contains(QLatin1String("Starting communications")));
    EXPECT_TRUE(w.findChild<QPlainTextEdit *>(QStringLiteral("snapshot"))
                    ->toPlainText()
                    .contains(QLatin1String("\"baudrate\": 19200")));

    QString why;
    ASSERT_TRUE(w.save_snapshot(QStringLiteral("Lobby"), &why)) << why.toStdString();
    EXPECT_FALSE(w.save_snapshot(QStringLiteral("lobby"), &why)) << "a taken name is refused";
    EXPECT_TRUE(why.contains(QLatin1String("exists")));

    CompareWindow *c = w.compare_window();
    c->refill(QStringLiteral("Lobby"), QStringLiteral("Lobby"));
    EXPECT_EQ(c->result_text(), QStringLiteral("The profiles are the same."));
    c->refill(QStringLiteral("Default"), QStringLiteral("Lobby"));
    EXPECT_TRUE(c->result_text().contains(QLatin1String("Converter Baud Rate\n    Default: 9600\n    Lobby: 19200")))
        << c->result_text().toStdString();
    // Neither row kept an image, so there is nothing to restore.
    int restore_buttons = 0;
    for (QPushButton *b : w.findChildren<QPushButton *>())
        if (b->text() == QLatin1String("Restore Image")) {
            ++restore_buttons;
            EXPECT_FALSE(b->isEnabled());
        }
    EXPECT_EQ(restore_buttons, 1);
}

// The progress window's backup option: off unless switched on, remembered,
// and a backup that cannot be made asks before anything is written.
TEST_F(HistoryWindowTest, ProgressWindowBacksUpFirstAndAsksWhenItCannot) {
    ctx_.questions = &answer;
    auto sim = use_sim({QStringLiteral("--firmware"), QStringLiteral("01.95")}); // too old to clone
    {
        PgmFormWindow first(ctx_);
        auto *backup = first.findChild<QCheckBox *>(QStringLiteral("backup"));
        ASSERT_NE(backup, nullptr);
        EXPECT_FALSE(backup->isChecked()) << "off unless switched on";
        backup->setChecked(true);
    }
    PgmFormWindow p(ctx_);
    EXPECT_TRUE(p.findChild<QCheckBox *>(QStringLiteral("backup"))->isChecked()) << "remembered";
    QSignalSpy ended(&p.job(), &DeviceJob::ended);
    ASSERT_TRUE(p.start_run());
    ASSERT_TRUE(ended.wait(20000));
    EXPECT_EQ(answer.asked.size(), 1);
    const auto rows = HistoryStore(ctx_.store).list({}, nullptr);
    ASSERT_FALSE(rows.isEmpty());
    EXPECT_EQ(HistoryStore(ctx_.store).entry(rows.front().id, nullptr)->outcome, kOutcomeFailed);
    EXPECT_TRUE(sim->received().filter(QStringLiteral("S1")).isEmpty()) << "nothing written";
}

} // namespace
} // namespace k52
