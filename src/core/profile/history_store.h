#pragma once
// The record of every action that wrote to a converter or read its image:
// table `history` (one row per action, small columns only, so listing stays
// fast however many rows there are) and `history_detail` (the profile
// snapshot, progress lines and images of a row). A row is written when the
// action starts and completed when it ends, each in its own transaction, so
// an action cut off by a crash still shows as begun.

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>
#include <optional>

namespace k52 {

class ProfileStore;

struct HistoryEntry {
    qint64 id = 0;
    QDateTime started;  // UTC
    QDateTime finished; // invalid while begun
    QString action;     // "program", "clone read", "clone write", "flash", "reset", "restart", "restore"
    QString device;     // device path
    QString adapter;    // the adapter's description where the port list knows it
    QString converter;  // identification, e.g. "K52 V01.99", when the converter answered
    QString profile;    // profile name of the snapshot
    QString outcome;    // "begun", "done", "refused", "stopped", "failed"
    QString detail;     // refused at which command, failed with which error
    QString file_name;  // firmware file of a download
    qint64 file_size = -1;
    QString file_sha256;
    bool has_backup = false; // an image read before writing is stored
    QStringList changed;     // settings sent that differed from the stored profile ("Screen: Caption")
    // Detail (only filled by HistoryStore::entry()).
    QByteArray snapshot; // the record sent, as `profiles export` writes it
    QStringList lines;   // every progress line
    QByteArray backup;   // the converter's image read before writing
    QByteArray image;    // the image read by a clone read, or written by a clone write
    // SHA-256 (hex) of `backup` and `image` as they were stored; empty for
    // rows stored before digests were kept (only filled by entry()).
    QString backup_sha256;
    QString image_sha256;
    QByteArray trace; // the wire trace of an action that did not end well
};

struct HistoryFilter {
    QString profile; // exact name, compared without letter case; empty: all
    QDate from;      // local dates, inclusive; invalid: open
    QDate to;
    int limit = 0; // 0: all
};

// Outcomes.
inline const QString kOutcomeBegun = QStringLiteral("begun");
inline const QString kOutcomeDone = QStringLiteral("done");
inline const QString kOutcomeRefused = QStringLiteral("refused");
inline const QString kOutcomeStopped = QStringLiteral("stopped");
inline const QString kOutcomeFailed = QStringLiteral("failed");

// SHA-256 of an image, in hex, as stored beside it.
QString image_digest(const QByteArray &image);
// Why the image stored in row `id` must not be written back: its length is
// not `size`, or it does not match the digest stored with it. A row stored
// before digests were kept has none: refused unless `unchecked_ok`. Empty
// when the image may be used.
QString stored_image_problem(qint64 id, const QByteArray &image, const QString &digest, int size, bool unchecked_ok);

class HistoryStore {
public:
    explicit HistoryStore(ProfileStore &store) : store_(store) {}

    // New row with outcome "begun" (and its detail); sets e.id. One transaction.
    bool begin(HistoryEntry &e, QString *error);
    // Completes the row: finish time, outcome, detail, converter, lines,
    // backup and image. One transaction.
    bool finish(const HistoryEntry &e, QString *error);
    // Stores the image read before writing into row `id` at once, with its
    // digest, in a transaction of its own, so that the backup is safe before
    // the first byte goes to the converter.
    bool store_backup(qint64 id, const QByteArray &image, QString *error);

    // Rows newest first, without their detail.
    QVector<HistoryEntry> list(const HistoryFilter &f, QString *error) const;
    // The same rows handed to `row` one by one (a long history is written
    // out without being held whole). False, with the reason, on failure.
    bool visit(const HistoryFilter &f, const std::function<void(const HistoryEntry &)> &row, QString *error) const;
    // One row with its detail.
    std::optional<HistoryEntry> entry(qint64 id, QString *error) const;

    // `history list`: one line per row, newest first: number, local time,
    // action, outcome (with its detail), converter, profile, device.
    bool visit_lines(const HistoryFilter &f, const std::function<void(const QString &)> &line, QString *error) const;

    // Whether the windows read the converter's image before writing to it
    // (remembered in table `preferences`; off unless switched on).
    bool backup_before_writing() const;
    bool set_backup_before_writing(bool on, QString *error);
    // Other remembered on/off choices (the terminal's views), by name.
    bool flag(const QString &name) const;
    bool set_flag(const QString &name, bool on, QString *error);

private:
    bool select(const HistoryFilter &f, const QString &what, QSqlQuery &q, QString *error) const;
    QSqlDatabase db() const;
    bool fail(QString *error, const QString &what, const QString &detail) const;
    ProfileStore &store_;
};

// The row as JSON (history export): every field, lines as an array, the
// snapshot as the embedded profile object, images as hex.
QByteArray history_to_json(const HistoryEntry &e);
// `history show`: every field on a line of its own, then the progress lines.
QString history_show_text(const HistoryEntry &e);
// The profile of a row as shown: "Default", or "Default, 3 settings changed"
// when the record sent differed from the stored profile.
QString history_profile_text(const HistoryEntry &e);
// "2026-12-07 14:05:11" in local time.
QString history_time_text(const QDateTime &utc);

} // namespace k52
