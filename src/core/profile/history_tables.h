#pragma once
// The history's tables in the profile database: made with the database,
// and added to databases made before there was a history.

#include <QString>

class QSqlDatabase;

namespace k52 {

// Creates the two tables and their indexes when missing; `q` runs on the
// database (inside the caller's transaction when there is one).
bool create_history_tables(QSqlDatabase &db, QString *error);
// Adds the digest columns of the stored images to a history made before
// they were kept (nothing when they are there). False when the database
// cannot be changed.
bool add_history_digest_columns(QSqlDatabase &db);

} // namespace k52
