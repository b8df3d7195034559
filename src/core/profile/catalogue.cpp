#include "catalogue.h"

#include "core/profile/installed_files.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

namespace k52 {

namespace {

bool means_english(const QString &language) {
    return language == QLatin1String("C") || language == QLatin1String("POSIX") ||
           language.startsWith(QLatin1String("en"));
}

} // namespace

QStringList catalogue_languages(const std::function<QString(const char *)> &env) {
    QString locale;
    for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = env(name);
        if (!locale.isEmpty())
            break;
    }
    locale = locale.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0);
    if (locale.isEmpty() || locale == QLatin1String("C") || locale == QLatin1String("POSIX"))
        return {};
    const QString language = env("LANGUAGE");
    const QStringList asked =
        language.isEmpty() ? QStringList{locale} : language.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    QStringList wanted;
    for (QString a : asked) {
        a = a.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0);
        if (means_english(a))
            break;
        for (const QString &l : {a, a.section(QLatin1Char('_'), 0, 0)})
            if (!l.isEmpty() && !wanted.contains(l))
                wanted << l;
    }
    return wanted;
}

QString load_catalogue(const QString &program_dir) {
    // They live as long as the program.
    static QTranslator own, qt;
    const QStringList wanted = catalogue_languages([](const char *name) { return qEnvironmentVariable(name); });
    for (const QString &language : wanted) {
        for (const QString &dir : catalogue_dirs(program_dir)) {
            const QString path = dir + QStringLiteral("/k52util_") + language + QStringLiteral(".qm");
            if (!QFileInfo(path).isFile() || !own.load(path))
                continue;
            QCoreApplication::installTranslator(&own);
            if (qt.load(QStringLiteral("qtbase_") + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
                QCoreApplication::installTranslator(&qt);
            return language;
        }
    }
    return {};
}

} // namespace k52
