#pragma once
// Runs k52util on a database of the test's own; its exit code and output.

#include <QProcess>
#include <QString>
#include <QStringList>

namespace k52test {

struct CliRun {
    int code = -1; // -1: did not finish within a minute
    QString out, err;
};

inline CliRun k52util(const QString &db, const QStringList &args) {
    QProcess p;
    p.start(QStringLiteral(K52_UTIL_PATH), QStringList{QStringLiteral("--db"), db} + args);
    CliRun r;
    if (!p.waitForFinished(60000))
        return r;
    r.code = p.exitCode();
    r.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    r.err = QString::fromLocal8Bit(p.readAllStandardError());
    return r;
}

} // namespace k52test
