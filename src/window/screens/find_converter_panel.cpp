#include "find_converter_panel.h"

#include "core/link/serial_link.h"
#include "window/ui/job_panel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>

namespace k52 {

FindConverterPanel::FindConverterPanel(AppContext &ctx, PortSource ports, QWidget *parent)
    : QGroupBox(tr("Find Converter"), parent), ctx_(ctx), ports_source_(std::move(ports)), job_(ctx.links) {
    setObjectName(QStringLiteral("findconverter"));
    auto *g = new QGridLayout(this);
    find_ = new QPushButton(tr("Find Converter"), this);
    find_->setObjectName(QStringLiteral("find"));
    // The job's row: Find, the bar and Stop; what the search does or found
    // under it, wrapping so that it fits at any scale.
    panel_ = new JobPanel(ctx_, job_, JobPanel::Row, this);
    panel_->buttons()->insertWidget(0, find_);
    panel_->stop_button()->setObjectName(QStringLiteral("findstop"));
    panel_->bar()->setObjectName(QStringLiteral("findprogress"));
    panel_->bar()->setTextVisible(true);
    panel_->bar()->setFormat(QStringLiteral("%p%"));
    panel_->detail()->setObjectName(QStringLiteral("findstatus"));
    set_status(tr("Tries each port at every speed and parity"));
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("findresults"));
    list_->setFixedHeight(list_->fontMetrics().height() * 3 + 2 * list_->frameWidth() + 6);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setTextElideMode(Qt::ElideRight);
    use_ = new QPushButton(tr("Use These Settings"), this);
    use_->setObjectName(QStringLiteral("finduse"));
    use_->setEnabled(false);
    g->addWidget(panel_, 0, 0, 1, 2);
    g->addWidget(list_, 1, 0);
    g->addWidget(use_, 1, 1, Qt::AlignTop);
    g->setColumnStretch(0, 1);

    connect(find_, &QPushButton::clicked, this, &FindConverterPanel::start);
    connect(use_, &QPushButton::clicked, this, [this] { take(list_->currentRow()); });
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        use_->setEnabled(!running() && row >= 0 && row < result_.ports.size() && result_.ports[row].found);
    });
    // Each port's outcome shows as soon as that port is done; the ending
    // lists them again in port order.
    connect(&job_, &DeviceJob::line, this, [this](const QString &text) {
        list_->addItem(text);
        list_->item(list_->count() - 1)->setToolTip(text);
    });
    connect(&job_, &DeviceJob::status, this, [this](const QString &text) { set_status(text); });
}

bool FindConverterPanel::start() {
    if (running())
        return false;
    searched_ = ports_source_ ? ports_source_() : QVector<PortEntry>{};
    result_ = {};
    list_->clear();
    use_->setEnabled(false);
    if (searched_.isEmpty()) {
        set_status(tr("No serial ports found: plug the adapter in, or enter its device path"));
        return false;
    }
    panel_->begin();
    const QVector<PortEntry> ports = searched_;
    const LineSetting stored{ctx_.link.baudrate, ctx_.link.parity};
    const bool started = job_.start(
        [this, ports, stored](ByteLink &, JobProgress &progress) {
            return find_converters(serial_links, ports, stored, progress, [this] { return job_.stopped(); });
        },
        [this](const SearchResult &r) { finished(r); });
    panel_->started(started);
    if (!started)
        return false;
    find_->setEnabled(false);
    set_status(tr("Searching..."));
    return true;
}

void FindConverterPanel::stop() {
    panel_->stop();
}

void FindConverterPanel::finished(const SearchResult &r) {
    result_ = r;
    list_->clear();
    find_->setEnabled(true);
    int first_found = -1;
    for (int i = 0; i < result_.ports.size(); ++i) {
        list_->addItem(port_search_text(result_.ports[i]));
        list_->item(i)->setToolTip(list_->item(i)->text()); // a long reason is cut short in the row
        if (result_.ports[i].found && first_found < 0)
            first_found = i;
    }
    const int found = int(result_.found().size());
    QString text = found == 0   ? tr("No converter found")
                   : found == 1 ? tr("1 converter found")
                                : tr("%1 converters found").arg(found);
    if (result_.stopped)
        text += tr(" (stopped)");
    // A stopped search leaves the bar where it was.
    panel_->end(!result_.stopped, {});
    set_status(text);
    if (first_found >= 0)
        list_->setCurrentRow(first_found);
}

QPushButton *FindConverterPanel::stop_button() const {
    return panel_->stop_button();
}
QProgressBar *FindConverterPanel::progress_bar() const {
    return panel_->bar();
}

QString FindConverterPanel::status_text() const {
    return panel_->detail()->text();
}

void FindConverterPanel::set_status(const QString &text) {
    panel_->detail()->setText(text);
}

bool FindConverterPanel::take(int row) {
    if (running() || row < 0 || row >= result_.ports.size() || !result_.ports[row].found)
        return false;
    ctx_.link = take_found(ctx_.link, *result_.ports[row].found, searched_);
    set_status(tr("Link settings: %1 at %2")
                   .arg(result_.ports[row].port.device, line_setting_text(result_.ports[row].found->setting)));
    emit taken();
    return true;
}

} // namespace k52
