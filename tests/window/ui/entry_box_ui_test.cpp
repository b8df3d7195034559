// The entry-box kit: whichever way text comes into a box, it lands filtered
// by the box's one rule and held to its length.
#include "window/ui/entry_box_editor.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>

#include <gtest/gtest.h>

#include <array>

namespace k52 {
namespace {

enum class Way { Typed, Pasted, MiddleClick, Dropped };

const char *name_of(Way w) {
    static const char *const names[] = {"typed", "pasted", "middle-click", "dropped"};
    return names[int(w)];
}

QPoint at_cursor(const QLineEdit *box) {
    return box->inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
}

// Put `text` into the box at its cursor the way a user would.
void put(QLineEdit *box, Way way, const QString &text) {
    switch (way) {
    case Way::Typed:
        QTest::keyClicks(box, text);
        return;
    case Way::Pasted:
        QApplication::clipboard()->setText(text);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        return;
    case Way::MiddleClick: {
        QApplication::clipboard()->setText(text, QClipboard::Selection);
        QTest::mouseClick(box, Qt::MiddleButton, {}, at_cursor(box));
        return;
    }
    case Way::Dropped: {
        // Dragged over and dropped at the cursor, where the other ways put it.
        const QPoint at = at_cursor(box);
        QMimeData mime;
        mime.setText(text);
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(box, &enter);
        QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(box, &drop);
        return;
    }
    }
}

class EntryBoxTest : public ::testing::TestWithParam<Way> {
protected:
    void SetUp() override {
        if (GetParam() == Way::MiddleClick && !QApplication::clipboard()->supportsSelection())
            GTEST_SKIP() << "no selection clipboard on this platform (the layout check's X run covers it)";
        window_.resize(400, 60);
        window_.show();
    }
    QWidget window_;
};

TEST_P(EntryBoxTest, EveryWayInKeepsToTheRuleAndTheLength) {
    const struct {
        EntryRule rule;
        int length;
        const char *in, *out;
    } cases[] = {
        {EntryRule::Decimal, 3, "1a2 -3", "123"},
        {EntryRule::Decimal, 2, "9z8y7", "98"},
        {EntryRule::Hex, 4, "0dg-Fe", "0DFE"},
        {EntryRule::Hex, 16, "x", ""},
        {EntryRule::IpAddress, 15, "10.a0,0.1x", "10.00.1"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(name_of(GetParam())) + " " + c.in);
        QString stored = QStringLiteral("unset");
        QLineEdit *box = make_text_box("box", c.rule, c.length, &window_, [&](const QString &t) { stored = t; });
        box->show();
        box->setFocus();
        put(box, GetParam(), QString::fromLatin1(c.in));
        EXPECT_EQ(box->text(), QString::fromLatin1(c.out));
        if (*c.out) {
            EXPECT_EQ(stored, QString::fromLatin1(c.out));
        }
        delete box;
    }
}

TEST_P(EntryBoxTest, InsertedTextIsCutShortWhereItGoesIn) {
    Integer stored = -1;
    QLineEdit *box = make_decimal_box("box", 4, &window_, [&](Integer v) { stored = v; });
    box->show();
    box->setFocus();
    QTest::keyClicks(box, QStringLiteral("12"));
    box->setCursorPosition(1);
    put(box, GetParam(), QStringLiteral("x789"));
    // Only what fits of the new text goes in, and what was there stays.
    EXPECT_EQ(box->text(), QStringLiteral("1782"));
    EXPECT_EQ(stored, 1782);
}

INSTANTIATE_TEST_SUITE_P(AllWays, EntryBoxTest,
                         ::testing::Values(Way::Typed, Way::Pasted, Way::MiddleClick, Way::Dropped),
                         [](const auto &info) {
                             std::string n = name_of(info.param);
                             std::erase(n, '-');
                             return n;
                         });

TEST(EntryBox, StoredValuesAreShownAsTheyAre) {
    QWidget window;
    Integer stored = 0;
    QLineEdit *box = make_decimal_box("box", 2, &window, [&](Integer v) { stored = v; });
    // A value longer than the box, or one the rule would not let a user
    // type, is neither cut nor changed.
    box->setText(QStringLiteral("123"));
    EXPECT_EQ(box->text(), QStringLiteral("123"));
    EXPECT_EQ(stored, 123);
    box->setText(QStringLiteral("-4"));
    EXPECT_EQ(stored, -4);
    // Emptied, a decimal box stores 0.
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    EXPECT_EQ(box->text(), QString());
    EXPECT_EQ(stored, 0);
}

TEST(EntryBox, OneOfManyKeepsOneChoiceOrNone) {
    QWidget window;
    std::array<QCheckBox *, 3> boxes{new QCheckBox(&window), new QCheckBox(&window), new QCheckBox(&window)};
    QList<int> chosen;
    one_of_many(boxes, [&](int i) { chosen << i; });
    boxes[1]->setChecked(true);
    boxes[2]->click();
    EXPECT_FALSE(boxes[1]->isChecked());
    EXPECT_TRUE(boxes[2]->isChecked());
    boxes[2]->click(); // unticking leaves none and reports nothing
    for (QCheckBox *b : boxes)
        EXPECT_FALSE(b->isChecked());
    EXPECT_EQ(chosen, (QList<int>{1, 2}));
}

} // namespace
} // namespace k52
