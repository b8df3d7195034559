// The protocols driven by whatever a converter may send. A scripted device
// answers each command with bytes taken from the input; every wait is
// checked against its deadline, and every ending against what really
// happened on the wire.
#include "fuzz_targets.h"

#include "core/link/exchange.h"
#include "core/maintenance/cloning.h"
#include "core/maintenance/flash_download.h"
#include "core/profile/profile_store.h"
#include "core/programming/programming_run.h"
#include "core/programming/run_plan.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>

namespace k52::fuzz {

namespace {

// A device whose answers come from the fuzz input. Reads never block: when
// the device has nothing more to say the read gives up as at its deadline.
class ScriptedDevice : public ByteLink {
public:
    explicit ScriptedDevice(QByteArray script) : script_(std::move(script)) {}

    bool open(const QString &, const SerialSettings &, QString *error) override {
        if (fail_open_) {
            if (error)
                *error = QStringLiteral("busy");
            return false;
        }
        open_ = true;
        return true;
    }
    void close() override { open_ = false; }
    bool is_open() const override { return open_ && !gone_; }
    bool write(const QByteArray &bytes) override {
        if (!is_open())
            return false;
        written += bytes;
        ++writes;
        answer();
        return true;
    }
    std::optional<quint8> read_byte(LinkClock::time_point deadline) override {
        const auto allowed = deadline - LinkClock::now();
        longest_wait = std::max(longest_wait, allowed);
        if (is_open() && pending_.isEmpty())
            answer(); // the device goes on talking
        if (!is_open() || pending_.isEmpty())
            return std::nullopt;
        const auto b = quint8(pending_.at(0));
        pending_.remove(0, 1);
        return b;
    }
    int bytes_waiting() override { return is_open() ? int(pending_.size()) : 0; }
    void interrupt() override { gone_ = true; }

    // Each write, and each read that finds nothing waiting, takes the next
    // piece of the script: one control byte (bits 0-5 a length, bit 6
    // "answer OK", bit 7 "vanish"), then that many raw bytes unless OK was
    // chosen.
    void answer() {
        if (pos_ >= script_.size())
            return;
        const auto c = quint8(script_.at(pos_++));
        if (c & 0x80) {
            gone_ = true;
            return;
        }
        if (c & 0x40) {
            pending_ += first_reply_.isEmpty() ? QByteArray("OK\r") : first_reply_;
            first_reply_.clear();
            return;
        }
        const int n = c & 0x3F;
        pending_ += script_.mid(pos_, n);
        pos_ += n;
    }

    bool fail_open_ = false;
    QByteArray first_reply_;
    QByteArray written;
    int writes = 0;
    LinkClock::duration longest_wait{};

private:
    QByteArray script_;
    qsizetype pos_ = 0;
    QByteArray pending_;
    bool open_ = false;
    bool gone_ = false;
};

PortSpec fuzz_port() {
    PortSpec p;
    p.device = QStringLiteral("fuzz");
    return p;
}

struct Collect : JobProgress {
    QStringList lines;
    void line(const QString &t) override { lines << t; }
};

QString too_long(const ScriptedDevice &d, std::chrono::milliseconds limit) {
    // The deadline asked for may be a little less than the limit (time has
    // passed), never more.
    if (d.longest_wait > limit + std::chrono::milliseconds(1))
        return QStringLiteral("a read waited %1 ms, beyond %2 ms")
            .arg(std::chrono::duration_cast<std::chrono::milliseconds>(d.longest_wait).count())
            .arg(limit.count());
    return {};
}

const char *const kVersions[] = {"01.59", "01.60", "01.69", "01.70", "01.80",
                                 "01.81", "01.93", "01.94", "01.95", "01.99"};

} // namespace

QString reply_parse(const QByteArray &data) {
    // One answer of up to 63 bytes and nothing after it.
    const QByteArray sent = data.left(0x3F);
    ScriptedDevice d(QByteArray(1, char(sent.size())) + sent);
    d.open({}, {}, nullptr);
    const Reply r = exchange(d, QStringLiteral("V"));
    if (d.written != frame_command(QStringLiteral("V")))
        return QStringLiteral("the frame on the wire is not 0x00 V 0x7F");
    const qsizetype cr = sent.indexOf('\r');
    if ((r.status == ReplyStatus::Complete) != (cr >= 0))
        return QStringLiteral("reply complete without a CR, or a CR not seen");
    if (r.status == ReplyStatus::Complete && r.text != QString::fromLatin1(sent.left(cr)))
        return QStringLiteral("reply text is not what came before the CR");
    QString version, ident;
    if (parse_identification(r.text, version, ident)) {
        static const QStringList models = {"K52 ", "K54 ", "K52R ", "K54R "};
        if (std::none_of(models.begin(), models.end(), [&](const QString &m) { return ident.startsWith(m); }))
            return QStringLiteral("accepted identification \"%1\" names no model").arg(ident);
        if (!ident.endsWith(QStringLiteral(" V") + version))
            return QStringLiteral("identification and version disagree");
    }
    return too_long(d, kReplyTimeout);
}

QString programming_run(const QByteArray &data) {
    if (data.isEmpty())
        return {};
    const auto head = quint8(data.at(0));
    ScriptedDevice d(data.mid(1));
    d.fail_open_ = (head & 0xF0) == 0xF0;
    // Mostly a real identification, so the run goes deep.
    if (!(head & 0x80)) {
        static const char *const models[] = {"K52", "K54", "K52R", "K54R"};
        d.first_reply_ = QByteArray("ZOR ") + models[(head >> 4) & 3] + " V" + kVersions[(head & 0x0F) % 10] + "\r";
    }
    ConfigRecord rec = default_profile();
    Collect out;
    const RunResult r = savetoK52(d, fuzz_port(), rec, out);
    if (out.lines.size() < 3 || out.lines[0] != QLatin1String("Starting communications") || out.lines[1] != " ")
        return QStringLiteral("the run did not begin with its two lines");
    const QString last = out.lines.last();
    const bool ended =
        (r.outcome == RunOutcome::Programmed && last == QLatin1String("Converter has been programmed")) ||
        (r.outcome == RunOutcome::Stopped && last == QLatin1String("Programming Stopped")) ||
        (r.outcome == RunOutcome::ErrorDownloading && last == QLatin1String("Error downloading"));
    if (!ended)
        return QStringLiteral("outcome and last line \"%1\" disagree").arg(last);
    if (d.is_open())
        return QStringLiteral("the port was left open");
    if (r.outcome == RunOutcome::Programmed) {
        // Every command of the plan went out, once, in order.
        QString version = QString::fromLatin1(kVersions[(head & 0x0F) % 10]);
        QByteArray want = frame_command(QStringLiteral("V"));
        for (const PlanStep &p : build_plan(rec, version).steps)
            if (p.kind == PlanStep::Command)
                want += frame_command(p.text);
        if (d.written != want)
            return QStringLiteral("programmed, but the wire does not hold the plan");
    }
    return too_long(d, kReplyTimeout);
}

QString clone_protocol(const QByteArray &data) {
    if (data.isEmpty())
        return {};
    static QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("K52clone.dat"));
    const bool reading = data.at(0) & 1;
    QFile::remove(file);
    const QByteArray before(kCloneImageSize, '\x5a');
    {
        QFile f(file);
        if (!f.open(QIODevice::WriteOnly) || f.write(before) != before.size())
            return QStringLiteral("cannot prepare the clone file");
    }
    ScriptedDevice d(data.mid(1));
    if (data.at(0) & 2)
        d.first_reply_ = "ZOR K52 V01.96\r";
    struct Acknowledged : JobProgress {
        qint64 done = 0;
        void step(qint64 d, qint64) override { done = d; }
    } progress;
    const CloneResult r =
        reading ? clone_read(d, fuzz_port(), file, progress) : clone_write(d, fuzz_port(), file, progress);
    const qint64 acknowledged = reading ? 0 : progress.done;
    if (d.is_open())
        return QStringLiteral("the port was left open");
    if (r.message != clone_message(r.outcome))
        return QStringLiteral("message and outcome disagree");
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("the clone file went away");
    const QByteArray after = f.readAll();
    if (reading) {
        if (r.ok() && after.size() != kCloneImageSize)
            return QStringLiteral("read complete, but the file holds %1 bytes").arg(after.size());
        if (!r.ok() && after != before)
            return QStringLiteral("a failed read changed the clone file");
    } else {
        if (r.ok() && acknowledged != kClonePackets)
            return QStringLiteral("clone complete after %1 acknowledged packets").arg(acknowledged);
        if (after != before)
            return QStringLiteral("writing a converter changed the clone file");
    }
    // The upload's deadline covers the image's wire time as well.
    return too_long(d, kCloneTimeout + wire_time(fuzz_port().serial, kCloneImageSize));
}

namespace {
struct NoFlashProgress : JobProgress {};
} // namespace

QString flash_protocol(const QByteArray &data) {
    if (data.size() < 2)
        return {};
    // Bytes 0-1: the firmware file's size (up to 1023); its contents follow
    // a fixed pattern. The rest scripts the boot loader.
    const int size = (quint8(data[0]) | quint8(data[1]) << 8) & 0x3FF;
    QByteArray file(size, '\0');
    for (int i = 0; i < size; ++i)
        file[i] = char((i * 31 + 7) & 0xFF);
    ScriptedDevice d(data.mid(2));
    NoFlashProgress progress;
    const FlashResult r = flash_download(d, fuzz_port(), file, QDate(2026, 12, 7), progress);
    if (d.is_open())
        return QStringLiteral("the port was left open");
    if (r.message.isEmpty())
        return QStringLiteral("an ending without a message");
    if (size <= kFlashTrailerSize && r.ok())
        return QStringLiteral("a file without a body was reported complete");
    if (r.ok()) {
        // Every block of the body went out, in order, each as it should be.
        const QByteArray body = file.left(size - kFlashTrailerSize);
        qsizetype at = 0;
        for (qsizetype i = 0; i < body.size(); i += kFlashBlockSize) {
            at = d.written.indexOf(flash_block(body.mid(i, kFlashBlockSize)), at);
            if (at < 0)
                return QStringLiteral("complete, but block %1 is not on the wire").arg(i / kFlashBlockSize + 1);
        }
        if (d.written.indexOf(file.right(kFlashTrailerSize), at) < 0)
            return QStringLiteral("complete, but the trailer is not on the wire");
    }
    return too_long(d, kFlashHandshakeTimeout);
}

} // namespace k52::fuzz
