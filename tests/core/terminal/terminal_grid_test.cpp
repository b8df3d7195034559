#include "core/terminal/terminal_grid.h"

#include <gtest/gtest.h>

namespace k52 {
namespace {

TEST(TerminalGrid, WrapsAtThe40thCharacterAndClearsAfterLine22) {
    TerminalGrid g;
    for (int i = 0; i < TerminalGrid::kColumns; ++i)
        g.put('a', CellOrigin::Sent);
    EXPECT_EQ(g.line(), 1);
    EXPECT_EQ(g.column(), 40); // the new line starts only with the next character
    g.put('b', CellOrigin::Received);
    EXPECT_EQ(g.cell(2, 1).code, 'b');
    EXPECT_EQ(g.cell(2, 1).origin, CellOrigin::Received);
    EXPECT_EQ(g.cell(1, 39).code, 'a');
    EXPECT_EQ(g.column(), 2);

    // Fill the rest of the screen: 22 full lines.
    TerminalGrid full;
    const quint64 clears = full.clears();
    for (int i = 0; i < TerminalGrid::kColumns * TerminalGrid::kLines; ++i)
        full.put(quint8('A' + i % 26), CellOrigin::Sent);
    EXPECT_TRUE(full.cell(22, 39).used);
    EXPECT_EQ(full.clears(), clears);
    full.put('z', CellOrigin::Received);
    EXPECT_EQ(full.clears(), clears + 1);
    EXPECT_EQ(full.cell(1, 1).code, 'z');
    EXPECT_FALSE(full.cell(1, 2).used);
    EXPECT_FALSE(full.cell(22, 39).used);
    EXPECT_EQ(full.line(), 1);
}

TEST(TerminalGrid, DisplayRule) {
    TerminalGrid g;
    g.put(QByteArray("\r~ }\x7f", 5), CellOrigin::Received);
    EXPECT_TRUE(g.cell(1, 1).hex); // a CR is a cell, not a new line
    EXPECT_EQ(TerminalGrid::hex_text(g.cell(1, 1).code), QStringLiteral("0D"));
    EXPECT_TRUE(g.cell(1, 2).hex);
    EXPECT_EQ(TerminalGrid::hex_text(g.cell(1, 2).code), QStringLiteral("7E"));
    EXPECT_FALSE(g.cell(1, 3).hex); // 32
    EXPECT_FALSE(g.cell(1, 4).hex); // 125
    EXPECT_TRUE(g.cell(1, 5).hex);
    EXPECT_EQ(g.line(), 1);
    EXPECT_EQ(g.column(), 6);
    for (int c : {0, 31, 126, 255})
        EXPECT_TRUE(TerminalGrid::needs_hex(quint8(c))) << c;
    EXPECT_EQ(TerminalGrid::hex_text(0xab), QStringLiteral("AB"));
    EXPECT_EQ(TerminalGrid::cell_x(2), 250);
    EXPECT_EQ(TerminalGrid::cell_y(3), 550);

    g.printchar('x', 23, 1, false, CellOrigin::Sent); // off the grid: ignored
    EXPECT_FALSE(g.cell(23, 1).used);
    g.clear();
    EXPECT_FALSE(g.cell(1, 1).used);
    EXPECT_EQ(g.column(), 1);
}

TEST(TerminalKeys, AltCodes) {
    TerminalKeys k;
    k.alt_down();
    for (int d : {1, 2, 7})
        k.alt_digit(d);
    EXPECT_EQ(k.alt_up(), quint8(127));
    // The character the system composes from the Alt code is not sent again,
    // but the key after it is.
    EXPECT_EQ(k.key_press(QString(QChar(127))), QByteArray());
    EXPECT_EQ(k.key_press(QStringLiteral("a")), QByteArray("a"));

    k.alt_down();
    for (int d : {3, 0, 0})
        k.alt_digit(d);
    EXPECT_EQ(k.alt_up(), std::nullopt);
    k.alt_down();
    for (int i = 0; i < 12; ++i)
        k.alt_digit(9);
    EXPECT_EQ(k.alt_up(), std::nullopt);

    // Alt pressed and released on its own sends nothing.
    k.alt_down();
    EXPECT_EQ(k.alt_up(), std::nullopt);

    // Leading zeros.
    k.alt_down();
    for (int d : {0, 6, 5})
        k.alt_digit(d);
    EXPECT_EQ(k.alt_up(), quint8('A'));
    // A different key after the Alt code is not swallowed.
    EXPECT_EQ(k.key_press(QStringLiteral("b")), QByteArray("b"));
}

TEST(TerminalKeys, FunctionAndKeypadKeys) {
    TerminalKeys k;
    EXPECT_EQ(k.function_key(10), quint8(0x00));
    EXPECT_EQ(k.function_key(9), quint8(0x80));
    EXPECT_EQ(k.function_key(8), std::nullopt);
    k.alt_down();
    EXPECT_EQ(k.function_key(10), std::nullopt);

    EXPECT_EQ(TerminalKeys::keypad_digit(Qt::Key_7, false), std::nullopt);
    const std::pair<Qt::Key, std::optional<int>> keypad[] = {
        {Qt::Key_7, 7}, {Qt::Key_Insert, 0}, {Qt::Key_Clear, 5}, {Qt::Key_PageUp, 9}, {Qt::Key_Plus, std::nullopt}};
    for (const auto &[key, digit] : keypad)
        EXPECT_EQ(TerminalKeys::keypad_digit(key, true), digit) << key;

    EXPECT_EQ(k.key_press(QString::fromUtf8("\xe2\x82\xac")), QByteArray()); // above 255
    EXPECT_EQ(k.key_press(QString(QChar(0xe9))), QByteArray("\xe9"));
}

} // namespace
} // namespace k52
