// Replays the committed fuzz corpus (seeds and every past finding) through
// the same target functions the libFuzzer programs run.
#include "fuzz_targets.h"
#include "support/file_bytes.h"

#include <gtest/gtest.h>

#include <QDir>

TEST(FuzzCorpus, EveryInputKeepsItsTargetsInvariants) {
    for (const k52::fuzz::Target &t : k52::fuzz::kTargets) {
        const QDir dir(QStringLiteral(K52_FUZZ_CORPUS "/") + QLatin1StringView(t.name));
        const QStringList files = dir.entryList(QDir::Files, QDir::Name);
        EXPECT_FALSE(files.isEmpty()) << "no corpus for " << t.name;
        for (const QString &f : files)
            EXPECT_EQ(t.run(k52test::file_bytes(dir.filePath(f))).toStdString(), "")
                << t.name << "/" << f.toStdString();
    }
}
