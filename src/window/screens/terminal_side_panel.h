#pragma once

// Beside the terminal's grid: the line view (each received line with its
// time), the hex view (every byte as two hex digits, sent black and
// received red), "Log to file…" and "Send file…". The views remember
// whether they are on. With all of them off the grid works as before.

#include "core/terminal/terminal_record.h"

#include <QByteArray>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <utility>
#include <vector>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace k52 {

class ProfileStore;

class TerminalSidePanel : public QWidget {
    Q_OBJECT
public:
    // `send` sends bytes of a file on the link (false: not sent);
    // `waiting` says how many bytes still wait to go out on the wire.
    TerminalSidePanel(ProfileStore &store, std::function<bool(const QByteArray &)> send,
                      std::function<qint64()> waiting, QWidget *parent = nullptr);
    ~TerminalSidePanel() override;

    // Every byte that went out or came in, as the terminal sees it.
    void sent(const QByteArray &bytes);
    void received(const QByteArray &bytes);

    void set_line_view(bool on);
    void set_hex_view(bool on);
    // Start logging into `path` (appended); false, with the reason told.
    bool start_log(const QString &path);
    void stop_log();
    // Send the file at `path`; false, with the reason told.
    bool start_send(const QString &path);
    void stop_send();
    bool sending() const { return send_timer_.isActive(); }

    QCheckBox *line_view_box() const { return line_box_; }
    QCheckBox *hex_view_box() const { return hex_box_; }
    QPlainTextEdit *line_view() const { return line_view_; }
    QPlainTextEdit *hex_view() const { return hex_view_; }
    QPushButton *log_button() const { return log_button_; }
    QLabel *log_label() const { return log_label_; }
    QPushButton *send_button() const { return send_button_; }
    QPushButton *stop_button() const { return stop_button_; }
    QProgressBar *progress() const { return progress_; }
    const TerminalLog &log() const { return log_; }

signals:
    // A problem the installer should be told about.
    void problem(const QString &text);

private:
    void remember(const char *name, bool on);
    void send_more();
    void hex_append(const QByteArray &bytes, bool received);
    void show_pending(); // the views catch up

    ProfileStore &store_;
    std::function<bool(const QByteArray &)> send_;
    std::function<qint64()> waiting_;
    LineStamper stamper_;
    HexRows hex_rows_;
    TerminalLog log_;
    QByteArray file_;
    qsizetype file_at_ = 0;
    QString send_name_;
    QTimer send_timer_;
    // What the views are still to show: they catch up a few times a second,
    // so that a burst costs one layout of its last rows, not one per chunk.
    QTimer view_timer_;
    QString pending_lines_;
    std::vector<std::pair<QByteArray, bool>> pending_hex_; // bytes, received
    QCheckBox *line_box_ = nullptr;
    QCheckBox *hex_box_ = nullptr;
    QPlainTextEdit *line_view_ = nullptr;
    QPlainTextEdit *hex_view_ = nullptr;
    QPushButton *log_button_ = nullptr;
    QLabel *log_label_ = nullptr;
    QPushButton *send_button_ = nullptr;
    QPushButton *stop_button_ = nullptr;
    QProgressBar *progress_ = nullptr;
    QLabel *send_label_ = nullptr;
};

} // namespace k52
