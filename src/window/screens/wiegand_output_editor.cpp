#include "wiegand_output_editor.h"

#include "core/profile/setting_places.h"
#include "window/screens/card_test_panel.h"
#include "window/ui/entry_box_editor.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QVBoxLayout>

namespace k52 {

namespace {

QLabel *make_label(const QString &caption, QWidget *parent) {
    return new QLabel(caption, parent);
}

constexpr std::array<const char *, 3> kFieldNames{"site", "id", "issue"};
constexpr std::array<const char *, kWiegandFields> kOutputNames{"site", "id", "issue", "const"};

QString name_of(const char *prefix, const char *what) {
    return QString::fromUtf8(prefix) + QString::fromUtf8(what);
}

// Picture geometry, in pixels.
constexpr int kCellW = 18;
constexpr int kCellH = 18;
constexpr int kNumberH = 12;
constexpr int kRowGap = 4;
constexpr int kRowH = kNumberH + kCellH + kRowGap;

} // namespace

Integer WiegandOutputEditor::order_code(int box) {
    return Integer(wiegand_order_choices()[box].code);
}

WiegandOutputEditor::WiegandOutputEditor(AppContext &ctx, const WiegandOutputVariant &variant, QWidget *parent)
    : BaseScreen(ctx, parent), v_(variant) {
    setWindowTitle(tr(v_.title));
    build();
    if (v_.grey)
        grey_controls(this);
}

QLineEdit *WiegandOutputEditor::decimal_box(IntField field, int max_len, bool redraw, QWidget *parent) {
    QLineEdit *e = make_entry_box("", EntryRule::Decimal, max_len, parent);
    // The box's own text, not the notification's: a paste that the filter
    // cleans up notifies the raw text after the cleaned one.
    connect(e, &QLineEdit::textChanged, this, [this, e, field, redraw] {
        ctx_.record.*field = decimal_text_value(e->text());
        if (redraw)
            makeformat();
        else
            refresh_card();
    });
    return e;
}

QLineEdit *WiegandOutputEditor::hex_box(TextField field, int max_len, QWidget *parent) {
    QLineEdit *e = make_entry_box("", EntryRule::Hex, max_len, parent);
    connect(e, &QLineEdit::textChanged, this, [this, e, field] {
        ctx_.record.*field = e->text();
        refresh_card();
    });
    return e;
}

void WiegandOutputEditor::build() {
    auto *layout = new QGridLayout(this);

    // Extraction Parameters (after masking)
    auto *extraction = new QGroupBox(tr("Extraction Parameters (after masking)"), this);
    auto *eg = new QGridLayout(extraction);
    eg->addWidget(make_label(tr("Start"), extraction), 0, 1);
    eg->addWidget(make_label(tr("Length"), extraction), 0, 2);
    const WiegandEditorCaptions &captions = wiegand_editor_captions();
    for (int i = 0; i < 3; ++i) {
        const auto n = std::size_t(i);
        extract_[n] = make_check_box(tr(captions.extract[n]), name_of("extract_", kFieldNames[n]), extraction);
        start_[n] = decimal_box(v_.map.start[n], 2, false, extraction);
        start_[n]->setObjectName(name_of(kFieldNames[n], "_start"));
        len_[n] = decimal_box(v_.map.len[n], 2, false, extraction);
        len_[n]->setObjectName(name_of(kFieldNames[n], "_len"));
        eg->addWidget(extract_[n], i + 1, 0);
        eg->addWidget(start_[n], i + 1, 1);
        eg->addWidget(len_[n], i + 1, 2);
        connect(extract_[n], &QCheckBox::toggled, this, [this, i] { apply_extract(i); });
    }
    layout->addWidget(extraction, 0, 0);

    // Output Bit Formats
    auto *formats = new QGroupBox(tr("Output Bit Formats"), this);
    auto *fg = new QGridLayout(formats);
    fg->addWidget(make_label(tr("Field"), formats), 0, 0);
    fg->addWidget(make_label(tr("# Bits"), formats), 0, 1);
    fg->addWidget(make_label(tr("LSB"), formats), 0, 2);
    for (int f = 0; f < kWiegandFields; ++f) {
        const auto n = std::size_t(f);
        bits_[n] = decimal_box(v_.map.bits[n], 2, true, formats);
        bits_[n]->setObjectName(name_of(kOutputNames[n], "_bits"));
        lsb_[n] = make_check_box(QString(), name_of(kOutputNames[n], "_lsb"), formats);
        fg->addWidget(make_label(tr(captions.fields[n]), formats), f + 1, 0);
        fg->addWidget(bits_[n], f + 1, 1);
        fg->addWidget(lsb_[n], f + 1, 2);
        connect(lsb_[n], &QCheckBox::toggled, this, [this, f] { apply_lsb(f); });
    }
    layout->addWidget(formats, 0, 1);

    // Field Overrides and Constant Value
    auto *overrides = new QGroupBox(tr("Field Overrides and Constant Value"), this);
    auto *og = new QGridLayout(overrides);
    for (int i = 0; i < 3; ++i) {
        const auto n = std::size_t(i);
        overflag_[n] = make_check_box(tr(captions.overrides[n]), name_of("override_", kFieldNames[n]), overrides);
        over_[n] = hex_box(v_.map.over[n], 4, overrides);
        over_[n]->setObjectName(name_of(kFieldNames[n], "_value"));
        og->addWidget(overflag_[n], i, 0);
        og->addWidget(make_label(tr(v_.value_label), overrides), i, 1);
        og->addWidget(over_[n], i, 2);
        connect(overflag_[n], &QCheckBox::toggled, this, [this, i] { apply_override(i); });
    }
    over_[3] = hex_box(v_.map.over[3], 4, overrides);
    over_[3]->setObjectName(QStringLiteral("const_value"));
    og->addWidget(make_label(tr("Constant Value (hex):"), overrides), 3, 0, 1, 2);
    og->addWidget(over_[3], 3, 2);
    layout->addWidget(overrides, 0, 2);

    // Parity Selection
    auto *parity = new QGroupBox(tr("Parity Selection"), this);
    auto *pg = new QGridLayout(parity);
    // The boxes in the order of ParityBox.
    const ChoiceList &parity_choices = wiegand_parity_choices();
    for (int b = 0; b < 3; ++b) {
        const auto n = std::size_t(b);
        const char *caption = parity_choices[b].caption;
        parity_[n] =
            make_check_box(tr(caption), QStringLiteral("parity_") + QString::fromUtf8(caption).toLower(), parity);
        pg->addWidget(parity_[n], 0, b + 1);
        connect(parity_[n], &QCheckBox::toggled, this, [this, b] { on_parity_click(ParityBox(b)); });
    }
    lpbits_ = decimal_box(v_.map.lpbits, 3, false, parity);
    lpbits_->setObjectName(QStringLiteral("left_bits"));
    rpbits_ = decimal_box(v_.map.rpbits, 3, false, parity);
    rpbits_->setObjectName(QStringLiteral("right_bits"));
    left_even_ = make_check_box(tr("Even"), QStringLiteral("left_even"), parity);
    left_odd_ = make_check_box(tr("Odd"), QStringLiteral("left_odd"), parity);
    right_even_ = make_check_box(tr("Even"), QStringLiteral("right_even"), parity);
    right_odd_ = make_check_box(tr("Odd"), QStringLiteral("right_odd"), parity);
    pg->addWidget(make_label(tr("Left Bits:"), parity), 1, 0);
    pg->addWidget(lpbits_, 1, 1);
    pg->addWidget(left_even_, 1, 2);
    pg->addWidget(left_odd_, 1, 3);
    pg->addWidget(make_label(tr("Right Bits:"), parity), 2, 0);
    pg->addWidget(rpbits_, 2, 1);
    pg->addWidget(right_even_, 2, 2);
    pg->addWidget(right_odd_, 2, 3);
    connect(left_even_, &QCheckBox::toggled, this, [this] { on_sense_click(left_even_, left_odd_); });
    connect(left_odd_, &QCheckBox::toggled, this, [this] { on_sense_click(left_odd_, left_even_); });
    connect(right_even_, &QCheckBox::toggled, this, [this] { on_sense_click(right_even_, right_odd_); });
    connect(right_odd_, &QCheckBox::toggled, this, [this] { on_sense_click(right_odd_, right_even_); });
    layout->addWidget(parity, 1, 0);

    // Output Order Format
    auto *order = new QGroupBox(tr("Output Order Format"), this);
    auto *rg = new QGridLayout(order);
    for (int row = 0; row < kWiegandOrderRows; ++row) {
        rg->addWidget(new QLabel(QString::number(row + 1), order), row, 0);
        for (int b = 0; b < kOrderBoxes; ++b) {
            QCheckBox *box = make_check_box(tr(wiegand_order_choices()[b].caption),
                                            QStringLiteral("order%1_%2").arg(row + 1).arg(b), order);
            order_[std::size_t(row)][std::size_t(b)] = box;
            rg->addWidget(box, row, b + 1);
            connect(box, &QCheckBox::toggled, this, [this, row, b] { on_order_click(row, b); });
        }
    }
    layout->addWidget(order, 1, 1);

    // Parity Masks
    auto *masks = new QGroupBox(tr("Parity Masks"), this);
    auto *mg = new QGridLayout(masks);
    lpmask_ = hex_box(v_.map.lpmask, 16, masks);
    lpmask_->setObjectName(QStringLiteral("left_mask"));
    rpmask_ = hex_box(v_.map.rpmask, 16, masks);
    rpmask_->setObjectName(QStringLiteral("right_mask"));
    mg->addWidget(make_label(tr("Left:"), masks), 0, 0);
    mg->addWidget(lpmask_, 0, 1);
    mg->addWidget(make_label(tr("Right:"), masks), 1, 0);
    mg->addWidget(rpmask_, 1, 1);
    mg->addWidget(make_label(tr("Input in Hex"), masks), 2, 1);
    layout->addWidget(masks, 1, 2);

    // Current Format: the text preview with the cells under it.
    auto *caption = new QVBoxLayout;
    caption->addWidget(make_label(tr("Current"), this));
    caption->addWidget(make_label(tr("Format:"), this));
    caption->addStretch();
    layout->addLayout(caption, 2, 0, Qt::AlignRight | Qt::AlignTop);
    auto *shown = new QVBoxLayout;
    preview_ = new QLabel(tr("Format:"), this);
    preview_->setObjectName(QStringLiteral("preview"));
    preview_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    preview_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    const QFontMetrics fm(preview_->font());
    preview_->setFixedWidth(fm.horizontalAdvance(QString(kPreviewLine, QLatin1Char('M'))) + 8);
    preview_->setMinimumHeight(fm.lineSpacing() * 3 + 8);
    preview_text_ = preview_->text();
    shown->addWidget(preview_);
    picture_ = new FormatPictureView(this);
    picture_->setObjectName(QStringLiteral("picture"));
    shown->addWidget(picture_);
    card_ = new CardTestPanel(ctx_.record, v_.map, this);
    shown->addWidget(card_);
    layout->addLayout(shown, 2, 1, 1, 2, Qt::AlignLeft | Qt::AlignTop);
    layout->setRowStretch(3, 1);
    layout->setColumnStretch(3, 1);
}

void WiegandOutputEditor::apply_extract(int i) {
    if (i < 0 || i >= 3)
        return;
    const auto n = std::size_t(i);
    const bool on = extract_[n]->isChecked();
    ctx_.record.*v_.map.extract[n] = on ? 1 : 0;
    start_[n]->setEnabled(on);
    len_[n]->setEnabled(on);
}

void WiegandOutputEditor::apply_lsb(int f) {
    if (f < 0 || f >= kWiegandFields)
        return;
    ctx_.record.*v_.map.lsb[std::size_t(f)] = lsb_[std::size_t(f)]->isChecked() ? 1 : 0;
    refresh_card();
}

void WiegandOutputEditor::apply_override(int i) {
    if (i < 0 || i >= 3)
        return;
    const auto n = std::size_t(i);
    const bool on = overflag_[n]->isChecked();
    ctx_.record.*v_.map.overflag[n] = on ? 1 : 0;
    over_[n]->setEnabled(on);
    refresh_card();
}

void WiegandOutputEditor::on_parity_click(ParityBox b) {
    if (refreshing_ || grouping_)
        return;
    switch (b) {
    case Standard:
        set_parity(1);
        break;
    case Mask:
        set_parity(parity_[Mask]->isChecked() ? 2 : 1);
        break;
    case None:
        set_parity(parity_[None]->isChecked() ? 3 : 1);
        break;
    }
}

void WiegandOutputEditor::on_order_click(int row, int box) {
    if (refreshing_ || grouping_)
        return;
    const Integer code = order_code(box);
    const bool ticked = order_[std::size_t(row)][std::size_t(box)]->isChecked();
    set_fields(row + 1, code != kFieldNone && ticked ? code : kFieldNone);
}

void WiegandOutputEditor::on_sense_click(QCheckBox *box, QCheckBox *partner) {
    if (refreshing_)
        return;
    partner->setChecked(!box->isChecked());
    if (box == left_even_ || box == left_odd_)
        ctx_.record.*v_.map.lp = left_odd_->isChecked() ? 1 : 0;
    else
        ctx_.record.*v_.map.rp = right_even_->isChecked() ? 1 : 0;
    makeformat();
}

void WiegandOutputEditor::set_parity(int mode) {
    if (mode < 1 || mode > 3)
        return;
    grouping_ = true;
    parity_[Standard]->setChecked(mode == 1);
    parity_[Mask]->setChecked(mode == 2);
    parity_[None]->setChecked(mode == 3);
    for (QCheckBox *b : {left_even_, left_odd_, right_even_, right_odd_})
        b->setEnabled(mode != 3);
    lpbits_->setEnabled(mode == 1);
    rpbits_->setEnabled(mode == 1);
    lpmask_->setEnabled(mode == 2);
    rpmask_->setEnabled(mode == 2);
    ctx_.record.*v_.map.parity = mode == 3 ? 0 : Integer(mode);
    grouping_ = false;
    makeformat();
}

void WiegandOutputEditor::set_fields(int row, int field) {
    if (row < 1 || row > kWiegandOrderRows || field < kFieldNone || field > kFieldConstant)
        return;
    grouping_ = true;
    auto &boxes = order_[std::size_t(row - 1)];
    for (int b = 0; b < kOrderBoxes; ++b)
        boxes[std::size_t(b)]->setChecked(order_code(b) == field);
    ctx_.record.*v_.map.field[std::size_t(row - 1)] = Integer(field);
    grouping_ = false;
    makeformat();
}

void WiegandOutputEditor::makeformat() {
    if (refreshing_)
        return;
    FormatControls c;
    for (int f = 0; f < kWiegandFields; ++f)
        c.bits[std::size_t(f)] = bits_[std::size_t(f)]->text();
    for (int row = 0; row < kWiegandOrderRows; ++row)
        for (int f = 0; f < kWiegandFields; ++f)
            c.order[std::size_t(row)][std::size_t(f)] = order_[std::size_t(row)][std::size_t(f)]->isChecked();
    c.parity_none = parity_[None]->isChecked();
    c.parity_mask = parity_[Mask]->isChecked();
    c.left_even = left_even_->isChecked();
    c.left_odd = left_odd_->isChecked();
    c.right_even = right_even_->isChecked();
    c.right_odd = right_odd_->isChecked();

    letters_ = format_letters(c);
    preview_text_ = format_preview_text(letters_);
    // The preview's own text keeps its carriage returns; on the screen every
    // line holds at most one line's worth, so that a long format goes on
    // over further lines instead of running out of sight.
    QStringList lines;
    for (qsizetype at = 0; at < letters_.size(); at += kPreviewLine)
        lines << letters_.mid(at, kPreviewLine);
    preview_->setText(lines.join(QLatin1Char('\n')));
    picture_->set_letters(letters_);
    refresh_card();
}

void WiegandOutputEditor::refresh_card() {
    if (card_ && !refreshing_)
        card_->refresh();
}

void WiegandOutputEditor::set_parms() {
    ConfigRecord &r = ctx_.record;
    refreshing_ = true;

    for (int i = 0; i < 3; ++i) {
        extract_[std::size_t(i)]->setChecked(r.*v_.map.extract[std::size_t(i)] == 1);
        apply_extract(i);
    }
    for (int i = 0; i < 3; ++i) {
        start_[std::size_t(i)]->setText(QString::number(r.*v_.map.start[std::size_t(i)]));
        len_[std::size_t(i)]->setText(QString::number(r.*v_.map.len[std::size_t(i)]));
    }
    for (int f = 0; f < kWiegandFields; ++f)
        bits_[std::size_t(f)]->setText(QString::number(r.*v_.map.bits[std::size_t(f)]));

    for (int f = 0; f < kWiegandFields; ++f)
        lsb_[std::size_t(f)]->setChecked(r.*v_.map.lsb[std::size_t(f)] == 1);
    for (int i = 0; i < 3; ++i)
        overflag_[std::size_t(i)]->setChecked(r.*v_.map.overflag[std::size_t(i)] == 1);
    if (v_.fill_applies_boxes) {
        for (int f = 0; f < kWiegandFields; ++f)
            apply_lsb(f);
        for (int i = 0; i < 3; ++i)
            apply_override(i);
    }

    for (int f = 0; f < kWiegandFields; ++f)
        over_[std::size_t(f)]->setText(r.*v_.map.over[std::size_t(f)]);

    for (QCheckBox *b : parity_)
        b->setChecked(false);
    switch (r.*v_.map.parity) {
    case 0:
        parity_[None]->setChecked(true);
        set_parity(3);
        break;
    case 1:
        parity_[Standard]->setChecked(true);
        set_parity(1);
        break;
    case 2:
        parity_[Mask]->setChecked(true);
        set_parity(2);
        break;
    default:
        break;
    }

    lpbits_->setText(QString::number(r.*v_.map.lpbits));
    rpbits_->setText(QString::number(r.*v_.map.rpbits));

    const bool left_odd = r.*v_.map.lp == 1;
    left_odd_->setChecked(left_odd);
    left_even_->setChecked(!left_odd);
    const bool right_even = r.*v_.map.rp == 1;
    right_even_->setChecked(right_even);
    right_odd_->setChecked(!right_even);

    for (int row = 0; row < kWiegandOrderRows; ++row) {
        auto &boxes = order_[std::size_t(row)];
        for (QCheckBox *b : boxes)
            b->setChecked(false);
        const Integer code = r.*v_.map.field[std::size_t(row)];
        for (int b = 0; b < kOrderBoxes; ++b)
            if (code >= kFieldNone && code <= kFieldConstant && order_code(b) == code)
                boxes[std::size_t(b)]->setChecked(true);
    }

    lpmask_->setText(r.*v_.map.lpmask);
    rpmask_->setText(r.*v_.map.rpmask);

    for (int i = 0; i < 3; ++i) {
        const bool on = extract_[std::size_t(i)]->isChecked();
        start_[std::size_t(i)]->setEnabled(on);
        len_[std::size_t(i)]->setEnabled(on);
        over_[std::size_t(i)]->setEnabled(overflag_[std::size_t(i)]->isChecked());
    }

    refreshing_ = false;
    makeformat();
}

FormatPictureView::FormatPictureView(QWidget *parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void FormatPictureView::set_letters(const QString &letters) {
    layout_ = format_layout(letters);
    updateGeometry();
    update();
}

QColor FormatPictureView::colour(CellKind kind) {
    return QColor::fromRgb(QRgb(cell_rgb(kind)));
}

static QString total_text(const FormatLayout &l) {
    QString t = FormatPictureView::tr("%1 bits").arg(l.total_bits);
    if (l.cut)
        t += FormatPictureView::tr(" (first %1 shown)").arg(l.cells.size());
    return t;
}

QSize FormatPictureView::sizeHint() const {
    const int rows = std::max(1, layout_.rows);
    const int first_row = std::min(int(layout_.cells.size()), kCellsPerRow);
    const int label = fontMetrics().horizontalAdvance(total_text(layout_));
    return {std::max(first_row, 1) * kCellW + 8 + label, rows * kRowH};
}

void FormatPictureView::paintEvent(QPaintEvent *) {
    QPainter p(this);
    QFont small = font();
    small.setPixelSize(8);
    QFont letter = font();
    letter.setPixelSize(11);
    for (const FormatCell &c : layout_.cells) {
        const int x = c.column * kCellW;
        const int y = c.row * kRowH;
        p.setFont(small);
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(QRect(x, y, kCellW, kNumberH), Qt::AlignCenter, QString::number(c.bit));
        const QRect cell(x, y + kNumberH, kCellW - 1, kCellH - 1);
        p.fillRect(cell, colour(c.kind));
        p.setPen(Qt::black);
        p.drawRect(cell);
        p.setFont(letter);
        p.setPen(c.kind == CellKind::Parity ? Qt::white : Qt::black);
        p.drawText(cell, Qt::AlignCenter, QString(c.letter));
    }
    p.setFont(font());
    p.setPen(palette().color(QPalette::WindowText));
    // The count stands beside the first row, just after its last cell.
    const int first_row = std::min(int(layout_.cells.size()), kCellsPerRow);
    p.drawText(QRect(first_row * kCellW + 8, kNumberH, width(), kCellH), Qt::AlignLeft | Qt::AlignVCenter,
               total_text(layout_));
}

} // namespace k52
