// The Flash Download screen against k52sim: file choice, the busy guard,
// status label, progress bar and messages, and close_all_links stopping a
// download.
#include "window/app/navigation.h"
#include "window/maintenance/flashdl_screen.h"
#include "window/screens/screen_fixture.h"

#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include <memory>

namespace k52 {
namespace {

class FlashDlScreenTest : public test::ScreenFixture {
protected:
    void SetUp() override {
        ScreenFixture::SetUp();
        ctx_.questions = &told;
        screen.reset(static_cast<FlashDlScreen *>(create_screen(QStringLiteral("flashdl"), ctx_, nullptr)));
        ASSERT_NE(screen, nullptr);
        screen->on_finished = [this](const FlashResult &r) { results.push_back(r); };
    }
    QString firmware(int size) {
        QByteArray b(size, '\0');
        for (int i = 0; i < size; ++i)
            b[i] = static_cast<char>(i * 7 + 3);
        const QString path = dir_.filePath(QStringLiteral("fw.bin"));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(b);
        contents = b;
        return path;
    }
    test::ScriptedQuestions told;
    std::unique_ptr<FlashDlScreen> screen;
    std::vector<FlashResult> results;
    QByteArray contents;
};

TEST_F(FlashDlScreenTest, DownloadsTheChosenFile) {
    // No file: the start button does nothing.
    screen->start_button()->click();
    EXPECT_FALSE(screen->busy());

    const QString out = dir_.filePath(QStringLiteral("received.bin"));
    auto sim = use_sim({"--firmware-out", out});
    ctx_.link.parity = 0;
    const QString path = firmware(5044);
    screen->choose_file = [&] { return path; };
    screen->select_button()->click();
    EXPECT_EQ(screen->file_label()->text(), path);
    int closes = 0;
    const int closer = ctx_.links.add([&] { ++closes; });

    screen->start_button()->click();
    ASSERT_TRUE(screen->busy());
    EXPECT_EQ(closes, 1) << "the other links are closed first";
    EXPECT_FALSE(screen->start_download()) << "busy guard";
    screen->select_button()->click(); // ignored while busy
    EXPECT_EQ(screen->selected_file(), path);
    QTRY_VERIFY_WITH_TIMEOUT(!screen->busy(), 30000);
    ctx_.links.remove(closer);

    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(told.told, QStringList{"Download complete"});
    EXPECT_EQ(told.titles, QStringList{message_title()});
    EXPECT_TRUE(screen->status_label()->text().isEmpty());
    EXPECT_EQ(screen->bar()->value(), 100);

    // Cancelling the dialog clears the selected file.
    screen->choose_file = [] { return QString(); };
    screen->select_button()->click();
    EXPECT_TRUE(screen->selected_file().isEmpty());
    EXPECT_FALSE(screen->start_download());
}

} // namespace
} // namespace k52
