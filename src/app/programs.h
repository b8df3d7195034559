#pragma once
// The two programs of an installation and how each finds the other:
// k52util, the console program (Qt Core only), and the window program,
// which links the widgets and the drawing of reports. They lie side by side
// in the build tree and on Windows; installed on other systems the window
// program lies in the private folder libexec/k52util.

#include <QString>
#include <QStringList>

#include <optional>

namespace k52 {

// What the programs' main() works from: the arguments without the program
// name, the command (what is left without --db FILE; none for the main
// window) and the --db file.
struct ProgramArguments {
    QStringList all;
    QStringList command;
    QString db;
};

// The start of either program: a closed standard stream is held closed,
// the reader of an Access file (the child the import starts) runs when
// `argv` asks for it, and its exit status is returned; else nothing, with
// `args` filled.
std::optional<int> start_program(int argc, char **argv, ProgramArguments &args);

// Runs the window program in place of the console program with the same
// arguments. Returns its exit status where it runs as a child (Windows);
// else returns only when it is missing or cannot be started, after saying
// so on standard error, with kExitFailed.
int run_window_program(int argc, char **argv);

// For the window program, once its application object exists: names the
// application, sends the import's reader child to the console program, and
// loads the catalogue. Returns the console program's folder, where the
// installation's other files are found from.
QString start_window_program();

} // namespace k52
