#include "message_dialog.h"

#include <QMessageBox>
#include <QPointer>

namespace k52 {

namespace {

// A question box with `safe` as the default and the Escape answer; `hook`
// runs on the box before it is shown.
int run_box(QWidget *owner, const QString &title, const QString &text, QMessageBox::StandardButtons buttons,
            QMessageBox::StandardButton byDefault, QMessageBox::StandardButton escape,
            const std::function<void(QMessageBox &)> &hook = {}) {
    QMessageBox box(QMessageBox::Question, title, text, buttons, owner);
    box.setDefaultButton(byDefault);
    box.setEscapeButton(escape);
    if (hook)
        hook(box);
    box.exec();
    QAbstractButton *clicked = box.clickedButton();
    return clicked ? box.standardButton(clicked) : escape;
}

// The one shape of a guarded question: Yes and No (or the given buttons),
// `safe` the default button and the answer to Escape.
int ask_guarded(QWidget *owner, const QString &title, const QString &text,
                QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No,
                QMessageBox::StandardButton safe = QMessageBox::No) {
    return run_box(owner, title, text, buttons, safe, safe);
}

} // namespace

bool MessageBoxQuestions::ask_yes_no(const QString &title, const QString &text) {
    return ask_guarded(owner_, title, text) == QMessageBox::Yes;
}

bool MessageBoxQuestions::offer(const QString &title, const QString &text) {
    return run_box(owner_, title, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes, QMessageBox::No) ==
           QMessageBox::Yes;
}

bool MessageBoxQuestions::ask_to_stop(const QString &title, const QString &text, LinkClosers &links) {
    bool ended = false;
    int watch = 0;
    const int answer = run_box(owner_, title, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No,
                               QMessageBox::No, [&](QMessageBox &box) {
                                   QPointer<QMessageBox> open(&box);
                                   watch = links.watch([&ended, &links, open] {
                                       if (!ended && open && links.at_stake().isEmpty()) {
                                           ended = true;
                                           open->done(QMessageBox::No); // the job's own ending follows
                                       }
                                   });
                               });
    links.unwatch(watch);
    return !ended && answer == QMessageBox::Yes;
}

Questions::Unsaved MessageBoxQuestions::ask_unsaved(const QString &title, const QString &text) {
    switch (ask_guarded(owner_, title, text, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                        QMessageBox::Cancel)) {
    case QMessageBox::Save:
        return Unsaved::Save;
    case QMessageBox::Discard:
        return Unsaved::Discard;
    default:
        return Unsaved::Cancel;
    }
}

void MessageBoxQuestions::inform(const QString &title, const QString &text) {
    QMessageBox::information(owner_, title, text, QMessageBox::Ok);
}

void MessageBoxQuestions::warn(const QString &title, const QString &text) {
    QMessageBox::warning(owner_, title, text, QMessageBox::Ok);
}

} // namespace k52
