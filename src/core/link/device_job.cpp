#include "device_job.h"

#include "exchange.h"
#include "port_doctor.h"
#include "port_names.h"
#include "serial_link.h"
#include "stoppable_link.h"
#include "wire_trace.h"

#include <QThread>

namespace k52 {

PortSpec port_spec(const LinkSettings &settings) {
    PortSpec port;
    port.error = settings_problem(settings.baudrate, settings.parity);
    if (!port.error.isEmpty())
        return port;
    port.serial = *serial_settings(settings.baudrate, settings.parity);
    port.device = resolve_port(settings, &port.error);
    if (port.device.isEmpty() && port.error.isEmpty())
        port.error = QStringLiteral("no serial port is set");
    return port;
}

bool open_port(ByteLink &link, const PortSpec &port, QString *error) {
    if (port.device.isEmpty()) {
        if (error)
            *error = port.error.isEmpty() ? QStringLiteral("no serial port is set") : port.error;
        return false;
    }
    if (!link.open(port.device, port.serial, error))
        return false;
    link.discard_input();
    return true;
}

QString flash_at_stake() {
    return QStringLiteral("A firmware download is under way. If it stops now, the converter has no working "
                          "firmware until a download completes.\n\nStop the download?");
}

QString clone_write_at_stake() {
    return QStringLiteral("A clone is being written into the converter. If it stops now, the converter is left "
                          "half written until a clone or programming run completes.\n\nStop writing the clone?");
}

QString programming_at_stake() {
    return QStringLiteral("The converter is being programmed. If programming stops now, the converter is left "
                          "half programmed until a run completes.\n\nStop programming?");
}

namespace {

constexpr std::chrono::milliseconds kStepInterval{50};

} // namespace

// Forwards a job's lines and status texts as queued signals; steps go
// through DeviceJob::post_step.
class DeviceJob::SignalProgress : public JobProgress {
public:
    explicit SignalProgress(DeviceJob &job) : job_(job) {}
    void line(const QString &text) override { emit job_.line(text); }
    void status(const QString &text) override { emit job_.status(text); }
    void step(qint64 done, qint64 total) override { job_.post_step(done, total); }

private:
    DeviceJob &job_;
};

DeviceJob::DeviceJob(LinkClosers &links, QObject *parent) : QObject(parent), links_(links) {
    step_timer_.setSingleShot(true);
    step_timer_.setInterval(kStepInterval);
    connect(&step_timer_, &QTimer::timeout, this, &DeviceJob::deliver_step);
}

// On the job's thread: keep the latest step; one delivery at a time is
// queued to this object's thread.
void DeviceJob::post_step(qint64 done, qint64 total) {
    std::lock_guard lock(mutex_);
    step_ = {done, total};
    if (step_queued_)
        return;
    step_queued_ = true;
    QMetaObject::invokeMethod(this, &DeviceJob::deliver_step, Qt::QueuedConnection);
}

// On this object's thread: the latest step, at most every 50 ms; the last
// one is never lost.
void DeviceJob::deliver_step() {
    if (step_timer_.isActive())
        return; // the timer delivers it
    std::pair<qint64, qint64> s;
    {
        std::lock_guard lock(mutex_);
        if (!step_queued_)
            return;
        step_queued_ = false;
        s = step_;
    }
    emit step(s.first, s.second);
    step_timer_.start();
}

DeviceJob::~DeviceJob() {
    if (thread_) {
        stop();
        thread_->wait();
        delete thread_;
        links_.remove(closer_id_);
    }
}

void DeviceJob::stop() {
    std::lock_guard lock(mutex_);
    stopped_ = true;
    if (link_)
        link_->interrupt();
}

namespace {

std::mutex g_trace_mutex;
std::shared_ptr<WireTrace> g_trace_for_all;

} // namespace

void DeviceJob::set_trace_for_all(std::shared_ptr<WireTrace> trace) {
    std::lock_guard lock(g_trace_mutex);
    g_trace_for_all = std::move(trace);
}

std::shared_ptr<WireTrace> DeviceJob::trace_for_all() {
    std::lock_guard lock(g_trace_mutex);
    return g_trace_for_all;
}

bool DeviceJob::start_erased(std::function<void(ByteLink &, JobProgress &)> work, std::function<void()> done,
                             QString at_stake) {
    if (thread_)
        return false;
    stopped_ = false;
    at_stake_ = std::move(at_stake);
    done_ = std::move(done);
    job_trace_ = std::make_shared<WireTrace>();
    thread_ =
        QThread::create([this, work = std::move(work), memory = job_trace_, file = trace_, all = trace_for_all()] {
            // The stop lasts: a job that closes and opens the port again part-way
            // (the clone transfer does) must not wake up with a fresh port.
            // Every byte goes into the job's own trace and the ones asked for.
            StoppableLink link(trace_link(
                trace_link(trace_link(factory_ ? factory_() : std::make_unique<SerialLink>(), memory), file), all));
            {
                std::lock_guard lock(mutex_);
                link_ = &link;
                if (stopped_)
                    link.interrupt();
            }
            SignalProgress progress(*this);
            work(link, progress);
            close_comm(link);
            std::lock_guard lock(mutex_);
            link_ = nullptr;
        });
    closer_id_ = links_.add([this] { stop(); }, at_stake_);
    connect(thread_, &QThread::finished, this, [this] {
        step_timer_.stop();
        deliver_step();
        step_timer_.stop();
        links_.remove(closer_id_);
        thread_->deleteLater();
        thread_ = nullptr;
        auto done = std::move(done_);
        done_ = nullptr;
        if (done)
            done();
        emit ended();
    });
    thread_->start();
    return true;
}

} // namespace k52
