// `k52util profiles list|show|export|import|delete`.
#include "cli/cli.h"
#include "cli/cli_commands.h"
#include "core/profile/columns.h"
#include "core/profile/profile_json.h"
#include "core/profile/profile_names.h"
#include "core/profile/safe_file.h"
#include "core/profile/setting_places.h"
#include "legacy_import_cli.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace k52 {

namespace {

const QString kDefault = QStringLiteral("Default");

int fail(CliContext &ctx, const QString &why) {
    ctx.err << why << Qt::endl;
    return 1;
}

QString stored_text(const QVariant &v) {
    return v.isNull() ? QString() : v.toString();
}

// `profiles diff A B`, as diff(1) answers: 0 the same, 1 different, 2 trouble.
int diff_profiles(CliContext &ctx, const QString &a, const QString &b) {
    QVector<QVariant> rows[2];
    QString names[2];
    for (int i = 0; i < 2; ++i) {
        QString why;
        const QString &name = i == 0 ? a : b;
        const auto found = ctx.store().find_profile(name, &why);
        const auto row = found ? ctx.store().stored_row(*found, &why) : std::nullopt;
        if (!row) {
            fail(ctx, why.isEmpty()
                          ? QCoreApplication::translate("profiles", "There is no profile named \"%1\"").arg(name)
                          : why);
            return 2;
        }
        rows[i] = *row;
        names[i] = *found;
    }
    const QVector<SettingDifference> diffs = diff_settings(rows[0], rows[1]);
    if (diffs.isEmpty())
        return 0;
    ctx.out << "--- " << names[0] << "\n+++ " << names[1] << '\n';
    for (const ScreenDifferences &group : by_screen(diffs)) {
        ctx.out << group.screen << '\n';
        for (const SettingDifference &d : group.settings)
            ctx.out << "  " << d.place->caption << " [" << place_name(*d.place) << "]\n    - " << d.a << "\n    + "
                    << d.b << '\n';
    }
    ctx.out.flush();
    return 1;
}

// The options of `profiles`, shared by its actions.
struct ProfileOptions {
    QCommandLineOption as{QStringList{QStringLiteral("as")},
                          QCoreApplication::translate(
                              "profiles", "Import under this name (blanks around it trimmed; at most %1 characters, no "
                                          "control characters).")
                              .arg(kMaxProfileNameLength),
                          QStringLiteral("NAME")};
    QCommandLineOption force{QStringList{QStringLiteral("force")},
                             QCoreApplication::translate("profiles", "Replace a profile of the same name.")};
    QCommandLineOption only{
        QStringList{QStringLiteral("only")},
        QCoreApplication::translate("profiles", "import-legacy: take only this profile (repeatable)."),
        QStringLiteral("NAME")};
    QCommandLineOption settings{QStringList{QStringLiteral("settings")},
                                QCoreApplication::translate("profiles", "import-legacy: also take the link settings.")};
    QCommandLineOption partial{
        QStringList{QStringLiteral("partial")},
        QCoreApplication::translate("profiles", "import-legacy: import what could be read of a damaged profile table "
                                                "and say how many rows were lost.")};
};

using Action = int (*)(CliContext &ctx, const QStringList &pos, const QCommandLineParser &p, const ProfileOptions &o);

int list_profiles(CliContext &ctx, const QStringList &, const QCommandLineParser &, const ProfileOptions &) {
    if (!ctx.open_existing_store())
        return 1;
    QString why;
    const QStringList names = ctx.store().list_profiles(&why);
    if (!why.isEmpty())
        return fail(ctx, why);
    for (const QString &n : names)
        ctx.out << n << '\n';
    return 0;
}

// `show` and `export`.
int show_profile(CliContext &ctx, const QStringList &pos, const QCommandLineParser &, const ProfileOptions &) {
    // `show` only reads; an export is the way to a first database.
    if (!(pos[0] == QLatin1String("show") ? ctx.open_existing_store() : ctx.open_store()))
        return 1;
    QString why;
    const auto found = ctx.store().find_profile(pos[1], &why);
    if (!found)
        return fail(ctx, why.isEmpty()
                             ? QCoreApplication::translate("profiles", "There is no profile named \"%1\"").arg(pos[1])
                             : why);
    const auto row = ctx.store().stored_row(*found, &why);
    if (!row)
        return fail(ctx, why);
    if (pos[0] == QLatin1String("show")) {
        const auto cols = columns();
        for (std::size_t i = 0; i < cols.size(); ++i)
            ctx.out << cols[i].name << '=' << stored_text((*row)[int(i)]) << '\n';
        return 0;
    }
    const QByteArray json = profile_to_json(*found, *row);
    if (pos.size() < 3) {
        ctx.out << QString::fromUtf8(json);
        return 0;
    }
    if (!write_file_safely(pos[2], json, &why))
        return fail(ctx, why);
    return 0;
}

int import_profile(CliContext &ctx, const QStringList &pos, const QCommandLineParser &p, const ProfileOptions &o) {
    QByteArray data;
    QString why;
    if (!read_regular_file(pos[1], kMaxProfileFileBytes, data, &why))
        return fail(ctx, why);
    auto imported = profile_from_json(data, &why);
    if (!imported)
        return fail(ctx, QStringLiteral("%1: %2").arg(pos[1], why));
    QString name = imported->name;
    if (p.isSet(o.as)) {
        const std::optional<QString> as = valid_profile_name(p.value(o.as), &why);
        if (!as)
            return fail(ctx, QStringLiteral("--as: %1").arg(why));
        name = *as;
    }
    if (!ctx.open_store())
        return 1;
    const auto existing = ctx.store().find_profile(name, &why);
    if (!why.isEmpty())
        return fail(ctx, why);
    if (existing && !p.isSet(o.force))
        return fail(ctx, QCoreApplication::translate("profiles",
                                                     "A profile named \"%1\" exists already; use --force to replace it")
                             .arg(*existing));
    if (!ctx.store().write_row(existing ? *existing : name, imported->stored, existing.has_value(), &why))
        return fail(ctx, why);
    ctx.out << QCoreApplication::translate("profiles", "Imported ") << (existing ? *existing : name) << '\n';
    return 0;
}

int import_legacy(CliContext &ctx, const QStringList &pos, const QCommandLineParser &p, const ProfileOptions &o) {
    return run_import_legacy(ctx, pos[1], p.values(o.only), p.isSet(o.force), p.isSet(o.settings), p.isSet(o.partial));
}

int delete_profile(CliContext &ctx, const QStringList &pos, const QCommandLineParser &, const ProfileOptions &) {
    if (pos[1].compare(kDefault, Qt::CaseInsensitive) == 0)
        return fail(ctx, QCoreApplication::translate("profiles", "You cannot delete the Default Profile"));
    if (!ctx.open_store())
        return 1;
    QString why;
    if (!ctx.store().delete_profile(pos[1], &why))
        return fail(ctx, why);
    return 0;
}

int diff_action(CliContext &ctx, const QStringList &pos, const QCommandLineParser &, const ProfileOptions &) {
    if (!ctx.open_existing_store())
        return 2;
    return diff_profiles(ctx, pos[1], pos[2]);
}

struct ProfileAction {
    const char *name;
    int min_args, max_args; // after the action
    Action run;
};

const ProfileAction kActions[] = {
    {"list", 0, 0, list_profiles},    {"show", 1, 1, show_profile},           {"export", 1, 2, show_profile},
    {"import", 1, 1, import_profile}, {"import-legacy", 1, 1, import_legacy}, {"delete", 1, 1, delete_profile},
    {"diff", 2, 2, diff_action},
};

} // namespace

int run_profiles(CliContext &ctx) {
    QCommandLineParser p;
    p.setApplicationDescription(QCoreApplication::translate(
        "profiles",
        "Manage the profiles of the database.\n"
        "  list                          one name a line, in name order\n"
        "  show NAME                     column=value lines, in table order\n"
        "  export NAME [FILE]            the profile as JSON (standard output without FILE)\n"
        "  import FILE [--as N] [--force] add a profile from an export file (at most 1 MiB)\n"
        "  delete NAME                   delete a profile\n"
        "  import-legacy FILE.mdb [--only NAME]... [--force] [--settings] [--partial]\n"
        "                                take the profiles of an older Access database; exit status 1\n"
        "                                when the file cannot be used or a profile was refused\n"

        "  diff A B                      the settings that differ, by screen; exit 0 same, 1 differ, 2 error"));
    p.addHelpOption();
    const ProfileOptions o;
    p.addOptions({o.as, o.force, o.only, o.settings, o.partial});
    p.addPositionalArgument(QStringLiteral("action"),
                            QCoreApplication::translate("profiles", "list, show, export, import or delete"));
    if (!p.parse(ctx.args))
        return usage_error(ctx, p.errorText());
    if (p.isSet(QStringLiteral("help"))) {
        ctx.out << command_help(ctx, p);
        return 0;
    }
    const QStringList pos = p.positionalArguments();
    if (pos.isEmpty())
        return usage_error(
            ctx, QCoreApplication::translate(
                     "profiles", "profiles: say what to do (list, show, export, import, delete); see --help"));
    for (const ProfileAction &a : kActions) {
        if (pos[0] != QLatin1String(a.name))
            continue;
        if (pos.size() - 1 < a.min_args || pos.size() - 1 > a.max_args)
            return usage_error(
                ctx, QCoreApplication::translate("profiles", "profiles %1: wrong arguments; see --help").arg(pos[0]));
        return a.run(ctx, pos, p, o);
    }
    return usage_error(
        ctx, QCoreApplication::translate("profiles", "profiles: unknown action \"%1\"; see --help").arg(pos[0]));
}

} // namespace k52
