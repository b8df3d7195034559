#include "legacy_import_cli.h"

#include "cli/cli.h"
#include "profile/legacy_import.h"

namespace k52 {

int run_import_legacy(CliContext &ctx, const QString &file, const QStringList &only, bool force, bool settings) {
    auto fail = [&](const QString &why) {
        ctx.err << why << "\nNothing was changed." << Qt::endl;
        return 1;
    };
    QString why;
    const std::optional<LegacyDatabase> db = read_legacy_database(file, &why);
    if (!db)
        return fail(why);
    LegacyProfiles found = convert_legacy_profiles(db->profiles);
    if (!found.error.isEmpty())
        return fail(QStringLiteral("%1: %2").arg(file, found.error));
    for (const QString &name : only) {
        const auto it = std::find_if(found.profiles.begin(), found.profiles.end(), [&](const LegacyProfile &p) {
            return p.name.compare(name, Qt::CaseInsensitive) == 0;
        });
        if (it == found.profiles.end())
            return fail(QStringLiteral("%1: there is no profile named \"%2\" in the file").arg(file, name));
    }
    if (!only.isEmpty())
        found.profiles.removeIf([&](const LegacyProfile &p) { return !only.contains(p.name, Qt::CaseInsensitive); });

    if (!ctx.open_store())
        return 1;
    std::optional<LinkSettings> link;
    if (settings) {
        if (!db->settings)
            return fail(QStringLiteral("%1: there is no table \"settings\" to take the link settings from").arg(file));
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

    ctx.out << "Read " << file << " (" << db->format << "): " << db->profiles.rows.size() << " profiles\n";
    for (const QString &note : legacy_column_notes(found))
        ctx.out << note << '\n';
    QStringList lines = legacy_summary(*outcomes);
    const QString counts = lines.takeLast();
    for (const QString &line : lines)
        ctx.out << "  " << line << '\n';
    if (link)
        ctx.out << "Link settings: imported\n";
    ctx.out << counts << '\n';
    const bool refused = std::any_of(outcomes->begin(), outcomes->end(),
                                     [](const LegacyOutcome &o) { return o.action == LegacyAction::Refuse; });
    return refused ? 1 : 0;
}

} // namespace k52
