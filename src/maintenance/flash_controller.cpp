#include "flash_controller.h"

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
    : QObject(parent), worker_(links, std::move(factory)) {
    qRegisterMetaType<k52::FlashResult>();
}

bool FlashController::start(const LinkSettings &settings, const QString &path, const QDate &date) {
    return worker_.start(
        [this, settings, path, date](ByteLink &link, const LinkWorker::Progress &) {
            SignalProgress progress(*this);
            result_ = doflashdl(link, settings, path, date, progress);
        },
        [this] { emit finished(result_); });
}

} // namespace k52
