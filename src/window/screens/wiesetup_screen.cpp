#include "wiesetup_screen.h"

#include "core/rules/option_rules.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace k52 {

namespace {

QGroupBox *make_group(const QString &title, const ChoiceList &choices, const QString &prefix,
                      std::vector<QCheckBox *> &boxes, QWidget *parent) {
    auto *g = new QGroupBox(title, parent);
    auto *l = new QVBoxLayout(g);
    for (int i = 0; i < choices.size(); ++i) {
        auto *b = new QCheckBox(shown_caption(choices[i]), g);
        b->setObjectName(prefix + QString::number(i));
        boxes.push_back(b);
        l->addWidget(b);
    }
    return g;
}

struct Special {
    const char *caption;
    const char *name;
    Integer ConfigRecord::*field;
};
constexpr Special kSpecials[] = {
    {QT_TRANSLATE_NOOP("k52::WieSetupScreen", "26 bit wiegand input parity check"), "input1parchk",
     &ConfigRecord::input1parchk},
    {QT_TRANSLATE_NOOP("k52::WieSetupScreen", "Beep on a good conversion"), "input1beep", &ConfigRecord::input1beep},
    {QT_TRANSLATE_NOOP("k52::WieSetupScreen", "Masking On"), "input1mask", &ConfigRecord::input1mask},
    {QT_TRANSLATE_NOOP("k52::WieSetupScreen", "Zero Suppression (v1.94+)"), "zerosuppress",
     &ConfigRecord::zerosuppress},
};

} // namespace

WieSetupScreen::WieSetupScreen(AppContext &ctx, QWidget *parent) : BaseScreen(ctx, parent) {
    setWindowTitle(tr("Wiegand and Magstripe Input General Settings"));
    auto *layout = new QHBoxLayout(this);
    auto *left = new QVBoxLayout;
    left->addWidget(make_group(tr("Input Type"), input_type_choices(), QStringLiteral("Check1_"), check1_, this));
    left->addWidget(make_group(tr("Output Conversion Type"), output_conversion_choices(), QStringLiteral("Check5_"),
                               check5_, this));
    left->addStretch();
    auto *right = new QVBoxLayout;
    QGroupBox *dump =
        make_group(tr("Dump Mode Options"), dump_mode_choices(), QStringLiteral("Check6_"), check6_, this);
    dump->layout()->addWidget(new QLabel(QStringLiteral("(v1.81+)"), dump));
    right->addWidget(dump);

    auto *special = new QGroupBox(tr("Special Functions"), this);
    auto *sl = new QVBoxLayout(special);
    for (const Special &s : kSpecials) {
        auto *b = new QCheckBox(tr(s.caption), special);
        b->setObjectName(QString::fromUtf8(s.name));
        sl->addWidget(b);
        auto field = s.field;
        connect(b, &QCheckBox::toggled, this, [this, f = field](bool on) { ctx_.record.*f = on ? 1 : 0; });
    }
    right->addWidget(special);
    right->addStretch();
    layout->addLayout(left);
    layout->addLayout(right);

    const std::vector<QCheckBox *> *groups[] = {&check1_, &check5_, &check6_};
    for (int g = 0; g < 3; ++g)
        for (int i = 0; i < int(groups[g]->size()); ++i)
            connect((*groups[g])[std::size_t(i)], &QCheckBox::toggled, this, [this, g, i] { on_choice(g, i); });
}

void WieSetupScreen::on_choice(int group, int index) {
    // The group's own ticking and unticking comes back here; ignore it.
    if (busy_)
        return;
    busy_ = true;
    switch (group) {
    case 0:
        set_check1(index);
        break;
    case 1:
        set_check5(index);
        break;
    default:
        set_check6(index);
        break;
    }
    busy_ = false;
}

void WieSetupScreen::select(std::vector<QCheckBox *> &group, int index) {
    const bool was_busy = busy_;
    busy_ = true;
    for (int i = 0; i < int(group.size()); ++i)
        group[std::size_t(i)]->setChecked(i == index);
    busy_ = was_busy;
}

void WieSetupScreen::set_check1(int index) {
    if (auto code = input_type_code(index)) {
        select(check1_, index);
        ctx_.record.input1type = *code;
    }
}

void WieSetupScreen::set_check5(int index) {
    if (auto code = conv_type_code(index)) {
        select(check5_, index);
        ctx_.record.input1convtype = *code;
    }
}

void WieSetupScreen::set_check6(int index) {
    if (auto code = dump_mode_code(index)) {
        select(check6_, index);
        ctx_.record.dumpmodestyle = *code;
    }
}

void WieSetupScreen::set_parms() {
    // Codes a group does not know leave that group as it was.
    if (auto i = input_type_index(ctx_.record.input1type))
        set_check1(*i);
    if (auto i = conv_type_index(ctx_.record.input1convtype))
        set_check5(*i);
    const QList<QCheckBox *> specials = findChildren<QCheckBox *>();
    for (const Special &s : kSpecials)
        for (QCheckBox *b : specials)
            if (b->objectName() == QLatin1String(s.name))
                b->setChecked(ctx_.record.*s.field == 1);
    if (auto i = dump_mode_index(ctx_.record.dumpmodestyle))
        set_check6(*i);
}

} // namespace k52
