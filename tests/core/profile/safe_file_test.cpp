// The file helpers every writer and importer goes through.
#include "core/profile/profile_names.h"
#include "core/profile/safe_file.h"
#include "support/file_bytes.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace k52;

namespace {

using k52test::put_file;

// write_file_safely in a forked child whose files may not grow past
// `limit` bytes (SIGXFSZ ignored, so writes fail with EFBIG as on a full
// disk). The child's exit code: 0 when it reported success.
int write_under_size_limit(const QString &path, const QByteArray &data, rlim_t limit) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        const rlimit rl{limit, limit};
        ::setrlimit(RLIMIT_FSIZE, &rl);
        std::signal(SIGXFSZ, SIG_IGN);
        QString why;
        ::_exit(write_file_safely(path, data, &why) ? 0 : (why.contains(path) ? 1 : 2));
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

TEST(SafeFile, ReplacesWholeOrLeavesTheOldFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.dat"));
    const QByteArray old(1024, '\xA5');
    put_file(path, old);

    // More than the limit: the flush fails, the old file stays, the failure
    // names the file.
    EXPECT_EQ(write_under_size_limit(path, QByteArray(4096, 'n'), 600), 1);
    EXPECT_EQ(k52test::file_bytes(path), old);
    // A small write fails at the flush too (it sits in the buffer until then).
    EXPECT_EQ(write_under_size_limit(path, QByteArray(700, 'n'), 600), 1);
    EXPECT_EQ(k52test::file_bytes(path), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"out.dat"}) << "no temporary file is left";
    // Within the limit it is replaced.
    EXPECT_EQ(write_under_size_limit(path, QByteArray(500, 'y'), 600), 0);
    EXPECT_EQ(k52test::file_bytes(path), QByteArray(500, 'y'));

    QString why;
    const QString nowhere = dir.filePath(QStringLiteral("no/such/folder/out.dat"));
    EXPECT_FALSE(write_file_safely(nowhere, "x", &why));
    EXPECT_TRUE(why.contains(nowhere)) << why.toStdString();
    EXPECT_FALSE(write_file_safely(dir.path(), "x", &why)) << "a folder is not replaced";
    EXPECT_TRUE(QFileInfo(dir.path()).isDir());
}

// The refusals of what is not a regular file run through the import
// command's table; here the bound itself.
TEST(SafeFile, ReadStopsAtTheLimit) {
    QTemporaryDir dir;
    const QString exact = dir.filePath(QStringLiteral("exact"));
    put_file(exact, QByteArray(100, 'e'));
    const QString over = dir.filePath(QStringLiteral("over"));
    put_file(over, QByteArray(101, 'o'));
    QByteArray data;
    QString why;
    ASSERT_TRUE(read_regular_file(exact, 100, data, &why)) << why.toStdString();
    EXPECT_EQ(data, QByteArray(100, 'e'));
    EXPECT_FALSE(read_regular_file(over, 100, data, &why));
    EXPECT_EQ(why, QStringLiteral("Cannot read %1: it is larger than 100 bytes").arg(over));
    EXPECT_EQ(data, QByteArray(100, 'e')) << "nothing is returned from a refused file";
}

TEST(ProfileNames, TrimmedBoundedAndPrintable) {
    const QString longest(kMaxProfileNameLength, QLatin1Char('n'));
    struct Case {
        QString raw;
        QString stored; // empty: refused
        const char *says;
    };
    const Case cases[] = {
        {QStringLiteral("  Site 4 - Door  "), QStringLiteral("Site 4 - Door"), nullptr},
        {QStringLiteral("Empfang Tür 2"), QStringLiteral("Empfang Tür 2"), nullptr},
        {QStringLiteral(" ") + longest + QStringLiteral(" "), longest, nullptr},
        {longest + QStringLiteral("n"), {}, "at most 64 characters"},
        {QStringLiteral(" \t "), {}, "must not be empty"},
        {QStringLiteral("two\nlines"), {}, "U+000A"},
        {QStringLiteral("car\rriage"), {}, "U+000D"},
        {QStringLiteral("tab\tbed"), {}, "U+0009"},
        {QStringLiteral("\x1b[31mred"), {}, "U+001B"},
        {QString(QChar(0)) + QStringLiteral("nul"), {}, "U+0000"},
        {QStringLiteral("del\x7f"), {}, "U+007F"},
        {QStringLiteral("next") + QChar(0x85) + QStringLiteral("line"), {}, "U+0085"},
        {QStringLiteral("para") + QChar(0x2029) + QStringLiteral("graph"), {}, "U+2029"},
        {QStringLiteral("Door") + QChar(0x202E) + QStringLiteral("1 ecafretni"), {}, "U+202E"},
        {QChar(0x202A) + QStringLiteral("embedded"), {}, "U+202A"},
        {QStringLiteral("iso") + QChar(0x2066) + QStringLiteral("late"), {}, "U+2066"},
        {QStringLiteral("pop") + QChar(0x2069), {}, "U+2069"},
        {QStringLiteral("Tür ") + QChar(0x05D0) + QStringLiteral(" mixed"),
         QStringLiteral("Tür ") + QChar(0x05D0) + QStringLiteral(" mixed"), nullptr},
    };
    for (const Case &c : cases) {
        QString why;
        const auto name = valid_profile_name(c.raw, &why);
        if (c.stored.isEmpty()) {
            EXPECT_FALSE(name) << c.raw.toStdString();
            EXPECT_TRUE(why.contains(QLatin1StringView(c.says))) << why.toStdString();
        } else {
            ASSERT_TRUE(name) << why.toStdString();
            EXPECT_EQ(*name, c.stored);
        }
    }
}
