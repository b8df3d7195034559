#pragma once

#include "core/terminal/terminal_grid.h"
#include "window/ui/base_screen.h"

class QCheckBox;
class QKeyEvent;
class QLabel;

namespace k52 {

class TerminalLink;
class TerminalSidePanel;

// The drawing area `pop1`: paints the grid, sent characters black and
// received ones red, codes outside 32..125 as two small hex digits.
class TerminalView : public QWidget {
    Q_OBJECT
public:
    TerminalView(const TerminalGrid &grid, QWidget *parent);
    QSize sizeHint() const override;
    // Cell (line, column) in pixels.
    QRect cell_rect(int linepos, int charpos) const;

protected:
    void paintEvent(QPaintEvent *) override;

private:
    const TerminalGrid &grid_;
};

// Terminal mode `termmode`: every key typed goes out at once as a raw
// character over the serial port or TCP connection; every character
// received is drawn. It opens its link when shown and closes it through
// close_all_links.
class TermModeScreen : public BaseScreen {
    Q_OBJECT
public:
    explicit TermModeScreen(AppContext &ctx, QWidget *parent = nullptr);
    ~TermModeScreen() override;

    // Run by the navigation panel after showing the window: opens the link.
    void after_show() override { open_link(); }
    // The terminal link opening: closes every link, then opens the one that
    // `commtype` chooses.
    void open_link();
    // Closes serial port and socket and stops receiving (registered with
    // close_all_links).
    void stop();
    // "Clear Screen".
    void clear_screen();

    const TerminalGrid &grid() const { return grid_; }
    TerminalLink &link() { return *link_; }
    QLabel *status_label() const { return status_; }
    TerminalView *pop1() const { return pop1_; }
    TerminalSidePanel *side() const { return side_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void key_down(QKeyEvent *e);
    void key_up(QKeyEvent *e);
    void send_byte(quint8 byte);
    bool send_bytes(const QByteArray &bytes); // a file's piece, drawn and sent
    void show_received(const QByteArray &bytes);

    TerminalGrid grid_;
    TerminalKeys keys_;
    TerminalLink *link_ = nullptr;
    TerminalView *pop1_ = nullptr;
    QLabel *status_ = nullptr;
    QCheckBox *clear_ = nullptr;
    TerminalSidePanel *side_ = nullptr;
    int closer_id_ = 0;
};

} // namespace k52
