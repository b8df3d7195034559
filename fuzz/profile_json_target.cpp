// Export files: what the import accepts must be whole and survive a round
// trip through the database and a new export; what it refuses, or what the
// database refuses, must change no stored profile.
#include "fuzz_targets.h"

#include "core/profile/columns.h"
#include "core/profile/profile_json.h"
#include "core/profile/profile_store.h"

namespace k52::fuzz {

namespace {

// One database in memory for the whole fuzzing run.
ProfileStore *memory_store() {
    static ProfileStore *store = [] {
        auto *s = new ProfileStore;
        QString why;
        if (!s->open(QStringLiteral(":memory:"), ProfileStore::OpenMode::CreateIfMissing, &why))
            qFatal("cannot open a database in memory: %s", qPrintable(why));
        return s;
    }();
    return store;
}

QString same_values(const QVector<QVariant> &a, const QVector<QVariant> &b, const char *what) {
    if (a.size() != b.size())
        return QStringLiteral("%1: %2 values where %3 were written")
            .arg(QLatin1StringView(what))
            .arg(b.size())
            .arg(a.size());
    const auto cols = columns();
    for (int i = 0; i < a.size(); ++i)
        if (a[i].toString() != b[i].toString() || a[i].isNull() != b[i].isNull())
            return QStringLiteral("%1: column %2 was \"%3\", came back \"%4\"")
                .arg(QLatin1StringView(what), QLatin1StringView(cols[i].name), a[i].toString(), b[i].toString());
    return {};
}

QString unchanged(ProfileStore &store, const QString &name, const QVector<QVariant> &was, const char *what) {
    QString why;
    const auto now = store.stored_row(name, &why);
    return now ? same_values(was, *now, what) : why;
}

} // namespace

QString profile_json(const QByteArray &data) {
    QString why;
    const auto imported = profile_from_json(data, &why);
    if (!imported)
        return why.isEmpty() ? QStringLiteral("a refused file gave no reason") : QString();

    const auto cols = columns();
    if (imported->stored.size() != int(cols.size()))
        return QStringLiteral("accepted with %1 values").arg(imported->stored.size());
    if (imported->name.trimmed().isEmpty())
        return QStringLiteral("accepted without a name");
    ConfigRecord rec;
    for (std::size_t i = 0; i < cols.size(); ++i)
        if (!cols[i].decode(imported->stored[int(i)], rec, true, &why))
            return QStringLiteral("accepted column %1 does not load: %2").arg(QLatin1StringView(cols[i].name), why);

    // Export and import again: the same profile.
    const auto again = profile_from_json(profile_to_json(imported->name, imported->stored), &why);
    if (!again)
        return QStringLiteral("its own export is refused: %1").arg(why);
    if (again->name != imported->name)
        return QStringLiteral("name changed in a round trip");
    if (QString s = same_values(imported->stored, again->stored, "round trip"); !s.isEmpty())
        return s;

    // Into the database and back, under a name that cannot clash.
    ProfileStore &store = *memory_store();
    const QString name = QStringLiteral("fuzz import");
    const auto before = store.stored_row(QStringLiteral("Default"), &why);
    if (!before)
        return why;
    if (!store.write_row(name, imported->stored, false, &why))
        return QStringLiteral("an accepted profile could not be stored: %1").arg(why);
    const auto stored = store.stored_row(name, &why);
    if (!stored)
        return why;
    QString broke = same_values(imported->stored, *stored, "database");
    if (broke.isEmpty()) {
        ConfigRecord loaded;
        if (!store.load_profile(name, loaded, &why))
            broke = QStringLiteral("a stored import does not load: %1").arg(why);
    }
    // A second import under the same name is refused (the store's unique
    // name), and the refusal leaves both rows as they were.
    if (broke.isEmpty() && store.write_row(name.toUpper(), imported->stored, false, &why))
        broke = QStringLiteral("a second profile of the same name was stored");
    if (broke.isEmpty())
        broke = unchanged(store, name, *stored, "after a refused import");
    if (broke.isEmpty())
        broke = unchanged(store, QStringLiteral("Default"), *before, "Default");
    if (!store.delete_profile(name, &why) && broke.isEmpty())
        broke = why;
    return broke;
}

} // namespace k52::fuzz
