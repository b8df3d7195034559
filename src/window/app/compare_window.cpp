#include "compare_window.h"

#include "core/profile/setting_places.h"
#include "window/ui/top_window.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace k52 {

QString difference_text(const QString &a, const QVector<QVariant> &va, const QString &b, const QVector<QVariant> &vb) {
    const QVector<SettingDifference> diffs = diff_settings(va, vb);
    if (diffs.isEmpty())
        return CompareWindow::tr("The profiles are the same.");
    QString t = CompareWindow::tr("%1 setting(s) differ between \"%2\" and \"%3\".\n").arg(diffs.size()).arg(a, b);
    for (const ScreenDifferences &group : by_screen(diffs)) {
        t += QLatin1Char('\n') + group.screen + QLatin1Char('\n');
        for (const SettingDifference &d : group.settings)
            t += QStringLiteral("  %1\n    %2: %3\n    %4: %5\n").arg(d.place->caption, a, d.a, b, d.b);
    }
    return t;
}

CompareWindow::CompareWindow(ProfileStore &store, QWidget *parent) : QWidget(parent, Qt::Window), store_(store) {
    setWindowTitle(tr("Compare Profiles"));
    auto *layout = new QVBoxLayout(this);
    auto *lists = new QHBoxLayout;
    auto column = [&](const QString &caption, const QString &name) {
        auto *box = new QVBoxLayout;
        box->addWidget(new QLabel(caption, this));
        auto *list = new QListWidget(this);
        list->setObjectName(name);
        box->addWidget(list);
        lists->addLayout(box);
        connect(list, &QListWidget::currentRowChanged, this, &CompareWindow::compare);
        return list;
    };
    left_ = column(tr("First profile"), QStringLiteral("first"));
    right_ = column(tr("Second profile"), QStringLiteral("second"));
    layout->addLayout(lists, 1);
    result_ = new QPlainTextEdit(this);
    result_->setObjectName(QStringLiteral("differences"));
    result_->setReadOnly(true);
    result_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addWidget(result_, 2);
    resize_within_screen(this, {760, 560});
    refill();
}

void CompareWindow::refill(const QString &a, const QString &b) {
    const QStringList names = store_.list_profiles();
    for (auto [list, pick] : {std::pair{left_, a}, std::pair{right_, b}}) {
        const QSignalBlocker block(list);
        list->clear();
        list->addItems(names);
        const auto found = list->findItems(pick, Qt::MatchFixedString);
        list->setCurrentItem(found.isEmpty() ? nullptr : found.front());
    }
    compare();
}

void CompareWindow::compare() {
    const QListWidgetItem *a = left_->currentItem();
    const QListWidgetItem *b = right_->currentItem();
    if (!a || !b) {
        result_->setPlainText(tr("Pick a profile in each list."));
        return;
    }
    QString why;
    const auto va = store_.stored_row(a->text(), &why);
    const auto vb = va ? store_.stored_row(b->text(), &why) : std::nullopt;
    result_->setPlainText(vb ? difference_text(a->text(), *va, b->text(), *vb) : why);
}

QString CompareWindow::result_text() const {
    return result_->toPlainText();
}

} // namespace k52
