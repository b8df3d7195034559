// The boot loader: woken by 0x00 0x1B 0x0D 0x00 0x1B 0x0D, it answers "TK"
// to "B", "K" to every block whose XOR checks, then takes the end marker,
// the 44-byte trailer and the date ("B" after it) and two fill passes of 52
// 0xFF bytes ("B" after each). The firmware it received (body and trailer,
// as the file held them) goes to --firmware-out.
#include "sim.h"

#include <QSaveFile>

#include <cstdio>

namespace k52sim {
namespace {

constexpr int kMaxBlock = 50;
constexpr int kTrailer = 44;
constexpr int kDate = 8;
constexpr int kFill = 52;

struct BootOptions {
    QString out_path;
    int bad_ack_after = -1; // answer "B" instead of "K" to the block after this many
    int hangup_after = -1;  // hang up when the block after this many arrives
    int stall_after = -1;   // say nothing more after this many blocks
};
BootOptions g_options;

class BootLoaderMode : public Mode {
public:
    void on_byte(Sim &sim, quint8 b) override {
        switch (state_) {
        case State::Start:
            // The rest of the wake-up, and anything else, until "B".
            if (b == 'B') {
                sim.log_command("BOOT");
                sim.pace(1);
                sim.send("TK");
                state_ = State::Length;
            }
            return;
        case State::Length:
            if (b == 0) {
                state_ = State::Trailer;
            } else if (b > kMaxBlock) {
                abandon(sim, "FLASH BAD LENGTH " + QByteArray::number(b));
            } else if (g_options.hangup_after >= 0 && blocks_ >= g_options.hangup_after) {
                sim.hang_up();
            } else {
                want_ = b;
                block_.clear();
                state_ = State::Data;
            }
            return;
        case State::Data:
            block_.append(static_cast<char>(b));
            if (block_.size() == want_)
                state_ = State::Check;
            return;
        case State::Check: {
            quint8 x = 0;
            for (char c : block_)
                x ^= static_cast<quint8>(c);
            sim.pace(want_ + 2);
            state_ = State::Length;
            if (x != b) {
                abandon(sim, "FLASH BAD XOR IN BLOCK " + QByteArray::number(blocks_ + 1));
                return;
            }
            ++blocks_;
            received_.append(block_);
            if (g_options.stall_after >= 0 && blocks_ > g_options.stall_after)
                return; // no acknowledgement: the download's deadline runs out
            const bool bad = g_options.bad_ack_after >= 0 && blocks_ > g_options.bad_ack_after;
            sim.send(bad ? "B" : "K");
            return;
        }
        case State::Trailer:
            received_.append(static_cast<char>(b));
            if (++count_ == kTrailer) {
                count_ = 0;
                state_ = State::Date;
            }
            return;
        case State::Date:
            date_.append(static_cast<char>(b));
            if (date_.size() == kDate) {
                sim.pace(1 + kTrailer + kDate);
                if (!all_digits(date_)) {
                    abandon(sim, "FLASH BAD DATE " + date_.toHex());
                    return;
                }
                sim.send("B");
                state_ = State::Fill;
            }
            return;
        case State::Fill:
            if (b != 0xFF)
                fill_ok_ = false;
            if (++count_ < kFill)
                return;
            count_ = 0;
            sim.pace(kFill);
            if (!fill_ok_) {
                abandon(sim, "FLASH BAD FILL");
                return;
            }
            if (++passes_ == 2)
                finish(sim);
            else
                sim.send("B");
            return;
        }
    }

private:
    enum class State { Start, Length, Data, Check, Trailer, Date, Fill };

    // A malformed download: answer "E" and go back to the converter.
    void abandon(Sim &sim, const QByteArray &why) {
        sim.log_command(why);
        sim.send("E");
        sim.set_mode(nullptr);
    }

    // The image is stored before the last "B", so that whoever sees that
    // answer finds the file complete.
    void finish(Sim &sim) {
        if (!g_options.out_path.isEmpty()) {
            QSaveFile f(g_options.out_path);
            if (!f.open(QIODevice::WriteOnly) || f.write(received_) != received_.size() || !f.commit()) {
                std::fprintf(stderr, "k52sim: cannot write %s\n", qPrintable(g_options.out_path));
                abandon(sim, "FLASH NOT STORED");
                return;
            }
        }
        sim.log_command("FLASH " + QByteArray::number(received_.size()) + " " + date_);
        sim.send("B");
        sim.set_mode(nullptr);
    }

    State state_ = State::Start;
    int want_ = 0;
    int count_ = 0;
    int blocks_ = 0;
    int passes_ = 0;
    bool fill_ok_ = true;
    QByteArray block_;
    QByteArray received_;
    QByteArray date_;
};

bool count_option(const QCommandLineParser &p, const QString &name, int &out, QString *error) {
    if (!p.isSet(name))
        return true;
    bool ok = false;
    out = p.value(name).toInt(&ok);
    if (ok && out >= 0)
        return true;
    *error = QStringLiteral("--%1 needs a number").arg(name);
    return false;
}

using O = QCommandLineOption;

} // namespace
std::vector<OptionEntry> boot_loader_options() {
    return {
        {O(QStringLiteral("firmware-out"),
           QStringLiteral("Write the firmware a flash download delivered (body and trailer) to "
                          "FILE."),
           QStringLiteral("FILE")),
         [](Sim &, const QCommandLineParser &p, QString *) {
             g_options.out_path = p.value(QStringLiteral("firmware-out"));
             return true;
         }},
        {O(QStringLiteral("flash-bad-ack-after"),
           QStringLiteral("Answer \"B\" instead of \"K\" to the block after N blocks."), QStringLiteral("N")),
         [](Sim &, const QCommandLineParser &p, QString *error) {
             return count_option(p, QStringLiteral("flash-bad-ack-after"), g_options.bad_ack_after, error);
         }},
        {O(QStringLiteral("flash-hangup-after"), QStringLiteral("Hang up when the block after N blocks arrives."),
           QStringLiteral("N")),
         [](Sim &, const QCommandLineParser &p, QString *error) {
             return count_option(p, QStringLiteral("flash-hangup-after"), g_options.hangup_after, error);
         }},
        {O(QStringLiteral("flash-stall-after"), QStringLiteral("Acknowledge N blocks, then say nothing."),
           QStringLiteral("N")),
         [](Sim &, const QCommandLineParser &p, QString *error) {
             return count_option(p, QStringLiteral("flash-stall-after"), g_options.stall_after, error);
         }},
    };
}

std::vector<SequenceEntry> boot_loader_sequences() {
    return {
        {QByteArray("\x00\x1b\x0d\x00\x1b\x0d", 6), [](Sim &s) { s.set_mode(std::make_unique<BootLoaderMode>()); }},
    };
}

} // namespace k52sim
