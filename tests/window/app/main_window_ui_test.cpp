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

class MainWindowTest : public test::ScreenFixture {
protected:
    void SetUp() override {
        test::ScreenFixture::SetUp();
        questions.answer = true;
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

    test::ScriptedQuestions questions;
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
        EXPECT_EQ(questions.asked.last(), QStringLiteral("verify delete of profile Old"));
        EXPECT_EQ(questions.asked_titles.last(), QStringLiteral("Delete Profile"));
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
        EXPECT_EQ(questions.asked.last(), QStringLiteral("gate 2 already exists - Overwrite it Y/N?"));
        EXPECT_EQ(questions.asked_titles.last(), QStringLiteral("Duplicate Name"));
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
    // Escape closes it unsaved.
    dlg.show();
    QTest::keyClicks(dlg.name_box(), QStringLiteral("Hall"));
    QTest::keyClick(dlg.name_box(), Qt::Key_Escape);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_FALSE(ctx_.store.find_profile(QStringLiteral("Hall")).has_value());
}

// A run from the panel stopped half way (Stop answered No runs on; a
// navigation click answered Yes stops it), then a good run with a wire trace.
TEST_F(MainWindowTest, AStoppedRunThenAGoodRunFromThePanel) {
    auto sim = use_sim({QStringLiteral("--model"), QStringLiteral("K54"), QStringLiteral("--firmware"),
                        QStringLiteral("01.95"), QStringLiteral("--pace"), QStringLiteral("9600")});
    ctx_.record.terminators.input = QStringLiteral("D");
    ctx_.record.seringoodbeep = 1 - ctx_.record.seringoodbeep; // one setting differs from "Default"
    PgmFormWindow *p = window->pgmform();
    QSignalSpy done(&p->job(), &DeviceJob::ended);
    click_row("Label12");
    click_row("Label9");
    EXPECT_EQ(yellow_rows(), QStringList{QStringLiteral("Label9")});
    EXPECT_TRUE(window->frame_of(QStringLiteral("sertomag"))->isVisible()); // stays in place
    ASSERT_TRUE(p->running());
    window->program_k52(); // ignored while the run is under way
    EXPECT_FALSE(p->start_run());
    ASSERT_TRUE(QTest::qWaitFor([&] { return sim->received().size() >= 5; }, 10000));
    questions.answer = false;
    p->stop_button()->click();
    ASSERT_EQ(questions.asked.size(), 1);
    EXPECT_TRUE(questions.asked[0].contains(QLatin1String("half programmed")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return sim->received().size() >= 8; }, 10000)) << "No lets the run go on";
    questions.answer = true;
    click_row("Label12");
    ASSERT_TRUE(done.wait(5000));
    EXPECT_EQ(p->lines().last(), QStringLiteral("Error downloading"));
    EXPECT_EQ(p->detail()->text(), QStringLiteral("Stopped by the user"));

    // "Record a wire trace…" on: the run's bytes go into the file too.
    const QString trace = dir_.filePath(QStringLiteral("wire.txt"));
    window->set_wire_trace(true, trace);
    auto *traced = window->findChild<QAction *>(QStringLiteral("wiretrace"));
    ASSERT_NE(traced, nullptr);
    EXPECT_TRUE(traced->isChecked());
    click_row("Label9");
    ASSERT_TRUE(done.wait(60000));
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
    EXPECT_TRUE(wire.readAll().contains("|.S1G")); // a command of the run
    // The stopped run keeps its wire trace with its row; the good one none,
    // and it names the profile and the setting that differed from it.
    HistoryStore history(ctx_.store);
    const auto stopped = history.entry(1, nullptr);
    const auto good = history.entry(2, nullptr);
    ASSERT_TRUE(stopped && good);
    EXPECT_EQ(stopped->outcome, kOutcomeStopped);
    EXPECT_TRUE(stopped->trace.contains("# converter: K54 V01.95\n"));
    EXPECT_TRUE(good->trace.isEmpty());
    EXPECT_EQ(good->profile, QStringLiteral("Default"));
    EXPECT_EQ(history_profile_text(*good), QStringLiteral("Default, 1 setting changed"));

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

// A firmware download against a paced converter, started from its screen.
class GuardedDownloadTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        out = dir_.filePath(QStringLiteral("received.bin"));
        sim = use_sim({QStringLiteral("--firmware-out"), out, QStringLiteral("--pace"), QStringLiteral("9600")});
        ctx_.link.parity = 0;
        const QString path = dir_.filePath(QStringLiteral("fw.bin"));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(QByteArray(2044, '\x5A')) == 2044);
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
    std::unique_ptr<k52test::SimProcess> sim;
    FlashDlScreen *flash = nullptr;
};

// Every way out asks; No leaves the download running, Yes stops it and acts.
TEST_F(GuardedDownloadTest, EveryWayOutAsksNoRunsOnYesStopsAndActs) {
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
    const int at = flash->bar()->value(); // the download goes on
    ASSERT_TRUE(QTest::qWaitFor([&] { return flash->bar()->value() > at + 10; }, 10000)) << at;

    questions.answer = true;
    click_row("Label12");
    EXPECT_EQ(questions.asked.size(), 6);
    EXPECT_TRUE(window->frame_of(QStringLiteral("sertomag"))->isVisible());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !flash->busy(); }, 5000));
    // The ending says why and what to do next.
    EXPECT_EQ(questions.told, QStringList{QStringLiteral("Download Error\n\nStopped by the user.\n\nThe converter "
                                                         "waits in its boot loader: start the download again.")});
    EXPECT_EQ(flash->detail_label()->text(), QStringLiteral("Stopped by the user"));
    EXPECT_TRUE(flash->status_label()->text().startsWith(QLatin1String("Downloading - "))); // kept as it stopped
    EXPECT_TRUE(port_free());
    EXPECT_FALSE(QFile::exists(out));
    // Nothing at stake any more: the next click acts at once.
    click_row("Label10");
    EXPECT_EQ(questions.asked.size(), 6);
    EXPECT_EQ(yellow_rows(), QStringList{QStringLiteral("Label10")});
}

TEST_F(GuardedDownloadTest, ClosingTheWindowAnsweredYesShutsDownSilently) {
    QSignalSpy closed(window.get(), &MainWindow::closed_for_good);
    EXPECT_TRUE(window->close());
    EXPECT_EQ(questions.asked.size(), 1);
    EXPECT_EQ(closed.size(), 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !flash->busy(); }, 5000));
    EXPECT_TRUE(questions.told.isEmpty()) << "no message box after closing";
    EXPECT_TRUE(port_free());
}

TEST_F(MainWindowTest, UnsavedChangesShowInTheCaptionAndAreAskedAbout) {
    using Answer = Questions::Unsaved;
    struct Asker : test::ScriptedQuestions {
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
