#pragma once
// The options that headless subcommands talking to a converter share:
// --port, --baud and --parity over the stored link settings, and the
// parsing of a subcommand's arguments.

#include "app/cli.h"
#include "profile/link_settings.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>

namespace k52 {

QCommandLineOption port_option();
QCommandLineOption baud_option();
QCommandLineOption parity_option();
// The three above.
QList<QCommandLineOption> link_options();

// Parses the subcommand's arguments with `about` as its description and
// --help added. Returns -1 when the command goes on, else the exit code
// (0 after printing the help, 1 after printing an error).
int parse_arguments(CliContext &ctx, QCommandLineParser &p, const QString &about, int max_positional);

// The stored link settings with --port, --baud and --parity applied (not
// stored). False, with the reason printed on ctx.err, for a bad value.
bool apply_link_options(CliContext &ctx, const QCommandLineParser &p, LinkSettings &out);

} // namespace k52
