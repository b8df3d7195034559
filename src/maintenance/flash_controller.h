#pragma once
// The flash download on a worker thread, for the screen: status texts and
// progress arrive as queued signals, so the window keeps working while the
// boot loader is waited for.

#include "app/app_context.h"
#include "flash_download.h"
#include "link/link_worker.h"

#include <QDate>
#include <QObject>

namespace k52 {

class FlashController : public QObject {
    Q_OBJECT
public:
    using LinkFactory = LinkWorker::LinkFactory;

    explicit FlashController(LinkClosers &links, LinkFactory factory = {}, QObject *parent = nullptr);

    // Starts the download of the file at `path`; false (and nothing
    // happens) while one is under way. The caller has closed the other
    // links.
    bool start(const LinkSettings &settings, const QString &path, const QDate &date);
    bool running() const { return worker_.running(); }
    // Ends the current wait, so that the download ends (thread-safe). The
    // download is registered with close_all_links while it is under way.
    void interrupt() { worker_.interrupt(); }

signals:
    void status(const QString &text);
    void bytes(qint64 done, qint64 total);
    void finished(const k52::FlashResult &result);

private:
    FlashResult result_; // written by the job, read once it has returned
    // Last, so that it is destroyed first: its thread is waited for while
    // the result it writes still exists.
    LinkWorker worker_;
};

} // namespace k52
