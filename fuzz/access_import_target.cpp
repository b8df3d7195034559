// Access files as a hostile or damaged copy may hold them, read the way the
// program reads them: in the child process under its limits. Whatever the
// bytes, the answer is the tables or one message naming the file, within
// the child's time; a profile table read is checked as an import checks it.
#include "fuzz_targets.h"

#include "core/profile/legacy_import.h"
#include "core/profile/legacy_reader.h"

#include <QFile>
#include <QTemporaryDir>

namespace k52::fuzz {

QString access_import(const QByteArray &data) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fuzz.mdb"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(data) != data.size())
        return {};
    f.close();
    QString why;
    const std::optional<LegacyDatabase> db = read_legacy_database_isolated(path, &why);
    if (!db) {
        if (!why.contains(path))
            return QStringLiteral("a refusal that does not name the file: ") + why;
        if (why.contains(QLatin1String("could not be started")))
            return QStringLiteral("the reader did not start: ") + why;
        return {};
    }
    const LegacyProfiles found = convert_legacy_profiles(db->profiles);
    for (const LegacyProfile &p : found.profiles)
        if (p.refusal.isEmpty() && p.name.trimmed().isEmpty())
            return QStringLiteral("a profile without a name was accepted");
    return {};
}

} // namespace k52::fuzz
