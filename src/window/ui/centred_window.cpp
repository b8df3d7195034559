#include "centred_window.h"

#include "window/ui/top_window.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

namespace k52 {

void centre_over_owner(QWidget *w) {
    QWidget *owner = w->parentWidget() ? w->parentWidget()->window() : QApplication::activeWindow();
    if (owner == w)
        owner = nullptr;
    QRect area;
    if (owner && owner->isVisible())
        area = owner->frameGeometry();
    else if (w->screen())
        area = w->screen()->availableGeometry();
    if (!area.isEmpty()) {
        QRect r = w->frameGeometry();
        r.moveCenter(area.center());
        w->move(r.topLeft());
    }
    keep_on_screen(w);
}

} // namespace k52
