// The main window: navigation rules, menu, profile dialogs, the programming
// run from the window, shutdown.
#include "core/link/serial_link.h"
#include "core/profile/history_store.h"
#include "core/profile/profile_names.h"
#include "support/sim_process.h"
#include "window/app/commandmenu_panel.h"
#include "window/app/main_window.h"
#include "window/app/navigation.h"
#include "window/app/profilepop_dialog.h"
#include "window/maintenance/flashdl_screen.h"
#include "window/programming/pgmform_window.h"
#include "window/screens/screen_fixture.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>

namespace k52 {
namespace {

// Answers given in advance; records what was asked.
struct ScriptedQuestions : Questions {
    QStringList asked, told;
    bool answer = true;
    bool ask_yes_no(const QString &title, const QString &text) override {
        asked << title + QLatin1Char('|') + text;
        return answer;
    }
    void inform(const QString &, const QString &text) override { told << text; }
};

class MainWindowTest : public test::ScreenFixture {
protected:
    void SetUp() override {
        test::ScreenFixture::SetUp();
        ctx_.questions = &questions;
        closer_ = ctx_.links.add([this] { ++closes; });
        window = std::make_unique<MainWindow>(ctx_);
        window->start_up_windows();
        window->show();
    }
    void TearDown() override { window.reset(); }
    int row(const char *label) { return window->commandmenu()->row_of(QString::fromLatin1(label)); }
    void click_row(const char *label) { QTest::mouseClick(window->commandmenu()->label(row(label)), Qt::LeftButton); }
    QStringList yellow_rows() {
        QStringList out;
        for (int i = 0; i < nav_rows().size(); ++i)
            if (window->commandmenu()->is_yellow(i))
                out << QString::fromLatin1(nav_rows()[i].label);
        return out;
    }

    ScriptedQuestions questions;
    int closes = 0;
    int closer_ = 0;
    std::unique_ptr<MainWindow> window;
};

TEST_F(MainWindowTest, StartsOnCommunicationsWithItsEntryYellow) {
    EXPECT_EQ(yellow_rows(), QStringList{QStringLiteral("Label3")});
    QMdiSubWindow *comm = window->frame_of(QStringLiteral("commform"));
    ASSERT_NE(comm, nullptr);
    EXPECT_TRUE(comm->isVisible());
    EXPECT_EQ(window->mdi()->activeSubWindow(), comm);
    EXPECT_EQ(window->windowTitle(),
              QStringLiteral("ZOR  K52/K54 CONVERTER UTILITY     V1.99            PROFILE: Default"));
}

TEST_F(MainWindowTest, HeadingsAreInertEntriesCloseTheLinkFirst) {
    const int before = closes;
    click_row("Label7_1");
    EXPECT_EQ(closes, before);
    EXPECT_EQ(yellow_rows(), QStringList{QStringLiteral("Label3")});

    click_row("Label12"); // Serial to Mag
    EXPECT_EQ(closes, before + 1);
    EXPECT_EQ(yellow_rows(), QStringList{QStringLiteral("Label12")});
    QMdiSubWindow *f = window->frame_of(QStringLiteral("sertomag"));
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(window->mdi()->activeSubWindow(), f);
    // The screen fills the area right of the panel.
    EXPECT_EQ(f->geometry().topLeft(), QPoint(0, 0));
    EXPECT_GE(f->width(), window->mdi()->viewport()->width() - 1);
}

TEST_F(MainWindowTest, ProfileLoadRefillsScreensAndCaption) {
    ConfigRecord other = ctx_.record;
    other.sermagparms = {1, 0, 1, 0, 0};
    QString error;
    ASSERT_TRUE(ctx_.store.save_profile(QStringLiteral("Site A"), true, other, &error));
    ProfilePopDialog dlg(ctx_, QStringLiteral("Load Profile"), window.get());
    QTest::mouseClick(
        dlg.list()->viewport(), Qt::LeftButton, {},
        dlg.list()->visualItemRect(dlg.list()->findItems(QStringLiteral("Site A"), Qt::MatchExactly)[0]).center());
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_TRUE(window->windowTitle().endsWith(QLatin1String("PROFILE: Site A")));
    EXPECT_EQ(ctx_.record.sermagparms, other.sermagparms);
}

TEST_F(MainWindowTest, DeleteChooserRules) {
    QString error;
    ASSERT_TRUE(ctx_.store.save_profile(QStringLiteral("Old"), true, ctx_.record, &error));
    {
        ProfilePopDialog dlg(ctx_, QStringLiteral("Delete Profile"), window.get());
        dlg.show();
        dlg.pick(QStringLiteral("Default"));
        EXPECT_EQ(questions.told.last(), QStringLiteral("You cannot delete the Default Profile"));
        EXPECT_TRUE(dlg.isVisible()); // stays open
    }
    {
        questions.answer = false;
        ProfilePopDialog dlg(ctx_, QStringLiteral("Delete Profile"), window.get());
        dlg.show();
        dlg.pick(QStringLiteral("Old"));
        EXPECT_EQ(questions.asked.last(), QStringLiteral("Delete Profile|verify delete of profile Old"));
        EXPECT_FALSE(dlg.isVisible());
        EXPECT_TRUE(ctx_.store.find_profile(QStringLiteral("Old")).has_value());
    }
    questions.answer = true;
    ProfilePopDialog dlg(ctx_, QStringLiteral("Delete Profile"), window.get());
    dlg.pick(QStringLiteral("Old"));
    EXPECT_FALSE(ctx_.store.find_profile(QStringLiteral("Old")).has_value());
}

TEST_F(MainWindowTest, SaveProfileDialogRules) {
    QString error;
    {
        SaveProfileDialog dlg(ctx_, window.get());
        dlg.show();
        QTest::mouseClick(dlg.save_button(), Qt::LeftButton); // empty name: nothing
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_EQ(ctx_.store.list_profiles().size(), 1);
        // A name the store would refuse is told and keeps the dialog open.
        dlg.name_box()->setText(QString(kMaxProfileNameLength + 1, QLatin1Char('g')));
        QTest::mouseClick(dlg.save_button(), Qt::LeftButton);
        EXPECT_TRUE(dlg.isVisible());
        ASSERT_FALSE(questions.told.isEmpty());
        EXPECT_TRUE(questions.told.last().contains(QLatin1String("at most 64"))) << questions.told.last().toStdString();
        EXPECT_EQ(ctx_.store.list_profiles().size(), 1);
        dlg.name_box()->setText(QStringLiteral("  Gate 2 "));
        QTest::mouseClick(dlg.save_button(), Qt::LeftButton);
        EXPECT_FALSE(dlg.isVisible());
        EXPECT_TRUE(ctx_.store.find_profile(QStringLiteral("Gate 2")).has_value());
        // The saved profile is the one named now.
        QTRY_VERIFY(window->windowTitle().endsWith(QLatin1String("PROFILE: Gate 2")));
    }
    ctx_.record.seringoodbeep = 0;
    questions.answer = false;
    {
        SaveProfileDialog dlg(ctx_, window.get());
        dlg.show();
        QTest::keyClicks(dlg.name_box(), QStringLiteral("gate 2"));
        QTest::mouseClick(dlg.save_button(), Qt::LeftButton);
        EXPECT_EQ(questions.asked.last(), QStringLiteral("Duplicate Name|gate 2 already exists - Overwrite it Y/N?"));
        EXPECT_TRUE(dlg.isVisible()); // No with the button: stays open
        QListWidgetItem *item = dlg.list()->findItems(QStringLiteral("Gate 2"), Qt::MatchExactly)[0];
        emit dlg.list()->itemDoubleClicked(item);
        EXPECT_FALSE(dlg.isVisible()); // No with a double-click: closes
    }
    ConfigRecord stored;
    ASSERT_TRUE(ctx_.store.load_profile(QStringLiteral("Gate 2"), stored, &error));
    EXPECT_EQ(stored.seringoodbeep, 1); // nothing saved
    ASSERT_TRUE(ctx_.store.load_profile(QStringLiteral("Default"), ctx_.record, &error));
    ctx_.record.seringoodbeep = 0;
    questions.answer = true;
    SaveProfileDialog dlg(ctx_, window.get());
    EXPECT_TRUE(dlg.save_as(QStringLiteral("GATE 2")));
    ASSERT_TRUE(ctx_.store.load_profile(QStringLiteral("Gate 2"), stored, &error));
    EXPECT_EQ(stored.seringoodbeep, 0);
    EXPECT_EQ(ctx_.store.list_profiles(), (QStringList{"Default", "Gate 2"})); // keeps its name
}

TEST_F(MainWindowTest, ProgramsTheSimulatorFromThePanel) {
    k52test::SimProcess sim(
        {QStringLiteral("--model"), QStringLiteral("K54"), QStringLiteral("--firmware"), QStringLiteral("01.95")});
    ASSERT_TRUE(sim.start());
    ctx_.link.commdevice = sim.device();
    ctx_.link.baudrate = 9600;
    ctx_.record.terminators.input = QStringLiteral("D");
    ctx_.record.seringoodbeep = 1 - ctx_.record.seringoodbeep; // one setting differs from "Default"
    PgmFormWindow *p = window->pgmform();
    click_row("Label12");
    // "Record a wire trace…" on: the run's bytes go into the file too.
    const QString trace = dir_.filePath(QStringLiteral("wire.txt"));
    window->set_wire_trace(true, trace);
    auto *traced = window->findChild<QAction *>(QStringLiteral("wiretrace"));
    ASSERT_NE(traced, nullptr);
    EXPECT_TRUE(traced->isChecked());
    QSignalSpy done(&p->job(), &DeviceJob::ended);
    click_row("Label9");
    EXPECT_EQ(yellow_rows(), QStringList{QStringLiteral("Label9")});
    EXPECT_TRUE(window->frame_of(QStringLiteral("sertomag"))->isVisible()); // stays in place
    ASSERT_TRUE(done.wait(20000));
    EXPECT_EQ(p->lines().first(), QStringLiteral("Starting communications"));
    EXPECT_EQ(p->lines().value(2), QStringLiteral("...Programming K54 V01.95"));
    EXPECT_EQ(p->lines().last(), QStringLiteral("Converter has been programmed"));
    EXPECT_EQ(p->bar()->value(), p->bar()->maximum());
    EXPECT_EQ(ctx_.record.terminators.input, QStringLiteral("0D")); // written back
    window->set_wire_trace(false);
    EXPECT_FALSE(traced->isChecked());
    EXPECT_EQ(DeviceJob::trace_for_all(), nullptr);
    QFile wire(trace);
    ASSERT_TRUE(wire.open(QIODevice::ReadOnly));
    const QByteArray lines = wire.readAll();
    EXPECT_TRUE(lines.contains("|.S1G")); // a command of the run
    // The history names the profile and the setting that differed from it.
    HistoryStore history(ctx_.store);
    const auto rows = history.list({}, nullptr);
    ASSERT_FALSE(rows.isEmpty());
    const auto row = history.entry(rows.first().id, nullptr);
    ASSERT_TRUE(row.has_value());
    EXPECT_EQ(row->profile, QStringLiteral("Default"));
    ASSERT_EQ(row->changed.size(), 1) << row->changed.join(QLatin1Char(',')).toStdString();
    EXPECT_EQ(history_profile_text(*row), QStringLiteral("Default, 1 setting changed"));

    QString error;
    const QString log = dir_.filePath(QStringLiteral("run.txt"));
    ASSERT_TRUE(p->save_lines(log, &error));
    QFile f(log);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().endsWith("Converter has been programmed\n"));
    EXPECT_FALSE(p->save_lines(dir_.filePath(QStringLiteral("no/such/dir/run.txt")), &error));
}

TEST_F(MainWindowTest, EveryPanelEntryAndReferenceMenuEntryOpensItsWindow) {
    // A row naming a screen the program cannot build would open nothing.
    for (int i = 0; i < nav_rows().size(); ++i) {
        const NavRow &r = nav_rows()[i];
        if (r.kind != NavRow::Screen && r.kind != NavRow::Terminal)
            continue;
        SCOPED_TRACE(r.label);
        ASSERT_TRUE(window->commandmenu()->label(i)->isEnabled());
        window->panel_clicked(i);
        QMdiSubWindow *active = window->mdi()->activeSubWindow();
        ASSERT_NE(active, nullptr);
        EXPECT_EQ(active->objectName(), QString::fromLatin1(r.screen) + QStringLiteral("_frame"));
        EXPECT_TRUE(active->isVisible());
    }
    for (const MenuEntry &e : menu_entries()) {
        if (!e.window)
            continue;
        SCOPED_TRACE(e.name);
        window->menu_action(QString::fromLatin1(e.name))->trigger();
        QWidget *shown = window->findChild<QWidget *>(QString::fromLatin1(e.window));
        ASSERT_NE(shown, nullptr);
        EXPECT_TRUE(shown->isVisible());
        shown->setWindowModality(Qt::NonModal);
        shown->close();
    }
}

TEST_F(MainWindowTest, RunKeepsTheWindowAliveAndEndsWhenLinksClose) {
    k52test::SimProcess sim({QStringLiteral("--silent")}); // a converter that never answers
    ASSERT_TRUE(sim.start());
    ctx_.link.commdevice = sim.device();
    ctx_.link.baudrate = 9600;
    PgmFormWindow *p = window->pgmform();
    QSignalSpy done(&p->job(), &DeviceJob::ended);
    window->program_k52();
    ASSERT_TRUE(p->running());
    window->program_k52(); // ignored while the run is under way
    EXPECT_FALSE(p->start_run());
    // Events are still handled while the converter is waited for.
    bool ticked = false;
    QTimer::singleShot(50, [&] { ticked = true; });
    QTRY_VERIFY_WITH_TIMEOUT(ticked, 1000);
    EXPECT_TRUE(p->running());
    // Opening a screen closes every link: the run ends at once.
    click_row("Label12");
    ASSERT_TRUE(done.wait(1500));
    EXPECT_FALSE(p->running());
    EXPECT_EQ(p->lines().last(), QStringLiteral("Error downloading"));
}

// A firmware download against a paced converter, started from its screen.
class GuardedDownloadTest : public MainWindowTest {
protected:
    void start_download(const QStringList &sim_args = {}) {
        out = dir_.filePath(QStringLiteral("received.bin"));
        sim = std::make_unique<k52test::SimProcess>(sim_args + QStringList{QStringLiteral("--firmware-out"), out,
                                                                           QStringLiteral("--pace"),
                                                                           QStringLiteral("9600")});
        ASSERT_TRUE(sim->start());
        ctx_.link.commdevice = sim->device();
        ctx_.link.baudrate = 9600;
        ctx_.link.parity = 0;
        firmware = QByteArray(2044, '\0');
        for (int i = 0; i < firmware.size(); ++i)
            firmware[i] = static_cast<char>(i * 13 + 5);
        const QString path = dir_.filePath(QStringLiteral("fw.bin"));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(firmware) == firmware.size());
        f.close();
        click_row("Label10");
        flash = static_cast<FlashDlScreen *>(window->screen(QStringLiteral("flashdl")));
        flash->choose_file = [path] { return path; };
        flash->select_button()->click();
        ASSERT_TRUE(flash->start_download());
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return flash->status_label()->text().startsWith(QLatin1String("Downloading - ")); }, 10000));
        questions.asked.clear();
    }
    bool port_free() const {
        SerialLink probe;
        QString why;
        return probe.open(sim->device(), SerialSettings{}, &why);
    }

    QString out;
    QByteArray firmware;
    std::unique_ptr<k52test::SimProcess> sim;
    FlashDlScreen *flash = nullptr;
};

TEST_F(GuardedDownloadTest, StrayClicksAnsweredNoLeaveTheDownloadRunning) {
    ASSERT_NO_FATAL_FAILURE(start_download());
    questions.answer = false;
    click_row("Label12");                                 // a navigation entry
    click_row("Label9");                                  // Program K52
    window->menu_action(QStringLiteral("md"))->trigger(); // Load Profile
    EXPECT_FALSE(window->close()) << "closing the main window asks too";
    EXPECT_TRUE(window->isVisible());
    flash->stop_button()->click();
    ASSERT_EQ(questions.asked.size(), 5);
    for (const QString &q : questions.asked)
        EXPECT_TRUE(q.contains(QLatin1String("no working firmware until a download completes"))) << q.toStdString();
    EXPECT_FALSE(window->frame_of(QStringLiteral("sertomag"))->isVisible());
    EXPECT_FALSE(window->pgmform()->running());
    EXPECT_EQ(yellow_rows(), QStringList{QStringLiteral("Label10")});
    EXPECT_TRUE(flash->busy());

    ASSERT_TRUE(QTest::qWaitFor([&] { return !flash->busy(); }, 30000));
    EXPECT_EQ(questions.told, QStringList{QStringLiteral("Download complete")});
    QFile got(out);
    ASSERT_TRUE(got.open(QIODevice::ReadOnly));
    EXPECT_EQ(got.readAll(), firmware);
    // Nothing at stake any more: the next click acts at once.
    click_row("Label12");
    EXPECT_EQ(questions.asked.size(), 5);
    EXPECT_TRUE(window->frame_of(QStringLiteral("sertomag"))->isVisible());
}

TEST_F(GuardedDownloadTest, AClickAnsweredYesStopsTheDownloadAndActs) {
    ASSERT_NO_FATAL_FAILURE(start_download());
    questions.answer = true;
    click_row("Label12");
    EXPECT_EQ(questions.asked.size(), 1);
    EXPECT_TRUE(window->frame_of(QStringLiteral("sertomag"))->isVisible());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !flash->busy(); }, 5000));
    // The ending says why and what to do next.
    EXPECT_EQ(questions.told, QStringList{QStringLiteral("Download Error\n\nStopped by the user.\n\nThe converter "
                                                         "waits in its boot loader: start the download again.")});
    EXPECT_EQ(flash->detail_label()->text(), QStringLiteral("Stopped by the user"));
    EXPECT_TRUE(flash->status_label()->text().startsWith(QLatin1String("Downloading - "))); // kept as it stopped
    EXPECT_TRUE(port_free());
    EXPECT_FALSE(QFile::exists(out));
}

TEST_F(GuardedDownloadTest, ClosingTheWindowAnsweredYesShutsDownSilently) {
    ASSERT_NO_FATAL_FAILURE(start_download());
    questions.answer = true;
    QSignalSpy closed(window.get(), &MainWindow::closed_for_good);
    EXPECT_TRUE(window->close());
    EXPECT_EQ(questions.asked.size(), 1);
    EXPECT_EQ(closed.size(), 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !flash->busy(); }, 5000));
    EXPECT_TRUE(questions.told.isEmpty()) << "no message box after closing";
    EXPECT_TRUE(port_free());
}

TEST_F(MainWindowTest, ARunAfterAnAbortedRunProgramsTheConverter) {
    k52test::SimProcess sim({QStringLiteral("--pace"), QStringLiteral("9600")});
    ASSERT_TRUE(sim.start());
    ctx_.link.commdevice = sim.device();
    ctx_.link.baudrate = 9600;
    PgmFormWindow *p = window->pgmform();
    QSignalSpy done(&p->job(), &DeviceJob::ended);
    window->program_k52();
    ASSERT_TRUE(QTest::qWaitFor([&] { return sim.received().size() >= 5; }, 10000));
    questions.answer = false;
    p->stop_button()->click();
    ASSERT_EQ(questions.asked.size(), 1);
    EXPECT_TRUE(questions.asked[0].contains(QLatin1String("half programmed")));
    EXPECT_TRUE(p->running());
    questions.answer = true;
    click_row("Label12");
    ASSERT_TRUE(done.wait(5000));
    EXPECT_EQ(p->lines().last(), QStringLiteral("Error downloading"));
    EXPECT_EQ(p->detail()->text(), QStringLiteral("Stopped by the user"));

    window->program_k52();
    ASSERT_TRUE(done.wait(60000));
    EXPECT_EQ(p->lines().value(2), QStringLiteral("...Programming K52 V01.99"));
    EXPECT_EQ(p->lines().last(), QStringLiteral("Converter has been programmed"));
    // The stopped run keeps its wire trace with its row; the good one none.
    HistoryStore history(ctx_.store);
    const auto stopped = history.entry(1, nullptr);
    const auto good = history.entry(2, nullptr);
    ASSERT_TRUE(stopped && good);
    EXPECT_EQ(stopped->outcome, kOutcomeStopped);
    EXPECT_TRUE(stopped->trace.contains("# converter: K52 V01.99\n"));
    EXPECT_TRUE(good->trace.isEmpty());
}

TEST_F(MainWindowTest, UnsavedChangesShowInTheCaptionAndAreAskedAbout) {
    using Answer = Questions::Unsaved;
    struct Asker : ScriptedQuestions {
        Answer given = Answer::Cancel;
        int asked_unsaved = 0;
        Answer ask_unsaved(const QString &, const QString &) override {
            ++asked_unsaved;
            return given;
        }
    } q;
    ctx_.questions = &q;
    EXPECT_FALSE(window->windowTitle().endsWith(QLatin1String(" *")));
    ctx_.record.seringoodbeep = 1 - ctx_.record.seringoodbeep;
    window->set_main_caption();
    EXPECT_TRUE(window->windowTitle().endsWith(QLatin1String("PROFILE: Default *")));
    // Cancel keeps the window open and the change; Discard lets it close.
    window->close();
    EXPECT_EQ(q.asked_unsaved, 1);
    EXPECT_TRUE(window->isVisible());
    window->load_profile(); // Load Profile asks the same; Cancel opens no chooser
    EXPECT_EQ(q.asked_unsaved, 2);
    // Changed back, nothing is asked.
    ctx_.record.seringoodbeep = 1 - ctx_.record.seringoodbeep;
    EXPECT_TRUE(window->settle_changes());
    window->set_main_caption();
    EXPECT_FALSE(window->windowTitle().endsWith(QLatin1String(" *")));
    EXPECT_EQ(q.asked_unsaved, 2);
    ctx_.record.seringoodbeep = 1 - ctx_.record.seringoodbeep;
    q.given = Answer::Discard;
    window->close();
    EXPECT_EQ(q.asked_unsaved, 3);
    EXPECT_FALSE(window->isVisible());
    ctx_.questions = &questions;
}

TEST_F(MainWindowTest, AFirstStartRunThatCannotReachTheConverterOffersFindConverter) {
    ctx_.link.commdevice.clear();
    ctx_.link.commport = 0;
    ctx_.link.baudrate = 0; // no speed ticked
    questions.answer = false;
    PgmFormWindow *p = window->pgmform();
    QSignalSpy done(&p->job(), &DeviceJob::ended);
    window->program_k52();
    ASSERT_TRUE(done.count() > 0 || done.wait(10000));
    EXPECT_EQ(p->lines().last(), QStringLiteral("Error downloading"));
    ASSERT_FALSE(questions.asked.isEmpty());
    EXPECT_TRUE(questions.asked.last().endsWith(QLatin1String("Find the converter now?")))
        << questions.asked.last().toStdString();
}

TEST_F(MainWindowTest, SaveProfileTakesTheKeyboard) {
    ctx_.record.seringoodbeep = 1 - ctx_.record.seringoodbeep;
    SaveProfileDialog dlg(ctx_, window.get());
    dlg.show();
    dlg.activateWindow();
    EXPECT_EQ(dlg.focusWidget(), dlg.name_box()); // a typed name goes into the box
    QTest::keyClicks(dlg.focusWidget(), QStringLiteral("Lobby"));
    QTest::keyClick(dlg.focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.saved_as(), QStringLiteral("Lobby"));
    EXPECT_EQ(ctx_.current_profile(), QStringLiteral("Lobby"));
    EXPECT_TRUE(ctx_.changed_settings(ctx_.record).isEmpty());
    // Escape closes it unsaved.
    SaveProfileDialog again(ctx_, window.get());
    again.show();
    QTest::keyClicks(again.name_box(), QStringLiteral("Hall"));
    QTest::keyClick(again.name_box(), Qt::Key_Escape);
    EXPECT_FALSE(again.isVisible());
    EXPECT_FALSE(ctx_.store.find_profile(QStringLiteral("Hall")).has_value());
}

TEST_F(MainWindowTest, ClosingWritesTheLinkSettings) {
    ctx_.link.ipaddress = QStringLiteral("10.1.2.3");
    window->close();
    ProfileStore again;
    QString error;
    ASSERT_TRUE(again.open(ctx_.db_path, ProfileStore::OpenMode::Existing, &error)) << error.toStdString();
    LinkSettings read;
    ASSERT_TRUE(again.read_settings(read, &error));
    EXPECT_EQ(read.ipaddress, QStringLiteral("10.1.2.3"));
}

} // namespace
} // namespace k52
