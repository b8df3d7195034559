#pragma once
// The main window `mainK52`: menu bar, navigation panel and the screens in a
// multiple-document area.

#include "core/session/app_context.h"
#include "window/ui/base_screen.h"

#include <QMainWindow>
#include <QMap>

class QMdiArea;
class QMdiSubWindow;

namespace k52 {

class CommandMenuPanel;
class PgmFormWindow;
class HistoryWindow;
class FleetWindow;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(AppContext &ctx, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Start-up with windows: create the screens, fill them from the record,
    // set the caption, show the window with its panel, then the
    // communications screen at the size of the area.
    void start_up_windows();
    // The screen of a window name, created (hidden) when missing; null when
    // no such screen is built into the program.
    BaseScreen *screen(const QString &name);
    QMdiSubWindow *frame_of(const QString &name) const { return frames_.value(name); }
    // What a click on a panel row does.
    void panel_clicked(int row);
    // Open a screen from the panel (the steps of a screen entry).
    void open_screen(int row);
    // "Program K52".
    void program_k52();
    // The profile's caption, followed by " *" while the record differs
    // from the profile as last loaded or saved.
    void set_main_caption();
    // Whether the record differs from the current profile as stored.
    bool record_changed() const;
    // Before the record is replaced or dropped (loading another profile,
    // closing the window): with changes, asks Save / Discard / Cancel.
    // True when the action may go on.
    bool settle_changes();
    // After a job could not reach the converter because no port or speed
    // is set: offers Find Converter (Yes by default: it only reads) and on
    // Yes starts it on the communications screen. True when it started.
    bool offer_find_converter();
    // Find Converter (Ctrl+F): the communications screen, its search started.
    bool find_converter();
    // The status line: what the last action did.
    void show_status(const QString &text);
    // Refill every screen from the record (after a profile load).
    void refresh_screens();

    CommandMenuPanel *commandmenu() const { return panel_; }
    QMdiArea *mdi() const { return mdi_; }
    QAction *menu_action(const QString &name) const;
    PgmFormWindow *pgmform();

    // Menu actions.
    // "Record a wire trace…": on asks for the file and traces every later
    // device job into it; off ends it. `file` given: no file chooser.
    void set_wire_trace(bool on, const QString &file = {});
    void open_profile_chooser(const QString &caption);
    void load_profile();
    void open_save_profile();
    void delete_profile();
    // The record of converter writes, and the profile comparison.
    void show_history();
    void show_comparison();
    // "Program Every Converter...": the fleet window.
    void show_fleet();
    // "Import from an older database...": a file dialog, then the list of
    // the file's profiles.
    void open_legacy_import();
    void open_legacy_import_file(const QString &file);
    // Where a dialog of the main window goes: 1500 twips right of and below
    // its top-left corner.
    QPoint dialog_position() const;

signals:
    // Closing was confirmed: shutdown has run (or is running) and the
    // program is to end.
    void closed_for_good();

protected:
    // Asks first while a guarded job is under way; on No the window stays.
    void closeEvent(QCloseEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void build_menu();
    void show_reference(const QString &name, bool modal);
    void place(QMdiSubWindow *frame);
    // Show a screen's frame at the size of the area, in front.
    void bring_up(QMdiSubWindow *frame);

    AppContext &ctx_;
    HistoryWindow *history_ = nullptr;
    FleetWindow *fleet_ = nullptr;
    void show_history(bool compare);
    QMdiArea *mdi_ = nullptr;
    CommandMenuPanel *panel_ = nullptr;
    QMap<QString, QMdiSubWindow *> frames_;
    QMap<QString, BaseScreen *> screens_;
    QMap<QString, BaseScreen *> reference_;
    QString caption_;
    bool shut_down_ = false;
    bool check_queued_ = false; // a look at the changed state is pending
};

struct MenuEntry {
    const char *name;             // "md"
    const char *caption;          // exact, blanks included
    void (MainWindow::*run)();    // what the entry does, or
    const char *window = nullptr; // the reference window it shows
    bool modal = false;
};

// Menu bar entries, left to right.
const QVector<MenuEntry> &menu_entries();

} // namespace k52
