#include "profile_json.h"

#include "columns.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

namespace k52 {

namespace {

QJsonValue json_value(const QVariant &v, StoredType type) {
    if (v.isNull())
        return QJsonValue(QJsonValue::Null);
    if (type == StoredType::Text)
        return QJsonValue(v.toString());
    bool ok = false;
    const qint64 n = v.toLongLong(&ok);
    if (ok)
        return QJsonValue(n);
    return QJsonValue(v.toString()); // a stored oddity is exported as it is
}

// One value in JSON syntax (QJsonDocument does the escaping).
QByteArray encoded(const QJsonValue &v) {
    QByteArray a = QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact);
    return a.mid(1, a.size() - 2);
}

} // namespace

QByteArray profile_to_json(const QString &name, const QVector<QVariant> &stored) {
    // QJsonObject sorts its keys; the file keeps the table order, so the
    // object is written member by member.
    QByteArray out = "{\n  \"profilename\": " + encoded(QJsonValue(name)) + ",\n  \"columns\": {\n";
    const auto cols = columns();
    for (std::size_t i = 0; i < cols.size(); ++i) {
        const QVariant v = int(i) < stored.size() ? stored[int(i)] : QVariant();
        out += "    \"" + QByteArray(cols[i].name) + "\": " + encoded(json_value(v, cols[i].type));
        out += i + 1 < cols.size() ? ",\n" : "\n";
    }
    out += "  }\n}\n";
    return out;
}

QVector<QVariant> record_values(const ConfigRecord &rec) {
    ConfigRecord copy = rec;
    QVector<QVariant> values;
    for (const Column &c : columns()) {
        QVariant v;
        QString why;
        values << (c.encode(copy, v, why) ? v : QVariant());
    }
    return values;
}

QByteArray record_to_json(const QString &name, const ConfigRecord &rec) {
    return profile_to_json(name, record_values(rec));
}

std::optional<ImportedProfile> profile_from_json(const QByteArray &data, QString *error) {
    auto fail = [&](const QString &why) -> std::optional<ImportedProfile> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    QJsonParseError perr{};
    const QJsonDocument doc = QJsonDocument::fromJson(data, &perr);
    if (perr.error != QJsonParseError::NoError)
        return fail(QStringLiteral("not a profile file: %1 at offset %2").arg(perr.errorString()).arg(perr.offset));
    if (!doc.isObject())
        return fail(QStringLiteral("not a profile file: the top level is not an object"));
    const QJsonObject top = doc.object();
    const QJsonValue name = top.value(QStringLiteral("profilename"));
    if (!name.isString() || name.toString().trimmed().isEmpty())
        return fail(QStringLiteral("not a profile file: \"profilename\" is missing or empty"));
    const QJsonValue colsv = top.value(QStringLiteral("columns"));
    if (!colsv.isObject())
        return fail(QStringLiteral("not a profile file: \"columns\" is missing"));
    const QJsonObject obj = colsv.toObject();

    ImportedProfile p;
    p.name = name.toString();
    ConfigRecord check;
    const auto cols = columns();
    for (const Column &c : cols) {
        const QString cname = QLatin1StringView(c.name);
        if (!obj.contains(cname))
            return fail(QStringLiteral("column %1 is missing").arg(cname));
        const QJsonValue v = obj.value(cname);
        QVariant stored;
        if (c.type == StoredType::Text) {
            if (!v.isString())
                return fail(QStringLiteral("column %1 must be a text").arg(cname));
            stored = v.toString();
        } else {
            if (!v.isDouble())
                return fail(QStringLiteral("column %1 must be a number").arg(cname));
            qint64 n = 0;
            if (!whole_int64(v.toDouble(), n))
                return fail(QStringLiteral("column %1 must be a whole number").arg(cname));
            stored = n;
        }
        QString why;
        if (!c.decode(stored, check, true, why))
            return fail(QStringLiteral("column %1 holds \"%2\": %3").arg(cname, stored.toString(), why));
        p.stored << stored;
    }
    for (auto it = obj.begin(); it != obj.end(); ++it)
        if (column_index(it.key()) < 0)
            return fail(QStringLiteral("unknown column %1").arg(it.key()));
    return p;
}

} // namespace k52
