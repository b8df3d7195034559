// The real k52util as a child process on an X display with a window manager,
// driven with xdotool: a firmware download is started with the mouse and the
// keyboard; closing the window asks first, and Yes ends the process.
//
// Runs under tests/app/run_under_x.sh; elsewhere it skips. Where the panel
// rows and the buttons lie is read off the same window built in this process
// on the same display, so nothing depends on fixed coordinates.
#include "support/cli_run.h"
#include "support/file_bytes.h"
#include "support/sim_process.h"
#include "window/app/main_window.h"
#include "window/maintenance/flashdl_screen.h"
#include "window/screens/screen_fixture.h"

#include <QApplication>
#include <QLabel>
#include <QMdiSubWindow>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>

namespace k52 {
namespace {

// xdotool ARGS; its standard output, trimmed.
QString xdotool(const QStringList &args, int *code = nullptr) {
    QProcess p;
    p.start(QStringLiteral("xdotool"), args);
    p.waitForFinished(15000);
    if (code)
        *code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
}

// The visible top-level windows of process `pid`, newest last.
QStringList windows_of(qint64 pid) {
    return xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                    QString::number(pid)})
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

class RealWindow : public test::ScreenFixture {
protected:
    void SetUp() override {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            GTEST_SKIP() << "runs on an X display (tests/app/run_under_x.sh)";
        if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
            GTEST_SKIP() << "xdotool is missing: run scripts/deps.sh";
        test::ScreenFixture::SetUp();
    }

    // Where, inside the main window, the Flash Download row and the flash
    // screen's buttons are.
    void measure() {
        MainWindow w(ctx_);
        w.start_up_windows();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        ASSERT_TRUE(QTest::qWaitFor([&] { return w.frameGeometry() != w.geometry(); }, 5000));
        QTest::qWait(150);
        auto *row = w.findChild<QLabel *>(QStringLiteral("Label10"));
        ASSERT_NE(row, nullptr);
        row_ = row->mapTo(&w, row->rect().center());
        QTest::mouseClick(row, Qt::LeftButton);
        QTest::qWait(150);
        QMdiSubWindow *f = w.frame_of(QStringLiteral("flashdl"));
        ASSERT_TRUE(f && f->isVisible());
        auto *select = f->findChild<QPushButton *>(QStringLiteral("Command1"));
        auto *start = f->findChild<QPushButton *>(QStringLiteral("Command2"));
        ASSERT_TRUE(select && start);
        select_ = select->mapTo(&w, select->rect().center());
        start_ = start->mapTo(&w, start->rect().center());
    }

    void click(const QString &window, QPoint at) {
        int code = 0;
        xdotool({QStringLiteral("mousemove"), QStringLiteral("--sync"), QStringLiteral("--window"), window,
                 QString::number(at.x()), QString::number(at.y()), QStringLiteral("click"), QStringLiteral("1")},
                &code);
        ASSERT_EQ(code, 0);
        QTest::qWait(300);
    }

    // The window that is not `main`, once there is one.
    QString other_window(qint64 pid, const QString &main, int ms = 10000) {
        QString found;
        (void)QTest::qWaitFor(
            [&] {
                for (const QString &w : windows_of(pid))
                    if (w != main)
                        found = w;
                return !found.isEmpty();
            },
            ms);
        return found;
    }

    // k52util started on `sim`'s port, the flash screen opened and a
    // download of `file` started with the mouse and the keyboard; `main` is
    // its main window.
    void start_download(k52test::SimProcess &sim, QProcess &util, const QString &file, QString &main) {
        const QString db = dir_.filePath(QStringLiteral("real.db"));
        QProcess find;
        find.start(QStringLiteral(K52_UTIL_PATH), {QStringLiteral("--db"), db, QStringLiteral("find"),
                                                   QStringLiteral("--port"), sim.device(), QStringLiteral("--save")});
        ASSERT_TRUE(find.waitForFinished(60000));
        ASSERT_EQ(find.exitCode(), 0) << find.readAllStandardError().toStdString();

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), dir_.path());
        env.insert(QStringLiteral("XDG_DATA_HOME"), dir_.filePath(QStringLiteral("data")));
        util.setProcessEnvironment(env);
        util.start(QStringLiteral(K52_UTIL_PATH), {QStringLiteral("--db"), db});
        ASSERT_TRUE(util.waitForStarted());
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                const QStringList w = windows_of(util.processId());
                main = w.isEmpty() ? QString() : w.first();
                return !main.isEmpty();
            },
            15000))
            << "k52util showed no window";
        QTest::qWait(500);

        click(main, row_);
        click(main, select_);
        // The file dialog takes the typed path.
        ASSERT_TRUE(QTest::qWaitFor([&] { return windows_of(util.processId()).size() > 1; }, 10000))
            << "no file dialog";
        xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("5"), file});
        xdotool({QStringLiteral("key"), QStringLiteral("Return")});
        ASSERT_TRUE(QTest::qWaitFor([&] { return windows_of(util.processId()).size() == 1; }, 10000))
            << "the file dialog stayed open";
        click(main, start_);
        // The boot loader is under way.
        ASSERT_TRUE(QTest::qWaitFor([&] { return sim.received().contains(QStringLiteral("BOOT")); }, 15000))
            << "no download started";
        QTest::qWait(1000);
    }

    QPoint row_, select_, start_;
};

TEST_F(RealWindow, ClosingDuringADownloadAsksAndYesEndsTheProcess) {
    measure();
    if (HasFatalFailure())
        return;
    // A converter slow enough that the download is still running when the
    // window is closed: 32 KB at 9600 baud takes about 40 seconds.
    k52test::SimProcess sim({QStringLiteral("--pace"), QStringLiteral("9600")});
    QString why;
    ASSERT_TRUE(sim.start(&why)) << why.toStdString();
    QProcess util;
    QString main;
    const QString file = dir_.filePath(QStringLiteral("firmware.bin"));
    ASSERT_NO_FATAL_FAILURE(k52test::put_file(file, QByteArray(32 * 1024, '\x5A')));
    start_download(sim, util, file, main);
    if (HasFatalFailure())
        return;

    // Closed through the window manager's Alt+F4: the question comes first.
    xdotool({QStringLiteral("windowactivate"), QStringLiteral("--sync"), main});
    xdotool({QStringLiteral("key"), QStringLiteral("alt+F4")});
    const QString question = other_window(util.processId(), main);
    ASSERT_FALSE(question.isEmpty()) << "closing the window during a download did not ask";
    EXPECT_EQ(util.state(), QProcess::Running);
    // Return would answer No; "y" is the Yes button's key.
    xdotool({QStringLiteral("windowactivate"), QStringLiteral("--sync"), question});
    xdotool({QStringLiteral("key"), QStringLiteral("y")});
    // (waitForFinished is false for a process that has ended already)
    const bool ended = util.waitForFinished(20000) || util.state() == QProcess::NotRunning;
    if (!ended)
        util.kill();
    EXPECT_TRUE(ended) << "k52util kept running after its window was closed";
}

} // namespace
} // namespace k52
