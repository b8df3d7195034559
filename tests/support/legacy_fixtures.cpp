#include "legacy_fixtures.h"

#include "core/profile/columns.h"
#include "core/profile/profile_store.h"

#include <QDir>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>

namespace k52test {

QVector<QPair<QString, QVariant>> default_columns() {
    k52::ConfigRecord rec = k52::default_profile();
    QVector<QPair<QString, QVariant>> out;
    for (const k52::Column &c : k52::columns()) {
        QVariant v;
        QString why;
        c.encode(rec, v, &why);
        out << qMakePair(QString::fromLatin1(c.name), v);
    }
    return out;
}

QMap<QString, QVariant> rich_values() {
    QMap<QString, QVariant> m;
    int k = 0;
    for (const k52::Column &c : k52::columns()) {
        const QString name = QString::fromLatin1(c.name);
        ++k;
        if (name == QLatin1String("parity"))
            m[name] = 1;
        else if (name == QLatin1String("baudrate"))
            m[name] = 115200;
        else if (c.type != k52::StoredType::Text)
            m[name] = (k * 7) % 90 + 3;
        else if (c.width == 6)
            m[name] = QStringLiteral("0D0A1B");
        else if (c.width == 5)
            m[name] = QStringLiteral("10110");
        else if (c.width == 35 || c.width == 37)
            m[name] = QStringLiteral("1031207004050B10611150021003199009") + QString::number(k % 10) +
                      (c.width == 37 ? QStringLiteral("42") : QString());
        else if (c.width > 0)
            m[name] = QStringLiteral("0123456789ABCDEF").right(c.width - 1) + QString::number(k % 10);
        else
            m[name] = QStringLiteral("two beeps, then one");
    }
    return m;
}

QVariant fixture_value(const FixtureProfile &p, const QString &column) {
    if (p.values.contains(column))
        return p.values.value(column);
    for (const auto &[name, v] : default_columns())
        if (name == column)
            return v;
    return {};
}

JetTable profiles_table(const QVector<FixtureProfile> &rows, const ProfilesLayout &layout) {
    JetTable t{QStringLiteral("profiles"), {{QStringLiteral("profilename"), JetText}}, {}};
    QStringList names;
    for (const k52::Column &c : k52::columns()) {
        const QString name = QString::fromLatin1(c.name);
        if (layout.dropped.contains(name))
            continue;
        const JetType standard = c.type == k52::StoredType::Text   ? JetText
                                 : c.type == k52::StoredType::Long ? JetLong
                                                                   : JetInt;
        t.columns << JetColumn{name, layout.types.value(name, standard)};
        names << name;
    }
    for (const QString &e : layout.extra)
        t.columns << JetColumn{e, JetText};
    for (const FixtureProfile &p : rows) {
        QVector<QVariant> row{p.name};
        for (const QString &n : names)
            row << fixture_value(p, n);
        for (const QString &e : layout.extra)
            row << QStringLiteral("old ") + e;
        t.rows << row;
    }
    return t;
}

JetTable settings_table(const QString &ip, const QString &port, int commport, int baudrate, const QString &type,
                        int terminator, int parity) {
    return JetTable{QStringLiteral("settings"),
                    {{QStringLiteral("ipaddress"), JetText},
                     {QStringLiteral("remoteportaddress"), JetText},
                     {QStringLiteral("commport"), JetInt},
                     {QStringLiteral("baudrate"), JetLong},
                     {QStringLiteral("commtype"), JetText},
                     {QStringLiteral("Terminator"), JetByte},
                     {QStringLiteral("parity"), JetInt}},
                    {{ip, port, commport, baudrate, type, terminator, parity}}};
}

QString mdb_export(const QString &file, const QString &table) {
    QProcess p;
    p.start(QStringLiteral("mdb-export"), {file, table});
    if (!p.waitForFinished(30000))
        return QStringLiteral("(mdb-export did not finish)");
    return QString::fromUtf8(p.readAllStandardOutput()) + QString::fromUtf8(p.readAllStandardError());
}

QString expected_export(const JetTable &t) {
    QStringList header;
    for (const JetColumn &c : t.columns)
        header << c.name;
    QString out = header.join(QLatin1Char(',')) + QLatin1Char('\n');
    for (const auto &row : t.rows) {
        QStringList cells;
        for (int i = 0; i < t.columns.size(); ++i) {
            const QVariant &v = row.value(i);
            const JetType type = t.columns[i].type;
            if (type == JetBool)
                cells << QString::number(v.toLongLong() != 0 ? 1 : 0);
            else if (v.isNull())
                cells << QString();
            else if (type == JetText || type == JetMemo)
                cells << QLatin1Char('"') + v.toString().replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
                             QLatin1Char('"');
            else if (type == JetDouble)
                cells << QString::number(v.toDouble(), 'g', 16);
            else
                cells << QString::number(v.toLongLong());
        }
        out += cells.join(QLatin1Char(',')) + QLatin1Char('\n');
    }
    return out;
}

bool fail_inserts_of(const QString &db, const QString &name) {
    bool ok = false;
    {
        QSqlDatabase s = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fail_inserts"));
        s.setDatabaseName(db);
        const bool opened = s.open();
        QSqlQuery q(s);
        ok = opened && q.exec(QStringLiteral("CREATE TRIGGER fail_inserts BEFORE INSERT ON profiles WHEN "
                                             "NEW.profilename = '%1' BEGIN SELECT RAISE(ABORT, 'disk trouble'); END")
                                  .arg(QString(name).replace(QLatin1Char('\''), QStringLiteral("''"))));
        s.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("fail_inserts"));
    return ok;
}

QString legacy_samples_dir() {
    // Beside the clone: ../shared/legacy-access from the source tree.
    const QDir d(QStringLiteral(K52_SOURCE_DIR "/../shared/legacy-access"));
    return d.exists() ? d.absolutePath() : QString();
}

} // namespace k52test
