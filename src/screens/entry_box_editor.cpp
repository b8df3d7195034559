#include "entry_box_editor.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace k52 {

EntryKeyFilter::EntryKeyFilter(KeyRule rule, int max_length, QLineEdit *edit)
    : QObject(edit), rule_(rule), max_length_(max_length) {
    edit->installEventFilter(this);
    edit->setContextMenuPolicy(Qt::NoContextMenu);
    edit->setAcceptDrops(false);
}

bool EntryKeyFilter::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    auto *edit = static_cast<QLineEdit *>(watched);
    auto *key = static_cast<QKeyEvent *>(event);
    if (key->matches(QKeySequence::Paste))
        return true;
    const QString text = key->text();
    if (text.isEmpty() || key->key() == Qt::Key_Delete || key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab ||
        key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Cut) || key->matches(QKeySequence::SelectAll) ||
        key->matches(QKeySequence::Undo))
        return false;
    if (text.size() != 1)
        return true;
    const std::optional<QChar> c = filter_key(rule_, text.front());
    if (!c)
        return true;
    if (*c == u'\b')
        return false;
    if (edit->text().size() - edit->selectedText().size() >= max_length_)
        return true;
    if (*c == text.front())
        return false;
    edit->insert(QString(*c));
    return true;
}

QLineEdit *make_entry_box(const char *name, KeyRule rule, int max_length, QWidget *parent) {
    auto *e = new QLineEdit(parent);
    e->setObjectName(QString::fromUtf8(name));
    new EntryKeyFilter(rule, max_length, e);
    return e;
}

} // namespace k52
