#pragma once
// The Access reader library is not safe against hostile files (it can
// crash, loop or take all memory), so the windows and the command line
// read an Access file in a child process: the program itself, started with
// a hidden command, under a time and a memory limit, with no database
// open. The rows come back over a pipe; a crash, a limit or an answer that
// cannot be read becomes one message naming the file.

#include "legacy_import.h"
#include "process_limits.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace k52 {

// The hidden command: `k52util --read-access-file FILE` writes the tables
// of FILE to standard output in the form below.
inline constexpr const char *kLegacyReaderCommand = "--read-access-file";

// The child's side: reads `path` and writes the answer to standard output.
// Exit status 0 (the tables) or 3 (the reader's refusal, as a message).
int run_legacy_reader_child(const QString &path);

// The program started as the child; this program itself unless set (tests
// run the built k52util).
void set_legacy_reader_program(const QString &program);

// read_legacy_database() in the child process. A refusal of the reader
// (not an Access file, no table "profiles", ...) comes back as it is; a
// crash, a limit or garbage says "FILE is damaged or not a readable Access
// database; nothing was imported" with what the child said on its standard
// error. The child's wall-clock time is bounded too: its processor time
// limit and 10 s.
std::optional<LegacyDatabase> read_legacy_database_isolated(const QString &path, QString *error,
                                                            const ProcessLimits &limits = {});

// Pure: the answer on the pipe, and back: the database, or the reader's
// refusal without one. decode fails (false) on anything that is not a
// complete answer.
QByteArray encode_legacy_answer(const std::optional<LegacyDatabase> &db, const QString &refusal);
bool decode_legacy_answer(const QByteArray &bytes, std::optional<LegacyDatabase> &db, QString &refusal);

} // namespace k52
