#include "profilepop_dialog.h"

#include "core/profile/profile_names.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace k52 {

namespace {
void tell(AppContext &ctx, const QString &title, const QString &text) {
    if (ctx.questions)
        ctx.questions->inform(title, text);
}
bool ask(AppContext &ctx, const QString &title, const QString &text) {
    return ctx.questions && ctx.questions->ask_yes_no(title, text);
}
} // namespace

bool list_profiles(AppContext &ctx, QListWidget *list) {
    // Every row is one line of text: the list need not measure each of
    // them, which keeps a database of many profiles quick to open.
    list->setUniformItemSizes(true);
    QString error;
    const QStringList names = ctx.store.list_profiles(&error);
    list->addItems(names);
    if (!error.isEmpty()) {
        tell(ctx, ProfilePopDialog::tr("Profiles"), error);
        return false;
    }
    return true;
}

ProfilePopDialog::ProfilePopDialog(AppContext &ctx, const QString &caption, QWidget *parent)
    : QDialog(parent), ctx_(ctx), deleting_(caption.startsWith(QLatin1String("Del"))) {
    setObjectName(QStringLiteral("profilepop"));
    setWindowTitle(deleting_ ? tr("Delete Profile") : tr("Load Profile"));
    setModal(true);
    auto *layout = new QVBoxLayout(this);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("List1"));
    layout->addWidget(list_);
    list_profiles(ctx_, list_);
    list_->setAccessibleName(windowTitle());
    // One click acts; from the keyboard, Return on the entry does.
    connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) { pick(item->text()); });
    connect(list_, &QListWidget::itemActivated, this, [this](QListWidgetItem *item) { pick(item->text()); });
    list_->setFocus();
}

void ProfilePopDialog::pick(const QString &name) {
    if (picked_)
        return;
    QString error;
    if (deleting_) {
        if (name == QLatin1String("Default")) {
            tell(ctx_, windowTitle(), tr("You cannot delete the Default Profile"));
            return;
        }
        picked_ = true;
        if (ask(ctx_, windowTitle(), tr("verify delete of profile ") + name) &&
            !ctx_.store.delete_profile(name, &error))
            tell(ctx_, windowTitle(), error);
        accept();
        return;
    }
    picked_ = true;
    // A row that cannot be read leaves the record (and the screens) as they
    // were, and says why.
    if (!ctx_.load_profile(name, &error))
        tell(ctx_, windowTitle(), error);
    accept();
}

SaveProfileDialog::SaveProfileDialog(AppContext &ctx, QWidget *parent) : QDialog(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("saveprofile"));
    setWindowTitle(tr("Save Profile"));
    setModal(true);
    auto *layout = new QVBoxLayout(this);
    auto *heading = new QLabel(tr("Current Saved Profiles"), this);
    layout->addWidget(heading);
    list_ = new QListWidget(this);
    heading->setBuddy(list_);
    list_->setAccessibleName(heading->text());
    layout->addWidget(list_);
    auto *note = new QLabel(tr("DblClick to overwrite an existing profile or enter in a new profile name below"), this);
    note->setWordWrap(true);
    layout->addWidget(note);
    auto *name_label = new QLabel(tr("New Profile Name"), this);
    layout->addWidget(name_label);
    text_ = new QLineEdit(this);
    name_label->setBuddy(text_);
    text_->setAccessibleName(name_label->text());
    layout->addWidget(text_);
    auto *buttons = new QHBoxLayout;
    save_ = new QPushButton(tr("Save Profile"), this);
    // Return in the name box saves; Escape (or Cancel) closes unsaved.
    save_->setDefault(true);
    cancel_ = new QPushButton(tr("Cancel"), this);
    cancel_->setAutoDefault(false);
    buttons->addWidget(save_);
    buttons->addWidget(cancel_);
    layout->addLayout(buttons);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    text_->clear();
    list_profiles(ctx_, list_);
    // The name is typed first; the list comes after it in the tab order.
    setTabOrder(text_, save_);
    setTabOrder(save_, cancel_);
    setTabOrder(cancel_, list_);
    text_->setFocus();
    connect(save_, &QPushButton::clicked, this, [this] {
        if (save_as(text_->text()))
            accept();
    });
    connect(list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *item) {
        save_as(item->text());
        accept(); // closes whatever Save-as did
    });
}

bool SaveProfileDialog::save_as(const QString &typed) {
    bool new_row = true;
    if (typed.trimmed().isEmpty())
        return false;
    QString error;
    const std::optional<QString> valid = valid_profile_name(typed, &error);
    if (!valid) {
        tell(ctx_, windowTitle(), error);
        return false;
    }
    const QString name = *valid;
    QString target = name;
    const std::optional<QString> existing = ctx_.store.find_profile(name, &error);
    if (!error.isEmpty()) {
        tell(ctx_, windowTitle(), error);
        return false;
    }
    if (existing) {
        if (!ask(ctx_, tr("Duplicate Name"), name + tr(" already exists - Overwrite it Y/N?")))
            return false;
        new_row = false;
        target = *existing; // the row keeps its stored name
    }
    // A save that fails keeps the dialog open, so nothing is lost silently.
    if (!ctx_.store.save_profile(target, new_row, ctx_.record, &error)) {
        tell(ctx_, windowTitle(), error);
        return false;
    }
    ctx_.take_as_current(target, ctx_.record);
    saved_as_ = target;
    return true;
}

} // namespace k52
