#pragma once
// The flash download on a worker thread, for the screen: status texts and
// progress arrive as queued signals, so the window keeps working while the
// boot loader is waited for.

#include "app/app_context.h"
#include "flash_download.h"

#include <QDate>
#include <QObject>

#include <functional>
#include <memory>
#include <mutex>

class QThread;

namespace k52 {

class FlashController : public QObject {
    Q_OBJECT
public:
    // Makes the link a download uses; the serial link when empty. Called
    // on the worker thread, so the link lives there.
    using LinkFactory = std::function<std::unique_ptr<ByteLink>()>;

    explicit FlashController(LinkClosers &links, LinkFactory factory = {}, QObject *parent = nullptr);
    ~FlashController() override;

    // Starts the download of the file at `path`; false (and nothing
    // happens) while one is under way. The caller has closed the other
    // links.
    bool start(const LinkSettings &settings, const QString &path, const QDate &date);
    bool running() const { return thread_ != nullptr; }
    // Ends the current wait, so that the download ends (thread-safe).
    // Registered with close_all_links while a download is under way.
    void interrupt();

signals:
    void status(const QString &text);
    void bytes(qint64 done, qint64 total);
    void finished(const k52::FlashResult &result);

private:
    LinkClosers &links_;
    LinkFactory factory_;
    QThread *thread_ = nullptr;
    int closer_id_ = 0;
    std::mutex mutex_;
    ByteLink *link_ = nullptr; // the worker's link while it exists
    bool interrupted_ = false;
    FlashResult result_;
};

} // namespace k52
