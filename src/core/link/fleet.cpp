#include "fleet.h"

#include "core/profile/history_store.h"
#include "wire_trace.h"

#include <QFileInfo>

namespace k52 {

namespace {

QString csv_field(QString s) {
    if (!s.contains(QLatin1Char(',')) && !s.contains(QLatin1Char('"')) && !s.contains(QLatin1Char('\n')))
        return s;
    s.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + s + QLatin1Char('"');
}

QString seconds_text(double s) {
    return QString::number(s, 'f', 1) + QStringLiteral(" s");
}

} // namespace

// One watched port: its job and where it is in its round.
struct Fleet::Port {
    enum Phase { Idle, Looking, Working, Leaving };
    Port(LinkClosers &links, PortEntry e) : entry(std::move(e)), job(links) {}
    PortEntry entry;
    DeviceJob job;
    Phase phase = Idle;
    bool listed = true;
    bool search = true; // every setting at the next look
    std::optional<LineSetting> setting;
    QMetaObject::Connection lines;
};

FleetCounts fleet_counts(const QVector<FleetConverter> &rows) {
    FleetCounts c;
    for (const FleetConverter &r : rows) {
        if (r.under_way())
            ++c.under_way;
        else if (r.outcome == kOutcomeDone)
            ++c.done;
        else if (r.outcome == kOutcomeRefused)
            ++c.refused;
        else if (r.outcome == kOutcomeStopped)
            ++c.stopped;
        else
            ++c.failed;
    }
    return c;
}

QString fleet_line(const FleetConverter &c) {
    QString outcome = c.under_way() ? QStringLiteral("under way") : c.outcome;
    if (!c.detail.isEmpty() && c.outcome != kOutcomeDone)
        outcome += QStringLiteral(": ") + c.detail;
    return QStringLiteral("%1  %2  %3 %4  %5  %6  %7")
        .arg(c.started.toLocalTime().toString(QStringLiteral("HH:mm:ss")), c.port, c.model, c.firmware,
             c.identity.isEmpty() ? QStringLiteral("-") : c.identity, outcome, seconds_text(c.seconds));
}

QStringList fleet_summary(const QVector<FleetConverter> &rows) {
    const FleetCounts n = fleet_counts(rows);
    QStringList out;
    out << QStringLiteral("Programmed: %1").arg(n.done);
    auto list = [&](const QString &outcome, const QString &title, int count) {
        out << QStringLiteral("%1: %2").arg(title).arg(count);
        for (const FleetConverter &c : rows)
            if (c.outcome == outcome)
                out << QStringLiteral("  %1  %2 firmware %3: %4").arg(c.port, c.model, c.firmware, c.detail);
    };
    list(kOutcomeRefused, QStringLiteral("Refused"), n.refused);
    list(kOutcomeFailed, QStringLiteral("Failed"), n.failed);
    out << QStringLiteral("Stopped: %1").arg(n.stopped);
    QStringList ids;
    for (const FleetConverter &c : rows)
        if (c.history > 0)
            ids << QString::number(c.history);
    out << QStringLiteral("History rows: %1")
               .arg(ids.isEmpty() ? QStringLiteral("none") : ids.join(QStringLiteral(", ")));
    return out;
}

QByteArray fleet_csv(const QVector<FleetConverter> &rows) {
    QString text = QStringLiteral("started,port,adapter,model,firmware,outcome,detail,seconds,history\n");
    for (const FleetConverter &c : rows) {
        const QStringList fields{c.started.toLocalTime().toString(Qt::ISODate),
                                 c.port,
                                 c.identity,
                                 c.model,
                                 c.firmware,
                                 c.under_way() ? QStringLiteral("under way") : c.outcome,
                                 c.detail,
                                 QString::number(c.seconds, 'f', 1),
                                 c.history > 0 ? QString::number(c.history) : QString()};
        QStringList quoted;
        for (const QString &f : fields)
            quoted << csv_field(f);
        text += quoted.join(QLatin1Char(',')) + QLatin1Char('\n');
    }
    return text.toUtf8();
}

QString fleet_trace_path(const QString &base, int row) {
    const QFileInfo f(base);
    const QString suffix = f.completeSuffix();
    const QString stem = suffix.isEmpty() ? base : base.left(base.size() - suffix.size() - 1);
    return stem + QStringLiteral("-%1").arg(row + 1) + (suffix.isEmpty() ? QString() : QLatin1Char('.') + suffix);
}

Fleet::Fleet(LinkClosers &links, ProfileStore *store, PortLister ports, FleetJob job, Options options, QObject *parent)
    : QObject(parent), links_(links), store_(store), lister_(std::move(ports)), job_(std::move(job)),
      options_(options) {
    timer_.setInterval(options_.rescan);
    connect(&timer_, &QTimer::timeout, this, &Fleet::rescan);
}

Fleet::~Fleet() = default; // each port's job stops and is waited for

void Fleet::start() {
    if (started_)
        return;
    started_ = true;
    timer_.start();
    rescan();
}

bool Fleet::taking() const {
    return !halting_ && (options_.count <= 0 || counts().finished() < options_.count);
}

bool Fleet::writing() const {
    for (const auto &[device, p] : ports_)
        if (p->phase == Port::Working)
            return true;
    return false;
}

void Fleet::rescan() {
    if (halting_)
        return;
    QVector<PortEntry> listed = lister_ ? lister_() : QVector<PortEntry>{};
    for (auto it = ports_.begin(); it != ports_.end();) {
        Port &p = *it->second;
        p.listed = false;
        for (const PortEntry &e : listed)
            p.listed = p.listed || e.device == it->first;
        if (!p.listed && p.phase == Port::Idle) {
            it = ports_.erase(it);
            continue;
        }
        // A port gone from the list has no converter to wait for; one being
        // written to ends by itself when its device has really gone.
        if (!p.listed && (p.phase == Port::Looking || p.phase == Port::Leaving))
            p.job.stop();
        ++it;
    }
    for (const PortEntry &e : listed) {
        auto [it, added] = ports_.try_emplace(e.device);
        if (added)
            it->second = std::make_unique<Port>(links_, e);
        if (it->second->phase == Port::Idle && it->second->listed)
            look(*it->second);
    }
    emit ports_changed(int(ports_.size()));
}

void Fleet::look(Port &p) {
    if (!taking())
        return;
    const PortEntry entry = p.entry;
    const LineSetting first = p.setting.value_or(options_.stored);
    const bool all = p.search;
    p.phase = Port::Looking;
    p.job.start(
        [entry, first, all](ByteLink &link, JobProgress &) { return look_for_converter(link, entry, first, all); },
        [this, &p](const Presence &r) { looked(p, r); });
}

void Fleet::looked(Port &p, const Presence &r) {
    p.phase = Port::Idle;
    if (!taking() || !p.listed) {
        check_end();
        return;
    }
    // A port that could not be opened is searched whole when it opens again.
    p.search = !r.opened;
    if (r.found)
        work(p, *r.found);
}

void Fleet::work(Port &p, const FoundConverter &found) {
    p.setting = found.setting;
    FleetConverter c;
    c.port = p.entry.device;
    c.identity = p.entry.identity;
    c.model = found.model;
    c.firmware = found.firmware;
    c.setting = found.setting;
    c.started = QDateTime::currentDateTimeUtc();
    const int row = int(rows_.size());
    rows_ << c;
    auto record = std::make_shared<ActionRecord>(store_, job_.action);
    record->set_device(p.entry.device);
    if (job_.prepare)
        job_.prepare(*record);
    p.lines = connect(&p.job, &DeviceJob::line, this, [this, row](const QString &text) {
        rows_[row].lines << text;
        emit converter_line(row, text);
    });
    p.phase = Port::Working;
    emit converter_added(row);
    const PortSpec target{p.entry.device, line_serial(found.setting), {}};
    std::shared_ptr<WireTrace> trace;
    if (!options_.trace.isEmpty()) {
        trace = std::make_shared<WireTrace>(false);
        QString why;
        if (!trace->to_file(fleet_trace_path(options_.trace, row), &why)) {
            rows_[row].lines << QStringLiteral("No wire trace: ") + why;
            trace.reset();
        }
    }
    p.job.set_trace(trace);
    if (!job_.start(p.job, record, target, [this, &p, row, record] { worked(p, row, record); })) {
        disconnect(p.lines);
        p.phase = Port::Idle;
        rows_[row].outcome = kOutcomeFailed;
        rows_[row].detail = QStringLiteral("the job could not be started");
        emit converter_ended(row);
    }
}

void Fleet::worked(Port &p, int row, const std::shared_ptr<ActionRecord> &record) {
    disconnect(p.lines);
    FleetConverter &c = rows_[row];
    const HistoryEntry &h = record->entry();
    c.seconds = double(c.started.msecsTo(QDateTime::currentDateTimeUtc())) / 1000.0;
    c.outcome = h.outcome.isEmpty() || h.outcome == kOutcomeBegun ? kOutcomeFailed : h.outcome;
    c.detail = h.detail;
    c.history = h.id;
    if (c.lines.isEmpty())
        c.lines = h.lines;
    if (c.outcome == kOutcomeStopped)
        c.detail = QString::fromLatin1(kStoppedByUser);
    // How far a failed job got: its last progress line before the ending.
    if (c.outcome == kOutcomeFailed && h.lines.size() >= 2)
        c.detail += QStringLiteral(" (reached: %1)").arg(h.lines[h.lines.size() - 2]);
    emit converter_ended(row);
    if (!taking()) {
        p.phase = Port::Idle;
        closing();
        return;
    }
    leave(p);
}

void Fleet::leave(Port &p) {
    p.phase = Port::Leaving;
    const PortSpec target{p.entry.device, line_serial(p.setting.value_or(options_.stored)), {}};
    const auto settle = options_.settle;
    p.job.start(
        [target, settle](ByteLink &link, JobProgress &) {
            wait_until_gone(link, target, settle);
            return true;
        },
        [this, &p](bool) {
            p.phase = Port::Idle;
            p.search = true;
            check_end();
        });
}

void Fleet::stop() {
    if (halting_) {
        check_end();
        return;
    }
    halting_ = true;
    closing();
    for (auto &[device, p] : ports_)
        p->job.stop();
    check_end();
}

// The count is reached, or the run is stopped: no more converters are taken;
// ports only looking or waiting stop now, jobs under way end by themselves
// (or by stop()).
void Fleet::closing() {
    timer_.stop();
    for (auto &[device, p] : ports_)
        if (p->phase == Port::Looking || p->phase == Port::Leaving)
            p->job.stop();
    check_end();
}

void Fleet::check_end() {
    if (over_ || taking())
        return;
    for (const auto &[device, p] : ports_)
        if (p->job.running())
            return;
    over_ = true;
    emit ended();
}

} // namespace k52
