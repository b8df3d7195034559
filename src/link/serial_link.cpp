#include "serial_link.h"

#include "port_doctor.h"

#include <QSerialPort>
#include <QSet>

#include <cerrno>
#include <mutex>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#endif

namespace k52 {

SerialLink::SerialLink() {
#ifdef Q_OS_UNIX
    if (::pipe(wake_) == 0) {
        for (int fd : wake_) {
            ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
            ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        }
    } else {
        wake_[0] = wake_[1] = -1;
    }
#endif
}

SerialLink::~SerialLink() {
    close();
#ifdef Q_OS_UNIX
    for (int fd : wake_)
        if (fd >= 0)
            ::close(fd);
#endif
}

void SerialLink::drain_wake() {
#ifdef Q_OS_UNIX
    char buf[64];
    if (wake_[0] >= 0)
        while (::read(wake_[0], buf, sizeof buf) > 0) {
        }
#endif
}

void apply_serial_settings(QSerialPort &port, const SerialSettings &s) {
    port.setBaudRate(s.baud);
    port.setDataBits(static_cast<QSerialPort::DataBits>(s.data_bits));
    switch (s.parity) {
    case Parity::Even:
        port.setParity(QSerialPort::EvenParity);
        break;
    case Parity::Odd:
        port.setParity(QSerialPort::OddParity);
        break;
    case Parity::Mark:
        port.setParity(QSerialPort::MarkParity);
        break;
    case Parity::Space:
        port.setParity(QSerialPort::SpaceParity);
        break;
    case Parity::None:
        port.setParity(QSerialPort::NoParity);
        break;
    }
    port.setStopBits(s.stop_bits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
    port.setFlowControl(QSerialPort::NoFlowControl);
}

bool SerialLink::open(const QString &port, const SerialSettings &s, QString *error) {
    close();
    interrupted_ = false;
    failed_ = false;
    drain_wake();
    auto p = std::make_unique<QSerialPort>();
    p->setPortName(port);
    apply_serial_settings(*p, s);
    if (port.isEmpty()) {
        if (error)
            *error = QStringLiteral("No serial port is selected");
        return false;
    }
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
    device_ = port;
    settings_ = s;
    in_.clear();
    in_pos_ = 0;
    return true;
}

namespace {

// Ports closed in the middle of an exchange: the next opening waits for the
// late reply to pass.
std::mutex g_aborted_mutex;
QSet<QString> g_aborted;

void mark_aborted(const QString &device) {
    std::lock_guard lock(g_aborted_mutex);
    g_aborted.insert(device);
}

bool take_aborted(const QString &device) {
    std::lock_guard lock(g_aborted_mutex);
    return g_aborted.remove(device);
}

} // namespace

void SerialLink::close() {
    if (port_) {
        if (interrupted_)
            mark_aborted(device_);
        if (port_->isOpen())
            port_->close();
        port_.reset();
    }
    failed_ = false;
}

bool SerialLink::is_open() const {
    return port_ && port_->isOpen() && !failed_ && !interrupted_;
}

void SerialLink::interrupt() {
    interrupted_ = true;
#ifdef Q_OS_UNIX
    if (wake_[1] >= 0) {
        const char c = 1;
        [[maybe_unused]] auto n = ::write(wake_[1], &c, 1);
    }
#endif
}

#ifdef Q_OS_UNIX
bool SerialLink::pull_pending() {
    if (in_pos_ >= in_.size()) {
        in_.clear();
        in_pos_ = 0;
    }
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
#else
bool SerialLink::pull_pending() {
    port_->waitForReadyRead(0);
    const auto err = port_->error();
    if (err != QSerialPort::NoError && err != QSerialPort::TimeoutError && port_->bytesAvailable() == 0) {
        failed_ = true;
        return false;
    }
    port_->clearError();
    in_.append(port_->readAll());
    return true;
}
#endif

bool SerialLink::wait_ready(bool for_write, LinkClock::time_point deadline) {
#ifdef Q_OS_UNIX
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
#else
    // No common wait object here: wait in short slices so that interrupt()
    // is seen quickly; the driver still sleeps between slices.
    while (is_open()) {
        const auto now = LinkClock::now();
        if (now >= deadline)
            return false;
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - now).count();
        const int slice = static_cast<int>(std::min<long long>(left, 50));
        if (for_write ? port_->waitForBytesWritten(slice) : port_->waitForReadyRead(slice))
            return true;
        const auto err = port_->error();
        if (err != QSerialPort::NoError && err != QSerialPort::TimeoutError) {
            failed_ = true;
            return false;
        }
        port_->clearError();
    }
    return false;
#endif
}

bool SerialLink::write(const QByteArray &bytes) {
    if (!is_open())
        return false;
    // Without flow control the driver takes the bytes at once; a full
    // output queue is waited for, within two seconds.
    const auto deadline = LinkClock::now() + std::chrono::seconds(2);
#ifdef Q_OS_UNIX
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
#else
    if (port_->write(bytes) != bytes.size()) {
        failed_ = true;
        return false;
    }
    while (port_->bytesToWrite() > 0) {
        if (!wait_ready(true, deadline)) {
            failed_ = true;
            return false;
        }
    }
#endif
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
#ifdef Q_OS_UNIX
    pollfd fd{static_cast<int>(port_->handle()), POLLIN, 0};
    if (::poll(&fd, 1, 0) > 0) {
        if (fd.revents & POLLIN)
            pull_pending();
        else if (fd.revents & (POLLHUP | POLLERR | POLLNVAL))
            failed_ = true;
    }
#else
    pull_pending();
#endif
    return is_open() ? static_cast<int>(in_.size() - in_pos_) : 0;
}

void SerialLink::discard_input() {
    if (!is_open())
        return;
    port_->clear(QSerialPort::Input);
    in_.clear();
    in_pos_ = 0;
    // A converter may still be talking from an earlier session (a run that
    // was killed during an image read goes on sending): what arrives until
    // the line has been quiet for 50 ms goes too, at most 500 ms and 4 KiB
    // of it, so a chattering line cannot hold the job. After an exchange of
    // this program was cut off, its reply may be a clone packet on its way:
    // the quiet wait then covers one, and the whole wait may last 3 s.
    const bool aborted = take_aborted(device_);
    const auto quiet =
        std::chrono::milliseconds(50) + (aborted ? wire_time(settings_, 80) : std::chrono::milliseconds(0));
    const auto give_up =
        LinkClock::now() + (aborted ? std::chrono::milliseconds(3000) : std::chrono::milliseconds(500));
    constexpr qsizetype kMostDiscarded = 4096;
    qsizetype dropped = 0;
    while (dropped < kMostDiscarded && LinkClock::now() < give_up &&
           read_byte(std::min(LinkClock::now() + quiet, give_up))) {
        dropped += 1 + (in_.size() - in_pos_);
        in_.clear();
        in_pos_ = 0;
    }
}

} // namespace k52
