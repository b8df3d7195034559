// The Access import against mutated files: every mutation of the sound
// fixtures either reads or is refused with one message naming the file,
// through the child process. The suite mutates a few dozen; a campaign of
// any size runs with K52_ACCESS_CAMPAIGN=N (K52_ACCESS_CAMPAIGN_OUT=DIR
// keeps the files that crashed or stopped the reader, for the corpus).
#include "core/profile/legacy_reader.h"
#include "fuzz_targets.h"
#include "support/file_bytes.h"
#include "support/legacy_fixtures.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QMap>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdio>

using namespace k52test;

namespace {

QVector<QByteArray> seeds() {
    const QVector<FixtureProfile> rows{
        {QStringLiteral("Default"), {}}, {QStringLiteral("Rich"), rich_values()}, {QStringLiteral("Lobby"), {}}};
    const QVector<JetTable> tables{profiles_table(rows), settings_table("10.0.0.2", "400", 1, 9600, "S", 13, 0)};
    return {jet_database(JetVersion::Jet3, tables), jet_database(JetVersion::Jet4, tables)};
}

// One mutation, as damage or a hostile hand would make it: flipped bytes,
// a 32-bit field set to an extreme, a cut, a page copied over another.
QByteArray mutate(QByteArray b, QRandomGenerator &rng) {
    const auto at = [&](qsizetype room) {
        return qsizetype(rng.bounded(quint32(std::max<qsizetype>(1, b.size() - room))));
    };
    switch (rng.bounded(4)) {
    case 0:
        for (int n = 1 << rng.bounded(5); n > 0; --n)
            b[at(0)] = char(rng.bounded(256));
        break;
    case 1: {
        static const quint32 extremes[] = {0, 1, 0x7fffffff, 0xffffffff, 0x8000, 0xffff, 4096, 2048};
        const quint32 v = extremes[rng.bounded(8)];
        const qsizetype i = at(4);
        for (int k = 0; k < 4; ++k)
            b[i + k] = char(v >> (8 * k));
        break;
    }
    case 2:
        b.truncate(at(0));
        break;
    default: {
        const qsizetype page = b.size() > 8192 && b.at(0x14) != 0 ? 4096 : 2048;
        const qsizetype pages = b.size() / page;
        if (pages > 1)
            b.replace(qsizetype(rng.bounded(quint32(pages))) * page, page,
                      b.mid(qsizetype(rng.bounded(quint32(pages))) * page, page));
        break;
    }
    }
    return b;
}

} // namespace

TEST(AccessCampaign, MutatedFixturesReadOrAreRefusedCleanly) {
    bool ok = false;
    const int wanted = qEnvironmentVariableIntValue("K52_ACCESS_CAMPAIGN", &ok);
    const int count = ok && wanted > 0 ? wanted : 24;
    const QString keep = qEnvironmentVariable("K52_ACCESS_CAMPAIGN_OUT");
    const QVector<QByteArray> sound = seeds();
    for (qsizetype i = 0; i < sound.size(); ++i) {
        EXPECT_EQ(k52::fuzz::access_import(sound[i]).toStdString(), "") << "a sound fixture";
        QFile seed(QDir(keep).filePath(QStringLiteral("seed-%1.mdb").arg(i)));
        if (!keep.isEmpty() && seed.open(QIODevice::WriteOnly))
            seed.write(sound[i]);
    }

    QRandomGenerator rng(26);
    QMap<QString, int> outcomes;
    QTemporaryDir dir;
    for (int i = 0; i < count; ++i) {
        const QByteArray file = mutate(sound[i % sound.size()], rng);
        const QString path = dir.filePath(QStringLiteral("m%1.mdb").arg(i));
        ASSERT_NO_FATAL_FAILURE(put_file(path, file));
        QString why;
        const auto db = k52::read_legacy_database_isolated(path, &why);
        QString kind = QStringLiteral("read");
        if (!db) {
            EXPECT_TRUE(why.contains(path)) << why.toStdString();
            kind = why.contains(QLatin1String("crashed")) ? QStringLiteral("crash")
                   : why.contains(QLatin1String("time limit")) || why.contains(QLatin1String("longer than"))
                       ? QStringLiteral("hang")
                   : why.contains(QLatin1String("is damaged or not a readable"))
                       ? QStringLiteral("other failure of the reader")
                       : QStringLiteral("refused");
        } else if (db->profiles.lost_rows() > 0) {
            kind = QStringLiteral("rows lost");
        }
        ++outcomes[kind];
        if (!keep.isEmpty() && kind != QLatin1String("read") && kind != QLatin1String("refused") &&
            kind != QLatin1String("rows lost"))
            QFile::copy(path, QDir(keep).filePath(QStringLiteral("%1-%2.mdb").arg(kind.left(5)).arg(i)));
    }
    QStringList figures;
    for (auto it = outcomes.cbegin(); it != outcomes.cend(); ++it)
        figures << QStringLiteral("%1 %2").arg(it.value()).arg(it.key());
    std::printf("%d mutated files: %s\n", count, qPrintable(figures.join(QStringLiteral(", "))));
}
