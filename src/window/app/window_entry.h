#pragma once

#include <QString>

namespace k52 {

// Runs the windowed program: makes the application, calls `prepare` once it
// exists (which names the program, loads the catalogue and returns the
// program's folder), then start-up, main window, event loop and shutdown.
// Provided by the main window; returns the exit code.
int run_window(int &argc, char **argv, QString (*prepare)(), const QString &db_override);

} // namespace k52
