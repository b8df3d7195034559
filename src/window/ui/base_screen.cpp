#include "base_screen.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QRegularExpression>
#include <QScreen>

#include <QStyleOption>
#include <algorithm>
#include <climits>

namespace k52 {

static void set_background(QWidget *w, const QColor &c);

namespace {

// The application's style, but a group box is a frame without a fill (the
// fill would be a shade off the screen's grey behind its labels).
class FlatGroupBoxStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    void drawPrimitive(PrimitiveElement pe, const QStyleOption *opt, QPainter *p, const QWidget *w) const override {
        if (pe != PE_FrameGroupBox) {
            QProxyStyle::drawPrimitive(pe, opt, p, w);
            return;
        }
        p->save();
        p->setRenderHint(QPainter::Antialiasing, true);
        p->setPen(opt->palette.color(QPalette::Dark));
        p->setBrush(Qt::NoBrush);
        p->drawRoundedRect(QRectF(opt->rect).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
        p->restore();
    }
};

QStyle *flat_group_box_style() {
    static QPointer<QStyle> style;
    if (!style) {
        style = new FlatGroupBoxStyle(QApplication::style()->name());
        style->setParent(qApp);
    }
    return style;
}

void flatten_group_boxes(QWidget *window) {
    for (QGroupBox *g : window->findChildren<QGroupBox *>())
        if (g->style() != flat_group_box_style())
            g->setStyle(flat_group_box_style());
}

} // namespace

BaseScreen::BaseScreen(AppContext &ctx, QWidget *parent) : QWidget(parent), ctx_(ctx) {
    set_background(this, QColor(kScreenGrey, kScreenGrey, kScreenGrey));
}

bool BaseScreen::event(QEvent *e) {
    if (e->type() == QEvent::Polish)
        flatten_group_boxes(this);
    const bool handled = QWidget::event(e);
    if (e->type() == QEvent::Show && !tabs_ordered_) {
        tabs_ordered_ = true;
        if (!isWindow())
            order_tabs(this);
        describe_controls(this);
    }
    return handled;
}

namespace {

// A caption that says little alone: a number, or a short abbreviation.
bool bare_caption(const QString &text) {
    static const QRegularExpression bare(QStringLiteral("^[0-9]+[a-zA-Z%]{0,3}$|^[A-Za-z0-9]{1,3}$"));
    return bare.match(text.trimmed()).hasMatch();
}

QString plain(QString text) {
    return text.remove(QLatin1Char('&')).simplified();
}

// The caption a control is known by: the nearest label on its left in its
// row, else the nearest label just above it, else its group's title.
QString caption_near(QWidget *w, QWidget *window, const QVector<QPair<QLabel *, QRect>> &labels) {
    const QRect at(w->mapTo(window, QPoint(0, 0)), w->size());
    const int half_line = qMax(4, window->fontMetrics().height() / 2);
    QLabel *best = nullptr;
    int best_gap = INT_MAX;
    for (const auto &[l, r] : labels)
        if (qAbs(r.center().y() - at.center().y()) <= half_line && r.right() <= at.left() &&
            at.left() - r.right() < best_gap) {
            best = l;
            best_gap = at.left() - r.right();
        }
    if (!best)
        for (const auto &[l, r] : labels)
            if (r.bottom() <= at.top() && at.top() - r.bottom() < 3 * half_line && r.left() < at.right() &&
                r.right() > at.left() && at.top() - r.bottom() < best_gap) {
                best = l;
                best_gap = at.top() - r.bottom();
            }
    if (best)
        return plain(best->text());
    for (QWidget *up = w->parentWidget(); up && up != window; up = up->parentWidget())
        if (auto *g = qobject_cast<QGroupBox *>(up))
            return plain(g->title());
    return {};
}

} // namespace

void describe_controls(QWidget *window) {
    QVector<QPair<QLabel *, QRect>> labels;
    for (QLabel *l : window->findChildren<QLabel *>())
        if (l->isVisibleTo(window) && !plain(l->text()).isEmpty() && !l->text().contains(QLatin1Char('<')))
            labels.append({l, QRect(l->mapTo(window, QPoint(0, 0)), l->size())});
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!(w->focusPolicy() & Qt::TabFocus) || w->focusProxy())
            continue;
        const auto *button = qobject_cast<QAbstractButton *>(w);
        const QString caption = button ? plain(button->text()) : QString();
        const bool bare = !caption.isEmpty() && bare_caption(caption);
        if (w->accessibleName().isEmpty() && (caption.isEmpty() || bare)) {
            const QString near = caption_near(w, window, labels);
            QString name = bare ? (near.isEmpty() ? caption : near + QLatin1Char(' ') + caption) : near;
            if (name.isEmpty())
                name = plain(w->toolTip());
            if (name.isEmpty())
                name = w->objectName();
            w->setAccessibleName(name);
        }
        if (bare && w->toolTip().isEmpty())
            w->setToolTip(w->accessibleName());
    }
}

void order_tabs(QWidget *window) {
    struct Place {
        QWidget *w;
        QRect r; // in the window's coordinates
    };
    QVector<Place> places;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisibleTo(window))
            continue;
        bool inside_control = false;
        for (QWidget *up = w->parentWidget(); up && up != window; up = up->parentWidget())
            inside_control = inside_control || ((up->focusPolicy() & Qt::TabFocus) && !qobject_cast<QGroupBox *>(up));
        if (!inside_control)
            places.append({w, QRect(w->mapTo(window, QPoint(0, 0)), w->size())});
    }
    // Rows: controls whose middles lie within half a line of the first
    // control of the row; then left to right.
    std::sort(places.begin(), places.end(),
              [](const Place &a, const Place &b) { return a.r.center().y() < b.r.center().y(); });
    const int half_line = qMax(4, window->fontMetrics().height() / 2);
    for (int start = 0; start < places.size();) {
        int end = start + 1;
        while (end < places.size() && places[end].r.center().y() - places[start].r.center().y() <= half_line)
            ++end;
        std::sort(places.begin() + start, places.begin() + end,
                  [](const Place &a, const Place &b) { return a.r.left() < b.r.left(); });
        start = end;
    }
    for (int i = 1; i < places.size(); ++i)
        QWidget::setTabOrder(places[i - 1].w, places[i].w);
}

static void set_background(QWidget *w, const QColor &c) {
    QPalette p = w->palette();
    // Buttons (check boxes among them) fill their background in the button
    // colour, other widgets in the window colour.
    p.setColor(w->backgroundRole(), c);
    // Greyed-out captions stay readable on the grey.
    const QColor disabled(112, 112, 112);
    for (QPalette::ColorRole r : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        p.setColor(QPalette::Disabled, r, disabled);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

void grey_controls(QWidget *window) {
    const QColor grey(kScreenGrey, kScreenGrey, kScreenGrey);
    // The screen takes the face colour its labels are painted in, so that
    // they read as text on the screen rather than as bars.
    set_background(window, grey);
    for (QCheckBox *b : window->findChildren<QCheckBox *>())
        set_background(b, grey);
    for (QLabel *l : window->findChildren<QLabel *>())
        set_background(l, grey);
    flatten_group_boxes(window);
}

void pack_left(QWidget *window) {
    for (QGridLayout *grid : window->findChildren<QGridLayout *>()) {
        bool stretches = false;
        for (int c = 0; c < grid->columnCount(); ++c)
            stretches = stretches || grid->columnStretch(c) > 0;
        if (!stretches)
            grid->setColumnStretch(grid->columnCount(), 1);
    }
}

void enable_all(QWidget *window) {
    for (QWidget *w : window->findChildren<QWidget *>())
        w->setEnabled(true);
}

int twips_to_px(int twips, const QWidget *w) {
    qreal dpi = 96.0;
    if (w && w->screen())
        dpi = w->screen()->logicalDotsPerInch();
    else if (QGuiApplication::primaryScreen())
        dpi = QGuiApplication::primaryScreen()->logicalDotsPerInch();
    return qRound(twips * dpi / 1440.0);
}

} // namespace k52
