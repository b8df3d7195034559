#include "device_job.h"

#include "port_doctor.h"
#include "port_names.h"
#include "serial_link.h"
#include "stoppable_link.h"

#include <QThread>

namespace k52 {

std::optional<SerialSettings> serial_settings(qint32 baudrate, int parity) {
    SerialSettings s;
    s.baud = baudrate;
    switch (parity) {
    case 0:
        s.parity = Parity::Even;
        break;
    case 1:
        s.parity = Parity::Odd;
        break;
    case 2:
        s.parity = Parity::None;
        s.data_bits = 8;
        break;
    default:
        return std::nullopt;
    }
    return s;
}

PortSpec port_spec(const LinkSettings &settings) {
    PortSpec spec;
    spec.error = settings_problem(settings.baudrate, settings.parity);
    if (!spec.error.isEmpty())
        return spec;
    spec.serial = *serial_settings(settings.baudrate, settings.parity);
    spec.device = resolve_port(settings, &spec.error);
    if (spec.device.isEmpty() && spec.error.isEmpty())
        spec.error = QStringLiteral("no serial port is set");
    return spec;
}

bool open_port(ByteLink &link, const PortSpec &spec, QString *error) {
    if (spec.device.isEmpty()) {
        if (error)
            *error = spec.error.isEmpty() ? QStringLiteral("no serial port is set") : spec.error;
        return false;
    }
    if (!link.open(spec.device, spec.serial, error))
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

// Forwards a job's reports as queued signals; steps at most every 50 ms,
// and always the last one of a total.
class SignalProgress : public JobProgress {
public:
    explicit SignalProgress(DeviceJob &job) : job_(job) {}
    void line(const QString &text) override { emit job_.line(text); }
    void status(const QString &text) override { emit job_.status(text); }
    void step(qint64 done, qint64 total) override {
        const auto now = LinkClock::now();
        if (done < total && done > 0 && now - last_ < kInterval)
            return;
        last_ = now;
        emit job_.step(done, total);
    }

private:
    static constexpr std::chrono::milliseconds kInterval{50};
    DeviceJob &job_;
    LinkClock::time_point last_{};
};

} // namespace

DeviceJob::DeviceJob(LinkClosers &links, QObject *parent) : QObject(parent), links_(links) {}

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

bool DeviceJob::start_erased(std::function<void(ByteLink &, JobProgress &)> work, std::function<void()> done,
                             QString at_stake) {
    if (thread_)
        return false;
    stopped_ = false;
    at_stake_ = std::move(at_stake);
    done_ = std::move(done);
    thread_ = QThread::create([this, work = std::move(work)] {
        // The stop lasts: a job that closes and opens the port again part-way
        // (the clone transfer does) must not wake up with a fresh port.
        StoppableLink link(factory_ ? factory_() : std::make_unique<SerialLink>());
        {
            std::lock_guard lock(mutex_);
            link_ = &link;
            if (stopped_)
                link.interrupt();
        }
        SignalProgress progress(*this);
        work(link, progress);
        link.close();
        std::lock_guard lock(mutex_);
        link_ = nullptr;
    });
    closer_id_ = links_.add([this] { stop(); }, at_stake_);
    connect(thread_, &QThread::finished, this, [this] {
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
