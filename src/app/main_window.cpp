#include "main_window.h"

#include "commandmenu_panel.h"
#include "message_dialog.h"
#include "navigation.h"
#include "profile/profilepop_dialog.h"
#include "programming/pgmform_window.h"
#include "startup.h"
#include "window_entry.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>

namespace k52 {

MainWindow::MainWindow(AppContext &ctx, QWidget *parent) : QMainWindow(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("mainK52"));
    auto *central = new QWidget(this);
    auto *layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    panel_ = new CommandMenuPanel(central);
    mdi_ = new QMdiArea(central);
    layout->addWidget(panel_);
    layout->addWidget(mdi_, 1);
    setCentralWidget(central);
    build_menu();
    connect(panel_, &CommandMenuPanel::entry_clicked, this, &MainWindow::panel_clicked);

    // 10000 twips high when created, no taller than the screen allows.
    int h = twips_to_px(10000, this);
    int w = twips_to_px(14000, this);
    if (const QScreen *s = QGuiApplication::primaryScreen()) {
        h = qMin(h, s->availableGeometry().height() - 40);
        w = qMin(w, s->availableGeometry().width());
    }
    resize(w, h);
    ctx_.store.set_after_load([this] {
        set_main_caption();
        refresh_screens();
    });
}

MainWindow::~MainWindow() {
    ctx_.store.set_after_load({});
}

void MainWindow::build_menu() {
    for (const MenuEntry &e : menu_entries()) {
        QAction *a = menuBar()->addAction(QString::fromLatin1(e.caption));
        a->setObjectName(QString::fromLatin1(e.name));
        const QString name = a->objectName();
        connect(a, &QAction::triggered, this, [this, name] {
            // Loading a profile takes the line from a job under way.
            if (name == QLatin1String("md")) {
                if (ctx_.release_links())
                    open_profile_chooser(QStringLiteral("Load Profile"));
            } else if (name == QLatin1String("dm"))
                open_save_profile();
            else if (name == QLatin1String("dpf"))
                open_profile_chooser(QStringLiteral("Delete Profile"));
            else if (name == QLatin1String("wir"))
                show_reference(QStringLiteral("wiring"), false);
            else if (name == QLatin1String("bittable"))
                show_reference(QStringLiteral("bitsize"), false);
            else if (name == QLatin1String("hp"))
                show_reference(QStringLiteral("help"), false);
            else if (name == QLatin1String("ab"))
                show_reference(QStringLiteral("about"), true);
            else if (name == QLatin1String("revs"))
                show_reference(QStringLiteral("Revisions"), true);
        });
    }
}

QAction *MainWindow::menu_action(const QString &name) const {
    for (QAction *a : menuBar()->actions())
        if (a->objectName() == name)
            return a;
    return nullptr;
}

void MainWindow::show_reference(const QString &name, bool modal) {
    BaseScreen *w = reference_.value(name);
    if (!w) {
        w = create_screen(name, ctx_, this);
        if (!w)
            return;
        w->setWindowFlag(Qt::Window, true);
        reference_.insert(name, w);
    }
    w->set_parms(); // the bit size table fills itself here
    w->setWindowModality(modal ? Qt::ApplicationModal : Qt::NonModal);
    w->show();
    w->raise();
    w->activateWindow();
}

BaseScreen *MainWindow::screen(const QString &name) {
    if (BaseScreen *s = screens_.value(name))
        return s;
    BaseScreen *s = create_screen(name, ctx_, nullptr);
    if (!s)
        return nullptr;
    QMdiSubWindow *frame = mdi_->addSubWindow(s);
    frame->setObjectName(name + QStringLiteral("_frame"));
    frame->setWindowTitle(s->windowTitle());
    frame->hide();
    // Closing a screen only hides it; it stays for the whole run.
    frame->setAttribute(Qt::WA_DeleteOnClose, false);
    frames_.insert(name, frame);
    screens_.insert(name, s);
    if (name == QLatin1String("pgmform")) {
        auto *p = static_cast<PgmFormWindow *>(s);
        p->on_finished = [this](const RunResult &) {
            if (BaseScreen *serial = screens_.value(QStringLiteral("serial")))
                serial->set_parms(); // the terminators may have been normalised
        };
    }
    return s;
}

PgmFormWindow *MainWindow::pgmform() {
    return static_cast<PgmFormWindow *>(screen(QStringLiteral("pgmform")));
}

void MainWindow::place(QMdiSubWindow *frame) {
    // Screens fill the area right of the panel.
    frame->setGeometry(QRect(QPoint(0, 0), mdi_->viewport()->size()));
}

void MainWindow::start_up_windows() {
    for (const QString &name : startup_screens())
        screen(name);
    set_main_caption();
    refresh_screens();
    panel_->all_white();
    panel_->mark(panel_->row_of(QStringLiteral("Label3")));
    if (BaseScreen *comm = screen(QStringLiteral("commform"))) {
        QMdiSubWindow *f = frames_.value(QStringLiteral("commform"));
        place(f);
        f->show();
        f->raise();
        mdi_->setActiveSubWindow(f);
        comm->set_from_link();
    }
}

void MainWindow::set_main_caption() {
    setWindowTitle(ctx_.store.main_caption());
}

void MainWindow::refresh_screens() {
    for (const QString &name : refill_order())
        if (BaseScreen *s = screen(name))
            s->set_parms();
}

void MainWindow::panel_clicked(int row) {
    const NavRow &r = nav_rows()[row];
    switch (r.kind) {
    case NavRow::Heading:
        return;
    case NavRow::Program:
        program_k52();
        return;
    case NavRow::Screen:
    case NavRow::Terminal:
        open_screen(row);
        return;
    }
}

void MainWindow::open_screen(int row) {
    const NavRow &r = nav_rows()[row];
    // A job a stray click must not break is asked about first; on No the
    // click does nothing. (The terminal then closes and opens its own link.)
    if (!ctx_.release_links())
        return;
    panel_->all_white();
    panel_->mark(row);
    BaseScreen *s = screen(QString::fromLatin1(r.screen));
    if (!s)
        return;
    if (r.set_parms_first)
        s->set_parms();
    QMdiSubWindow *f = frames_.value(QString::fromLatin1(r.screen));
    if (!f->isVisible())
        place(f);
    f->show();
    f->raise();
    mdi_->setActiveSubWindow(f);
    s->update();
    s->after_show();
}

void MainWindow::program_k52() {
    PgmFormWindow *p = pgmform();
    if (!p || p->running())
        return; // a second "Program K52" during a run changes nothing
    if (!ctx_.release_links())
        return;
    panel_->all_white();
    panel_->mark(panel_->row_of(QStringLiteral("Label9")));
    QMdiSubWindow *f = frames_.value(QStringLiteral("pgmform"));
    if (!f->isVisible())
        place(f);
    f->show();
    f->raise();
    mdi_->setActiveSubWindow(f);
    p->start_run();
}

QPoint MainWindow::dialog_position() const {
    const int d = twips_to_px(1500, this);
    return frameGeometry().topLeft() + QPoint(d, d);
}

void MainWindow::open_profile_chooser(const QString &caption) {
    ProfilePopDialog dlg(ctx_, caption, this);
    dlg.move(dialog_position());
    dlg.exec();
}

void MainWindow::open_save_profile() {
    SaveProfileDialog dlg(ctx_, this);
    dlg.move(dialog_position());
    dlg.exec();
}

void MainWindow::closeEvent(QCloseEvent *e) {
    if (!shut_down_) {
        if (!ctx_.may_stop(ctx_.links.at_stake())) {
            e->ignore();
            return;
        }
        shut_down_ = true;
        // Nothing asks or tells any more: the endings of the jobs stopped
        // now pass silently.
        ctx_.questions = nullptr;
        ctx_.close_all_links();
        QString error;
        if (!shut_down(ctx_.store, ctx_.link, &error))
            QMessageBox::warning(this, QStringLiteral("Link settings not saved"), error);
        emit closed_for_good();
    }
    e->accept();
}

int run_window(const QString &program_dir, const QString &db_override) {
    AppContext ctx;
    MessageBoxQuestions questions;
    ctx.questions = &questions;
    ctx.program_dir = program_dir;
    StartupOptions opt;
    opt.program_dir = program_dir;
    opt.db_override = db_override;
    const StartupResult r = start_up(opt, ctx.store, ctx.link, ctx.record);
    if (!r.ok) {
        QMessageBox::critical(nullptr, QStringLiteral("Converter Utility"),
                              QStringLiteral("The program cannot start: %1").arg(r.error));
        return 1;
    }
    ctx.db_path = r.db_path;
    int rc = 0;
    {
        MainWindow w(ctx);
        // Whatever box or job is open then, the program ends.
        QObject::connect(&w, &MainWindow::closed_for_good, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        questions.set_owner(&w);
        w.start_up_windows();
        w.show();
        rc = QApplication::exec();
        questions.set_owner(nullptr);
    }
    return rc;
}

} // namespace k52
