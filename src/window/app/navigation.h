#pragma once
// Every screen of the program and every entry of the panel, wired by one
// table each (the menu bar's table is the main window's: main_window.h).
// Start-up, the refill after a profile load and the panel are all derived
// from them.

#include "window/ui/base_screen.h"

#include <QString>
#include <QStringList>
#include <QVector>

namespace k52 {

struct NavRow {
    enum Kind {
        Heading, // inert
        Screen,  // opens a screen
        Terminal,
        Program, // starts the programming run
    };
    const char *label;   // control name ("Label3")
    const char *caption; // exact text
    Kind kind;
    const char *screen;   // window name for Screen, Terminal and Program rows
    bool set_parms_first; // the screen is filled from the record before it is shown
};

// One screen (or panel heading) of the program. Rows with a panel label
// appear in the panel in the order of the table; a heading makes no screen.
struct ScreenRow {
    const char *name; // window name ("sermask"); null for a heading
    BaseScreen *(*make)(AppContext &, QWidget *parent);
    NavRow::Kind kind;
    const char *label;   // panel control name; null when not in the panel
    const char *caption; // panel text
    int startup;         // rank among the screens created at start-up; 0: on first use
    int refill;          // rank in the refill after a profile load; 0: not refilled
    bool set_parms_first;
};

const QVector<ScreenRow> &screen_table();

// Panel rows, top to bottom.
const QVector<NavRow> &nav_rows();
// Screens created at start-up, in creation order.
const QStringList &startup_screens();
// Screens refilled after a profile is loaded, in order.
const QStringList &refill_order();

// The screen of a window name, with that object name; null for none.
BaseScreen *create_screen(const QString &name, AppContext &ctx, QWidget *parent);
bool has_screen(const QString &name);

} // namespace k52
