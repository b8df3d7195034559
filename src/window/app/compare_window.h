#pragma once
// "Compare Profiles": two lists to pick the profiles from and the settings
// that differ, by screen and caption, as `profiles diff` prints them.

#include "core/profile/profile_store.h"

#include <QWidget>

class QListWidget;
class QPlainTextEdit;

namespace k52 {

class CompareWindow : public QWidget {
    Q_OBJECT
public:
    explicit CompareWindow(ProfileStore &store, QWidget *parent = nullptr);
    // Fills both lists afresh and picks `a` and `b` where they exist.
    void refill(const QString &a = {}, const QString &b = {});
    QString result_text() const;

private:
    void compare();

    ProfileStore &store_;
    QListWidget *left_;
    QListWidget *right_;
    QPlainTextEdit *result_;
};

// The differences as text: one block per screen, each setting with its
// caption and both values; "The profiles are the same." when none.
QString difference_text(const QString &a, const QVector<QVariant> &va, const QString &b, const QVector<QVariant> &vb);

} // namespace k52
