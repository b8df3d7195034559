// The utilities screen: its fields, the choice rules, the busy guard, and
// its actions end to end against k52sim.
#include "window/screens/screen_fixture.h"

#include "support/file_bytes.h"
#include "window/maintenance/utilities_screen.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>

#include <functional>
#include <memory>

namespace k52 {
namespace {

using k52test::file_bytes;
using k52test::put_file;

using test::ScreenFixture;
using R = ConfigRecord;

constexpr int kWaitMs = 8000; // bound of every wait; never reached when all is well

const QString kCannotClone = QStringLiteral("Cannot clone. The K52 used for cloning must be version 1.96 or higher");

QByteArray pattern(int seed, int size = 1024) {
    QByteArray b(size, '\0');
    for (int i = 0; i < size; ++i)
        b[i] = char((i * 11 + seed) & 0xFF);
    return b;
}

class UtilitiesTest : public ScreenFixture {
protected:
    void SetUp() override {
        ScreenFixture::SetUp();
        ctx_.questions = &questions_;
        s_ = std::make_unique<UtilitiesScreen>(ctx_);
        clone_file_ = dir_.filePath(QStringLiteral("K52clone.dat"));
        s_->set_clone_file(clone_file_);
        s_->show();
        s_->set_parms();
    }

    QPushButton *button(const char *name) { return s_->findChild<QPushButton *>(QString::fromUtf8(name)); }
    QLineEdit *edit(const char *name) { return s_->findChild<QLineEdit *>(QString::fromUtf8(name)); }
    QCheckBox *check(const char *name) { return s_->findChild<QCheckBox *>(QString::fromUtf8(name)); }
    QString status() { return s_->findChild<QLabel *>(QStringLiteral("status"))->text(); }
    QProgressBar *bar() { return s_->findChild<QProgressBar *>(QStringLiteral("cloneprogress")); }
    // Ticked choices of a pulse row, by number.
    QList<int> ticked(int first) {
        QList<int> out;
        for (int i = first; i < first + 3; ++i)
            if (s_->pulse_box(i)->isChecked())
                out << i;
        return out;
    }

    // Clicks `name` and waits for the action to end.
    bool run(const char *name) {
        QSignalSpy done(s_.get(), &UtilitiesScreen::action_done);
        QTest::mouseClick(button(name), Qt::LeftButton);
        return done.wait(kWaitMs) && done.count() == 1;
    }

    test::ScriptedQuestions questions_;
    std::unique_ptr<UtilitiesScreen> s_;
    QString clone_file_;
};

// A pulse code outside 1..3 leaves its row as it was and the record keeps
// it; clicking the ticked choice stores its code again; any start-up value
// other than "1" ticks "Off", and unticking "On" ticks "Off".
TEST_F(UtilitiesTest, ChoiceGroupRules) {
    R &r = ctx_.record;
    r.magpulse = 3;
    r.wiepulse = 1;
    s_->set_parms();
    r.magpulse = 0;
    r.spkrstart = QStringLiteral("x");
    s_->set_parms();
    EXPECT_EQ(ticked(3), QList<int>{5});
    EXPECT_EQ(ticked(6), QList<int>{6});
    EXPECT_EQ(r.magpulse, 0);
    EXPECT_TRUE(check("beepoff")->isChecked());
    EXPECT_EQ(r.spkrstart, QStringLiteral("x"));

    click(s_->pulse_box(5));
    EXPECT_EQ(ticked(3), QList<int>{5});
    EXPECT_EQ(r.magpulse, 3);
    EXPECT_EQ(ticked(6), QList<int>{6}); // the other row is untouched

    click(check("beepon"));
    click(check("beepon"));
    EXPECT_FALSE(check("beepon")->isChecked());
    EXPECT_TRUE(check("beepoff")->isChecked());
    EXPECT_EQ(r.spkrstart, QStringLiteral("0"));
}

TEST_F(UtilitiesTest, VersionResetAndRestart) {
    auto k = use_sim({"--firmware", "01.96", "--crlf"});
    ASSERT_TRUE(run("getversion"));
    EXPECT_EQ(edit("versionbox")->text(), QStringLiteral("ZOR K52 V01.96")); // without CR and LF
    EXPECT_FALSE(s_->busy());
    ASSERT_TRUE(run("makereset"));
    ASSERT_TRUE(run("makerestart"));
    QTRY_COMPARE_WITH_TIMEOUT(k->received().size(), 3, kWaitMs);
    EXPECT_EQ(k->received(), (QStringList{QStringLiteral("V"), QStringLiteral("U"), QStringLiteral("Y")}));
    EXPECT_TRUE(questions_.told.isEmpty());
}

TEST_F(UtilitiesTest, BusyGuardIgnoresClicksUntilTheEnd) {
    auto k = use_sim({"--silent"});
    s_->domagpulse(3);
    QSignalSpy done(s_.get(), &UtilitiesScreen::action_done);
    QTest::mouseClick(button("getversion"), Qt::LeftButton);
    ASSERT_TRUE(s_->busy());
    for (const char *b : {"getversion", "makereset", "makerestart", "cloneread", "clonewrite"})
        QTest::mouseClick(button(b), Qt::LeftButton);
    click(s_->pulse_box(5));
    EXPECT_EQ(ticked(3), QList<int>{3}); // the click was undone
    EXPECT_EQ(ctx_.record.magpulse, 1);
    EXPECT_EQ(status(), QString()); // the status line is the cloning's
    ASSERT_TRUE(done.wait(kWaitMs));
    EXPECT_EQ(done.count(), 1);
    EXPECT_FALSE(s_->busy());
    EXPECT_EQ(edit("versionbox")->text(), QString());
    EXPECT_EQ(k->received(), QStringList{QStringLiteral("V")});
    EXPECT_TRUE(questions_.told.isEmpty());
    EXPECT_EQ(status(), QStringLiteral("The converter did not answer"));

    // No reply to a clone's version query.
    ASSERT_TRUE(run("cloneread"));
    EXPECT_EQ(questions_.told, QStringList{QStringLiteral("Unable to communicate with K52")});
    EXPECT_FALSE(QFile::exists(clone_file_));
}

TEST_F(UtilitiesTest, ReadFromK52ThenCloneToNewK52) {
    const QByteArray image = pattern(5);
    const QString image_file = dir_.filePath(QStringLiteral("converter.img"));
    ASSERT_NO_FATAL_FAILURE(put_file(image_file, image));
    // A longer clone file keeps its bytes beyond the image; only the first
    // 1024 bytes are sent.
    ASSERT_NO_FATAL_FAILURE(put_file(clone_file_, QByteArray(1030, '\xEE')));
    const QString out = dir_.filePath(QStringLiteral("received.img"));
    auto k = use_sim({"--firmware", "01.96", "--clone-in", image_file, "--clone-out", out});
    QStringList status_at_message;
    questions_.on_inform = [&] { status_at_message << status(); };

    QSignalSpy done(s_.get(), &UtilitiesScreen::action_done);
    QTest::mouseClick(button("cloneread"), Qt::LeftButton);
    EXPECT_TRUE(bar()->isVisible());
    ASSERT_TRUE(done.wait(kWaitMs));
    // The ending names the file the image went to, and so does the status line.
    const QString saved = QStringLiteral("Clone image saved to %1").arg(clone_file_);
    EXPECT_EQ(file_bytes(clone_file_), image + QByteArray(6, '\xEE'));
    EXPECT_EQ(status(), saved);
    EXPECT_FALSE(bar()->isVisible());
    EXPECT_EQ(edit("versionbox")->text(), QString()); // the clone's query is not shown

    ASSERT_TRUE(run("clonewrite"));
    EXPECT_EQ(questions_.told, (QStringList{QStringLiteral("Read from K52 complete\n\n") + saved + QLatin1Char('.'),
                                            QStringLiteral("Clone to K52 complete")}));
    EXPECT_EQ(status_at_message, (QStringList{QStringLiteral("Attempting Clone Upload from K52"),
                                              QStringLiteral("Attempting Clone Download to K52")}));
    EXPECT_EQ(file_bytes(out), image);
    EXPECT_EQ(bar()->value(), bar()->maximum());
    EXPECT_EQ(status(), QString());
    EXPECT_FALSE(s_->busy());
}

TEST_F(UtilitiesTest, OldFirmwareIsRefused) {
    ASSERT_NO_FATAL_FAILURE(put_file(clone_file_, pattern(2)));
    auto k = use_sim({"--firmware", "01.95"});
    ASSERT_TRUE(run("cloneread"));
    ASSERT_TRUE(run("clonewrite")); // the guard was cleared at the refusal
    EXPECT_EQ(questions_.told, (QStringList{kCannotClone, kCannotClone}));
    EXPECT_EQ(k->received(), (QStringList{QStringLiteral("V"), QStringLiteral("V")})); // nothing else sent
    EXPECT_EQ(file_bytes(clone_file_), pattern(2));
    EXPECT_EQ(status(), QString());
}

TEST_F(UtilitiesTest, APortThatCannotBeUsedIsReported) {
    ctx_.link.commdevice = dir_.filePath(QStringLiteral("no-such-port"));
    ctx_.link.baudrate = 9600;
    for (const char *b : {"getversion", "makereset", "makerestart"}) {
        ASSERT_TRUE(run(b));
        EXPECT_TRUE(status().contains(QLatin1String("does not exist"))) << b << ": " << status().toStdString();
        // The next action starts with a clear status line.
        QTest::mouseClick(button(b), Qt::LeftButton);
        EXPECT_EQ(status(), QString());
        ASSERT_TRUE(QTest::qWaitFor([&] { return !s_->busy(); }, kWaitMs));
    }
    EXPECT_TRUE(questions_.told.isEmpty());
}

TEST_F(UtilitiesTest, StopAsksBeforeBreakingACloneWriteOnly) {
    ASSERT_NO_FATAL_FAILURE(put_file(clone_file_, pattern(4)));
    auto k = use_sim({"--firmware", "01.96", "--pace", "1200"});
    ctx_.link.baudrate = 1200;
    QSignalSpy done(s_.get(), &UtilitiesScreen::action_done);
    QTest::mouseClick(button("clonewrite"), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return bar()->value() >= 1; }, kWaitMs));
    questions_.answer = true;
    button("stop")->click();
    ASSERT_EQ(questions_.asked.size(), 1);
    EXPECT_TRUE(questions_.asked[0].contains(QLatin1String("half written")));
    ASSERT_TRUE(done.wait(2500));
    EXPECT_EQ(questions_.told, QStringList{QStringLiteral("Error downloading to K52")});
    EXPECT_EQ(status(), QStringLiteral("Stopped by the user"));
    EXPECT_FALSE(button("stop")->isEnabled());

    // A clone read stops without asking.
    QTest::mouseClick(button("cloneread"), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return bar()->value() >= 64; }, kWaitMs))
        << questions_.told.join(QLatin1Char('|')).toStdString();
    button("stop")->click();
    ASSERT_TRUE(done.wait(2500));
    EXPECT_EQ(questions_.asked.size(), 1);
    EXPECT_EQ(questions_.told.last(), QStringLiteral("Read from K52 did not complete"));
}

} // namespace
} // namespace k52
