// "Import from an older database...": the list of the file's profiles, the
// ticks, and the import they make.
#include "core/profile/legacy_reader.h"
#include "support/legacy_fixtures.h"
#include "window/app/legacyimport_dialog.h"
#include "window/app/main_window.h"
#include "window/screens/screen_fixture.h"

#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QTreeWidget>

namespace k52 {
namespace {

using namespace k52test;

class LegacyImportDialogTest : public test::ScreenFixture {
protected:
    void SetUp() override {
        test::ScreenFixture::SetUp();
        ctx_.questions = &told;
        // "Shop" is stored already, with values of its own.
        QVector<QVariant> shop;
        for (const auto &[name, v] : default_columns())
            shop << (name == QLatin1String("spkrfreq") ? QVariant(4321) : v);
        QString why;
        ASSERT_TRUE(ctx_.store.write_row(QStringLiteral("Shop"), shop, false, &why)) << why.toStdString();

        shop_file = FixtureProfile{QStringLiteral("SHOP"), rich_values()};
        const JetTable t = profiles_table({{QStringLiteral("Default"), {}},
                                           shop_file,
                                           {QStringLiteral("Rich"), rich_values()},
                                           {QStringLiteral("Bad"), {{"terminators", QStringLiteral("0D")}}},
                                           {QStringLiteral("Later"), {}}});
        file = dir_.filePath(QStringLiteral("old.mdb"));
        ASSERT_TRUE(write_jet_database(file, JetVersion::Jet4, {t}));
        ASSERT_EQ(mdb_export(file, QStringLiteral("profiles")), expected_export(t));
    }
    QStringList rows(QTreeWidget *list, int column) {
        QStringList out;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            out << list->topLevelItem(i)->text(column);
        return out;
    }

    test::ScriptedQuestions told;
    FixtureProfile shop_file;
    QString file;
};

TEST_F(LegacyImportDialogTest, TicksChooseWhatIsImported) {
    LegacyImportDialog dlg(ctx_.store, file, &told);
    ASSERT_TRUE(dlg.ready()) << dlg.error().toStdString();
    QTreeWidget *list = dlg.list();
    EXPECT_EQ(rows(list, 0), (QStringList{"Default", "SHOP", "Rich", "Bad", "Later"}));
    EXPECT_EQ(rows(list, 1),
              (QStringList{"same as the stored one", "differs from the stored one", "new",
                           "refused: column terminators holds \"0D\": 2 characters where 6 are required", "new"}));
    QVector<Qt::CheckState> ticks;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        ticks << list->topLevelItem(i)->checkState(0);
    EXPECT_EQ(ticks, (QVector<Qt::CheckState>{Qt::Unchecked, Qt::Unchecked, Qt::Checked, Qt::Unchecked, Qt::Checked}));
    EXPECT_FALSE(list->topLevelItem(3)->flags() & Qt::ItemIsEnabled) << "a refused profile cannot be ticked";

    list->topLevelItem(1)->setCheckState(0, Qt::Checked);   // overwrite the stored Shop
    list->topLevelItem(4)->setCheckState(0, Qt::Unchecked); // leave Later out
    dlg.show();
    QTest::mouseClick(dlg.import_button(), Qt::LeftButton);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    ASSERT_EQ(told.told.size(), 1);
    EXPECT_EQ(told.told.first(), "Default: skipped (exists)\n"
                                 "SHOP: overwritten\n"
                                 "Rich: imported\n"
                                 "Bad: refused: column terminators holds \"0D\": 2 characters where 6 are required\n"
                                 "1 imported, 1 overwritten, 1 skipped (exists), 1 refused");
    EXPECT_EQ(ctx_.store.list_profiles(), (QStringList{"Default", "Rich", "Shop"}));
    // The file's values replaced the stored Shop's (every column's way in is the core's).
    ConfigRecord shop;
    QString why;
    ASSERT_TRUE(ctx_.store.load_profile(QStringLiteral("Shop"), shop, &why)) << why.toStdString();
    EXPECT_EQ(shop.spkrfreq, fixture_value(shop_file, QStringLiteral("spkrfreq")).toInt());
}

TEST_F(LegacyImportDialogTest, AFailedWriteSaysSoAndKeepsTheDialogOpen) {
    ASSERT_TRUE(fail_inserts_of(ctx_.db_path, QStringLiteral("Later")));
    LegacyImportDialog dlg(ctx_.store, file, &told);
    dlg.show();
    QTest::mouseClick(dlg.import_button(), Qt::LeftButton);
    EXPECT_TRUE(dlg.isVisible());
    ASSERT_EQ(told.told.size(), 1);
    EXPECT_TRUE(told.told.first().contains("disk trouble")) << told.told.first().toStdString();
    EXPECT_TRUE(told.told.first().endsWith("Nothing was changed."));
    EXPECT_EQ(ctx_.store.list_profiles(), (QStringList{"Default", "Shop"}))
        << "Rich, written before the failure, is rolled back";
}

// A reader that takes its time (a large or hostile file) leaves the window
// drawing itself: its events go on while the file is read.
TEST_F(LegacyImportDialogTest, TheWindowGoesOnWhileASlowReaderWorks) {
    const QString slow = dir_.filePath(QStringLiteral("slow-reader"));
    QFile script(slow);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nsleep 1\nexit 3\n");
    script.close();
    script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    set_legacy_reader_program(slow);
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(20);
    LegacyImportDialog dlg(ctx_.store, file, &told);
    set_legacy_reader_program(QStringLiteral(K52_UTIL_PATH));
    EXPECT_GT(ticks, 0) << "the window stood still while the file was read";
    EXPECT_FALSE(dlg.error().isEmpty());
}

TEST_F(LegacyImportDialogTest, AFileThatCannotBeUsedIsToldWithoutADialog) {
    MainWindow window(ctx_);
    window.open_legacy_import_file(dir_.filePath(QStringLiteral("profiles.db")));
    ASSERT_EQ(told.told.size(), 1);
    EXPECT_TRUE(told.told.first().contains("profiles.db: not an Access database")) << told.told.first().toStdString();
    EXPECT_TRUE(told.told.first().endsWith("Nothing was changed."));
    // A file that crashes the Access reader takes only its child process down.
    window.open_legacy_import_file(QStringLiteral(K52_SOURCE_DIR "/fuzz/corpus/access_import/crash-48.mdb"));
    ASSERT_EQ(told.told.size(), 2);
    EXPECT_TRUE(told.told.last().contains("is damaged or not a readable Access database; nothing was imported"))
        << told.told.last().toStdString();
    ASSERT_NE(window.menu_action(QStringLiteral("imp")), nullptr);
    EXPECT_EQ(window.menu_action(QStringLiteral("imp"))->text().remove(QLatin1Char('&')),
              "Import from an older database...");
}

} // namespace
} // namespace k52
