// The window from the keyboard: every screen's tab order runs top to bottom,
// and a whole job (a screen, a change, a new profile, a programming run) is
// done with keys alone.
#include "core/link/device_job.h"
#include "window/app/commandmenu_panel.h"
#include "window/app/main_window.h"
#include "window/app/navigation.h"
#include "window/app/profilepop_dialog.h"
#include "window/programming/pgmform_window.h"
#include "window/screens/screen_fixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSignalSpy>
#include <QTimer>

namespace k52 {
namespace {

class Keyboard : public test::ScreenFixture {
protected:
    void SetUp() override {
        test::ScreenFixture::SetUp();
        ctx_.questions = &questions_;
        window_ = std::make_unique<MainWindow>(ctx_);
        window_->start_up_windows();
        window_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    }
    void TearDown() override { window_.reset(); }

    // A key to whatever has the keyboard, as a user's key press would go.
    static void key(int k, Qt::KeyboardModifiers mods = {}) {
        QWidget *to = QApplication::focusWidget();
        if (!to)
            to = QApplication::activeWindow();
        ASSERT_NE(to, nullptr) << "nothing has the keyboard";
        QTest::keyClick(to, Qt::Key(k), mods);
    }
    static void type(const QString &text) {
        QWidget *to = QApplication::focusWidget();
        ASSERT_NE(to, nullptr);
        QTest::keyClicks(to, text);
    }

    test::ScriptedQuestions questions_;
    std::unique_ptr<MainWindow> window_;
};

TEST_F(Keyboard, EveryScreensTabOrderRunsTopToBottom) {
    for (int row = 0; row < nav_rows().size(); ++row) {
        const NavRow &r = nav_rows()[row];
        if (r.kind != NavRow::Screen || !has_screen(QString::fromLatin1(r.screen)))
            continue;
        SCOPED_TRACE(r.screen);
        window_->open_screen(row);
        BaseScreen *s = window_->screen(QString::fromLatin1(r.screen));
        ASSERT_NE(s, nullptr);
        const int half_line = qMax(4, s->fontMetrics().height() / 2);
        QWidget *before = nullptr;
        int visited = 0;
        for (QWidget *w = s->nextInFocusChain(); w != s && visited < 500; w = w->nextInFocusChain()) {
            if (!s->isAncestorOf(w) || !(w->focusPolicy() & Qt::TabFocus) || !w->isVisibleTo(s) || w->focusProxy())
                continue;
            ++visited;
            const QRect at(w->mapTo(s, QPoint(0, 0)), w->size());
            if (before) {
                const QRect was(before->mapTo(s, QPoint(0, 0)), before->size());
                EXPECT_GE(at.center().y(), was.center().y() - half_line)
                    << "the tab goes back up from " << before->objectName().toStdString() << " to "
                    << w->objectName().toStdString();
            }
            before = w;
        }
        EXPECT_GT(visited, 0);
    }
}

TEST_F(Keyboard, KeysAloneChangeSiteBitsSaveAProfileAndProgram) {
    auto sim = use_sim();
    ctx_.link.parity = 0;

    // Start-up leaves the keyboard on "Communications Setup"; Down passes
    // over the heading to "Serial to Wiegand".
    ASSERT_EQ(QApplication::focusWidget(), window_->commandmenu()->label(window_->commandmenu()->row_of("Label3")));
    const int target = window_->commandmenu()->row_of(QStringLiteral("Label4"));
    for (int i = 0; i < 12 && QApplication::focusWidget() != window_->commandmenu()->label(target); ++i)
        key(Qt::Key_Down);
    ASSERT_EQ(QApplication::focusWidget(), window_->commandmenu()->label(target));
    key(Qt::Key_Return);
    EXPECT_TRUE(window_->commandmenu()->is_yellow(target));
    EXPECT_TRUE(window_->frame_of(QStringLiteral("sertowie"))->isVisible());

    // Tab to the site bits and type a new count.
    auto *site = window_->screen(QStringLiteral("sertowie"))->findChild<QLineEdit *>(QStringLiteral("site_bits"));
    ASSERT_NE(site, nullptr);
    for (int i = 0; i < 250 && QApplication::focusWidget() != site; ++i)
        key(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), site) << "Tab never reached the site bits";
    key(Qt::Key_A, Qt::ControlModifier);
    type(QStringLiteral("9"));
    EXPECT_EQ(ctx_.record.serwiesitebits, 9);
    QTest::qWait(20);
    EXPECT_TRUE(window_->windowTitle().endsWith(QLatin1String(" *")));

    // Ctrl+S: the name box has the keyboard; Return saves.
    bool typed = false;
    QTimer::singleShot(0, [&typed] {
        SaveProfileDialog *d = nullptr;
        const bool ready = QTest::qWaitFor(
            [&] {
                d = qobject_cast<SaveProfileDialog *>(QApplication::activeModalWidget());
                return d && QApplication::focusWidget() == d->name_box();
            },
            5000);
        if (!ready) { // the name box never had the keyboard
            if (d)
                d->reject();
            return;
        }
        typed = true;
        type(QStringLiteral("Lobby"));
        key(Qt::Key_Return);
    });
    key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(typed) << "Save Profile did not open with the keyboard in its name box";
    EXPECT_EQ(ctx_.current_profile(), QStringLiteral("Lobby"));
    EXPECT_TRUE(window_->windowTitle().endsWith(QLatin1String("PROFILE: Lobby")));

    // Ctrl+P programs the converter (the window manager gives the main
    // window the keyboard back when the dialog closes).
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    PgmFormWindow *p = window_->pgmform();
    QSignalSpy done(&p->job(), &DeviceJob::ended);
    key(Qt::Key_P, Qt::ControlModifier);
    ASSERT_TRUE(done.wait(60000));
    EXPECT_EQ(p->lines().last(), QStringLiteral("Converter has been programmed"));
    EXPECT_TRUE(window_->commandmenu()->is_yellow(window_->commandmenu()->row_of(QStringLiteral("Label9"))));
}

TEST_F(Keyboard, CtrlTabKeepsThePanelOnTheScreenShown) {
    CommandMenuPanel *panel = window_->commandmenu();
    const int masking = panel->row_of(QStringLiteral("Label11"));
    const int comm = panel->row_of(QStringLiteral("Label3"));
    window_->open_screen(masking);
    EXPECT_TRUE(panel->is_yellow(masking));
    // Ctrl+Tab brings an opened screen to the front as this does.
    window_->mdi()->setActiveSubWindow(window_->frame_of(QStringLiteral("commform")));
    EXPECT_TRUE(panel->is_yellow(comm));
    EXPECT_FALSE(panel->is_yellow(masking));
}

} // namespace
} // namespace k52
