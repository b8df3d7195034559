#include "termmode_screen.h"

#include "core/link/terminal_link.h"
#include "window/screens/terminal_side_panel.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QThread>
#include <QVBoxLayout>

namespace k52 {

TerminalView::TerminalView(const TerminalGrid &grid, QWidget *parent) : QWidget(parent), grid_(grid) {
    setObjectName(QStringLiteral("pop1"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(sizeHint());
}

QSize TerminalView::sizeHint() const {
    return {twips_to_px(TerminalGrid::kColumns * TerminalGrid::kCellWidth, this),
            twips_to_px(TerminalGrid::kLines * TerminalGrid::kCellHeight, this)};
}

QRect TerminalView::cell_rect(int linepos, int charpos) const {
    const int x = twips_to_px(TerminalGrid::cell_x(charpos), this);
    const int y = twips_to_px(TerminalGrid::cell_y(linepos), this);
    return {x, y, twips_to_px(TerminalGrid::cell_x(charpos + 1), this) - x,
            twips_to_px(TerminalGrid::cell_y(linepos + 1), this) - y};
}

void TerminalView::paintEvent(QPaintEvent *event) {
    QPainter p(this);
    p.fillRect(event->rect(), Qt::white);
    QFont big = font();
    big.setPointSize(14);
    QFont small = font();
    small.setPointSize(10);
    const QColor red(255, 0, 0);
    const int dy1 = twips_to_px(TerminalGrid::kHexFirstDy, this);
    const int dx2 = twips_to_px(TerminalGrid::kHexSecondDx, this);
    const int dy2 = twips_to_px(TerminalGrid::kHexSecondDy, this);
    for (int l = 1; l <= TerminalGrid::kLines; ++l) {
        for (int c = 1; c <= TerminalGrid::kColumns; ++c) {
            const TerminalCell &cell = grid_.cell(l, c);
            if (!cell.used)
                continue;
            const QRect r = cell_rect(l, c);
            if (!r.intersects(event->rect()))
                continue;
            p.setPen(cell.origin == CellOrigin::Received ? red : QColor(Qt::black));
            if (cell.hex) {
                const QString digits = TerminalGrid::hex_text(cell.code);
                p.setFont(small);
                const QRect first(r.x(), r.y() + dy1, r.width(), r.height());
                const QRect second(r.x() + dx2, r.y() + dy2, r.width(), r.height());
                p.drawText(first, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, digits.left(1));
                p.drawText(second, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, digits.mid(1, 1));
            } else {
                p.setFont(big);
                p.drawText(r, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, QString(QChar(cell.code)));
            }
        }
    }
}

TermModeScreen::TermModeScreen(AppContext &ctx, QWidget *parent) : BaseScreen(ctx, parent) {
    setWindowTitle(tr("Terminal Mode"));
    link_ = new TerminalLink(this);
    auto *layout = new QVBoxLayout(this);
    pop1_ = new TerminalView(grid_, this);
    // Beside the grid: the line and hex views, the log and the file sender.
    auto *top = new QHBoxLayout;
    top->addWidget(pop1_, 0, Qt::AlignLeft | Qt::AlignTop);
    side_ = new TerminalSidePanel(
        ctx_.store, [this](const QByteArray &bytes) { return send_bytes(bytes); },
        [this] { return link_->waiting_to_go(); }, this);
    top->addWidget(side_, 1);
    layout->addLayout(top);
    status_ = new QLabel(QString::fromLatin1(term_status::kChecking), this);
    status_->setObjectName(QStringLiteral("status"));
    layout->addWidget(status_);
    clear_ = new QCheckBox(tr("Clear Screen"), this);
    clear_->setObjectName(QStringLiteral("clearscreen"));
    clear_->setFocusPolicy(Qt::NoFocus); // keys keep going to the terminal
    layout->addWidget(clear_);
    layout->addWidget(new QLabel(
        tr("Characters in black are what you are sending and characters in red are what you are receiving"), this));
    layout->addWidget(new QLabel(tr("To send a NULL character (hex 00) hit the F10 key"), this));
    layout->addStretch();
    setFocusProxy(pop1_);
    pop1_->installEventFilter(this);

    connect(clear_, &QCheckBox::toggled, this, [this](bool on) {
        if (on) {
            clear_->setChecked(false); // a button, not a setting
            clear_screen();
        }
    });
    connect(link_, &TerminalLink::status, status_, &QLabel::setText);
    connect(link_, &TerminalLink::display_cleared, this, [this] {
        grid_.clear();
        pop1_->update();
    });
    connect(link_, &TerminalLink::received, this, &TermModeScreen::show_received);
    connect(side_, &TerminalSidePanel::problem, this, [this](const QString &text) { ctx_.warn(text); });
    connect(link_, &TerminalLink::unknown_error, this, [this](const QString &text) { ctx_.warn(text); });

    closer_id_ = ctx_.links.add([this] { stop(); });
}

TermModeScreen::~TermModeScreen() {
    ctx_.links.remove(closer_id_);
    link_->close();
}

void TermModeScreen::open_link() {
    ctx_.close_all_links();
    keys_.cancel_alt();
    link_->open(ctx_.link);
    pop1_->setFocus();
}

void TermModeScreen::stop() {
    if (QThread::currentThread() != thread()) {
        QMetaObject::invokeMethod(
            this, [this] { stop(); }, Qt::BlockingQueuedConnection);
        return;
    }
    link_->close();
    keys_.cancel_alt();
    side_->stop_send();
}

void TermModeScreen::clear_screen() {
    grid_.clear();
    pop1_->update();
    pop1_->setFocus();
}

void TermModeScreen::show_received(const QByteArray &bytes) {
    // A burst lands in the grid at once; the view repaints once per event
    // loop pass however many chunks arrived.
    grid_.put(bytes, CellOrigin::Received);
    pop1_->update();
    side_->received(bytes);
}

void TermModeScreen::send_byte(quint8 byte) {
    grid_.put(byte, CellOrigin::Sent);
    pop1_->update();
    link_->send(byte); // drawn even when nothing is open to send it on
    side_->sent(QByteArray(1, char(byte)));
}

bool TermModeScreen::send_bytes(const QByteArray &bytes) {
    if (!link_->send(bytes))
        return false;
    grid_.put(bytes, CellOrigin::Sent);
    pop1_->update();
    side_->sent(bytes);
    return true;
}

bool TermModeScreen::eventFilter(QObject *watched, QEvent *event) {
    if (watched != pop1_)
        return BaseScreen::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Every key is the terminal's: no menu or shortcut takes F10, Alt, ...
        event->accept();
        return true;
    case QEvent::KeyPress:
        key_down(static_cast<QKeyEvent *>(event));
        return true;
    case QEvent::KeyRelease:
        key_up(static_cast<QKeyEvent *>(event));
        return true;
    case QEvent::FocusOut:
        keys_.cancel_alt();
        break;
    default:
        break;
    }
    return BaseScreen::eventFilter(watched, event);
}

void TermModeScreen::key_down(QKeyEvent *e) {
    if (link_->keys_ignored())
        return;
    const int key = e->key();
    if (key == Qt::Key_Alt) {
        if (!e->isAutoRepeat())
            keys_.alt_down();
        return;
    }
    if (keys_.alt_mode()) {
        if (auto d = TerminalKeys::keypad_digit(key, e->modifiers() & Qt::KeypadModifier))
            keys_.alt_digit(*d);
        return;
    }
    if (key == Qt::Key_F10 || key == Qt::Key_F9) {
        if (auto b = keys_.function_key(key == Qt::Key_F10 ? 10 : 9))
            send_byte(*b);
        return;
    }
    for (char c : keys_.key_press(e->text()))
        send_byte(quint8(c));
}

void TermModeScreen::key_up(QKeyEvent *e) {
    if (link_->keys_ignored() || e->key() != Qt::Key_Alt || e->isAutoRepeat())
        return;
    if (auto b = keys_.alt_up())
        send_byte(*b);
}

} // namespace k52
