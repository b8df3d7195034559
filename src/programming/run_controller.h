#pragma once
// The programming run on a worker thread, for the window: progress arrives
// as queued signals, so the window keeps working while the converter is
// waited for.

#include "app/app_context.h"
#include "link/link_worker.h"
#include "programming_run.h"

#include <QObject>

namespace k52 {

class RunController : public QObject {
    Q_OBJECT
public:
    using LinkFactory = LinkWorker::LinkFactory;

    explicit RunController(LinkClosers &links, LinkFactory factory = {}, QObject *parent = nullptr);

    // Starts a run on a snapshot of `rec`; false (and nothing happens) while
    // a run is under way. The caller has closed the other links.
    bool start(const LinkSettings &settings, const ConfigRecord &rec);
    bool running() const { return worker_.running(); }
    // Ends the current wait and makes the run end (thread-safe). The run is
    // registered with close_all_links while it is under way.
    void interrupt() { worker_.interrupt(); }

signals:
    void cleared();
    void line(const QString &text);
    void step(int done, int total);
    void finished(const k52::RunResult &result);

private:
    RunResult result_; // written by the job, read once it has returned
    // Last, so that it is destroyed first: its thread is waited for while
    // the result it writes still exists.
    LinkWorker worker_;
};

} // namespace k52
