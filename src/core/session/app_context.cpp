#include "app_context.h"

#include "core/profile/setting_places.h"

namespace k52 {

StartupResult AppContext::start_up(const StartupOptions &opt) {
    const StartupResult r = k52::start_up(opt, store, link, record);
    if (r.ok)
        take_as_current(QStringLiteral("Default"), record);
    return r;
}

bool AppContext::load_profile(const QString &name, QString *error) {
    if (!store.load_profile(name, record, error))
        return false;
    take_as_current(name, record);
    emit profile_loaded();
    return true;
}

void AppContext::take_as_current(const QString &name, const ConfigRecord &rec) {
    current_ = name;
    ConfigRecord copy = rec;
    if (!store.encode_row(name, copy, current_values_, nullptr))
        current_values_.clear(); // unstorable: every setting counts as changed
}

QStringList AppContext::changed_settings(const ConfigRecord &rec) const {
    ConfigRecord copy = rec;
    QVector<QVariant> now;
    QStringList out;
    if (!store.encode_row(current_, copy, now, nullptr))
        return {QStringLiteral("settings that cannot be stored")};
    if (current_values_.size() != now.size())
        return current_.isEmpty() ? QStringList() : QStringList{QStringLiteral("every setting")};
    for (const SettingDifference &d : diff_settings(current_values_, now))
        out << QStringLiteral("%1: %2").arg(QLatin1StringView(d.place->screen), d.place->caption);
    out.removeDuplicates();
    return out;
}

QString AppContext::main_caption() const {
    return program_title() + QStringLiteral("            PROFILE: ") + current_;
}

} // namespace k52
