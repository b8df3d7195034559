#include "legacy_reader.h"

#include "process_limits.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

#include <cstdio>
#include <cstring>

#include <csignal>

namespace k52 {

namespace {

const QByteArray kMagic = QByteArrayLiteral("K52ACCESS1");
constexpr int kReaderRefused = 3;
// The child's answer: a profile table of thousands of rows is well below.
constexpr qsizetype kMostAnswerBytes = 64 << 20;
// What is kept of the child's standard error for the message.
constexpr qsizetype kMostStderrBytes = 2048;

QString g_program;

void put_table(QDataStream &s, const LegacyTable &t) {
    s << t.columns << qint64(t.declared_rows) << qint64(t.rows.size());
    for (const QVector<QVariant> &row : t.rows)
        s << row;
}

bool get_table(QDataStream &s, LegacyTable &t) {
    qint64 declared = 0, count = 0;
    s >> t.columns >> declared >> count;
    if (s.status() != QDataStream::Ok || count < 0 || count > kMostAnswerBytes)
        return false;
    t.declared_rows = declared;
    for (qint64 i = 0; i < count && s.status() == QDataStream::Ok; ++i) {
        QVector<QVariant> row;
        s >> row;
        t.rows << row;
    }
    return s.status() == QDataStream::Ok;
}

// Only the kinds of value the reader makes may come back.
bool plain_values(const LegacyTable &t) {
    for (const QVector<QVariant> &row : t.rows)
        for (const QVariant &v : row)
            if (v.isValid() && v.typeId() != QMetaType::QString && v.typeId() != QMetaType::LongLong &&
                v.typeId() != QMetaType::Double)
                return false;
    return true;
}

// The last lines of what the child wrote to its standard error (the
// reader's complaints lead up to its end), with control characters shown,
// for the message.
QString child_said(const QByteArray &err) {
    constexpr int kMostLines = 4;
    QStringList lines = QString::fromUtf8(err.right(kMostStderrBytes)).trimmed().split(QLatin1Char('\n'));
    if (lines.size() > kMostLines)
        lines = lines.mid(lines.size() - kMostLines);
    QString text = lines.join(QLatin1Char('\n'));
    for (QChar &c : text)
        if (c.unicode() < 0x20 && c != QLatin1Char('\n'))
            c = QLatin1Char('?');
    return text;
}

} // namespace

QByteArray encode_legacy_answer(const std::optional<LegacyDatabase> &db, const QString &refusal) {
    QByteArray out;
    QDataStream s(&out, QIODevice::WriteOnly);
    s.setVersion(QDataStream::Qt_6_0);
    s.writeRawData(kMagic.constData(), int(kMagic.size()));
    s << bool(db);
    if (!db) {
        s << refusal;
        return out;
    }
    s << db->format << db->tables;
    put_table(s, db->profiles);
    s << bool(db->settings);
    if (db->settings)
        put_table(s, *db->settings);
    return out;
}

bool decode_legacy_answer(const QByteArray &bytes, std::optional<LegacyDatabase> &db, QString &refusal) {
    if (!bytes.startsWith(kMagic))
        return false;
    QDataStream s(bytes.sliced(kMagic.size()));
    s.setVersion(QDataStream::Qt_6_0);
    bool ok = false;
    s >> ok;
    if (!ok) {
        s >> refusal;
        db.reset();
        return s.status() == QDataStream::Ok && s.atEnd() && !refusal.isEmpty();
    }
    LegacyDatabase d;
    bool has_settings = false;
    s >> d.format >> d.tables;
    if (s.status() != QDataStream::Ok || !get_table(s, d.profiles))
        return false;
    s >> has_settings;
    if (has_settings) {
        LegacyTable t;
        if (!get_table(s, t))
            return false;
        d.settings = t;
    }
    if (s.status() != QDataStream::Ok || !s.atEnd() || !plain_values(d.profiles) ||
        (d.settings && !plain_values(*d.settings)))
        return false;
    db = std::move(d);
    return true;
}

int run_legacy_reader_child(const QString &path) {
    QString why;
    // The reader's own complaints go to standard error, where the parent
    // shows them if the reading fails.
    const std::optional<LegacyDatabase> db = read_legacy_database(path, &why, false);
    const QByteArray answer = encode_legacy_answer(db, why);
    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly | QIODevice::Unbuffered) || out.write(answer) != answer.size())
        return 2;
    return db ? 0 : kReaderRefused;
}

void set_legacy_reader_program(const QString &program) {
    g_program = program;
}

std::optional<LegacyDatabase> read_legacy_database_isolated(const QString &path, QString *error,
                                                            const ProcessLimits &limits) {
    auto damaged = [&](const QString &how, const QByteArray &err) -> std::optional<LegacyDatabase> {
        if (error) {
            *error = QStringLiteral("%1 is damaged or not a readable Access database; nothing was imported (%2)")
                         .arg(path, how);
            const QString said = child_said(err);
            if (!said.isEmpty())
                *error += QStringLiteral("\nThe reader said: ") + said;
        }
        return std::nullopt;
    };
    QProcess p;
    p.setProgram(g_program.isEmpty() ? QCoreApplication::applicationFilePath() : g_program);
    p.setArguments({QString::fromLatin1(kLegacyReaderCommand), path});
    p.setStandardInputFile(QProcess::nullDevice());
    set_process_limits(p, limits);
    // A child that waits takes no processor time: the wall clock bounds it
    // too, with room for a loaded machine.
    const int most_milliseconds = limits.cpu_seconds * 1000 + 10000;
    p.start();
    if (!p.waitForStarted(10000)) {
        if (error)
            *error =
                QStringLiteral("%1: cannot be read: the reader could not be started (%2)").arg(path, p.errorString());
        return std::nullopt;
    }
    QByteArray answer, err;
    QElapsedTimer clock;
    clock.start();
    bool too_long = false, too_much = false;
    while (p.state() != QProcess::NotRunning) {
        p.waitForReadyRead(200);
        answer += p.readAllStandardOutput();
        err = (err + p.readAllStandardError()).right(kMostStderrBytes);
        too_much = answer.size() > kMostAnswerBytes;
        too_long = clock.elapsed() > most_milliseconds;
        if (too_much || too_long) {
            p.kill();
            p.waitForFinished(5000);
            break;
        }
    }
    answer += p.readAllStandardOutput();
    err = (err + p.readAllStandardError()).right(kMostStderrBytes);
    if (too_long)
        return damaged(QStringLiteral("reading it took longer than %1 s").arg(most_milliseconds / 1000), err);
    if (too_much)
        return damaged(QStringLiteral("the reader gave more than %1 MiB").arg(kMostAnswerBytes >> 20), err);
    if (p.exitStatus() != QProcess::NormalExit) {
        // On a crash QProcess gives the signal as the exit code.
        const int sig = p.exitCode();
#ifdef Q_OS_UNIX
        if (sig == SIGXCPU)
            return damaged(QStringLiteral("the reader went past its processor time limit"), err);
        const char *name = ::strsignal(sig);
        return damaged(
            QStringLiteral("the reader crashed: signal %1, %2").arg(sig).arg(QString::fromLocal8Bit(name ? name : "")),
            err);
#else
        return damaged(QStringLiteral("the reader crashed (%1)").arg(sig), err);
#endif
    }
    std::optional<LegacyDatabase> db;
    QString refusal;
    if ((p.exitCode() != 0 && p.exitCode() != kReaderRefused) || !decode_legacy_answer(answer, db, refusal) ||
        bool(db) != (p.exitCode() == 0))
        return damaged(QStringLiteral("the reader ended with status %1 and no usable answer").arg(p.exitCode()), err);
    if (!db && error)
        *error = refusal;
    return db;
}

} // namespace k52
