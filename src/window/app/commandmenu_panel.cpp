#include "commandmenu_panel.h"

#include "window/ui/base_screen.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

namespace k52 {

namespace {
const QColor kWhite(255, 255, 255);
const QColor kYellow(255, 255, 0);
const QColor kHeading(0, 255, 255);
const QColor kBackground(0, 0, 128);
const QColor kDisabled(128, 128, 160);
} // namespace

void NavLabel::mousePressEvent(QMouseEvent *e) {
    if (e->button() == Qt::LeftButton)
        emit clicked();
    QLabel::mousePressEvent(e);
}

void NavLabel::keyPressEvent(QKeyEvent *e) {
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        emit clicked();
        return;
    case Qt::Key_Up:
        emit move_focus(-1);
        return;
    case Qt::Key_Down:
        emit move_focus(1);
        return;
    default:
        QLabel::keyPressEvent(e);
    }
}

void NavLabel::paintEvent(QPaintEvent *e) {
    QLabel::paintEvent(e);
    if (!hasFocus())
        return;
    // The keyboard focus: a dotted frame in the text's colour.
    QPainter p(this);
    p.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
    p.drawRect(rect().adjusted(1, 1, -2, -2));
}

CommandMenuPanel::CommandMenuPanel(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("commandmenu"));
    setFixedWidth(twips_to_px(2500, parent));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kBackground);
    setPalette(pal);
    setAutoFillBackground(true);
    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(twips_to_px(60, parent));
    const QVector<NavRow> &rows = nav_rows();
    for (int i = 0; i < rows.size(); ++i) {
        const NavRow &r = rows[i];
        auto *l = new NavLabel(tr(r.caption), this);
        l->setObjectName(QString::fromLatin1(r.label));
        QFont f(QStringLiteral("Arial"));
        f.setPointSize(r.kind == NavRow::Heading ? 10 : 9);
        f.setBold(r.kind == NavRow::Heading);
        l->setFont(f);
        if (r.kind == NavRow::Heading) {
            if (i > 0)
                layout->addSpacing(twips_to_px(200, parent));
        } else {
            l->setCursor(Qt::PointingHandCursor);
            l->setIndent(twips_to_px(150, parent));
            l->setFocusPolicy(Qt::StrongFocus);
            l->setAccessibleName(l->text());
            l->setAccessibleDescription(tr("Navigation entry: Return opens it"));
            connect(l, &NavLabel::clicked, this, [this, i] { emit entry_clicked(i); });
            connect(l, &NavLabel::move_focus, this, [this, i](int by) { focus_next(i, by); });
        }
        labels_.append(l);
        layout->addWidget(l);
        // An entry whose screen is not built into the program is shown, greyed.
        if (r.screen && !has_screen(QString::fromLatin1(r.screen)))
            l->setEnabled(false);
        paint(i, r.kind == NavRow::Heading ? kHeading : l->isEnabled() ? kWhite : kDisabled);
    }
    layout->addStretch(1);
}

void CommandMenuPanel::paint(int row, const QColor &c) {
    QPalette p = labels_[row]->palette();
    p.setColor(QPalette::WindowText, c);
    labels_[row]->setPalette(p);
}

void CommandMenuPanel::all_white() {
    for (int i = 0; i < labels_.size(); ++i)
        if (nav_rows()[i].kind != NavRow::Heading && labels_[i]->isEnabled())
            paint(i, kWhite);
}

void CommandMenuPanel::mark(int row) {
    if (row >= 0 && row < labels_.size() && labels_[row]->isEnabled())
        paint(row, kYellow);
}

bool CommandMenuPanel::is_yellow(int row) const {
    return labels_[row]->palette().color(QPalette::WindowText) == kYellow;
}

int CommandMenuPanel::row_of_screen(const QString &screen) const {
    for (int i = 0; i < labels_.size(); ++i) {
        const NavRow &r = nav_rows()[i];
        if (r.kind != NavRow::Heading && r.screen && screen == QLatin1String(r.screen))
            return i;
    }
    return -1;
}

void CommandMenuPanel::focus_next(int row, int by) {
    for (int i = row + by; i >= 0 && i < labels_.size(); i += by)
        if (nav_rows()[i].kind != NavRow::Heading && labels_[i]->isEnabled()) {
            labels_[i]->setFocus(Qt::TabFocusReason);
            return;
        }
}

int CommandMenuPanel::row_of(const QString &label) const {
    for (int i = 0; i < labels_.size(); ++i)
        if (labels_[i]->objectName() == label)
            return i;
    return -1;
}

} // namespace k52
