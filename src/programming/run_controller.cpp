#include "run_controller.h"

#include "link/port_names.h"

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
    : QObject(parent), worker_(links, std::move(factory)) {
    qRegisterMetaType<k52::RunResult>();
}

bool RunController::start(const LinkSettings &settings, const ConfigRecord &rec) {
    if (worker_.running())
        return false;
    QString port_error;
    const QString port = resolve_port(settings, &port_error);
    return worker_.start(
        [this, settings, rec, port, port_error](ByteLink &link, const LinkWorker::Progress &) {
            SignalProgress progress(*this);
            result_ = savetoK52(link, port, settings, rec, progress, {}, port_error);
        },
        [this] { emit finished(result_); });
}

} // namespace k52
