// Import of the older Access profile database, through the command line as
// the installer runs it, on files laid out page by page by the Jet writer
// (each first read back by mdbtools' own mdb-export).
#include "core/profile/columns.h"
#include "core/profile/legacy_import.h"
#include "support/cli_run.h"
#include "support/file_bytes.h"
#include "support/legacy_fixtures.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QTemporaryDir>

using namespace k52test;

namespace {

QString version_name(JetVersion v) {
    return v == JetVersion::Jet4 ? QStringLiteral("Jet 4") : QStringLiteral("Jet 3");
}

FixtureProfile rich_profile() {
    FixtureProfile p{QStringLiteral("Rich"), rich_values()};
    p.values[QStringLiteral("seringoodbeep")] = 1; // a yes/no column holds 0 or 1
    return p;
}

FixtureProfile default_fixture() {
    return {QStringLiteral("Default"), {}};
}

// Columns of the older file typed with every kind the reader turns into a
// value: yes/no, byte, real and memo beside Integer, Long and Text.
ProfilesLayout every_kind() {
    ProfilesLayout l;
    l.types[QStringLiteral("seringoodbeep")] = JetBool;
    l.types[QStringLiteral("input1magtk")] = JetByte;
    l.types[QStringLiteral("baudrate")] = JetDouble;
    l.types[QStringLiteral("spkrstart")] = JetMemo;
    return l;
}

class LegacyImport : public ::testing::TestWithParam<JetVersion> {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        const CliRun r = k52util(db, {"profiles", "export", "Default"}); // the database with its Default
        ASSERT_EQ(r.code, 0) << r.err.toStdString();
    }
    // Write a fixture and check it with mdb-export before anything else.
    QString fixture(const QString &name, const QVector<JetTable> &tables) {
        const QString path = dir.filePath(name + (GetParam() == JetVersion::Jet4 ? ".mdb" : ".jet3.mdb"));
        EXPECT_TRUE(write_jet_database(path, GetParam(), tables));
        for (const JetTable &t : tables)
            EXPECT_EQ(mdb_export(path, t.name), expected_export(t)) << "table " << t.name.toStdString();
        return path;
    }
    CliRun import(const QString &file, QStringList more = {}) {
        return k52util(db, QStringList{"profiles", "import-legacy", file} + more);
    }
    QMap<QString, QString> shown(const QString &name) {
        QMap<QString, QString> m;
        const CliRun r = k52util(db, {"profiles", "show", name});
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        for (const QString &line : r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            m.insert(line.section(QLatin1Char('='), 0, 0), line.section(QLatin1Char('='), 1));
        return m;
    }
    QByteArray db_hash() { return QCryptographicHash::hash(file_bytes(db), QCryptographicHash::Sha256); }
    // Every column of the imported profile equals what the fixture holds
    // (or, for a column the file lacks, the Default profile's value).
    void expect_round_trip(const FixtureProfile &p, const QString &as, const QStringList &dropped = {}) {
        const QMap<QString, QString> got = shown(as);
        ASSERT_EQ(got.size(), 218);
        for (const auto &[column, def] : default_columns()) {
            const QVariant want = dropped.contains(column) ? def : fixture_value(p, column);
            const QString text =
                want.typeId() == QMetaType::Double ? QString::number(want.toLongLong()) : want.toString();
            EXPECT_EQ(got.value(column), text) << as.toStdString() << " column " << column.toStdString();
        }
    }

    QTemporaryDir dir;
    QString db = dir.filePath(QStringLiteral("profiles.db"));
};

} // namespace

TEST_P(LegacyImport, EveryColumnOfEveryProfileArrivesAsWritten) {
    const FixtureProfile quoted{QStringLiteral("Shop \"Nord\" caf\u00e9 \u00fcber 'Ost'"), {{"spkrfreq", 1234}}};
    const FixtureProfile wide{QStringLiteral("\u0141\u00f3d\u017a gate"), {{"wiepulse", 7}}};
    QVector<FixtureProfile> rows{default_fixture(), rich_profile(), quoted};
    if (GetParam() == JetVersion::Jet4)
        rows << wide; // characters beyond code page 1252 exist only in Jet 4's UCS-2
    const QString file = fixture(QStringLiteral("rich"), {profiles_table(rows, every_kind())});

    const CliRun r = import(file);
    ASSERT_EQ(r.code, 0) << r.err.toStdString() << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("(%1)").arg(version_name(GetParam())))) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("  Default: skipped (exists)\n"))) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("  Rich: imported\n")));
    EXPECT_TRUE(r.out.contains(
        QStringLiteral("%1 imported, 0 overwritten, 1 skipped (exists), 0 refused").arg(rows.size() - 1)));
    EXPECT_FALSE(r.out.contains(QStringLiteral("Columns"))) << "nothing missing, nothing unknown";
    for (const FixtureProfile &p : rows.mid(1))
        expect_round_trip(p, p.name);

    // The export file carries the same values, under the same name.
    const CliRun exp = k52util(db, {"profiles", "export", quoted.name});
    ASSERT_EQ(exp.code, 0);
    EXPECT_TRUE(exp.out.contains(QStringLiteral("\"spkrfreq\": 1234")));
    EXPECT_TRUE(exp.out.contains(QStringLiteral("caf\u00e9 \u00fcber")));
}

TEST_P(LegacyImport, MissingColumnsTakeDefaultsAndUnknownOnesAreListedOnce) {
    ProfilesLayout l;
    l.dropped = QStringList{"sermask3", "input1totalbits3", "spkrstart"};
    l.extra = QStringList{"notes", "colour"};
    const FixtureProfile a = rich_profile();
    const FixtureProfile b{QStringLiteral("Second"), {{"zerosuppress", 1}}};
    const QString file = fixture(QStringLiteral("older"), {profiles_table({a, b}, l)});

    const CliRun r = import(file);
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out.count(QStringLiteral("Columns the file lacks, taken from the Default profile: "
                                         "sermask3, input1totalbits3, spkrstart\n")),
              1)
        << r.out.toStdString();
    EXPECT_EQ(r.out.count(QStringLiteral("Columns not known here, ignored: notes, colour\n")), 1);
    expect_round_trip(a, a.name, l.dropped);
    expect_round_trip(b, b.name, l.dropped);
}

TEST_P(LegacyImport, RefusedRowsNameColumnAndReasonAndChangeNothing) {
    // A text column where a number belongs refuses every row of the file.
    ProfilesLayout text_typed;
    text_typed.types[QStringLiteral("spkrfreq")] = JetText;
    const QString typed = fixture(QStringLiteral("typed"),
                                  {profiles_table({{QStringLiteral("Rich"), {{"spkrfreq", QStringLiteral("5")}}},
                                                   {QStringLiteral("Loud"), {{"spkrfreq", QStringLiteral("loud")}}}},
                                                  text_typed)});
    const QByteArray before = db_hash();
    CliRun r = import(typed);
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.out.contains(QStringLiteral("  Rich: refused: column spkrfreq must be a number\n")))
        << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("  Loud: refused: column spkrfreq must be a number\n")));
    EXPECT_TRUE(r.out.contains(QStringLiteral("0 imported, 0 overwritten, 0 skipped (exists), 2 refused")));
    EXPECT_EQ(db_hash(), before);

    // Single bad values: only their rows are refused.
    struct Case {
        const char *name, *column;
        QVariant value;
        const char *says;
    };
    const Case cases[] = {
        {"Out of range", "input1totalbits", 40000, "column input1totalbits holds \"40000\": outside -32768 to 32767"},
        {"Short hex", "serwiesiteover", QStringLiteral("ABC"),
         "column serwiesiteover holds \"ABC\": 3 characters where 4"},
        {"Not hex", "input1wielpmask", QStringLiteral("0123456789ABCDEG"),
         "input1wielpmask holds \"0123456789ABCDEG\": not hexadecimal"},
        {"Letter in mask", "sermask1", QStringLiteral("1031207004050B10611150021003199X099"),
         "entry 5 has 'X' where a digit belongs"},
        {"Short terminators", "terminators", QStringLiteral("0D0A"),
         "column terminators holds \"0D0A\": 4 characters where 6"},
        {"Letter in options", "sermagparms", QStringLiteral("1a101"), "'a' is not a digit"},
        {"Bad parity", "parity", 3, "parity must be 0, 1 or 2"},
        {"Null number", "wiepulse", QVariant(), "Null number: refused: column wiepulse must be a number"},
        {" ", "zerosuppress", 1, " : refused: The profile name must not be empty"},
        {"RICH", "zerosuppress", 1, "RICH: refused: the file holds another profile of this name"},
    };
    ProfilesLayout l;
    l.types[QStringLiteral("input1totalbits")] = JetLong; // wider than our Integer
    QVector<FixtureProfile> rows{rich_profile()};
    for (const Case &c : cases)
        rows << FixtureProfile{QString::fromUtf8(c.name), {{c.column, c.value}}};
    r = import(fixture(QStringLiteral("wrong"), {profiles_table(rows, l)}));
    EXPECT_EQ(r.code, 1);
    for (const Case &c : cases)
        EXPECT_TRUE(r.out.contains(QString::fromUtf8(c.says))) << c.says << "\n" << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("  Rich: imported\n"))) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("1 imported, 0 overwritten, 0 skipped (exists), 10 refused")));
    EXPECT_EQ(k52util(db, {"profiles", "list"}).out, "Default\nRich\n");
}

TEST_P(LegacyImport, ExistingProfilesAreKeptUnlessForcedComparingNamesWithoutCase) {
    FixtureProfile shop = rich_profile();
    shop.name = QStringLiteral("shop");
    const QString file = fixture(
        QStringLiteral("conflict"),
        {profiles_table({{QStringLiteral("DEFAULT"), {}}, shop, {QStringLiteral("Other"), {{"spkrfreq", 99}}}})});
    // "Shop" exists with other values.
    ASSERT_EQ(import(fixture(QStringLiteral("first"), {profiles_table({{QStringLiteral("Shop"), {}}})})).code, 0);
    const QMap<QString, QString> kept = shown(QStringLiteral("Shop"));

    CliRun r = import(file, {"--only", "SHOP"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("  shop: skipped (exists)\n"))) << r.out.toStdString();
    EXPECT_FALSE(r.out.contains(QStringLiteral("Other")));
    EXPECT_EQ(shown(QStringLiteral("Shop")), kept);

    const QByteArray before = db_hash();
    r = import(file, {"--only", "Nobody"});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("there is no profile named \"Nobody\" in the file")))
        << r.err.toStdString();
    EXPECT_EQ(db_hash(), before);

    r = import(file, {"--force"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("  DEFAULT: overwritten\n")));
    EXPECT_TRUE(r.out.contains(QStringLiteral("  shop: overwritten\n")));
    EXPECT_TRUE(r.out.contains(QStringLiteral("  Other: imported\n")));
    EXPECT_EQ(k52util(db, {"profiles", "list"}).out, "Default\nOther\nShop\n") << "stored spelling kept";
    expect_round_trip(shop, QStringLiteral("Shop"));
}

TEST_P(LegacyImport, SettingsComeOverOnlyWhenAsked) {
    const JetTable settings = settings_table("10.1.2.3", "4001", 3, 19200, "T", 13, 2);
    const QString file = fixture(QStringLiteral("settings"), {profiles_table({rich_profile()}), settings});
    auto link = [&] {
        k52::ProfileStore store;
        k52::LinkSettings s;
        QString why;
        EXPECT_TRUE(store.open(db, k52::ProfileStore::OpenMode::Existing, &why)) << why.toStdString();
        EXPECT_TRUE(store.read_settings(s, &why));
        return s;
    };
    const k52::LinkSettings before = link();
    ASSERT_EQ(import(file, {"--only", "Rich"}).code, 0);
    EXPECT_EQ(link(), before);
    const CliRun r = import(file, {"--settings"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("Link settings: imported")));
    k52::LinkSettings want = before;
    want.ipaddress = "10.1.2.3", want.remoteportaddress = "4001", want.commport = 3, want.baudrate = 19200;
    want.commtype = "T", want.Terminator = "0D", want.parity = 2;
    EXPECT_EQ(link(), want);
}

TEST_P(LegacyImport, AFailurePartWayLeavesTheDatabaseAsItWas) {
    const QString file =
        fixture(QStringLiteral("three"),
                {profiles_table({{QStringLiteral("A"), {}}, {QStringLiteral("B"), {}}, {QStringLiteral("C"), {}}})});
    ASSERT_TRUE(fail_inserts_of(db, QStringLiteral("C")));
    const QByteArray before = db_hash();
    const CliRun r = import(file);
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("disk trouble"))) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("Nothing was changed.")));
    EXPECT_EQ(db_hash(), before);
    EXPECT_EQ(k52util(db, {"profiles", "list"}).out, "Default\n");
}

INSTANTIATE_TEST_SUITE_P(Jet, LegacyImport, ::testing::Values(JetVersion::Jet3, JetVersion::Jet4),
                         [](const auto &info) { return info.param == JetVersion::Jet4 ? "Jet4" : "Jet3"; });

// Files that cannot be used: one message naming the file and what is
// wrong, exit status 1, the database untouched.
class LegacyImportFiles : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(k52util(db, {"profiles", "export", "Default"}).code, 0);
        before = file_bytes(db);
    }
    void expect_refused(const QString &file, const QString &says) {
        const CliRun r = k52util(db, {"profiles", "import-legacy", file, "--settings"});
        EXPECT_EQ(r.code, 1) << file.toStdString();
        EXPECT_TRUE(r.err.contains(says)) << r.err.toStdString();
        EXPECT_TRUE(r.err.endsWith(QStringLiteral("Nothing was changed.\n")));
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_EQ(file_bytes(db), before) << file.toStdString();
    }
    QTemporaryDir dir;
    QString db = dir.filePath(QStringLiteral("p.db"));
    QByteArray before;
};

TEST_F(LegacyImportFiles, UnusableFilesAreRefusedWithTheirReason) {
    const QString text = dir.filePath(QStringLiteral("notes.mdb"));
    put_file(text, "profilename,baudrate\nDefault,9600\n");
    const QString truncated = dir.filePath(QStringLiteral("cut.mdb"));
    const QByteArray whole = jet_database(JetVersion::Jet4, {profiles_table({{QStringLiteral("A"), {}}})});
    put_file(truncated, whole.left(4096 * 2)); // page 0 and the maps only
    const QString other = dir.filePath(QStringLiteral("other.mdb"));
    ASSERT_TRUE(write_jet_database(other, JetVersion::Jet3,
                                   {JetTable{QStringLiteral("Customers"), {{QStringLiteral("Name"), JetText}}, {}},
                                    settings_table("1.2.3.4", "400", 1, 9600, "S", 13, 0)}));
    const QString empty = dir.filePath(QStringLiteral("empty.mdb"));
    ASSERT_TRUE(write_jet_database(empty, JetVersion::Jet4, {}));

    expect_refused(dir.filePath(QStringLiteral("absent.mdb")), "absent.mdb: cannot be read: No such file or directory");
    expect_refused(dir.path(), ": cannot be read: not a file");
    expect_refused(text, "notes.mdb: not an Access database");
    expect_refused(truncated, "cut.mdb: cannot be read:");
    expect_refused(other, "other.mdb: no table \"profiles\": this Jet 3 database holds the tables Customers, settings");
    expect_refused(empty, "empty.mdb: no table \"profiles\": this Jet 4 database holds no tables");
}

// A table whose definition counts more rows than can be read is damaged:
// refused, or with --partial imported as far as it was read, saying how
// many rows were lost. A file whose list of tables is gone says "damaged".
TEST_F(LegacyImportFiles, DamagedTablesAreRefusedOrImportedInPart) {
    QByteArray file = jet_database(
        JetVersion::Jet4,
        {profiles_table({{QStringLiteral("A"), {}}, {QStringLiteral("B"), {}}, {QStringLiteral("C"), {}}})});
    constexpr int kRowCount = 3 * 4096 + 16; // in the definition of the first table (page 3)
    ASSERT_EQ(quint8(file[kRowCount]), 3);
    file[kRowCount] = 5;
    const QString damaged = dir.filePath(QStringLiteral("damaged.mdb"));
    put_file(damaged, file);
    expect_refused(damaged, "damaged.mdb: table \"profiles\" is damaged: only 3 of its 5 rows could be read; "
                            "--partial imports the rows that were read");
    const CliRun r = k52util(db, {"profiles", "import-legacy", damaged, "--partial"});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("only 3 of its 5 rows could be read; 2 rows were lost")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("3 imported")) << r.out.toStdString();
    before = file_bytes(db);

    QByteArray no_catalog = jet_database(JetVersion::Jet4, {profiles_table({{QStringLiteral("A"), {}}})});
    no_catalog.replace(4096, 4096, QByteArray(4096, '\0')); // the usage maps, the catalog's among them
    const QString lost = dir.filePath(QStringLiteral("lost.mdb"));
    put_file(lost, no_catalog);
    expect_refused(lost, "lost.mdb: cannot be read: the list of tables of the Jet 4 database is damaged");
}

// The real Access files, read in place: each format opens, none holds our
// tables.
TEST_F(LegacyImportFiles, RealAccessFilesOpenAndLackOurTables) {
    const QString samples = legacy_samples_dir();
    if (samples.isEmpty())
        GTEST_SKIP() << "the real Access samples are not there: ../shared/legacy-access is absent";
    expect_refused(samples + "/nwind.mdb", "nwind.mdb: no table \"profiles\": this Jet 3 database holds the tables "
                                           "Order Details, Orders, Products, Shippers, Categories, Customers");
    expect_refused(samples + "/DateTestDatabase.mdb",
                   "DateTestDatabase.mdb: no table \"profiles\": this Jet 4 database holds the tables DateTest");
    expect_refused(samples + "/ASampleDatabase.accdb",
                   "ASampleDatabase.accdb: no table \"profiles\": this ACE database holds the tables Asset Items");
}

// The comparison behind "new / same / differs" and the action taken.
TEST(LegacyImportPlan, StateAndActionFollowTheStoredRow) {
    using namespace k52;
    const QVector<QVariant> ours{9600, QStringLiteral("0D0A00"), 1};
    const LegacyProfile same{QStringLiteral("A"), {qint64(9600), QStringLiteral("0D0A00"), qint64(1)}, {}};
    const LegacyProfile text_case{QStringLiteral("A"), {qint64(9600), QStringLiteral("0d0a00"), qint64(1)}, {}};
    const LegacyProfile number{QStringLiteral("A"), {qint64(19200), QStringLiteral("0D0A00"), qint64(1)}, {}};
    const LegacyProfile refused{QStringLiteral("A"), {}, QStringLiteral("column x must be a number")};
    struct Row {
        LegacyProfile p;
        std::optional<QVector<QVariant>> stored;
        LegacyState state;
        LegacyAction kept, forced;
    };
    const Row rows[] = {
        {same, std::nullopt, LegacyState::New, LegacyAction::Import, LegacyAction::Import},
        {same, ours, LegacyState::Same, LegacyAction::Skip, LegacyAction::Overwrite},
        {text_case, ours, LegacyState::Differs, LegacyAction::Skip, LegacyAction::Overwrite},
        {number, ours, LegacyState::Differs, LegacyAction::Skip, LegacyAction::Overwrite},
        {refused, ours, LegacyState::Refused, LegacyAction::Refuse, LegacyAction::Refuse},
    };
    for (const Row &r : rows) {
        const LegacyState s = legacy_state(r.p, r.stored);
        EXPECT_EQ(s, r.state) << legacy_state_text(s, r.p.refusal).toStdString();
        EXPECT_EQ(legacy_action(s, false), r.kept);
        EXPECT_EQ(legacy_action(s, true), r.forced);
    }
    EXPECT_FALSE(same_stored_values(ours, ours.mid(0, 2)));
    EXPECT_EQ(legacy_state_text(LegacyState::Refused, "column x must be a number"),
              "refused: column x must be a number");
}
