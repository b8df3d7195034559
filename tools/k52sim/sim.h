#pragma once
// k52sim: a converter on a pseudo-terminal, for trying the program and for
// end-to-end tests without hardware.
//
// Extending it: a file of this folder exports tables (declared below and
// gathered in sim.cpp) of
//  - framed commands (0x00 TEXT 0x7F) of the converter mode, as
//    {"MNEMONIC", handler}; the longest listed prefix of a command picks its
//    handler;
//  - raw byte sequences that the converter mode reacts to outside the
//    framing (the boot loader's wake-up), as {bytes, handler}; the handler
//    runs once the sequence's last byte has arrived;
//  - command-line options, as {option, apply};
//  - whole modes (raw terminal echo, clone packets, boot loader) by
//    implementing Mode and installing it with Sim::set_mode(), from an
//    option's apply function or from a command handler. A mode sees every
//    received byte.

#include <QByteArray>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QFile>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

namespace k52sim {

class Sim;

class Mode {
public:
    virtual ~Mode() = default;
    virtual void on_byte(Sim &sim, quint8 byte) = 0;
};

using CommandHandler = std::function<void(Sim &sim, const QByteArray &command)>;
using SequenceHandler = std::function<void(Sim &sim)>;
using OptionApply = std::function<bool(Sim &sim, const QCommandLineParser &parser, QString *error)>;

struct CommandEntry {
    QByteArray prefix;
    CommandHandler handler;
};
struct SequenceEntry {
    QByteArray sequence;
    SequenceHandler handler;
};
struct OptionEntry {
    QCommandLineOption option;
    OptionApply apply;
};

// The tables of the files of this folder, gathered by the simulator.
std::vector<CommandEntry> programming_commands(); // programming_commands.cpp
std::vector<CommandEntry> clone_commands();       // clone_commands.cpp
std::vector<OptionEntry> clone_options();
std::vector<OptionEntry> general_options();     // options.cpp
std::vector<OptionEntry> boot_loader_options(); // boot_loader.cpp
std::vector<SequenceEntry> boot_loader_sequences();

class Sim {
public:
    // Settings; options fill them before the run.
    QString model = QStringLiteral("K52");
    QString firmware = QStringLiteral("01.99");
    QStringList refuse;    // mnemonics (prefixes) answered "ERR"
    QStringList stall;     // commands (prefixes) left unanswered
    bool silent = false;   // answer nothing
    QString fixed_reply;   // answer every command with this text (when set)
    bool garbage = false;  // answer with noise
    bool crlf = false;     // end replies with CR LF
    int hangup_after = -1; // after answering this many commands, hang up at the next
    int stall_after = -1;  // after answering this many commands, answer nothing more
    int pace_baud = 0;     // take the wire time of this speed
    bool echo = false;     // send back every byte received outside a command frame
    int baud = 0;          // answer only a caller whose line runs at this speed (0: any)
    QString log_path;
    QString wire_log_path; // every byte both ways: "R hex" read, "S hex" sent, a line a chunk

    // Reply text, then CR (and LF under --crlf); the fault switches apply.
    void reply(const QByteArray &text);
    // Raw bytes to the line (paced under --pace).
    void send(const QByteArray &bytes);
    // Append a received command to the log, one line each.
    void log_command(const QByteArray &command);
    // Hand every later byte to `mode` (nullptr: back to the converter).
    void set_mode(std::unique_ptr<Mode> mode);
    // Version gate of the simulated firmware (plain string comparison).
    bool firmware_at_least(const char *gate) const { return firmware.compare(QLatin1String(gate)) >= 0; }
    // Close the line and end the simulator.
    void hang_up() { hung_up_ = true; }

    // Converter mode: the framed command dispatch (used by the default mode).
    void dispatch(const QByteArray &command);
    // Wait as long as `bytes` bytes take on the wire under --pace.
    void pace(int bytes);
    // The speed the caller set on its end of the line (bits per second;
    // 0 when unknown).
    int line_speed() const;

    int run(int argc, char **argv);

private:
    int master_ = -1;
    int slave_ = -1;
    QFile log_;
    QFile wire_log_;
    void log_wire(char what, const char *bytes, qsizetype n);
    std::unique_ptr<Mode> mode_;
    std::unique_ptr<Mode> pending_mode_;
    bool mode_change_ = false;
    bool hung_up_ = false;
    int answered_ = 0;
};

// The converter's 1024-byte stored configuration: what the clone exchange
// reads and writes, and where accepted programming commands are kept.
QByteArray &stored_image();

// Shared checks for the command table.
bool all_digits(const QByteArray &s);
bool all_hex(const QByteArray &s);

} // namespace k52sim
