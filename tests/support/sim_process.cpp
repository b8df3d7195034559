#include "sim_process.h"

#include <QDeadlineTimer>
#include <QFile>

namespace k52test {

SimProcess::SimProcess(QStringList args) : args_(std::move(args)) {}

SimProcess::~SimProcess() {
    stop();
}

bool SimProcess::start(QString *error) {
    const QString log = dir_.filePath(QStringLiteral("received.log"));
    proc_.setProgram(QStringLiteral(K52_SIM_PATH));
    proc_.setArguments(QStringList{QStringLiteral("--log"), log} + args_);
    proc_.setProcessChannelMode(QProcess::SeparateChannels);
    proc_.start();
    if (!proc_.waitForStarted(5000)) {
        if (error)
            *error = QStringLiteral("k52sim did not start: %1").arg(proc_.errorString());
        return false;
    }
    const QDeadlineTimer deadline(10000);
    while (!proc_.canReadLine()) {
        if (deadline.hasExpired() || !proc_.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
            if (error)
                *error = QStringLiteral("k52sim printed no device: %1")
                             .arg(QString::fromLocal8Bit(proc_.readAllStandardError()));
            return false;
        }
    }
    device_ = QString::fromLocal8Bit(proc_.readLine()).trimmed();
    return !device_.isEmpty();
}

QStringList SimProcess::received() const {
    QFile f(dir_.filePath(QStringLiteral("received.log")));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringList out;
    for (const QByteArray &l : f.readAll().split('\n'))
        if (!l.isEmpty())
            out << QString::fromLatin1(l);
    return out;
}

void SimProcess::stop() {
    if (proc_.state() == QProcess::NotRunning)
        return;
    proc_.terminate();
    if (!proc_.waitForFinished(5000)) {
        proc_.kill();
        proc_.waitForFinished(5000);
    }
}

bool SimProcess::wait_finished(int ms) {
    return proc_.state() == QProcess::NotRunning || proc_.waitForFinished(ms);
}

} // namespace k52test
