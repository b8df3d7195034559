#pragma once
// What differs between Windows and the other systems, behind one set of
// functions: platform_posix.cpp or platform_win.cpp is built (the CMake
// lists choose). The serial port's side is in core/link/port_platform.h.

#include <QString>

#include <ctime>

namespace k52 {

// The folder of the database, the clone file and the Access file of the
// older program: "c:/zor" on Windows; elsewhere folder zor of the user's
// data folder. Forward slashes.
QString platform_data_dir();

// `secs` as local time (thread-safe).
std::tm platform_local_time(std::time_t secs);

// The folder of the running program, known before any application object
// exists (`argv0` is the fallback).
QString platform_program_dir(const char *argv0);

// A standard stream the caller closed must not be reused as the number of
// a file or port this program opens (its output would land there): it is
// filled with the null device opened for reading, so writes to it still
// fail and are reported. (Nothing to do on Windows.)
void platform_hold_closed_standard_streams();

// True when standard output is a terminal (a console window on Windows).
bool platform_stdout_is_terminal();

// Runs `program` in place of this program with this program's arguments
// (`argv` as main() got them) and standard streams. POSIX: replaces this
// process, so it returns only when that failed. Windows: starts it, waits
// for it and gives its exit status in `status`. False, with the reason in
// `error`, when it could not be started.
bool platform_run_instead(const QString &program, char **argv, int *status, QString *error);

} // namespace k52
