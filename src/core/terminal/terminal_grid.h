#pragma once

// The terminal's character grid and its key rules, apart from any window:
// 22 lines of 39 cells; what is sent is drawn black, what is received red;
// codes outside 32..125 are drawn as two hex digits.

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>

namespace k52 {

enum class CellOrigin : quint8 { Sent, Received };

struct TerminalCell {
    bool used = false;
    quint8 code = 0;
    bool hex = false; // drawn as two hex digits
    CellOrigin origin = CellOrigin::Sent;
    bool operator==(const TerminalCell &) const = default;
};

class TerminalGrid {
public:
    static constexpr int kColumns = 39;
    static constexpr int kLines = 22;
    // Cell size and hex digit offsets, in twips.
    static constexpr int kCellWidth = 250;
    static constexpr int kCellHeight = 275;
    static constexpr int kHexFirstDy = 25;
    static constexpr int kHexSecondDx = 100;
    static constexpr int kHexSecondDy = 100;

    TerminalGrid() { clear(); }

    // Cell of the next character: column 1..40, line 1..23.
    int column() const { return column_; }
    int line() const { return line_; }

    // At column 40 move to column 1 of the next line; past line 22 clear
    // the grid and start again at line 1, column 1.
    void checkline();
    // Draw one character in cell (linepos, charpos); does not advance.
    // Positions outside the grid are ignored.
    void printchar(quint8 code, int linepos, int charpos, bool makehex, CellOrigin origin);
    // checkline, printchar by the display rule, then one column on.
    void put(quint8 code, CellOrigin origin);
    void put(const QByteArray &bytes, CellOrigin origin);
    // Empty grid, next character at line 1, column 1.
    void clear();

    // 1-based; positions outside the grid give an empty cell.
    const TerminalCell &cell(int linepos, int charpos) const;

    // Codes drawn as two hex digits rather than as themselves.
    static bool needs_hex(quint8 code) { return code < 32 || code > 125; }
    // "0D", "7E": two upper-case hex digits.
    static QString hex_text(quint8 code);
    // Top-left corner of a cell, in twips.
    static int cell_x(int charpos) { return (charpos - 1) * kCellWidth; }
    static int cell_y(int linepos) { return (linepos - 1) * kCellHeight; }

    // How often the full grid was cleared (by checkline or clear()).
    quint64 clears() const { return clears_; }
    // Characters put since the grid was made.
    quint64 drawn() const { return drawn_; }

private:
    std::array<TerminalCell, kColumns * kLines> cells_{};
    int column_ = 1;
    int line_ = 1;
    quint64 clears_ = 0;
    quint64 drawn_ = 0;
};

// Key rules of the terminal: characters go out as typed; Alt held with
// keypad digits sends the character of that decimal code when Alt is
// released; F10 sends 0x00 and F9 0x80.
class TerminalKeys {
public:
    // Key press of a character: the bytes to send (codes above 255 are
    // dropped). Right after an Alt code, the character that the system
    // composes from it is dropped once.
    QByteArray key_press(const QString &text);
    void alt_down();
    bool alt_mode() const { return alt_mode_; }
    // While in Alt-code mode: add a keypad digit 0..9.
    void alt_digit(int digit);
    // Leave Alt-code mode: the code to send, if the digits make one below
    // 256. Releasing Alt without typing digits sends nothing.
    std::optional<quint8> alt_up();
    // Leave Alt-code mode without sending (the window lost the keyboard
    // while Alt was held, as with Alt+Tab).
    void cancel_alt() {
        alt_mode_ = false;
        digits_.clear();
    }
    // F9 / F10 (not in Alt-code mode): 0x80 / 0x00.
    std::optional<quint8> function_key(int n) const;

    // Qt key code of a keypad key -> its digit, with NumLock on (0..9) or
    // off (Insert 0, End 1, Down 2, Page Down 3, Left 4, Clear 5, Right 6,
    // Home 7, Up 8, Page Up 9). Keys not on the keypad give nothing.
    static std::optional<int> keypad_digit(int qt_key, bool on_keypad);

private:
    bool alt_mode_ = false;
    QString digits_;
    std::optional<quint8> swallow_;
};

} // namespace k52
