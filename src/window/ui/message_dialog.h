#pragma once
// Message boxes for the window: the real answers to the core's questions.
// Every Yes/No question has No as its default and Escape answers No, so
// neither Return nor Escape stops a job or drops a change.

#include "core/session/app_context.h"

class QWidget;

namespace k52 {

class MessageBoxQuestions : public Questions {
public:
    explicit MessageBoxQuestions(QWidget *owner = nullptr) : owner_(owner) {}
    void set_owner(QWidget *owner) { owner_ = owner; }
    bool ask_yes_no(const QString &title, const QString &text) override;
    bool offer(const QString &title, const QString &text) override;
    bool ask_to_stop(const QString &title, const QString &text, LinkClosers &links) override;
    Unsaved ask_unsaved(const QString &title, const QString &text) override;
    void inform(const QString &title, const QString &text) override;
    void warn(const QString &title, const QString &text) override;

private:
    QWidget *owner_;
};

} // namespace k52
