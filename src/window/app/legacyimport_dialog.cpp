#include "legacyimport_dialog.h"

#include "core/profile/legacy_reader.h"
#include "core/profile/profile_names.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <thread>

namespace k52 {

namespace {

// Reads the file on a worker thread (the reader waits for its child process,
// up to its deadline) while the window goes on drawing itself: clicks and
// keys wait until the reading is done.
std::optional<LegacyDatabase> read_without_freezing(const QString &file, QString *error) {
    std::optional<LegacyDatabase> db;
    QString why;
    QEventLoop loop;
    std::thread worker([&] {
        db = read_legacy_database_isolated(file, &why);
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    QApplication::setOverrideCursor(Qt::WaitCursor);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    QApplication::restoreOverrideCursor();
    worker.join();
    if (error)
        *error = why;
    return db;
}

} // namespace

LegacyImportDialog::LegacyImportDialog(ProfileStore &store, const QString &file, Questions *questions, QWidget *parent)
    : QDialog(parent), store_(store), questions_(questions) {
    setObjectName(QStringLiteral("legacyimport"));
    setWindowTitle(tr("Import from an older database"));
    setModal(true);

    // In a child process: a hostile file cannot take the window down.
    std::optional<LegacyDatabase> db = read_without_freezing(file, &error_);
    QStringList said = error_.split(QLatin1Char('\n'));
    for (QString &line : said)
        line = printable_text(line);
    error_ = said.join(QLatin1Char('\n'));
    if (db && db->profiles.lost_rows() > 0) {
        error_ = lost_rows_text(file, QStringLiteral("profiles"), db->profiles) +
                 tr("; nothing was imported (`k52util profiles import-legacy --partial` imports the rows "
                    "that were read)");
        db.reset();
    }
    LegacyProfiles found;
    if (db) {
        found = convert_legacy_profiles(db->profiles);
        if (!found.error.isEmpty())
            error_ = QStringLiteral("%1: %2").arg(file, found.error);
        else if (auto items = plan_legacy_import(found, store_, &error_))
            items_ = *items;
        ready_ = found.error.isEmpty() && error_.isEmpty();
    }

    auto *layout = new QVBoxLayout(this);
    auto *head = new QLabel(this);
    head->setObjectName(QStringLiteral("heading"));
    head->setWordWrap(true);
    head->setText(
        db ? tr("%1 (%2): %3 profiles").arg(QFileInfo(file).fileName(), db->format).arg(db->profiles.rows.size())
           : error_);
    layout->addWidget(head);
    const QStringList notes = legacy_column_notes(found);
    if (!notes.isEmpty()) {
        auto *n = new QLabel(notes.join(QLatin1Char('\n')), this);
        n->setObjectName(QStringLiteral("notes"));
        n->setWordWrap(true);
        layout->addWidget(n);
    }
    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("profiles"));
    list_->setRootIsDecorated(false);
    list_->setColumnCount(2);
    list_->setHeaderLabels({tr("Profile"), tr("Beside the stored profiles")});
    for (const LegacyPlanItem &it : items_) {
        auto *row = new QTreeWidgetItem(
            list_, {printable_text(it.profile.name), printable_text(legacy_state_text(it.state, it.profile.refusal))});
        if (it.state == LegacyState::Refused) {
            // A greyed box keeps the names in line; it cannot be ticked.
            row->setFlags((row->flags() | Qt::ItemIsUserCheckable) & ~Qt::ItemIsEnabled);
            row->setCheckState(0, Qt::Unchecked);
        } else {
            row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
            row->setCheckState(0, legacy_default_tick(it.state) ? Qt::Checked : Qt::Unchecked);
        }
    }
    list_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    list_->header()->setStretchLastSection(true);
    layout->addWidget(list_, 1);
    auto *hint = new QLabel(
        tr("Ticked profiles are imported; a ticked profile whose name is stored already replaces it."), this);
    hint->setWordWrap(true);
    layout->addWidget(hint);
    auto *buttons = new QDialogButtonBox(this);
    import_ = buttons->addButton(tr("Import"), QDialogButtonBox::AcceptRole);
    import_->setEnabled(ready_ && !items_.isEmpty());
    buttons->addButton(QDialogButtonBox::Cancel);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(import_, &QPushButton::clicked, this, [this] {
        if (run_import())
            accept();
    });
    // 640 x 420 where the screen has room; a small or magnified screen
    // gets what it can show (the list shrinks first).
    QSize size(640, 420);
    if (const QScreen *sc = screen())
        size = size.boundedTo(sc->availableGeometry().size() - QSize(40, 60));
    resize(size);
}

bool LegacyImportDialog::run_import() {
    QVector<bool> ticks;
    for (int i = 0; i < list_->topLevelItemCount(); ++i)
        ticks << (list_->topLevelItem(i)->checkState(0) == Qt::Checked);
    const LegacySelection chosen = legacy_selection(items_, ticks);
    QString why;
    const auto outcomes = apply_legacy_import(store_, chosen.items, chosen.overwrite, nullptr, &why);
    const QString said =
        outcomes ? legacy_summary(*outcomes).join(QLatin1Char('\n')) : why + tr("\nNothing was changed.");
    if (questions_)
        questions_->inform(message_title(), said);
    return outcomes.has_value();
}

} // namespace k52
