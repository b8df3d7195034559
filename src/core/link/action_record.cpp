#include "action_record.h"

#include "core/profile/profile_json.h"
#include "core/profile/profile_store.h"
#include "port_names.h"
#include "wire_trace.h"

#include <QCryptographicHash>
#include <QFileInfo>

namespace k52 {

ActionRecord::ActionRecord(ProfileStore *store, const QString &action) : store_(store) {
    entry_.action = action;
}

void ActionRecord::set_device(const QString &port) {
    entry_.device = port;
    for (const PortEntry &p : list_ports())
        if (p.device == port)
            entry_.adapter = p.description;
}

void ActionRecord::set_profile(const QString &name, const ConfigRecord &rec, const QStringList &changed) {
    entry_.profile = name;
    entry_.changed = changed;
    entry_.snapshot = record_to_json(name, rec);
}

void ActionRecord::set_file(const QString &path, const QByteArray &contents) {
    entry_.file_name = QFileInfo(path).fileName();
    entry_.file_size = contents.size();
    entry_.file_sha256 = QString::fromLatin1(QCryptographicHash::hash(contents, QCryptographicHash::Sha256).toHex());
}

bool ActionRecord::begin(QString *error) {
    if (!store_)
        return true;
    HistoryStore h(*store_);
    return h.begin(entry_, error);
}

void ActionRecord::line(const QString &text) {
    if (!store_)
        return;
    std::lock_guard lock(mutex_);
    entry_.lines << text;
}

void ActionRecord::set_backup(const QByteArray &image) {
    std::lock_guard lock(mutex_);
    entry_.backup = image;
}

bool ActionRecord::store_backup(const QByteArray &image, QString *error) {
    std::lock_guard lock(mutex_);
    entry_.backup = image;
    if (!store_ || entry_.id == 0) {
        if (error)
            *error = QStringLiteral("there is no history row to keep it in");
        return false;
    }
    HistoryStore h(*store_);
    return h.store_backup(entry_.id, image, error);
}

void ActionRecord::set_image(const QByteArray &image) {
    std::lock_guard lock(mutex_);
    entry_.image = image;
}

bool ActionRecord::finish(const QString &outcome, const QString &detail, const WatchingLink *watched, QString *error) {
    if (!store_ || entry_.id == 0)
        return true;
    std::lock_guard lock(mutex_);
    entry_.outcome = outcome;
    entry_.detail = detail;
    entry_.finished = QDateTime::currentDateTimeUtc();
    if (watched && !watched->identification().isEmpty())
        entry_.converter = watched->identification();
    if (watched && entry_.device.isEmpty())
        entry_.device = watched->device();
    if (trace_ && outcome != kOutcomeDone) {
        trace_->finish();
        entry_.trace = trace_->text();
    }
    HistoryStore h(*store_);
    QString why;
    const bool ok = h.finish(entry_, &why);
    finish_error_ = ok ? QString() : why;
    if (error)
        *error = why;
    return ok;
}

} // namespace k52
