#include "top_window.h"

#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QShortcut>

#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QWidget>

namespace k52 {

QRect available_area(const QWidget *w) {
    const QScreen *s = w && w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    return s ? s->availableGeometry() : QRect(0, 0, 1024, 768);
}

QSize frame_allowance(const QWidget *w) {
    if (w && w->isVisible()) {
        const QSize extra = w->frameGeometry().size() - w->geometry().size();
        if (extra.width() > 0 || extra.height() > 0)
            return extra;
    }
    return {12, 36};
}

void show_scrolled(QWidget *window, QWidget *content) {
    auto *scroll = new QScrollArea(window);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(content);
    auto *v = new QVBoxLayout(window);
    v->setContentsMargins(0, 0, 0, 0);
    v->addWidget(scroll);
    window->resize(content->sizeHint().expandedTo(content->minimumSizeHint()));
}

void resize_within_screen(QWidget *w, QSize wanted) {
    if (const QScreen *s = w->screen() ? w->screen() : QGuiApplication::primaryScreen())
        wanted = wanted.boundedTo(s->availableGeometry().size() - QSize(40, 60));
    w->resize(wanted);
}

void keep_on_screen(QWidget *w) {
    const QRect area = available_area(w);
    const QSize extra = frame_allowance(w);
    const QSize room = area.size() - extra;
    if (w->width() > room.width() || w->height() > room.height())
        w->resize(w->size().boundedTo(room));
    QRect frame(w->pos(), w->size() + extra);
    if (frame.right() > area.right())
        frame.moveRight(area.right());
    if (frame.bottom() > area.bottom())
        frame.moveBottom(area.bottom());
    if (frame.left() < area.left())
        frame.moveLeft(area.left());
    if (frame.top() < area.top())
        frame.moveTop(area.top());
    if (frame.topLeft() != w->pos())
        w->move(frame.topLeft());
}

namespace {
QString &last_folder() {
    static QString folder;
    return folder;
}
} // namespace

QString file_dialog_start(const QString &name) {
    const QDir dir(last_folder().isEmpty() ? QDir::homePath() : last_folder());
    return name.isEmpty() ? dir.absolutePath() : dir.filePath(name);
}

QString remember_file(const QString &path) {
    if (!path.isEmpty())
        last_folder() = QFileInfo(path).absolutePath();
    return path;
}

void set_program_icon(QWidget *w) {
    static const QIcon icon(QStringLiteral(":/org.zor.k52util.png"));
    if (!icon.isNull())
        w->setWindowIcon(icon);
}

void place_over(QWidget *w, const QWidget *owner) {
    set_program_icon(w);
    if (!w->findChild<QShortcut *>(QStringLiteral("close_on_escape"))) {
        auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), w, w, &QWidget::close, Qt::WindowShortcut);
        escape->setObjectName(QStringLiteral("close_on_escape"));
    }
    const QSize extra = frame_allowance(w);
    const QRect area = available_area(w);
    // Centred on the owner where it fits with room to spare; a window as
    // large as the screen is only kept on it.
    if (owner && w->width() + extra.width() < area.width() * 9 / 10 &&
        w->height() + extra.height() < area.height() * 9 / 10) {
        const QRect over = owner->frameGeometry();
        w->move(over.center() - QPoint((w->width() + extra.width()) / 2, (w->height() + extra.height()) / 2));
    }
    keep_on_screen(w);
}

} // namespace k52
