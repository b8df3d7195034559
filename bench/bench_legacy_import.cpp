// Import of 1,000 profiles from an older Access database (Jet 4 and Jet 3
// fixtures): reading, checking and writing them in one transaction.
#include "core/profile/legacy_import.h"
#include "support/legacy_fixtures.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>

using namespace k52;
using namespace k52test;

namespace {

int run(JetVersion version, const char *label, const QTemporaryDir &dir) {
    const int n = 1000;
    QVector<FixtureProfile> rows;
    for (int i = 0; i < n; ++i) {
        FixtureProfile p{QStringLiteral("Site %1").arg(i, 4, 10, QLatin1Char('0')), rich_values()};
        p.values[QStringLiteral("spkrfreq")] = i;
        rows << p;
    }
    const QString file = dir.filePath(QStringLiteral("%1.mdb").arg(QLatin1StringView(label)));
    if (!write_jet_database(file, version, {profiles_table(rows)})) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        return 1;
    }
    ProfileStore store;
    QString why;
    if (!store.open(dir.filePath(QStringLiteral("%1.db").arg(QLatin1StringView(label))),
                    ProfileStore::OpenMode::CreateIfMissing, &why)) {
        std::fprintf(stderr, "%s\n", qPrintable(why));
        return 1;
    }
    QElapsedTimer total;
    total.start();
    QElapsedTimer t;
    t.start();
    const auto db = read_legacy_database(file, &why);
    if (!db) {
        std::fprintf(stderr, "%s\n", qPrintable(why));
        return 1;
    }
    const double read_ms = double(t.nsecsElapsed()) / 1e6;
    t.restart();
    const LegacyProfiles found = convert_legacy_profiles(db->profiles);
    const auto items = plan_legacy_import(found, store, &why);
    const double check_ms = double(t.nsecsElapsed()) / 1e6;
    t.restart();
    const auto outcomes =
        items ? apply_legacy_import(store, *items, QVector<bool>(items->size(), false), nullptr, &why) : std::nullopt;
    if (!outcomes) {
        std::fprintf(stderr, "%s\n", qPrintable(why));
        return 1;
    }
    const double write_ms = double(t.nsecsElapsed()) / 1e6;
    std::printf("%s: %d profiles (%lld KB file): read %.0f ms, check %.0f ms, write %.0f ms, total %.0f ms (%s)\n",
                label, n, (long long)QFileInfo(file).size() / 1024, read_ms, check_ms, write_ms,
                double(total.nsecsElapsed()) / 1e6, qPrintable(legacy_summary(*outcomes).last()));
    return 0;
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    return run(JetVersion::Jet4, "jet4", dir) || run(JetVersion::Jet3, "jet3", dir);
}
