#include "history_tables.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace k52 {

bool create_history_tables(QSqlDatabase &db, QString *error) {
    QSqlQuery q(db);
    const bool ok =
        q.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS history (id INTEGER PRIMARY KEY AUTOINCREMENT, "
                              "started INTEGER NOT NULL, finished INTEGER, action TEXT NOT NULL, device TEXT, "
                              "adapter TEXT, converter TEXT, profilename TEXT COLLATE NOCASE, "
                              "outcome TEXT NOT NULL, detail TEXT, file_name TEXT, file_size INTEGER, "
                              "file_sha256 TEXT, has_backup INTEGER NOT NULL DEFAULT 0)")) &&
        q.exec(QStringLiteral("CREATE INDEX IF NOT EXISTS history_started ON history(started)")) &&
        q.exec(QStringLiteral("CREATE INDEX IF NOT EXISTS history_profile ON history(profilename, id)")) &&
        q.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS preferences (name TEXT PRIMARY KEY, value TEXT)")) &&
        q.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS history_detail (id INTEGER PRIMARY KEY "
                              "REFERENCES history(id), snapshot TEXT, lines TEXT, backup BLOB, image BLOB)")) &&
        // The wire trace of an action that did not end well.
        q.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS history_trace (id INTEGER PRIMARY KEY "
                              "REFERENCES history(id), trace BLOB)")) &&
        // The settings sent that differed from the stored profile, one a
        // line; a row only where some did.
        q.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS history_changes (id INTEGER PRIMARY KEY "
                              "REFERENCES history(id), changed TEXT NOT NULL)"));
    if (!ok && error)
        *error = q.lastError().text();
    return ok;
}

bool add_history_digest_columns(QSqlDatabase &db) {
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT * FROM history_detail LIMIT 0")))
        return false;
    const QSqlRecord have = q.record();
    q.finish();
    bool ok = true;
    for (const char *column : {"backup_sha256", "image_sha256"})
        if (have.indexOf(QLatin1StringView(column)) < 0)
            ok = q.exec(
                     QStringLiteral("ALTER TABLE history_detail ADD COLUMN %1 TEXT").arg(QLatin1StringView(column))) &&
                 ok;
    return ok;
}

} // namespace k52
