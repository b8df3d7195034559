#pragma once
// Fleet mode: the same job (programming run, firmware download, clone
// write) for every converter plugged in, one after another on each port and
// on several ports at once. Used by the command line (`--each`) and by the
// fleet window; this class has no window of its own.
//
// Each port the lister gives (asked again every second) goes round:
//   looking   one "V" at the settings its converter answered at last (the
//             stored link settings at first); every setting when the port
//             has just appeared or its converter has just gone;
//   working   a converter answered: the job runs on it with its history row;
//   leaving   "V" again until the converter has gone (the port is gone or
//             nothing answered for the settle time), so a converter is never
//             written twice while it stays plugged in.
// Each port has its own DeviceJob, link and worker thread.

#include "action_record.h"
#include "converter_search.h"
#include "device_job.h"
#include "link_closers.h"
#include "recorded_job.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QVector>

#include <chrono>
#include <functional>
#include <map>
#include <memory>

namespace k52 {

class ProfileStore;

// One converter plugged in, as the fleet saw it: one row of the run.
// The trace file of the fleet's row `row` (counted from 0) for `base`.
QString fleet_trace_path(const QString &base, int row);

struct FleetConverter {
    QString port;     // device path
    QString identity; // the adapter's identity; empty when it has none
    QString model;    // "K52"
    QString firmware; // "01.99"
    LineSetting setting;
    QDateTime started;
    double seconds = 0;
    QString outcome; // empty while the job runs, else kOutcomeDone, ...Refused, ...Failed, ...Stopped
    QString detail;  // the refusing command, or how far a failed job got
    qint64 history = 0;
    QStringList lines;
    bool under_way() const { return outcome.isEmpty(); }
};

// How many rows ended each way.
struct FleetCounts {
    int done = 0, refused = 0, failed = 0, stopped = 0, under_way = 0;
    int finished() const { return done + refused + failed; }
};
FleetCounts fleet_counts(const QVector<FleetConverter> &rows);

// "15:02:11  /dev/ttyUSB0  K52 01.99  usb-FTDI_A1  done  4.2 s": the line
// the command line prints for a row that has ended.
QString fleet_line(const FleetConverter &c);
// The run's summary: counts, each refusal (command and firmware) and
// failure, and the history rows.
QStringList fleet_summary(const QVector<FleetConverter> &rows);
// The rows for the site's records, one a line, with a header.
QByteArray fleet_csv(const QVector<FleetConverter> &rows);

// What the fleet does to each converter.
struct FleetJob {
    QString action;   // the history row's action: "program", "flash", "clone write"
    QString at_stake; // the question before a guarded stop
    // Fills in the row before it is begun (profile snapshot, file).
    std::function<void(ActionRecord &)> prepare;
    // Starts the work for `port` on `job`, feeding `record`; `ended` runs on
    // the fleet's thread once the row is complete. Made by fleet_work().
    std::function<bool(DeviceJob &job, std::shared_ptr<ActionRecord> record, const PortSpec &port,
                       std::function<void()> ended)>
        start;
};

// The start of a FleetJob from `work(ByteLink &, const PortSpec &,
// JobProgress &) -> Result` (a Result with history_end()). Every byte of a
// converter's job passes through the link given to `work`: a wire trace
// wraps that link there, one trace per converter. With `backup`
// the image is read first into the row; when that fails the converter is
// written only when `backup_optional`.
template <class Work>
auto fleet_work(Work work, QString at_stake, ImageReader backup = {}, bool backup_optional = false) {
    return [work, at_stake, backup, backup_optional](DeviceJob &job, std::shared_ptr<ActionRecord> record,
                                                     const PortSpec &port, std::function<void()> ended) {
        auto bound = [work, port](ByteLink &link, JobProgress &progress) { return work(link, port, progress); };
        using Result = std::invoke_result_t<decltype(bound) &, ByteLink &, JobProgress &>;
        return start_recorded_with_backup(
            job, record, backup, port, [backup_optional](const QString &) { return backup_optional; },
            [ended](const QString &) { ended(); }, bound, [ended](const Result &) { ended(); }, at_stake);
    };
}

class Fleet : public QObject {
    Q_OBJECT
public:
    using PortLister = std::function<QVector<PortEntry>()>;
    struct Options {
        LineSetting stored{9600, 0};            // the stored link settings: the first to try
        int count = 0;                          // end after this many finished; 0: until stopped
        std::chrono::milliseconds settle{2000}; // no answer this long: the converter has gone
        std::chrono::milliseconds rescan{1000}; // how often the ports are listed again
        // A wire trace for each converter: "wire.txt" gives "wire-1.txt",
        // "wire-2.txt", ... by row; empty: none.
        QString trace;
    };

    // `store` receives one history row per converter (none when null).
    Fleet(LinkClosers &links, ProfileStore *store, PortLister ports, FleetJob job, Options options,
          QObject *parent = nullptr);
    ~Fleet() override;

    void start();
    // Stops the jobs under way (each then ends "stopped") and takes no more
    // converters; ended() follows once every port's job has ended.
    void stop();
    bool running() const { return started_ && !over_; }
    // Whether a job that would leave a converter half written is under way.
    bool writing() const;
    const QVector<FleetConverter> &converters() const { return rows_; }
    FleetCounts counts() const { return fleet_counts(rows_); }

signals:
    void converter_added(int row); // a converter answered; its job starts
    void converter_line(int row, const QString &text);
    void converter_ended(int row); // its job ended (outcome set)
    void ports_changed(int watched);
    void ended(); // after stop() or --count, once nothing runs any more

private:
    struct Port;
    void rescan();
    void look(Port &p);
    void looked(Port &p, const Presence &r);
    void work(Port &p, const FoundConverter &found);
    void worked(Port &p, int row, const std::shared_ptr<ActionRecord> &record);
    void leave(Port &p);
    void closing();
    void check_end();
    bool taking() const;

    LinkClosers &links_;
    ProfileStore *store_;
    PortLister lister_;
    FleetJob job_;
    Options options_;
    QTimer timer_;
    std::map<QString, std::unique_ptr<Port>> ports_;
    QVector<FleetConverter> rows_;
    bool started_ = false;
    bool halting_ = false; // stopped, or the count reached
    bool over_ = false;
};

} // namespace k52
