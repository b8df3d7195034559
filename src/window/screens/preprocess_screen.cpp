#include "preprocess_screen.h"

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

QLineEdit *make_number_box(const char *name, QWidget *parent) {
    return make_entry_box(name, EntryRule::Decimal, 2, parent);
}

} // namespace

PreprocessScreen::PreprocessScreen(AppContext &ctx, QWidget *parent) : BaseScreen(ctx, parent) {
    setWindowTitle(tr("Serial Preprocessors"));
    auto *layout = new QVBoxLayout(this);

    auto *hex = new QGroupBox(tr("Hexadecimal Preprocessor (v1.8+)"), this);
    auto *hg = new QGridLayout(hex);
    on_[Hex] = new QCheckBox(tr("Preprocessor ON"), hex);
    on_[Hex]->setObjectName(QStringLiteral("hexprepro"));
    hg->addWidget(on_[Hex], 0, 0, 1, 4);
    hg->addWidget(new QLabel(tr("Start"), hex), 1, 1);
    hg->addWidget(new QLabel(tr("Length"), hex), 1, 2);
    hg->addWidget(new QLabel(tr("Chars"), hex), 1, 3);
    hg->addWidget(new QLabel(tr("Site"), hex), 2, 0);
    hg->addWidget(new QLabel(QStringLiteral("ID"), hex), 3, 0);
    numbers_ = {{
        {make_number_box("hexsitestart", hex), &ConfigRecord::hexsitestart},
        {make_number_box("hexsitelen", hex), &ConfigRecord::hexsitelen},
        {make_number_box("hexsitechars", hex), &ConfigRecord::hexsitechars},
        {make_number_box("hexidstart", hex), &ConfigRecord::hexidstart},
        {make_number_box("hexidlen", hex), &ConfigRecord::hexidlen},
        {make_number_box("hexidchars", hex), &ConfigRecord::hexidchars},
        {make_number_box("hextotalbits", hex), &ConfigRecord::hextotalbits},
    }};
    for (int i = 0; i < 6; ++i)
        hg->addWidget(numbers_[std::size_t(i)].edit, 2 + i / 3, 1 + i % 3);
    hg->addWidget(new QLabel(tr("Toital Bits"), hex), 4, 0);
    hg->addWidget(numbers_[6].edit, 4, 1);
    trim_ = new QCheckBox(tr("Trim Leading Zero Bits"), hex);
    trim_->setObjectName(QStringLiteral("hextrimleading"));
    hg->addWidget(trim_, 5, 0, 1, 4);
    layout->addWidget(hex);

    auto *amtech = new QGroupBox(tr("Amtech 26 bit encoded Preprocessor (v1.8+)"), this);
    on_[Amtech] = new QCheckBox(tr("Preprocessor ON"), amtech);
    on_[Amtech]->setObjectName(QStringLiteral("amtech26encpre"));
    (new QVBoxLayout(amtech))->addWidget(on_[Amtech]);
    layout->addWidget(amtech);

    auto *alpha = new QGroupBox(tr("Alpha Substitution Preprocessor (v1.93+)"), this);
    on_[AlphaSub] = new QCheckBox(tr("Preprocessor ON"), alpha);
    on_[AlphaSub]->setObjectName(QStringLiteral("seralphasub"));
    (new QVBoxLayout(alpha))->addWidget(on_[AlphaSub]);
    layout->addWidget(alpha);
    layout->addStretch();

    for (int i = 0; i < 3; ++i)
        connect(on_[std::size_t(i)], &QCheckBox::toggled, this, [this, i](bool on) { on_clicked(i, on); });
    connect(trim_, &QCheckBox::toggled, this, [this](bool on) { ctx_.record.hextrimleading = on ? 1 : 0; });
    for (const NumberBox &n : numbers_) {
        auto field = n.field;
        connect(n.edit, &QLineEdit::textChanged, this,
                [this, f = field](const QString &text) { ctx_.record.*f = decimal_text_value(text); });
    }
    grey_controls(this);
    check_enables();
}

Integer &PreprocessScreen::on_field(int which) {
    switch (which) {
    case Hex:
        return ctx_.record.hexprepro;
    case Amtech:
        return ctx_.record.amtech26encpre;
    default:
        return ctx_.record.seralphasub;
    }
}

void PreprocessScreen::on_clicked(int which, bool ticked) {
    on_field(which) = ticked ? 1 : 0;
    check_enables();
    if (!ticked)
        return;
    // Unticking runs the other boxes' own handling, which stores their 0.
    for (int i = 0; i < 3; ++i)
        if (i != which)
            on_[std::size_t(i)]->setChecked(false);
    check_enables();
}

void PreprocessScreen::check_enables() {
    const bool on = on_[Hex]->isChecked();
    for (const NumberBox &n : numbers_)
        n.edit->setEnabled(on);
    trim_->setEnabled(on);
}

void PreprocessScreen::set_parms() {
    on_[Hex]->setChecked(ctx_.record.hexprepro == 1);
    on_[Amtech]->setChecked(ctx_.record.amtech26encpre == 1);
    on_[AlphaSub]->setChecked(ctx_.record.seralphasub == 1);
    trim_->setChecked(ctx_.record.hextrimleading == 1);
    for (const NumberBox &n : numbers_)
        n.edit->setText(QString::number(ctx_.record.*n.field));
    check_enables();
}

} // namespace k52
