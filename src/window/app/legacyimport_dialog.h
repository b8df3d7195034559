#pragma once
// "Import from an older database...": the profiles of an older Access
// profile database, a tick each and what importing it would do.

#include "core/profile/legacy_import.h"

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace k52 {

class LegacyImportDialog : public QDialog {
    Q_OBJECT
public:
    // How the dialog tells the user something (title, text).
    using Tell = std::function<void(const QString &, const QString &)>;
    // Reads `file` at once; ready() is false when it cannot be used, and
    // error() says why.
    LegacyImportDialog(ProfileStore &store, const QString &file, Tell tell, QWidget *parent = nullptr);
    bool ready() const { return ready_; }
    QString error() const { return error_; }
    QTreeWidget *list() const { return list_; }
    QPushButton *import_button() const { return import_; }
    // Import the ticked profiles in one transaction and tell the summary;
    // false (and the reason told) when nothing could be written.
    bool run_import();

private:
    ProfileStore &store_;
    Tell tell_;
    bool ready_ = false;
    QString error_;
    QVector<LegacyPlanItem> items_;
    QTreeWidget *list_ = nullptr;
    QPushButton *import_ = nullptr;
};

} // namespace k52
