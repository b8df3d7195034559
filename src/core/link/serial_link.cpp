// The serial byte link on Linux (and other POSIX systems): QSerialPort opens
// and sets up the port; the bytes go straight through its descriptor.
#include "serial_link.h"

#include "port_doctor.h"

#include <QSerialPort>

#include <cerrno>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace k52 {

SerialLink::SerialLink() {
    if (::pipe(wake_) == 0) {
        for (int fd : wake_) {
            ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
            ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        }
    } else {
        wake_[0] = wake_[1] = -1;
    }
}

SerialLink::~SerialLink() {
    close();
    for (int fd : wake_)
        if (fd >= 0)
            ::close(fd);
}

void SerialLink::drain_wake() {
    char buf[64];
    if (wake_[0] >= 0)
        while (::read(wake_[0], buf, sizeof buf) > 0) {
        }
}

bool SerialLink::open_port(const QString &port, const SerialSettings &s, QString *error) {
    auto p = std::make_unique<QSerialPort>();
    p->setPortName(port);
    apply_serial_settings(*p, s);
    // A port another program holds exclusively is left alone even where
    // this process could open it (root): closing it again would end the
    // other program's exclusive hold.
    const PortProbe probe = probe_port(port);
    if (probe.held || probe.console) {
        if (error)
            *error = explain_open_failure(port, probe.error, probe.held, system_port_environment());
        return false;
    }
    if (!p->open(QIODevice::ReadWrite)) {
        if (error)
            *error = explain_open_failure(port, p->errorString(), p->error() == QSerialPort::PermissionError,
                                          system_port_environment());
        return false;
    }
    port_ = std::move(p);
    return true;
}

void SerialLink::release_port() {
    if (port_->isOpen())
        port_->close();
    port_.reset();
}

bool SerialLink::is_open() const {
    return port_ && port_->isOpen() && !failed_ && !interrupted_;
}

void SerialLink::interrupt() {
    interrupted_ = true;
    if (wake_[1] >= 0) {
        const char c = 1;
        [[maybe_unused]] auto n = ::write(wake_[1], &c, 1);
    }
}

bool SerialLink::pull_pending() {
    if (in_pos_ >= in_.size())
        clear_buffer();
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(static_cast<int>(port_->handle()), buf, sizeof buf);
        if (n > 0) {
            in_.append(buf, n);
            return true;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return true;
        failed_ = true; // end of file or an error: the device went away
        return false;
    }
}

bool SerialLink::wait_ready(bool for_write, LinkClock::time_point deadline) {
    int spurious = 0;
    while (is_open()) {
        const auto now = LinkClock::now();
        if (now >= deadline)
            return false;
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - now).count();
        pollfd fds[2] = {{static_cast<int>(port_->handle()), short(for_write ? POLLOUT : POLLIN), 0},
                         {wake_[0], POLLIN, 0}};
        const int r = ::poll(fds, wake_[0] >= 0 ? 2 : 1, static_cast<int>(std::min<long long>(left, 60000)));
        if (r < 0) {
            if (errno == EINTR)
                continue;
            failed_ = true;
            return false;
        }
        if (r == 0)
            continue;
        if (fds[1].revents)
            return false; // interrupted
        if (fds[0].revents & (for_write ? POLLOUT : POLLIN))
            return true;
        if (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) {
            failed_ = true; // the device went away
            return false;
        }
        if (++spurious > 1000) {
            failed_ = true;
            return false;
        }
    }
    return false;
}

bool SerialLink::write(const QByteArray &bytes) {
    if (!is_open())
        return false;
    // Without flow control the driver takes the bytes at once; a full
    // output queue is waited for, within two seconds.
    const auto deadline = LinkClock::now() + std::chrono::seconds(2);
    const char *p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(static_cast<int>(port_->handle()), p, static_cast<size_t>(left));
        if (n > 0) {
            p += n;
            left -= n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) && wait_ready(true, deadline))
            continue;
        failed_ = true;
        return false;
    }
    return is_open();
}

std::optional<quint8> SerialLink::read_byte(LinkClock::time_point deadline) {
    int empty_wakes = 0;
    while (is_open()) {
        if (in_pos_ < in_.size())
            return static_cast<quint8>(in_.at(in_pos_++));
        if (!wait_ready(false, deadline) || !pull_pending())
            return std::nullopt;
        if (in_pos_ >= in_.size() && ++empty_wakes > 1000)
            failed_ = true; // readable yet nothing to read: a broken device
    }
    return std::nullopt;
}

int SerialLink::bytes_waiting() {
    if (!is_open())
        return 0;
    pollfd fd{static_cast<int>(port_->handle()), POLLIN, 0};
    if (::poll(&fd, 1, 0) > 0) {
        if (fd.revents & POLLIN)
            pull_pending();
        else if (fd.revents & (POLLHUP | POLLERR | POLLNVAL))
            failed_ = true;
    }
    return is_open() ? static_cast<int>(in_.size() - in_pos_) : 0;
}

void SerialLink::purge_received() {
    port_->clear(QSerialPort::Input);
}

} // namespace k52
