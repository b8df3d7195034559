#include "profile_names.h"

namespace k52 {

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
        const QChar::Category cat = name.at(i).category();
        if (cat == QChar::Other_Control || cat == QChar::Separator_Line || cat == QChar::Separator_Paragraph)
            return refuse(
                QStringLiteral("A profile name must not hold control characters (U+%1 at position %2)")
                    .arg(QString::number(name.at(i).unicode(), 16).toUpper().rightJustified(4, QLatin1Char('0')))
                    .arg(i + 1));
    }
    return name;
}

} // namespace k52
