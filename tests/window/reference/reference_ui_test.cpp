#include "core/profile/startup.h"
#include "core/reference/help_topics.h"
#include "window/reference/about_window.h"
#include "window/reference/bitsize_window.h"
#include "window/reference/help_window.h"
#include "window/reference/wiring_window.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>

#include <memory>

namespace k52 {
namespace {

QStringList label_texts(QWidget *w) {
    QStringList texts;
    for (QLabel *l : w->findChildren<QLabel *>())
        texts << l->text();
    return texts;
}

// Count of pixels darker than mid grey: ink drawn on the widget.
int ink(QWidget *w) {
    const QImage img = w->grab().toImage();
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += qGray(img.pixel(x, y)) < 128;
    return n;
}

class HelpTest : public ::testing::Test {
protected:
    void SetUp() override {
        help_ = std::make_unique<HelpWindow>(ctx_);
        help_->resize(620, 260); // small, so that every topic scrolls
        help_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(help_.get()));
    }

    void expect_only_visible(const QString &key) {
        for (const HelpTopic &t : help_topics())
            EXPECT_EQ(help_->topic_view(t.key)->isVisible(), t.key == key) << t.key.toStdString();
    }

    AppContext ctx_;
    std::unique_ptr<HelpWindow> help_;
};

TEST_F(HelpTest, EachTopicButtonShowsOnlyItsOwnText) {
    EXPECT_EQ(help_->current_topic(), QStringLiteral("general")); // opens on the introduction
    expect_only_visible(QStringLiteral("general"));
    for (const HelpTopic &t : help_topics()) {
        SCOPED_TRACE(t.key.toStdString());
        QPushButton *b = help_->topic_button(t.key);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->text(), t.caption);
        QTest::mouseClick(b, Qt::LeftButton);
        EXPECT_EQ(help_->current_topic(), t.key);
        expect_only_visible(t.key);
        // The text comes from the resources, not the "missing" stand-in.
        EXPECT_TRUE(help_->topic_view(t.key)->toPlainText().startsWith(t.caption));
    }
}

TEST_F(HelpTest, KeysScrollTheTopicShown) {
    QTest::mouseClick(help_->topic_button(QStringLiteral("db")), Qt::LeftButton);
    QTextBrowser *db = help_->topic_view(QStringLiteral("db"));
    QScrollBar *bar = db->verticalScrollBar();
    ASSERT_GT(bar->maximum(), bar->pageStep()) << "the text should be longer than two pages here";
    const int line = db->fontMetrics().lineSpacing(), page = bar->pageStep();

    QTest::keyClick(db, Qt::Key_Down);
    EXPECT_EQ(bar->value(), line);
    QTest::keyClick(db, Qt::Key_PageDown);
    EXPECT_EQ(bar->value(), line + page);
    QTest::keyClick(db, Qt::Key_Up);
    EXPECT_EQ(bar->value(), page);
    QTest::keyClick(db, Qt::Key_A); // other keys do nothing
    QTest::keyClick(db, Qt::Key_Left);
    EXPECT_EQ(bar->value(), page);
    QTest::keyClick(db, Qt::Key_PageUp);
    QTest::keyClick(db, Qt::Key_Up); // already at the top
    EXPECT_EQ(bar->value(), 0);

    // With the focus on a button the keys still scroll the topic shown, and
    // no other topic moves.
    QPushButton *b = help_->topic_button(QStringLiteral("comm"));
    QTest::keyClick(b, Qt::Key_PageDown);
    EXPECT_EQ(bar->value(), page);
    for (const HelpTopic &t : help_topics())
        EXPECT_EQ(help_->topic_view(t.key)->verticalScrollBar()->value(), t.key == QLatin1String("db") ? page : 0)
            << t.key.toStdString();
}

TEST(AboutWindow, ShowsItsLinesAndTheDatabaseInUse) {
    AppContext ctx;
    ctx.db_path = QStringLiteral("/srv/k52/site profiles.db");
    AboutWindow about(ctx);
    about.show();
    auto shows_db = [](QWidget *w, const QString &path) {
        return label_texts(w).contains(QStringLiteral("Default Database: ") + QDir::toNativeSeparators(path));
    };
    const QStringList texts = label_texts(&about);
    EXPECT_TRUE(texts.contains(QStringLiteral("Version 1.99")));
    EXPECT_TRUE(shows_db(&about, ctx.db_path));
    // Below the lines of old, this program's copyright and licence, and
    // where the libraries' licences are listed.
    const qsizetype maker = texts.indexOf(QStringLiteral("ZOR"));
    ASSERT_GE(maker, 0);
    EXPECT_EQ(texts.value(maker + 1), QStringLiteral("Copyright (c) 2026 the Converter Utility authors"));
    EXPECT_TRUE(texts.value(maker + 2).startsWith(QStringLiteral("Released under the MIT licence.")));
    EXPECT_TRUE(texts.value(maker + 2).endsWith(QStringLiteral("listed in THIRD_PARTY.md."))) << "no program folder";

    // No database chosen: the default path of this machine.
    AppContext fresh;
    AboutWindow about2(fresh);
    about2.show();
    EXPECT_TRUE(shows_db(&about2, default_db_path()));

    // The database found at start-up after the window was made.
    ctx.db_path = QStringLiteral("/tmp/other.db");
    about.hide();
    about.show();
    EXPECT_TRUE(shows_db(&about, ctx.db_path));
}

TEST(RevisionsWindow, ListsEveryRevisionLineCentredOverTheMainWindow) {
    AppContext ctx;
    QWidget main_window;
    main_window.setGeometry(40, 60, 1000, 800);
    main_window.show();
    RevisionsWindow r(ctx, &main_window);
    r.show();
    EXPECT_LE((r.frameGeometry().center() - main_window.frameGeometry().center()).manhattanLength(), 2);
    EXPECT_EQ(r.windowTitle(), QStringLiteral("K52/K54 Converter Revisions   Version 1.94 thru 1.96"));
    const QStringList texts = label_texts(&r);
    // The headings in this order, each followed by its changes.
    const QStringList lines = {
        "Version 1.94", "Version 1.95",          "Added support for 250 bits of input and output",
        "Version 1.96", "Added restart command", "Version 1.99"};
    int at = -1;
    for (const QString &l : lines) {
        const int i = int(texts.indexOf(l));
        EXPECT_GT(i, at) << l.toStdString();
        at = i;
    }
}

TEST(BitSizeWindow, LoadupDrawsTheTableInAFixedPitchFont) {
    AppContext ctx;
    BitSizeWindow w(ctx);
    w.show();
    EXPECT_FALSE(w.area()->loaded());
    EXPECT_EQ(ink(w.area()), 0);
    w.set_parms();
    EXPECT_TRUE(w.area()->loaded());
    EXPECT_TRUE(QFontInfo(w.area()->table_font()).fixedPitch());
    EXPECT_GT(ink(w.area()), 1000);
}

TEST(WiringWindow, DrawsTheChartsWithTheNote) {
    AppContext ctx;
    WiringWindow w(ctx);
    w.show();
    auto *note = w.findChild<QLabel *>(QStringLiteral("note"));
    ASSERT_NE(note, nullptr);
    EXPECT_TRUE(note->isVisible());
    EXPECT_GT(ink(w.findChild<QWidget *>(QStringLiteral("charts"))), 1000);
}

} // namespace
} // namespace k52
