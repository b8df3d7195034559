#pragma once
// A job's link: once interrupted it stays unusable, so close_all_links and
// Ctrl-C end the work however early they come, and opening the port again
// does not undo it.

#include "byte_link.h"

#include <atomic>
#include <memory>

namespace k52 {

class StoppableLink : public ByteLink {
public:
    explicit StoppableLink(std::unique_ptr<ByteLink> inner) : inner_(std::move(inner)) {}
    bool open(const QString &port, const SerialSettings &settings, QString *error) override {
        if (stopped_) {
            if (error)
                *error = QStringLiteral("stopped before the port was opened");
            return false;
        }
        const bool ok = inner_->open(port, settings, error);
        // Opening clears the port's own interruption; one that came in
        // meanwhile is applied again.
        if (stopped_)
            inner_->interrupt();
        return ok && !stopped_;
    }
    void close() override { inner_->close(); }
    bool is_open() const override { return !stopped_ && inner_->is_open(); }
    bool write(const QByteArray &bytes) override { return !stopped_ && inner_->write(bytes); }
    std::optional<quint8> read_byte(LinkClock::time_point deadline) override {
        if (stopped_)
            return std::nullopt;
        return inner_->read_byte(deadline);
    }
    int bytes_waiting() override { return stopped_ ? 0 : inner_->bytes_waiting(); }
    void discard_input() override {
        if (!stopped_)
            inner_->discard_input();
    }
    void interrupt() override {
        stopped_ = true;
        inner_->interrupt();
    }
    // Whether interrupt() was called.
    bool stopped() const { return stopped_; }

private:
    std::unique_ptr<ByteLink> inner_;
    std::atomic<bool> stopped_{false};
};

} // namespace k52
