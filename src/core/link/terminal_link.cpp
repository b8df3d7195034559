#include "terminal_link.h"

#include "core/link/device_job.h"
#include "core/link/port_doctor.h"
#include "core/link/serial_link.h"

#include <QSerialPort>
#include <QTcpSocket>

namespace k52 {

TerminalLink::TerminalLink(QObject *parent) : QObject(parent) {
    connect_deadline_.setSingleShot(true);
    connect(&connect_deadline_, &QTimer::timeout, this, &TerminalLink::on_connect_deadline);
}

TerminalLink::~TerminalLink() {
    close();
}

bool TerminalLink::serial_open() const {
    return serial_ && serial_->isOpen();
}

void TerminalLink::open(const LinkSettings &settings) {
    close();
    commtype_ = settings.commtype;
    if (commtype_ == QLatin1String("T"))
        open_tcp(settings);
    else if (commtype_ == QLatin1String("S"))
        open_serial(settings);
}

void TerminalLink::open_tcp(const LinkSettings &settings) {
    socket_ = new QTcpSocket(this);
    connect(socket_, &QTcpSocket::connected, this, &TerminalLink::on_tcp_connected);
    connect(socket_, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError e) { on_tcp_error(e); });
    connect(socket_, &QTcpSocket::readyRead, this, [this] {
        if (socket_ && tcp_ready_)
            emit received(socket_->readAll());
    });
    connect(socket_, &QTcpSocket::disconnected, this, [this] {
        if (tcp_ready_) {
            tcp_ready_ = false;
            emit status(QString::fromLatin1(term_status::kTcpClosed));
        }
    });

    bool ok = false;
    const uint port = settings.remoteportaddress.trimmed().toUInt(&ok);
    emit display_cleared();
    emit status(QString::fromLatin1(term_status::kAttempting));
    connecting_ = true;
    if (!ok || port == 0 || port > 65535 || settings.ipaddress.trimmed().isEmpty()) {
        // Nothing to connect to: the wait runs out like any failed attempt.
        connect_deadline_.start(0);
        return;
    }
    connect_deadline_.start(kConnectWaitMs);
    socket_->connectToHost(settings.ipaddress.trimmed(), quint16(port));
}

void TerminalLink::on_tcp_connected() {
    if (!connecting_)
        return;
    connecting_ = false;
    connect_deadline_.stop();
    tcp_ready_ = true;
    emit status(QString::fromLatin1(term_status::kTcpConnected));
    // Bytes that came with the connection.
    if (socket_ && socket_->bytesAvailable() > 0)
        emit received(socket_->readAll());
}

void TerminalLink::on_tcp_error(int error) {
    if (!connecting_)
        return; // errors of an open connection show as its closing
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
    case QAbstractSocket::HostNotFoundError:
    case QAbstractSocket::SocketTimeoutError:
    case QAbstractSocket::RemoteHostClosedError:
        // Nobody will answer this attempt: no point waiting out the second.
        on_connect_deadline();
        break;
    case QAbstractSocket::NetworkError:
        connecting_ = false;
        connect_deadline_.stop();
        emit status(QString::fromLatin1(term_status::kNoNetwork));
        break;
    default:
        connecting_ = false;
        connect_deadline_.stop();
        emit status(QString());
        emit unknown_error(QStringLiteral("unknown error - ") + QLatin1Char(' ') + QString::number(error));
        break;
    }
}

void TerminalLink::on_connect_deadline() {
    if (!connecting_)
        return;
    connecting_ = false;
    connect_deadline_.stop();
    tcp_ready_ = false;
    if (socket_)
        socket_->abort();
    emit status(QString::fromLatin1(term_status::kTcpFailed));
}

void TerminalLink::open_serial(const LinkSettings &settings) {
    const PortSpec port = port_spec(settings);
    serial_ = new QSerialPort(this);
    bool ok = !port.device.isEmpty();
    if (ok) {
        serial_->setPortName(port.device);
        apply_serial_settings(*serial_, port.serial);
        ok = serial_->open(QIODevice::ReadWrite);
    }
    if (!ok) {
        // The status line says why and what to do about it.
        const QString why =
            port.device.isEmpty()
                ? port.error
                : explain_open_failure(port.device, serial_->errorString(),
                                       serial_->error() == QSerialPort::PermissionError, system_port_environment());
        serial_->close();
        emit status(QString::fromLatin1(term_status::kCommFailed) + QStringLiteral(": ") + why);
        return;
    }
    connect(serial_, &QSerialPort::readyRead, this, [this] {
        if (serial_)
            emit received(serial_->readAll());
    });
    connect(serial_, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError e) {
        // The device went away (adapter pulled): close and say so.
        if (e == QSerialPort::ResourceError && serial_ && serial_->isOpen()) {
            serial_->close();
            emit status(QString::fromLatin1(term_status::kCommLost));
        }
    });
    emit status(QString::fromLatin1(term_status::kCommOpen));
    emit display_cleared();
    if (serial_->bytesAvailable() > 0)
        emit received(serial_->readAll());
}

void TerminalLink::close() {
    connect_deadline_.stop();
    connecting_ = false;
    tcp_ready_ = false;
    if (serial_) {
        serial_->disconnect(this);
        serial_->close();
        serial_->deleteLater();
        serial_ = nullptr;
    }
    if (socket_) {
        socket_->disconnect(this);
        if (socket_->state() == QAbstractSocket::ConnectedState) {
            // Let what was typed last go out before the socket closes.
            socket_->disconnectFromHost();
            if (socket_->state() != QAbstractSocket::UnconnectedState)
                socket_->waitForDisconnected(kConnectWaitMs);
        }
        socket_->abort();
        socket_->deleteLater();
        socket_ = nullptr;
    }
}

bool TerminalLink::send(quint8 byte) {
    return send(QByteArray(1, char(byte)));
}

bool TerminalLink::send(const QByteArray &bytes) {
    if (commtype_ == QLatin1String("S"))
        return serial_ && serial_->isOpen() && serial_->write(bytes) == bytes.size();
    if (commtype_ == QLatin1String("T"))
        return socket_ && tcp_ready_ && socket_->state() == QAbstractSocket::ConnectedState &&
               socket_->write(bytes) == bytes.size();
    return false;
}

qint64 TerminalLink::waiting_to_go() const {
    if (commtype_ == QLatin1String("S") && serial_)
        return serial_->bytesToWrite();
    if (commtype_ == QLatin1String("T") && socket_)
        return socket_->bytesToWrite();
    return 0;
}

} // namespace k52
