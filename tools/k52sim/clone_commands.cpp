// Cloning: the upload request 0x00 0x03 0x7F is answered with the 1024-byte
// image; download packets are decoded into the image and acknowledged "GO".
#include "sim.h"

#include <QFile>

namespace k52sim {

namespace {

struct CloneState {
    QByteArray image;
    QString out_path;   // where a complete download is written
    int short_by = 0;   // send this many bytes fewer on upload
    int bad_ack_at = 0; // answer "go" to this packet (1-based)
    int packets = 0;    // download packets received
};

CloneState &state() {
    static CloneState s;
    if (s.image.isEmpty()) {
        s.image.resize(1024);
        for (int i = 0; i < 1024; ++i)
            s.image[i] = char((i * 7 + 3) & 0xFF);
    }
    return s;
}

} // namespace

QByteArray &stored_image() {
    return state().image;
}

namespace {

bool version_allows(const Sim &s) {
    return s.firmware_at_least("01.96");
}

void upload(Sim &s, const QByteArray &) {
    if (s.silent || !version_allows(s))
        return;
    const CloneState &c = state();
    s.send(c.image.left(1024 - c.short_by));
}

void packet(Sim &s, const QByteArray &p) {
    CloneState &c = state();
    if (!version_allows(s)) {
        s.reply("ERR");
        return;
    }
    if (p[0] == '\x01')
        c.packets = 0;
    QByteArray bytes;
    for (int i = 1; i + 1 < p.size(); i += 2) {
        const int hi = quint8(p[i]) - 0x20, lo = quint8(p[i + 1]) - 0x20;
        if (hi < 0 || hi > 15 || lo < 0 || lo > 15) {
            s.reply("ERR");
            return;
        }
        bytes.append(char(hi << 4 | lo));
    }
    const int index = c.packets++;
    if (index >= 32) {
        s.reply("ERR");
        return;
    }
    c.image.replace(index * 32, 32, bytes);
    if (c.bad_ack_at == index + 1) {
        s.reply("go");
        return;
    }
    if (index == 31 && !c.out_path.isEmpty()) {
        QFile f(c.out_path);
        if (f.open(QIODevice::WriteOnly))
            f.write(c.image);
    }
    s.reply("GO");
}

// Reset and restart: logged, not answered (the converter starts over).

} // namespace

std::vector<CommandEntry> clone_commands() {
    return {
        {"\x03", upload},
        {"U", [](Sim &, const QByteArray &) {}},
        {"Y", [](Sim &, const QByteArray &) {}},
        {"\x01", packet},
        {"\x02", packet},
    };
}

std::vector<OptionEntry> clone_options() {
    return {
        {QCommandLineOption(QStringList{QStringLiteral("clone-in"), QStringLiteral("image")},
                            QStringLiteral("The 1024-byte image the converter holds."), QStringLiteral("FILE")),
         [](Sim &, const QCommandLineParser &p, QString *error) {
             if (!p.isSet(QStringLiteral("clone-in")))
                 return true;
             QFile f(p.value(QStringLiteral("clone-in")));
             if (!f.open(QIODevice::ReadOnly)) {
                 *error = QStringLiteral("cannot read %1").arg(f.fileName());
                 return false;
             }
             QByteArray img = f.read(1024);
             img.append(QByteArray(1024 - img.size(), '\0'));
             state().image = img;
             return true;
         }},
        {QCommandLineOption(QStringLiteral("clone-out"),
                            QStringLiteral("Write the image of a complete clone download to FILE."),
                            QStringLiteral("FILE")),
         [](Sim &, const QCommandLineParser &p, QString *) {
             state().out_path = p.value(QStringLiteral("clone-out"));
             return true;
         }},
        {QCommandLineOption(QStringLiteral("clone-short"), QStringLiteral("Send N bytes fewer of the image on upload."),
                            QStringLiteral("N")),
         [](Sim &, const QCommandLineParser &p, QString *error) {
             if (!p.isSet(QStringLiteral("clone-short")))
                 return true;
             bool ok = false;
             state().short_by = p.value(QStringLiteral("clone-short")).toInt(&ok);
             if (!ok || state().short_by < 0 || state().short_by > 1024) {
                 *error = QStringLiteral("--clone-short needs 0 to 1024");
                 return false;
             }
             return true;
         }},
        {QCommandLineOption(QStringLiteral("clone-bad-ack"), QStringLiteral("Answer \"go\" to download packet N."),
                            QStringLiteral("N")),
         [](Sim &, const QCommandLineParser &p, QString *) {
             state().bad_ack_at = p.value(QStringLiteral("clone-bad-ack")).toInt();
             return true;
         }},
    };
}

} // namespace k52sim
