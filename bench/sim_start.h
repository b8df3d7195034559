#pragma once
// Starts k52sim for a benchmark and reads the device it prints.

#include <QProcess>
#include <QString>
#include <QStringList>

inline bool start_sim(QProcess &p, const QStringList &args, QString &device) {
    p.start(QStringLiteral(K52_SIM_PATH), args);
    if (!p.waitForStarted(5000) || !p.waitForReadyRead(5000))
        return false;
    device = QString::fromLocal8Bit(p.readLine()).trimmed();
    return !device.isEmpty();
}
