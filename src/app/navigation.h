#pragma once
// The rows of the navigation panel and the menu bar, as data.

#include <QString>
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
    const char *screen;   // window name for Screen and Terminal rows
    bool set_parms_first; // the screen is filled from the record before it is shown
};

// Panel rows, top to bottom.
const QVector<NavRow> &nav_rows();

struct MenuEntry {
    const char *name;    // "md"
    const char *caption; // exact, blanks included
};

// Menu bar entries, left to right.
const QVector<MenuEntry> &menu_entries();

// Screens created at start-up, in creation order.
const QStringList &startup_screens();
// Screens refilled after a profile is loaded, in order.
const QStringList &refill_order();

} // namespace k52
