#pragma once

#include "config_record.h"

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <QVector>

#include <optional>

namespace k52 {

// Export file of one profile:
//   {"profilename": NAME, "columns": {COLUMN: stored value, ...}}
// with the columns in table order; numbers as JSON numbers, texts as strings.
QByteArray profile_to_json(const QString &name, const QVector<QVariant> &stored);

// Largest export file that is read: an export is about 7 KB, so 1 MiB is
// far above any real one while keeping a wrong file from filling memory.
inline constexpr qint64 kMaxProfileFileBytes = 1024 * 1024;
// The record's values as a save would store them (hex texts normalised), in
// column order. A value that cannot be stored is left null.
QVector<QVariant> record_values(const ConfigRecord &rec);
// The other way: the record a stored row holds, each column decoded as
// loading does. A column that does not decode keeps its zero value.
ConfigRecord stored_record(const QVector<QVariant> &stored);
// The same file for a record in memory (what a device action sent).
QByteArray record_to_json(const QString &name, const ConfigRecord &rec);

struct ImportedProfile {
    QString name;             // "profilename" of the file
    QVector<QVariant> stored; // values in column order, ready for the store
};

// Parse and validate a whole export file: every column present and of its
// stored type, composite texts of their width, hex texts hex, `sermagparms`
// digits; no key twice in one object; a valid profile name. Nothing is
// returned unless all of it is sound.
std::optional<ImportedProfile> profile_from_json(const QByteArray &data, QString *error);

struct Column;

// One value of an imported profile, checked as the store will hold it: a
// text column takes a string; a number column a whole number (an integer,
// or a real without a fraction); then the column's strict decoding (ranges,
// widths, hex digits, composite layouts). On success `stored` is the value
// to write; otherwise `why` names the column and the reason. Every import
// (JSON file, older database) goes through this one check.
bool check_imported_value(const Column &c, const QVariant &in, QVariant &stored, QString *error);

} // namespace k52
