#include "sim.h"

#include <QCoreApplication>
#include <QRandomGenerator>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <map>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace k52sim {

namespace {

const std::map<QByteArray, CommandHandler> &commands() {
    static const std::map<QByteArray, CommandHandler> m = [] {
        std::map<QByteArray, CommandHandler> out;
        for (auto &&table : {clone_commands(), programming_commands()})
            for (const CommandEntry &e : table)
                out[e.prefix] = e.handler;
        return out;
    }();
    return m;
}

const std::vector<SequenceEntry> &sequences() {
    static const std::vector<SequenceEntry> v = boot_loader_sequences();
    return v;
}

const std::vector<OptionEntry> &options() {
    static const std::vector<OptionEntry> v = [] {
        std::vector<OptionEntry> out;
        for (auto &&table : {boot_loader_options(), clone_options(), general_options()})
            out.insert(out.end(), table.begin(), table.end());
        return out;
    }();
    return v;
}

// The link path to remove when the simulator is ended by a signal.
char g_link[4096] = {0};

extern "C" void on_signal(int) {
    if (g_link[0])
        ::unlink(g_link);
    ::_exit(0);
}

// The converter mode: framed commands.
class ConverterMode : public Mode {
public:
    void on_byte(Sim &sim, quint8 b) override {
        recent_.append(static_cast<char>(b));
        if (recent_.size() > 32)
            recent_.remove(0, recent_.size() - 32);
        for (const auto &[seq, handler] : sequences()) {
            if (recent_.endsWith(seq)) {
                recent_.clear();
                in_frame_ = false;
                buf_.clear();
                handler(sim);
                return;
            }
        }
        if (b == 0x00) {
            in_frame_ = true;
            buf_.clear();
        } else if (b == 0x7F && in_frame_) {
            in_frame_ = false;
            sim.pace(static_cast<int>(buf_.size()) + 2);
            sim.dispatch(buf_);
        } else if (b == 0x0D && in_frame_ && buf_.size() == 65 && (buf_[0] == '\x01' || buf_[0] == '\x02')) {
            // A clone download packet: type, 64 nibble characters, CR.
            in_frame_ = false;
            sim.pace(67);
            sim.dispatch(buf_);
        } else if (in_frame_) {
            buf_.append(static_cast<char>(b));
        } else if (sim.echo) {
            // Terminal traffic: what is typed comes straight back.
            sim.send(QByteArray(1, static_cast<char>(b)));
        }
    }

private:
    bool in_frame_ = false;
    QByteArray buf_;
    QByteArray recent_; // the last bytes, for the sequences
};

} // namespace

bool all_digits(const QByteArray &s) {
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

bool all_hex(const QByteArray &s) {
    for (char c : s)
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f')))
            return false;
    return true;
}

void Sim::pace(int bytes) {
    if (pace_baud <= 0 || bytes <= 0)
        return;
    const long long ns = 10LL * bytes * 1000000000LL / pace_baud;
    timespec ts{static_cast<time_t>(ns / 1000000000LL), static_cast<long>(ns % 1000000000LL)};
    while (::nanosleep(&ts, &ts) != 0 && errno == EINTR) {
    }
}

void Sim::log_wire(char what, const char *bytes, qsizetype n) {
    if (!wire_log_.isOpen() || n <= 0)
        return;
    wire_log_.write(QByteArray(1, what) + ' ' + QByteArray(bytes, n).toHex() + '\n');
    wire_log_.flush();
}

void Sim::send(const QByteArray &bytes) {
    if (master_ < 0)
        return;
    log_wire('S', bytes.constData(), bytes.size());
    if (pace_baud > 0) {
        // One byte per ten bit times, against an absolute schedule.
        timespec t;
        ::clock_gettime(CLOCK_MONOTONIC, &t);
        const long long step = 10LL * 1000000000LL / pace_baud;
        for (char c : bytes) {
            long long ns = t.tv_nsec + step;
            t.tv_sec += ns / 1000000000LL;
            t.tv_nsec = ns % 1000000000LL;
            while (::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &t, nullptr) == EINTR) {
            }
            [[maybe_unused]] auto n = ::write(master_, &c, 1);
        }
        return;
    }
    qsizetype off = 0;
    while (off < bytes.size()) {
        const ssize_t n = ::write(master_, bytes.constData() + off, bytes.size() - off);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        off += n;
    }
}

void Sim::reply(const QByteArray &text) {
    if (silent)
        return;
    QByteArray out;
    if (garbage) {
        auto *rng = QRandomGenerator::global();
        const int n = 1 + rng->bounded(20);
        for (int i = 0; i < n; ++i)
            out.append(static_cast<char>(rng->bounded(256)));
        out.append('\r');
    } else {
        out = fixed_reply.isEmpty() ? text : fixed_reply.toLatin1();
        out.append('\r');
        if (crlf)
            out.append('\n');
    }
    send(out);
}

void Sim::log_command(const QByteArray &command) {
    if (!log_.isOpen())
        return;
    log_.write(command);
    log_.write("\n");
    log_.flush();
}

void Sim::set_mode(std::unique_ptr<Mode> mode) {
    pending_mode_ = std::move(mode);
    mode_change_ = true;
}

int Sim::line_speed() const {
    static const std::pair<speed_t, int> kSpeeds[] = {
        {B300, 300},     {B600, 600},     {B1200, 1200},   {B2400, 2400},     {B4800, 4800},    {B9600, 9600},
        {B19200, 19200}, {B38400, 38400}, {B57600, 57600}, {B115200, 115200}, {B230400, 230400}};
    termios t{};
    if (slave_ < 0 || ::tcgetattr(slave_, &t) != 0)
        return 0;
    const speed_t s = ::cfgetospeed(&t);
    for (const auto &[code, rate] : kSpeeds)
        if (code == s)
            return rate;
    return 0;
}

void Sim::dispatch(const QByteArray &command) {
    log_command(command);
    // At another speed than its own a converter sees noise and what it
    // sends back is noise to the caller.
    if (baud > 0 && line_speed() != baud) {
        auto *rng = QRandomGenerator::global();
        QByteArray noise;
        const int n = 1 + rng->bounded(12);
        for (int i = 0; i < n; ++i)
            noise.append(static_cast<char>(rng->bounded(256)));
        send(noise);
        ++answered_;
        return;
    }
    const CommandHandler *best = nullptr;
    qsizetype best_len = -1;
    for (const auto &[prefix, handler] : commands()) {
        if (command.startsWith(prefix) && prefix.size() > best_len) {
            best = &handler;
            best_len = prefix.size();
        }
    }
    bool refused = false, stalled = false;
    for (const QString &r : refuse)
        if (!r.isEmpty() && command.startsWith(r.toLatin1()))
            refused = true;
    for (const QString &r : stall)
        if (!r.isEmpty() && command.startsWith(r.toLatin1()))
            stalled = true;
    if (stall_after >= 0 && answered_ >= stall_after)
        stalled = true;
    // A stalled command gets no answer at all: the program's deadline runs out.
    if (!stalled) {
        if (refused || !best)
            reply("ERR");
        else
            (*best)(*this, command);
    }
    ++answered_;
}

int Sim::run(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("k52sim"));
    QCommandLineParser p;
    p.setApplicationDescription(
        QStringLiteral("A converter on a pseudo-terminal. Prints the device path on its first line, then answers the\n"
                       "framed commands of the programming run as a converter of the given model and firmware would."));
    p.addHelpOption();
    QCommandLineOption link_opt(QStringLiteral("link"), QStringLiteral("Make a symbolic link to the device."),
                                QStringLiteral("PATH"));
    p.addOption(link_opt);
    for (const OptionEntry &e : options())
        p.addOption(e.option);
    p.process(app);
    for (const OptionEntry &e : options()) {
        QString error;
        if (!e.apply(*this, p, &error)) {
            std::fprintf(stderr, "k52sim: %s\n", qPrintable(error));
            return 2;
        }
    }
    if (!log_path.isEmpty()) {
        log_.setFileName(log_path);
        if (!log_.open(QIODevice::WriteOnly | QIODevice::Append)) {
            std::fprintf(stderr, "k52sim: cannot write the log %s\n", qPrintable(log_path));
            return 2;
        }
    }
    if (!wire_log_path.isEmpty()) {
        wire_log_.setFileName(wire_log_path);
        if (!wire_log_.open(QIODevice::WriteOnly | QIODevice::Append)) {
            std::fprintf(stderr, "k52sim: cannot write the wire log %s\n", qPrintable(wire_log_path));
            return 2;
        }
    }
    char name[256] = {0};
    if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0) {
        std::perror("k52sim: openpty");
        return 1;
    }
    // Raw line, as a serial port would be; the simulator keeps its own end
    // of the slave open so that the line survives the program closing it.
    termios t{};
    if (::tcgetattr(slave_, &t) == 0) {
        ::cfmakeraw(&t);
        ::tcsetattr(slave_, TCSANOW, &t);
    }
    ::fcntl(master_, F_SETFD, FD_CLOEXEC);
    ::fcntl(slave_, F_SETFD, FD_CLOEXEC);
    const QString link = p.value(link_opt);
    if (!link.isEmpty()) {
        const QByteArray l = link.toLocal8Bit();
        ::unlink(l.constData());
        if (::symlink(name, l.constData()) != 0) {
            std::perror("k52sim: symlink");
            return 1;
        }
        std::snprintf(g_link, sizeof g_link, "%s", l.constData());
    }
    std::signal(SIGTERM, on_signal);
    std::signal(SIGINT, on_signal);
    std::signal(SIGHUP, on_signal);
    std::signal(SIGPIPE, SIG_IGN);
    std::printf("%s\n", name);
    std::fflush(stdout);

    mode_ = std::make_unique<ConverterMode>();
    char buf[512];
    while (!hung_up_) {
        pollfd fd{master_, POLLIN, 0};
        const int r = ::poll(&fd, 1, -1);
        if (r < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        const ssize_t n = ::read(master_, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR || errno == EAGAIN)
                continue;
            break;
        }
        if (n == 0)
            break;
        log_wire('R', buf, n);
        // Under --hangup-after the line drops as the next command arrives,
        // so the answers before it have surely been read.
        if (hangup_after >= 0 && answered_ >= hangup_after)
            break;
        for (ssize_t i = 0; i < n && !hung_up_; ++i) {
            mode_->on_byte(*this, static_cast<quint8>(buf[i]));
            if (mode_change_) {
                mode_ = pending_mode_ ? std::move(pending_mode_) : std::make_unique<ConverterMode>();
                mode_change_ = false;
            }
        }
    }
    // Hang up: closing both ends makes the program's end of the line fail.
    ::close(slave_);
    ::close(master_);
    if (g_link[0])
        ::unlink(g_link);
    return 0;
}

} // namespace k52sim
