#pragma once

// What the terminal shows and keeps beside its grid: received bytes as
// lines with the time each began, every byte as hex, and a log file of
// every byte both ways with its time.

#include "core/profile/safe_file.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace k52 {

// Received bytes as lines, each begun by the time its first byte came:
// "[15:20:01.123] text". A line ends at CR or at LF (CR LF ends one line);
// codes outside 32..126 show as "<XX>"; a line longer than kWrap characters
// goes on in a line of its own without a time.
class LineStamper {
public:
    static constexpr int kWrap = 120;
    QString feed(const QByteArray &bytes, const QTime &now);
    void reset() { *this = LineStamper(); }

private:
    bool at_start_ = true;
    bool after_cr_ = false;
    int column_ = 0;
};

// Bytes as two hex digits each, sixteen to a row; rows run on between calls.
class HexRows {
public:
    static constexpr int kPerRow = 16;
    QString feed(const QByteArray &bytes);
    void reset() { column_ = 0; }
    // Bytes left out of the view: the rows after them stay aligned.
    void skip(qsizetype bytes) { column_ = int((column_ + bytes) % kPerRow); }

private:
    int column_ = 0;
};

// "Log to file…": appends every byte both ways, a line per chunk:
// "2026-12-08 15:20:01.123 < 4F 4B 0D  |OK.|". Written in place, every write
// checked; after a failed write nothing more is written and error() says why.
class TerminalLog {
public:
    bool open(const QString &path, QString *error);
    void close();
    bool is_open() const { return file_.is_open(); }
    QString path() const { return path_; }
    QString error() const { return error_; }
    // '>' sent, '<' received.
    void write(char direction, const QByteArray &bytes, const QDateTime &now);

private:
    StreamingFile file_;
    QString path_;
    QString error_;
};

} // namespace k52
