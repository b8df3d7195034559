#pragma once
// The history row of one device action (programming run, clone read or
// write, flash download, reset, restart, restore): begun on the caller's
// thread before the converter is touched, fed with progress lines from any
// thread, completed on the caller's thread when the action has returned.
// Without a store nothing is recorded and every call is a no-op.

#include "core/profile/history_store.h"
#include "watching_link.h"

#include <QString>

#include <memory>
#include <mutex>

namespace k52 {

class ProfileStore;
struct ConfigRecord;
class WireTrace;

class ActionRecord {
public:
    ActionRecord(ProfileStore *store, const QString &action);

    bool enabled() const { return store_ != nullptr; }
    // Record nothing further (the row could not be begun).
    void disable() { store_ = nullptr; }
    HistoryEntry &entry() { return entry_; }
    qint64 id() const { return entry_.id; }

    // The device path, and the adapter's description from the port list.
    void set_device(const QString &port);
    // The profile name and the snapshot of the record that is sent.
    // `changed`: the settings of `rec` that differ from the stored profile.
    void set_profile(const QString &name, const ConfigRecord &rec, const QStringList &changed = {});
    // Name, size and SHA-256 of a firmware file.
    void set_file(const QString &path, const QByteArray &contents);

    // Writes the row as begun. False, with the reason, when it cannot be
    // written (the action should then not go on: its record would be lost).
    bool begin(QString *error);
    // Thread-safe.
    void line(const QString &text);
    // The image read before writing, and the image a clone read brought
    // (thread-safe).
    void set_backup(const QByteArray &image);
    void set_image(const QByteArray &image);
    // Keeps `image` as the backup and stores it in the row at once, in a
    // step of its own. False, with the reason, when it cannot be stored.
    bool store_backup(const QByteArray &image, QString *error);
    // The wire trace of the action's link: kept with the row when the
    // action does not end "done".
    void set_trace(std::shared_ptr<WireTrace> trace) { trace_ = std::move(trace); }
    // Completes the row; the converter's identification is taken from
    // `watched` when it answered. A no-op when begin() was not called.
    bool finish(const QString &outcome, const QString &detail, const WatchingLink *watched, QString *error = nullptr);
    // Why the last finish() failed; empty when it succeeded or did not run.
    QString finish_error() const { return finish_error_; }

private:
    QString finish_error_;
    ProfileStore *store_;
    HistoryEntry entry_;
    std::shared_ptr<WireTrace> trace_;
    std::mutex mutex_;
};

} // namespace k52
