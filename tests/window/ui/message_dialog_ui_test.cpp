// The window's questions: No is the default of every Yes/No question and the
// answer to Escape; an offer defaults to Yes; a question about stopping a job
// closes itself when the job ends meanwhile.
#include "window/ui/message_dialog.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace k52 {
namespace {

// Runs `act` on the box once it is up.
void when_box_shows(std::function<void(QMessageBox *)> act) {
    QTimer::singleShot(0, [act] {
        QMessageBox *box = nullptr;
        (void)QTest::qWaitFor([&] { return (box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())); },
                              5000);
        if (box)
            act(box);
    });
}

TEST(MessageBoxQuestions, ReturnAndEscapeGiveTheSafeAnswer) {
    struct Case {
        const char *what;
        bool offer;
        Qt::Key key;
        bool expected;
    } cases[] = {
        {"question, Return", false, Qt::Key_Return, false},
        {"question, Escape", false, Qt::Key_Escape, false},
        {"question, y", false, Qt::Key_Y, true},
        {"offer, Return", true, Qt::Key_Return, true},
        {"offer, Escape", true, Qt::Key_Escape, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        MessageBoxQuestions q;
        when_box_shows([key = c.key](QMessageBox *box) { QTest::keyClick(box, key); });
        const bool yes = c.offer ? q.offer(QStringLiteral("t"), QStringLiteral("Find the converter?"))
                                 : q.ask_yes_no(QStringLiteral("t"), QStringLiteral("Stop?"));
        EXPECT_EQ(yes, c.expected);
    }
}

TEST(MessageBoxQuestions, AStopQuestionClosesItselfWhenTheJobEnds) {
    LinkClosers links;
    const int job = links.add([] {}, QStringLiteral("Stop the download?"));
    const int other = links.add([] {}); // an unguarded link stays open
    MessageBoxQuestions q;
    bool closed_by_itself = false;
    when_box_shows([&](QMessageBox *box) {
        links.remove(job); // the job ends while the question is open
        closed_by_itself = !box->isVisible();
        if (!closed_by_itself)
            box->reject();
    });
    EXPECT_FALSE(q.ask_to_stop(QStringLiteral("t"), QStringLiteral("Stop the download?"), links));
    EXPECT_TRUE(closed_by_itself);
    links.remove(other);
}

} // namespace
} // namespace k52
