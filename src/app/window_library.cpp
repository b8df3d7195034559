#include "window_library.h"

#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace k52 {

namespace {

const char *const kLibraryFile = K52_WINDOW_LIBRARY;

} // namespace

QStringList window_library_dirs(const QString &program_dir) {
    return {QDir::cleanPath(program_dir), QDir::cleanPath(program_dir + QStringLiteral("/" K52_PRIVATE_LIBDIR))};
}

WindowEntry window_entry(const QString &program_dir, const char *name, QString *error) {
    QStringList tried;
    for (const QString &dir : window_library_dirs(program_dir)) {
        const QString path = dir + QLatin1Char('/') + QLatin1String(kLibraryFile);
        tried << path;
        if (!QFileInfo::exists(path))
            continue;
        // Never unloaded (a QLibrary leaves the library loaded when it
        // goes): the window's objects live until the program ends.
        static QLibrary lib;
        lib.setFileName(path);
        if (!lib.load()) {
            *error = QStringLiteral("cannot load the window library %1: %2").arg(path, lib.errorString());
            return nullptr;
        }
        if (auto f = reinterpret_cast<WindowEntry>(lib.resolve(name)))
            return f;
        *error =
            QStringLiteral("the window library %1 lacks %2; reinstall k52util").arg(path, QString::fromLatin1(name));
        return nullptr;
    }
    *error = QStringLiteral("the window library %1 is missing; looked in: %2. Reinstall k52util, or build the "
                            "k52window target.")
                 .arg(QLatin1String(kLibraryFile), tried.join(QStringLiteral(", ")));
    return nullptr;
}

} // namespace k52
