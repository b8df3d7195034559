#pragma once

// A standalone screen under test: an AppContext whose store is a fresh
// database in a temporary folder, with "Default" loaded.

#include "core/session/app_context.h"
#include "support/sim_process.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

#include <gtest/gtest.h>

#include <memory>

namespace k52::test {

// Answers every question alike and records what was asked and told.
struct ScriptedQuestions : Questions {
    bool ask_yes_no(const QString &title, const QString &text) override {
        asked << text;
        asked_titles << title;
        return answer;
    }
    void inform(const QString &title, const QString &text) override {
        titles << title;
        told << text;
        if (on_inform)
            on_inform();
    }
    QStringList asked, asked_titles, told, titles;
    bool answer = false;
    std::function<void()> on_inform;
};

class ScreenFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        ctx_.db_path = dir_.filePath(QStringLiteral("profiles.db"));
        QString error;
        ASSERT_TRUE(ctx_.store.open(ctx_.db_path, ProfileStore::OpenMode::CreateIfMissing, &error))
            << error.toStdString();
        ASSERT_TRUE(ctx_.load_profile(QStringLiteral("Default"), &error)) << error.toStdString();
    }

    // A screen as the window shows it: built, shown and filled from the record.
    template <class Screen, class... Args> std::unique_ptr<Screen> shown_screen(const Args &...args) {
        auto s = std::make_unique<Screen>(ctx_, args...);
        s->show();
        s->set_parms();
        return s;
    }

    // A k52sim started with `args`, the link set to its port at 9600 baud.
    std::unique_ptr<k52test::SimProcess> use_sim(const QStringList &args = {}) {
        auto sim = std::make_unique<k52test::SimProcess>(args);
        QString why;
        EXPECT_TRUE(sim->start(&why)) << why.toStdString();
        ctx_.link.commdevice = sim->device();
        ctx_.link.baudrate = 9600;
        return sim;
    }

    // A box's text replaced by typing.
    static void retype(QLineEdit *e, const QString &keys) {
        e->clear();
        QTest::keyClicks(e, keys);
    }

    // A user's click on a check box's tick square.
    static void click(QCheckBox *b) {
        ASSERT_NE(b, nullptr);
        QStyleOptionButton opt;
        opt.initFrom(b);
        const QRect square = b->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &opt, b);
        QTest::mouseClick(b, Qt::LeftButton, {}, square.center());
    }

    QTemporaryDir dir_;
    AppContext ctx_;
};

} // namespace k52::test
