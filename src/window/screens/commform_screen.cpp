#include "commform_screen.h"

#include "core/profile/setting_places.h"
#include "find_converter_panel.h"
#include "window/ui/entry_box_editor.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace k52 {

namespace {

constexpr int kTerminatorLength = 2;
constexpr int kIpAddressLength = 15; // 255.255.255.255
constexpr int kTcpPortLength = 5;    // 65535
constexpr int kDevicePathLength = 255;

const char *const kNotice = QT_TRANSLATE_NOOP(
    "k52::CommFormScreen",
    "Please note that the TCP settings are in this program for convenience only, so that this program can be "
    "used as a terminal emulator when talking to tcp devices in the \"terminal mode\". The TCP settings have "
    "nothing to do with the K52 or K54 converters. You should always be in the \"serial\" comm mode when "
    "talking to K52 and K54 converters.");

QGroupBox *text_group(const QString &caption, QLineEdit *edit, QWidget *parent) {
    auto *g = new QGroupBox(caption, parent);
    edit->setParent(g);
    (new QVBoxLayout(g))->addWidget(edit);
    return g;
}

template <std::size_t N> void clear_group(const std::array<QCheckBox *, N> &group) {
    for (QCheckBox *b : group)
        b->setChecked(false);
}

} // namespace

CommFormScreen::CommFormScreen(AppContext &ctx, QWidget *parent) : BaseScreen(ctx, parent), lister_(list_ports) {
    setWindowTitle(tr("Communications Setup"));
    auto *layout = new QVBoxLayout(this);

    auto *mode = new QGroupBox(tr("Comm Mode"), this);
    auto *mg = new QHBoxLayout(mode);
    mode_[kModeSerial] = make_check_box(tr("Serial"), QStringLiteral("serial"), mode);
    mode_[kModeTcp] = make_check_box(tr("Tcp/Ip"), QStringLiteral("tcpip"), mode);
    mg->addWidget(mode_[kModeSerial]);
    mg->addWidget(mode_[kModeTcp]);
    mg->addStretch();
    layout->addWidget(mode);

    auto *port = new QGroupBox(tr("Comm Port"), this);
    auto *pg = new QGridLayout(port);
    for (int i = 0; i < kCommPortChoices; ++i) {
        const QString n = QString::number(i + 1);
        port_[std::size_t(i)] = make_check_box(n, QStringLiteral("port") + n, port);
        auto *l = new QLabel(port);
        l->setObjectName(QStringLiteral("portdevice") + n);
        port_label_[std::size_t(i)] = l;
        pg->addWidget(port_[std::size_t(i)], i, 0);
        pg->addWidget(l, i, 1, 1, 2);
    }
    pg->addWidget(new QLabel(tr("Device path"), port), kCommPortChoices, 0);
    device_ = new QLineEdit(port);
    device_->setObjectName(QStringLiteral("commdevice"));
    device_->setMaxLength(kDevicePathLength);
    device_->setPlaceholderText(tr("used instead of the port number when given"));
    pg->addWidget(device_, kCommPortChoices, 1);
    refresh_ = new QPushButton(tr("Refresh"), port);
    refresh_->setObjectName(QStringLiteral("refresh"));
    pg->addWidget(refresh_, kCommPortChoices, 2);
    note_ = new QLabel(port);
    note_->setObjectName(QStringLiteral("devicenote"));
    note_->setWordWrap(true);
    pg->addWidget(note_, kCommPortChoices + 1, 0, 1, 3);
    pg->setColumnStretch(1, 1);
    layout->addWidget(port);

    layout->addWidget(baud_group(tr("Communications Baud Rate"), baud_, this));

    auto *parity = new QGroupBox(tr("Parity"), this);
    auto *rg = new QHBoxLayout(parity);
    for (int i = 0; i < kParityChoices; ++i) {
        parity_[std::size_t(i)] =
            make_check_box(shown_caption(parity_choices()[i]), QStringLiteral("parity%1").arg(i), parity);
        rg->addWidget(parity_[std::size_t(i)]);
    }
    rg->addStretch();
    // Find Converter sits beside the parity choices, where the row has room.
    rg->setAlignment(Qt::AlignTop);
    find_ = new FindConverterPanel(
        ctx_, [this] { return ports_to_search(); }, this);
    connect(find_, &FindConverterPanel::taken, this, &CommFormScreen::set_from_link);
    auto *parity_row = new QHBoxLayout;
    parity_row->addWidget(parity, 1);
    parity_row->addWidget(find_, 2);
    layout->addLayout(parity_row);

    terminator_ = make_entry_box("Terminator", EntryRule::Hex, kTerminatorLength, this);
    ip_ = make_entry_box("ipaddress", EntryRule::IpAddress, kIpAddressLength, this);
    tcp_port_ = make_entry_box("remoteportaddress", EntryRule::Decimal, kTcpPortLength, this);
    auto *texts = new QHBoxLayout;
    texts->addWidget(text_group(tr("Terminator Char"), terminator_, this));
    texts->addWidget(text_group(tr("IP Address"), ip_, this));
    texts->addWidget(text_group(tr("Tcp Port Address"), tcp_port_, this));
    layout->addLayout(texts);

    auto *notice = new QLabel(tr(kNotice), this);
    notice->setObjectName(QStringLiteral("notice"));
    notice->setWordWrap(true);
    layout->addWidget(notice);
    layout->addStretch();

    one_of_many(mode_, [this](int i) { ctx_.link.commtype = commtype_code(i); });
    one_of_many(port_, [this](int i) {
        ctx_.link.commport = Integer(i + 1);
        // A port chosen by hand is the one to open: a device path would win.
        // Its adapter is remembered, wherever it is plugged in next time.
        if (!filling_) {
            device_->clear();
            ctx_.link.commidentity = i < ports_.size() ? ports_[i].identity : QString();
            show_ports();
        }
        update_note();
    });
    one_of_many(baud_, [this](int i) { ctx_.link.baudrate = kBaudRates[std::size_t(i)]; });
    one_of_many(parity_, [this](int i) { ctx_.link.parity = Integer(i); });
    connect(terminator_, &QLineEdit::textChanged, this, [this](const QString &t) { ctx_.link.Terminator = t; });
    connect(ip_, &QLineEdit::textChanged, this, [this](const QString &t) { ctx_.link.ipaddress = t; });
    connect(tcp_port_, &QLineEdit::textChanged, this, [this](const QString &t) { ctx_.link.remoteportaddress = t; });
    connect(device_, &QLineEdit::textChanged, this, [this](const QString &t) {
        ctx_.link.commdevice = t;
        // A path typed by hand is the port to open, not the adapter remembered.
        if (!filling_)
            ctx_.link.commidentity.clear();
        update_note();
    });
    connect(refresh_, &QPushButton::clicked, this, &CommFormScreen::refresh_ports);
    poll_ = new QTimer(this);
    poll_->setInterval(1000);
    connect(poll_, &QTimer::timeout, this, &CommFormScreen::refresh_ports);

    grey_controls(this);
    refresh_ports();
}

void CommFormScreen::set_from_link() {
    filling_ = true;
    const LinkSettings link = ctx_.link;
    const LinkChoices c = link_choices(link);
    mode_[std::size_t(c.mode)]->setChecked(true);
    ctx_.link.commtype = commtype_code(c.mode); // also when the box was ticked already
    if (c.port)
        port_[std::size_t(*c.port)]->setChecked(true);
    else
        clear_group(port_);
    clear_group(baud_);
    if (c.baud)
        baud_[std::size_t(*c.baud)]->setChecked(true);
    if (c.parity)
        parity_[std::size_t(*c.parity)]->setChecked(true);
    else
        clear_group(parity_);
    ip_->setText(link.ipaddress);
    tcp_port_->setText(link.remoteportaddress);
    terminator_->setText(link.Terminator);
    device_->setText(link.commdevice);
    filling_ = false;
    refresh_ports();
}

void CommFormScreen::refresh_ports() {
    ports_ = lister_ ? lister_() : QVector<PortEntry>{};
    show_ports();
}

void CommFormScreen::show_ports() {
    const std::optional<int> remembered = remembered_box(ctx_.link, ports_);
    for (int i = 0; i < kCommPortChoices; ++i) {
        QString caption = port_caption(i + 1, ports_);
        if (remembered == i)
            caption += tr(" - remembered adapter");
        port_label_[std::size_t(i)]->setText(caption);
    }
    // The remembered adapter moved: its box is the one the link opens.
    if (remembered && !port_[std::size_t(*remembered)]->isChecked()) {
        filling_ = true;
        port_[std::size_t(*remembered)]->setChecked(true);
        filling_ = false;
    }
    update_note();
}

QVector<PortEntry> CommFormScreen::ports_to_search() const {
    QVector<PortEntry> out = ports_;
    const QString typed = ctx_.link.commdevice.trimmed();
    if (!typed.isEmpty() && std::none_of(out.begin(), out.end(), [&](const PortEntry &p) { return p.device == typed; }))
        out << PortEntry{0, typed, {}, {}};
    return out;
}

void CommFormScreen::showEvent(QShowEvent *e) {
    BaseScreen::showEvent(e);
    poll_->start();
}

void CommFormScreen::hideEvent(QHideEvent *e) {
    poll_->stop();
    BaseScreen::hideEvent(e);
}

void CommFormScreen::set_port_lister(PortLister lister) {
    lister_ = std::move(lister);
    refresh_ports();
}

void CommFormScreen::update_note() {
    note_->setText(link_device_note(ctx_.link, ports_));
}

} // namespace k52
