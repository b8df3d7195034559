#pragma once

#include "config_record.h"

#include <QString>
#include <QVariant>

#include <span>

namespace k52 {

enum class StoredType { Integer, Long, Text };

// One column of the profiles table: its name, stored type and codec.
struct Column {
    const char *name;
    StoredType type;
    // Fixed width of a composite or hex text (0 when free or numeric).
    int width;
    // Record field -> stored value. Normalises hex texts in the record, as
    // saving does. False (with a reason) when the value cannot be stored
    // without breaking the column's layout.
    bool (*encode)(ConfigRecord &rec, QVariant &stored, QString *error);
    // Stored value -> record field. `strict` also demands hex digits and the
    // fixed widths (used for imported files); loading is lenient where the
    // stored layout allows it. False (with a reason) when the value cannot
    // be converted; the field is then left untouched.
    bool (*decode)(const QVariant &stored, ConfigRecord &rec, bool strict, QString *error);
};

// The 218 setting columns, in table order.
std::span<const Column> columns();

// Index of a column by exact name, or -1.
int column_index(QStringView name);

// Number conversion shared by the codecs: the whole text (or number) must be
// an integer within [lo, hi].
// A real that is a whole number within 64 bits, as `out`; false otherwise
// (converting anything else would be undefined).
bool whole_int64(double d, qint64 &out);
bool to_integer(const QVariant &v, qint64 lo, qint64 hi, qint64 &out, QString *error);

} // namespace k52
