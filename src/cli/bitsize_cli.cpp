// `k52util bitsize`: the bit size table on standard output.
#include "cli/cli.h"
#include "cli/cli_commands.h"
#include "core/reference/bit_size_table.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace k52 {

int run_bitsize(CliContext &ctx) {
    QCommandLineParser p;
    if (int rc = parse_arguments(
            ctx, p,
            QCoreApplication::translate(
                "bitsize", "Print the largest value that a field of 1 to 64 bits can hold (the Bit Size Table)."),
            0);
        rc >= 0)
        return rc;
    ctx.out << bit_size_table_text();
    return 0;
}

} // namespace k52
