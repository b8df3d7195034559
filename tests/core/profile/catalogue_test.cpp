// The catalogue of the user's language: which languages the environment
// asks for, and the program speaking German or English by it.
#include "core/profile/catalogue.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <map>

namespace {

TEST(Catalogue, LanguagesAsGettextReadsTheEnvironment) {
    struct Case {
        std::map<std::string, QString> env;
        QStringList wanted;
    };
    const Case cases[] = {
        {{{"LANG", "de_DE.UTF-8"}}, {"de_DE", "de"}},
        {{{"LANG", "de_AT@euro"}}, {"de_AT", "de"}},
        {{{"LC_MESSAGES", "de_CH.UTF-8"}, {"LANG", "fr_FR.UTF-8"}}, {"de_CH", "de"}},
        {{{"LC_ALL", "de_DE.UTF-8"}, {"LANG", "en_GB.UTF-8"}}, {"de_DE", "de"}},
        // LANGUAGE wins over the locale, in its order; English ends it.
        {{{"LANGUAGE", "fr:de"}, {"LANG", "de_DE.UTF-8"}}, {"fr", "de"}},
        {{{"LANGUAGE", "en"}, {"LANG", "de_DE.UTF-8"}}, {}},
        {{{"LANGUAGE", "en_US:de"}, {"LANG", "de_DE.UTF-8"}}, {}},
        {{{"LANGUAGE", "de::"}, {"LANG", "en_US.UTF-8"}}, {"de"}},
        // A C or POSIX locale (or none) means English, whatever LANGUAGE says.
        {{{"LC_ALL", "C"}, {"LANGUAGE", "de"}, {"LANG", "de_DE.UTF-8"}}, {}},
        {{{"LANG", "C.UTF-8"}, {"LANGUAGE", "de"}}, {}},
        {{{"LANG", "POSIX"}}, {}},
        {{{"LANGUAGE", "de"}}, {}},
        {{}, {}},
        {{{"LANG", "en_GB.UTF-8"}}, {}},
    };
    for (const Case &c : cases) {
        const QStringList got = k52::catalogue_languages([&](const char *name) {
            const auto it = c.env.find(name);
            return it == c.env.end() ? QString() : it->second;
        });
        QString env;
        for (const auto &[k, v] : c.env)
            env += QString::fromStdString(k) + QLatin1Char('=') + v + QLatin1Char(' ');
        EXPECT_EQ(got, c.wanted) << env.toStdString();
    }
}

// The built program with its catalogues beside it.
TEST(Catalogue, ProgramSpeaksTheLanguageAskedForOrEnglish) {
    struct Case {
        QStringList env;
        const char *first_line;
    };
    const char *const german = "Aufruf: k52util [--db DATEI] [BEFEHL [ARGUMENTE...]]";
    const char *const english = "Usage: k52util [--db FILE] [COMMAND [ARGS...]]";
    const Case cases[] = {
        {{"LANG=de_DE.UTF-8"}, german},
        {{"LANG=de_AT.UTF-8"}, german},
        {{"LANGUAGE=fr:de", "LANG=fr_FR.UTF-8"}, german},
        {{"LANGUAGE=en", "LANG=de_DE.UTF-8"}, english},
        {{"LC_ALL=C", "LANGUAGE=de", "LANG=de_DE.UTF-8"}, english},
        {{"LANG=fr_FR.UTF-8"}, english},
        {{}, english},
    };
    for (const Case &c : cases) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"})
            env.remove(QLatin1String(name));
        for (const QString &kv : c.env)
            env.insert(kv.section(QLatin1Char('='), 0, 0), kv.section(QLatin1Char('='), 1));
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(K52_UTIL_PATH), {QStringLiteral("help")});
        ASSERT_TRUE(p.waitForFinished(30000));
        EXPECT_EQ(p.exitCode(), 0);
        const QString out = QString::fromUtf8(p.readAllStandardOutput());
        EXPECT_EQ(out.section(QLatin1Char('\n'), 0, 0), QLatin1String(c.first_line)) << c.env.join(' ').toStdString();
        // The command names stay what is typed, in every language.
        EXPECT_TRUE(out.contains(QLatin1String("\n  profiles "))) << out.toStdString();
    }
}

} // namespace
