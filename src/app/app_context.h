#pragma once

#include "profile/config_record.h"
#include "profile/link_settings.h"
#include "profile/profile_store.h"

#include <QString>

#include <functional>
#include <map>

namespace k52 {

// Message boxes as the core and the screens see them; the window supplies
// real ones, tests supply scripted answers.
class Questions {
public:
    virtual ~Questions() = default;
    // True for "Yes".
    virtual bool ask_yes_no(const QString &title, const QString &text) = 0;
    virtual void inform(const QString &title, const QString &text) = 0;
    // A failure: told like any other message unless the answerer shows it
    // as a warning.
    virtual void warn(const QString &title, const QString &text) { inform(title, text); }
};

// The title of the program's own messages.
inline QString message_title() {
    return QStringLiteral("Converter Utility");
}

// Everything that opens a link to the converter registers how to close it;
// close_all_links() closes them all (before any screen takes the line).
class LinkClosers {
public:
    int add(std::function<void()> closer) {
        closers_[++next_] = std::move(closer);
        return next_;
    }
    void remove(int id) { closers_.erase(id); }
    void close_all() {
        auto copy = closers_; // a closer may remove itself
        for (auto &[id, c] : copy)
            if (c)
                c();
    }

private:
    std::map<int, std::function<void()>> closers_;
    int next_ = 0;
};

// The state of one run of the program: the configuration record (one for
// the whole run), the profile database, the link settings.
struct AppContext {
    ProfileStore store;
    LinkSettings link;
    ConfigRecord record;
    QString db_path;
    QString program_dir;
    Questions *questions = nullptr;
    LinkClosers links;

    void close_all_links() { links.close_all(); }
};

} // namespace k52
