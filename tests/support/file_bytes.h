#pragma once
// Whole files as bytes, for tests that check what a command left behind,
// and a program's output as text.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QString>

namespace k52test {

// The file's bytes, or "<missing>" when it cannot be read.
inline QByteArray file_bytes(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// A program's output as text; the console's line ends of Windows ("\r\n")
// read as "\n".
inline QString output_text(const QByteArray &bytes) {
    return QString::fromUtf8(bytes).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

inline void put_file(const QString &path, const QByteArray &data) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(data), data.size());
}

} // namespace k52test
