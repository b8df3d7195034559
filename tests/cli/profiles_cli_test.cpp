// The profiles command, run as the installer runs it.
#include "support/file_bytes.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

namespace {

struct CliRun {
    int code = -1;
    QString out, err;
};

class ProfilesCli : public ::testing::Test {
protected:
    CliRun run(QStringList args) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("xdg")));
        p.setProcessEnvironment(env);
        args.prepend(db);
        args.prepend(QStringLiteral("--db"));
        p.start(QStringLiteral(K52_UTIL_PATH), args);
        EXPECT_TRUE(p.waitForFinished(30000));
        return {p.exitCode(), k52test::output_text(p.readAllStandardOutput()),
                k52test::output_text(p.readAllStandardError())};
    }
    QTemporaryDir dir;
    QString db = dir.filePath(QStringLiteral("cli.db"));
};

} // namespace

TEST_F(ProfilesCli, ExportImportRoundTripsEveryColumn) {
    const QString file = dir.filePath(QStringLiteral("copy.json"));
    ASSERT_EQ(run({"profiles", "export", "Default", file}).code, 0);
    ASSERT_EQ(run({"profiles", "list"}).out, "Default\n");
    const CliRun imp = run({"profiles", "import", file, "--as", "Copy"});
    ASSERT_EQ(imp.code, 0) << imp.err.toStdString();
    EXPECT_EQ(run({"profiles", "list"}).out, "Copy\nDefault\n");
    const QString a = run({"profiles", "show", "Default"}).out;
    EXPECT_EQ(a.count(QLatin1Char('\n')), 218);
    EXPECT_EQ(a, run({"profiles", "show", "Copy"}).out);

    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray json = f.readAll();
    const QJsonObject o = QJsonDocument::fromJson(json).object();
    EXPECT_EQ(o.value("profilename").toString(), "Default");
    EXPECT_EQ(o.value("columns").toObject().size(), 218);
    EXPECT_TRUE(o.value("columns").toObject().value("baudrate").isDouble());
    EXPECT_LT(json.indexOf("\"baudrate\""), json.indexOf("\"zerosuppress\"")) << "table order";
}

TEST_F(ProfilesCli, ImportRefusesExistingNamesAndBadFilesChangingNothing) {
    const QString file = dir.filePath(QStringLiteral("p.json"));
    ASSERT_EQ(run({"profiles", "export", "default", file}).code, 0);
    CliRun r = run({"profiles", "import", file});
    EXPECT_NE(r.code, 0);
    EXPECT_TRUE(r.err.contains("--force")) << r.err.toStdString();
    EXPECT_EQ(run({"profiles", "import", file, "--force"}).code, 0);

    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray good = f.readAll();
    f.close();
    struct Bad {
        QByteArray from, to;
        const char *says;
    };
    const Bad bads[] = {
        {"\"sermagparms\": \"", "\"sermagparms\": \"x", "sermagparms"},
        {"\"baudrate\": ", "\"baudrate\": \"fast\", \"x\": ", "baudrate"},
        {"\"zerosuppress\"", "\"zerosuppres\"", "zerosuppress"},
        {"\"terminators\": \"", "\"terminators\": \"0", "terminators"},
        {"{", "[", "profile file"},
    };
    for (const Bad &b : bads) {
        QByteArray data = good;
        data.replace(data.indexOf(b.from), b.from.size(), b.to);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(data);
        f.close();
        r = run({"profiles", "import", file, "--as", "Broken"});
        EXPECT_NE(r.code, 0) << b.says;
        EXPECT_TRUE(r.err.contains(QLatin1StringView(b.says))) << r.err.toStdString();
    }
    EXPECT_EQ(run({"profiles", "list"}).out, "Default\n");
    EXPECT_NE(run({"profiles", "import", dir.filePath("absent.json")}).code, 0);
}

TEST_F(ProfilesCli, DeleteAndErrors) {
    CliRun r = run({"profiles", "delete", "DEFAULT"});
    EXPECT_NE(r.code, 0);
    EXPECT_EQ(r.err.trimmed(), "You cannot delete the Default Profile");
    r = run({"profiles", "delete", "Ghost"});
    EXPECT_NE(r.code, 0);
    EXPECT_TRUE(r.err.contains("Ghost"));
    EXPECT_EQ(run({"profiles", "--help"}).code, 0);

    const QString file = dir.filePath(QStringLiteral("x.json"));
    ASSERT_EQ(run({"profiles", "export", "Default", file}).code, 0);
    ASSERT_EQ(run({"profiles", "import", file, "--as", "Temp"}).code, 0);
    EXPECT_EQ(run({"profiles", "delete", "temp"}).code, 0);
    EXPECT_EQ(run({"profiles", "list"}).out, "Default\n");
}
