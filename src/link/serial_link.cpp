#include "serial_link.h"

#include "port_doctor.h"

#include <QSerialPort>
#include <QStringList>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#endif

namespace k52 {

bool parse_serial_settings(const QString &text, SerialSettings &out, QString *error) {
    const QStringList parts = text.split(QLatin1Char(','));
    auto bad = [&]() {
        if (error)
            *error = QStringLiteral("Invalid serial settings \"%1\" (expected e.g. 9600,E,7,1)").arg(text);
        return false;
    };
    if (text.isEmpty()) {
        if (error)
            *error = settings_problem(1, -1);
        return false;
    }
    if (parts.size() != 4)
        return bad();
    bool ok = false;
    SerialSettings s;
    s.baud = parts[0].trimmed().toInt(&ok);
    if (ok && s.baud <= 0) {
        if (error)
            *error = settings_problem(s.baud, 0);
        return false;
    }
    if (!ok)
        return bad();
    const QString p = parts[1].trimmed().toUpper();
    if (p.size() != 1 || !QStringLiteral("EONMS").contains(p))
        return bad();
    s.parity = p[0].toLatin1();
    s.data_bits = parts[2].trimmed().toInt(&ok);
    if (!ok || s.data_bits < 5 || s.data_bits > 8)
        return bad();
    s.stop_bits = parts[3].trimmed().toInt(&ok);
    if (!ok || (s.stop_bits != 1 && s.stop_bits != 2))
        return bad();
    out = s;
    return true;
}

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
    case 'E':
        port.setParity(QSerialPort::EvenParity);
        break;
    case 'O':
        port.setParity(QSerialPort::OddParity);
        break;
    case 'M':
        port.setParity(QSerialPort::MarkParity);
        break;
    case 'S':
        port.setParity(QSerialPort::SpaceParity);
        break;
    default:
        port.setParity(QSerialPort::NoParity);
        break;
    }
    port.setStopBits(s.stop_bits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
    port.setFlowControl(QSerialPort::NoFlowControl);
}

bool SerialLink::open(const QString &port, const QString &settings, QString *error) {
    close();
    SerialSettings s;
    if (!parse_serial_settings(settings, s, error))
        return false;
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
    if (!p->open(QIODevice::ReadWrite)) {
        if (error)
            *error = explain_open_failure(port, p->errorString(), p->error() == QSerialPort::PermissionError,
                                          system_port_environment());
        return false;
    }
    port_ = std::move(p);
    return true;
}

void SerialLink::close() {
    if (port_) {
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

// Move what the driver holds into the port's buffer without blocking.
void SerialLink::pull_pending() {
    if (!is_open())
        return;
    const qint64 before = port_->bytesAvailable();
    port_->waitForReadyRead(0);
    const auto err = port_->error();
    if (port_->bytesAvailable() == before && err != QSerialPort::NoError && err != QSerialPort::TimeoutError)
        failed_ = true;
    if (err == QSerialPort::TimeoutError)
        port_->clearError();
}

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
    if (port_->write(bytes) != bytes.size()) {
        failed_ = true;
        return false;
    }
    // Hand the bytes to the driver now; without flow control this takes no
    // longer than the driver needs to accept them.
    const auto deadline = LinkClock::now() + std::chrono::seconds(2);
    while (port_->bytesToWrite() > 0) {
#ifdef Q_OS_UNIX
        if (!wait_ready(true, deadline)) {
            failed_ = true;
            return false;
        }
        port_->waitForBytesWritten(0);
        const auto err = port_->error();
        if (err != QSerialPort::NoError && err != QSerialPort::TimeoutError) {
            failed_ = true;
            return false;
        }
        port_->clearError();
#else
        if (!wait_ready(true, deadline)) {
            failed_ = true;
            return false;
        }
#endif
    }
    return is_open();
}

std::optional<quint8> SerialLink::read_byte(LinkClock::time_point deadline) {
    int empty_wakes = 0;
    while (is_open()) {
        if (port_->bytesAvailable() > 0) {
            char c = 0;
            if (port_->getChar(&c))
                return static_cast<quint8>(c);
        }
#ifdef Q_OS_UNIX
        if (!wait_ready(false, deadline))
            return std::nullopt;
        pull_pending();
        if (port_ && port_->bytesAvailable() == 0 && ++empty_wakes > 1000)
            failed_ = true; // readable yet nothing to read: a broken device
#else
        if (!wait_ready(false, deadline))
            return std::nullopt;
#endif
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
    port_->waitForReadyRead(0);
    port_->clearError();
#endif
    return is_open() ? static_cast<int>(port_->bytesAvailable()) : 0;
}

} // namespace k52
