#include "run_controller.h"

#include "link/port_names.h"
#include "link/serial_link.h"
#include "link/stoppable_link.h"

#include <QThread>

namespace k52 {

namespace {

// Forwards the run's lines as signals of the controller (queued to the
// window's thread).
class SignalProgress : public RunProgress {
public:
    explicit SignalProgress(RunController &c) : c_(c) {}
    void clear() override { emit c_.cleared(); }
    void line(const QString &text) override { emit c_.line(text); }
    void step(int done, int total) override { emit c_.step(done, total); }

private:
    RunController &c_;
};

} // namespace

RunController::RunController(LinkClosers &links, LinkFactory factory, QObject *parent)
    : QObject(parent), links_(links), factory_(std::move(factory)) {
    qRegisterMetaType<k52::RunResult>();
}

RunController::~RunController() {
    if (thread_) {
        interrupt();
        thread_->wait();
        delete thread_;
        links_.remove(closer_id_);
    }
}

void RunController::interrupt() {
    std::lock_guard lock(mutex_);
    interrupted_ = true;
    if (link_)
        link_->interrupt();
}

bool RunController::start(const LinkSettings &settings, const ConfigRecord &rec) {
    if (thread_)
        return false;
    QString port_error;
    const QString port = resolve_port(settings, &port_error);
    {
        std::lock_guard lock(mutex_);
        interrupted_ = false;
    }
    thread_ = QThread::create([this, settings, rec, port, port_error] {
        auto link = std::make_unique<StoppableLink>(factory_ ? factory_() : std::make_unique<SerialLink>());
        {
            std::lock_guard lock(mutex_);
            link_ = link.get();
            if (interrupted_)
                link_->interrupt();
        }
        SignalProgress progress(*this);
        RunResult r = savetoK52(*link, port, settings, rec, progress, {}, port_error);
        std::lock_guard lock(mutex_);
        link_ = nullptr;
        result_ = r;
    });
    closer_id_ = links_.add([this] { interrupt(); });
    connect(thread_, &QThread::finished, this, [this] {
        links_.remove(closer_id_);
        thread_->deleteLater();
        thread_ = nullptr;
        RunResult r;
        {
            std::lock_guard lock(mutex_);
            r = result_;
        }
        emit finished(r);
    });
    thread_->start();
    return true;
}

} // namespace k52
