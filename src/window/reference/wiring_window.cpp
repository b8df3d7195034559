#include "wiring_window.h"

#include "core/reference/wiring_charts.h"
#include "window/ui/top_window.h"

#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

#include <algorithm>

namespace k52 {

namespace {
constexpr int kMargin = 16;
constexpr int kBoxWidth = 70;
constexpr int kWireLength = 110;
constexpr int kCaptionGap = 12;
} // namespace

WiringWindow::WiringWindow(AppContext &ctx, QWidget *parent) : BaseScreen(ctx, parent) {
    setWindowFlags(windowFlags() | Qt::Window);
    setWindowTitle(tr("Wiring Codes"));
    // On a small screen the charts scroll.
    auto *content = new QWidget;
    auto *v = new QVBoxLayout(content);
    auto *charts = new WiringChartArea(content);
    charts->setObjectName(QStringLiteral("charts"));
    v->addWidget(charts, 1);
    auto *note = new QLabel(wiring_note(), content);
    note->setObjectName(QStringLiteral("note"));
    note->setWordWrap(true);
    QFont f = note->font();
    f.setBold(true);
    note->setFont(f);
    v->addWidget(note);
    show_scrolled(this, content);
}

WiringChartArea::WiringChartArea(QWidget *parent) : QWidget(parent) {
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(236, 236, 236));
    p.setColor(QPalette::WindowText, Qt::black);
    setPalette(p);
    setMinimumSize(sizeHint());
}

int WiringChartArea::row_height() const {
    return std::max(fontMetrics().height() + 10, 26);
}

int WiringChartArea::chart_width() const {
    int text = 0;
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics bm(bold);
    for (const WiringChart &c : wiring_charts()) {
        text = std::max(text, bm.horizontalAdvance(c.caption) - kBoxWidth - kWireLength);
        for (const Wire &w : c.wires)
            text = std::max(text, fontMetrics().horizontalAdvance(w.label + QStringLiteral("   (") + w.colour_name +
                                                                  QLatin1Char(')')));
    }
    return kBoxWidth + kWireLength + 10 + text;
}

QSize WiringChartArea::sizeHint() const {
    std::size_t rows = 0;
    for (const WiringChart &c : wiring_charts())
        rows = std::max(rows, c.wires.size());
    const int n = int(wiring_charts().size());
    return {kMargin + n * (chart_width() + 2 * kMargin),
            2 * kMargin + fontMetrics().height() + kCaptionGap + int(rows) * row_height() + row_height() / 2};
}

void WiringChartArea::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QFont bold = font();
    bold.setBold(true);
    const int rh = row_height();
    int x0 = kMargin;
    for (const WiringChart &chart : wiring_charts()) {
        p.setPen(Qt::black);
        p.setFont(bold);
        const int caption_y = kMargin + fontMetrics().ascent();
        p.drawText(x0, caption_y, chart.caption);
        p.setFont(font());

        // The converter: a box with one terminal per wire on its right edge.
        const int top = kMargin + fontMetrics().height() + kCaptionGap;
        const int height = int(chart.wires.size()) * rh + rh / 2;
        const QRect box(x0, top, kBoxWidth, height);
        p.setPen(QPen(Qt::black, 2));
        p.setBrush(QColor(70, 70, 80));
        p.drawRoundedRect(box, 4, 4);
        p.setPen(Qt::white);
        p.save();
        p.translate(box.center());
        p.rotate(-90);
        p.drawText(QRect(-height / 2, -kBoxWidth / 2, height, kBoxWidth), Qt::AlignCenter,
                   chart.caption.section(QStringLiteral("  "), 0, 0));
        p.restore();

        for (std::size_t i = 0; i < chart.wires.size(); ++i) {
            const Wire &w = chart.wires[i];
            const int y = top + rh / 2 + int(i) * rh + rh / 4;
            const int x1 = box.right();
            const int x2 = x1 + kWireLength;
            // Outline first, so that a white wire shows on the light ground.
            p.setPen(QPen(Qt::black, 9, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(x1, y, x2, y);
            p.setPen(QPen(QColor::fromRgb(w.rgb), 6, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(x1, y, x2, y);
            p.setPen(QPen(Qt::black, 1));
            p.setBrush(QColor(200, 170, 60));
            p.drawEllipse(QPoint(x1, y), 4, 4);

            const int tx = x2 + 10;
            const int ty = y + fontMetrics().ascent() / 2 - 1;
            p.setPen(Qt::black);
            p.drawText(tx, ty, w.label);
            p.setPen(QColor(80, 80, 80));
            p.drawText(tx + fontMetrics().horizontalAdvance(w.label + QStringLiteral("   ")), ty,
                       QLatin1Char('(') + w.colour_name + QLatin1Char(')'));
        }
        x0 += chart_width() + 2 * kMargin;
    }
}

} // namespace k52
