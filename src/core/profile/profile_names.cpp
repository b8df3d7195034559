#include "profile_names.h"

namespace k52 {

namespace {

// Characters that break a name out of its line or reorder what follows it:
// controls, line and paragraph separators, and the bidirectional embedding,
// override and isolate marks (U+202A-U+202E, U+2066-U+2069).
bool unprintable(QChar c) {
    const QChar::Category cat = c.category();
    const char16_t u = c.unicode();
    return cat == QChar::Other_Control || cat == QChar::Separator_Line || cat == QChar::Separator_Paragraph ||
           (u >= 0x202A && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069);
}

QString code_point(QChar c) {
    return QString::number(c.unicode(), 16).toUpper().rightJustified(4, QLatin1Char('0'));
}

} // namespace

QString printable_text(const QString &text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (unprintable(c))
            out += QStringLiteral("\\u") + code_point(c);
        else
            out += c;
    }
    return out;
}

std::optional<QString> valid_profile_name(const QString &raw, QString *error) {
    auto refuse = [&](const QString &why) -> std::optional<QString> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    const QString name = raw.trimmed();
    if (name.isEmpty())
        return refuse(QStringLiteral("The profile name must not be empty"));
    if (name.size() > kMaxProfileNameLength)
        return refuse(QStringLiteral("A profile name holds at most %1 characters; this one has %2")
                          .arg(kMaxProfileNameLength)
                          .arg(name.size()));
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (unprintable(name.at(i)))
            return refuse(QStringLiteral("A profile name must not hold control characters (U+%1 at position %2)")
                              .arg(code_point(name.at(i)))
                              .arg(i + 1));
    }
    return name;
}

} // namespace k52
