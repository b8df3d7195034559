#include "utilities_worker.h"

#include "link/serial_link.h"

#include <QThread>

#include <atomic>

namespace k52 {

namespace {

// A serial link whose interruption lasts: an action that closes and opens
// the port again part-way (the clone transfer does) must not wake up from
// close_all_links() with a fresh port.
class StickyInterruptLink : public ByteLink {
public:
    bool open(const QString &port, const QString &settings, QString *error) override {
        if (stopped_) {
            if (error)
                *error = QStringLiteral("The action was interrupted");
            return false;
        }
        const bool ok = inner_.open(port, settings, error);
        // Opening clears the port's own interruption; one that came in
        // meanwhile is applied again.
        if (stopped_)
            inner_.interrupt();
        return ok && !stopped_;
    }
    void close() override { inner_.close(); }
    bool is_open() const override { return !stopped_ && inner_.is_open(); }
    bool write(const QByteArray &bytes) override { return !stopped_ && inner_.write(bytes); }
    std::optional<quint8> read_byte(LinkClock::time_point deadline) override {
        if (stopped_)
            return std::nullopt;
        return inner_.read_byte(deadline);
    }
    int bytes_waiting() override { return stopped_ ? 0 : inner_.bytes_waiting(); }
    void interrupt() override {
        stopped_ = true;
        inner_.interrupt();
    }

private:
    SerialLink inner_;
    std::atomic<bool> stopped_{false};
};

} // namespace

LinkWorker::LinkWorker(LinkClosers &links, QObject *parent) : QObject(parent), links_(links) {}

LinkWorker::~LinkWorker() {
    if (thread_) {
        interrupt();
        thread_->wait();
        delete thread_;
        links_.remove(closer_id_);
    }
}

void LinkWorker::interrupt() {
    std::lock_guard lock(mutex_);
    interrupted_ = true;
    if (link_)
        link_->interrupt();
}

bool LinkWorker::start(Job job, std::function<void()> done) {
    if (thread_)
        return false;
    {
        std::lock_guard lock(mutex_);
        interrupted_ = false;
    }
    done_ = std::move(done);
    thread_ = QThread::create([this, job = std::move(job)] {
        StickyInterruptLink link;
        {
            std::lock_guard lock(mutex_);
            link_ = &link;
            if (interrupted_)
                link.interrupt();
        }
        job(link, [this](int d, int total) { emit progress(d, total); });
        link.close();
        std::lock_guard lock(mutex_);
        link_ = nullptr;
    });
    closer_id_ = links_.add([this] { interrupt(); });
    connect(thread_, &QThread::finished, this, [this] {
        links_.remove(closer_id_);
        thread_->deleteLater();
        thread_ = nullptr;
        auto done = std::move(done_);
        done_ = nullptr;
        if (done)
            done();
        emit finished();
    });
    thread_->start();
    return true;
}

} // namespace k52
