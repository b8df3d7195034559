#include <gtest/gtest.h>

#ifdef K52_UI_TESTS
#include <QApplication>
using TestApp = QApplication;
#else
#include <QCoreApplication>
using TestApp = QCoreApplication;
#endif

#include "core/profile/legacy_reader.h"

#include <QStandardPaths>

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    // Keep the default database and clone file of the tests out of the
    // user's own data folder.
    QStandardPaths::setTestModeEnabled(true);
    // The programs the tests start speak English, whatever the language of
    // the one running them (tests that want another language say so).
    qputenv("LANGUAGE", "en");
    TestApp app(argc, argv);
    // Access files are read by the program's own child, not by this binary.
    k52::set_legacy_reader_program(QStringLiteral(K52_UTIL_PATH));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
