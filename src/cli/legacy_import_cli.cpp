#include "legacy_import_cli.h"

#include "cli/cli.h"
#include "core/profile/legacy_import.h"
#include "core/profile/legacy_reader.h"
#include "core/profile/profile_names.h"

#include <QCoreApplication>

namespace k52 {

int run_import_legacy(CliContext &ctx, const QString &file, const QStringList &only, bool force, bool settings,
                      bool partial) {
    auto fail = [&](const QString &why) {
        QStringList lines = why.split(QLatin1Char('\n'));
        for (QString &line : lines)
            line = printable_text(line);
        ctx.err << lines.join(QLatin1Char('\n')) << QCoreApplication::translate("profiles", "\nNothing was changed.")
                << Qt::endl;
        return 1;
    };
    if (file.isEmpty())
        return fail(QCoreApplication::translate("profiles", "profiles import-legacy: no file given"));
    QString why;
    // In a child process: a hostile file cannot crash or hang this one.
    const std::optional<LegacyDatabase> db = read_legacy_database_isolated(file, &why);
    if (!db)
        return fail(why);
    const QString lost = lost_rows_text(file, QStringLiteral("profiles"), db->profiles);
    if (!lost.isEmpty() && !partial)
        return fail(lost + QCoreApplication::translate("profiles", "; --partial imports the rows that were read"));
    LegacyProfiles found = convert_legacy_profiles(db->profiles);
    if (!found.error.isEmpty())
        return fail(QStringLiteral("%1: %2").arg(file, found.error));
    for (const QString &name : only) {
        const auto it = std::find_if(found.profiles.begin(), found.profiles.end(), [&](const LegacyProfile &p) {
            return p.name.compare(name, Qt::CaseInsensitive) == 0;
        });
        if (it == found.profiles.end())
            return fail(QCoreApplication::translate("profiles", "%1: there is no profile named \"%2\" in the file")
                            .arg(file, name));
    }
    if (!only.isEmpty())
        found.profiles.removeIf([&](const LegacyProfile &p) { return !only.contains(p.name, Qt::CaseInsensitive); });

    if (!ctx.open_store())
        return 1;
    std::optional<LinkSettings> link;
    if (settings) {
        if (!db->settings)
            return fail(QCoreApplication::translate("profiles",
                                                    "%1: there is no table \"settings\" to take the link settings from")
                            .arg(file));
        link = convert_legacy_settings(*db->settings, ctx.link(), &why);
        if (!link)
            return fail(QStringLiteral("%1: %2").arg(file, why));
    }
    const auto items = plan_legacy_import(found, ctx.store(), &why);
    if (!items)
        return fail(why);
    const auto outcomes =
        apply_legacy_import(ctx.store(), *items, QVector<bool>(items->size(), force), link ? &*link : nullptr, &why);
    if (!outcomes)
        return fail(why);

    ctx.out << QCoreApplication::translate("profiles", "Read ") << file << " (" << db->format
            << "): " << db->profiles.rows.size() << QCoreApplication::translate("profiles", " profiles\n");
    if (!lost.isEmpty())
        ctx.out << lost << "; " << db->profiles.lost_rows()
                << QCoreApplication::translate("profiles", " rows were lost\n");
    for (const QString &note : legacy_column_notes(found))
        ctx.out << printable_text(note) << '\n';
    QStringList lines = legacy_summary(*outcomes);
    const QString counts = lines.takeLast();
    for (const QString &line : lines)
        ctx.out << "  " << printable_text(line) << '\n';
    if (link)
        ctx.out << QCoreApplication::translate("profiles", "Link settings: imported\n");
    ctx.out << counts << '\n';
    const bool refused = std::any_of(outcomes->begin(), outcomes->end(),
                                     [](const LegacyOutcome &o) { return o.action == LegacyAction::Refuse; });
    return refused ? 1 : 0;
}

} // namespace k52
