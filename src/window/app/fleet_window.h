#pragma once
// "Program Every Converter": the current profile written into every
// converter plugged in (core/link/fleet.h), one row per converter as they come
// and go, a loud pass or fail per row, the counts, Stop, the run's report
// and its CSV.

#include "core/link/fleet.h"
#include "core/session/app_context.h"

#include <QWidget>

#include <functional>
#include <memory>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace k52 {

class FleetWindow : public QWidget {
    Q_OBJECT
public:
    using PortLister = Fleet::PortLister;
    // `ports` lists the ports watched (the system's serial ports when empty).
    explicit FleetWindow(AppContext &ctx, PortLister ports = {}, QWidget *parent = nullptr);
    ~FleetWindow() override;

    // Starts watching the ports; false while a run is under way.
    bool start();
    // Stop: asks first while a converter is being written (No is the
    // default); true when the run was stopped.
    bool stop_asked();
    bool running() const { return fleet_ && fleet_->running(); }
    const Fleet *fleet() const { return fleet_.get(); }

    // The run's report (summary page, then each converter's report) and
    // its CSV; false, with the reason shown in the status line.
    bool write_report(const QString &path);
    bool save_csv(const QString &path);

    QTableWidget *table() const { return table_; }
    QPlainTextEdit *lines() const { return lines_; }
    QLabel *counts_label() const { return counts_; }
    QPushButton *stop_button() const { return stop_; }

protected:
    void closeEvent(QCloseEvent *e) override;

private:
    void added(int row);
    void ended(int row);
    void show_row(int row);
    void show_counts();
    void run_over();

    AppContext &ctx_;
    PortLister ports_;
    std::unique_ptr<Fleet> fleet_;
    QTableWidget *table_;
    QPlainTextEdit *lines_;
    QLabel *counts_;
    QLabel *status_;
    QPushButton *start_;
    QPushButton *stop_;
    QPushButton *report_;
    QPushButton *csv_;
};

} // namespace k52
