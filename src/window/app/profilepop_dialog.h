#pragma once
// The profile chooser `profilepop` (Load Profile, Delete Profile) and the
// Save Profile dialog `saveprofile`.

#include "core/session/app_context.h"

#include <QDialog>

class QListWidget;
class QListWidgetItem;
class QLineEdit;
class QPushButton;

namespace k52 {

// One dialog, two uses: the caption set by the caller, "Load Profile" or
// "Delete Profile" (the title shows it in the user's language), decides
// whether a click loads or deletes. A single click acts at once.
class ProfilePopDialog : public QDialog {
    Q_OBJECT
public:
    ProfilePopDialog(AppContext &ctx, const QString &caption, QWidget *parent = nullptr);
    QListWidget *list() const { return list_; }
    // What a click on `name` does.
    void pick(const QString &name);

private:
    AppContext &ctx_;
    bool deleting_ = false;
    bool picked_ = false; // one pick a dialog (a double click is two clicks)
    QListWidget *list_ = nullptr;
};

class SaveProfileDialog : public QDialog {
    Q_OBJECT
public:
    explicit SaveProfileDialog(AppContext &ctx, QWidget *parent = nullptr);
    QListWidget *list() const { return list_; }
    QLineEdit *name_box() const { return text_; }
    QPushButton *save_button() const { return save_; }
    // Save-as: true when the record was written. The name is trimmed and
    // checked by valid_profile_name(); a refused name is told, nothing saved.
    // The saved profile becomes the current one.
    bool save_as(const QString &name);
    // The name saved under; empty while nothing was saved.
    QString saved_as() const { return saved_as_; }
    QPushButton *cancel_button() const { return cancel_; }

private:
    AppContext &ctx_;
    QListWidget *list_ = nullptr;
    QLineEdit *text_ = nullptr;
    QPushButton *save_ = nullptr;
    QPushButton *cancel_ = nullptr;
    QString saved_as_;
};

// Fill a list with the profile names in name order; false (with the reason
// told) when the database cannot be read.
bool list_profiles(AppContext &ctx, QListWidget *list);

} // namespace k52
