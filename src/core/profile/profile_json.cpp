#include "profile_json.h"

#include "columns.h"
#include "profile_names.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QSet>

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

// The first key that appears twice in one object of a well-formed JSON
// text, decoded; empty when there is none. QJsonDocument keeps only the last
// of equal keys, so a file that says two things about one column would be
// read silently one way.
QString duplicate_key(const QByteArray &json) {
    struct Level {
        bool object;
        QSet<QString> keys;
    };
    QList<Level> stack;
    for (qsizetype i = 0; i < json.size(); ++i) {
        const char c = json.at(i);
        if (c == '{' || c == '[') {
            stack.append(Level{c == '{', {}});
        } else if (c == '}' || c == ']') {
            if (!stack.isEmpty())
                stack.removeLast();
        } else if (c == '"') {
            const qsizetype begin = i;
            for (++i; i < json.size() && json.at(i) != '"'; ++i)
                if (json.at(i) == '\\')
                    ++i;
            if (stack.isEmpty() || !stack.last().object)
                continue;
            qsizetype next = i + 1;
            while (next < json.size() && QChar::isSpace(uchar(json.at(next))))
                ++next;
            if (next >= json.size() || json.at(next) != ':')
                continue; // a value, not a key
            const QByteArray raw = '[' + json.mid(begin, i - begin + 1) + ']';
            const QString key = QJsonDocument::fromJson(raw).array().at(0).toString();
            if (stack.last().keys.contains(key))
                return key;
            stack.last().keys.insert(key);
        }
    }
    return {};
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
        values << (c.encode(copy, v, &why) ? v : QVariant());
    }
    return values;
}

ConfigRecord stored_record(const QVector<QVariant> &stored) {
    ConfigRecord rec;
    const auto cols = columns();
    for (std::size_t i = 0; i < cols.size(); ++i) {
        QString why;
        cols[i].decode(stored.value(int(i)), rec, false, &why);
    }
    return rec;
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
    if (const QString dup = duplicate_key(data); !dup.isEmpty())
        return fail(QStringLiteral("not a profile file: the key \"%1\" appears twice").arg(dup.left(80)));
    const QJsonObject top = doc.object();
    const QJsonValue name = top.value(QStringLiteral("profilename"));
    if (!name.isString())
        return fail(QStringLiteral("not a profile file: \"profilename\" is missing"));
    QString name_error;
    const std::optional<QString> valid_name = valid_profile_name(name.toString(), &name_error);
    if (!valid_name)
        return fail(QStringLiteral("\"profilename\": %1").arg(name_error));
    const QJsonValue colsv = top.value(QStringLiteral("columns"));
    if (!colsv.isObject())
        return fail(QStringLiteral("not a profile file: \"columns\" is missing"));
    const QJsonObject obj = colsv.toObject();

    ImportedProfile p;
    p.name = *valid_name;
    for (const Column &c : columns()) {
        const QString cname = QLatin1StringView(c.name);
        if (!obj.contains(cname))
            return fail(QStringLiteral("column %1 is missing").arg(cname));
        const QJsonValue v = obj.value(cname);
        // Strings and numbers keep their JSON kind; anything else is refused.
        const QVariant in = v.isString() ? QVariant(v.toString()) : v.isDouble() ? QVariant(v.toDouble()) : QVariant();
        QVariant stored;
        QString why;
        if (!check_imported_value(c, in, stored, &why))
            return fail(why);
        p.stored << stored;
    }
    for (auto it = obj.begin(); it != obj.end(); ++it)
        if (column_index(it.key()) < 0)
            return fail(QStringLiteral("unknown column %1").arg(it.key()));
    return p;
}

bool check_imported_value(const Column &c, const QVariant &in, QVariant &stored, QString *error) {
    const QString cname = QLatin1StringView(c.name);
    const int t = in.typeId();
    if (c.type == StoredType::Text) {
        if (t != QMetaType::QString) {
            *error = QStringLiteral("column %1 must be a text").arg(cname);
            return false;
        }
        stored = in;
    } else {
        qint64 n = 0;
        if (t == QMetaType::Double) {
            if (!whole_int64(in.toDouble(), n)) {
                *error = QStringLiteral("column %1 must be a whole number").arg(cname);
                return false;
            }
        } else if (t == QMetaType::Int || t == QMetaType::LongLong || t == QMetaType::Short || t == QMetaType::UInt) {
            n = in.toLongLong();
        } else {
            *error = QStringLiteral("column %1 must be a number").arg(cname);
            return false;
        }
        stored = n;
    }
    ConfigRecord scratch;
    QString reason;
    if (!c.decode(stored, scratch, true, &reason)) {
        *error = QStringLiteral("column %1 holds \"%2\": %3").arg(cname, stored.toString(), reason);
        return false;
    }
    return true;
}

} // namespace k52
