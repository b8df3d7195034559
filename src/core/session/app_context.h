#pragma once

#include "core/link/link_closers.h"
#include "core/profile/config_record.h"
#include "core/profile/link_settings.h"
#include "core/profile/profile_store.h"
#include "core/profile/startup.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

namespace k52 {

// Message boxes as the core and the screens see them; the window supplies
// real ones, tests supply scripted answers.
class Questions {
public:
    virtual ~Questions() = default;
    // True for "Yes". No is the default answer: Return and Escape give No.
    virtual bool ask_yes_no(const QString &title, const QString &text) = 0;
    // A question whose Yes only reads or looks (an offer): Yes is the
    // default answer, Escape gives No.
    virtual bool offer(const QString &title, const QString &text) { return ask_yes_no(title, text); }
    // Whether to stop a guarded job: like ask_yes_no, but when the job ends
    // while the question is open (no guarded job is left in `links`), the
    // question closes itself and the answer is No: the job's ending is
    // shown once, by the job.
    virtual bool ask_to_stop(const QString &title, const QString &text, LinkClosers & /*links*/) {
        return ask_yes_no(title, text);
    }
    // Settings that differ from the stored profile, before they would be
    // dropped: Save, Discard or Cancel; Cancel is the default answer.
    enum class Unsaved { Save, Discard, Cancel };
    virtual Unsaved ask_unsaved(const QString &title, const QString &text) {
        return ask_yes_no(title, text + QStringLiteral("\n\nDiscard the changes?")) ? Unsaved::Discard
                                                                                    : Unsaved::Cancel;
    }
    virtual void inform(const QString &title, const QString &text) = 0;
    // A failure: told like any other message unless the answerer shows it
    // as a warning.
    virtual void warn(const QString &title, const QString &text) { inform(title, text); }
};

// The title of the program's own messages.
inline QString message_title() {
    return QStringLiteral("Converter Utility");
}

// The program's title: the main caption begins with it, reports carry it.
inline QString program_title() {
    return QStringLiteral("ZOR  K52/K54 CONVERTER UTILITY     V1.99");
}

// The state of one run of the program, the window's or a command's: the
// configuration record (one for the whole run), the profile database, the
// link settings, who answers questions, the current profile and whether
// the record still matches it. No widget: the window listens to its
// signals.
class AppContext : public QObject {
    Q_OBJECT
public:
    ProfileStore store;
    LinkSettings link;
    ConfigRecord record;
    QString db_path;
    QString program_dir;
    Questions *questions = nullptr;
    LinkClosers links;

    // Start-up (profile/startup.h) on this state: the database, the link
    // settings and "Default" in the record, which becomes the current
    // profile.
    StartupResult start_up(const StartupOptions &opt);
    // Loads the named profile into the record and makes it the current
    // one; `profile_loaded` follows. False, with the record as it was, when
    // the row cannot be read.
    bool load_profile(const QString &name, QString *error);
    // The current profile as `rec` now holds it: names it and remembers its
    // stored values, against which changed_settings() compares (loading
    // does this; so does Save Profile, and start-up for "Default").
    void take_as_current(const QString &name, const ConfigRecord &rec);
    QString current_profile() const { return current_; }
    // The settings of `rec` whose stored values differ from the current
    // profile as last loaded or saved, as "Screen: Caption", in column
    // order; empty when nothing differs or no profile is current.
    QStringList changed_settings(const ConfigRecord &rec) const;
    // The record differs from the current profile.
    bool record_changed() const { return !current_.isEmpty() && !changed_settings(record).isEmpty(); }
    // The program title, "            PROFILE: " and the current profile name.
    QString main_caption() const;

    // The program's own messages, under its one title; nothing is shown
    // when nothing answers (tests, shutdown). `ask` answers No then.
    void tell(const QString &text) {
        if (questions)
            questions->inform(message_title(), text);
    }
    void warn(const QString &text) {
        if (questions)
            questions->warn(message_title(), text);
    }
    bool ask(const QString &text) { return questions && questions->ask_yes_no(message_title(), text); }

    void close_all_links() { links.close_all(); }
    // Whether a job whose stop puts `at_stake` (the question) may be
    // stopped: yes when nothing is at stake, else the user's answer.
    bool may_stop(const QString &at_stake) {
        return at_stake.isEmpty() || !questions || questions->ask_to_stop(message_title(), at_stake, links);
    }
    // Before anything that closes the link (a navigation entry, a menu
    // entry, closing the main window): asks when a guarded job is under way.
    // True, with every link closed, when the click may act; false (nothing
    // closed) when the user chose to let the job run on.
    bool release_links() {
        if (!may_stop(links.at_stake()))
            return false;
        close_all_links();
        return true;
    }

signals:
    // A profile was loaded into the record (the screens refill themselves).
    void profile_loaded();

private:
    QString current_;
    QVector<QVariant> current_values_; // stored values of the current profile
};

} // namespace k52
