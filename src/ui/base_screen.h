#pragma once

#include "ui/app_context.h"

#include <QWidget>

namespace k52 {

// A configuration screen: a child window of the main frame that edits part
// of the record. It stores each edit into the record at once and refills
// itself from the record in set_parms().
class BaseScreen : public QWidget {
    Q_OBJECT
public:
    BaseScreen(AppContext &ctx, QWidget *parent = nullptr);

    // Fill the controls from the configuration record.
    virtual void set_parms() {}
    // Run by the navigation panel right after it has shown the screen
    // (the Wiegand output editors rebuild their preview here).
    virtual void after_show() {}
    // Fill the controls from the link settings (the communications screen,
    // once at start-up).
    virtual void set_from_link() {}

protected:
    AppContext &ctx_;
};

// Window helpers.
// Background of the window, of every check box, then of every label, to
// light grey (192,192,192).
void grey_controls(QWidget *window);
// Rows of labels and boxes keep to the left of their grids, so that a label
// stays beside its box however wide the window is: every grid without a
// stretching column gets an empty one on its right.
void pack_left(QWidget *window);
// Every control of the window enabled.
void enable_all(QWidget *window);
// Design units: 1440 twips per logical inch of the widget's screen.
int twips_to_px(int twips, const QWidget *w = nullptr);

} // namespace k52
