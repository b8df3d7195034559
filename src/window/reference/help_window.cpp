#include "help_window.h"

#include "core/reference/help_topics.h"

#include <QFile>
#include <QGridLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace k52 {

namespace {

QString topic_text(const QString &key) {
    QFile f(help_topic_resource(key));
    if (!f.open(QIODevice::ReadOnly))
        return HelpWindow::tr("<p>The text of this topic is missing from this build.</p>");
    return QString::fromUtf8(f.readAll());
}

} // namespace

HelpWindow::HelpWindow(AppContext &ctx, QWidget *parent) : BaseScreen(ctx, parent) {
    setWindowFlags(windowFlags() | Qt::Window);
    setWindowTitle(tr("Help"));

    // Buttons in a column 2160 twips wide; the display area beside them
    // (7350 x 6850 twips).
    auto *buttons = new QVBoxLayout;
    auto *area = new QGridLayout;
    for (const HelpTopic &t : help_topics()) {
        auto *b = new QPushButton(t.caption, this);
        b->setObjectName(t.key + QStringLiteral("_button"));
        b->setFixedWidth(twips_to_px(2160 - 360, this));
        buttons->addWidget(b);
        buttons_[t.key] = b;

        auto *v = new QTextBrowser(this);
        v->setObjectName(t.key);
        v->setOpenLinks(false);
        v->setHtml(topic_text(t.key));
        v->verticalScrollBar()->setSingleStep(v->fontMetrics().lineSpacing());
        v->installEventFilter(this);
        v->hide();
        area->addWidget(v, 0, 0);
        views_[t.key] = v;

        b->installEventFilter(this);
        const QString key = t.key;
        connect(b, &QPushButton::clicked, this, [this, key] { show_topic(key); });
    }
    buttons->addStretch(1);

    auto *top = new QHBoxLayout(this);
    top->setContentsMargins(twips_to_px(180, this), twips_to_px(180, this), twips_to_px(180, this),
                            twips_to_px(180, this));
    top->addLayout(buttons);
    top->addLayout(area, 1);
    resize(twips_to_px(2160 + 7350 + 180, this), twips_to_px(180 + 6850 + 180, this));

    show_topic(QStringLiteral("general"));
}

QTextBrowser *HelpWindow::topic_view(const QString &key) const {
    auto it = views_.find(key);
    return it == views_.end() ? nullptr : it->second;
}

QPushButton *HelpWindow::topic_button(const QString &key) const {
    auto it = buttons_.find(key);
    return it == buttons_.end() ? nullptr : it->second;
}

void HelpWindow::show_topic(const QString &key) {
    QTextBrowser *v = topic_view(key);
    if (!v)
        return;
    v->show();
    v->setFocus();
    current_ = key;
    novisible();
}

void HelpWindow::novisible() {
    for (auto &[key, v] : views_)
        if (key != current_)
            v->hide();
}

void HelpWindow::vbscrolltextbox(QTextBrowser *tbox, bool scrolldown, bool pagemode) {
    if (!tbox)
        return;
    QScrollBar *bar = tbox->verticalScrollBar();
    switch (scroll_step(scrolldown, pagemode)) {
    case ScrollStep::LineUp:
        bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
        break;
    case ScrollStep::LineDown:
        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        break;
    case ScrollStep::PageUp:
        bar->triggerAction(QAbstractSlider::SliderPageStepSub);
        break;
    case ScrollStep::PageDown:
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        break;
    }
}

bool HelpWindow::scroll_for_key(int key) {
    const auto step = scroll_step_for_key(key);
    if (!step)
        return false;
    const bool down = *step == ScrollStep::LineDown || *step == ScrollStep::PageDown;
    const bool page = *step == ScrollStep::PageUp || *step == ScrollStep::PageDown;
    vbscrolltextbox(topic_view(current_), down, page);
    return true;
}

bool HelpWindow::eventFilter(QObject *watched, QEvent *event) {
    // The views and buttons would take the arrow keys for themselves (caret,
    // focus moves); here they scroll the topic shown.
    if (event->type() == QEvent::KeyPress) {
        auto *k = static_cast<QKeyEvent *>(event);
        if (k->modifiers() == Qt::NoModifier || k->modifiers() == Qt::KeypadModifier)
            if (scroll_for_key(k->key()))
                return true;
    }
    return BaseScreen::eventFilter(watched, event);
}

void HelpWindow::keyPressEvent(QKeyEvent *event) {
    if (!scroll_for_key(event->key()))
        BaseScreen::keyPressEvent(event);
}

} // namespace k52
