#include "fleet_window.h"

#include "core/link/port_names.h"
#include "core/profile/history_store.h"
#include "core/profile/safe_file.h"
#include "core/programming/programming_run.h"
#include "core/programming/run_history.h"
#include "window/report/history_report.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace k52 {

namespace {

enum Column { Port, Model, Firmware, State, Time, Outcome, Columns };

// Pass green, fail red, stopped amber: readable from across the bench.
QColor outcome_colour(const QString &outcome) {
    if (outcome == kOutcomeDone)
        return QColor(0x9c, 0xe0, 0xa0);
    if (outcome == kOutcomeStopped)
        return QColor(0xff, 0xd8, 0x80);
    return QColor(0xf4, 0x90, 0x90);
}

} // namespace

FleetWindow::FleetWindow(AppContext &ctx, PortLister ports, QWidget *parent)
    : QWidget(parent, Qt::Window), ctx_(ctx), ports_(ports ? std::move(ports) : PortLister(list_ports)) {
    setWindowTitle(tr("Program Every Converter"));
    setObjectName(QStringLiteral("fleet"));
    auto *layout = new QVBoxLayout(this);
    auto *split = new QSplitter(Qt::Vertical, this);
    table_ = new QTableWidget(0, Columns, split);
    table_->setObjectName(QStringLiteral("converters"));
    table_->setAccessibleName(tr("Converters"));
    table_->setHorizontalHeaderLabels(
        {tr("Port"), tr("Model"), tr("Firmware"), tr("State"), tr("Time"), tr("Outcome")});
    // One cell is chosen, not the row: the rest of the row keeps its pass or
    // fail colour.
    table_->setSelectionBehavior(QAbstractItemView::SelectItems);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->setVisible(false);

    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setStretchLastSection(true);
    lines_ = new QPlainTextEdit(split);
    lines_->setObjectName(QStringLiteral("lines"));
    lines_->setAccessibleName(tr("Lines of the selected converter"));
    lines_->setReadOnly(true);
    lines_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    layout->addWidget(split, 1);

    counts_ = new QLabel(this);
    counts_->setObjectName(QStringLiteral("counts"));
    QFont big = counts_->font();
    big.setPointSizeF(big.pointSizeF() * 1.25);
    big.setBold(true);
    counts_->setFont(big);
    layout->addWidget(counts_);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("status"));
    status_->setWordWrap(true);
    layout->addWidget(status_);

    auto *buttons = new QHBoxLayout;
    start_ = new QPushButton(tr("Start"), this);
    stop_ = new QPushButton(tr("Stop"), this);
    report_ = new QPushButton(tr("Report..."), this);
    csv_ = new QPushButton(tr("Save CSV..."), this);
    const char *names[] = {"start", "stop", "report", "csv"};
    int i = 0;
    for (QPushButton *b : {start_, stop_, report_, csv_}) {
        b->setObjectName(QLatin1String(names[i++]));
        b->setAccessibleName(b->text().remove(QStringLiteral("...")));
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    auto *close = new QPushButton(tr("Close"), this);
    close->setObjectName(QStringLiteral("close"));
    buttons->addWidget(close);
    layout->addLayout(buttons);

    connect(start_, &QPushButton::clicked, this, &FleetWindow::start);
    connect(stop_, &QPushButton::clicked, this, &FleetWindow::stop_asked);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(report_, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getSaveFileName(this, tr("Report of the Run"),
                                                          QStringLiteral("commissioning-run.pdf"), tr("PDF (*.pdf)"));
        if (!path.isEmpty())
            write_report(path);
    });
    connect(csv_, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getSaveFileName(this, tr("Save CSV"), QStringLiteral("commissioning-run.csv"),
                                                          tr("CSV (*.csv)"));
        if (!path.isEmpty())
            save_csv(path);
    });
    connect(table_, &QTableWidget::currentCellChanged, this, [this](int row) { show_row(row); });
    // On the screen whatever its size and scale.
    const QRect area = screen()->availableGeometry();
    resize(std::min(760, area.width() * 9 / 10), std::min(480, area.height() * 9 / 10));
    move(area.center() - rect().center());
    show_counts();
    start();
}

FleetWindow::~FleetWindow() = default;

bool FleetWindow::start() {
    if (running())
        return false;
    const ConfigRecord rec = ctx_.record;
    const QString name = ctx_.current_profile();
    FleetJob job{
        QStringLiteral("program"), programming_at_stake(), [name, rec](ActionRecord &a) { a.set_profile(name, rec); },
        fleet_work([rec](ByteLink &l, const PortSpec &port, JobProgress &p) { return savetoK52(l, port, rec, p); },
                   programming_at_stake())};
    Fleet::Options options;
    options.stored = {ctx_.link.baudrate, ctx_.link.parity};
    fleet_ = std::make_unique<Fleet>(ctx_.links, &ctx_.store, ports_, std::move(job), options);
    table_->setRowCount(0);
    lines_->clear();
    connect(fleet_.get(), &Fleet::converter_added, this, &FleetWindow::added);
    connect(fleet_.get(), &Fleet::converter_ended, this, &FleetWindow::ended);
    connect(fleet_.get(), &Fleet::converter_line, this, [this](int row, const QString &text) {
        if (table_->currentRow() == row)
            lines_->appendPlainText(text);
    });
    connect(fleet_.get(), &Fleet::ended, this, &FleetWindow::run_over);
    fleet_->start();
    start_->setEnabled(false);
    stop_->setEnabled(true);
    status_->setText(tr("Plug in the converters one after another; each is programmed with profile "
                        "\"%1\" and may be unplugged when its row turns green.")
                         .arg(name));
    show_counts();
    return true;
}

bool FleetWindow::stop_asked() {
    if (!running())
        return false;
    if (fleet_->writing() && !ctx_.may_stop(programming_at_stake()))
        return false;
    fleet_->stop();
    return true;
}

void FleetWindow::run_over() {
    start_->setEnabled(true);
    stop_->setEnabled(false);
    status_->setText(tr("Stopped: no more converters are taken"));
    show_counts();
}

void FleetWindow::added(int row) {
    const FleetConverter &c = fleet_->converters()[row];
    table_->insertRow(row);
    const QString cells[Columns] = {c.port,
                                    c.model,
                                    c.firmware,
                                    QStringLiteral("programming"),
                                    c.started.toLocalTime().toString(QStringLiteral("HH:mm:ss")),
                                    QString()};
    for (int col = 0; col < Columns; ++col)
        table_->setItem(row, col, new QTableWidgetItem(cells[col]));
    table_->setCurrentCell(row, 0);
    show_counts();
}

void FleetWindow::ended(int row) {
    const FleetConverter &c = fleet_->converters()[row];
    table_->item(row, State)->setText(tr("ended after %1 s").arg(c.seconds, 0, 'f', 1));
    table_->item(row, Outcome)->setText(c.detail.isEmpty() ? c.outcome : c.outcome + QStringLiteral(": ") + c.detail);
    table_->item(row, Outcome)->setToolTip(table_->item(row, Outcome)->text());
    for (int col = 0; col < Columns; ++col)
        table_->item(row, col)->setBackground(outcome_colour(c.outcome));
    // One beep for a pass, three for anything else.
    QApplication::beep();
    if (c.outcome != kOutcomeDone) {
        QTimer::singleShot(250, this, [] { QApplication::beep(); });
        QTimer::singleShot(500, this, [] { QApplication::beep(); });
    }
    if (table_->currentRow() == row)
        show_row(row);
    show_counts();
}

void FleetWindow::show_row(int row) {
    lines_->clear();
    if (!fleet_ || row < 0 || row >= fleet_->converters().size())
        return;
    lines_->setPlainText(fleet_->converters()[row].lines.join(QLatin1Char('\n')));
}

void FleetWindow::show_counts() {
    const FleetCounts n = fleet_ ? fleet_->counts() : FleetCounts{};
    counts_->setText(tr("Programmed %1    Refused %2    Failed %3    Stopped %4    Under way %5")
                         .arg(n.done)
                         .arg(n.refused)
                         .arg(n.failed)
                         .arg(n.stopped)
                         .arg(n.under_way));
}

bool FleetWindow::write_report(const QString &path) {
    const QVector<FleetConverter> rows = fleet_ ? fleet_->converters() : QVector<FleetConverter>{};
    HistoryStore history(ctx_.store);
    QVector<HistoryEntry> entries;
    QString why;
    for (const FleetConverter &c : rows) {
        if (c.history <= 0)
            continue;
        const std::optional<HistoryEntry> e = history.entry(c.history, &why);
        if (!e) {
            status_->setText(why);
            return false;
        }
        entries << *e;
    }
    QStringList summary = fleet_summary(rows);
    summary << QString() << tr("Converters:");
    for (const FleetConverter &c : rows)
        summary << fleet_line(c);
    if (!write_run_report(tr("Commissioning run"), summary, entries, path, &why)) {
        status_->setText(why);
        return false;
    }
    status_->setText(tr("Report written to %1").arg(path));
    return true;
}

bool FleetWindow::save_csv(const QString &path) {
    QString why;
    if (!write_file_safely(path, fleet_csv(fleet_ ? fleet_->converters() : QVector<FleetConverter>{}), &why)) {
        status_->setText(why);
        return false;
    }
    status_->setText(tr("CSV written to %1").arg(path));
    return true;
}

void FleetWindow::closeEvent(QCloseEvent *e) {
    if (running() && !stop_asked()) {
        e->ignore();
        return;
    }
    e->accept();
}

} // namespace k52
