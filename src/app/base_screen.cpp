#include "base_screen.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

#include <map>

namespace k52 {

namespace {
std::map<QString, ScreenFactory> &screen_registry() {
    static std::map<QString, ScreenFactory> r;
    return r;
}
} // namespace

BaseScreen::BaseScreen(AppContext &ctx, QWidget *parent) : QWidget(parent), ctx_(ctx) {}

ScreenRegistrar::ScreenRegistrar(const char *name, ScreenFactory factory) {
    screen_registry()[QString::fromUtf8(name)] = std::move(factory);
}

bool has_screen(const QString &name) {
    return screen_registry().count(name) != 0;
}

BaseScreen *create_screen(const QString &name, AppContext &ctx, QWidget *parent) {
    auto it = screen_registry().find(name);
    if (it == screen_registry().end())
        return nullptr;
    BaseScreen *s = it->second(ctx, parent);
    if (s)
        s->setObjectName(name);
    return s;
}

std::vector<QString> registered_screens() {
    std::vector<QString> names;
    for (auto &[n, f] : screen_registry())
        names.push_back(n);
    return names;
}

static void set_background(QWidget *w, const QColor &c) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, c);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

void grey_controls(QWidget *window) {
    const QColor grey(192, 192, 192);
    for (QCheckBox *b : window->findChildren<QCheckBox *>())
        set_background(b, grey);
    for (QLabel *l : window->findChildren<QLabel *>())
        set_background(l, grey);
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
