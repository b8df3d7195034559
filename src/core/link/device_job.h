#pragma once
// Device jobs: everything that talks to the converter, from the windows and
// from the command line, goes the same way.
//
//   1. The port:   PortSpec port = port_spec(ctx.link);
//                  resolves the device of the link settings and its typed
//                  framing once; `port.error` says why no device fits.
//   2. The job:    a plain synchronous function over a ByteLink that opens
//                  the port with open_port(link, port, &why) (which drops
//                  stale input), reports through JobProgress and returns its
//                  result, a JobEnding (message, detail) with the job's own
//                  fields:
//                    savetoK52      core/programming/programming_run.h   RunResult
//                    clone_read,
//                    clone_write    core/maintenance/cloning.h           CloneResult
//                    flash_download,
//                    doflashdl      core/maintenance/flash_download.h    FlashResult
//                    version_job,
//                    reset_job,
//                    restart_job    core/maintenance/device_commands.h   VersionResult,
//                                                                        CommandResult
//   3. Where it runs:
//      - command line: called directly with a SerialLink (see
//        run_cli_job in cli/link_options.h: Ctrl-C stops it cleanly);
//      - windows: on a DeviceJob, which runs it on a worker thread and
//        brings the progress and the ending to the window's thread:
//            job_.start([port, rec](ByteLink &l, JobProgress &p) {
//                           return savetoK52(l, port, rec, p);
//                       },
//                       [this](const RunResult &r) { ... },
//                       kProgrammingAtStake);
//        A job started with an `at_stake` text is guarded: closing the
//        links (navigation, closing the main window, the window's Stop
//        button) first asks that question (AppContext::release_links).
//
// Progress is one vocabulary for every job: line() for the lines of the
// progress window, status() for a status label, step() for how far of a
// total. The worker forwards step() at most every 50 ms (and always the
// last one), so a fast job does not flood the window.

#include "byte_link.h"
#include "core/profile/link_settings.h"
#include "link_closers.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <type_traits>
#include <utility>

class QThread;

namespace k52 {

class WireTrace;

// Where a job goes: the device and its framing, resolved from the link
// settings. An empty `device` means no device fits; `error` says why.
struct PortSpec {
    QString device;
    SerialSettings serial;
    QString error;
};

// The device and framing of the link settings.
PortSpec port_spec(const LinkSettings &settings);

// Opens `link` as `port` says and discards bytes still waiting from an
// earlier, aborted exchange. False, with why in `error`, when no device
// fits or the port cannot be opened.
bool open_port(ByteLink &link, const PortSpec &port, QString *error);

// Where a job reports. Called on the job's own thread.
class JobProgress {
public:
    virtual ~JobProgress() = default;
    virtual void line(const QString & /*text*/) {}          // one line of the progress window, as shown
    virtual void status(const QString & /*text*/) {}        // the status label ("" clears it)
    virtual void step(qint64 /*done*/, qint64 /*total*/) {} // how far through the job
};

// How a job ended: the words it ended with and, where more can be said, why.
struct JobEnding {
    QString message;
    QString detail;
};

// The final words of a job the user stopped.
inline const char *const kStoppedByUser = "Stopped by the user";

// What is at stake when a guarded job is stopped; the question asked.
QString flash_at_stake();
QString clone_write_at_stake();
QString programming_at_stake();

// Runs one device job at a time on a worker thread for a window. The job's
// link lives on that thread; progress and the ending arrive on the thread
// that owns this object. While a job runs it is registered with `links`,
// so close_all() ends its waits at once.
class DeviceJob : public QObject {
    Q_OBJECT
public:
    // Makes the link of a job on the worker thread; the serial link when
    // empty (tests put in-memory links here).
    using LinkFactory = std::function<std::unique_ptr<ByteLink>()>;

    explicit DeviceJob(LinkClosers &links, QObject *parent = nullptr);
    ~DeviceJob() override; // stops a running job and waits for it
    void set_link_factory(LinkFactory factory) { factory_ = std::move(factory); }

    // Starts `work(ByteLink &, JobProgress &) -> Result`; `done(const
    // Result &)` runs on this object's thread once it has returned. False,
    // and nothing happens, while a job is under way. `at_stake` non-empty
    // makes the job guarded (see LinkClosers).
    template <class Work, class Done> bool start(Work work, Done done, QString at_stake = {}) {
        using Result = std::invoke_result_t<Work &, ByteLink &, JobProgress &>;
        auto result = std::make_shared<Result>();
        return start_erased(
            [work = std::move(work), result](ByteLink &link, JobProgress &progress) { *result = work(link, progress); },
            [done = std::move(done), result] { done(*result); }, std::move(at_stake));
    }

    // The wire trace every later job of every DeviceJob also writes to (the
    // window's "Record a wire trace"); null stops it. Thread-safe.
    static void set_trace_for_all(std::shared_ptr<WireTrace> trace);
    static std::shared_ptr<WireTrace> trace_for_all();
    // Also trace this object's later jobs into `trace` (null: no more).
    void set_trace(std::shared_ptr<WireTrace> trace) { trace_ = std::move(trace); }
    // The trace of the running or last job, kept in memory (for its
    // history row); null before the first job. Read it once the job ended.
    std::shared_ptr<WireTrace> job_trace() const { return job_trace_; }

    bool running() const { return thread_ != nullptr; }
    // The question to ask before stopping the running job; empty when it
    // stops without asking (or none runs).
    QString at_stake() const { return running() ? at_stake_ : QString(); }
    // Thread-safe: the current wait ends and every later open, read and
    // write of the job's link fails; the job then ends by itself.
    void stop();
    // Whether the job that ran last (or runs) was stopped before its end.
    bool stopped() const { return stopped_; }

signals:
    void line(const QString &text);
    void status(const QString &text);
    void step(qint64 done, qint64 total);
    // After `done` has run.
    void ended();

private:
    class SignalProgress;
    void post_step(qint64 done, qint64 total);
    void deliver_step();
    bool start_erased(std::function<void(ByteLink &, JobProgress &)> work, std::function<void()> done,
                      QString at_stake);

    LinkClosers &links_;
    LinkFactory factory_;
    std::shared_ptr<WireTrace> trace_;
    std::shared_ptr<WireTrace> job_trace_;
    QThread *thread_ = nullptr;
    int closer_id_ = 0;
    QString at_stake_;
    std::mutex mutex_;
    ByteLink *link_ = nullptr; // the job's link while it exists
    std::atomic<bool> stopped_{false};
    std::function<void()> done_;
    QTimer step_timer_;
    std::pair<qint64, qint64> step_{0, 0}; // the latest, under mutex_
    bool step_queued_ = false;             // under mutex_
};

} // namespace k52
