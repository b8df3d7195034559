#include "backup_option_panel.h"

#include "core/profile/history_store.h"

namespace k52 {

BackupOptionBox::BackupOptionBox(ProfileStore &store, QWidget *parent)
    : QCheckBox(tr("Back up the converter before writing (v1.96+)"), parent), store_(store) {
    setObjectName(QStringLiteral("backup"));
    setToolTip(tr("Reads the converter's 1024-byte image into the history first, so that "
                  "History can write it back"));
    refresh();
    connect(this, &QCheckBox::toggled, this,
            [this](bool on) { HistoryStore(store_).set_backup_before_writing(on, nullptr); });
}

void BackupOptionBox::refresh() {
    const QSignalBlocker block(this);
    setChecked(store_.is_open() && HistoryStore(store_).backup_before_writing());
}

} // namespace k52
