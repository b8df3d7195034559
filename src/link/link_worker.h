#pragma once
// A protocol's link work on a worker thread, for the windows: they keep
// working while the converter is waited for, and progress and the ending
// arrive on the window's thread.

#include "app/app_context.h"
#include "byte_link.h"

#include <QObject>

#include <functional>
#include <memory>
#include <mutex>

class QThread;

namespace k52 {

class LinkWorker : public QObject {
    Q_OBJECT
public:
    using Progress = std::function<void(int done, int total)>;
    // Runs on the worker thread with a link that lives there; it opens and
    // closes the link itself. `progress` may be called from it.
    using Job = std::function<void(ByteLink &link, const Progress &progress)>;
    // Makes the link of a job, on the worker thread; the serial link when
    // empty.
    using LinkFactory = std::function<std::unique_ptr<ByteLink>()>;

    explicit LinkWorker(LinkClosers &links, LinkFactory factory = {}, QObject *parent = nullptr);
    void set_link_factory(LinkFactory factory) { factory_ = std::move(factory); }
    ~LinkWorker() override;

    // Starts `job`; `done` runs on this object's thread once the job has
    // returned (whatever the job stored is then safe to read). False, and
    // nothing happens, while a job is under way. While it runs the worker is
    // registered with `links`, so close_all_links() ends its waits.
    bool start(Job job, std::function<void()> done = {});
    bool running() const { return thread_ != nullptr; }
    // Thread-safe: the current wait ends and every later open, read and
    // write of the job's link fails.
    void interrupt();

signals:
    void progress(int done, int total);
    void finished();

private:
    LinkClosers &links_;
    LinkFactory factory_;
    QThread *thread_ = nullptr;
    int closer_id_ = 0;
    std::mutex mutex_;
    ByteLink *link_ = nullptr; // the job's link while it exists
    bool interrupted_ = false;
    std::function<void()> done_;
};

} // namespace k52
