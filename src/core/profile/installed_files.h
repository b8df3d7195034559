#pragma once
// Files installed beside the program: where a build tree, a Linux
// installation (below <prefix>/share) and a Windows folder keep them.

#include <QString>
#include <QStringList>

namespace k52 {

// `relative` below `dir` (a path relative to it), cleaned.
QString path_below(const QString &dir, const char *relative);

// Folders that may hold the translation catalogues (k52util_de.qm ...),
// in the order they are searched.
QStringList catalogue_dirs(const QString &program_dir);

// The list of third-party libraries and their licences (THIRD_PARTY.md) as
// installed, or its bare name when no copy is found.
QString third_party_notices(const QString &program_dir);

} // namespace k52
