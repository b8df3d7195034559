#pragma once

#include <QString>

namespace k52 {

// Runs the windowed program (start-up, main window, event loop, shutdown).
// Provided by the main window; returns the exit code.
int run_window(const QString &program_dir, const QString &db_override);

} // namespace k52
