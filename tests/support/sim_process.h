#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace k52test {

// A k52sim on a pseudo-terminal for end-to-end tests: started with extra
// arguments, it gives its device path and, afterwards, the commands it
// received (one a line, from its log).
class SimProcess {
public:
    explicit SimProcess(QStringList args = {});
    ~SimProcess();
    SimProcess(const SimProcess &) = delete;
    SimProcess &operator=(const SimProcess &) = delete;

    // Starts the simulator and reads its device path; false with a reason.
    bool start(QString *error = nullptr);
    QString device() const { return device_; }
    // Commands received so far, in order.
    QStringList received() const;
    // Ends the simulator (no-op when it has ended).
    void stop();
    // Waits for the simulator to end by itself (after a hang-up).
    bool wait_finished(int ms = 5000);
    bool running() const { return proc_.state() != QProcess::NotRunning; }
    qint64 pid() const { return proc_.processId(); }

private:
    QStringList args_;
    QTemporaryDir dir_;
    QProcess proc_;
    QString device_;
};

} // namespace k52test
