#include "serial_screen.h"

#include "core/profile/setting_places.h"
#include "window/ui/entry_box_editor.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace k52 {

namespace {

constexpr int kTerminatorLength = 2;

// A labelled hex box of two characters inside `group`'s grid row `row`.
QLineEdit *terminator_row(QGridLayout *grid, int row, const QString &label, const char *name, QWidget *group) {
    grid->addWidget(new QLabel(label, group), row, 0);
    QLineEdit *e = make_entry_box(name, EntryRule::Hex, kTerminatorLength, group);
    grid->addWidget(e, row, 1);
    return e;
}

} // namespace

SerialScreen::SerialScreen(AppContext &ctx, QWidget *parent) : BaseScreen(ctx, parent) {
    setWindowTitle(tr("Serial Input and Output General Settings"));
    auto *layout = new QVBoxLayout(this);

    layout->addWidget(baud_group(tr("Converter Baud Rate"), baud_, this));

    auto *parity = new QGroupBox(tr("Data Bits/Parity"), this);
    auto *pg = new QHBoxLayout(parity);
    for (int i = 0; i < kDataParityChoices; ++i) {
        parity_[std::size_t(i)] =
            make_check_box(shown_caption(parity_choices()[i]), QStringLiteral("parity") + parity_letter(i), parity);
        pg->addWidget(parity_[std::size_t(i)]);
    }
    pg->addStretch();
    layout->addWidget(parity);

    auto *terms = new QHBoxLayout;
    auto *input = new QGroupBox(tr("Input Terminator"), this);
    auto *ig = new QGridLayout(input);
    term_[0] = terminator_row(ig, 0, tr("Input Terminator in hex"), "interm", input);
    terms->addWidget(input);
    auto *output = new QGroupBox(tr("Output Terminator(s)"), this);
    auto *og = new QGridLayout(output);
    term_[1] = terminator_row(og, 0, tr("Output Terminator (1) in hex"), "outterm1", output);
    term_[2] = terminator_row(og, 1, tr("Output Terminator (2) in hex"), "outterm2", output);
    terms->addWidget(output);
    layout->addLayout(terms);

    auto *special = new QGroupBox(tr("Special Functions"), this);
    auto *sg = new QVBoxLayout(special);
    beep_ = make_check_box(tr("Beep on a good conversion"), QStringLiteral("seringoodbeep"), special);
    ignorelf_ = make_check_box(tr("Ignore Linefeeds on input (V1.8+)"), QStringLiteral("ignorelf"), special);
    sg->addWidget(beep_);
    sg->addWidget(ignorelf_);
    layout->addWidget(special);

    auto *conv = new QGroupBox(tr("Serial Input Conversion Type"), this);
    auto *cg = new QGridLayout(conv);
    for (int i = 0; i < kSerConvChoices; ++i) {
        check5_[std::size_t(i)] =
            make_check_box(shown_caption(serial_conversion_choices()[i]), QStringLiteral("conv%1").arg(i), conv);
        cg->addWidget(check5_[std::size_t(i)], i % 3, i / 3);
    }
    layout->addWidget(conv);

    auto *note = new QLabel(
        tr("Serial settings, except the \"input conversion type\", will not take effect until the K52 is restarted."),
        this);
    note->setObjectName(QStringLiteral("note"));
    note->setWordWrap(true);
    layout->addWidget(note);
    layout->addStretch();

    one_of_many(baud_, [this](int i) { ctx_.record.baudrate = kBaudRates[std::size_t(i)]; });
    one_of_many(parity_, [this](int i) { ctx_.record.parity = parity_letter(i); });
    for (int i = 0; i < kSerConvChoices; ++i)
        connect(check5_[std::size_t(i)], &QCheckBox::toggled, this, [this, i] {
            if (!selecting_)
                docheck5(i);
        });
    connect(beep_, &QCheckBox::toggled, this, [this](bool on) { ctx_.record.seringoodbeep = on ? 1 : 0; });
    connect(ignorelf_, &QCheckBox::toggled, this, [this](bool on) { ctx_.record.ignorelf = on ? 1 : 0; });
    QString Terminators::*const parts[3] = {&Terminators::input, &Terminators::out1, &Terminators::out2};
    for (int i = 0; i < 3; ++i) {
        QString Terminators::*part = parts[i];
        connect(term_[std::size_t(i)], &QLineEdit::textChanged, this,
                [this, part](const QString &t) { ctx_.record.terminators.*part = t; });
    }
    grey_controls(this);
}

void SerialScreen::docheck5(int index) {
    if (index < 0 || index >= kSerConvChoices)
        return;
    selecting_ = true;
    const int chosen = conversion_after_click(index, check5_[std::size_t(index)]->isChecked());
    for (int i = 0; i < kSerConvChoices; ++i)
        check5_[std::size_t(i)]->setChecked(i == chosen);
    ctx_.record.serinconvtype = Integer(chosen);
    selecting_ = false;
}

void SerialScreen::set_parms() {
    const ConfigRecord &r = ctx_.record;
    const SerialChoices c = serial_choices(r);
    // A value with no box shows no box ticked rather than the last profile's.
    if (c.baud)
        baud_[std::size_t(*c.baud)]->setChecked(true);
    else
        for (QCheckBox *b : baud_)
            b->setChecked(false);
    if (c.parity)
        parity_[std::size_t(*c.parity)]->setChecked(true);
    else
        for (QCheckBox *b : parity_)
            b->setChecked(false);
    const Terminators t = r.terminators;
    term_[0]->setText(t.input.toUpper());
    term_[1]->setText(t.out1.toUpper());
    term_[2]->setText(t.out2.toUpper());
    beep_->setChecked(r.seringoodbeep == 1);
    ignorelf_->setChecked(r.ignorelf == 1);
    if (c.conversion) {
        check5_[std::size_t(*c.conversion)]->setChecked(true); // runs docheck5
    } else {
        selecting_ = true;
        for (QCheckBox *b : check5_)
            b->setChecked(false);
        selecting_ = false;
    }
}

} // namespace k52
