// History figures with 100,000 rows: listing them (the store's query and
// the command's text), a filtered list, and `k52util history` as a whole.
#include "core/profile/history_store.h"
#include "core/profile/profile_json.h"
#include "core/profile/profile_store.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <cstdio>

using namespace k52;

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.db"));
    ProfileStore store;
    QString why;
    if (!store.open(path, ProfileStore::OpenMode::CreateIfMissing, &why)) {
        std::fprintf(stderr, "%s\n", qPrintable(why));
        return 1;
    }
    const int n = 100000;
    // Every row with a full snapshot and the lines of a programming run, as a
    // real history holds them.
    const QString snapshot = QString::fromUtf8(record_to_json(QStringLiteral("Default"), default_profile()));
    QStringList lines;
    for (int i = 0; i < 40; ++i)
        lines << QStringLiteral("...Sending command group %1").arg(i);
    const QString joined = lines.join(QLatin1Char('\n'));
    QElapsedTimer t;
    t.start();
    {
        QSqlDatabase db = QSqlDatabase::database(store.connection_name());
        db.transaction();
        QSqlQuery row(db), detail(db);
        row.prepare(QStringLiteral("INSERT INTO history (started, finished, action, device, converter, profilename, "
                                   "outcome) VALUES (?,?,?,?,?,?,?)"));
        detail.prepare(QStringLiteral("INSERT INTO history_detail (id, snapshot, lines) VALUES (?,?,?)"));
        const QDateTime start = QDateTime::currentDateTimeUtc().addDays(-400);
        for (int i = 0; i < n; ++i) {
            const qint64 when = start.addSecs(qint64(i) * 300).toMSecsSinceEpoch();
            row.addBindValue(when);
            row.addBindValue(when);
            row.addBindValue(QStringLiteral("program"));
            row.addBindValue(QStringLiteral("/dev/ttyUSB0"));
            row.addBindValue(QStringLiteral("K52 V01.99"));
            row.addBindValue(QStringLiteral("Site %1").arg(i % 50));
            row.addBindValue(kOutcomeDone);
            if (!row.exec())
                return 1;
            detail.addBindValue(row.lastInsertId());
            detail.addBindValue(snapshot);
            detail.addBindValue(joined);
            if (!detail.exec())
                return 1;
        }
        db.commit();
    }
    std::printf("fill:      %d rows with snapshot and lines in %.0f ms\n", n, double(t.elapsed()));

    HistoryStore history(store);
    const int rounds = 5;
    t.restart();
    qsizetype listed = 0, chars = 0;
    for (int r = 0; r < rounds; ++r)
        history.visit(
            {}, [&](const HistoryEntry &) { ++listed; }, &why);
    std::printf("query:     %lld rows read in %.1f ms\n", (long long)listed / rounds,
                double(t.nsecsElapsed()) / 1e6 / rounds);
    t.restart();
    for (int r = 0; r < rounds; ++r) {
        listed = 0;
        history.visit_lines(
            {}, [&](const QString &line) { chars += line.size(), ++listed; }, &why);
    }
    std::printf("list:      %lld rows, query and text, in %.1f ms\n", (long long)listed,
                double(t.nsecsElapsed()) / 1e6 / rounds);
    t.restart();
    for (int r = 0; r < rounds; ++r)
        listed = history.list({QStringLiteral("Site 7"), {}, {}, 0}, &why).size();
    std::printf("filtered:  %lld rows of one profile in %.1f ms\n", (long long)listed,
                double(t.nsecsElapsed()) / 1e6 / rounds);
    store.close();

    const QString util = QCoreApplication::applicationDirPath() + QStringLiteral("/../k52util");
    if (QFile::exists(util)) {
        // Wall time suffers from whatever else the machine runs; the
        // process's own processor time is the figure that holds.
        QProcess p;
        t.restart();
        p.start(QStringLiteral("/usr/bin/time"), {QStringLiteral("-f"), QStringLiteral("%U %S"), util,
                                                  QStringLiteral("--db"), path, QStringLiteral("history")});
        p.waitForFinished(60000);
        const double ms = double(t.nsecsElapsed()) / 1e6;
        const QStringList cpu = QString::fromLatin1(p.readAllStandardError()).trimmed().split(QLatin1Char(' '));
        std::printf("k52util history: %lld bytes of output in %.0f ms wall, %.0f ms processor, start-up included\n",
                    (long long)p.readAllStandardOutput().size(), ms,
                    (cpu.value(0).toDouble() + cpu.value(1).toDouble()) * 1000);
    }
    return chars > 0 ? 0 : 1;
}
