#include "link_worker.h"

#include "serial_link.h"
#include "stoppable_link.h"

#include <QThread>

namespace k52 {

LinkWorker::LinkWorker(LinkClosers &links, LinkFactory factory, QObject *parent)
    : QObject(parent), links_(links), factory_(std::move(factory)) {}

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
        // The interruption lasts: a job that closes and opens the port again
        // part-way (the clone transfer does) must not wake up with a fresh
        // port after close_all_links().
        StoppableLink link(factory_ ? factory_() : std::make_unique<SerialLink>());
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
