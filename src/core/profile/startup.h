#pragma once

#include "core/profile/config_record.h"
#include "core/profile/link_settings.h"
#include "core/profile/profile_store.h"

#include <QString>

namespace k52 {

// Default database path: K52v199.db in the data folder ("c:\zor" on
// Windows; elsewhere folder zor of the user's data folder).
QString default_db_path();
// Where the older program keeps its Access database: K52v199.mdb in the
// data folder. Never opened as ours.
QString default_legacy_db_path();
// Folder of the default database (the clone file lives there too).
QString default_data_dir();

// First item of the settings file: the text up to the first comma or the
// end of the first line, surrounding double quotes removed. Empty when the
// file is missing, unreadable or names nothing.
QString read_ini_db_path(const QString &ini_file);

struct StartupOptions {
    QString program_dir; // folder holding K52.ini
    QString db_override; // --db: wins over K52.ini; created when missing
    QString fallback_db; // default database; empty means default_db_path()
};

struct StartupResult {
    bool ok = false;
    QString error;          // why start-up failed (ok == false)
    QString db_path;        // the database in use
    bool recovered = false; // fell back to the default path
    // Start-up failed because the file at db_path is no usable profile
    // database; `error` names it and says to move it aside, which
    // move_database_aside() does.
    bool unusable = false;
    // Start-up went on, but the user must hear this (for example "Default"
    // holds a damaged value and its seeded value is used instead).
    QString warning;
    // The database was created just now and an Access database of the older
    // program lies beside it (or K52.ini names one): offer to import its
    // profiles. An Access file is never opened as the profile database.
    QString legacy_db;
};

// Start-up without windows: find and open the database (with the one-time
// fall-back to the default path), read or seed the link settings, load
// "Default" into the record.
StartupResult start_up(const StartupOptions &opt, ProfileStore &store, LinkSettings &link, ConfigRecord &rec);

// Rename an unusable database (and any journal SQLite left beside it) to
// "<path>.unusable-<date>-<time>", so that the next start-up creates a fresh
// one. `moved_to` receives the new name. False with the reason.
bool move_database_aside(const QString &path, QString *moved_to, QString *error);

// Shutdown: write the link settings back and close the database.
bool shut_down(ProfileStore &store, const LinkSettings &link, QString *error);

} // namespace k52
