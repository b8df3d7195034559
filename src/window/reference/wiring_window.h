#pragma once

#include "window/ui/base_screen.h"

namespace k52 {

// Wiring Codes: the wire colour charts of both converter families, drawn,
// with a note to check the colours on the converter itself.
class WiringWindow : public BaseScreen {
    Q_OBJECT
public:
    explicit WiringWindow(AppContext &ctx, QWidget *parent = nullptr);
};

// The drawing of the charts, side by side.
class WiringChartArea : public QWidget {
    Q_OBJECT
public:
    explicit WiringChartArea(QWidget *parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int row_height() const;
    int chart_width() const;
};

} // namespace k52
