#pragma once
// "History": the rows of the history (newest first), the lines and the
// profile snapshot of the selected row, and what can be done with a row:
// save its snapshot as a new profile, write its commissioning report,
// restore its converter image, compare profiles.

#include "core/profile/history_store.h"
#include "core/session/app_context.h"

#include <QWidget>

class QPlainTextEdit;
class QPushButton;
class QTreeWidget;
class QLabel;

namespace k52 {

class DeviceJob;
class CompareWindow;

class HistoryWindow : public QWidget {
    Q_OBJECT
public:
    // Rows shown at most; `k52util history` lists them all.
    static constexpr int kShownRows = 2000;

    explicit HistoryWindow(AppContext &ctx, QWidget *parent = nullptr);
    void refill();
    // The row shown, if one is selected.
    const HistoryEntry *selected() const { return selected_.id ? &selected_ : nullptr; }
    // Saves the selected row's snapshot as profile `name`; false, with the
    // reason, when there is none, the name is taken or the store fails.
    bool save_snapshot(const QString &name, QString *error);
    CompareWindow *compare_window();

private:
    void select_row();
    void save_snapshot_clicked();
    void report_clicked();
    void restore_clicked();

    AppContext &ctx_;
    QTreeWidget *rows_;
    QPlainTextEdit *lines_;
    QPlainTextEdit *snapshot_;
    QLabel *status_;
    QPushButton *save_;
    QPushButton *report_;
    QPushButton *restore_;
    DeviceJob *job_;
    CompareWindow *compare_ = nullptr;
    HistoryEntry selected_;
};

} // namespace k52
