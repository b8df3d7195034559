#include "card_test_panel.h"

#include "core/rules/wiegand_format.h"
#include "window/ui/entry_box_editor.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace k52 {

namespace {

constexpr std::array<const char *, 3> kCaptions{QT_TRANSLATE_NOOP("k52::CardTestPanel", "Site"),
                                                QT_TRANSLATE_NOOP("k52::CardTestPanel", "ID"),
                                                QT_TRANSLATE_NOOP("k52::CardTestPanel", "Issue")};
constexpr std::array<const char *, 3> kNames{"cardsite", "cardid", "cardissue"};

// The bits as rich text: each bit on its picture colour, fields apart.
QString coloured(const QString &bits, const CardLayout &layout) {
    const FormatLayout cells = format_layout(layout.letters(), int(bits.size()) + 1, int(bits.size()));
    const QString spaced_letters = spaced(layout.letters(), layout);
    QString html = QStringLiteral("<span style=\"font-family:monospace\">");
    int at = 0;
    for (QChar l : spaced_letters) {
        if (l == QLatin1Char(' ')) {
            html += QStringLiteral("&nbsp;");
            continue;
        }
        const FormatCell &c = cells.cells[std::size_t(at)];
        const bool dark = c.kind == CellKind::Parity;
        html += QStringLiteral("<span style=\"background-color:#%1;color:%2\">%3</span>")
                    .arg(cell_rgb(c.kind), 6, 16, QLatin1Char('0'))
                    .arg(dark ? QStringLiteral("white") : QStringLiteral("black"))
                    .arg(bits[at]);
        ++at;
    }
    return html + QStringLiteral("</span>");
}

} // namespace

CardTestPanel::CardTestPanel(const ConfigRecord &record, const WiegandFieldMap &map, QWidget *parent)
    : QWidget(parent), record_(record), map_(map) {
    setObjectName(QStringLiteral("cardtest"));
    auto *g = new QGridLayout(this);
    g->setContentsMargins(0, 0, 0, 0);
    auto *title = new QLabel(tr("Test a card:"), this);
    g->addWidget(title, 0, 0);
    auto *row = new QHBoxLayout;
    for (std::size_t i = 0; i < 3; ++i) {
        auto *label = new QLabel(tr(kCaptions[i]), this);
        values_[i] = make_entry_box(kNames[i], EntryRule::Decimal, 20, this);
        values_[i]->setAccessibleName(tr("Test a card: ") + tr(kCaptions[i]));
        values_[i]->setFixedWidth(values_[i]->fontMetrics().horizontalAdvance(QString(12, QLatin1Char('0'))) + 12);
        label->setBuddy(values_[i]);
        row->addWidget(label);
        row->addWidget(values_[i]);
        connect(values_[i], &QLineEdit::textChanged, this, &CardTestPanel::refresh);
    }
    bits_ = new QLabel(this);
    bits_->setObjectName(QStringLiteral("cardbits"));
    bits_->setAccessibleName(tr("Bits sent"));
    bits_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    bits_->setWordWrap(true);
    row->addStretch();
    g->addLayout(row, 0, 1);
    auto *bits_label = new QLabel(tr("Bits sent:"), this);
    g->addWidget(bits_label, 1, 0);
    g->addWidget(bits_, 1, 1);

    auto *read_label = new QLabel(tr("Read bits:"), this);
    g->addWidget(read_label, 2, 0);
    read_ = new QLineEdit(this);
    read_->setObjectName(QStringLiteral("cardread"));
    read_->setAccessibleName(tr("Bits to read"));
    read_->setPlaceholderText(tr("paste 0/1 bits or HEX/COUNT"));
    read_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    read_label->setBuddy(read_);
    g->addWidget(read_, 2, 1);
    verdict_ = new QLabel(this);
    verdict_->setObjectName(QStringLiteral("cardverdict"));
    verdict_->setAccessibleName(tr("Bits read"));
    verdict_->setWordWrap(true);
    g->addWidget(verdict_, 3, 1);
    g->setColumnStretch(1, 1);
    connect(read_, &QLineEdit::textChanged, this, &CardTestPanel::refresh);
    // A first card to show: site 1, ID 1.
    values_[0]->setText(QStringLiteral("1"));
    values_[1]->setText(QStringLiteral("1"));
}

void CardTestPanel::refresh() {
    const CardLayout layout = card_layout(record_, map_);
    CardValues values;
    for (std::size_t i = 0; i < 3; ++i) {
        bool ok = false;
        const quint64 v = values_[i]->text().toULongLong(&ok, 10);
        if (ok)
            values[i] = v;
    }
    const CardBits out = encode_card(layout, values);
    shown_bits_ = out.bits;
    if (!out.error.isEmpty()) {
        bits_->setTextFormat(Qt::PlainText);
        bits_->setText(out.error);
    } else {
        bits_->setTextFormat(Qt::RichText);
        QString text = coloured(out.bits, layout);
        const QString hex = bits_to_hex(out.bits);
        text += hex.isEmpty() ? tr(" (p: mask parity, not computed)") : tr(" hex %1/%2").arg(hex).arg(out.bits.size());
        bits_->setText(text);
    }

    QString text = read_->text().trimmed();
    if (text.isEmpty()) {
        verdict_->clear();
        return;
    }
    QString error;
    if (!pasted_bits(text, text, &error)) {
        verdict_->setText(error);
        return;
    }
    const CardReading r = decode_card(layout, text);
    if (!r.error.isEmpty()) {
        verdict_->setText(r.error);
        return;
    }
    QStringList parts;
    for (std::size_t i = 0; i < 3; ++i)
        if (r.values[i])
            parts << QStringLiteral("%1 %2").arg(tr(kCaptions[i])).arg(*r.values[i]);
    const QString verdict = !r.faults.isEmpty()  ? tr("FAILS: ") + r.faults.join(QStringLiteral("; "))
                            : r.parity_unchecked ? tr("parity not checked (mask)")
                                                 : tr("parity good");
    verdict_->setText(parts.join(QStringLiteral(", ")) + QStringLiteral(" - ") + verdict);
}

} // namespace k52
