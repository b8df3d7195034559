// Replays the committed fuzz corpus (seeds and every past finding) through
// the same target functions the libFuzzer programs run.
#include "fuzz_targets.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

TEST(FuzzCorpus, EveryInputKeepsItsTargetsInvariants) {
    for (const k52::fuzz::Target &t : k52::fuzz::kTargets) {
        const QDir dir(QStringLiteral(K52_FUZZ_CORPUS "/") + QLatin1StringView(t.name));
        const QStringList files = dir.entryList(QDir::Files, QDir::Name);
        EXPECT_FALSE(files.isEmpty()) << "no corpus for " << t.name;
        for (const QString &f : files) {
            QFile in(dir.filePath(f));
            ASSERT_TRUE(in.open(QIODevice::ReadOnly)) << f.toStdString();
            EXPECT_EQ(t.run(in.readAll()).toStdString(), "") << t.name << "/" << f.toStdString();
        }
    }
}
