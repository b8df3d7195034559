#pragma once

#include "core/session/app_context.h"

#include <QWidget>

#include <functional>

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

    // Set by the main window: after a job could not reach the converter
    // because no port or speed is set, offers Find Converter.
    std::function<void()> offer_find_converter;

protected:
    // Before the screen is first shown: its group boxes drawn without the
    // style's tint, so the whole screen is one grey.
    // On the first show, the tab order follows the screen: top to bottom,
    // left to right (order_tabs()).
    bool event(QEvent *e) override;
    AppContext &ctx_;

private:
    bool tabs_ordered_ = false;
};

// Window helpers.
// Background of the window, of every check box, then of every label, to
// light grey (192,192,192). Every screen is that grey; its group boxes are
// drawn as frames on it, without a fill of their own.
void grey_controls(QWidget *window);
// The grey of every screen.
inline constexpr int kScreenGrey = 192;
// Rows of labels and boxes keep to the left of their grids, so that a label
// stays beside its box however wide the window is: every grid without a
// stretching column gets an empty one on its right.
void pack_left(QWidget *window);
// The tab order of the window's visible controls set to their places: row
// by row from the top, left to right within a row. Controls inside a
// focusable control (the box of a spin box) keep to it.
void order_tabs(QWidget *window);
// Every control of the window that takes the keyboard gets an accessible
// name when it has none: its label (on its left, else just above), else its
// group's title. A control whose caption is a bare number or abbreviation
// ("50us", "E") is named with its label too and gets that as its tooltip.
void describe_controls(QWidget *window);
// Every control of the window enabled.
void enable_all(QWidget *window);
// Design units: 1440 twips per logical inch of the widget's screen.
int twips_to_px(int twips, const QWidget *w = nullptr);

} // namespace k52
