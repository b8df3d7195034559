#include <gtest/gtest.h>

#ifdef K52_UI_TESTS
#include <QApplication>
using TestApp = QApplication;
#else
#include <QCoreApplication>
using TestApp = QCoreApplication;
#endif

#include "core/profile/catalogue.h"
#include "core/profile/legacy_reader.h"

#include <QFileInfo>

#include <QStandardPaths>

#include <cstdio>

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    // Keep the default database and clone file of the tests out of the
    // user's own data folder.
    QStandardPaths::setTestModeEnabled(true);
    // The programs the tests start speak English, whatever the language of
    // the one running them (tests that want another language say so).
    // K52_TEST_LANGUAGE=de runs the whole binary, and the programs it
    // starts, in that language with the build tree's catalogue.
    const QByteArray language = qgetenv("K52_TEST_LANGUAGE");
    if (language.isEmpty()) {
        qputenv("LANGUAGE", "en");
    } else {
        qunsetenv("LC_ALL");
        qunsetenv("LC_MESSAGES");
        qputenv("LANG", language + ".UTF-8");
        qputenv("LANGUAGE", language);
    }
    TestApp app(argc, argv);
    if (!language.isEmpty() &&
        k52::load_catalogue(QFileInfo(QStringLiteral(K52_UTIL_PATH)).absolutePath()) != QLatin1String(language)) {
        fprintf(stderr, "no catalogue for %s beside %s\n", language.constData(), K52_UTIL_PATH);
        return 1;
    }
    // Access files are read by the program's own child, not by this binary.
    k52::set_legacy_reader_program(QStringLiteral(K52_UTIL_PATH));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
