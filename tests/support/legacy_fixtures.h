#pragma once
// Older Access profile databases for the import tests: our `profiles` and
// `settings` tables written by the Jet writer, and what mdbtools' own
// mdb-export prints for them.

#include "support/jet_writer.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

namespace k52test {

// A row of `profiles`: its name and the values that differ from our
// Default profile (by column name).
struct FixtureProfile {
    QString name;
    QMap<QString, QVariant> values;
};

struct ProfilesLayout {
    QMap<QString, JetType> types; // a column typed otherwise than Integer/Long/Text
    QStringList dropped;          // our columns the table lacks
    QStringList extra;            // columns we do not know (texts)
};

// The stored values of our Default profile, by column name, in table order.
QVector<QPair<QString, QVariant>> default_columns();
// A value for every column, each differing from Default and sound for its
// column (widths, hex digits, ranges).
QMap<QString, QVariant> rich_values();
// The value a fixture profile holds in a column (its own, else Default's).
QVariant fixture_value(const FixtureProfile &p, const QString &column);

JetTable profiles_table(const QVector<FixtureProfile> &rows, const ProfilesLayout &layout = {});
JetTable settings_table(const QString &ip, const QString &port, int commport, int baudrate, const QString &type,
                        int terminator, int parity);

// What `mdb-export FILE TABLE` prints, and what it should print for `t`.
QString mdb_export(const QString &file, const QString &table);
QString expected_export(const JetTable &t);

// Make every insert of a profile of this name into our database fail with
// "disk trouble", as a write that breaks off part-way would.
bool fail_inserts_of(const QString &db, const QString &name);

// Where the real Access samples are (empty when absent).
QString legacy_samples_dir();

} // namespace k52test
