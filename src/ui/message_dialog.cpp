#include "message_dialog.h"

#include <QMessageBox>

namespace k52 {

bool MessageBoxQuestions::ask_yes_no(const QString &title, const QString &text) {
    return QMessageBox::question(owner_, title, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void MessageBoxQuestions::inform(const QString &title, const QString &text) {
    QMessageBox::information(owner_, title, text, QMessageBox::Ok);
}

void MessageBoxQuestions::warn(const QString &title, const QString &text) {
    QMessageBox::warning(owner_, title, text, QMessageBox::Ok);
}

} // namespace k52
