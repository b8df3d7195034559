#include "terminal_side_panel.h"

#include "core/profile/history_store.h"
#include "core/profile/profile_store.h"

#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTextCursor>
#include <QVBoxLayout>

namespace k52 {

namespace {

constexpr const char *kLineViewFlag = "terminal_line_view";
constexpr const char *kHexViewFlag = "terminal_hex_view";
// A file goes out in pieces of this size whenever the wire has less than
// that left to send: at the link's own pace.
constexpr qsizetype kSendPiece = 64;
constexpr int kSendTickMs = 10;
// The largest file sent (the terminal is for test messages, not transfers).
constexpr qint64 kMaxSendFile = 16 * 1024 * 1024;
// Rows the views keep, and how often they catch up.
constexpr int kViewRows = 2000;
constexpr int kViewCatchUpMs = 100;

// The start of the last `rows` rows of `text`, or 0.
qsizetype last_rows(const QString &text, int rows) {
    qsizetype at = text.size();
    while (rows-- > 0) {
        at = text.lastIndexOf(QLatin1Char('\n'), at - 1);
        if (at <= 0)
            return 0;
    }
    return at + 1;
}

QPlainTextEdit *make_view(const QString &name, const QString &accessible, QWidget *parent) {
    auto *v = new QPlainTextEdit(parent);
    v->setObjectName(name);
    v->setAccessibleName(accessible);
    v->setReadOnly(true);
    v->setMaximumBlockCount(kViewRows);
    v->setLineWrapMode(QPlainTextEdit::NoWrap);
    v->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    v->setFocusPolicy(Qt::ClickFocus);
    v->hide();
    return v;
}

void append(QPlainTextEdit *view, const QString &text, const QColor &colour) {
    QTextCursor c(view->document());
    c.movePosition(QTextCursor::End);
    QTextCharFormat f;
    f.setForeground(colour);
    c.insertText(text, f);
}

} // namespace

TerminalSidePanel::TerminalSidePanel(ProfileStore &store, std::function<bool(const QByteArray &)> send,
                                     std::function<qint64()> waiting, QWidget *parent)
    : QWidget(parent), store_(store), send_(std::move(send)), waiting_(std::move(waiting)) {
    setObjectName(QStringLiteral("terminalside"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    line_box_ = new QCheckBox(tr("Line view with times"), this);
    line_box_->setObjectName(QStringLiteral("lineview"));
    hex_box_ = new QCheckBox(tr("Hex view"), this);
    hex_box_->setObjectName(QStringLiteral("hexview"));
    line_view_ = make_view(QStringLiteral("lines"), tr("Received lines with their times"), this);
    hex_view_ = make_view(QStringLiteral("hex"), tr("Every byte in hex"), this);
    const int hex_width = hex_view_->fontMetrics().horizontalAdvance(QString(HexRows::kPerRow * 3 + 3, u'0'));
    hex_view_->setMinimumWidth(hex_width + 24);
    line_view_->setMinimumWidth(hex_width + 24);

    auto *log_row = new QHBoxLayout;
    log_button_ = new QPushButton(tr("Log to file…"), this);
    log_button_->setObjectName(QStringLiteral("logfile"));
    log_label_ = new QLabel(this);
    log_label_->setObjectName(QStringLiteral("logname"));
    log_row->addWidget(log_button_);
    log_row->addWidget(log_label_, 1);

    auto *send_row = new QHBoxLayout;
    send_button_ = new QPushButton(tr("Send file…"), this);
    send_button_->setObjectName(QStringLiteral("sendfile"));
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("sendprogress"));
    progress_->setAccessibleName(tr("File sent so far"));
    progress_->setFormat(tr("%v of %m bytes"));
    progress_->hide();
    stop_button_ = new QPushButton(tr("Stop"), this);
    stop_button_->setObjectName(QStringLiteral("stopsend"));
    stop_button_->setAccessibleName(tr("Stop sending the file"));
    stop_button_->hide();
    send_button_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    log_button_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    send_row->addWidget(send_button_);
    send_row->addWidget(progress_, 1);
    send_row->addWidget(stop_button_);
    send_row->addStretch();
    send_label_ = new QLabel(this);
    send_label_->setObjectName(QStringLiteral("sendname"));

    layout->addWidget(line_box_);
    layout->addWidget(line_view_, 1);
    layout->addWidget(hex_box_);
    layout->addWidget(hex_view_, 1);
    layout->addLayout(log_row);
    layout->addLayout(send_row);
    layout->addWidget(send_label_);
    layout->addStretch();

    connect(line_box_, &QCheckBox::toggled, this, [this](bool on) {
        set_line_view(on);
        remember(kLineViewFlag, on);
    });
    connect(hex_box_, &QCheckBox::toggled, this, [this](bool on) {
        set_hex_view(on);
        remember(kHexViewFlag, on);
    });
    connect(log_button_, &QPushButton::clicked, this, [this] {
        if (log_.is_open()) {
            stop_log();
            return;
        }
        const QString path =
            QFileDialog::getSaveFileName(this, tr("Log to file"), QStringLiteral("terminal.log"),
                                         tr("Log files (*.log *.txt)"), nullptr, QFileDialog::DontConfirmOverwrite);
        if (!path.isEmpty())
            start_log(path);
    });
    connect(send_button_, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getOpenFileName(this, tr("Send file"));
        if (!path.isEmpty())
            start_send(path);
    });
    connect(stop_button_, &QPushButton::clicked, this, &TerminalSidePanel::stop_send);
    view_timer_.setSingleShot(true);
    view_timer_.setInterval(kViewCatchUpMs);
    connect(&view_timer_, &QTimer::timeout, this, &TerminalSidePanel::show_pending);
    // As with "Clear Screen": a click leaves the keys going to the terminal.
    for (QWidget *w : std::initializer_list<QWidget *>{line_box_, hex_box_, log_button_, send_button_, stop_button_})
        w->setFocusPolicy(Qt::NoFocus);
    send_timer_.setInterval(kSendTickMs);
    connect(&send_timer_, &QTimer::timeout, this, &TerminalSidePanel::send_more);

    if (store_.is_open()) {
        HistoryStore prefs(store_);
        line_box_->setChecked(prefs.flag(QString::fromLatin1(kLineViewFlag)));
        hex_box_->setChecked(prefs.flag(QString::fromLatin1(kHexViewFlag)));
    }
}

TerminalSidePanel::~TerminalSidePanel() {
    log_.close();
}

void TerminalSidePanel::remember(const char *name, bool on) {
    if (!store_.is_open())
        return;
    HistoryStore prefs(store_);
    prefs.set_flag(QString::fromLatin1(name), on, nullptr); // a view choice not kept loses nothing
}

void TerminalSidePanel::set_line_view(bool on) {
    line_box_->setChecked(on);
    line_view_->setVisible(on);
    stamper_.reset();
    pending_lines_.clear();
    if (on)
        line_view_->clear();
}

void TerminalSidePanel::set_hex_view(bool on) {
    hex_box_->setChecked(on);
    hex_view_->setVisible(on);
    hex_rows_.reset();
    pending_hex_.clear();
    if (on)
        hex_view_->clear();
}

void TerminalSidePanel::hex_append(const QByteArray &bytes, bool received) {
    if (!pending_hex_.empty() && pending_hex_.back().second == received)
        pending_hex_.back().first += bytes;
    else
        pending_hex_.emplace_back(bytes, received);
    if (!view_timer_.isActive())
        view_timer_.start();
}

void TerminalSidePanel::show_pending() {
    if (!pending_lines_.isEmpty()) {
        append(line_view_, pending_lines_.mid(last_rows(pending_lines_, kViewRows)), QColor(255, 0, 0));
        pending_lines_.clear();
    }
    // Only the bytes of the rows the view keeps are formatted and laid out.
    qsizetype room = qsizetype(kViewRows) * HexRows::kPerRow;
    auto first = pending_hex_.end();
    while (first != pending_hex_.begin() && room > 0) {
        --first;
        room -= first->first.size();
    }
    for (auto it = pending_hex_.begin(); it != first; ++it)
        hex_rows_.skip(it->first.size());
    if (room < 0) {
        hex_rows_.skip(-room);
        first->first = first->first.mid(-room);
    }
    for (auto it = first; it != pending_hex_.end(); ++it)
        append(hex_view_, hex_rows_.feed(it->first), it->second ? QColor(255, 0, 0) : QColor(Qt::black));
    pending_hex_.clear();
}

void TerminalSidePanel::sent(const QByteArray &bytes) {
    if (hex_box_->isChecked())
        hex_append(bytes, false);
    if (log_.is_open()) {
        log_.write('>', bytes, QDateTime::currentDateTime());
        if (!log_.is_open())
            stop_log();
    }
}

void TerminalSidePanel::received(const QByteArray &bytes) {
    if (line_box_->isChecked()) {
        pending_lines_ += stamper_.feed(bytes, QTime::currentTime());
        if (!view_timer_.isActive())
            view_timer_.start();
    }
    if (hex_box_->isChecked())
        hex_append(bytes, true);
    if (log_.is_open()) {
        log_.write('<', bytes, QDateTime::currentDateTime());
        if (!log_.is_open())
            stop_log();
    }
}

bool TerminalSidePanel::start_log(const QString &path) {
    QString why;
    if (!log_.open(path, &why)) {
        emit problem(tr("Cannot log to the file: %1\nChoose a file in a folder you can write to.").arg(why));
        return false;
    }
    log_button_->setText(tr("Stop log"));
    log_label_->setText(tr("Logging to %1").arg(QFileInfo(path).fileName()));
    log_label_->setToolTip(path);
    return true;
}

void TerminalSidePanel::stop_log() {
    const QString error = log_.error();
    const QString path = log_.path();
    log_.close();
    log_button_->setText(tr("Log to file…"));
    log_label_->clear();
    log_label_->setToolTip(QString());
    if (!error.isEmpty())
        emit problem(tr("The log %1 stopped: %2").arg(path, error));
}

bool TerminalSidePanel::start_send(const QString &path) {
    QFile f(path);
    if (f.size() > kMaxSendFile) {
        emit problem(tr("%1 is larger than %2 MB; the terminal sends smaller files.")
                         .arg(QFileInfo(path).fileName())
                         .arg(kMaxSendFile / (1024 * 1024)));
        return false;
    }
    if (!f.open(QIODevice::ReadOnly)) {
        emit problem(tr("Cannot read %1: %2").arg(path, f.errorString()));
        return false;
    }
    file_ = f.readAll();
    file_at_ = 0;
    progress_->setRange(0, int(file_.size()));
    progress_->setValue(0);
    progress_->show();
    stop_button_->show();
    send_button_->setEnabled(false);
    send_name_ = QFileInfo(path).fileName();
    send_label_->setText(tr("Sending %1").arg(send_name_));
    send_timer_.start();
    send_more();
    return true;
}

void TerminalSidePanel::stop_send() {
    send_timer_.stop();
    file_.clear();
    progress_->hide();
    stop_button_->hide();
    send_button_->setEnabled(true);
    send_label_->clear();
}

void TerminalSidePanel::send_more() {
    if (!send_timer_.isActive())
        return;
    if (file_at_ >= file_.size()) {
        stop_send();
        send_label_->setText(tr("Sent %1").arg(send_name_));
        return;
    }
    if (waiting_ && waiting_() >= kSendPiece)
        return; // the wire is still busy with the last piece
    const QByteArray piece = file_.mid(file_at_, kSendPiece);
    if (!send_(piece)) {
        stop_send();
        emit problem(tr("The link is not open: %1 of %2 bytes were sent.").arg(file_at_).arg(progress_->maximum()));
        return;
    }
    file_at_ += piece.size();
    progress_->setValue(int(file_at_));
}

} // namespace k52
