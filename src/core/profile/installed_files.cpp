#include "installed_files.h"

#include <QDir>
#include <QFileInfo>

// Relative to the program's folder; set by the build from the install
// layout.
#ifndef K52_DATA_RELDIR
#define K52_DATA_RELDIR "../share/k52util"
#endif
#ifndef K52_DOC_RELDIR
#define K52_DOC_RELDIR "../share/doc/k52util"
#endif

namespace k52 {

QString path_below(const QString &dir, const char *relative) {
    return QDir::cleanPath(dir + QLatin1Char('/') + QLatin1String(relative));
}

QStringList catalogue_dirs(const QString &program_dir) {
    return {path_below(program_dir, "translations"), path_below(program_dir, K52_DATA_RELDIR "/translations")};
}

QString third_party_notices(const QString &program_dir) {
    const QString name = QStringLiteral("THIRD_PARTY.md");
    if (!program_dir.isEmpty()) {
        for (const char *dir : {".", K52_DOC_RELDIR}) {
            const QString path = path_below(program_dir, dir) + QLatin1Char('/') + name;
            if (QFileInfo(path).isFile())
                return QDir::toNativeSeparators(path);
        }
    }
    return name;
}

} // namespace k52
