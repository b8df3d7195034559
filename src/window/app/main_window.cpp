#include "main_window.h"

#include "commandmenu_panel.h"
#include "core/link/device_job.h"
#include "core/link/wire_trace.h"
#include "core/profile/startup.h"
#include "fleet_window.h"
#include "history_window.h"
#include "navigation.h"
#include "window/app/compare_window.h"
#include "window/app/legacyimport_dialog.h"
#include "window/app/profilepop_dialog.h"
#include "window/programming/pgmform_window.h"
#include "window/screens/commform_screen.h"
#include "window/screens/find_converter_panel.h"
#include "window/ui/job_panel.h"
#include "window/ui/message_dialog.h"
#include "window/ui/top_window.h"
#include "window_entry.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QTimer>

#include <utility>

namespace k52 {

MainWindow::MainWindow(AppContext &ctx, QWidget *parent) : QMainWindow(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("mainK52"));
    // Every window of the program shows its icon.
    set_program_icon(this);
    QApplication::setWindowIcon(windowIcon());
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
    // Program K52 and Find Converter from the keyboard anywhere.
    auto add_key = [this](const QString &caption, const char *name, const char *keys, auto slot) {
        auto *action = new QAction(caption, this);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(QKeySequence(QString::fromLatin1(keys)));
        action->setShortcutContext(Qt::ApplicationShortcut);
        connect(action, &QAction::triggered, this, slot);
        addAction(action);
    };
    add_key(tr("Program K52"), "program_key", "Ctrl+P", &MainWindow::program_k52);
    add_key(tr("Find Converter"), "find_key", "Ctrl+F", &MainWindow::find_converter);
    // Whichever way a screen comes to the front (Ctrl+Tab among them), its
    // entry is the yellow one.
    connect(mdi_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow *frame) {
        if (!frame)
            return;
        const int row = panel_->row_of_screen(frames_.key(frame));
        if (row >= 0 && !panel_->is_yellow(row)) {
            panel_->all_white();
            panel_->mark(row);
        }
    });

    // The screens scroll inside their frames, so the window itself can be
    // as small as the panel and a usable part of a screen.
    mdi_->setMinimumSize(twips_to_px(6000, this), twips_to_px(3600, this));
    mdi_->viewport()->installEventFilter(this);
    // A maximised screen keeps the caption that the profile sets.
    connect(this, &QWidget::windowTitleChanged, this, [this](const QString &title) {
        if (!caption_.isEmpty() && title != caption_)
            setWindowTitle(caption_);
    });
    // 10000 twips high when created, no taller than the screen allows, and
    // as wide as the screen, so that the screens show without scrolling
    // where the screen has room.
    const QRect area = available_area(this);
    const int h = qMin(twips_to_px(10000, this), area.height() - frame_allowance(this).height());
    const int w = area.width() - frame_allowance(this).width();
    resize(w, h);
    move(area.topLeft() + QPoint((area.width() - w - frame_allowance(this).width()) / 2, 0));
    connect(&ctx_, &AppContext::profile_loaded, this, [this] {
        refresh_screens();
        set_main_caption();
        show_status(tr("Loaded profile %1").arg(ctx_.current_profile()));
    });
    statusBar()->setObjectName(QStringLiteral("status"));
    // Whatever the user did with keys or the mouse may have changed the
    // record: the caption follows once the event has been handled.
    qApp->installEventFilter(this);
}

MainWindow::~MainWindow() = default;

namespace {

// The keys of the menu entries: the letter Alt takes it with (underlined in
// the caption) and a shortcut. Help lists them.
struct MenuKey {
    const char *name;
    char letter;
    QKeySequence::StandardKey standard;
    const char *shortcut;
};
const MenuKey kMenuKeys[] = {
    {"md", 'L', QKeySequence::Open, "Ctrl+O"},           {"dm", 'S', QKeySequence::Save, "Ctrl+S"},
    {"dpf", 'D', QKeySequence::UnknownKey, nullptr},     {"imp", 'I', QKeySequence::UnknownKey, nullptr},
    {"wir", 'W', QKeySequence::UnknownKey, nullptr},     {"bittable", 'B', QKeySequence::UnknownKey, nullptr},
    {"hp", 'H', QKeySequence::HelpContents, "F1"},       {"ab", 'A', QKeySequence::UnknownKey, nullptr},
    {"revs", 'R', QKeySequence::UnknownKey, nullptr},    {"history", 't', QKeySequence::UnknownKey, nullptr},
    {"compare", 'C', QKeySequence::UnknownKey, nullptr},
};

// A window of the program shown at the front: over `owner` (place_over)
// when it was hidden, else where it stands.
void show_in_front(QWidget *w, const QWidget *owner) {
    const bool first = !w->isVisible();
    w->show();
    if (first)
        place_over(w, owner);
    w->raise();
    w->activateWindow();
}

// `caption` with an ampersand before the first `letter`.
QString with_mnemonic(const QString &caption, char letter) {
    const int at = caption.indexOf(QLatin1Char(letter));
    return at < 0 ? caption : QString(caption).insert(at, QLatin1Char('&'));
}

} // namespace

void MainWindow::build_menu() {
    for (const MenuEntry &e : menu_entries()) {
        QString caption = tr(e.caption);
        const MenuKey *key = nullptr;
        for (const MenuKey &k : kMenuKeys)
            if (qstrcmp(k.name, e.name) == 0)
                key = &k;
        QAction *a = menuBar()->addAction(key ? with_mnemonic(caption, key->letter) : caption);
        a->setObjectName(QString::fromLatin1(e.name));
        if (key && key->shortcut) {
            a->setShortcut(key->standard != QKeySequence::UnknownKey
                               ? QKeySequence(key->standard)
                               : QKeySequence(QString::fromLatin1(key->shortcut)));
            a->setShortcutContext(Qt::ApplicationShortcut);
            a->setToolTip(QStringLiteral("%1 (%2)").arg(caption.trimmed(), QString::fromLatin1(key->shortcut)));
        }
        connect(a, &QAction::triggered, this, [this, &e] {
            if (e.run)
                (this->*e.run)();
            else
                show_reference(QString::fromLatin1(e.window), e.modal);
        });
    }
    // The tools of commissioning and support share one menu, so that the
    // bar keeps to one line on a 1366 pixel screen: the fleet window, and
    // every byte of every later device job into a file.
    QMenu *tools = menuBar()->addMenu(tr("&Tools"));
    tools->setObjectName(QStringLiteral("toolsmenu"));
    if (QAction *fleet = menu_action(QStringLiteral("fleet"))) {
        menuBar()->removeAction(fleet);
        tools->addAction(fleet);
    }
    QAction *trace = tools->addAction(tr("Record a wire trace…"));
    trace->setObjectName(QStringLiteral("wiretrace"));
    trace->setCheckable(true);
    connect(trace, &QAction::triggered, this, [this](bool on) { set_wire_trace(on); });
}

void MainWindow::set_wire_trace(bool on, const QString &chosen) {
    auto *action = findChild<QAction *>(QStringLiteral("wiretrace"));
    if (!on) {
        const auto old = DeviceJob::trace_for_all();
        DeviceJob::set_trace_for_all(nullptr);
        if (action) {
            action->setChecked(false);
            action->setToolTip(QString());
        }
        if (old && !old->error().isEmpty())
            ctx_.warn(tr("The wire trace %1 is incomplete: %2").arg(old->file(), old->error()));
        return;
    }
    const QString file = !chosen.isEmpty()
                             ? chosen
                             : QFileDialog::getSaveFileName(this, tr("Record a wire trace"),
                                                            QStringLiteral("k52-trace.txt"), tr("Text files (*.txt)"));
    auto trace = std::make_shared<WireTrace>(false);
    QString why;
    if (file.isEmpty() || !trace->to_file(file, &why)) {
        if (!file.isEmpty())
            ctx_.warn(tr("Cannot write the wire trace: %1\nChoose a file in a folder you can write to.").arg(why));
        if (action)
            action->setChecked(false);
        return;
    }
    DeviceJob::set_trace_for_all(trace);
    if (action) {
        action->setChecked(true);
        action->setToolTip(tr("Recording into %1").arg(file));
    }
}

void MainWindow::load_profile() {
    // Loading a profile takes the line from a job under way, and replaces
    // the record.
    if (ctx_.release_links() && settle_changes())
        open_profile_chooser(QStringLiteral("Load Profile"));
}

bool MainWindow::record_changed() const {
    return ctx_.record_changed();
}

bool MainWindow::settle_changes() {
    const QStringList changed = ctx_.current_profile().isEmpty() ? QStringList() : ctx_.changed_settings(ctx_.record);
    if (changed.isEmpty() || !ctx_.questions)
        return true;
    QString list = changed.mid(0, 8).join(QStringLiteral("\n"));
    if (changed.size() > 8)
        list += tr("\n... and %1 more").arg(changed.size() - 8);
    const QString text = tr("%1 setting(s) differ from profile \"%2\":\n%3\n\nSave them as a profile first?")
                             .arg(changed.size())
                             .arg(ctx_.current_profile(), list);
    switch (ctx_.questions->ask_unsaved(message_title(), text)) {
    case Questions::Unsaved::Save:
        open_save_profile();
        return !record_changed();
    case Questions::Unsaved::Discard:
        return true;
    case Questions::Unsaved::Cancel:
        break;
    }
    return false;
}

void MainWindow::show_status(const QString &text) {
    statusBar()->showMessage(text);
}

void MainWindow::delete_profile() {
    open_profile_chooser(QStringLiteral("Delete Profile"));
}

void MainWindow::show_history() {
    show_history(false);
}

void MainWindow::show_comparison() {
    show_history(true);
}

void MainWindow::show_fleet() {
    if (!fleet_)
        fleet_ = new FleetWindow(ctx_, {}, this);
    else if (!fleet_->running())
        fleet_->start();
    show_in_front(fleet_, this); // Escape closes it (asking while it writes)
}

void MainWindow::show_history(bool compare) {
    if (!history_)
        history_ = new HistoryWindow(ctx_, this);
    else
        history_->refill();
    QWidget *w = history_;
    if (compare) {
        history_->compare_window()->refill(ctx_.current_profile(), {});
        w = history_->compare_window();
    }
    show_in_front(w, this);
}

QAction *MainWindow::menu_action(const QString &name) const {
    for (QAction *a : menuBar()->actions()) {
        if (a->objectName() == name)
            return a;
        if (a->menu())
            for (QAction *inner : a->menu()->actions())
                if (inner->objectName() == name)
                    return inner;
    }
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
    show_in_front(w, this);
}

BaseScreen *MainWindow::screen(const QString &name) {
    if (BaseScreen *s = screens_.value(name))
        return s;
    BaseScreen *s = create_screen(name, ctx_, nullptr);
    if (!s)
        return nullptr;
    s->offer_find_converter = [this] { offer_find_converter(); };
    pack_left(s);
    // A screen larger than the area scrolls inside its frame.
    auto *scroll = new QScrollArea;
    scroll->setObjectName(name + QStringLiteral("_scroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(s);
    scroll->setWindowTitle(s->windowTitle());
    QMdiSubWindow *frame = mdi_->addSubWindow(scroll);
    frame->setObjectName(name + QStringLiteral("_frame"));
    frame->setWindowTitle(s->windowTitle());
    frame->hide();
    // Closing a screen only hides it; it stays for the whole run.
    frame->setAttribute(Qt::WA_DeleteOnClose, false);
    frames_.insert(name, frame);
    screens_.insert(name, s);
    return s;
}

PgmFormWindow *MainWindow::pgmform() {
    return static_cast<PgmFormWindow *>(screen(QStringLiteral("pgmform")));
}

bool MainWindow::find_converter() {
    if (!ctx_.release_links())
        return false;
    open_screen(panel_->row_of(QStringLiteral("Label3")));
    auto *comm = static_cast<CommFormScreen *>(screen(QStringLiteral("commform")));
    if (!comm || !comm->find_panel())
        return false;
    comm->find_panel()->find_button()->setFocus();
    return comm->find_panel()->start();
}

bool MainWindow::offer_find_converter() {
    const PortSpec port = port_spec(ctx_.link);
    if (port.error.isEmpty() || !ctx_.questions)
        return false;
    if (!ctx_.questions->offer(
            message_title(), tr("The converter cannot be reached: %1.\n\nFind Converter tries every port and speed and "
                                "only reads; it writes nothing to the converter.\n\nFind the converter now?")
                                 .arg(port.error)))
        return false;
    return find_converter();
}

void MainWindow::place(QMdiSubWindow *frame) {
    // Screens fill the area right of the panel. A minimised screen comes
    // back first; a maximised one already fills it.
    if (frame->isMinimized())
        frame->showNormal();
    if (!frame->isMaximized())
        frame->setGeometry(QRect(QPoint(0, 0), mdi_->viewport()->size()));
}

void MainWindow::bring_up(QMdiSubWindow *frame) {
    frame->show();
    place(frame);
    frame->raise();
    mdi_->setActiveSubWindow(frame);
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event) {
    switch (event->type()) {
    case QEvent::KeyRelease:
    case QEvent::MouseButtonRelease:
    case QEvent::Wheel:
        if (!check_queued_ && !shut_down_) {
            check_queued_ = true;
            QTimer::singleShot(0, this, [this] {
                check_queued_ = false;
                set_main_caption();
            });
        }
        break;
    default:
        break;
    }
    // When the area changes size, the screens that fill it follow.
    if (watched == mdi_->viewport() && event->type() == QEvent::Resize)
        for (QMdiSubWindow *f : std::as_const(frames_))
            if (!f->isMinimized() && !f->isMaximized())
                f->setGeometry(QRect(QPoint(0, 0), mdi_->viewport()->size()));
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::start_up_windows() {
    for (const QString &name : startup_screens())
        screen(name);
    set_main_caption();
    refresh_screens();
    panel_->all_white();
    panel_->mark(panel_->row_of(QStringLiteral("Label3")));
    // The window first, so that the communications screen is placed in the
    // area at its real size.
    show();
    if (BaseScreen *comm = screen(QStringLiteral("commform"))) {
        bring_up(frames_.value(QStringLiteral("commform")));
        comm->set_from_link();
    }
    // The keyboard starts in the panel, on the screen shown.
    panel_->label(panel_->row_of(QStringLiteral("Label3")))->setFocus(Qt::OtherFocusReason);
}

void MainWindow::set_main_caption() {
    caption_ = ctx_.main_caption() + (record_changed() ? QStringLiteral(" *") : QString());
    if (windowTitle() != caption_)
        setWindowTitle(caption_);
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
    const bool from_keys = panel_->label(row)->hasFocus();
    bring_up(frames_.value(QString::fromLatin1(r.screen)));
    s->update();
    s->after_show();
    // Opened from the keyboard: the keys go on into the screen.
    if (from_keys)
        for (QWidget *w = s->nextInFocusChain(); w && w != s; w = w->nextInFocusChain())
            if (s->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled()) {
                w->setFocus(Qt::TabFocusReason);
                break;
            }
}

void MainWindow::program_k52() {
    PgmFormWindow *p = pgmform();
    if (!p || p->running())
        return; // a second "Program K52" during a run changes nothing
    if (!ctx_.release_links())
        return;
    panel_->all_white();
    panel_->mark(panel_->row_of(QStringLiteral("Label9")));
    bring_up(frames_.value(QStringLiteral("pgmform")));
    p->start_run([this](const RunResult &r) {
        if (BaseScreen *serial = screens_.value(QStringLiteral("serial")))
            serial->set_parms(); // shows the terminators the run stored back
        if (r.outcome == RunOutcome::ErrorDownloading)
            offer_find_converter();
        show_status(tr("Program K52: %1").arg(shown_progress_line(r.message)));
    });
}

QPoint MainWindow::dialog_position() const {
    const int d = twips_to_px(1500, this);
    return frameGeometry().topLeft() + QPoint(d, d);
}

void MainWindow::open_profile_chooser(const QString &caption) {
    ProfilePopDialog dlg(ctx_, caption, this);
    set_program_icon(&dlg);
    dlg.move(dialog_position());
    keep_on_screen(&dlg);
    dlg.exec();
}

void MainWindow::open_save_profile() {
    SaveProfileDialog dlg(ctx_, this);
    set_program_icon(&dlg);
    dlg.move(dialog_position());
    keep_on_screen(&dlg);
    if (dlg.exec() == QDialog::Accepted && !dlg.saved_as().isEmpty()) {
        // The saved profile is the one named from now on.
        set_main_caption();
        show_status(tr("Saved profile %1").arg(dlg.saved_as()));
    }
}

void MainWindow::open_legacy_import() {
    const QString file =
        remember_file(QFileDialog::getOpenFileName(this, tr("Import from an older database"), file_dialog_start(),
                                                   tr("Access databases (*.mdb *.accdb);;All files (*)")));
    if (!file.isEmpty())
        open_legacy_import_file(file);
}

void MainWindow::open_legacy_import_file(const QString &file) {
    LegacyImportDialog dlg(ctx_.store, file, ctx_.questions, this);
    if (!dlg.ready()) {
        ctx_.tell(dlg.error() + tr("\nNothing was changed."));
        return;
    }
    // Where the other profile dialogs go, kept on the screen.
    QPoint at = dialog_position();
    if (const QScreen *s = QWidget::screen()) {
        const QRect room = s->availableGeometry();
        at.setX(qBound(room.left(), at.x(), qMax(room.left(), room.right() - dlg.width())));
        at.setY(qBound(room.top(), at.y(), qMax(room.top(), room.bottom() - dlg.height() - 40)));
    }
    dlg.move(at);
    dlg.exec();
}

void MainWindow::closeEvent(QCloseEvent *e) {
    if (!shut_down_) {
        if (!ctx_.may_stop(ctx_.links.at_stake()) || !settle_changes()) {
            e->ignore();
            return;
        }
        shut_down_ = true;
        // Nothing asks or tells any more: the endings of the jobs stopped
        // now pass silently.
        Questions *questions = std::exchange(ctx_.questions, nullptr);
        ctx_.close_all_links();
        QString error;
        if (!shut_down(ctx_.store, ctx_.link, &error) && questions)
            questions->warn(message_title(), tr("The link settings were not saved: %1").arg(error));
        emit closed_for_good();
    }
    e->accept();
}

int run_window(int &argc, char **argv, QString (*prepare)(), const QString &db_override) {
    QApplication app(argc, argv);
    const QString program_dir = prepare();
    // Ties the window to its menu entry (Wayland takes its icon from there).
    QApplication::setDesktopFileName(QStringLiteral("org.zor.k52util"));
    AppContext ctx;
    MessageBoxQuestions questions;
    ctx.questions = &questions;
    ctx.program_dir = program_dir;
    StartupOptions opt;
    opt.program_dir = program_dir;
    opt.db_override = db_override;
    StartupResult r = ctx.start_up(opt);
    if (!r.ok && r.unusable) {
        // The one cure for a file that is no profile database: put it aside
        // (nothing is deleted) and start on a fresh one.
        if (!ctx.ask(
                MainWindow::tr("The program cannot start: %1\n\nMove %2 aside now and start with a fresh database?")
                    .arg(r.error, r.db_path)))
            return 1;
        QString moved_to, why;
        if (!move_database_aside(r.db_path, &moved_to, &why)) {
            ctx.warn(MainWindow::tr("The program cannot start: %1").arg(why));
            return 1;
        }
        r = ctx.start_up(opt);
        if (r.ok)
            r.warning = MainWindow::tr("The unusable database was kept as %1.").arg(moved_to) +
                        (r.warning.isEmpty() ? QString() : QStringLiteral("\n") + r.warning);
    }
    if (!r.ok) {
        ctx.warn(MainWindow::tr("The program cannot start: %1").arg(r.error));
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
        if (!r.warning.isEmpty())
            ctx.warn(r.warning);
        if (!r.legacy_db.isEmpty() &&
            ctx.ask(MainWindow::tr("An Access database of the older program is at %1.\n\nImport its "
                                   "profiles now? (The file itself stays as it is.)")
                        .arg(r.legacy_db)))
            w.open_legacy_import_file(r.legacy_db);
        rc = QApplication::exec();
        questions.set_owner(nullptr);
    }
    return rc;
}

const QVector<MenuEntry> &menu_entries() {
    static const QVector<MenuEntry> entries = {
        {"md", QT_TRANSLATE_NOOP("k52::MainWindow", "Load Profile  "), &MainWindow::load_profile},
        {"dm", QT_TRANSLATE_NOOP("k52::MainWindow", "  Save Profile"), &MainWindow::open_save_profile},
        {"dpf", QT_TRANSLATE_NOOP("k52::MainWindow", "    Delete Profile"), &MainWindow::delete_profile},
        {"imp", QT_TRANSLATE_NOOP("k52::MainWindow", "Import from an older database..."),
         &MainWindow::open_legacy_import},
        {"wir", QT_TRANSLATE_NOOP("k52::MainWindow", "     Wiring"), nullptr, "wiring"},
        {"bittable", QT_TRANSLATE_NOOP("k52::MainWindow", "      Bit Size Table    "), nullptr, "bitsize"},
        {"hp", QT_TRANSLATE_NOOP("k52::MainWindow", "         Help             "), nullptr, "help"},
        {"ab", QT_TRANSLATE_NOOP("k52::MainWindow", "      About          "), nullptr, "about", true},
        {"revs", QT_TRANSLATE_NOOP("k52::MainWindow", "Revisions"), nullptr, "Revisions", true},
        {"history", QT_TRANSLATE_NOOP("k52::MainWindow", "History..."), &MainWindow::show_history},
        {"compare", QT_TRANSLATE_NOOP("k52::MainWindow", "Compare Profiles..."), &MainWindow::show_comparison},
        {"fleet", QT_TRANSLATE_NOOP("k52::MainWindow", "Program Every Converter..."), &MainWindow::show_fleet},
    };
    return entries;
}

} // namespace k52
