#include "commandmenu_panel.h"

#include "ui/base_screen.h"

#include <QMouseEvent>
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
        auto *l = new NavLabel(QString::fromLatin1(r.caption), this);
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
            connect(l, &NavLabel::clicked, this, [this, i] { emit entry_clicked(i); });
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

int CommandMenuPanel::row_of(const QString &label) const {
    for (int i = 0; i < labels_.size(); ++i)
        if (labels_[i]->objectName() == label)
            return i;
    return -1;
}

} // namespace k52
