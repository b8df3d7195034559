// The layout check: the real main window on a real X display with a window
// manager (tests/app/run_under_x.sh starts both), every screen, dialog and
// reference window opened in turn and searched for controls that a user
// could not see or read. Offscreen these tests skip.
//
// K52_SCREENSHOT_DIR=dir also saves a picture of each window there.
#include "window/app/commandmenu_panel.h"
#include "window/app/main_window.h"
#include "window/app/navigation.h"
#include "window/programming/pgmform_window.h"
#include "window/screens/screen_fixture.h"
#include "window/ui/message_dialog.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QMap>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <cmath>

namespace k52 {
namespace {

// The viewport whose scroll area lets its content be larger than itself.
const QAbstractScrollArea *scroll_area_of_viewport(const QWidget *w) {
    auto *area = qobject_cast<const QAbstractScrollArea *>(w ? w->parentWidget() : nullptr);
    return area && area->viewport() == w ? area : nullptr;
}

// Parts that Qt's own composite widgets lay out for themselves.
bool toolkit_internal(const QWidget *w) {
    for (const QWidget *p = w->parentWidget(); p && !p->isWindow(); p = p->parentWidget())
        if (qobject_cast<const QScrollBar *>(p) || qobject_cast<const QMenuBar *>(p))
            return true;
    const QByteArray cls = w->metaObject()->className();
    return cls.startsWith("QAbstractScrollAreaScrollBarContainer") || cls == "QMdiSubWindowPrivate" ||
           cls.startsWith("QMenuBarExtension") || qobject_cast<const QScrollBar *>(w) ||
           qobject_cast<const QMenuBar *>(w) ||
           (w->parentWidget() && w->parentWidget()->inherits("QMdiSubWindow") &&
            !qobject_cast<const QAbstractScrollArea *>(w));
}

QString name_of(const QWidget *w) {
    QString n = QString::fromLatin1(w->metaObject()->className());
    if (!w->objectName().isEmpty())
        n += QLatin1Char(' ') + w->objectName();
    if (auto *l = qobject_cast<const QLabel *>(w); l && !l->text().isEmpty())
        n += QStringLiteral(" \"%1\"").arg(l->text().left(40));
    if (auto *b = qobject_cast<const QAbstractButton *>(w); b && !b->text().isEmpty())
        n += QStringLiteral(" \"%1\"").arg(b->text().left(40));
    if (auto *g = qobject_cast<const QGroupBox *>(w); g && !g->title().isEmpty())
        n += QStringLiteral(" \"%1\"").arg(g->title());
    return n;
}

// A caption that does not fit the control that shows it. Drawn areas and
// the text inside editable boxes are not captions.
bool caption_clipped(const QWidget *w) {
    if (auto *l = qobject_cast<const QLabel *>(w)) {
        if (l->text().isEmpty() || l->pixmap().toImage().width() > 0)
            return false;
        if (l->wordWrap())
            return l->height() < l->heightForWidth(l->width());
        const QSize need = l->minimumSizeHint();
        return l->width() < need.width() || l->height() < need.height();
    }
    if (auto *b = qobject_cast<const QAbstractButton *>(w)) {
        if (b->text().isEmpty())
            return false;
        const QSize need = b->sizeHint();
        return b->width() < need.width() || b->height() < need.height();
    }
    if (auto *g = qobject_cast<const QGroupBox *>(w)) {
        const QSize need = g->minimumSizeHint();
        return g->width() < need.width() || g->height() < need.height();
    }
    return false;
}

// Everything a user could not see or read in a window (or in one screen's
// frame), one line each.
QStringList layout_faults(QWidget *top) {
    QStringList faults;
    // The frame's size comes from the window manager in device pixels; at a
    // scale factor it is rounded up to whole logical pixels, by one at most.
    const QRect area = top->screen()->availableGeometry().adjusted(-1, -1, 1, 1);
    if (top->isWindow() && !area.contains(top->frameGeometry()))
        faults << QStringLiteral("window %1 at %2,%3 %4x%5 is not wholly on the screen")
                      .arg(name_of(top))
                      .arg(top->frameGeometry().x())
                      .arg(top->frameGeometry().y())
                      .arg(top->frameGeometry().width())
                      .arg(top->frameGeometry().height());
    // Room for the caption between the window manager's icon and buttons.
    const int title = top->fontMetrics().horizontalAdvance(top->windowTitle()) + 120;
    if (top->isWindow() && top->width() < title)
        faults << QStringLiteral("window %1 is %2 px wide, too narrow for its caption (%3 px)")
                      .arg(name_of(top))
                      .arg(top->width())
                      .arg(title);
    const auto all = top->findChildren<QWidget *>();
    for (QWidget *w : all) {
        if (w->isWindow() || !w->isVisible() || toolkit_internal(w))
            continue;
        QWidget *parent = w->parentWidget();
        if (const QAbstractScrollArea *scroll = scroll_area_of_viewport(parent)) {
            // Content may be larger than the viewport when it can be
            // scrolled into view.
            const QSize reach = parent->size() +
                                QSize(scroll->horizontalScrollBar()->maximum(), scroll->verticalScrollBar()->maximum());
            if (w->width() > reach.width() || w->height() > reach.height())
                faults << QStringLiteral("%1 is larger than its scroll area can show").arg(name_of(w));
        } else if (!parent->rect().contains(w->geometry())) {
            faults << QStringLiteral("%1 lies outside %2").arg(name_of(w), name_of(parent));
        }
        if (caption_clipped(w))
            faults << QStringLiteral("%1 is too small for its caption").arg(name_of(w));
        // Overlapping siblings; the frames of the screens are stacked by
        // design.
        if (qobject_cast<QMdiSubWindow *>(w))
            continue;
        for (QObject *o : parent->children()) {
            auto *s = qobject_cast<QWidget *>(o);
            if (!s || s <= w || s->isWindow() || !s->isVisible() || toolkit_internal(s) ||
                qobject_cast<QMdiSubWindow *>(s))
                continue;
            if (w->geometry().intersects(s->geometry()))
                faults << QStringLiteral("%1 overlaps %2").arg(name_of(w), name_of(s));
        }
    }
    return faults;
}

class LayoutCheck : public test::ScreenFixture {
protected:
    void SetUp() override {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            GTEST_SKIP() << "the layout check runs on an X display (tests/app/run_under_x.sh)";
        test::ScreenFixture::SetUp();
        ctx_.questions = &questions_;
        window_ = std::make_unique<MainWindow>(ctx_);
        questions_.set_owner(window_.get());
        window_->start_up_windows();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
        // The window manager has framed the window.
        ASSERT_TRUE(QTest::qWaitFor([this] { return window_->frameGeometry() != window_->geometry(); }, 5000))
            << "no window manager on the display";
        settle();
    }
    void TearDown() override {
        questions_.set_owner(nullptr);
        window_.reset();
    }

    static void settle() {
        QTest::qWait(150);
        QApplication::processEvents();
    }

    void shoot(QWidget *top, const QString &file) {
        const QString dir = qEnvironmentVariable("K52_SCREENSHOT_DIR");
        if (dir.isEmpty())
            return;
        const QRect f = top->frameGeometry();
        const QPixmap shot = top->screen()->grabWindow(0, f.x(), f.y(), f.width(), f.height());
        EXPECT_TRUE(shot.save(QDir(dir).filePath(file + QStringLiteral(".png"))));
    }

    // The screen's frame fills the area right of the panel.
    void expect_full_size(const QString &screen) {
        QMdiSubWindow *f = window_->frame_of(screen);
        ASSERT_NE(f, nullptr);
        EXPECT_TRUE(f->isVisible()) << screen.toStdString();
        EXPECT_EQ(f->geometry(), window_->mdi()->viewport()->rect())
            << screen.toStdString() << " opened at " << f->width() << "x" << f->height();
    }

    void expect_no_faults(QWidget *top) {
        const QStringList faults = layout_faults(top);
        EXPECT_TRUE(faults.isEmpty()) << name_of(top).toStdString() << ":\n  "
                                      << faults.join(QStringLiteral("\n  ")).toStdString();
    }

    // Run `check` on the modal window that `open` brings up, then close it.
    void check_modal(const std::function<void()> &open, const QString &shot) {
        bool seen = false;
        QTimer::singleShot(0, window_.get(), [&] {
            QWidget *m = QApplication::activeModalWidget();
            if (!m || !QTest::qWaitForWindowExposed(m)) {
                if (m)
                    m->close();
                return;
            }
            (void)QTest::qWaitFor([m] { return m->frameGeometry() != m->geometry(); }, 2000);
            settle();
            seen = true;
            expect_no_faults(m);
            shoot(m, shot);
            if (auto *d = qobject_cast<QDialog *>(m))
                d->reject();
            else
                m->close();
        });
        open();
        EXPECT_TRUE(seen) << shot.toStdString() << " did not open";
    }

    int row(const char *label) { return window_->commandmenu()->row_of(QString::fromLatin1(label)); }

    // Sampled where the screen shows its background (no control there, or
    // well inside a group box): one grey, the screen's own.
    static void expect_one_background(QWidget *s) {
        ASSERT_NE(s, nullptr);
        const QImage shot = s->grab().toImage();
        const qreal ratio = shot.devicePixelRatio();
        QMap<QRgb, int> seen;
        for (int y = 4; y < s->height() - 4; y += 13)
            for (int x = 4; x < s->width() - 4; x += 13) {
                QWidget *at = s->childAt(x, y);
                if (auto *g = qobject_cast<QGroupBox *>(at)) {
                    const QPoint in = g->mapFrom(s, QPoint(x, y));
                    const int top = g->fontMetrics().height() + 8;
                    if (in.x() < 8 || in.y() < top || in.x() > g->width() - 8 || in.y() > g->height() - 8)
                        continue;
                    // A group box's title or a control's margin is no background.
                    if (g->childAt(in))
                        continue;
                } else if (at) {
                    continue;
                }
                ++seen[shot.pixel(QPoint(int(x * ratio), int(y * ratio))) & 0xffffff];
            }
        ASSERT_FALSE(seen.isEmpty());
        EXPECT_EQ(seen.size(), 1) << s->objectName().toStdString() << " shows " << seen.size()
                                  << " background colours, e.g. #" << std::hex << seen.lastKey();
        EXPECT_EQ(seen.firstKey(), QColor(192, 192, 192).rgb() & 0xffffff) << s->objectName().toStdString();
    }

    // The program's icon, and the window over the main window.
    void expect_icon_and_over_main(QWidget *w) {
        EXPECT_FALSE(w->windowIcon().isNull()) << name_of(w).toStdString();
        EXPECT_EQ(w->windowIcon().cacheKey(), QApplication::windowIcon().cacheKey()) << name_of(w).toStdString();
        EXPECT_TRUE(window_->frameGeometry().contains(w->frameGeometry().center())) << name_of(w).toStdString();
    }

    MessageBoxQuestions questions_;
    std::unique_ptr<MainWindow> window_;
};

TEST_F(LayoutCheck, MainWindowFitsTheScreen) {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const QSize frame = window_->frameGeometry().size() - window_->geometry().size();
    const QSize smallest = window_->minimumSizeHint().expandedTo(window_->minimumSize()) + frame;
    EXPECT_LE(smallest.width(), area.width()) << "the main window cannot be narrower than " << smallest.width();
    EXPECT_LE(smallest.height(), area.height()) << "the main window cannot be lower than " << smallest.height();
    EXPECT_TRUE(area.contains(window_->frameGeometry()));
    window_->showMaximized();
    // The window manager's answer comes in steps (size, then frame).
    const bool fits = QTest::qWaitFor(
        [&] {
            // The contents stay on the screen and the title bar above them
            // too. The window manager keeps its thin border on a maximised
            // window (a device pixel or two, rounded up at 200 %) and its
            // bottom handle, which may stand past the screen's edges.
            const QRect f = window_->frameGeometry(), g = window_->geometry();
            const int border = 2 * static_cast<int>(std::ceil(window_->devicePixelRatioF()));
            return area.adjusted(-1, -1, 1, 1).contains(g) && f.top() >= area.top() - border &&
                   f.left() >= area.left() - border && f.right() <= area.right() + border &&
                   f.width() >= area.width() && g.bottom() >= area.bottom() - border;
        },
        10000); // a loaded machine (a sanitizer build) takes its time
    const QRect f = window_->frameGeometry(), g = window_->geometry();
    EXPECT_TRUE(fits) << "maximised, the window takes " << f.width() << "x" << f.height() << " at " << f.x() << ","
                      << f.y() << " (contents " << g.width() << "x" << g.height() << " at " << g.x() << "," << g.y()
                      << ") of " << area.width() << "x" << area.height() << " at " << area.x() << "," << area.y();
}

TEST_F(LayoutCheck, StartScreenOpensAtFullSize) {
    expect_full_size(QStringLiteral("commform"));
    expect_no_faults(window_.get());
    shoot(window_.get(), QStringLiteral("commform"));
}

TEST_F(LayoutCheck, EveryScreenOpensReadable) {
    for (int r = 0; r < nav_rows().size(); ++r) {
        const NavRow &n = nav_rows()[r];
        if (n.kind == NavRow::Heading)
            continue;
        const QString screen = QString::fromLatin1(n.kind == NavRow::Program ? "pgmform" : n.screen);
        // With no converter the run ends at once and offers Find Converter:
        // answered No.
        QTimer no;
        QObject::connect(&no, &QTimer::timeout, [] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
                box->reject();
        });
        no.start(100);
        QTest::mouseClick(window_->commandmenu()->label(r), Qt::LeftButton);
        if (n.kind == NavRow::Program)
            (void)QTest::qWaitFor([this] { return !window_->pgmform()->running(); }, 20000);
        QTest::qWait(n.kind == NavRow::Program ? 300 : 0);
        no.stop();
        settle();
        SCOPED_TRACE(screen.toStdString());
        expect_full_size(screen);
        expect_no_faults(window_->frame_of(screen));
        expect_one_background(window_->screen(screen));
        shoot(window_.get(), screen);
    }
}

TEST_F(LayoutCheck, ScreensFollowTheWindowAfterResizeAndMinimise) {
    QTest::mouseClick(window_->commandmenu()->label(row("Label4")), Qt::LeftButton); // Serial to Wiegand
    settle();
    window_->resize(window_->size() - QSize(200, 120));
    (void)QTest::qWaitFor(
        [this] { return window_->frame_of(QStringLiteral("sertowie"))->size() == window_->mdi()->viewport()->size(); },
        3000);
    expect_full_size(QStringLiteral("sertowie"));
    expect_no_faults(window_->frame_of(QStringLiteral("sertowie")));

    window_->frame_of(QStringLiteral("commform"))->showMinimized();
    settle();
    QTest::mouseClick(window_->commandmenu()->label(row("Label3")), Qt::LeftButton);
    settle();
    expect_full_size(QStringLiteral("commform"));

    // Maximised, a screen leaves the caption alone.
    const QString caption = window_->windowTitle();
    window_->frame_of(QStringLiteral("commform"))->showMaximized();
    settle();
    EXPECT_EQ(window_->windowTitle(), caption);
}

TEST_F(LayoutCheck, ReferenceWindowsOpenOnTheScreen) {
    struct Ref {
        const char *action, *window, *shot;
    };
    for (const Ref &r :
         {Ref{"wir", "wiring", "wiring"}, Ref{"bittable", "bitsize", "bitsize"}, Ref{"hp", "help", "help"},
          Ref{"ab", "about", "about"}, Ref{"revs", "Revisions", "revisions"}, Ref{"fleet", "fleet", "fleet"}}) {
        SCOPED_TRACE(r.window);
        window_->menu_action(QString::fromLatin1(r.action))->trigger();
        QWidget *w = nullptr;
        for (QWidget *t : QApplication::topLevelWidgets())
            if (t->isVisible() && t->objectName() == QLatin1String(r.window))
                w = t;
        ASSERT_NE(w, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
        (void)QTest::qWaitFor([w] { return w->frameGeometry() != w->geometry(); }, 2000);
        settle();
        expect_no_faults(w);
        expect_icon_and_over_main(w);
        shoot(w, QString::fromLatin1(r.shot));
        // Escape closes it.
        QTest::keyClick(w, Qt::Key_Escape);
        EXPECT_FALSE(w->isVisible());
        w->close();
    }
    EXPECT_FALSE(window_->windowIcon().isNull());
    for (const char *action : {"history", "compare"}) {
        SCOPED_TRACE(action);
        window_->menu_action(QString::fromLatin1(action))->trigger();
        QWidget *w = QApplication::activeWindow();
        for (QWidget *t : QApplication::topLevelWidgets())
            if (t->isVisible() && t != window_.get() && !qobject_cast<QMenu *>(t))
                w = t;
        ASSERT_TRUE(w && w != window_.get());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
        (void)QTest::qWaitFor([w] { return w->frameGeometry() != w->geometry(); }, 2000);
        settle();
        expect_icon_and_over_main(w);
        QTest::keyClick(w, Qt::Key_Escape);
        EXPECT_FALSE(w->isVisible());
        w->close();
    }
}

TEST_F(LayoutCheck, DialogsAndMessagesOpenOnTheScreen) {
    // Moved to the bottom right corner, the dialogs still open on the screen.
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    window_->move(area.bottomRight() - QPoint(window_->width() / 2, window_->height() / 2));
    settle();
    check_modal([this] { window_->menu_action(QStringLiteral("md"))->trigger(); }, QStringLiteral("load_profile"));
    check_modal([this] { window_->menu_action(QStringLiteral("dm"))->trigger(); }, QStringLiteral("save_profile"));
    check_modal([this] { window_->menu_action(QStringLiteral("dpf"))->trigger(); }, QStringLiteral("delete_profile"));
    check_modal(
        [this] { questions_.warn(message_title(), QStringLiteral("Cannot open the firmware file: no such file")); },
        QStringLiteral("message"));
}

} // namespace
} // namespace k52
