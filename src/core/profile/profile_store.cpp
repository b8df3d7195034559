#include "profile_store.h"

#include "columns.h"
#include "history_tables.h"
#include "profile_names.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <atomic>

namespace k52 {

namespace {

std::atomic<int> next_connection{0};

const char *sql_type(StoredType t) {
    return t == StoredType::Text ? "TEXT" : "INTEGER";
}

QString column_list() {
    QStringList names;
    for (const Column &c : columns())
        names << QString::fromLatin1(c.name);
    return names.join(QLatin1Char(','));
}

QString placeholders(int n) {
    QStringList q;
    for (int i = 0; i < n; ++i)
        q << QStringLiteral("?");
    return q.join(QLatin1Char(','));
}

} // namespace

ProfileStore::ProfileStore() : connection_(QStringLiteral("k52store%1").arg(next_connection++)) {}

ProfileStore::~ProfileStore() {
    close();
}

bool ProfileStore::fail(QString *error, const QString &what, const QString &detail) const {
    if (error)
        *error = detail.isEmpty() ? QStringLiteral("%1: %2").arg(path_, what)
                                  : QStringLiteral("%1: %2: %3").arg(path_, what, detail);
    return false;
}

bool ProfileStore::fail_sql(QString *error, const QString &what, const QSqlError &e) const {
    // SQLITE_BUSY / SQLITE_LOCKED: the busy time-out ran out while another
    // program held the file.
    const QString code = e.nativeErrorCode();
    if (code == QLatin1String("5") || code == QLatin1String("6"))
        return fail(error, what,
                    QStringLiteral("another program has the profile database open; close it and try again"));
    // SQLITE_CORRUPT / SQLITE_NOTADB: the file itself is unusable.
    if (code == QLatin1String("11") || code == QLatin1String("26"))
        unusable_ = true;
    return fail(error, what, e.text());
}

bool ProfileStore::fail_unusable(QString *error, const QString &what, const QString &detail) const {
    unusable_ = true;
    return fail(error, what, detail);
}

bool ProfileStore::is_open() const {
    return QSqlDatabase::contains(connection_) && QSqlDatabase::database(connection_, false).isOpen();
}

void ProfileStore::close() {
    if (!QSqlDatabase::contains(connection_))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(connection_, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(connection_);
}

bool ProfileStore::open(const QString &path, OpenMode mode, QString *error) {
    close();
    path_ = path;
    unusable_ = false;
    const QFileInfo fi(path);
    const bool exists = fi.exists();
    if (!exists && mode == OpenMode::Existing)
        return fail(error, QStringLiteral("cannot open the profile database"), QStringLiteral("no such file"));
    if (exists && !fi.isFile())
        return fail(error, QStringLiteral("cannot open the profile database"), QStringLiteral("not a file"));
    if (exists && !fi.isReadable())
        return fail(error, QStringLiteral("cannot open the profile database"), QStringLiteral("permission denied"));
    // Every handle on the connection must be gone before close() removes
    // it, or Qt warns on stderr; hence the work in its own function.
    const bool ok = connect_and_check(mode, error);
    if (!ok)
        close();
    return ok;
}

bool ProfileStore::connect_and_check(OpenMode mode, QString *error) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    db.setDatabaseName(path_);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000"));
    if (!db.open())
        return fail_sql(error, QStringLiteral("cannot open the profile database"), db.lastError());
    // A rollback journal (journal_mode=DELETE) with synchronous=FULL: a save
    // either lands whole or not at all, even when the process is killed or
    // the machine loses power (the journal is synced before the file is
    // touched; the next open rolls a left-over journal back). WAL would be
    // as safe but keeps recent saves in a -wal file beside the database, so
    // copying only the .db file to another PC could lose them; with DELETE
    // the database is the one file once a save has finished.
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA journal_mode=DELETE")) || !q.exec(QStringLiteral("PRAGMA synchronous=FULL")))
        return fail_sql(error, QStringLiteral("not a usable profile database"), q.lastError());
    return ensure_schema(mode == OpenMode::CreateIfMissing, error);
}

bool ProfileStore::ensure_schema(bool create_or_repair, QString *error) {
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type='table'")))
        return fail_sql(error, QStringLiteral("not a usable profile database"), q.lastError());
    QStringList tables;
    while (q.next())
        tables << q.value(0).toString();
    q.finish();

    // A file without any table is a database whose creation never finished
    // (the program was stopped before the one creating transaction
    // committed, which leaves an empty file) or an empty file: it is created
    // afresh, schema, settings row and "Default" in one transaction, so that
    // a crash leaves either no tables or all of them.
    if (tables.isEmpty() && create_or_repair)
        return create_schema(error);

    for (const char *t : {"profiles", "settings"})
        if (!tables.contains(QLatin1StringView(t)))
            return fail_unusable(error, QStringLiteral("not a profile database"),
                                 QStringLiteral("table %1 is missing").arg(QLatin1StringView(t)));

    // Check that every setting column is there, so a later load or save
    // cannot fail half-way on an old or foreign file.
    if (!q.exec(QStringLiteral("SELECT * FROM profiles LIMIT 0")))
        return fail_sql(error, QStringLiteral("not a usable profile database"), q.lastError());
    const QSqlRecord have = q.record();
    if (have.indexOf(QStringLiteral("profilename")) < 0)
        return fail_unusable(error, QStringLiteral("not a profile database"),
                             QStringLiteral("column profilename is missing"));
    for (const Column &c : columns())
        if (have.indexOf(QLatin1StringView(c.name)) < 0)
            return fail_unusable(error, QStringLiteral("not a profile database"),
                                 QStringLiteral("column %1 is missing").arg(QLatin1StringView(c.name)));
    q.finish();
    // Older files lack the device path and adapter identity columns; add
    // them when we may write (a read-only file goes on without them).
    for (const char *column : {"commdevice", "commidentity"}) {
        if (q.exec(QStringLiteral("SELECT * FROM settings LIMIT 0")) &&
            q.record().indexOf(QLatin1StringView(column)) < 0) {
            q.finish();
            q.exec(QStringLiteral("ALTER TABLE settings ADD COLUMN %1 TEXT DEFAULT ''").arg(QLatin1StringView(column)));
        }
        q.finish();
    }
    // Older files lack the history; it is added beside the other tables
    // (read-only: stays absent, and recording reports why).
    if (!tables.contains(QStringLiteral("history")) || !tables.contains(QStringLiteral("history_detail")) ||
        !tables.contains(QStringLiteral("preferences")) || !tables.contains(QStringLiteral("history_changes"))) {
        q.finish();
        if (db.transaction()) {
            if (create_history_tables(db, nullptr))
                db.commit();
            else
                db.rollback();
        }
    }
    q.finish();
    // Older histories lack the digests of their images (read-only: they
    // stay without, and such rows restore only when forced).
    add_history_digest_columns(db);
    if (create_or_repair) {
        // "Default" is never deleted by the program; a file that lost it
        // anyway gets the seeded one back rather than locking the user out.
        QString why;
        const auto found = find_profile(QStringLiteral("Default"), &why);
        if (!why.isEmpty()) {
            if (error)
                *error = why;
            return false;
        }
        if (!found) {
            ConfigRecord def = default_profile();
            return save_profile(QStringLiteral("Default"), true, def, error);
        }
    }
    return true;
}

bool ProfileStore::create_schema(QString *error) {
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QStringList defs{QStringLiteral("profilename TEXT NOT NULL COLLATE NOCASE")};
    for (const Column &c : columns())
        defs << QStringLiteral("%1 %2").arg(QLatin1StringView(c.name), QLatin1StringView(sql_type(c.type)));
    QVector<QVariant> seeded;
    ConfigRecord def = default_profile();
    if (!encode_row(QStringLiteral("Default"), def, seeded, error))
        return false;
    if (!db.transaction())
        return fail_sql(error, QStringLiteral("cannot create the profile database"), db.lastError());
    QSqlQuery q(db);
    bool ok = q.exec(QStringLiteral("CREATE TABLE profiles (%1)").arg(defs.join(QLatin1Char(',')))) &&
              q.exec(QStringLiteral("CREATE UNIQUE INDEX profilename ON profiles(profilename COLLATE NOCASE)")) &&
              q.exec(QStringLiteral("CREATE TABLE settings (ipaddress TEXT, remoteportaddress TEXT, "
                                    "commport INTEGER, baudrate INTEGER, commtype TEXT, "
                                    "Terminator INTEGER, parity INTEGER, commdevice TEXT DEFAULT '', "
                                    "commidentity TEXT DEFAULT '')"));
    if (ok) {
        q.prepare(QStringLiteral("INSERT INTO settings (ipaddress, remoteportaddress) VALUES (?, ?)"));
        q.addBindValue(QString::fromLatin1(kSeedIpAddress));
        q.addBindValue(QStringLiteral("400"));
        ok = q.exec();
    }
    QSqlError why = q.lastError();
    QSqlQuery row(db);
    if (ok && !insert_row(row, QStringLiteral("Default"), seeded)) {
        ok = false;
        why = row.lastError();
    }
    q.finish();
    row.finish();
    if (!ok) {
        db.rollback();
        return fail_sql(error, QStringLiteral("cannot create the profile database"), why);
    }
    QString history_error;
    if (!create_history_tables(db, &history_error) || !add_history_digest_columns(db)) {
        db.rollback();
        return fail(error, QStringLiteral("cannot create the profile database"), history_error);
    }
    if (!db.commit()) {
        const QSqlError why = db.lastError();
        db.rollback();
        return fail_sql(error, QStringLiteral("cannot create the profile database"), why);
    }
    return true;
}

QStringList ProfileStore::list_profiles(QString *error) const {
    QStringList names;
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.setForwardOnly(true); // read once, front to back: nothing to cache
    if (!q.exec(QStringLiteral("SELECT profilename FROM profiles ORDER BY profilename COLLATE NOCASE, profilename"))) {
        fail_sql(error, QStringLiteral("cannot list the profiles"), q.lastError());
        return {};
    }
    while (q.next())
        names << q.value(0).toString();
    return names;
}

std::optional<QString> ProfileStore::find_profile(const QString &name, QString *error) const {
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.prepare(QStringLiteral("SELECT profilename FROM profiles WHERE profilename = ?"));
    q.addBindValue(name);
    if (!q.exec()) {
        fail_sql(error, QStringLiteral("cannot look up profile \"%1\"").arg(name), q.lastError());
        return std::nullopt;
    }
    if (!q.next())
        return std::nullopt;
    return q.value(0).toString();
}

std::optional<QVector<QVariant>> ProfileStore::stored_row(const QString &name, QString *error) const {
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT %1 FROM profiles WHERE profilename = ?").arg(column_list()));
    q.addBindValue(name);
    if (!q.exec()) {
        fail_sql(error, QStringLiteral("cannot read profile \"%1\"").arg(name), q.lastError());
        return std::nullopt;
    }
    if (!q.next()) {
        fail(error, QStringLiteral("there is no profile named \"%1\"").arg(name), {});
        return std::nullopt;
    }
    QVector<QVariant> values;
    values.reserve(int(columns().size()));
    for (int i = 0; i < int(columns().size()); ++i)
        values << q.value(i);
    return values;
}

bool ProfileStore::load_profile(const QString &name, ConfigRecord &rec, QString *error, QStringList *replaced) {
    const auto values = stored_row(name, error);
    if (!values)
        return false;
    ConfigRecord copy = replaced ? default_profile() : rec;
    ConfigRecord seed = default_profile();
    const auto cols = columns();
    for (std::size_t i = 0; i < cols.size(); ++i) {
        QString why;
        const QVariant &stored = (*values)[int(i)];
        if (cols[i].decode(stored, copy, false, &why))
            continue;
        const QString what = QStringLiteral("column %1 holds \"%2\": %3")
                                 .arg(QLatin1StringView(cols[i].name), stored.toString().left(40), why);
        if (!replaced)
            return fail(error, QStringLiteral("cannot load profile \"%1\"").arg(name), what);
        // The seeded value stands in for the damaged one.
        QVariant v;
        QString ignored;
        if (cols[i].encode(seed, v, &ignored))
            cols[i].decode(v, copy, false, &ignored);
        replaced->append(what);
    }
    rec = copy;
    return true;
}

bool ProfileStore::encode_row(const QString &name, ConfigRecord &rec, QVector<QVariant> &values, QString *error) const {
    values.clear();
    const auto cols = columns();
    values.reserve(int(cols.size()));
    for (const Column &c : cols) {
        QVariant v;
        QString why;
        if (!c.encode(rec, v, &why))
            return fail(error, QStringLiteral("cannot save profile \"%1\"").arg(name),
                        QStringLiteral("%1: %2").arg(QLatin1StringView(c.name), why));
        values << v;
    }
    return true;
}

bool ProfileStore::insert_row(QSqlQuery &q, const QString &name, const QVector<QVariant> &values) {
    const auto cols = columns();
    if (q.lastQuery().isEmpty()) // prepared once, reused for the next rows
        q.prepare(QStringLiteral("INSERT INTO profiles (profilename,%1) VALUES (?,%2)")
                      .arg(column_list(), placeholders(int(cols.size()))));
    q.addBindValue(name);
    for (std::size_t i = 0; i < cols.size(); ++i) {
        const QVariant &v = values[int(i)];
        q.addBindValue(v.isNull() && cols[i].type != StoredType::Text ? QVariant(0) : v);
    }
    return q.exec();
}

bool ProfileStore::save_profile(const QString &name, bool new_row, ConfigRecord &rec, QString *error) {
    ConfigRecord normalised = rec;
    QVector<QVariant> values;
    if (!encode_row(name, normalised, values, error))
        return false;
    if (!write_row(name, values, !new_row, error))
        return false;
    rec = normalised;
    return true;
}

bool ProfileStore::write_row(const QString &name, const QVector<QVariant> &values, bool replace, QString *error) {
    return write_rows({RowWrite{name, values, replace}}, nullptr, error);
}

bool ProfileStore::write_rows(const QVector<RowWrite> &rows, const LinkSettings *settings, QString *error) {
    const QString first = rows.isEmpty() ? QString() : rows.first().name;
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    if (!db.transaction())
        return fail_sql(error, QStringLiteral("cannot save profile \"%1\"").arg(first), db.lastError());
    bool ok = true;
    QSqlQuery insert(db), update(db);
    for (const RowWrite &r : rows)
        if (!(ok = put_row(r.replace ? update : insert, r.name, r.values, r.replace, error)))
            break;
    if (ok && settings)
        ok = write_settings(*settings, error);
    if (!ok) {
        db.rollback();
        return false;
    }
    if (!db.commit()) {
        const QSqlError why = db.lastError();
        db.rollback();
        return fail_sql(error, QStringLiteral("cannot save profile \"%1\"").arg(first), why);
    }
    return true;
}

bool ProfileStore::put_row(QSqlQuery &q, const QString &name, const QVector<QVariant> &values, bool replace,
                           QString *error) {
    const auto cols = columns();
    if (values.size() != int(cols.size()))
        return fail(error, QStringLiteral("cannot save profile \"%1\"").arg(name),
                    QStringLiteral("wrong column count"));
    QString why;
    if (!replace && !valid_profile_name(name, &why))
        return fail(error, QStringLiteral("cannot save the profile"), why);
    const bool prepared = !q.lastQuery().isEmpty();
    bool ok = false;
    if (replace) {
        // A null value (a parity letter the table cannot hold) keeps the
        // stored value.
        QStringList sets;
        for (std::size_t i = 0; i < cols.size() && !prepared; ++i)
            sets << QStringLiteral("%1 = COALESCE(?, %1)").arg(QLatin1StringView(cols[i].name));
        if (!prepared)
            q.prepare(QStringLiteral("UPDATE profiles SET %1 WHERE profilename = ?").arg(sets.join(QLatin1Char(','))));
        for (const QVariant &v : values)
            q.addBindValue(v);
        q.addBindValue(name);
        ok = q.exec();
    } else {
        ok = insert_row(q, name, values);
    }
    if (!ok)
        return fail_sql(error, QStringLiteral("cannot save profile \"%1\"").arg(name), q.lastError());
    if (replace && q.numRowsAffected() != 1)
        return fail(error, QStringLiteral("cannot save profile \"%1\"").arg(name), QStringLiteral("no such profile"));
    return true;
}

bool ProfileStore::delete_profile(const QString &name, QString *error) {
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QSqlQuery q(db);
    q.prepare(QStringLiteral("DELETE FROM profiles WHERE profilename = ?"));
    q.addBindValue(name);
    if (!q.exec())
        return fail_sql(error, QStringLiteral("cannot delete profile \"%1\"").arg(name), q.lastError());
    if (q.numRowsAffected() < 1)
        return fail(error, QStringLiteral("there is no profile named \"%1\"").arg(name), {});
    return true;
}

bool ProfileStore::read_settings(LinkSettings &out, QString *error) {
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT * FROM settings LIMIT 1")))
        return fail_sql(error, QStringLiteral("cannot read the link settings"), q.lastError());
    if (!q.next()) {
        q.finish();
        QSqlQuery ins(db);
        ins.prepare(QStringLiteral("INSERT INTO settings (ipaddress, remoteportaddress) VALUES (?, ?)"));
        ins.addBindValue(QString::fromLatin1(kSeedIpAddress));
        ins.addBindValue(QStringLiteral("400"));
        if (!ins.exec())
            return fail_sql(error, QStringLiteral("cannot seed the link settings"), ins.lastError());
        out = LinkSettings{};
        out.ipaddress = QString::fromLatin1(kSeedIpAddress);
        out.remoteportaddress = QStringLiteral("400");
        out.Terminator = terminator_text(0);
        return true;
    }
    const QSqlRecord r = q.record();
    auto text = [&](const char *c) { return q.value(QLatin1StringView(c)).toString(); };
    auto number = [&](const char *c) { return q.value(QLatin1StringView(c)).toLongLong(); };
    LinkSettings s;
    s.ipaddress = text("ipaddress");
    s.remoteportaddress = text("remoteportaddress");
    s.commport = static_cast<Integer>(number("commport"));
    s.baudrate = static_cast<Long>(number("baudrate"));
    s.commtype = text("commtype");
    s.Terminator = terminator_text(number("Terminator"));
    s.parity = static_cast<Integer>(number("parity"));
    if (r.indexOf(QStringLiteral("commdevice")) >= 0)
        s.commdevice = text("commdevice");
    if (r.indexOf(QStringLiteral("commidentity")) >= 0)
        s.commidentity = text("commidentity");
    out = s;
    return true;
}

bool ProfileStore::write_settings(const LinkSettings &s, QString *error) {
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT rowid FROM settings LIMIT 1")))
        return fail_sql(error, QStringLiteral("cannot write the link settings"), q.lastError());
    const bool have = q.next();
    const QVariant rowid = have ? q.value(0) : QVariant();
    q.finish();
    // The columns an older file may lack (when it could not be altered).
    QSqlRecord present;
    {
        QSqlQuery c(db);
        if (c.exec(QStringLiteral("SELECT * FROM settings LIMIT 0")))
            present = c.record();
    }
    QStringList columns{QStringLiteral("ipaddress"), QStringLiteral("remoteportaddress"), QStringLiteral("baudrate"),
                        QStringLiteral("commport"),  QStringLiteral("commtype"),          QStringLiteral("Terminator"),
                        QStringLiteral("parity")};
    QVariantList values{s.ipaddress,     s.remoteportaddress, int(s.baudrate),
                        int(s.commport), s.commtype,          terminator_number(s.Terminator),
                        int(s.parity)};
    for (const auto &[column, value] : {std::pair{QStringLiteral("commdevice"), s.commdevice},
                                        std::pair{QStringLiteral("commidentity"), s.commidentity}}) {
        if (present.indexOf(column) >= 0) {
            columns << column;
            values << value;
        }
    }
    const QString sql =
        have ? QStringLiteral("UPDATE settings SET %1=? WHERE rowid=?").arg(columns.join(QStringLiteral("=?, ")))
             : QStringLiteral("INSERT INTO settings (%1) VALUES (?%2)")
                   .arg(columns.join(QStringLiteral(", ")), QStringLiteral(",?").repeated(columns.size() - 1));
    q.prepare(sql);
    for (const QVariant &v : values)
        q.addBindValue(v);
    if (have)
        q.addBindValue(rowid);
    if (!q.exec())
        return fail_sql(error, QStringLiteral("cannot write the link settings"), q.lastError());
    return true;
}

} // namespace k52
