#include "profile_store.h"

#include "columns.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <atomic>

namespace k52 {

QString terminator_text(qint64 stored) {
    QString s = QString::number(stored, 16).toUpper();
    if (s.size() == 1)
        s.prepend(QLatin1Char('0'));
    return s;
}

int terminator_number(const QString &text) {
    bool ok = false;
    const int n = text.trimmed().toInt(&ok, 16);
    return ok ? n : 0;
}

namespace {

std::atomic<int> next_connection{0};

const char *sql_type(StoredType t) { return t == StoredType::Text ? "TEXT" : "INTEGER"; }

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

QString sql_error(const QSqlQuery &q) { return q.lastError().text(); }

} // namespace

QString ProfileStore::kTitle() { return QStringLiteral("ZOR  K52/K54 CONVERTER UTILITY     V1.99"); }

ProfileStore::ProfileStore() : connection_(QStringLiteral("k52store%1").arg(next_connection++)) {}

ProfileStore::~ProfileStore() { close(); }

bool ProfileStore::fail(QString *error, const QString &what, const QString &detail) const {
    if (error)
        *error = detail.isEmpty() ? QStringLiteral("%1: %2").arg(path_, what)
                                  : QStringLiteral("%1: %2: %3").arg(path_, what, detail);
    return false;
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
    const QFileInfo fi(path);
    const bool exists = fi.exists();
    if (!exists && mode == OpenMode::Existing)
        return fail(error, QStringLiteral("cannot open the profile database"), QStringLiteral("no such file"));
    if (exists && !fi.isFile())
        return fail(error, QStringLiteral("cannot open the profile database"), QStringLiteral("not a file"));
    if (exists && !fi.isReadable())
        return fail(error, QStringLiteral("cannot open the profile database"), QStringLiteral("permission denied"));

    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000"));
    if (!db.open()) {
        const QString why = db.lastError().text();
        close();
        return fail(error, QStringLiteral("cannot open the profile database"), why);
    }
    // A rollback journal (journal_mode=DELETE) with synchronous=FULL: a save
    // either lands whole or not at all, even when the process is killed or
    // the machine loses power (the journal is synced before the file is
    // touched; the next open rolls a left-over journal back). WAL would be
    // as safe but keeps recent saves in a -wal file beside the database, so
    // copying only the .db file to another PC could lose them; with DELETE
    // the database is the one file once a save has finished.
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA journal_mode=DELETE")) || !q.exec(QStringLiteral("PRAGMA synchronous=FULL"))) {
        const QString why = sql_error(q);
        close();
        return fail(error, QStringLiteral("not a usable profile database"), why);
    }
    if (!ensure_schema(!exists, error)) {
        close();
        return false;
    }
    return true;
}

bool ProfileStore::ensure_schema(bool create, QString *error) {
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type='table'")))
        return fail(error, QStringLiteral("not a usable profile database"), sql_error(q));
    QStringList tables;
    while (q.next())
        tables << q.value(0).toString();
    q.finish();

    if (create) {
        QStringList defs{QStringLiteral("profilename TEXT NOT NULL COLLATE NOCASE")};
        for (const Column &c : columns())
            defs << QStringLiteral("%1 %2").arg(QLatin1StringView(c.name), QLatin1StringView(sql_type(c.type)));
        if (!db.transaction())
            return fail(error, QStringLiteral("cannot create the profile database"), db.lastError().text());
        const bool ok = q.exec(QStringLiteral("CREATE TABLE profiles (%1)").arg(defs.join(QLatin1Char(',')))) &&
                        q.exec(QStringLiteral("CREATE UNIQUE INDEX profilename ON profiles(profilename COLLATE NOCASE)")) &&
                        q.exec(QStringLiteral("CREATE TABLE settings (ipaddress TEXT, remoteportaddress TEXT, "
                                              "commport INTEGER, baudrate INTEGER, commtype TEXT, "
                                              "Terminator INTEGER, parity INTEGER, commdevice TEXT DEFAULT '', "
                                              "commidentity TEXT DEFAULT '')"));
        if (!ok) {
            const QString why = sql_error(q);
            db.rollback();
            return fail(error, QStringLiteral("cannot create the profile database"), why);
        }
        if (!db.commit())
            return fail(error, QStringLiteral("cannot create the profile database"), db.lastError().text());
        ConfigRecord def = default_profile();
        return save_profile(QStringLiteral("Default"), true, def, error);
    }

    for (const char *t : {"profiles", "settings"})
        if (!tables.contains(QLatin1StringView(t)))
            return fail(error, QStringLiteral("not a profile database"), QStringLiteral("table %1 is missing").arg(QLatin1StringView(t)));

    // Check that every setting column is there, so a later load or save
    // cannot fail half-way on an old or foreign file.
    if (!q.exec(QStringLiteral("SELECT * FROM profiles LIMIT 0")))
        return fail(error, QStringLiteral("not a usable profile database"), sql_error(q));
    const QSqlRecord have = q.record();
    if (have.indexOf(QStringLiteral("profilename")) < 0)
        return fail(error, QStringLiteral("not a profile database"), QStringLiteral("column profilename is missing"));
    for (const Column &c : columns())
        if (have.indexOf(QLatin1StringView(c.name)) < 0)
            return fail(error, QStringLiteral("not a profile database"),
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
    return true;
}

QStringList ProfileStore::list_profiles(QString *error) const {
    QStringList names;
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    if (!q.exec(QStringLiteral("SELECT profilename FROM profiles ORDER BY profilename COLLATE NOCASE, profilename"))) {
        fail(error, QStringLiteral("cannot list the profiles"), sql_error(q));
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
        fail(error, QStringLiteral("cannot look up profile \"%1\"").arg(name), sql_error(q));
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
        fail(error, QStringLiteral("cannot read profile \"%1\"").arg(name), sql_error(q));
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

bool ProfileStore::load_profile(const QString &name, ConfigRecord &rec, QString *error) {
    const auto values = stored_row(name, error);
    if (!values)
        return false;
    ConfigRecord copy = rec;
    const auto cols = columns();
    for (std::size_t i = 0; i < cols.size(); ++i) {
        QString why;
        if (!cols[i].decode((*values)[int(i)], copy, false, why))
            return fail(error, QStringLiteral("cannot load profile \"%1\"").arg(name),
                        QStringLiteral("column %1 holds \"%2\": %3")
                            .arg(QLatin1StringView(cols[i].name), (*values)[int(i)].toString(), why));
    }
    rec = copy;
    current_ = name;
    title_ = kTitle();
    if (after_load_)
        after_load_();
    return true;
}

bool ProfileStore::save_profile(const QString &name, bool new_row, ConfigRecord &rec, QString *error) {
    ConfigRecord normalised = rec;
    QVector<QVariant> values;
    const auto cols = columns();
    values.reserve(int(cols.size()));
    for (const Column &c : cols) {
        QVariant v;
        QString why;
        if (!c.encode(normalised, v, why))
            return fail(error, QStringLiteral("cannot save profile \"%1\"").arg(name),
                        QStringLiteral("%1: %2").arg(QLatin1StringView(c.name), why));
        values << v;
    }
    if (!write_row(name, values, !new_row, error))
        return false;
    rec = normalised;
    return true;
}

bool ProfileStore::write_row(const QString &name, const QVector<QVariant> &values, bool replace, QString *error) {
    const auto cols = columns();
    if (values.size() != int(cols.size()))
        return fail(error, QStringLiteral("cannot save profile \"%1\"").arg(name), QStringLiteral("wrong column count"));
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    if (!db.transaction())
        return fail(error, QStringLiteral("cannot save profile \"%1\"").arg(name), db.lastError().text());
    QSqlQuery q(db);
    if (replace) {
        // A null value (a parity letter the table cannot hold) keeps the
        // stored value.
        QStringList sets;
        for (std::size_t i = 0; i < cols.size(); ++i)
            sets << QStringLiteral("%1 = COALESCE(?, %1)").arg(QLatin1StringView(cols[i].name));
        q.prepare(QStringLiteral("UPDATE profiles SET %1 WHERE profilename = ?").arg(sets.join(QLatin1Char(','))));
        for (const QVariant &v : values)
            q.addBindValue(v);
        q.addBindValue(name);
    } else {
        q.prepare(QStringLiteral("INSERT INTO profiles (profilename,%1) VALUES (?,%2)")
                      .arg(column_list(), placeholders(int(cols.size()))));
        q.addBindValue(name);
        for (std::size_t i = 0; i < cols.size(); ++i) {
            const QVariant &v = values[int(i)];
            q.addBindValue(v.isNull() && cols[i].type != StoredType::Text ? QVariant(0) : v);
        }
    }
    if (!q.exec()) {
        const QString why = sql_error(q);
        db.rollback();
        return fail(error, QStringLiteral("cannot save profile \"%1\"").arg(name), why);
    }
    if (replace && q.numRowsAffected() != 1) {
        db.rollback();
        return fail(error, QStringLiteral("cannot save profile \"%1\"").arg(name), QStringLiteral("no such profile"));
    }
    if (!db.commit()) {
        const QString why = db.lastError().text();
        db.rollback();
        return fail(error, QStringLiteral("cannot save profile \"%1\"").arg(name), why);
    }
    return true;
}

bool ProfileStore::delete_profile(const QString &name, QString *error) {
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QSqlQuery q(db);
    q.prepare(QStringLiteral("DELETE FROM profiles WHERE profilename = ?"));
    q.addBindValue(name);
    if (!q.exec())
        return fail(error, QStringLiteral("cannot delete profile \"%1\"").arg(name), sql_error(q));
    if (q.numRowsAffected() < 1)
        return fail(error, QStringLiteral("there is no profile named \"%1\"").arg(name), {});
    return true;
}

bool ProfileStore::read_settings(LinkSettings &out, QString *error) {
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT * FROM settings LIMIT 1")))
        return fail(error, QStringLiteral("cannot read the link settings"), sql_error(q));
    if (!q.next()) {
        q.finish();
        QSqlQuery ins(db);
        ins.prepare(QStringLiteral("INSERT INTO settings (ipaddress, remoteportaddress) VALUES (?, ?)"));
        ins.addBindValue(QString::fromLatin1(kSeedIpAddress));
        ins.addBindValue(QStringLiteral("400"));
        if (!ins.exec())
            return fail(error, QStringLiteral("cannot seed the link settings"), sql_error(ins));
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
        return fail(error, QStringLiteral("cannot write the link settings"), sql_error(q));
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
    QVariantList values{s.ipaddress, s.remoteportaddress, int(s.baudrate), int(s.commport), s.commtype,
                        terminator_number(s.Terminator), int(s.parity)};
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
        return fail(error, QStringLiteral("cannot write the link settings"), sql_error(q));
    return true;
}

QString ProfileStore::main_caption() const { return title_ + QStringLiteral("            PROFILE: ") + current_; }

} // namespace k52
