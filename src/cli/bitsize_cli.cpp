// `k52util bitsize`: the bit size table on standard output.
#include "cli/cli.h"
#include "cli/cli_commands.h"
#include "reference/bit_size_table.h"

#include <QCommandLineParser>

namespace k52 {

int run_bitsize(CliContext &ctx) {
    QCommandLineParser p;
    p.setApplicationDescription(
        QStringLiteral("Print the largest value that a field of 1 to 64 bits can hold (the Bit Size Table)."));
    p.addHelpOption();
    if (!p.parse(ctx.args)) {
        ctx.err << p.errorText() << Qt::endl;
        return 1;
    }
    if (p.isSet(QStringLiteral("help"))) {
        ctx.out << command_help(ctx, p);
        return 0;
    }
    if (!p.positionalArguments().isEmpty()) {
        ctx.err << "bitsize: takes no arguments; see --help" << Qt::endl;
        return 1;
    }
    ctx.out << bit_size_table_text();
    return 0;
}

} // namespace k52
