#pragma once

// A standalone screen under test: an AppContext whose store is a fresh
// database in a temporary folder, with "Default" loaded.

#include "ui/app_context.h"

#include <QCheckBox>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace k52::test {

class ScreenFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        ctx_.db_path = dir_.filePath(QStringLiteral("profiles.db"));
        QString error;
        ASSERT_TRUE(ctx_.store.open(ctx_.db_path, ProfileStore::OpenMode::CreateIfMissing, &error))
            << error.toStdString();
        ASSERT_TRUE(ctx_.store.load_profile(QStringLiteral("Default"), ctx_.record, &error)) << error.toStdString();
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
