// The wire trace: its lines, its memory limit, and end to end against
// k52sim: every byte the simulator read and sent is in the trace, and a
// failed run keeps its trace with its history row.
#include "core/link/wire_trace.h"
#include "support/cli_run.h"
#include "support/file_bytes.h"
#include "support/sim_process.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace k52 {
namespace {

using k52test::CliRun;

// The bytes of the trace's lines of one direction, in order; the line
// times must not go backwards within one opening of the port.
QByteArray traced(const QByteArray &trace, char direction) {
    QByteArray out;
    qint64 last = -1;
    for (const QByteArray &line : trace.split('\n')) {
        if (line.startsWith("# port:"))
            last = -1;
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QList<QByteArray> parts = line.left(line.indexOf("  |")).simplified().split(' ');
        EXPECT_GE(parts.size(), 3) << line.constData();
        const qint64 micros = parts[0].toLongLong();
        EXPECT_GE(micros, last) << line.constData();
        last = micros;
        if (parts[1].size() == 1 && parts[1][0] == direction)
            for (qsizetype i = 2; i < parts.size(); ++i)
                out += char(parts[i].toInt(nullptr, 16));
    }
    return out;
}

// The simulator's wire log: what it read ('R') or sent ('S').
QByteArray simulated(const QByteArray &log, char what) {
    QByteArray out;
    for (const QByteArray &line : log.split('\n'))
        if (line.size() > 2 && line[0] == what)
            out += QByteArray::fromHex(line.mid(2));
    return out;
}

TEST(WireTrace, LinesAndMemoryLimit) {
    EXPECT_EQ(WireTrace::format_line(1042, '>', QByteArray("\x00V\x7f", 3)),
              QByteArray("        1042 > 00 56 7F  |.V.|\n"));
    EXPECT_EQ(WireTrace::format_line(0, '<', "OK\r"), QByteArray("           0 < 4F 4B 0D  |OK.|\n"));

    // Bytes one way run on in one line; the other side's bytes start the next.
    WireTrace t;
    t.opened(QStringLiteral("/dev/ttyX"), SerialSettings{});
    t.sent("A");
    t.sent("B");
    t.received('C');
    t.note(QStringLiteral("converter: K52 V01.99"));
    const QList<QByteArray> lines = t.text().split('\n');
    ASSERT_GE(lines.size(), 8);
    EXPECT_EQ(lines[2], QByteArray("# port: /dev/ttyX 9600,E,7,1"));
    EXPECT_TRUE(lines[4].endsWith("> 41 42  |AB|"));
    EXPECT_TRUE(lines[5].endsWith("< 43  |C|"));
    EXPECT_EQ(lines[6], QByteArray("# converter: K52 V01.99"));

    // A long job keeps the header and the newest lines, within the limit.
    for (int i = 0; i < 40000; ++i) {
        t.sent(QByteArray(20, char(i)));
        t.received('x');
    }
    t.finish();
    const QByteArray kept = t.text();
    EXPECT_LE(kept.size(), kTraceKeep + 100);
    EXPECT_TRUE(kept.startsWith("# k52util wire trace\n"));
    EXPECT_TRUE(kept.contains(" older lines left out\n"));
    EXPECT_TRUE(kept.endsWith("< 78  |x|\n"));
}

TEST(WireTrace, TraceHoldsEveryByteTheSimulatorSaw) {
    QTemporaryDir dir;
    const QString db = dir.filePath(QStringLiteral("k.db"));
    const QString wire = dir.filePath(QStringLiteral("wire.log"));
    const QString trace = dir.filePath(QStringLiteral("trace.txt"));
    k52test::SimProcess sim({"--wire-log", wire});
    ASSERT_TRUE(sim.start());
    CliRun r = k52test::k52util(db, {"program", "--trace", trace, "--port", sim.device(), "--baud", "9600"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QByteArray t = k52test::file_bytes(trace);
    EXPECT_TRUE(t.contains("\n# port: " + sim.device().toUtf8() + " 9600,E,7,1\n"));
    EXPECT_TRUE(t.contains("\n# converter: K52 V01.99\n"));
    const QByteArray log = k52test::file_bytes(wire);
    ASSERT_FALSE(simulated(log, 'R').isEmpty());
    EXPECT_EQ(traced(t, '>'), simulated(log, 'R'));
    EXPECT_EQ(traced(t, '<'), simulated(log, 'S'));
    // Every command the simulator logged went out framed, in order.
    QByteArray framed;
    for (const QString &c : sim.received())
        framed += '\0' + c.toLatin1() + '\x7f';
    EXPECT_EQ(traced(t, '>'), framed);

    // A run that ends well keeps no trace with its row.
    r = k52test::k52util(db, {"history", "show", "1", "--trace"});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("keeps no wire trace")));

    // A refused run keeps its trace: `history show N --trace` and the export.
    k52test::SimProcess refusing({"--refuse", "S1W2", "--wire-log", dir.filePath(QStringLiteral("wire2.log"))});
    ASSERT_TRUE(refusing.start());
    r = k52test::k52util(db, {"program", "--port", refusing.device(), "--baud", "9600"});
    ASSERT_NE(r.code, 0);
    r = k52test::k52util(db, {"history", "show", "2", "--trace"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QByteArray kept = r.out.toUtf8();
    const QByteArray log2 = k52test::file_bytes(dir.filePath(QStringLiteral("wire2.log")));
    EXPECT_EQ(traced(kept, '>'), simulated(log2, 'R'));
    EXPECT_TRUE(kept.contains("|.S1W2"));
    EXPECT_TRUE(kept.contains("|ERR.|"));
    r = k52test::k52util(db, {"history", "show", "2"});
    EXPECT_TRUE(r.out.contains(QStringLiteral("Trace: ")));
    const QString json = dir.filePath(QStringLiteral("row.json"));
    r = k52test::k52util(db, {"history", "export", "2", json});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(
        QJsonDocument::fromJson(k52test::file_bytes(json)).object().value(QStringLiteral("trace")).toString().toUtf8(),
        kept);

    // A trace file that cannot be written stops the command before the port.
    r = k52test::k52util(db, {"version", "--trace", dir.filePath(QStringLiteral("no/such/dir/t.txt")), "--port",
                              refusing.device(), "--baud", "9600"});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.startsWith(QStringLiteral("Cannot write the wire trace: ")));
}

} // namespace
} // namespace k52
