#include "entry_box_editor.h"

#include "core/rules/mask_rules.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

#include <tuple>

namespace k52 {

EntryValidator::EntryValidator(EntryRule rule, int max_length, QLineEdit *box)
    : QValidator(box), rule_(rule), max_length_(max_length), box_(box) {}

QValidator::State EntryValidator::validate(QString &input, int &pos) const {
    // setText() leaves the box unmodified; every edit of the user modifies it.
    if (!box_->isModified())
        return Acceptable;
    // What the rule keeps before and after the cursor, which stands right
    // after what was just put in.
    const QString before = entry_text(rule_, input.left(pos));
    QString text = before + entry_text(rule_, input.mid(pos));
    int cursor = int(before.size());
    // Too long: what was just put in is cut short, as far as it goes.
    const int excess = int(text.size()) - max_length_;
    if (excess > 0) {
        const int cut = qMin(excess, cursor);
        text.remove(cursor - cut, cut);
        cursor -= cut;
        if (text.size() > max_length_)
            return Invalid;
    }
    input = text;
    pos = cursor;
    return Acceptable;
}

QCheckBox *make_check_box(const QString &caption, const QString &name, QWidget *parent) {
    auto *b = new QCheckBox(caption, parent);
    b->setObjectName(name);
    return b;
}

QGroupBox *baud_group(const QString &title, std::array<QCheckBox *, kBaudChoices> &boxes, QWidget *parent) {
    auto *group = new QGroupBox(title, parent);
    auto *grid = new QGridLayout(group);
    for (int i = 0; i < kBaudChoices; ++i) {
        const QString rate = QString::number(kBaudRates[std::size_t(i)]);
        boxes[std::size_t(i)] = make_check_box(rate, QStringLiteral("baud") + rate, group);
        grid->addWidget(boxes[std::size_t(i)], i / 4, i % 4);
    }
    return group;
}

QLineEdit *make_entry_box(const char *name, EntryRule rule, int max_length, QWidget *parent) {
    auto *e = new QLineEdit(parent);
    e->setObjectName(QString::fromUtf8(name));
    e->setValidator(new EntryValidator(rule, max_length, e));
    // Wide enough for its longest text and no wider, so that it stays
    // beside its label.
    const QString widest(max_length, rule == EntryRule::Hex ? QLatin1Char('D') : QLatin1Char('8'));
    QStyleOptionFrame opt;
    opt.initFrom(e);
    const QSize text(e->fontMetrics().horizontalAdvance(widest) + 12, e->fontMetrics().height());
    e->setFixedWidth(e->style()->sizeFromContents(QStyle::CT_LineEdit, &opt, text, e).width());
    return e;
}

QLineEdit *make_decimal_box(const char *name, int max_length, QWidget *parent, std::function<void(Integer)> store) {
    QLineEdit *e = make_entry_box(name, EntryRule::Decimal, max_length, parent);
    QObject::connect(e, &QLineEdit::textChanged, e,
                     [store = std::move(store)](const QString &t) { store(decimal_text_value(t)); });
    return e;
}

QLineEdit *make_text_box(const char *name, EntryRule rule, int max_length, QWidget *parent,
                         std::function<void(const QString &)> store) {
    QLineEdit *e = make_entry_box(name, rule, max_length, parent);
    QObject::connect(e, &QLineEdit::textChanged, e, std::move(store));
    return e;
}

MaskEntryBoxes add_mask_entry(QGridLayout *grid, int y, int number, const QString &check_name, const QString &suffix,
                              QWidget *parent) {
    constexpr int kBoxLength = 2; // Start, Length and Value (hex)
    MaskEntryBoxes b;
    grid->addWidget(new QLabel(QString::number(number), parent), y, 0);
    b.constant = new QCheckBox(parent);
    b.constant->setObjectName(check_name);
    grid->addWidget(b.constant, y, 1);
    const std::array<std::tuple<QLineEdit * MaskEntryBoxes::*, const char *, EntryRule>, 3> boxes{{
        {&MaskEntryBoxes::start, "start", EntryRule::Decimal},
        {&MaskEntryBoxes::length, "length", EntryRule::Decimal},
        {&MaskEntryBoxes::value, "value", EntryRule::Hex},
    }};
    int column = 2;
    for (const auto &[box, name, rule] : boxes) {
        b.*box = make_entry_box((QLatin1String(name) + suffix).toUtf8().constData(), rule, kBoxLength, parent);
        grid->addWidget(b.*box, y, column++);
    }
    return b;
}

void show_mask_entry_rule(const MaskEntryBoxes &boxes) {
    const MaskEntryEnables e = mask_entry_enables(boxes.constant->isChecked());
    boxes.start->setEnabled(e.start_length);
    boxes.length->setEnabled(e.start_length);
    boxes.value->setEnabled(e.value);
}

void one_of_many(std::span<QCheckBox *const> boxes, std::function<void(int)> chosen) {
    const std::vector<QCheckBox *> group(boxes.begin(), boxes.end());
    auto shared = std::make_shared<std::function<void(int)>>(std::move(chosen));
    for (std::size_t i = 0; i < group.size(); ++i)
        QObject::connect(group[i], &QCheckBox::toggled, group[i], [group, i, shared](bool on) {
            if (!on)
                return;
            for (std::size_t j = 0; j < group.size(); ++j)
                if (j != i)
                    group[j]->setChecked(false);
            (*shared)(int(i));
        });
}

} // namespace k52
