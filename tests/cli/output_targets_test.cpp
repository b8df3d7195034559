// Every file the user names for an output, against every kind of target: a
// regular file is replaced whole or left byte for byte, a device or a FIFO
// is written in place and stays what it is, and the exit status tells the
// truth.
#include "core/profile/history_store.h"
#include "core/profile/profile_store.h"
#include "support/cli_run.h"
#include "support/file_bytes.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using k52test::CliRun;
using k52test::CliSetup;

namespace {

// The outputs the command line writes to a file the user names; "@FILE@"
// stands for it. Each writes well over the size limit below.
const QStringList kOutputs[] = {
    {"history", "export", "1", "@FILE@"},
    {"history", "report", "1", "@FILE@"},
    {"profiles", "export", "Default", "@FILE@"},
};

constexpr rlim_t kSizeLimit = 600;

class SpecialOutputs : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_EQ(k52test::k52util(db, {"profiles", "export", "Default"}).code, 0);
        k52::ProfileStore store;
        QString why;
        ASSERT_TRUE(store.open(db, k52::ProfileStore::OpenMode::Existing, &why)) << why.toStdString();
        k52::HistoryStore h(store);
        k52::HistoryEntry e;
        e.action = QStringLiteral("program");
        e.device = QStringLiteral("/dev/ttyUSB0");
        ASSERT_TRUE(h.begin(e, &why)) << why.toStdString();
        e.outcome = k52::kOutcomeDone;
        for (int i = 0; i < 30; ++i)
            e.lines << QStringLiteral("Sending command %1 of 30 to the converter").arg(i + 1);
        ASSERT_TRUE(h.finish(e, &why)) << why.toStdString();
    }

    CliRun run(QStringList args, const QString &file, const CliSetup &setup = {}) {
        args.replaceInStrings(QStringLiteral("@FILE@"), file);
        return k52test::k52util(db, args, setup);
    }

    // A character device node beside the test's files, like `major`:`minor`
    // (1:3 is the null device, 1:7 the full one); empty when not root.
    QString device_node(const char *name, unsigned minor) {
        const QString path = dir.filePath(QLatin1String(name));
        if (::geteuid() != 0 || ::mknod(QFile::encodeName(path).constData(), S_IFCHR | 0666, makedev(1, minor)) != 0)
            return {};
        return path;
    }

    QTemporaryDir dir;
    QString db = dir.filePath(QStringLiteral("k.db"));
};

bool is_char_device(const QString &path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISCHR(st.st_mode);
}

} // namespace

TEST_F(SpecialOutputs, RegularFilesAreReplacedWholeOrKept) {
    const QByteArray old = "{\"earlier\": true}\n";
    for (const QStringList &out : kOutputs) {
        SCOPED_TRACE(out.join(' ').toStdString());
        const QString file = dir.filePath(QStringLiteral("out.bin"));
        k52test::put_file(file, old);

        // A file size limit (a full disk): refused, named, the old file kept.
        CliRun r = run(out, file, CliSetup{kSizeLimit});
        EXPECT_EQ(r.code, 1);
        EXPECT_TRUE(r.err.contains("Cannot write " + file)) << r.err.toStdString();
        EXPECT_EQ(k52test::file_bytes(file), old);

        // A missing folder: refused and named, nothing made.
        const QString nowhere = dir.filePath(QStringLiteral("no/such/folder/out.bin"));
        r = run(out, nowhere);
        EXPECT_EQ(r.code, 1);
        EXPECT_TRUE(r.err.contains("Cannot write " + nowhere)) << r.err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("no"))));

        // Without a limit: replaced whole.
        r = run(out, file);
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        EXPECT_GT(k52test::file_bytes(file).size(), qint64(kSizeLimit));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"k.db", "out.bin"}))
            << "no temporary file is left";
        QFile::remove(file);
    }
}

TEST_F(SpecialOutputs, ReadOnlyFolderKeepsTheOldFile) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes into a read-only folder; run the suite as a normal user for this case";
    const QString folder = dir.filePath(QStringLiteral("ro"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString file = folder + QStringLiteral("/out.bin");
    k52test::put_file(file, "old");
    ASSERT_TRUE(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    for (const QStringList &out : kOutputs) {
        const CliRun r = run(out, file);
        EXPECT_EQ(r.code, 1) << out.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains("Cannot write " + file)) << r.err.toStdString();
        EXPECT_EQ(k52test::file_bytes(file), QByteArray("old"));
    }
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

// A device is written in place and stays a device: the null device takes
// everything (exit 0), the full one refuses (exit 1, named). As root the
// nodes are made in the test's folder with mknod, else the system's own.
TEST_F(SpecialOutputs, DevicesAreWrittenInPlaceAndStayDevices) {
    QString null_dev = device_node("null", 3);
    QString full_dev = device_node("full", 7);
    if (null_dev.isEmpty())
        null_dev = QStringLiteral("/dev/null");
    if (full_dev.isEmpty())
        full_dev = QStringLiteral("/dev/full");
    for (const QStringList &out : kOutputs) {
        SCOPED_TRACE(out.join(' ').toStdString());
        CliRun r = run(out, null_dev);
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        EXPECT_TRUE(is_char_device(null_dev));
        r = run(out, full_dev);
        EXPECT_EQ(r.code, 1);
        EXPECT_TRUE(r.err.contains("Cannot write " + full_dev)) << r.err.toStdString();
        EXPECT_TRUE(is_char_device(full_dev));
    }
}

// A FIFO with a reader gets the whole output; one without a reader is
// refused at once instead of waiting forever. It stays a FIFO.
TEST_F(SpecialOutputs, FifosAreWrittenInPlaceOrRefused) {
    const QString fifo = dir.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString plain = dir.filePath(QStringLiteral("plain"));
    for (const QStringList &out : kOutputs) {
        SCOPED_TRACE(out.join(' ').toStdString());
        QProcess reader;
        reader.start(QStringLiteral("cat"), {fifo});
        ASSERT_TRUE(reader.waitForStarted());
        CliRun r = run(out, fifo);
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        ASSERT_TRUE(reader.waitForFinished(30000));
        const QByteArray through_pipe = reader.readAllStandardOutput();
        ASSERT_EQ(run(out, plain).code, 0);
        if (out[1] != QLatin1String("report")) // a PDF holds its time of making
            EXPECT_EQ(through_pipe, k52test::file_bytes(plain));
        else
            EXPECT_TRUE(through_pipe.startsWith("%PDF")) << through_pipe.left(20).toStdString();

        r = run(out, fifo);
        EXPECT_EQ(r.code, 1);
        EXPECT_TRUE(r.err.contains("no program reads from")) << r.err.toStdString();
        EXPECT_TRUE(QFileInfo(fifo).exists() && !QFileInfo(fifo).isFile());
    }
}
