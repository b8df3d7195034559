#pragma once
// Whole files as bytes, for tests that check what a command left behind.

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

inline void put_file(const QString &path, const QByteArray &data) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(data), data.size());
}

} // namespace k52test
