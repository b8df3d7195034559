#include "terminal_grid.h"

#include <Qt>

namespace k52 {

void TerminalGrid::checkline() {
    if (column_ >= kColumns + 1) {
        column_ = 1;
        ++line_;
        if (line_ > kLines) {
            cells_.fill(TerminalCell{});
            ++clears_;
            line_ = 1;
            column_ = 1;
        }
    }
}

void TerminalGrid::printchar(quint8 code, int linepos, int charpos, bool makehex, CellOrigin origin) {
    if (linepos < 1 || linepos > kLines || charpos < 1 || charpos > kColumns)
        return;
    cells_[std::size_t((linepos - 1) * kColumns + (charpos - 1))] = TerminalCell{true, code, makehex, origin};
}

void TerminalGrid::put(quint8 code, CellOrigin origin) {
    checkline();
    printchar(code, line_, column_, needs_hex(code), origin);
    ++column_;
    ++drawn_;
}

void TerminalGrid::put(const QByteArray &bytes, CellOrigin origin) {
    for (char c : bytes)
        put(quint8(c), origin);
}

void TerminalGrid::clear() {
    cells_.fill(TerminalCell{});
    ++clears_;
    line_ = 1;
    column_ = 1;
}

const TerminalCell &TerminalGrid::cell(int linepos, int charpos) const {
    static const TerminalCell empty;
    if (linepos < 1 || linepos > kLines || charpos < 1 || charpos > kColumns)
        return empty;
    return cells_[std::size_t((linepos - 1) * kColumns + (charpos - 1))];
}

QString TerminalGrid::hex_text(quint8 code) {
    return QStringLiteral("%1").arg(code, 2, 16, QLatin1Char('0')).toUpper();
}

QByteArray TerminalKeys::key_press(const QString &text) {
    QByteArray out;
    for (QChar ch : text) {
        const ushort code = ch.unicode();
        if (swallow_) {
            const bool echo = code == *swallow_;
            swallow_.reset();
            if (echo)
                continue;
        }
        if (code < 256)
            out.append(char(code));
    }
    return out;
}

void TerminalKeys::alt_down() {
    alt_mode_ = true;
    digits_.clear();
}

void TerminalKeys::alt_digit(int digit) {
    if (alt_mode_ && digit >= 0 && digit <= 9)
        digits_.append(QChar(u'0' + digit));
}

std::optional<quint8> TerminalKeys::alt_up() {
    const bool was_alt = alt_mode_;
    alt_mode_ = false;
    if (!was_alt || digits_.isEmpty())
        return std::nullopt;
    int value = 0;
    for (QChar d : digits_) {
        value = value * 10 + (d.unicode() - u'0');
        if (value > 255)
            return std::nullopt;
    }
    swallow_ = quint8(value);
    return quint8(value);
}

std::optional<quint8> TerminalKeys::function_key(int n) const {
    if (alt_mode_)
        return std::nullopt;
    if (n == 10)
        return quint8(0x00);
    if (n == 9)
        return quint8(0x80);
    return std::nullopt;
}

std::optional<int> TerminalKeys::keypad_digit(int qt_key, bool on_keypad) {
    if (!on_keypad)
        return std::nullopt;
    if (qt_key >= Qt::Key_0 && qt_key <= Qt::Key_9)
        return qt_key - Qt::Key_0;
    switch (qt_key) {
    case Qt::Key_Insert:
        return 0;
    case Qt::Key_End:
        return 1;
    case Qt::Key_Down:
        return 2;
    case Qt::Key_PageDown:
        return 3;
    case Qt::Key_Left:
        return 4;
    case Qt::Key_Clear:
        return 5;
    case Qt::Key_Right:
        return 6;
    case Qt::Key_Home:
        return 7;
    case Qt::Key_Up:
        return 8;
    case Qt::Key_PageUp:
        return 9;
    default:
        return std::nullopt;
    }
}

} // namespace k52
