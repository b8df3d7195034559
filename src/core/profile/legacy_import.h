#pragma once
// Import of the older Access profile database (tables `profiles` and
// `settings`) into ours. Reading goes through mdbtools; every value then
// passes the same checks as a JSON import.

#include "link_settings.h"
#include "profile_store.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <optional>

namespace k52 {

// One table as the file holds it. Values: QString for text and memo
// columns, qint64 for whole-number columns (yes/no as 0 or 1), double for
// real and currency columns; an invalid QVariant for a null number or a kind
// of value we never store (dates, binary, OLE).
struct LegacyTable {
    QStringList columns;
    QVector<QVector<QVariant>> rows;
    qint64 declared_rows = -1; // the row count the table's definition gives; -1: unknown
    // Rows the definition counts that could not be read (a damaged table).
    qint64 lost_rows() const { return declared_rows > rows.size() ? declared_rows - rows.size() : 0; }
};

struct LegacyDatabase {
    QString format;     // "Jet 3", "Jet 4" or "ACE"
    QStringList tables; // the user tables, as the file names them
    LegacyTable profiles;
    std::optional<LegacyTable> settings;
};

// Read tables `profiles` and, when present, `settings`. Nothing, with a
// message that names the file, when the file cannot be read, is not an
// Access database or has no `profiles` table (the message then lists the
// tables it does hold).
// `quiet`: the reader library's own complaints are kept off standard error.
// Hostile files can crash the reader: the program reads through
// read_legacy_database_isolated() (legacy_reader.h).
std::optional<LegacyDatabase> read_legacy_database(const QString &path, QString *error, bool quiet = true);

// Why a table whose definition counts more rows than could be read must
// not be imported whole, naming the file: "table "profiles" is damaged:
// only N of its M rows could be read". Empty when every row was read.
QString lost_rows_text(const QString &path, const QString &table_name, const LegacyTable &table);

// True when the file begins as a Jet or ACE (Access) database does.
bool is_access_file(const QString &path);

// One row of `profiles` as the values of our table.
struct LegacyProfile {
    QString name;
    QVector<QVariant> stored; // every column, complete unless refused
    QString refusal;          // the column and the reason; empty when sound
};

struct LegacyProfiles {
    QVector<LegacyProfile> profiles;
    QStringList missing; // our columns the file lacks: the Default profile's values
    QStringList unknown; // the file's columns we do not know: ignored
    QString error;       // the table cannot be used at all (no `profilename`)
};

// Pure: check every row. Names are compared without regard to case; a later
// row with a name seen before is refused.
LegacyProfiles convert_legacy_profiles(const LegacyTable &table);

// Pure: the link settings of the first `settings` row over `current`
// (`Terminator` number -> two hex digits, as at start-up). Nothing, with
// the reason, when a value cannot be taken.
std::optional<LinkSettings> convert_legacy_settings(const LegacyTable &table, const LinkSettings &current,
                                                    QString *error);

// What a profile of the file is beside ours.
enum class LegacyState { New, Same, Differs, Refused };
// What the import does with it.
enum class LegacyAction { Import, Overwrite, Skip, Refuse };

// Pure: stored values compared column by column (numbers as numbers).
bool same_stored_values(const QVector<QVariant> &a, const QVector<QVariant> &b);
LegacyState legacy_state(const LegacyProfile &p, const std::optional<QVector<QVariant>> &ours);
LegacyAction legacy_action(LegacyState state, bool overwrite);
// "imported", "overwritten", "skipped (exists)", "refused: <reason>".
QString legacy_action_text(LegacyAction action, const QString &refusal);
// "new", "same as the stored one", "differs from the stored one", "refused: <reason>".
QString legacy_state_text(LegacyState state, const QString &refusal);

struct LegacyPlanItem {
    LegacyProfile profile;
    std::optional<QString> ours; // our stored spelling of the name
    LegacyState state = LegacyState::New;
};

// Each profile beside the store's rows.
std::optional<QVector<LegacyPlanItem>> plan_legacy_import(const LegacyProfiles &profiles, const ProfileStore &store,
                                                          QString *error);

struct LegacyOutcome {
    QString name;
    LegacyAction action;
    QString refusal;
};

// Write the chosen items (`overwrite[i]` says what to do with an existing
// one) and the settings, when given, in one transaction. On failure the
// database is as it was and nothing is returned.
std::optional<QVector<LegacyOutcome>> apply_legacy_import(ProfileStore &store, const QVector<LegacyPlanItem> &items,
                                                          const QVector<bool> &overwrite, const LinkSettings *settings,
                                                          QString *error);

// Pure: what the file's columns mean for the import, one line each for
// the missing and the unknown ones (none when the columns match ours).
QStringList legacy_column_notes(const LegacyProfiles &profiles);

// Pure: the per-profile lines ("NAME: imported", ...) and, last, the counts
// ("N imported, N overwritten, N skipped (exists), N refused").
QStringList legacy_summary(const QVector<LegacyOutcome> &outcomes);

// Pure: the tick a profile starts with in the window: new ones ticked, those
// we hold already (same or differing) not; refused ones cannot be ticked.
bool legacy_default_tick(LegacyState state);

// Pure: the window's ticks as an import: ticked new profiles, every one we
// hold already (overwritten when ticked, else skipped) and the refused ones
// (so the summary names them); unticked new ones are left out.
struct LegacySelection {
    QVector<LegacyPlanItem> items;
    QVector<bool> overwrite;
};
LegacySelection legacy_selection(const QVector<LegacyPlanItem> &items, const QVector<bool> &ticks);

} // namespace k52
