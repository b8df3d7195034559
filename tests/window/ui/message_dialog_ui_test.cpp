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
    enum Kind { Question, Offer, Stop };
    struct Case {
        const char *what;
        Kind kind;
        Qt::Key key;
        bool expected;
    } cases[] = {
        {"question, Return", Question, Qt::Key_Return, false},
        {"question, Escape", Question, Qt::Key_Escape, false},
        {"question, y", Question, Qt::Key_Y, true},
        {"offer, Return", Offer, Qt::Key_Return, true},
        {"offer, Escape", Offer, Qt::Key_Escape, false},
        {"stop, Return", Stop, Qt::Key_Return, false},
        {"stop, Escape", Stop, Qt::Key_Escape, false},
        {"stop, y", Stop, Qt::Key_Y, true},
    };
    LinkClosers links;
    const int job = links.add([] {}, QStringLiteral("Stop?")); // a guarded job under way
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        MessageBoxQuestions q;
        when_box_shows([key = c.key](QMessageBox *box) { QTest::keyClick(box, key); });
        const QString t = QStringLiteral("t"), text = QStringLiteral("Stop?");
        const bool yes = c.kind == Offer  ? q.offer(t, text)
                         : c.kind == Stop ? q.ask_to_stop(t, text, links)
                                          : q.ask_yes_no(t, text);
        EXPECT_EQ(yes, c.expected);
    }
    links.remove(job);
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
