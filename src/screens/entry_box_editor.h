#pragma once

#include "key_filters.h"

#include <QObject>

class QLineEdit;
class QWidget;

namespace k52 {

// Key filter of an entry box. Every typed character goes through the box's
// rule: a turned key (a-f of a hex box) is put in turned, a dropped key
// changes nothing, and no character is put in once the text is as long as
// the box allows. Backspace, Delete, cursor and focus keys and copying work
// as usual; pasting and dropping text are refused, since they would bypass
// the filter. Text put in by the program (setText) is shown in full.
class EntryKeyFilter : public QObject {
    Q_OBJECT
public:
    EntryKeyFilter(KeyRule rule, int max_length, QLineEdit *edit);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    KeyRule rule_;
    int max_length_;
};

// A line edit named `name` with the filter and length of its kind.
QLineEdit *make_entry_box(const char *name, KeyRule rule, int max_length, QWidget *parent);

} // namespace k52
