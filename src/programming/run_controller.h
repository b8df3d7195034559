#pragma once
// The programming run on a worker thread, for the window: progress arrives
// as queued signals, so the window keeps working while the converter is
// waited for.

#include "app/app_context.h"
#include "programming_run.h"

#include <QObject>

#include <functional>
#include <memory>
#include <mutex>

class QThread;

namespace k52 {

class RunController : public QObject {
    Q_OBJECT
public:
    // Makes the link a run uses; the serial link when empty. Called on the
    // worker thread, so the link lives there.
    using LinkFactory = std::function<std::unique_ptr<ByteLink>()>;

    explicit RunController(LinkClosers &links, LinkFactory factory = {}, QObject *parent = nullptr);
    ~RunController() override;

    // Starts a run on a snapshot of `rec`; false (and nothing happens) while
    // a run is under way. The caller has closed the other links.
    bool start(const LinkSettings &settings, const ConfigRecord &rec);
    bool running() const { return thread_ != nullptr; }
    // Ends the current wait and makes the run end (thread-safe). Registered
    // with close_all_links while a run is under way.
    void interrupt();

signals:
    void cleared();
    void line(const QString &text);
    void step(int done, int total);
    void finished(const k52::RunResult &result);

private:
    LinkClosers &links_;
    LinkFactory factory_;
    QThread *thread_ = nullptr;
    int closer_id_ = 0;
    std::mutex mutex_;
    ByteLink *link_ = nullptr; // the worker's link while it exists
    bool interrupted_ = false;
    RunResult result_;
};

} // namespace k52
