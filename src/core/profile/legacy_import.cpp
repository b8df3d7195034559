#include "legacy_import.h"

#include "profile_names.h"

#include "columns.h"
#include "profile_json.h"

#include <mdbtools.h>

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLocale>

#include <memory>
#include <optional>

#include <fcntl.h>
#include <unistd.h>

namespace k52 {

namespace {

const QString kProfiles = QStringLiteral("profiles");
const QString kSettings = QStringLiteral("settings");
const QString kNameColumn = QStringLiteral("profilename");

struct MdbCloser {
    void operator()(MdbHandle *h) const { mdb_close(h); }
};
struct TableCloser {
    void operator()(MdbTableDef *t) const { mdb_free_tabledef(t); }
};

// mdbtools prints its own complaints about a damaged file on standard
// error; ours say it once, in words an installer can use.
class QuietStderr {
public:
    QuietStderr() : saved_(::dup(2)) {
        const int null = ::open("/dev/null", O_WRONLY);
        if (saved_ >= 0 && null >= 0)
            ::dup2(null, 2);
        if (null >= 0)
            ::close(null);
    }
    ~QuietStderr() {
        if (saved_ >= 0) {
            ::dup2(saved_, 2);
            ::close(saved_);
        }
    }
    QuietStderr(const QuietStderr &) = delete;
    QuietStderr &operator=(const QuietStderr &) = delete;

private:
    int saved_;
};

// The signature of page 0 of every Jet and ACE file.
std::optional<QString> access_format(const QByteArray &head) {
    if (head.size() < 0x15 || head[0] != 0)
        return std::nullopt;
    const QByteArray sig = head.mid(4, 15);
    const int version = static_cast<unsigned char>(head[0x14]);
    if (sig == "Standard Jet DB")
        return version == 0 ? QStringLiteral("Jet 3") : QStringLiteral("Jet 4");
    if (sig == "Standard ACE DB")
        return QStringLiteral("ACE");
    return std::nullopt;
}

QVariant cell(const MdbColumn *col, const char *text) {
    const QString s = QString::fromUtf8(text);
    switch (col->col_type) {
    case MDB_TEXT:
    case MDB_MEMO:
        return s;
    case MDB_BOOL:
        return qint64(s == QLatin1String("1") ? 1 : 0);
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT: {
        if (col->cur_value_len == 0)
            return {}; // null
        bool ok = false;
        const qint64 n = s.toLongLong(&ok);
        return ok ? QVariant(n) : QVariant();
    }
    case MDB_FLOAT:
    case MDB_DOUBLE:
    case MDB_MONEY:
    case MDB_NUMERIC: {
        if (col->cur_value_len == 0)
            return {};
        bool ok = false;
        const double d = QLocale::c().toDouble(s, &ok);
        return ok ? QVariant(d) : QVariant(s);
    }
    default:
        return {};
    }
}

bool read_table(MdbCatalogEntry *entry, LegacyTable &out) {
    std::unique_ptr<MdbTableDef, TableCloser> table(mdb_read_table(entry));
    if (!table || !mdb_read_columns(table.get()))
        return false;
    const unsigned n = table->num_cols;
    MdbHandle *mdb = entry->mdb;
    std::vector<std::vector<char>> bound(n, std::vector<char>(mdb->bind_size + 1));
    std::vector<int> lens(n);
    out.columns.clear();
    for (unsigned i = 0; i < n; ++i) {
        auto *col = static_cast<MdbColumn *>(g_ptr_array_index(table->columns, i));
        out.columns << QString::fromUtf8(col->name);
        mdb_bind_column(table.get(), int(i) + 1, bound[i].data(), &lens[i]);
    }
    out.declared_rows = table->num_rows;
    mdb_rewind_table(table.get());
    while (mdb_fetch_row(table.get())) {
        QVector<QVariant> row;
        row.reserve(int(n));
        for (unsigned i = 0; i < n; ++i)
            row << cell(static_cast<MdbColumn *>(g_ptr_array_index(table->columns, i)), bound[i].data());
        out.rows << row;
    }
    return true;
}

// Our values of the Default profile, as stored.
const QVector<QVariant> &default_values() {
    static const QVector<QVariant> values = [] {
        ConfigRecord rec = default_profile();
        QVector<QVariant> v;
        for (const Column &c : columns()) {
            QVariant x;
            QString why;
            c.encode(rec, x, &why);
            v << x;
        }
        return v;
    }();
    return values;
}

int find_column(const QStringList &names, const QString &name) {
    for (int i = 0; i < names.size(); ++i)
        if (names[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

} // namespace

QString lost_rows_text(const QString &path, const QString &table_name, const LegacyTable &table) {
    if (table.lost_rows() == 0)
        return {};
    return QStringLiteral("%1: table \"%2\" is damaged: only %3 of its %4 rows could be read")
        .arg(path, table_name)
        .arg(table.rows.size())
        .arg(table.declared_rows);
}

bool is_access_file(const QString &path) {
    QFile f(path);
    return QFileInfo(path).isFile() && f.open(QIODevice::ReadOnly) && access_format(f.read(0x20)).has_value();
}

std::optional<LegacyDatabase> read_legacy_database(const QString &path, QString *error, bool quiet) {
    auto fail = [&](const QString &why) -> std::optional<LegacyDatabase> {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, why);
        return std::nullopt;
    };
    QFile f(path);
    if (!QFileInfo(path).isFile() && QFileInfo::exists(path))
        return fail(QStringLiteral("cannot be read: not a file"));
    if (!f.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot be read: %1").arg(f.errorString()));
    const std::optional<QString> format = access_format(f.read(0x20));
    f.close();
    if (!format)
        return fail(QStringLiteral("not an Access database (an .mdb or .accdb file is expected)"));

    std::optional<QuietStderr> quieted;
    if (quiet)
        quieted.emplace();
    std::unique_ptr<MdbHandle, MdbCloser> mdb(mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS));
    if (!mdb)
        return fail(QStringLiteral("cannot be read: the %1 database is damaged or incomplete").arg(*format));
    if (!mdb_read_catalog(mdb.get(), MDB_TABLE))
        return fail(QStringLiteral("cannot be read: the list of tables of the %1 database is damaged").arg(*format));

    LegacyDatabase db;
    db.format = *format;
    MdbCatalogEntry *profiles = nullptr;
    MdbCatalogEntry *settings = nullptr;
    bool system_tables = false;
    for (unsigned i = 0; i < mdb->num_catalog; ++i) {
        auto *e = static_cast<MdbCatalogEntry *>(g_ptr_array_index(mdb->catalog, i));
        if (!mdb_is_user_table(e)) {
            system_tables = system_tables || mdb_is_system_table(e);
            continue;
        }
        const QString name = QString::fromUtf8(e->object_name);
        db.tables << name;
        if (name.compare(kProfiles, Qt::CaseInsensitive) == 0)
            profiles = e;
        else if (name.compare(kSettings, Qt::CaseInsensitive) == 0)
            settings = e;
    }
    // Every sound file lists its system tables: a list without them is
    // damaged, not empty.
    if (!profiles && db.tables.isEmpty() && !system_tables)
        return fail(QStringLiteral("cannot be read: the list of tables of the %1 database is damaged").arg(*format));
    if (!profiles)
        return fail(db.tables.isEmpty()
                        ? QStringLiteral("no table \"profiles\": this %1 database holds no tables").arg(*format)
                        : QStringLiteral("no table \"profiles\": this %1 database holds the tables %2")
                              .arg(*format, db.tables.join(QStringLiteral(", "))));
    if (!read_table(profiles, db.profiles))
        return fail(QStringLiteral("cannot be read: table \"profiles\" is damaged"));
    if (settings) {
        LegacyTable t;
        if (!read_table(settings, t))
            return fail(QStringLiteral("cannot be read: table \"settings\" is damaged"));
        db.settings = t;
    }
    return db;
}

LegacyProfiles convert_legacy_profiles(const LegacyTable &table) {
    LegacyProfiles out;
    const int name_col = find_column(table.columns, kNameColumn);
    if (name_col < 0) {
        out.error = QStringLiteral("table \"profiles\" has no column \"profilename\"");
        return out;
    }
    const auto cols = columns();
    QVector<int> source(int(cols.size()), -1);
    for (std::size_t i = 0; i < cols.size(); ++i) {
        source[int(i)] = find_column(table.columns, QLatin1StringView(cols[i].name));
        if (source[int(i)] < 0)
            out.missing << QLatin1StringView(cols[i].name);
    }
    for (int j = 0; j < table.columns.size(); ++j) {
        if (j == name_col)
            continue;
        bool known = false;
        for (const Column &c : cols)
            known = known || table.columns[j].compare(QLatin1StringView(c.name), Qt::CaseInsensitive) == 0;
        if (!known)
            out.unknown << table.columns[j];
    }

    QHash<QString, int> seen;
    const QVector<QVariant> &defaults = default_values();
    for (const QVector<QVariant> &row : table.rows) {
        LegacyProfile p;
        const QVariant name = row.value(name_col);
        p.name = name.typeId() == QMetaType::QString ? name.toString() : QString();
        if (name.typeId() != QMetaType::QString) {
            p.refusal = QStringLiteral("column profilename must be a text");
        } else if (const std::optional<QString> valid = valid_profile_name(p.name, &p.refusal)) {
            p.name = *valid;
            if (seen.contains(p.name.toLower()))
                p.refusal = QStringLiteral("the file holds another profile of this name");
        }
        seen.insert(p.name.toLower(), 1);
        if (p.refusal.isEmpty()) {
            p.stored.reserve(int(cols.size()));
            for (std::size_t i = 0; i < cols.size() && p.refusal.isEmpty(); ++i) {
                if (source[int(i)] < 0) {
                    p.stored << defaults[int(i)];
                    continue;
                }
                QVariant stored;
                if (!check_imported_value(cols[i], row.value(source[int(i)]), stored, &p.refusal))
                    break;
                p.stored << stored;
            }
        }
        if (!p.refusal.isEmpty())
            p.stored.clear();
        out.profiles << p;
    }
    return out;
}

std::optional<LinkSettings> convert_legacy_settings(const LegacyTable &table, const LinkSettings &current,
                                                    QString *error) {
    auto fail = [&](const QString &w) -> std::optional<LinkSettings> {
        if (error)
            *error = w;
        return std::nullopt;
    };
    if (table.rows.isEmpty())
        return fail(QStringLiteral("table \"settings\" has no row"));
    const QVector<QVariant> &row = table.rows.first();
    LinkSettings s = current;
    auto text = [&](const char *name, QString &to) {
        const int i = find_column(table.columns, QLatin1StringView(name));
        if (i < 0)
            return true;
        if (row[i].typeId() != QMetaType::QString)
            return false;
        to = row[i].toString();
        return true;
    };
    auto number = [&](const char *name, qint64 lo, qint64 hi, auto &to) {
        const int i = find_column(table.columns, QLatin1StringView(name));
        if (i < 0)
            return true;
        qint64 n = 0;
        QString w;
        if (row[i].typeId() == QMetaType::QString || !to_integer(row[i], lo, hi, n, &w))
            return false;
        to = static_cast<std::remove_reference_t<decltype(to)>>(n);
        return true;
    };
    qint64 terminator = -1;
    const struct {
        const char *name;
        bool ok;
    } checks[] = {
        {"ipaddress", text("ipaddress", s.ipaddress)},
        {"remoteportaddress", text("remoteportaddress", s.remoteportaddress)},
        {"commport", number("commport", 0, 32767, s.commport)},
        {"baudrate", number("baudrate", 0, 2147483647, s.baudrate)},
        {"commtype", text("commtype", s.commtype)},
        {"Terminator", number("Terminator", 0, 255, terminator)},
        {"parity", number("parity", 0, 2, s.parity)},
    };
    for (const auto &c : checks)
        if (!c.ok)
            return fail(QStringLiteral("column %1 of table \"settings\" holds a value that cannot be used")
                            .arg(QLatin1StringView(c.name)));
    if (terminator >= 0)
        s.Terminator = terminator_text(terminator);
    return s;
}

bool same_stored_values(const QVector<QVariant> &a, const QVector<QVariant> &b) {
    if (a.size() != b.size())
        return false;
    for (int i = 0; i < a.size(); ++i) {
        const bool text = a[i].typeId() == QMetaType::QString || b[i].typeId() == QMetaType::QString;
        if (a[i].isNull() != b[i].isNull())
            return false;
        if (text ? a[i].toString() != b[i].toString() : a[i].toLongLong() != b[i].toLongLong())
            return false;
    }
    return true;
}

LegacyState legacy_state(const LegacyProfile &p, const std::optional<QVector<QVariant>> &ours) {
    if (!p.refusal.isEmpty())
        return LegacyState::Refused;
    if (!ours)
        return LegacyState::New;
    return same_stored_values(p.stored, *ours) ? LegacyState::Same : LegacyState::Differs;
}

LegacyAction legacy_action(LegacyState state, bool overwrite) {
    switch (state) {
    case LegacyState::Refused:
        return LegacyAction::Refuse;
    case LegacyState::New:
        return LegacyAction::Import;
    case LegacyState::Same:
    case LegacyState::Differs:
        break;
    }
    return overwrite ? LegacyAction::Overwrite : LegacyAction::Skip;
}

QString legacy_action_text(LegacyAction action, const QString &refusal) {
    switch (action) {
    case LegacyAction::Import:
        return QStringLiteral("imported");
    case LegacyAction::Overwrite:
        return QStringLiteral("overwritten");
    case LegacyAction::Skip:
        return QStringLiteral("skipped (exists)");
    case LegacyAction::Refuse:
        break;
    }
    return QStringLiteral("refused: ") + refusal;
}

QString legacy_state_text(LegacyState state, const QString &refusal) {
    switch (state) {
    case LegacyState::New:
        return QStringLiteral("new");
    case LegacyState::Same:
        return QStringLiteral("same as the stored one");
    case LegacyState::Differs:
        return QStringLiteral("differs from the stored one");
    case LegacyState::Refused:
        break;
    }
    return QStringLiteral("refused: ") + refusal;
}

std::optional<QVector<LegacyPlanItem>> plan_legacy_import(const LegacyProfiles &profiles, const ProfileStore &store,
                                                          QString *error) {
    QVector<LegacyPlanItem> items;
    for (const LegacyProfile &p : profiles.profiles) {
        LegacyPlanItem item{p, std::nullopt, LegacyState::Refused};
        std::optional<QVector<QVariant>> row;
        if (p.refusal.isEmpty()) {
            QString why;
            item.ours = store.find_profile(p.name, &why);
            if (!why.isEmpty()) {
                if (error)
                    *error = why;
                return std::nullopt;
            }
            if (item.ours && !(row = store.stored_row(*item.ours, error)))
                return std::nullopt;
        }
        item.state = legacy_state(p, row);
        items << item;
    }
    return items;
}

std::optional<QVector<LegacyOutcome>> apply_legacy_import(ProfileStore &store, const QVector<LegacyPlanItem> &items,
                                                          const QVector<bool> &overwrite, const LinkSettings *settings,
                                                          QString *error) {
    QVector<LegacyOutcome> outcomes;
    QVector<ProfileStore::RowWrite> writes;
    for (int i = 0; i < items.size(); ++i) {
        const LegacyPlanItem &it = items[i];
        const LegacyAction a = legacy_action(it.state, overwrite.value(i));
        outcomes << LegacyOutcome{it.profile.name, a, it.profile.refusal};
        if (a == LegacyAction::Import || a == LegacyAction::Overwrite)
            writes << ProfileStore::RowWrite{it.ours.value_or(it.profile.name), it.profile.stored,
                                             a == LegacyAction::Overwrite};
    }
    if ((!writes.isEmpty() || settings) && !store.write_rows(writes, settings, error))
        return std::nullopt;
    return outcomes;
}

QStringList legacy_column_notes(const LegacyProfiles &profiles) {
    QStringList notes;
    if (!profiles.missing.isEmpty())
        notes << QStringLiteral("Columns the file lacks, taken from the Default profile: ") +
                     profiles.missing.join(QStringLiteral(", "));
    if (!profiles.unknown.isEmpty())
        notes << QStringLiteral("Columns not known here, ignored: ") + profiles.unknown.join(QStringLiteral(", "));
    return notes;
}

QStringList legacy_summary(const QVector<LegacyOutcome> &outcomes) {
    QStringList lines;
    int counts[4] = {};
    for (const LegacyOutcome &o : outcomes) {
        ++counts[int(o.action)];
        lines << o.name + QStringLiteral(": ") + legacy_action_text(o.action, o.refusal);
    }
    lines << QStringLiteral("%1 imported, %2 overwritten, %3 skipped (exists), %4 refused")
                 .arg(counts[int(LegacyAction::Import)])
                 .arg(counts[int(LegacyAction::Overwrite)])
                 .arg(counts[int(LegacyAction::Skip)])
                 .arg(counts[int(LegacyAction::Refuse)]);
    return lines;
}

bool legacy_default_tick(LegacyState state) {
    return state == LegacyState::New;
}

LegacySelection legacy_selection(const QVector<LegacyPlanItem> &items, const QVector<bool> &ticks) {
    LegacySelection out;
    for (int i = 0; i < items.size(); ++i) {
        const bool tick = ticks.value(i);
        if (items[i].state == LegacyState::New && !tick)
            continue;
        out.items << items[i];
        out.overwrite << (tick && items[i].state != LegacyState::Refused);
    }
    return out;
}

} // namespace k52
