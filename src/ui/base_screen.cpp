#include "base_screen.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

namespace k52 {

BaseScreen::BaseScreen(AppContext &ctx, QWidget *parent) : QWidget(parent), ctx_(ctx) {}

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
    const QColor grey(192, 192, 192);
    // The screen takes the face colour its labels are painted in, so that
    // they read as text on the screen rather than as bars.
    set_background(window, grey);
    for (QCheckBox *b : window->findChildren<QCheckBox *>())
        set_background(b, grey);
    for (QLabel *l : window->findChildren<QLabel *>())
        set_background(l, grey);
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
