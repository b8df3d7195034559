#include "about_window.h"

#include "core/profile/installed_files.h"
#include "core/profile/startup.h"
#include "window/ui/centred_window.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace k52 {

namespace {

QLabel *line(QWidget *parent, QVBoxLayout *into, const QString &text, bool bold = false) {
    auto *l = new QLabel(text, parent);
    l->setWordWrap(true);
    if (bold) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    into->addWidget(l);
    return l;
}

void add_ok_button(QWidget *w, QVBoxLayout *into) {
    auto *ok = new QPushButton(AboutWindow::tr("OK"), w);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, w, &QWidget::close);
    into->addSpacing(8);
    into->addWidget(ok, 0, Qt::AlignHCenter);
}

} // namespace

AboutWindow::AboutWindow(AppContext &ctx, QWidget *parent) : BaseScreen(ctx, parent) {
    setWindowFlags(windowFlags() | Qt::Dialog);
    setWindowTitle(tr("About"));
    auto *v = new QVBoxLayout(this);
    line(this, v, tr("ZOR K52/K54 Converter Utility"), true);
    line(this, v, tr("Version 1.99"));
    line(this, v, tr("Updated 09/15/09"));
    database_ = line(this, v, database_line());
    database_->setObjectName(QStringLiteral("database"));
    database_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    line(this, v, QStringLiteral("ZOR"));
    // This program's own licence, below the lines above.
    v->addSpacing(6);
    line(this, v, tr("Copyright (c) 2026 the Converter Utility authors"));
    QLabel *notices =
        line(this, v,
             tr("Released under the MIT licence. The libraries it uses keep their own licences, listed in %1.")
                 .arg(third_party_notices(ctx.program_dir)));
    notices->setObjectName(QStringLiteral("licence"));
    notices->setTextInteractionFlags(Qt::TextSelectableByMouse);
    add_ok_button(this, v);
    // Wide enough for its lines to stand unbroken, a long database path
    // apart.
    setMinimumWidth(twips_to_px(6000, this));
}

QString AboutWindow::database_line() const {
    const QString path = ctx_.db_path.isEmpty() ? default_db_path() : ctx_.db_path;
    return tr("Default Database: %1").arg(QDir::toNativeSeparators(path));
}

void AboutWindow::showEvent(QShowEvent *event) {
    // The database may have changed since the window was made (start-up
    // falling back to the default path).
    database_->setText(database_line());
    adjustSize();
    centre_over_owner(this);
    BaseScreen::showEvent(event);
}

RevisionsWindow::RevisionsWindow(AppContext &ctx, QWidget *parent) : BaseScreen(ctx, parent) {
    setWindowFlags(windowFlags() | Qt::Dialog);
    const QString title = tr("K52/K54 Converter Revisions   Version 1.94 thru 1.96");
    setWindowTitle(title);
    auto *v = new QVBoxLayout(this);
    line(this, v, title, true);
    struct Revision {
        const char *heading;
        std::vector<const char *> entries;
    };
    const std::vector<Revision> revisions = {
        {QT_TR_NOOP("Version 1.94"),
         {QT_TR_NOOP("Added support for a 3rd wiegand input format and associated masking"),
          QT_TR_NOOP("Added support for zero suppression on serial outputs for wiegand to serial and mag to serial "
                     "conversions")}},
        {QT_TR_NOOP("Version 1.95"),
         {QT_TR_NOOP("Added support for 250 bits of input and output"),
          QT_TR_NOOP("Added support for wieaba and alpha wie inputs")}},
        {QT_TR_NOOP("Version 1.96"), {QT_TR_NOOP("Added restart command")}},
        {QT_TR_NOOP("Version 1.99"), {QT_TR_NOOP("Added support for serial to wiegand bit simulation")}},
    };
    for (const Revision &r : revisions) {
        v->addSpacing(6);
        line(this, v, tr(r.heading), true);
        for (const char *e : r.entries) {
            QLabel *l = line(this, v, tr(e));
            l->setIndent(16);
        }
    }
    v->addSpacing(10);
    line(this, v,
         tr("For further information on firmware revisions and software dispatch information please refer to ZOR's "
            "firmware update web page."));
    add_ok_button(this, v);
    setMinimumWidth(twips_to_px(7800, this));
}

void RevisionsWindow::showEvent(QShowEvent *event) {
    adjustSize();
    centre_over_owner(this);
    BaseScreen::showEvent(event);
}

} // namespace k52
