// The Access reader's child process: whatever it does (crash, loop, eat
// memory, answer garbage), the caller gets one message naming the file and
// what the child said, and a sound answer comes through whole.
#include "core/profile/legacy_reader.h"
#include "support/file_bytes.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace k52;

namespace {

// A stand-in for the program that runs `script` as the child.
class FakeReader {
public:
    explicit FakeReader(const QByteArray &script) {
        path_ = dir_.filePath(QStringLiteral("reader"));
        k52test::put_file(path_, "#!/bin/sh\n" + script + "\n");
        QFile::setPermissions(path_, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        set_legacy_reader_program(path_);
    }
    ~FakeReader() { set_legacy_reader_program(QStringLiteral(K52_UTIL_PATH)); }

private:
    QTemporaryDir dir_;
    QString path_;
};

} // namespace

TEST(LegacyReader, EveryMisbehaviourOfTheChildIsOneClearMessage) {
    const QString file = QStringLiteral("/srv/old/profiles.mdb");
    const ProcessLimits quick{1, 256 << 20};
    const struct {
        const char *what;
        QByteArray script;
        const char *says;
    } cases[] = {
        {"crash", "echo 'row fetch went wrong' >&2; kill -SEGV $$", "the reader crashed: signal 11"},
        {"endless loop", "while :; do :; done", "the reader went past its processor time limit"},
        {"memory", "echo start >&2; exec python3 -c 'x = bytearray(1 << 30)'", "ended with status 1"},
        {"garbage", "printf 'K52ACCESS1 not a stream'", "no usable answer"},
        {"silence", "exit 0", "no usable answer"},
        {"refusal without words", "exit 3", "no usable answer"},
    };
    const bool python = !QStandardPaths::findExecutable(QStringLiteral("python3")).isEmpty();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        if ((!python || !memory_limit_enforced()) && c.script.contains("python3"))
            continue;
        FakeReader reader(c.script);
        QString why;
        EXPECT_FALSE(read_legacy_database_isolated(file, &why, quick));
        EXPECT_TRUE(why.startsWith(file + QStringLiteral(" is damaged or not a readable Access database; nothing was "
                                                         "imported (")))
            << why.toStdString();
        EXPECT_TRUE(why.contains(QLatin1String(c.says))) << why.toStdString();
    }
    FakeReader noisy("echo 'row fetch went wrong' >&2; kill -SEGV $$");
    QString why;
    read_legacy_database_isolated(file, &why, quick);
    EXPECT_TRUE(why.endsWith(QStringLiteral("\nThe reader said: row fetch went wrong"))) << why.toStdString();
}

TEST(LegacyReader, AnswersSurviveThePipeWholeAndGarbageDoesNot) {
    LegacyDatabase db;
    db.format = QStringLiteral("Jet 4");
    db.tables = QStringList{QStringLiteral("profiles"), QStringLiteral("settings")};
    db.profiles.columns = QStringList{QStringLiteral("profilename"), QStringLiteral("baudrate")};
    db.profiles.rows = {{QStringLiteral("A"), qint64(9600)}, {QStringLiteral("B"), QVariant()}};
    db.profiles.declared_rows = 3;
    db.settings = LegacyTable{{QStringLiteral("ratio")}, {{2.5}}, 1};
    const QByteArray wire = encode_legacy_answer(db, {});
    std::optional<LegacyDatabase> back;
    QString error;
    ASSERT_TRUE(decode_legacy_answer(wire, back, error));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->tables, db.tables);
    EXPECT_EQ(back->profiles.rows, db.profiles.rows);
    EXPECT_EQ(back->profiles.lost_rows(), 1);
    EXPECT_EQ(back->settings->rows, db.settings->rows);

    ASSERT_TRUE(decode_legacy_answer(encode_legacy_answer(std::nullopt, QStringLiteral("f: no table")), back, error));
    EXPECT_FALSE(back);
    EXPECT_EQ(error, QStringLiteral("f: no table"));

    // Cut anywhere, or with bytes after it: refused.
    for (qsizetype cut = 0; cut < wire.size(); cut += 7)
        EXPECT_FALSE(decode_legacy_answer(wire.left(cut), back, error)) << cut;
    EXPECT_FALSE(decode_legacy_answer(wire + "x", back, error));
}
