// `k52util history [list|show|export|report]`: the record of the actions
// that wrote to a converter or read its image.
#include "cli/cli.h"
#include "cli/cli_commands.h"
#include "cli/link_options.h"
#include "core/profile/history_store.h"
#include "core/profile/safe_file.h"

#include <QCoreApplication>

namespace k52 {

namespace {

int fail(CliContext &ctx, const QString &why) {
    ctx.err << why << Qt::endl;
    return 1;
}

bool parse_id(const QString &text, qint64 &id) {
    bool ok = false;
    id = text.toLongLong(&ok);
    return ok && id > 0;
}

bool parse_date(CliContext &ctx, const QCommandLineParser &p, const QString &option, QDate &out) {
    if (!p.isSet(option))
        return true;
    out = QDate::fromString(p.value(option), Qt::ISODate);
    if (!out.isValid())
        ctx.err << "history: --" << option
                << QCoreApplication::translate("history", " takes a date as YYYY-MM-DD, e.g. 2026-12-07") << Qt::endl;
    return out.isValid();
}

bool write_file(CliContext &ctx, const QString &path, const QByteArray &data) {
    QString why;
    if (!write_file_safely(path, data, &why)) {
        ctx.err << why << Qt::endl;
        return false;
    }
    return true;
}

} // namespace

int run_history(CliContext &ctx) {
    QCommandLineParser p;
    const QCommandLineOption profile_opt(QStringLiteral("profile"),
                                         QCoreApplication::translate("history", "Only rows of this profile."),
                                         QStringLiteral("name"));
    const QCommandLineOption from_opt(QStringLiteral("from"),
                                      QCoreApplication::translate("history", "Only rows from this day on."),
                                      QStringLiteral("YYYY-MM-DD"));
    const QCommandLineOption to_opt(QStringLiteral("to"),
                                    QCoreApplication::translate("history", "Only rows up to this day."),
                                    QStringLiteral("YYYY-MM-DD"));
    const QCommandLineOption trace_opt(
        QStringLiteral("trace"),
        QCoreApplication::translate("history", "show: print the row's wire trace (kept when an action did not "
                                               "end well) instead of the row."));
    p.addOptions({profile_opt, from_opt, to_opt, trace_opt});
    p.addPositionalArgument(QStringLiteral("action"),
                            QCoreApplication::translate("history", "list (default), show, export or report"),
                            QCoreApplication::translate("history", "[action] [N] [FILE]"));
    // "-1" is no option but a row that cannot exist.
    for (const QString &a : ctx.args)
        if (a.size() > 1 && a.startsWith(QLatin1Char('-')) && a.mid(1).toLongLong() != 0)
            return fail(
                ctx, QCoreApplication::translate("history", "There is no history row %1; `k52util history` lists them")
                         .arg(a));
    if (int rc = parse_arguments(
            ctx, p,
            QCoreApplication::translate(
                "history", "The record of every programming run, clone read and write, firmware download, reset, "
                           "restart and restore.\n"
                           "  list [--profile NAME] [--from DAY] [--to DAY]  rows, newest first\n"
                           "  show N [--trace]        row N with its progress lines (or its wire trace)\n"
                           "  export N FILE           row N as JSON\n"
                           "  report N FILE.pdf       the commissioning report of row N"),
            3);
        rc >= 0)
        return rc;
    const QStringList pos = p.positionalArguments();
    const QString action = pos.value(0, QStringLiteral("list"));
    if (!ctx.open_existing_store())
        return 1;
    HistoryStore history(ctx.store());
    QString why;

    if (action == QLatin1String("list")) {
        if (pos.size() > 1)
            return usage_error(ctx, QCoreApplication::translate(
                                        "history", "history list: takes no arguments beyond its options; see --help"));
        HistoryFilter f;
        f.profile = p.value(profile_opt);
        if (!parse_date(ctx, p, QStringLiteral("from"), f.from) || !parse_date(ctx, p, QStringLiteral("to"), f.to))
            return kExitUsage;
        const bool ok = history.visit_lines(
            f, [&](const QString &line) { ctx.out << line << '\n'; }, &why);
        ctx.out.flush();
        return ok ? 0 : fail(ctx, why);
    }

    qint64 id = 0;
    const bool wants_file = action == QLatin1String("export") || action == QLatin1String("report");
    if (action != QLatin1String("show") && !wants_file)
        return usage_error(
            ctx, QCoreApplication::translate("history", "history: unknown action \"%1\"; see --help").arg(action));
    if (pos.size() != (wants_file ? 3 : 2) || !parse_id(pos[1], id))
        return usage_error(
            ctx, QCoreApplication::translate("history",
                                             "history %1: give the row number%2 (the first column of `history list`)")
                     .arg(action, wants_file ? QCoreApplication::translate("history", " and the file") : QString()));
    const auto e = history.entry(id, &why);
    if (!e)
        return fail(ctx, why);
    if (action == QLatin1String("show") && p.isSet(trace_opt)) {
        if (e->trace.isEmpty())
            return fail(ctx, QCoreApplication::translate(
                                 "history", "history row %1 keeps no wire trace: traces are kept only when an "
                                            "action failed, was refused or was stopped")
                                 .arg(id));
        ctx.out << QString::fromUtf8(e->trace);
        return 0;
    }
    if (action == QLatin1String("show")) {
        ctx.out << history_show_text(*e);
        return 0;
    }
    if (action == QLatin1String("export"))
        return write_file(ctx, pos[2], history_to_json(*e)) ? 0 : 1;
    if (!ctx.services.write_history_report)
        return fail(ctx, QCoreApplication::translate("history", "history report: the report writer is not loaded"));
    if (!ctx.services.write_history_report(*e, pos[2], &why))
        return fail(ctx, why);
    return 0;
}

} // namespace k52
