#include "sermask_screen.h"

#include "core/profile/setting_places.h"
#include "core/rules/option_rules.h"
#include "window/ui/entry_box_editor.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace k52 {

namespace {

constexpr int kBoxLength = 2; // Input Length, as Start, Length and Value

} // namespace

SerMaskScreen::SerMaskScreen(AppContext &ctx, QWidget *parent) : BaseScreen(ctx, parent) {
    setWindowTitle(tr("Serial Input Masking"));
    auto *layout = new QGridLayout(this);
    const char *const heads[] = {QT_TR_NOOP("Position"), QT_TR_NOOP("Constant"), QT_TR_NOOP("Start"),
                                 QT_TR_NOOP("Length"), QT_TR_NOOP("Value (hex)")};
    for (int s = 0; s < kSerMaskSets; ++s) {
        auto *group = new QGroupBox(tr(serial_mask_groups()[std::size_t(s)]), this);
        group->setObjectName(QStringLiteral("Frame%1").arg(s + 1));
        auto *grid = new QGridLayout(group);
        int top = 0;
        if (sermask_has_inputlen(s)) {
            grid->addWidget(new QLabel(tr("Input Length"), group), 0, 0, 1, 2);
            inputlen_[std::size_t(s)] = make_entry_box(QStringLiteral("inputlen%1").arg(s + 1).toUtf8().constData(),
                                                       EntryRule::Decimal, kBoxLength, group);
            grid->addWidget(inputlen_[std::size_t(s)], 0, 2);
            top = 1;
        }
        for (int c = 0; c < 5; ++c)
            grid->addWidget(new QLabel(tr(heads[c]), group), top, c);
        for (int i = 0; i < kMaskEntries; ++i)
            rows_[std::size_t(s)][std::size_t(i)] =
                add_mask_entry(grid, top + 1 + i, i + 1, QStringLiteral("Check%1_%2").arg(7 + s).arg(i),
                               QStringLiteral("%1_%2").arg(s + 1).arg(i + 1), group);
        grid->setRowStretch(top + 1 + kMaskEntries, 1);
        const int cell[kSerMaskSets][2] = {{0, 0}, {0, 1}, {1, 1}};
        layout->addWidget(group, cell[s][0], cell[s][1]);
    }
    auto *special = new QGroupBox(tr("Special Functions"), this);
    auto *sl = new QVBoxLayout(special);
    check4_ = new QCheckBox(tr("Masking On"), special);
    check4_->setObjectName(QStringLiteral("Check4"));
    sl->addWidget(check4_);
    sl->addStretch();
    layout->addWidget(special, 1, 0);
    layout->setRowStretch(2, 1);

    connect(check4_, &QCheckBox::toggled, this, [this] { setup_check4(); });
    for (int s = 0; s < kSerMaskSets; ++s) {
        for (int i = 0; i < kMaskEntries; ++i) {
            const MaskEntryBoxes &r = row(s, i);
            connect(r.constant, &QCheckBox::toggled, this, [this, s, i] { entry_rule(s, i); });
            connect(r.start, &QLineEdit::textChanged, this,
                    [this, s, i](const QString &t) { entry_of(s, i).start = decimal_text_value(t); });
            connect(r.length, &QLineEdit::textChanged, this,
                    [this, s, i](const QString &t) { entry_of(s, i).length = decimal_text_value(t); });
            connect(r.value, &QLineEdit::textChanged, this,
                    [this, s, i](const QString &t) { entry_of(s, i).value = t; });
        }
        if (sermask_has_inputlen(s))
            connect(inputlen_[std::size_t(s)], &QLineEdit::textChanged, this,
                    [this, s](const QString &t) { (ctx_.record.*sermask_set(s)).inputlen = decimal_text_value(t); });
    }
    grey_controls(this);
}

MaskEntry &SerMaskScreen::entry_of(int set, int entry) {
    return (ctx_.record.*sermask_set(set)).entries[std::size_t(entry)];
}

void SerMaskScreen::entry_rule(int set, int entry) {
    if (set < 0 || set >= kSerMaskSets || entry < 0 || entry >= kMaskEntries)
        return;
    show_mask_entry_rule(row(set, entry));
    entry_of(set, entry).constant = row(set, entry).constant->isChecked() ? 1 : 0;
}

void SerMaskScreen::set_mask_controls_enabled(bool on) {
    for (const auto &set : rows_)
        for (const MaskEntryBoxes &r : set)
            for (QWidget *w : {static_cast<QWidget *>(r.constant), static_cast<QWidget *>(r.start),
                               static_cast<QWidget *>(r.length), static_cast<QWidget *>(r.value)})
                w->setEnabled(on);
    for (QLineEdit *e : inputlen_)
        if (e)
            e->setEnabled(on);
}

void SerMaskScreen::setup_check4() {
    const bool on = check4_->isChecked();
    set_mask_controls_enabled(on);
    // Switched on, each entry offers only the boxes of the part it uses,
    // as after a refresh.
    if (on)
        for (int s = 0; s < kSerMaskSets; ++s)
            for (int i = 0; i < kMaskEntries; ++i)
                show_mask_entry_rule(row(s, i));
    ctx_.record.serinmask = on ? 1 : 0;
}

void SerMaskScreen::set_parms() {
    check4_->setChecked(ctx_.record.serinmask == 1);
    setup_check4();
    for (int s = 0; s < kSerMaskSets; ++s)
        for (int i = 0; i < kMaskEntries; ++i) {
            row(s, i).constant->setChecked(entry_of(s, i).constant == 1);
            entry_rule(s, i);
        }
    for (int s = 0; s < kSerMaskSets; ++s)
        for (int i = 0; i < kMaskEntries; ++i) {
            // Each setText stores the same value again.
            const MaskEntry &e = entry_of(s, i);
            row(s, i).start->setText(QString::number(e.start));
            row(s, i).length->setText(QString::number(e.length));
            row(s, i).value->setText(e.value);
        }
    for (int s = 0; s < kSerMaskSets; ++s)
        if (sermask_has_inputlen(s))
            inputlen_[std::size_t(s)]->setText(QString::number((ctx_.record.*sermask_set(s)).inputlen));
    if (!check4_->isChecked())
        set_mask_controls_enabled(false);
}

} // namespace k52
