#include "core/terminal/terminal_record.h"
#include "support/file_bytes.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace k52 {
namespace {

TEST(TerminalRecord, LineViewStampsEachReceivedLine) {
    const QTime t(15, 20, 1, 123);
    const QString s = QStringLiteral("[15:20:01.123] ");
    struct Case {
        std::vector<QByteArray> chunks;
        QString shown;
    } cases[] = {
        {{"Hi\r"}, s + "Hi\n"},
        {{"a\r\nb\n"}, s + "a\n" + s + "b\n"},              // CR LF ends one line
        {{"a\r", "\nb"}, s + "a\n" + s + "b"},              // also split between chunks
        {{"\r\r", "\n\n"}, s + "\n" + s + "\n" + s + "\n"}, // empty lines keep their time
        {{"x\x01y", "z"}, s + "x<01>yz"},
        {{"\x7f\xff"}, s + "<7F><FF>"},
    };
    for (const Case &c : cases) {
        LineStamper ls;
        QString got;
        for (const QByteArray &chunk : c.chunks)
            got += ls.feed(chunk, t);
        EXPECT_EQ(got, c.shown) << c.chunks.front().toStdString();
    }
    // A line without an end goes on in lines of its own, without a time.
    LineStamper ls;
    const QString wrapped = ls.feed(QByteArray(LineStamper::kWrap + 5, 'x'), t);
    EXPECT_EQ(wrapped, s + QString(LineStamper::kWrap, u'x') + u'\n' + QString(s.size(), u' ') + QString(5, u'x'));
}

TEST(TerminalRecord, HexRowsOfSixteen) {
    HexRows h;
    EXPECT_EQ(h.feed(QByteArray("\x00\x41", 2)), QStringLiteral("00 41 "));
    EXPECT_EQ(h.feed(QByteArray(15, '\xff')), QStringLiteral("FF FF FF FF FF FF FF FF FF FF FF FF FF FF\nFF "));
}

TEST(TerminalRecord, LogAppendsEveryByteWithItsTime) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.log"));
    const QDateTime at(QDate(2026, 12, 8), QTime(15, 20, 1, 123));
    for (int round = 0; round < 2; ++round) { // a second log appends
        TerminalLog log;
        QString why;
        ASSERT_TRUE(log.open(path, &why)) << why.toStdString();
        log.write('>', "A", at);
        log.write('<', "OK\r", at);
    }
    const QByteArray pair = "2026-12-08 15:20:01.123 > 41  |A|\n2026-12-08 15:20:01.123 < 4F 4B 0D  |OK.|\n";
    EXPECT_EQ(k52test::file_bytes(path), pair + pair);

    TerminalLog bad;
    QString why;
    EXPECT_FALSE(bad.open(dir.filePath(QStringLiteral("no/dir/t.log")), &why));
    EXPECT_FALSE(why.isEmpty());
}

} // namespace
} // namespace k52
