#pragma once

#include "config_record.h"
#include "link_settings.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

class QSqlError;
class QSqlQuery;
#include <optional>

namespace k52 {

// The profile database: tables `profiles` (key `profilename`, compared
// without regard to letter case, plus the 218 setting columns) and
// `settings` (one row of link settings). One connection, open for the run.
// Every failure comes back as false with a message that names the file.
class ProfileStore {
public:
    enum class OpenMode {
        Existing, // the file must exist and hold both tables
        // A missing or empty file (one whose creation never finished) is
        // created with both tables, the settings row and "Default" in one
        // transaction; a profile database that lost "Default" gets the
        // seeded one back.
        CreateIfMissing,
    };

    ProfileStore();
    ~ProfileStore();
    ProfileStore(const ProfileStore &) = delete;
    ProfileStore &operator=(const ProfileStore &) = delete;

    bool open(const QString &path, OpenMode mode, QString *error);
    // After a failed open: the file exists but is no usable profile
    // database (not SQLite, damaged, another program's tables). Moving it
    // aside is the cure; a locked or unreadable file is not "unusable".
    bool file_unusable() const { return unusable_; }
    void close();
    bool is_open() const;
    QString path() const { return path_; }
    // The Qt SQL connection of the open database (for the history tables).
    QString connection_name() const { return connection_; }

    // Profile names in name order.
    QStringList list_profiles(QString *error = nullptr) const;
    // The "=" seek: the stored spelling of the name, if a row has it.
    std::optional<QString> find_profile(const QString &name, QString *error = nullptr) const;

    // Fill `rec` from the named row. Decodes into a copy first, so a row that
    // cannot be converted leaves `rec` as it was. With `replaced`, a column that
    // cannot be converted takes its seeded value instead of failing the
    // load, and is described there (column, stored value, reason); the
    // stored row is not touched.
    bool load_profile(const QString &name, ConfigRecord &rec, QString *error, QStringList *replaced = nullptr);
    // Write `rec` to a new row (new_row) or over the named row. Hex texts of
    // `rec` are normalised as they are stored. One transaction.
    bool save_profile(const QString &name, bool new_row, ConfigRecord &rec, QString *error);
    bool delete_profile(const QString &name, QString *error);

    // Stored values of a row, in column order (for show/export).
    std::optional<QVector<QVariant>> stored_row(const QString &name, QString *error) const;
    // Write stored values as they are (already validated), replacing an
    // existing row of that name when `replace`. One transaction.
    bool write_row(const QString &name, const QVector<QVariant> &values, bool replace, QString *error);
    struct RowWrite {
        QString name;
        QVector<QVariant> values;
        bool replace = false;
    };
    // Several rows, and the link settings when given, in one transaction:
    // all of it lands or none of it does.
    bool write_rows(const QVector<RowWrite> &rows, const LinkSettings *settings, QString *error);

    // Read the settings row, seeding it when the table is empty.
    bool read_settings(LinkSettings &out, QString *error);
    bool write_settings(const LinkSettings &in, QString *error);

    // The values `rec` would be stored as, in column order (hex texts of
    // `rec` normalised). False when a value does not fit its column; the
    // message names the profile `name`.
    bool encode_row(const QString &name, ConfigRecord &rec, QVector<QVariant> &values, QString *error) const;

private:
    bool fail(QString *error, const QString &what, const QString &detail) const;
    bool fail_sql(QString *error, const QString &what, const QSqlError &e) const;
    bool fail_unusable(QString *error, const QString &what, const QString &detail) const;
    bool connect_and_check(OpenMode mode, QString *error);
    bool ensure_schema(bool create_or_repair, QString *error);
    bool create_schema(QString *error);
    // The statement of write_row, inside a transaction the caller holds;
    // `q` is prepared on first use and reused for the next rows of its kind.
    bool put_row(QSqlQuery &q, const QString &name, const QVector<QVariant> &values, bool replace, QString *error);
    static bool insert_row(QSqlQuery &q, const QString &name, const QVector<QVariant> &values);

    QString connection_;
    QString path_;
    mutable bool unusable_ = false;
};

// The values of the "Default" profile seeded into a new database.
ConfigRecord default_profile();

} // namespace k52
