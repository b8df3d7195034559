#include "startup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace k52 {

QString default_data_dir() {
#ifdef Q_OS_WIN
    return QStringLiteral("c:\\zor");
#else
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/zor");
#endif
}

QString default_db_path() {
#ifdef Q_OS_WIN
    return QStringLiteral("c:\\zor\\K52v199.mdb");
#else
    return default_data_dir() + QStringLiteral("/K52v199.db");
#endif
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

// Steps 4 to 8 of start-up on one path.
bool try_path(const QString &path, ProfileStore::OpenMode mode, ProfileStore &store, LinkSettings &link,
              ConfigRecord &rec, QString &error) {
    if (mode == ProfileStore::OpenMode::CreateIfMissing && !QFileInfo::exists(path))
        QDir().mkpath(QFileInfo(path).absolutePath());
    if (!store.open(path, mode, &error))
        return false;
    LinkSettings s;
    if (!store.read_settings(s, &error)) {
        store.close();
        return false;
    }
    if (!store.load_profile(QStringLiteral("Default"), rec, &error)) {
        store.close();
        return false;
    }
    link = s;
    return true;
}

} // namespace

StartupResult start_up(const StartupOptions &opt, ProfileStore &store, LinkSettings &link, ConfigRecord &rec) {
    StartupResult r;
    using M = ProfileStore::OpenMode;
    if (!opt.db_override.isEmpty()) {
        r.db_path = opt.db_override;
        r.ok = try_path(r.db_path, M::CreateIfMissing, store, link, rec, r.error);
        return r;
    }
    const QString ini = read_ini_db_path(QDir(opt.program_dir).filePath(QStringLiteral("K52.ini")));
    const QString fallback = opt.fallback_db.isEmpty() ? default_db_path() : opt.fallback_db;
    auto same_file = [](const QString &a, const QString &b) {
        return QDir::cleanPath(QFileInfo(a).absoluteFilePath()) == QDir::cleanPath(QFileInfo(b).absoluteFilePath());
    };
    if (!ini.isEmpty() && !same_file(ini, fallback)) {
        r.db_path = ini;
        QString first_error;
        if (try_path(ini, M::Existing, store, link, rec, first_error)) {
            r.ok = true;
            return r;
        }
        r.recovered = true; // taken once, silently
    }
    r.db_path = fallback;
    r.ok = try_path(fallback, M::CreateIfMissing, store, link, rec, r.error);
    return r;
}

bool shut_down(ProfileStore &store, const LinkSettings &link, QString *error) {
    const bool ok = store.write_settings(link, error);
    store.close();
    return ok;
}

} // namespace k52
