#include "startup.h"

#include "legacy_import.h"
#include "platform.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace k52 {

QString default_data_dir() {
    return QDir::toNativeSeparators(platform_data_dir());
}

QString default_db_path() {
    return QDir::toNativeSeparators(platform_data_dir() + QStringLiteral("/K52v199.db"));
}

QString default_legacy_db_path() {
    return QDir::toNativeSeparators(platform_data_dir() + QStringLiteral("/K52v199.mdb"));
}

QString read_ini_db_path(const QString &ini_file) {
    QFile f(ini_file);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QString line = QString::fromLocal8Bit(f.readLine());
    const qsizetype comma = line.indexOf(QLatin1Char(','));
    if (comma >= 0)
        line.truncate(comma);
    line = line.trimmed();
    if (line.size() >= 2 && line.startsWith(QLatin1Char('"')) && line.endsWith(QLatin1Char('"')))
        line = line.mid(1, line.size() - 2);
    else if (line.startsWith(QLatin1Char('"')))
        line.remove(0, 1);
    return line.trimmed();
}

namespace {

QString access_file_text(const QString &path) {
    return QStringLiteral("%1 is an Access database of the older program; it is not opened as the profile database "
                          "and stays as it is. Import its profiles with \"k52util profiles import-legacy %1\" (or "
                          "Import from an older database in the window).")
        .arg(path);
}

// Steps 4 to 8 of start-up on one path. A "Default" with damaged values
// still starts the program (on seeded values for those columns, with
// `warning` naming them); the stored row stays as it is until a save.
bool try_path(const QString &path, ProfileStore::OpenMode mode, ProfileStore &store, LinkSettings &link,
              ConfigRecord &rec, QString *error, QString &warning) {
    if (mode == ProfileStore::OpenMode::CreateIfMissing && !QFileInfo::exists(path))
        QDir().mkpath(QFileInfo(path).absolutePath());
    if (!store.open(path, mode, error))
        return false;
    LinkSettings s;
    if (!store.read_settings(s, error)) {
        store.close();
        return false;
    }
    QStringList replaced;
    if (!store.load_profile(QStringLiteral("Default"), rec, error, &replaced)) {
        store.close();
        return false;
    }
    if (!replaced.isEmpty())
        warning = QStringLiteral("The profile \"Default\" in %1 holds damaged values; their built-in values are used "
                                 "instead until you save the profile:\n%2")
                      .arg(path, replaced.join(QLatin1Char('\n')));
    link = s;
    return true;
}

// The end of start-up on a path that is created or repaired when needed:
// an unusable file gets a message that names it and the cure.
void finish_on(const QString &path, ProfileStore &store, LinkSettings &link, ConfigRecord &rec, StartupResult &r) {
    r.db_path = path;
    if (is_access_file(path)) {
        r.ok = false;
        r.error = access_file_text(path);
        return;
    }
    r.ok = try_path(path, ProfileStore::OpenMode::CreateIfMissing, store, link, rec, &r.error, r.warning);
    if (!r.ok && store.file_unusable()) {
        r.unusable = true;
        r.error = QStringLiteral("%1\n%2 cannot be used as the profile database. Move it aside (rename it or move it "
                                 "to another folder); the program then starts with a fresh database.")
                      .arg(r.error, path);
    }
}

} // namespace

StartupResult start_up(const StartupOptions &opt, ProfileStore &store, LinkSettings &link, ConfigRecord &rec) {
    StartupResult r;
    if (!opt.db_override.isEmpty()) {
        finish_on(opt.db_override, store, link, rec, r);
        return r;
    }
    const QString ini = read_ini_db_path(QDir(opt.program_dir).filePath(QStringLiteral("K52.ini")));
    const QString fallback = opt.fallback_db.isEmpty() ? default_db_path() : opt.fallback_db;
    auto same_file = [](const QString &a, const QString &b) {
        return QDir::cleanPath(QFileInfo(a).absoluteFilePath()) == QDir::cleanPath(QFileInfo(b).absoluteFilePath());
    };
    // An Access file (named by K52.ini, or beside the default database) is
    // offered for import when the database is created, never opened here.
    const bool fresh = !QFileInfo::exists(fallback);
    const QString beside = QFileInfo(fallback).dir().filePath(QStringLiteral("K52v199.mdb"));
    if (!ini.isEmpty() && is_access_file(ini)) {
        r.recovered = true;
        if (fresh)
            r.legacy_db = ini;
    } else if (!ini.isEmpty() && !same_file(ini, fallback)) {
        r.db_path = ini;
        QString first_error;
        if (try_path(ini, ProfileStore::OpenMode::Existing, store, link, rec, &first_error, r.warning)) {
            r.ok = true;
            return r;
        }
        r.recovered = true; // taken once, silently
    }
    if (fresh && r.legacy_db.isEmpty() && is_access_file(beside))
        r.legacy_db = QDir::toNativeSeparators(beside);
    finish_on(fallback, store, link, rec, r);
    if (!r.ok)
        r.legacy_db.clear();
    return r;
}

bool move_database_aside(const QString &path, QString *moved_to, QString *error) {
    const QString target =
        path + QStringLiteral(".unusable-") + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    if (QFileInfo::exists(target) || !QFile::rename(path, target)) {
        if (error)
            *error = QStringLiteral("Cannot rename %1 to %2").arg(path, target);
        return false;
    }
    // A journal left beside the old file belongs to it, not to the fresh one.
    for (const char *suffix : {"-journal", "-wal", "-shm"})
        if (QFileInfo::exists(path + QLatin1StringView(suffix)))
            QFile::rename(path + QLatin1StringView(suffix), target + QLatin1StringView(suffix));
    if (moved_to)
        *moved_to = target;
    return true;
}

bool shut_down(ProfileStore &store, const LinkSettings &link, QString *error) {
    const bool ok = store.write_settings(link, error);
    store.close();
    return ok;
}

} // namespace k52
