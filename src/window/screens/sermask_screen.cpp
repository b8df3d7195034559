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

constexpr int kBoxLength = 2; // Start, Length, Value and Input Length

QLineEdit *small_box(const QString &name, EntryRule rule, QWidget *parent) {
    QLineEdit *e = make_entry_box(name.toUtf8().constData(), rule, kBoxLength, parent);
    return e;
}

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
            inputlen_[std::size_t(s)] = small_box(QStringLiteral("inputlen%1").arg(s + 1), EntryRule::Decimal, group);
            grid->addWidget(inputlen_[std::size_t(s)], 0, 2);
            top = 1;
        }
        for (int c = 0; c < 5; ++c)
            grid->addWidget(new QLabel(tr(heads[c]), group), top, c);
        for (int i = 0; i < kMaskEntries; ++i) {
            Row &r = rows_[std::size_t(s)][std::size_t(i)];
            const int y = top + 1 + i;
            const QString suffix = QStringLiteral("%1_%2").arg(s + 1).arg(i + 1);
            grid->addWidget(new QLabel(QString::number(i + 1), group), y, 0);
            r.constant = new QCheckBox(group);
            r.constant->setObjectName(QStringLiteral("Check%1_%2").arg(7 + s).arg(i));
            grid->addWidget(r.constant, y, 1);
            r.start = small_box(QStringLiteral("start") + suffix, EntryRule::Decimal, group);
            grid->addWidget(r.start, y, 2);
            r.length = small_box(QStringLiteral("length") + suffix, EntryRule::Decimal, group);
            grid->addWidget(r.length, y, 3);
            r.value = small_box(QStringLiteral("value") + suffix, EntryRule::Hex, group);
            grid->addWidget(r.value, y, 4);
        }
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
            const Row &r = row(s, i);
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

void SerMaskScreen::show_entry_rule(int set, int entry) {
    const Row &r = row(set, entry);
    const MaskEntryEnables e = mask_entry_enables(r.constant->isChecked());
    r.start->setEnabled(e.start_length);
    r.length->setEnabled(e.start_length);
    r.value->setEnabled(e.value);
}

void SerMaskScreen::entry_rule(int set, int entry) {
    if (set < 0 || set >= kSerMaskSets || entry < 0 || entry >= kMaskEntries)
        return;
    show_entry_rule(set, entry);
    entry_of(set, entry).constant = row(set, entry).constant->isChecked() ? 1 : 0;
}

void SerMaskScreen::set_mask_controls_enabled(bool on) {
    for (const auto &set : rows_)
        for (const Row &r : set)
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
                show_entry_rule(s, i);
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
