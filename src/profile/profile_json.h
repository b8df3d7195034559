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

// The record's values as a save would store them (hex texts normalised), in
// column order. A value that cannot be stored is left null.
QVector<QVariant> record_values(const ConfigRecord &rec);
// The same file for a record in memory (what a device action sent).
QByteArray record_to_json(const QString &name, const ConfigRecord &rec);

struct ImportedProfile {
    QString name;             // "profilename" of the file
    QVector<QVariant> stored; // values in column order, ready for the store
};

// Parse and validate a whole export file: every column present and of its
// stored type, composite texts of their width, hex texts hex, `sermagparms`
// digits. Nothing is returned unless all of it is sound.
std::optional<ImportedProfile> profile_from_json(const QByteArray &data, QString *error);

} // namespace k52
