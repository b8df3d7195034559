#pragma once
// The navigation panel `commandmenu`: headings and entries, one under the
// other, at the left edge of the main window.

#include "navigation.h"

#include <QLabel>
#include <QVector>
#include <QWidget>

namespace k52 {

// A label that reports clicks.
class NavLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *e) override;
};

class CommandMenuPanel : public QWidget {
    Q_OBJECT
public:
    explicit CommandMenuPanel(QWidget *parent = nullptr);

    // Every entry white (headings keep their colour).
    void all_white();
    // Draw the row yellow (the entry last clicked). Entries whose screen is
    // missing stay greyed and take no clicks.
    void mark(int row);
    NavLabel *label(int row) const { return labels_[row]; }
    // Row of a control name ("Label9"), -1 when none.
    int row_of(const QString &label) const;
    bool is_yellow(int row) const;

signals:
    // An entry (not a heading) was clicked.
    void entry_clicked(int row);

private:
    void paint(int row, const QColor &c);
    QVector<NavLabel *> labels_;
};

} // namespace k52
