#include "flash_controller.h"

#include "link/serial_link.h"
#include "link/stoppable_link.h"

#include <QThread>

namespace k52 {

namespace {

// Forwards the download's reports as signals of the controller (queued to
// the screen's thread).
class SignalProgress : public FlashProgress {
public:
    explicit SignalProgress(FlashController &c) : c_(c) {}
    void status(const QString &text) override { emit c_.status(text); }
    void bytes(qint64 done, qint64 total) override { emit c_.bytes(done, total); }

private:
    FlashController &c_;
};

} // namespace

FlashController::FlashController(LinkClosers &links, LinkFactory factory, QObject *parent)
    : QObject(parent), links_(links), factory_(std::move(factory)) {
    qRegisterMetaType<k52::FlashResult>();
}

FlashController::~FlashController() {
    if (thread_) {
        interrupt();
        thread_->wait();
        delete thread_;
        links_.remove(closer_id_);
    }
}

void FlashController::interrupt() {
    std::lock_guard lock(mutex_);
    interrupted_ = true;
    if (link_)
        link_->interrupt();
}

bool FlashController::start(const LinkSettings &settings, const QString &path, const QDate &date) {
    if (thread_)
        return false;
    {
        std::lock_guard lock(mutex_);
        interrupted_ = false;
    }
    thread_ = QThread::create([this, settings, path, date] {
        auto link = std::make_unique<StoppableLink>(factory_ ? factory_() : std::make_unique<SerialLink>());
        {
            std::lock_guard lock(mutex_);
            link_ = link.get();
            if (interrupted_)
                link_->interrupt();
        }
        SignalProgress progress(*this);
        const FlashResult r = doflashdl(*link, settings, path, date, progress);
        std::lock_guard lock(mutex_);
        link_ = nullptr;
        result_ = r;
    });
    closer_id_ = links_.add([this] { interrupt(); });
    connect(thread_, &QThread::finished, this, [this] {
        links_.remove(closer_id_);
        thread_->deleteLater();
        thread_ = nullptr;
        FlashResult r;
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
