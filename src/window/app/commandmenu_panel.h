#pragma once
// The navigation panel `commandmenu`: headings and entries, one under the
// other, at the left edge of the main window.

#include "navigation.h"

#include <QLabel>
#include <QVector>
#include <QWidget>

namespace k52 {

// A label that reports clicks. An entry takes the keyboard focus: Return
// or Space opens it, Up and Down move to the entry above or below
// (headings are passed over); the focus is drawn as a frame, apart from
// the yellow of the current screen.
class NavLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
signals:
    void clicked();
    // Up (-1) or Down (+1) was pressed.
    void move_focus(int by);

protected:
    void mousePressEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
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
    // The row of the screen shown in frame `screen` ("sermask"), -1 for none.
    int row_of_screen(const QString &screen) const;
    // The focus to the entry `by` rows from `row`, passing over headings
    // and greyed entries; stays when there is none.
    void focus_next(int row, int by);

signals:
    // An entry (not a heading) was clicked.
    void entry_clicked(int row);

private:
    void paint(int row, const QColor &c);
    QVector<NavLabel *> labels_;
};

} // namespace k52
