#pragma once

// The terminal's own link: the serial port or a TCP connection, opened by
// `commtype`, with raw bytes both ways. Receiving is driven by the device's
// readyRead; nothing polls.

#include "core/profile/link_settings.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QTimer>

class QSerialPort;
class QTcpSocket;

namespace k52 {

// Status line texts.
namespace term_status {
inline const char *const kChecking = "Checking Port Status";
inline const char *const kAttempting = "Attempting Connection to IP device";
inline const char *const kTcpFailed = "Status: unable to connect to tcp/ip port";
inline const char *const kTcpConnected = "Status: tcp/ip port connected";
inline const char *const kTcpClosed = "Status: tcp/ip port closed";
inline const char *const kNoNetwork = "Status: There is no network installed on this machine";
inline const char *const kCommOpen = "Status: comm port open";
inline const char *const kCommFailed = "Status: Unable to open comm port";
inline const char *const kCommLost = "Status: comm port closed";
} // namespace term_status

class TerminalLink : public QObject {
    Q_OBJECT
public:
    // How long a TCP connection may take: ten steps of 100 ms.
    static constexpr int kConnectWaitMs = 10 * 100;

    explicit TerminalLink(QObject *parent = nullptr);
    ~TerminalLink() override;

    // Opens the link that `settings.commtype` chooses ("S" serial, "T" TCP;
    // anything else opens nothing). Outcomes arrive as signals; a TCP
    // connection is waited for without blocking.
    void open(const LinkSettings &settings);
    // Closes serial port and socket and stops receiving.
    void close();

    bool tcp_chosen() const { return commtype_ == QLatin1String("T"); }
    bool tcp_ready() const { return tcp_ready_; }
    bool serial_open() const;
    // Keys are ignored while TCP is chosen and not connected.
    bool keys_ignored() const { return tcp_chosen() && !tcp_ready_; }
    // Write one byte to the open link; false when it was not sent.
    bool send(quint8 byte);
    bool send(const QByteArray &bytes);
    // Bytes written but not yet on the wire.
    qint64 waiting_to_go() const;

signals:
    void status(const QString &text);
    // The terminal display is to be cleared (the link is being opened).
    void display_cleared();
    void received(const QByteArray &bytes);
    // A socket error this terminal cannot explain ("unknown error - " and its number).
    void unknown_error(const QString &text);

private:
    void open_tcp(const LinkSettings &settings);
    void open_serial(const LinkSettings &settings);
    void on_tcp_connected();
    void on_tcp_error(int error);
    void on_connect_deadline();

    QString commtype_;
    QSerialPort *serial_ = nullptr;
    QTcpSocket *socket_ = nullptr;
    QTimer connect_deadline_;
    bool connecting_ = false;
    bool tcp_ready_ = false;
};

} // namespace k52
