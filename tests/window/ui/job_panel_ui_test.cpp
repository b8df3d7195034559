// The progress lines of a job: History keeps them in English, the window
// shows them in the user's language where the catalogue has them.
#include "core/profile/installed_files.h"
#include "window/ui/job_panel.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTranslator>

#include <gtest/gtest.h>

namespace {

TEST(JobPanelLines, ShownInTheUsersLanguageAndLeftAsTheyAreWhereNoTranslationIs) {
    // English (the suite's language): every line as the job said it.
    EXPECT_EQ(k52::shown_progress_line(QStringLiteral("Converter has been programmed")),
              QStringLiteral("Converter has been programmed"));

    QTranslator german;
    bool loaded = false;
    for (const QString &dir : k52::catalogue_dirs(QFileInfo(QStringLiteral(K52_UTIL_PATH)).absolutePath()))
        if (!loaded)
            loaded = german.load(QStringLiteral("k52util_de"), dir);
    ASSERT_TRUE(loaded) << "no German catalogue beside " << K52_UTIL_PATH;
    QCoreApplication::installTranslator(&german);
    EXPECT_EQ(k52::shown_progress_line(QStringLiteral("Converter has been programmed")),
              QStringLiteral("Der Konverter wurde programmiert"));
    EXPECT_EQ(k52::shown_progress_line(QStringLiteral("...Programming Serial Pamameters")),
              QStringLiteral("...Seriell-Parameter werden programmiert"));
    // A line built from the converter's own answer has no translation.
    EXPECT_EQ(k52::shown_progress_line(QStringLiteral("...Programming K52 v1.99")),
              QStringLiteral("...Programming K52 v1.99"));
    QCoreApplication::removeTranslator(&german);
}

} // namespace
