#pragma once
// The window's code (every widget, and the drawing of reports) lives in a
// library of its own, loaded only when the window opens or a command draws,
// so that the headless commands start without the GUI libraries.

#include <QString>
#include <QStringList>

namespace k52 {

// The folders searched for the library, in order: beside the program (the
// build tree) and the program's private library folder (installed).
QStringList window_library_dirs(const QString &program_dir);

// An entry point of the library `int entry(int argc, char **argv)`, or null
// with the reason (naming where it looked) in `error`.
using WindowEntry = int (*)(int argc, char **argv);
WindowEntry window_entry(const QString &program_dir, const char *name, QString *error);

} // namespace k52
