#include "find_converter_panel.h"

#include "core/link/serial_link.h"

#include <QGridLayout>
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
    stop_button_ = new QPushButton(tr("Stop"), this);
    stop_button_->setObjectName(QStringLiteral("findstop"));
    stop_button_->setEnabled(false);
    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("findprogress"));
    bar_->setRange(0, 1);
    bar_->setValue(0);
    bar_->setTextVisible(true);
    bar_->setFormat(QStringLiteral("%p%"));
    status_ = new QLabel(tr("Tries each port at every speed and parity"), this);
    status_->setObjectName(QStringLiteral("findstatus"));
    status_->setWordWrap(true);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("findresults"));
    list_->setFixedHeight(list_->fontMetrics().height() * 3 + 2 * list_->frameWidth() + 6);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setTextElideMode(Qt::ElideRight);
    use_ = new QPushButton(tr("Use These Settings"), this);
    use_->setObjectName(QStringLiteral("finduse"));
    use_->setEnabled(false);
    g->addWidget(find_, 0, 0);
    g->addWidget(bar_, 0, 1);
    g->addWidget(stop_button_, 0, 2);
    g->addWidget(status_, 1, 0, 1, 3);
    g->addWidget(list_, 2, 0, 1, 2);
    g->addWidget(use_, 2, 2, Qt::AlignTop);
    g->setColumnStretch(1, 1);

    connect(find_, &QPushButton::clicked, this, &FindConverterPanel::start);
    connect(stop_button_, &QPushButton::clicked, this, &FindConverterPanel::stop);
    connect(use_, &QPushButton::clicked, this, [this] { take(list_->currentRow()); });
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        use_->setEnabled(!running() && row >= 0 && row < result_.ports.size() && result_.ports[row].found);
    });
    connect(&job_, &DeviceJob::step, this, [this](qint64 done, qint64 total) {
        bar_->setRange(0, int(total));
        bar_->setValue(int(done));
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
    const QVector<PortEntry> ports = searched_;
    const LineSetting stored{ctx_.link.baudrate, ctx_.link.parity};
    const bool started = job_.start(
        [this, ports, stored](ByteLink &, JobProgress &progress) {
            return find_converters(serial_links, ports, stored, progress, [this] { return job_.stopped(); });
        },
        [this](const SearchResult &r) { finished(r); });
    if (!started)
        return false;
    find_->setEnabled(false);
    stop_button_->setEnabled(true);
    bar_->setRange(0, 1);
    bar_->setValue(0);
    set_status(tr("Searching..."));
    return true;
}

void FindConverterPanel::stop() {
    job_.stop();
}

void FindConverterPanel::finished(const SearchResult &r) {
    result_ = r;
    list_->clear();
    find_->setEnabled(true);
    stop_button_->setEnabled(false);
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
    set_status(text);
    if (first_found >= 0)
        list_->setCurrentRow(first_found);
}

QString FindConverterPanel::status_text() const {
    return status_->text();
}

void FindConverterPanel::set_status(const QString &text) {
    status_->setText(text);
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
