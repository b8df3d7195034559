#pragma once
// "Import from an older database...": the profiles of an older Access
// profile database, a tick each and what importing it would do.

#include "core/profile/legacy_import.h"
#include "core/session/app_context.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace k52 {

class LegacyImportDialog : public QDialog {
    Q_OBJECT
public:
    // Reads `file` at once; ready() is false when it cannot be used, and
    // error() says why. The outcome of an import is told through
    // `questions` (nothing is told without it).
    LegacyImportDialog(ProfileStore &store, const QString &file, Questions *questions, QWidget *parent = nullptr);
    bool ready() const { return ready_; }
    QString error() const { return error_; }
    QTreeWidget *list() const { return list_; }
    QPushButton *import_button() const { return import_; }
    // Import the ticked profiles in one transaction and tell the summary;
    // false (and the reason told) when nothing could be written.
    bool run_import();

private:
    ProfileStore &store_;
    Questions *questions_;
    bool ready_ = false;
    QString error_;
    QVector<LegacyPlanItem> items_;
    QTreeWidget *list_ = nullptr;
    QPushButton *import_ = nullptr;
};

} // namespace k52
