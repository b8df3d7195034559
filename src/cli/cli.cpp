#include "cli.h"

#include "core/profile/startup.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>
#include <utility>

namespace k52 {

QTextStream &std_out() {
    static QTextStream s(stdout);
    return s;
}

QTextStream &std_err() {
    static QTextStream s(stderr);
    return s;
}

CliContext::CliContext(QStringList a, QString db_override, QString program_dir, CliServices s)
    : args(std::move(a)), out(std_out()), err(std_err()), services(std::move(s)), db_override_(std::move(db_override)) {
    state_.program_dir = std::move(program_dir);
}

CliContext::~CliContext() {
    out.flush();
    err.flush();
}

bool CliContext::open_store() {
    if (opened_)
        return true;
    StartupOptions opt;
    opt.program_dir = state_.program_dir;
    opt.db_override = db_override_;
    const StartupResult r = state_.start_up(opt);
    if (!r.ok) {
        err << QCoreApplication::translate("usage", "Cannot open the profile database: %1").arg(r.error) << Qt::endl;
        return false;
    }
    if (!r.warning.isEmpty())
        err << r.warning << Qt::endl;
    if (!r.legacy_db.isEmpty())
        err << QCoreApplication::translate("usage", "An Access database of the older program is at %1; import its "
                                                    "profiles with \"k52util profiles import-legacy %1\".")
                   .arg(r.legacy_db)
            << Qt::endl;
    state_.db_path = r.db_path;
    opened_ = true;
    return true;
}

bool CliContext::open_existing_store() {
    if (!opened_ && !db_override_.isEmpty() && !QFileInfo::exists(db_override_)) {
        err << QCoreApplication::translate("usage", "The profile database %1 does not exist: check the --db path (only "
                                                    "commands that write create a database)")
                   .arg(db_override_)
            << Qt::endl;
        return false;
    }
    return open_store();
}

bool CliContext::save_link_settings() {
    QString why;
    if (!state_.store.write_settings(state_.link, &why)) {
        err << why << Qt::endl;
        return false;
    }
    return true;
}

QString command_help(const CliContext &ctx, const QCommandLineParser &p) {
    QString text = p.helpText();
    const QString started_as = QStringLiteral("Usage: ") + QCoreApplication::arguments().value(0);
    if (text.startsWith(started_as))
        text.replace(0, started_as.size(), QStringLiteral("Usage: k52util ") + ctx.args.value(0));
    return text;
}

QString take_db_option(QStringList &args) {
    QString db;
    for (qsizetype i = 0; i < args.size();) {
        const QString &a = args[i];
        if ((a == QLatin1String("--db") || a == QLatin1String("-db")) && i + 1 < args.size()) {
            db = args[i + 1];
            args.remove(i, 2);
        } else if (a.startsWith(QLatin1String("--db="))) {
            db = a.mid(5);
            args.remove(i);
        } else {
            ++i;
        }
    }
    return db;
}

int usage_error(CliContext &ctx, const QString &why) {
    ctx.err << why << Qt::endl;
    return kExitUsage;
}

QCommandLineOption profile_option() {
    return QCommandLineOption(QStringLiteral("profile"),
                              QCoreApplication::translate("usage", "Profile to use; default: the current profile."),
                              QStringLiteral("name"));
}

bool load_cli_profile(CliContext &ctx, const QCommandLineParser &p, ConfigRecord &rec) {
    rec = ctx.record();
    const QString profile = QStringLiteral("profile");
    if (!p.isSet(profile))
        return true;
    QString error;
    if (!ctx.store().load_profile(p.value(profile), rec, &error)) {
        ctx.err << error << Qt::endl;
        return false;
    }
    ctx.state().take_as_current(p.value(profile), rec);
    return true;
}

int parse_arguments(CliContext &ctx, QCommandLineParser &p, const QString &about, int max_positional) {
    p.setApplicationDescription(about);
    p.addHelpOption();
    if (!p.parse(ctx.args))
        return usage_error(ctx, p.errorText());
    if (p.isSet(QStringLiteral("help"))) {
        ctx.out << command_help(ctx, p);
        return kExitDone;
    }
    if (p.positionalArguments().size() > max_positional)
        return usage_error(ctx, ctx.args.value(0) +
                                    QCoreApplication::translate("usage", ": too many arguments; see --help"));
    return -1;
}

} // namespace k52
