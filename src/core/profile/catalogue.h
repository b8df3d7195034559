#pragma once
// The translation catalogue of the user's language, for the window and the
// command line alike. English is the program's own language: it needs no
// catalogue and is what is left when no catalogue fits.

#include <QString>
#include <QStringList>

#include <functional>

namespace k52 {

// The languages to look for, best first, as gettext reads the environment
// (`env` gives a variable's value): the list in LANGUAGE (separated by
// colons), else the locale of LC_ALL, LC_MESSAGES or LANG, the first one
// set. A locale of C or POSIX (or none) means English whatever LANGUAGE
// says, and English in the list ends it. "de_DE.UTF-8" gives "de_DE", then
// "de".
QStringList catalogue_languages(const std::function<QString(const char *)> &env);

// Installs into the running application the catalogue (k52util_LANG.qm) of
// the first wanted language found in catalogue_dirs(program_dir), and Qt's
// own catalogue of that language when it is installed. Returns the language
// loaded, or an empty text for English.
QString load_catalogue(const QString &program_dir);

} // namespace k52
