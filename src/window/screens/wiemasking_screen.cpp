#include "wiemasking_screen.h"

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

constexpr int kMasks = kInputMaskRows / kMaskEntries;

} // namespace

WieMaskingScreen::WieMaskingScreen(AppContext &ctx, QWidget *parent) : BaseScreen(ctx, parent) {
    setWindowTitle(tr("Wiegand and Magstripe Input Masking"));
    auto *layout = new QGridLayout(this);
    const char *const notes[kMasks] = {
        QT_TR_NOOP("Note Mask # 1 is used for wiegand input format # 1 and also for magstripe input"),
        QT_TR_NOOP("Note Mask # 2 is used for wiegand input format # 2 only"),
        QT_TR_NOOP("Note Mask # 3 is used for wiegand input format # 3 only")};
    const char *const heads[] = {QT_TR_NOOP("Position"), QT_TR_NOOP("Constant"), QT_TR_NOOP("Start"),
                                 QT_TR_NOOP("Length"), QT_TR_NOOP("Value (hex)")};
    for (int m = 0; m < kMasks; ++m) {
        auto *group = new QGroupBox(tr(input_mask_groups()[std::size_t(m)]), this);
        group->setObjectName(QStringLiteral("mask%1").arg(m + 1));
        auto *grid = new QGridLayout(group);
        for (int c = 0; c < 5; ++c)
            grid->addWidget(new QLabel(tr(heads[c]), group), 0, c);
        for (int p = 0; p < kMaskEntries; ++p) {
            const int i = m * kMaskEntries + p;
            const QString n = QString::number(i);
            rows_[std::size_t(i)] = add_mask_entry(grid, p + 1, p + 1, QStringLiteral("Check7_") + n, n, group);
        }
        auto *note = new QLabel(QString::fromUtf8(notes[m]), this);
        note->setObjectName(QStringLiteral("note%1").arg(m + 1));
        note->setWordWrap(true);
        layout->addWidget(group, 0, m);
        layout->addWidget(note, 1, m);
    }
    layout->setRowStretch(2, 1);

    for (int i = 0; i < kInputMaskRows; ++i) {
        const InputMaskFields f = *input_mask_fields(i);
        const MaskEntryBoxes &b = rows_[std::size_t(i)];
        connect(b.constant, &QCheckBox::toggled, this, [this, i] { set_check7(i); });
        connect(b.start, &QLineEdit::textChanged, this,
                [this, field = f.start](const QString &t) { ctx_.record.*field = decimal_text_value(t); });
        connect(b.length, &QLineEdit::textChanged, this,
                [this, field = f.length](const QString &t) { ctx_.record.*field = decimal_text_value(t); });
        connect(b.value, &QLineEdit::textChanged, this,
                [this, field = f.value](const QString &t) { ctx_.record.*field = t; });
    }
    grey_controls(this);
}

void WieMaskingScreen::set_check7(int index) {
    const std::optional<InputMaskFields> f = input_mask_fields(index);
    if (!f)
        return;
    const MaskEntryBoxes &b = rows_[std::size_t(index)];
    ctx_.record.*f->constant = b.constant->isChecked() ? 1 : 0;
    show_mask_entry_rule(b);
}

void WieMaskingScreen::set_parms() {
    const ConfigRecord &r = ctx_.record;
    for (int i = 0; i < kInputMaskRows; ++i) {
        const InputMaskFields f = *input_mask_fields(i);
        // Each setText stores the same value again.
        rows_[std::size_t(i)].start->setText(QString::number(r.*f.start));
        rows_[std::size_t(i)].length->setText(QString::number(r.*f.length));
        rows_[std::size_t(i)].value->setText(r.*f.value);
    }
    for (int i = 0; i < kInputMaskRows; ++i)
        rows_[std::size_t(i)].constant->setChecked(r.*input_mask_fields(i)->constant == 1);
    for (int i = 0; i < kInputMaskRows; ++i)
        set_check7(i);
}

} // namespace k52
