#pragma once

#include <QByteArray>
#include <QString>

namespace k52::fuzz {

// Each target takes arbitrary bytes, drives one part of the program with
// them and checks what must hold whatever the bytes are. It returns an
// empty text when all held, else what broke. The libFuzzer programs abort
// on a non-empty answer; the test suite replays the committed corpus
// through the same functions.

// An export file for `profiles import`.
QString profile_json(const QByteArray &data);
// One stored value of one column, as a database row holds it.
QString column_decode(const QByteArray &data);

// Bytes a converter sends in answer to "V".
QString reply_parse(const QByteArray &data);
// A whole programming run against a converter scripted by the bytes.
QString programming_run(const QByteArray &data);
// Reading or writing a clone against a scripted converter.
QString clone_protocol(const QByteArray &data);

// A firmware download against a boot loader scripted by the bytes.
QString flash_protocol(const QByteArray &data);

// A whole Access file for `profiles import-legacy`, read in the child
// process (the program that runs the child must be set: the suite sets the
// built k52util, a fuzzer program takes it from K52_UTIL).
QString access_import(const QByteArray &data);

struct Target {
    const char *name; // folder of its corpus under fuzz/corpus/
    QString (*run)(const QByteArray &);
};

inline constexpr Target kTargets[] = {
    {"profile_json", profile_json},       {"column_decode", column_decode},   {"reply_parse", reply_parse},
    {"programming_run", programming_run}, {"clone_protocol", clone_protocol}, {"access_import", access_import},
};

} // namespace k52::fuzz
