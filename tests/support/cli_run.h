#pragma once
// Runs k52util on a database of the test's own; its exit code and output.

#include <QProcess>
#include <QString>
#include <QStringList>

#include <csignal>

#include <sys/resource.h>
#include <unistd.h>

namespace k52test {

struct CliRun {
    int code = -1; // -1: did not finish within a minute
    QString out, err;
};

// How the program's surroundings are spoilt for a run.
struct CliSetup {
    // Largest file the program may write, in bytes (RLIMIT_FSIZE, with
    // SIGXFSZ ignored so that writes past it fail with EFBIG as on a full
    // disk); 0 for no limit.
    rlim_t file_size_limit = 0;
    enum class Out { Captured, DevFull, Closed };
    Out out = Out::Captured; // standard output: a pipe, /dev/full, or closed
};

// `env`: NAME=VALUE settings over the test's environment.
inline CliRun k52util(const QString &db, const QStringList &args, const CliSetup &setup = {},
                      const QStringList &env = {}) {
    QProcess p;
    if (setup.out == CliSetup::Out::DevFull)
        p.setStandardOutputFile(QStringLiteral("/dev/full"));
    if (!env.isEmpty()) {
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        for (const QString &kv : env)
            e.insert(kv.section(QLatin1Char('='), 0, 0), kv.section(QLatin1Char('='), 1));
        p.setProcessEnvironment(e);
    }
    const CliSetup s = setup;
    p.setChildProcessModifier([s] {
        if (s.file_size_limit > 0) {
            const rlimit rl{s.file_size_limit, s.file_size_limit};
            ::setrlimit(RLIMIT_FSIZE, &rl);
            std::signal(SIGXFSZ, SIG_IGN);
        }
        if (s.out == CliSetup::Out::Closed)
            ::close(STDOUT_FILENO);
    });
    p.start(QStringLiteral(K52_UTIL_PATH), QStringList{QStringLiteral("--db"), db} + args);
    CliRun r;
    if (!p.waitForFinished(60000))
        return r;
    r.code = p.exitCode();
    r.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    r.err = QString::fromLocal8Bit(p.readAllStandardError());
    return r;
}

} // namespace k52test
