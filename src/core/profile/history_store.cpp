#include "history_store.h"

#include "platform.h"
#include "profile_store.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTimeZone>

#include <cstdio>
#include <ctime>

namespace k52 {

namespace {

// What a list shows; the rest of a row is read by entry() alone.
const QString kListColumns =
    QStringLiteral("id, started, finished, action, device, converter, profilename, outcome, detail, has_backup");
const QString kMoreColumns = QStringLiteral("adapter, file_name, file_size, file_sha256");

// Times are stored as milliseconds since the epoch: no parsing when a long
// history is listed, and day bounds compare as numbers.
QVariant stored_time(const QDateTime &t) {
    return t.isValid() ? QVariant(t.toMSecsSinceEpoch()) : QVariant(QMetaType(QMetaType::LongLong));
}
QDateTime read_time(const QVariant &v) {
    return v.isNull() ? QDateTime() : QDateTime::fromMSecsSinceEpoch(v.toLongLong(), QTimeZone::utc());
}
QString iso(const QDateTime &t) {
    return t.isValid() ? t.toUTC().toString(Qt::ISODateWithMs) : QString();
}

QVariant text_or_null(const QString &s) {
    return s.isNull() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(s);
}

void read_row(const QSqlQuery &q, HistoryEntry &e) {
    e.id = q.value(0).toLongLong();
    e.started = read_time(q.value(1));
    e.finished = read_time(q.value(2));
    e.action = q.value(3).toString();
    e.device = q.value(4).toString();
    e.converter = q.value(5).toString();
    e.profile = q.value(6).toString();
    e.outcome = q.value(7).toString();
    e.detail = q.value(8).toString();
    e.has_backup = q.value(9).toBool();
}

// Ends a transaction: commits when `ok`, else rolls back. Empty, or why it
// failed.
QString end_transaction(QSqlDatabase &d, const QSqlQuery &q, bool ok) {
    QString why;
    if (!ok)
        why = q.lastError().isValid() ? q.lastError().text() : QStringLiteral("no such row");
    else if (!d.commit())
        why = d.lastError().text();
    else
        return {};
    d.rollback();
    return why;
}

} // namespace

QString image_digest(const QByteArray &image) {
    return QString::fromLatin1(QCryptographicHash::hash(image, QCryptographicHash::Sha256).toHex());
}

QString stored_image_problem(qint64 id, const QByteArray &image, const QString &digest, int size, bool unchecked_ok) {
    if (image.size() != size)
        return QStringLiteral("History row %1 holds an image of %2 bytes; a converter image is %3 bytes. Nothing "
                              "was written.")
            .arg(id)
            .arg(image.size())
            .arg(size);
    if (digest.isEmpty())
        return unchecked_ok
                   ? QString()
                   : QStringLiteral("History row %1 was stored without a checksum, so its image cannot be "
                                    "checked; nothing was written. `k52util restore %1 --force` writes it unchecked.")
                         .arg(id);
    if (image_digest(image) != digest)
        return QStringLiteral("The image stored in history row %1 does not match its checksum: the database has "
                              "been changed or damaged. Nothing was written.")
            .arg(id);
    return {};
}

QSqlDatabase HistoryStore::db() const {
    return QSqlDatabase::database(store_.connection_name(), false);
}

bool HistoryStore::fail(QString *error, const QString &what, const QString &detail) const {
    if (error)
        *error = QStringLiteral("%1: %2: %3").arg(store_.path(), what, detail);
    return false;
}

bool HistoryStore::begin(HistoryEntry &e, QString *error) {
    QSqlDatabase d = db();
    const QString what = QStringLiteral("cannot record the %1").arg(e.action);
    if (!e.started.isValid())
        e.started = QDateTime::currentDateTimeUtc();
    e.outcome = kOutcomeBegun;
    if (!d.transaction())
        return fail(error, what, d.lastError().text());
    QSqlQuery q(d);
    q.prepare(QStringLiteral("INSERT INTO history (started, action, device, adapter, converter, profilename, "
                             "outcome, detail, file_name, file_size, file_sha256) VALUES (?,?,?,?,?,?,?,?,?,?,?)"));
    for (const QVariant &v :
         {stored_time(e.started), QVariant(e.action), text_or_null(e.device), text_or_null(e.adapter),
          text_or_null(e.converter), text_or_null(e.profile), QVariant(e.outcome), text_or_null(e.detail),
          text_or_null(e.file_name), e.file_size < 0 ? QVariant(QMetaType(QMetaType::LongLong)) : QVariant(e.file_size),
          text_or_null(e.file_sha256)})
        q.addBindValue(v);
    bool ok = q.exec();
    if (ok) {
        e.id = q.lastInsertId().toLongLong();
        q.prepare(QStringLiteral("INSERT INTO history_detail (id, snapshot) VALUES (?, ?)"));
        q.addBindValue(e.id);
        q.addBindValue(e.snapshot.isNull() ? QVariant(QMetaType(QMetaType::QString)) : QString::fromUtf8(e.snapshot));
        ok = q.exec();
    }
    if (ok && !e.changed.isEmpty()) {
        q.prepare(QStringLiteral("INSERT INTO history_changes (id, changed) VALUES (?, ?)"));
        q.addBindValue(e.id);
        q.addBindValue(e.changed.join(QLatin1Char('\n')));
        ok = q.exec();
    }
    if (!ok) {
        const QString why = q.lastError().text();
        d.rollback();
        e.id = 0;
        return fail(error, what, why);
    }
    if (!d.commit()) {
        const QString why = d.lastError().text();
        d.rollback();
        e.id = 0;
        return fail(error, what, why);
    }
    return true;
}

bool HistoryStore::finish(const HistoryEntry &e, QString *error) {
    QSqlDatabase d = db();
    const QString what = QStringLiteral("cannot complete history row %1").arg(e.id);
    if (!d.transaction())
        return fail(error, what, d.lastError().text());
    QSqlQuery q(d);
    q.prepare(QStringLiteral("UPDATE history SET finished=?, outcome=?, detail=?, converter=?, has_backup=? "
                             "WHERE id=?"));
    q.addBindValue(stored_time(e.finished.isValid() ? e.finished : QDateTime::currentDateTimeUtc()));
    q.addBindValue(e.outcome);
    q.addBindValue(text_or_null(e.detail));
    q.addBindValue(text_or_null(e.converter));
    q.addBindValue(e.backup.isEmpty() ? 0 : 1);
    q.addBindValue(e.id);
    bool ok = q.exec() && q.numRowsAffected() == 1;
    if (ok) {
        q.prepare(QStringLiteral("UPDATE history_detail SET lines=?, backup=?, image=?, backup_sha256=?, "
                                 "image_sha256=? WHERE id=?"));
        q.addBindValue(e.lines.join(QLatin1Char('\n')));
        q.addBindValue(e.backup.isEmpty() ? QVariant(QMetaType(QMetaType::QByteArray)) : QVariant(e.backup));
        q.addBindValue(e.image.isEmpty() ? QVariant(QMetaType(QMetaType::QByteArray)) : QVariant(e.image));
        q.addBindValue(e.backup.isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(image_digest(e.backup)));
        q.addBindValue(e.image.isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(image_digest(e.image)));
        q.addBindValue(e.id);
        ok = q.exec();
    }
    if (ok && !e.trace.isEmpty()) {
        q.prepare(QStringLiteral("INSERT OR REPLACE INTO history_trace (id, trace) VALUES (?, ?)"));
        q.addBindValue(e.id);
        q.addBindValue(e.trace);
        ok = q.exec();
    }
    if (const QString why = end_transaction(d, q, ok); !why.isEmpty())
        return fail(error, what, why);
    return true;
}

bool HistoryStore::store_backup(qint64 id, const QByteArray &image, QString *error) {
    QSqlDatabase d = db();
    const QString what = QStringLiteral("cannot store the backup in history row %1").arg(id);
    if (!d.transaction())
        return fail(error, what, d.lastError().text());
    QSqlQuery q(d);
    q.prepare(QStringLiteral("UPDATE history_detail SET backup=?, backup_sha256=? WHERE id=?"));
    q.addBindValue(image);
    q.addBindValue(image_digest(image));
    q.addBindValue(id);
    bool ok = q.exec() && q.numRowsAffected() == 1;
    if (ok) {
        q.prepare(QStringLiteral("UPDATE history SET has_backup=1 WHERE id=?"));
        q.addBindValue(id);
        ok = q.exec() && q.numRowsAffected() == 1;
    }
    if (const QString why = end_transaction(d, q, ok); !why.isEmpty())
        return fail(error, what, why);
    return true;
}

QVector<HistoryEntry> HistoryStore::list(const HistoryFilter &f, QString *error) const {
    QVector<HistoryEntry> rows;
    visit(
        f, [&](const HistoryEntry &e) { rows.push_back(e); }, error);
    return rows;
}

bool HistoryStore::select(const HistoryFilter &f, const QString &what, QSqlQuery &q, QString *error) const {
    QStringList where;
    QVariantList binds;
    if (!f.profile.isEmpty()) {
        where << QStringLiteral("profilename = ?");
        binds << f.profile;
    }
    // Local days as bounds in time.
    if (f.from.isValid()) {
        where << QStringLiteral("started >= ?");
        binds << stored_time(f.from.startOfDay());
    }
    if (f.to.isValid()) {
        where << QStringLiteral("started < ?");
        binds << stored_time(f.to.addDays(1).startOfDay());
    }
    QString sql = QStringLiteral("SELECT %1 FROM history").arg(what);
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
    sql += QStringLiteral(" ORDER BY id DESC");
    if (f.limit > 0)
        sql += QStringLiteral(" LIMIT %1").arg(f.limit);
    q = QSqlQuery(db());
    q.setForwardOnly(true);
    q.prepare(sql);
    for (const QVariant &v : binds)
        q.addBindValue(v);
    if (!q.exec())
        return fail(error, QStringLiteral("cannot list the history"), q.lastError().text());
    return true;
}

bool HistoryStore::visit(const HistoryFilter &f, const std::function<void(const HistoryEntry &)> &row,
                         QString *error) const {
    QSqlQuery q;
    if (!select(f, kListColumns, q, error))
        return false;
    HistoryEntry e;
    while (q.next()) {
        read_row(q, e);
        row(e);
    }
    return true;
}

bool HistoryStore::visit_lines(const HistoryFilter &f, const std::function<void(const QString &)> &line,
                               QString *error) const {
    // The database lays out all but the local time, so a long history costs
    // two values a row: number, action, outcome (with its detail),
    // converter, profile, device.
    QSqlQuery q;
    if (!select(f,
                QStringLiteral("started, printf('%5d  ', id), "
                               "printf('  %!-11s  %!-20s  %!-10s  %s  %s', action, "
                               "CASE WHEN coalesce(detail, '') = '' THEN outcome ELSE outcome || ': ' || detail END, "
                               "coalesce(nullif(converter, ''), '-'), coalesce(nullif(profilename, ''), '-'), "
                               "coalesce(device, ''))"),
                q, error))
        return false;
    QString text;
    while (q.next()) {
        text = q.value(1).toString();
        text += history_time_text(read_time(q.value(0)));
        text += q.value(2).toString();
        line(text);
    }
    return true;
}

std::optional<HistoryEntry> HistoryStore::entry(qint64 id, QString *error) const {
    QSqlQuery q(db());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT %1, %2 FROM history WHERE id = ?").arg(kListColumns, kMoreColumns));
    q.addBindValue(id);
    if (!q.exec()) {
        fail(error, QStringLiteral("cannot read history row %1").arg(id), q.lastError().text());
        return std::nullopt;
    }
    if (!q.next()) {
        if (error)
            *error = QStringLiteral("There is no history row %1; `k52util history` lists them").arg(id);
        return std::nullopt;
    }
    HistoryEntry e;
    read_row(q, e);
    e.adapter = q.value(10).toString();
    e.file_name = q.value(11).toString();
    e.file_size = q.value(12).isNull() ? -1 : q.value(12).toLongLong();
    e.file_sha256 = q.value(13).toString();
    // The detail by column name: a history made before the digests were
    // kept (and opened read-only) lacks their columns.
    QSqlQuery d(db());
    d.setForwardOnly(true);
    d.prepare(QStringLiteral("SELECT * FROM history_detail WHERE id = ?"));
    d.addBindValue(id);
    if (!d.exec()) {
        fail(error, QStringLiteral("cannot read history row %1").arg(id), d.lastError().text());
        return std::nullopt;
    }
    if (d.next()) {
        const QSqlRecord r = d.record();
        auto value = [&](const char *name) {
            const int i = r.indexOf(QLatin1StringView(name));
            return i < 0 ? QVariant() : d.value(i);
        };
        e.snapshot = value("snapshot").toString().toUtf8();
        const QString lines = value("lines").toString();
        if (!lines.isEmpty())
            e.lines = lines.split(QLatin1Char('\n'));
        e.backup = value("backup").toByteArray();
        e.image = value("image").toByteArray();
        e.backup_sha256 = value("backup_sha256").toString();
        e.image_sha256 = value("image_sha256").toString();
    }
    // A history made before traces or changes were kept has no table for
    // them.
    d.prepare(QStringLiteral("SELECT trace FROM history_trace WHERE id = ?"));
    d.addBindValue(id);
    if (d.exec() && d.next())
        e.trace = d.value(0).toByteArray();
    d.prepare(QStringLiteral("SELECT changed FROM history_changes WHERE id = ?"));
    d.addBindValue(id);
    if (d.exec() && d.next())
        e.changed = d.value(0).toString().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return e;
}

QString history_profile_text(const HistoryEntry &e) {
    if (e.profile.isEmpty() || e.changed.isEmpty())
        return e.profile;
    return e.changed.size() == 1 ? QStringLiteral("%1, 1 setting changed").arg(e.profile)
                                 : QStringLiteral("%1, %2 settings changed").arg(e.profile).arg(e.changed.size());
}

QString history_time_text(const QDateTime &utc) {
    if (!utc.isValid())
        return {};
    // The C library's local time, digits written by hand: QDateTime's zone
    // conversion and formatting cost more than the rest of a long list.
    const std::time_t secs = std::time_t(utc.toSecsSinceEpoch());
    const std::tm t = platform_local_time(secs);
    char16_t text[19];
    auto put = [&](int at, int value, int digits) {
        for (int i = digits - 1; i >= 0; --i, value /= 10)
            text[at + i] = char16_t(u'0' + value % 10);
    };
    put(0, t.tm_year + 1900, 4);
    text[4] = u'-';
    put(5, t.tm_mon + 1, 2);
    text[7] = u'-';
    put(8, t.tm_mday, 2);
    text[10] = u' ';
    put(11, t.tm_hour, 2);
    text[13] = u':';
    put(14, t.tm_min, 2);
    text[16] = u':';
    put(17, t.tm_sec, 2);
    return QString(reinterpret_cast<const QChar *>(text), 19);
}

bool HistoryStore::backup_before_writing() const {
    QSqlQuery q(db());
    return q.exec(QStringLiteral("SELECT value FROM preferences WHERE name = 'backup_before_writing'")) && q.next() &&
           q.value(0).toString() == QLatin1String("1");
}

bool HistoryStore::set_backup_before_writing(bool on, QString *error) {
    QSqlQuery q(db());
    q.prepare(QStringLiteral("INSERT OR REPLACE INTO preferences (name, value) VALUES ('backup_before_writing', ?)"));
    q.addBindValue(on ? QStringLiteral("1") : QStringLiteral("0"));
    return q.exec() || fail(error, QStringLiteral("cannot remember the backup option"), q.lastError().text());
}

bool HistoryStore::flag(const QString &name) const {
    QSqlQuery q(db());
    q.prepare(QStringLiteral("SELECT value FROM preferences WHERE name = ?"));
    q.addBindValue(name);
    return q.exec() && q.next() && q.value(0).toString() == QLatin1String("1");
}

bool HistoryStore::set_flag(const QString &name, bool on, QString *error) {
    QSqlQuery q(db());
    q.prepare(QStringLiteral("INSERT OR REPLACE INTO preferences (name, value) VALUES (?, ?)"));
    q.addBindValue(name);
    q.addBindValue(on ? QStringLiteral("1") : QStringLiteral("0"));
    return q.exec() || fail(error, QStringLiteral("cannot remember %1").arg(name), q.lastError().text());
}

QString history_show_text(const HistoryEntry &e) {
    QString t;
    auto field = [&](const char *name, const QString &value) {
        if (!value.isEmpty())
            t += QStringLiteral("%1: %2\n").arg(QLatin1StringView(name), value);
    };
    field("Row", QString::number(e.id));
    field("Action", e.action);
    field("Started", history_time_text(e.started));
    field("Finished", history_time_text(e.finished));
    field("Outcome", e.outcome);
    field("Detail", e.detail);
    field("Device", e.device);
    field("Adapter", e.adapter);
    field("Converter", e.converter);
    field("Profile", history_profile_text(e));
    for (const QString &c : e.changed)
        field("Changed", c);
    field("File", e.file_name);
    if (e.file_size >= 0)
        field("File size", QString::number(e.file_size));
    field("SHA-256", e.file_sha256);
    if (!e.backup.isEmpty() || e.has_backup)
        field("Backup", QStringLiteral("%1 bytes read before writing").arg(e.backup.size()));
    if (!e.image.isEmpty())
        field("Image", QStringLiteral("%1 bytes").arg(e.image.size()));
    if (!e.trace.isEmpty())
        field("Trace", QStringLiteral("%1 bytes (history show %2 --trace)").arg(e.trace.size()).arg(e.id));
    t += QStringLiteral("Lines:\n");
    for (const QString &l : e.lines)
        t += QStringLiteral("  ") + l + QLatin1Char('\n');
    return t;
}

QByteArray history_to_json(const HistoryEntry &e) {
    QJsonObject o;
    o[QStringLiteral("id")] = e.id;
    o[QStringLiteral("started")] = iso(e.started);
    o[QStringLiteral("finished")] = e.finished.isValid() ? QJsonValue(iso(e.finished)) : QJsonValue();
    o[QStringLiteral("action")] = e.action;
    o[QStringLiteral("device")] = e.device;
    o[QStringLiteral("adapter")] = e.adapter;
    o[QStringLiteral("converter")] = e.converter;
    o[QStringLiteral("profilename")] = e.profile;
    if (!e.changed.isEmpty())
        o[QStringLiteral("changed_settings")] = QJsonArray::fromStringList(e.changed);
    o[QStringLiteral("outcome")] = e.outcome;
    o[QStringLiteral("detail")] = e.detail;
    if (!e.file_name.isEmpty()) {
        o[QStringLiteral("file_name")] = e.file_name;
        o[QStringLiteral("file_size")] = e.file_size;
        o[QStringLiteral("file_sha256")] = e.file_sha256;
    }
    o[QStringLiteral("lines")] = QJsonArray::fromStringList(e.lines);
    const QJsonDocument snap = QJsonDocument::fromJson(e.snapshot);
    o[QStringLiteral("snapshot")] = snap.isObject() ? QJsonValue(snap.object()) : QJsonValue();
    if (!e.backup.isEmpty())
        o[QStringLiteral("backup")] = QString::fromLatin1(e.backup.toHex());
    if (!e.image.isEmpty())
        o[QStringLiteral("image")] = QString::fromLatin1(e.image.toHex());
    if (!e.trace.isEmpty())
        o[QStringLiteral("trace")] = QString::fromUtf8(e.trace);
    return QJsonDocument(o).toJson(QJsonDocument::Indented);
}

} // namespace k52
