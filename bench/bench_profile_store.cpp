// Profile store figures with 10,000 profiles: list, load, save.
#include "core/profile/profile_store.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

using namespace k52;

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    ProfileStore store;
    QString why;
    if (!store.open(dir.filePath(QStringLiteral("bench.db")), ProfileStore::OpenMode::CreateIfMissing, &why)) {
        std::fprintf(stderr, "%s\n", qPrintable(why));
        return 1;
    }
    const int n = 10000;
    ConfigRecord rec = default_profile();
    QElapsedTimer t;
    t.start();
    for (int i = 1; i < n; ++i)
        if (!store.save_profile(QStringLiteral("Profile %1").arg(i, 5, 10, QLatin1Char('0')), true, rec, &why)) {
            std::fprintf(stderr, "%s\n", qPrintable(why));
            return 1;
        }
    std::printf("fill:  %d new profiles in %.0f ms (%.2f ms each)\n", n - 1, double(t.elapsed()),
                double(t.elapsed()) / (n - 1));

    const int rounds = 20;
    t.restart();
    qsizetype listed = 0;
    for (int i = 0; i < rounds; ++i)
        listed = store.list_profiles().size();
    std::printf("list:  %lld names in %.2f ms\n", (long long)listed, double(t.nsecsElapsed()) / 1e6 / rounds);

    const int loads = 500;
    t.restart();
    for (int i = 0; i < loads; ++i)
        store.load_profile(QStringLiteral("Profile %1").arg(1 + (i * 37) % (n - 1), 5, 10, QLatin1Char('0')), rec,
                           &why);
    std::printf("load:  %.3f ms per profile\n", double(t.nsecsElapsed()) / 1e6 / loads);

    const int saves = 200;
    t.restart();
    for (int i = 0; i < saves; ++i) {
        rec.baudrate = 1200 + i;
        store.save_profile(QStringLiteral("Profile %1").arg(1 + (i * 53) % (n - 1), 5, 10, QLatin1Char('0')), false,
                           rec, &why);
    }
    std::printf("save:  %.3f ms per profile (overwrite, synchronous)\n", double(t.nsecsElapsed()) / 1e6 / saves);
    return 0;
}
