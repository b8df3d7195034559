// How long the profile chooser and the Save Profile dialog take to come up
// with 100,000 profiles in the database.
#include "core/session/app_context.h"
#include "window/app/profilepop_dialog.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <cstdio>

using namespace k52;

namespace {

constexpr int kProfiles = 100000;

// Copies of "Default" under numbered names, straight into the table.
bool fill(const QString &path) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fill"));
        db.setDatabaseName(path);
        if (!db.open())
            return false;
        QSqlQuery q(db);
        bool ok =
            db.transaction() &&
            q.exec(QStringLiteral("CREATE TEMP TABLE one AS SELECT * FROM profiles WHERE profilename = 'Default'"));
        QSqlQuery rename(db), copy(db);
        ok = ok && rename.prepare(QStringLiteral("UPDATE one SET profilename = ?")) &&
             copy.prepare(QStringLiteral("INSERT INTO profiles SELECT * FROM one"));
        for (int i = 1; ok && i < kProfiles; ++i) {
            rename.addBindValue(QStringLiteral("Profile %1").arg(i, 6, 10, QLatin1Char('0')));
            ok = rename.exec() && copy.exec();
        }
        ok = ok && db.commit();
        db.close();
        if (!ok)
            return false;
    }
    QSqlDatabase::removeDatabase(QStringLiteral("fill"));
    return true;
}

// Milliseconds from creating the dialog to its first painted frame.
template <class Make> double time_to_open(Make make) {
    QElapsedTimer t;
    t.start();
    auto dialog = make();
    dialog->show();
    QApplication::processEvents();
    const double ms = t.nsecsElapsed() / 1e6;
    dialog->close();
    return ms;
}

} // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    QTemporaryDir dir;
    AppContext ctx;
    ctx.db_path = dir.filePath(QStringLiteral("bench.db"));
    QString why;
    if (!ctx.store.open(ctx.db_path, ProfileStore::OpenMode::CreateIfMissing, &why)) {
        std::fprintf(stderr, "%s\n", qPrintable(why));
        return 1;
    }
    ctx.store.close();
    if (!fill(ctx.db_path) || !ctx.store.open(ctx.db_path, ProfileStore::OpenMode::Existing, &why)) {
        std::fprintf(stderr, "cannot fill the database %s\n", qPrintable(why));
        return 1;
    }
    for (int round = 0; round < 3; ++round) {
        QElapsedTimer t;
        t.start();
        const qsizetype names = ctx.store.list_profiles(&why).size();
        std::printf("%lld names read from the database in %.1f ms\n", static_cast<long long>(names),
                    t.nsecsElapsed() / 1e6);
        const double chooser =
            time_to_open([&] { return std::make_unique<ProfilePopDialog>(ctx, QStringLiteral("Load Profile")); });
        const double save = time_to_open([&] { return std::make_unique<SaveProfileDialog>(ctx); });
        std::printf("%d profiles, round %d: profile chooser %.1f ms, Save Profile %.1f ms to open\n", kProfiles,
                    round + 1, chooser, save);
    }
    return 0;
}
