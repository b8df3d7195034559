#include "bitsize_window.h"

#include "core/reference/bit_size_table.h"
#include "window/ui/top_window.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QPainter>
#include <QVBoxLayout>

namespace k52 {

namespace {

// Horizontal positions in twips: counts at 50 and 5000, values at 1500 and 6500.
constexpr int kCountX[2] = {50, 5000};
constexpr int kValueX[2] = {1500, 6500};
constexpr int kTop = 120;

// The table's font: the first of these families that the font database
// knows as fixed pitch ("Liberation Mono" has the metrics of "Courier New";
// a name can resolve to a proportional face), else the system's fixed font.
QFont fixed_font() {
    const QFont system = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    QFont f = system;
    for (const QString &family :
         {QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono"),
          QStringLiteral("Noto Mono"), QStringLiteral("Courier"), system.family()})
        if (QFontDatabase::families().contains(family) && QFontDatabase::isFixedPitch(family)) {
            f = QFont(family);
            break;
        }
    f.setPointSize(10);
    return f;
}

} // namespace

BitSizeWindow::BitSizeWindow(AppContext &ctx, QWidget *parent) : BaseScreen(ctx, parent) {
    setWindowFlags(windowFlags() | Qt::Window);
    setWindowTitle(tr("Bit Size Table"));
    // On a small screen the table scrolls.
    area_ = new BitSizeArea;
    area_->setObjectName(QStringLiteral("table"));
    show_scrolled(this, area_);
}

void BitSizeWindow::loadup() {
    area_->set_loaded(true);
}

BitSizeArea::BitSizeArea(QWidget *parent) : QWidget(parent), table_font_(fixed_font()) {
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    setMinimumSize(sizeHint());
}

void BitSizeArea::set_loaded(bool loaded) {
    loaded_ = loaded;
    update();
}

int BitSizeArea::line_height() const {
    return QFontMetrics(table_font_).lineSpacing() + 2;
}
int BitSizeArea::block_gap() const {
    return line_height() / 2;
}

QSize BitSizeArea::sizeHint() const {
    const QFontMetrics fm(table_font_);
    const int right = twips_to_px(kValueX[1], this) + fm.horizontalAdvance(bit_size_value(64));
    const int blocks = 3;
    return {right + twips_to_px(200, this),
            2 * twips_to_px(kTop, this) + (kBitSizeLines - (blocks - 1)) * line_height() + (blocks - 1) * block_gap()};
}

void BitSizeArea::paintEvent(QPaintEvent *) {
    if (!loaded_)
        return;
    QPainter p(this);
    p.setFont(table_font_);
    p.setPen(Qt::black);
    const QFontMetrics fm(table_font_);
    const int lh = line_height();
    const int top = twips_to_px(kTop, this);
    for (const BitSizePlace &place : bit_size_layout()) {
        // `line` counts a whole empty line between blocks; draw a half one.
        const int gaps = place.line >= 22 ? 2 : place.line >= 11 ? 1 : 0;
        const int y = top + (place.line - gaps) * lh + gaps * block_gap() + fm.ascent();
        p.drawText(twips_to_px(kCountX[place.column], this), y, bit_count_label(place.n));
        p.drawText(twips_to_px(kValueX[place.column], this), y, bit_size_value(place.n));
    }
}

} // namespace k52
