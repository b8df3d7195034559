#pragma once

#include "window/ui/base_screen.h"

#include <QFont>

namespace k52 {

class BitSizeArea;

// Bit Size Table: the largest value of a field of 1 to 64 bits, drawn by
// loadup() in a fixed-pitch font.
class BitSizeWindow : public BaseScreen {
    Q_OBJECT
public:
    explicit BitSizeWindow(AppContext &ctx, QWidget *parent = nullptr);

    // Draw the table.
    void loadup();
    // The main window's fill operation after opening the window.
    void set_parms() override { loadup(); }

    BitSizeArea *area() const { return area_; }

private:
    BitSizeArea *area_ = nullptr;
};

// The drawing area: empty until loadup, then two columns of 32 rows.
class BitSizeArea : public QWidget {
    Q_OBJECT
public:
    explicit BitSizeArea(QWidget *parent = nullptr);

    void set_loaded(bool loaded);
    bool loaded() const { return loaded_; }
    // Courier New, or the closest fixed-pitch font on this machine.
    const QFont &table_font() const { return table_font_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int line_height() const;
    int block_gap() const;

    QFont table_font_;
    bool loaded_ = false;
};

} // namespace k52
