#pragma once
// Top-level windows on the user's screen: where they may go and how they are
// kept wholly visible.

#include <QRect>
#include <QSize>
#include <QString>

class QWidget;

namespace k52 {

// The part of the screen that windows may use (without task bars), for the
// screen the widget is on, else the primary screen.
QRect available_area(const QWidget *w);
// What the window manager adds around a top-level window: its real frame
// once shown, an allowance for a title bar and borders before.
QSize frame_allowance(const QWidget *w);
// Give `window` a layout that shows `content` in a scroll area, and size the
// window to show all of it; keep_on_screen() may then make it smaller, and
// the content scrolls.
void show_scrolled(QWidget *window, QWidget *content);
// Shrink a top-level window that is larger than the available area and move
// it so that its frame lies wholly inside that area.
void keep_on_screen(QWidget *w);
// Resizes a top-level window to `wanted`, no larger than the screen's
// free area (at a large scale factor the wanted size may not fit).
void resize_within_screen(QWidget *w, QSize wanted);
// A window of the program opened over `owner`: centred on it, then kept on
// the screen; Escape closes it; it carries the program's icon.
void place_over(QWidget *w, const QWidget *owner);
// Where a file dialog starts: the folder of the file chosen last in any of
// the program's file dialogs, else the home folder; `name` joined to it.
QString file_dialog_start(const QString &name = {});
// The file a dialog returned (empty: cancelled), remembered for the next.
QString remember_file(const QString &path);
// The program's icon (the main window and every top-level window show it).
void set_program_icon(QWidget *w);

} // namespace k52
