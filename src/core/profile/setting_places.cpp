#include "setting_places.h"

#include "columns.h"

#include <QCoreApplication>
#include <QHash>

namespace k52 {

namespace {

const char *const kSerial = kSerialScreen;
const char *const kSerMask = kSerMaskScreen;
const char *const kPreprocess = kPreprocessScreen;
const char *const kSerToMag = kSerToMagScreen;
const char *const kSerToWie = kSerToWieScreen;
const char *const kWieSetup = kWieSetupScreen;
const char *const kWieMagInput = kWieMagInputScreen;
const char *const kWieMasking = kWieMaskingScreen;
const char *const kWieMagOut = kWieMagOutScreen;
const char *const kWieToWie = kWieToWieScreen;
const char *const kUtilities = kUtilitiesScreen;

using Choices = ChoiceList;

const Choices kParity{{0, QT_TRANSLATE_NOOP("k52::Choices", "7 Even")},
                      {1, QT_TRANSLATE_NOOP("k52::Choices", "7 Odd")},
                      {2, QT_TRANSLATE_NOOP("k52::Choices", "8 None")}};
const Choices kConversion{{0, QT_TRANSLATE_NOOP("k52::Choices", "No Conversion")},
                          {1, QT_TRANSLATE_NOOP("k52::Choices", "Mag Emulation")},
                          {2, QT_TRANSLATE_NOOP("k52::Choices", "Wand Emulation")},
                          {3, QT_TRANSLATE_NOOP("k52::Choices", "Wiegand")},
                          {4, QT_TRANSLATE_NOOP("k52::Choices", "Alpha Wiegand")},
                          {5, QT_TRANSLATE_NOOP("k52::Choices", "Aba Wiegand")},
                          {6, QT_TRANSLATE_NOOP("k52::Choices", "Serial")},
                          {7, QT_TRANSLATE_NOOP("k52::Choices", "Bit Simulation  (v1.99+)")}};
const Choices kInputType{{1, QT_TRANSLATE_NOOP("k52::Choices", "Wiegand")},
                         {2, QT_TRANSLATE_NOOP("k52::Choices", "Magstripe")},
                         {5, QT_TRANSLATE_NOOP("k52::Choices", "Wiegand and Magstripe")},
                         {3, QT_TRANSLATE_NOOP("k52::Choices", "Alpha Wie")},
                         {4, QT_TRANSLATE_NOOP("k52::Choices", "Wieaba")}};
const Choices kOutputConversion{{3, QT_TRANSLATE_NOOP("k52::Choices", "Serial")},
                                {1, QT_TRANSLATE_NOOP("k52::Choices", "Mag Emulation")},
                                {2, QT_TRANSLATE_NOOP("k52::Choices", "Wand Emulation")},
                                {5, QT_TRANSLATE_NOOP("k52::Choices", "Wiegand")},
                                {8, QT_TRANSLATE_NOOP("k52::Choices", "Alpha Wiegand")},
                                {7, QT_TRANSLATE_NOOP("k52::Choices", "Aba Wiegand (wieaba)")},
                                {4, QT_TRANSLATE_NOOP("k52::Choices", "Serial Dump")}};
const Choices kDumpMode{{0, QT_TRANSLATE_NOOP("k52::Choices", "Mode 0   (1 char for each bit)")},
                        {1, QT_TRANSLATE_NOOP("k52::Choices", "Mode 1   (8 bits/char)")},
                        {2, QT_TRANSLATE_NOOP("k52::Choices", "Mode 2   (8 bits/char with preceding bit count")},
                        {3, QT_TRANSLATE_NOOP("k52::Choices", "Mode 3   (hex, ignore leading zeroes)")},
                        {4, QT_TRANSLATE_NOOP("k52::Choices", "Mode 4   (hex, include leading zeroes)")},
                        {5, QT_TRANSLATE_NOOP("k52::Choices", "Mode 5   (8 bits/char, bit count, 8 chars always")},
                        {6, QT_TRANSLATE_NOOP("k52::Choices", "Mode 6   (8 bits/char, bit count, 16 chars always")}};
const Choices kParityMode{{1, QT_TRANSLATE_NOOP("k52::WiegandOutputEditor", "Standard")},
                          {2, QT_TRANSLATE_NOOP("k52::WiegandOutputEditor", "Mask")},
                          {0, QT_TRANSLATE_NOOP("k52::WiegandOutputEditor", "None")}};
const Choices kLeftSense{{0, "Even"}, {1, "Odd"}};
const Choices kRightSense{{0, "Odd"}, {1, "Even"}};
const Choices kField{{1, QT_TRANSLATE_NOOP("k52::WiegandOutputEditor", "Site")},
                     {2, QT_TRANSLATE_NOOP("k52::WiegandOutputEditor", "ID")},
                     {3, QT_TRANSLATE_NOOP("k52::WiegandOutputEditor", "Issue")},
                     {4, QT_TRANSLATE_NOOP("k52::WiegandOutputEditor", "Constant")},
                     {0, QT_TRANSLATE_NOOP("k52::WiegandOutputEditor", "None")}};
const WiegandEditorCaptions kWiegandCaptions{
    {QT_TRANSLATE_NOOP("k52::WiegandOutputEditor", "Extract Site"),
     QT_TRANSLATE_NOOP("k52::WiegandOutputEditor", "Extract ID"),
     QT_TRANSLATE_NOOP("k52::WiegandOutputEditor", "Extract Issue Code")},
    {QT_TRANSLATE_NOOP("k52::WiegandOutputEditor", "Site"), QT_TRANSLATE_NOOP("k52::WiegandOutputEditor", "ID"),
     QT_TRANSLATE_NOOP("k52::WiegandOutputEditor", "Issue"), QT_TRANSLATE_NOOP("k52::WiegandOutputEditor", "Const")},
    {QT_TRANSLATE_NOOP("k52::WiegandOutputEditor", "Override Site"),
     QT_TRANSLATE_NOOP("k52::WiegandOutputEditor", "Override ID"),
     QT_TRANSLATE_NOOP("k52::WiegandOutputEditor", "Override Issue")}};
const Choices kMagTrack{{1, "Track 1 set"}, {2, "Track 2 set"}};
const Choices kMagOutTrack{{1, "Track 1 Emulation"}, {2, "Track 2 Emulation"}};
const Choices kPulse{{1, QT_TRANSLATE_NOOP("k52::Choices", "50us")},
                     {2, QT_TRANSLATE_NOOP("k52::Choices", "100us")},
                     {3, QT_TRANSLATE_NOOP("k52::Choices", "150us")}};
const Choices kOnOff{{0, "Off"}, {1, "On"}};

const GroupCaptions kSerialMaskGroups{QT_TRANSLATE_NOOP("k52::SerMaskScreen", "Mask # 1 (default)"),
                                      QT_TRANSLATE_NOOP("k52::SerMaskScreen", "Mask # 2 (v1.7+)"),
                                      QT_TRANSLATE_NOOP("k52::SerMaskScreen", "Mask # 3 (v1.7+)")};
const GroupCaptions kInputFormatGroups{
    QT_TRANSLATE_NOOP("k52::WieMagInputScreen", "Wiegand Input - Format # 1"),
    QT_TRANSLATE_NOOP("k52::WieMagInputScreen", "Wiegand Input - Format # 2"),
    QT_TRANSLATE_NOOP("k52::WieMagInputScreen", "Wiegand Input - Format # 3 (v1.94+)")};
const GroupCaptions kInputMaskGroups{QT_TRANSLATE_NOOP("k52::WieMaskingScreen", "Input Mask # 1"),
                                     QT_TRANSLATE_NOOP("k52::WieMaskingScreen", "Input Mask # 2"),
                                     QT_TRANSLATE_NOOP("k52::WieMaskingScreen", "Input Mask # 3 (v1.94+)")};

class Builder {
public:
    QVector<SettingPlace> places;

    // The command (and its first version) of the places added next.
    void sends(const char *command, const char *since = nullptr) {
        command_ = command;
        since_ = since;
    }

    void add(const char *column, const char *screen, const QString &caption, ShownAs shown = ShownAs::Number,
             const Choices &choices = {}) {
        part(column, 0, 0, screen, caption, shown, choices);
    }
    void part(const char *column, int from, int length, const char *screen, const QString &caption, ShownAs shown,
              const Choices &choices = {}) {
        const int index = column_index(QString::fromLatin1(column));
        Q_ASSERT(index >= 0);
        places.push_back({index, from, length, screen, caption, shown, choices, command_, since_});
    }

    // The Wiegand output format editor, serial (`serwie`) or input (`input1wie`) variant.
    void wiegand_output(const char *screen, const QString &prefix, bool input_side) {
        static const char *const serial_commands[] = {"S1W1", "S1W2", "S1W3", "S1W4", "S1W5", "S1W6"};
        static const char *const input_commands[] = {"I1OW1", "I1OW2", "I1OW3", "I1OW4", "I1OW5", "I1OW6"};
        // 1: extraction and bit counts; 2: parity, bit order, override flags;
        // 3: output order; 4: fixed values; 5, 6: parity masks.
        auto command = [&](int n) { sends((input_side ? input_commands : serial_commands)[n - 1]); };
        auto col = [&](const char *rest) { return (prefix + QLatin1String(rest)).toLatin1(); };
        auto add_col = [&](const char *rest, const QString &caption, ShownAs shown = ShownAs::Number,
                           const Choices &choices = {}) {
            add(col(rest).constData(), screen, caption, shown, choices);
        };
        const char *fields[] = {"site", "id", "issue"};
        const WiegandEditorCaptions &c = kWiegandCaptions;
        command(1);
        for (int i = 0; i < 3; ++i)
            add_col(QStringLiteral("extract%1").arg(QLatin1StringView(fields[i])).toLatin1().constData(),
                    QString::fromLatin1(c.extract[i]), ShownAs::Flag);
        for (const char *what : {"start", "len"})
            for (int i = 0; i < 3; ++i)
                add_col(QStringLiteral("%1%2%3")
                            .arg(QLatin1StringView(fields[i]), input_side ? QStringLiteral("chr") : QString(),
                                 QLatin1StringView(what))
                            .toLatin1()
                            .constData(),
                        QStringLiteral("%1: %2").arg(QLatin1StringView(c.extract[i]),
                                                     QLatin1StringView(what[0] == 's' ? "Start" : "Length")));
        const char *out_fields[] = {"site", "id", "issue", "const"};
        for (int i = 0; i < 4; ++i)
            add_col(QStringLiteral("%1bits").arg(QLatin1StringView(out_fields[i])).toLatin1().constData(),
                    QStringLiteral("Output Bit Formats: %1 # Bits").arg(QLatin1StringView(c.fields[i])));
        command(2);
        for (int i = 0; i < 4; ++i)
            add_col(QStringLiteral("%1lsb").arg(QLatin1StringView(out_fields[i])).toLatin1().constData(),
                    QStringLiteral("Output Bit Formats: %1 LSB").arg(QLatin1StringView(c.fields[i])), ShownAs::Flag);
        for (int i = 0; i < 3; ++i)
            add_col(QStringLiteral("over%1").arg(QLatin1StringView(fields[i])).toLatin1().constData(),
                    QString::fromLatin1(c.overrides[i]), ShownAs::Flag);
        const QString value_label = input_side ? QStringLiteral("Value (hex)") : QStringLiteral("Value (hex):");
        command(4);
        for (int i = 0; i < 3; ++i)
            add_col(QStringLiteral("%1over").arg(QLatin1StringView(fields[i])).toLatin1().constData(),
                    QStringLiteral("%1: %2").arg(QLatin1StringView(c.overrides[i]), value_label), ShownAs::Hex);
        add_col("constover", QStringLiteral("Constant Value (hex):"), ShownAs::Hex);
        command(2);
        add_col("parity", QStringLiteral("Parity Selection"), ShownAs::Choice, kParityMode);
        add_col("lpbits", QStringLiteral("Parity Selection: Left Bits:"));
        add_col("rpbits", QStringLiteral("Parity Selection: Right Bits:"));
        add_col("lp", QStringLiteral("Parity Selection: Left Even / Odd"), ShownAs::Choice, kLeftSense);
        add_col("rp", QStringLiteral("Parity Selection: Right Even / Odd"), ShownAs::Choice, kRightSense);
        command(3);
        for (int row = 1; row <= 4; ++row)
            add_col(QStringLiteral("field%1").arg(row).toLatin1().constData(),
                    QStringLiteral("Output Order Format: %1").arg(row), ShownAs::Choice, kField);
        command(5);
        add_col("lpmask", QStringLiteral("Parity Masks: Left:"), ShownAs::Hex);
        command(6);
        add_col("rpmask", QStringLiteral("Parity Masks: Right:"), ShownAs::Hex);
    }

    // Serial mask set `set` (1-3) in its composite column.
    void serial_mask(int set) {
        const QByteArray column = QByteArray("sermask") + QByteArray::number(set);
        static const char *const commands[] = {"S1K", "S2K", "S3K"};
        static const char *const input_lengths[] = {nullptr, "S1Q2", "S1Q3"};
        const char *since = set > 1 ? "01.70" : nullptr;
        sends(commands[set - 1], since);
        const QString group = QString::fromLatin1(kSerialMaskGroups[std::size_t(set - 1)]);
        for (int k = 0; k < 5; ++k) {
            const int at = 7 * k;
            const QString row = QStringLiteral("%1, Position %2: ").arg(group).arg(k + 1);
            part(column.constData(), at, 1, kSerMask, row + QStringLiteral("Constant"), ShownAs::Flag);
            part(column.constData(), at + 1, 2, kSerMask, row + QStringLiteral("Start"), ShownAs::Number);
            part(column.constData(), at + 3, 2, kSerMask, row + QStringLiteral("Length"), ShownAs::Number);
            part(column.constData(), at + 5, 2, kSerMask, row + QStringLiteral("Value (hex)"), ShownAs::Hex);
        }
        sends(input_lengths[set - 1], since);
        if (set > 1)
            part(column.constData(), 35, 2, kSerMask, group + QStringLiteral(": Input Length"), ShownAs::Number);
    }

    // Input mask `mask` (1-3): columns input1const1 .. or input1const21 ..
    void input_mask(int mask) {
        static const char *const commands[] = {"I1IK", "I1IY", "I1IZ"};
        sends(commands[mask - 1], mask == 3 ? "01.94" : nullptr);
        const QString digit = mask == 1 ? QString() : QString::number(mask);
        for (auto [what, caption, shown] :
             {std::tuple{"const", "Constant", ShownAs::Flag}, std::tuple{"start", "Start", ShownAs::Number},
              std::tuple{"len", "Length", ShownAs::Number}, std::tuple{"constval", "Value (hex)", ShownAs::Hex}})
            for (int pos = 1; pos <= 5; ++pos)
                add(QStringLiteral("input1%1%2%3").arg(QLatin1StringView(what), digit).arg(pos).toLatin1().constData(),
                    kWieMasking,
                    QStringLiteral("%1, Position %2: %3")
                        .arg(QLatin1StringView(kInputMaskGroups[std::size_t(mask - 1)]))
                        .arg(pos)
                        .arg(QLatin1StringView(caption)),
                    shown);
    }

    // Wiegand input format `format` (1-3) of the input options screen.
    void input_format(int format) {
        static const char *const commands[] = {"I1IW", "I1IX", "I1IV"};
        sends(commands[format - 1], format == 3 ? "01.94" : nullptr);
        const QString suffix = format == 1 ? QString() : QString::number(format);
        const QString group = QString::fromLatin1(kInputFormatGroups[std::size_t(format - 1)]);
        const char *fields[] = {"site", "id", "issue"};
        const char *rows[] = {"Site", "ID", "Issue"};
        auto one = [&](const QString &column, const QString &caption, ShownAs shown) {
            add((column + suffix).toLatin1().constData(), kWieMagInput, group + QStringLiteral(": ") + caption, shown);
        };
        for (const char *what : {"start", "len"})
            for (int i = 0; i < 3; ++i)
                one(QStringLiteral("input1wie%1%2").arg(QLatin1StringView(fields[i]), QLatin1StringView(what)),
                    QStringLiteral("%1 %2").arg(QLatin1StringView(rows[i]),
                                                QLatin1StringView(what[0] == 's' ? "Start" : "Length")),
                    ShownAs::Number);
        for (int i = 0; i < 3; ++i)
            one(QStringLiteral("input1%1chars").arg(QLatin1StringView(fields[i])),
                QStringLiteral("%1 Chars").arg(QLatin1StringView(rows[i])), ShownAs::Number);
        for (int i = 0; i < 3; ++i)
            one(QStringLiteral("input1wiein%1lsb").arg(QLatin1StringView(fields[i])),
                QStringLiteral("%1 LSB").arg(QLatin1StringView(rows[i])), ShownAs::Flag);
        one(QStringLiteral("input1totalbits"), QStringLiteral("Total Bits"), ShownAs::Number);
    }

private:
    const char *command_ = nullptr;
    const char *since_ = nullptr;
};

QVector<SettingPlace> build() {
    Builder b;
    b.sends("S1G");
    b.add("baudrate", kSerial, QStringLiteral("Converter Baud Rate"));
    b.add("parity", kSerial, QStringLiteral("Data Bits/Parity"), ShownAs::Choice, kParity);
    b.part("terminators", 0, 2, kSerial, QStringLiteral("Input Terminator in hex"), ShownAs::Hex);
    b.part("terminators", 2, 2, kSerial, QStringLiteral("Output Terminator (1) in hex"), ShownAs::Hex);
    b.part("terminators", 4, 2, kSerial, QStringLiteral("Output Terminator (2) in hex"), ShownAs::Hex);
    b.add("seringoodbeep", kSerial, QStringLiteral("Beep on a good conversion"), ShownAs::Flag);
    b.add("serinmask", kSerMask, QStringLiteral("Masking On"), ShownAs::Flag);
    b.add("serinconvtype", kSerial, QStringLiteral("Serial Input Conversion Type"), ShownAs::Choice, kConversion);
    b.sends("S1M");
    b.part("sermagparms", 0, 1, kSerToMag, QStringLiteral("Track 1 Emulation"), ShownAs::Flag);
    b.part("sermagparms", 1, 1, kSerToMag, QStringLiteral("Track 2 Emulation"), ShownAs::Flag);
    b.part("sermagparms", 2, 1, kSerToMag, QStringLiteral("Data up with clock"), ShownAs::Flag);
    b.part("sermagparms", 3, 1, kSerToMag, QStringLiteral("C start sentinel for Track 2 emulation"), ShownAs::Flag);
    b.sends("S1M", "01.60");
    b.part("sermagparms", 4, 1, kSerToMag, QStringLiteral("F2F Output"), ShownAs::Flag);
    for (int set = 1; set <= 3; ++set)
        b.serial_mask(set);
    b.wiegand_output(kSerToWie, QStringLiteral("serwie"), false);
    b.sends("I1IG");
    b.add("input1type", kWieSetup, QStringLiteral("Input Type"), ShownAs::Choice, kInputType);
    b.add("input1convtype", kWieSetup, QStringLiteral("Output Conversion Type"), ShownAs::Choice, kOutputConversion);
    b.add("input1beep", kWieSetup, QStringLiteral("Beep on a good conversion"), ShownAs::Flag);
    b.add("input1mask", kWieSetup, QStringLiteral("Masking On"), ShownAs::Flag);
    b.add("input1parchk", kWieSetup, QStringLiteral("26 bit wiegand input parity check"), ShownAs::Flag);
    for (int format = 1; format <= 3; ++format)
        b.input_format(format);
    const QString mag = QStringLiteral("Magstripe Input Options: ");
    b.sends("I1IM");
    b.add("input1magtk", kWieMagInput, mag + QStringLiteral("Track 1 set / Track 2 set"), ShownAs::Choice, kMagTrack);
    b.add("input1cstart", kWieMagInput, mag + QStringLiteral("C Start"), ShownAs::Flag);
    b.add("input1alpdel", kWieMagInput, mag + QStringLiteral("Alpha delete"), ShownAs::Flag);
    b.add("input1ststop", kWieMagInput, mag + QStringLiteral("Include Start/Stop (serial output only)"), ShownAs::Flag);
    b.add("input1lrc", kWieMagInput, mag + QStringLiteral("Include Lrc (serial output only)"), ShownAs::Flag);
    b.add("input1dir", kWieMagInput, mag + QStringLiteral("Direction indicator (serial output only)"), ShownAs::Flag);
    b.add("input1maglen", kWieMagInput, mag + QStringLiteral("Length"));
    b.add("input1septrans", kWieMagInput, mag + QStringLiteral("Sep translate (hex)"), ShownAs::Hex);
    b.sends("I1OM");
    b.add("input1magouttk", kWieMagOut, QStringLiteral("Track 1 Emulation / Track 2 Emulation"), ShownAs::Choice,
          kMagOutTrack);
    b.add("input1magdataup", kWieMagOut, QStringLiteral("Data up with clock"), ShownAs::Flag);
    b.add("input1magcstart", kWieMagOut, QStringLiteral("C start sentinel for Track 2 emulation"), ShownAs::Flag);
    b.sends("I1OM", "01.60");
    b.add("input1magoutf2f", kWieMagOut, QStringLiteral("F2F"), ShownAs::Flag);
    for (int mask = 1; mask <= 3; ++mask)
        b.input_mask(mask);
    b.wiegand_output(kWieToWie, QStringLiteral("input1wie"), true);
    const QString beeper = QStringLiteral("Beeper Frequency and Duration: ");
    const QString timing = QStringLiteral("Wie/Aba timing: ");
    b.sends("P");
    b.add("spkrfreq", kUtilities, beeper + QStringLiteral("Frequency"));
    b.add("spkrtimeser", kUtilities, beeper + QStringLiteral("Serial In Beep Time"));
    b.add("spkrtimei1", kUtilities, beeper + QStringLiteral("Wie/Aba In Beep Time"));
    b.sends("T");
    b.add("maginterval", kUtilities, timing + QStringLiteral("Mag Pulse Interval"));
    b.add("wieinterval", kUtilities, timing + QStringLiteral("Wiegand Pulse Interval"));
    b.add("magpulse", kUtilities, timing + QStringLiteral("Mag Pulse Duration"), ShownAs::Choice, kPulse);
    b.add("wiepulse", kUtilities, timing + QStringLiteral("Wiegand Pulse Duration"), ShownAs::Choice, kPulse);
    b.sends("A");
    b.add("spkrstart", kUtilities, QStringLiteral("Startup Beep"), ShownAs::Choice, kOnOff);
    const QString hex = QStringLiteral("Hexadecimal Preprocessor (v1.8+): ");
    b.sends("X2", "01.80");
    b.add("hextotalbits", kPreprocess, hex + QStringLiteral("Toital Bits"));
    b.add("hexsitestart", kPreprocess, hex + QStringLiteral("Site Start"));
    b.add("hexidstart", kPreprocess, hex + QStringLiteral("ID Start"));
    b.add("hexsitelen", kPreprocess, hex + QStringLiteral("Site Length"));
    b.add("hexidlen", kPreprocess, hex + QStringLiteral("ID Length"));
    b.add("hexsitechars", kPreprocess, hex + QStringLiteral("Site Chars"));
    b.add("hexidchars", kPreprocess, hex + QStringLiteral("ID Chars"));
    b.add("hextrimleading", kPreprocess, hex + QStringLiteral("Trim Leading Zero Bits"), ShownAs::Flag);
    // The preprocessors exclude one another: the one switched on leaves the
    // later ones' commands out.
    b.sends("X2 X3 X5", "01.80");
    b.add("hexprepro", kPreprocess, hex + QStringLiteral("Preprocessor ON"), ShownAs::Flag);
    b.sends("X3 X5", "01.80");
    b.add("amtech26encpre", kPreprocess, QStringLiteral("Amtech 26 bit encoded Preprocessor (v1.8+): Preprocessor ON"),
          ShownAs::Flag);
    b.sends("X5", "01.93");
    b.add("seralphasub", kPreprocess, QStringLiteral("Alpha Substitution Preprocessor (v1.93+): Preprocessor ON"),
          ShownAs::Flag);
    b.sends("X4", "01.80");
    b.add("dumpmodestyle", kWieSetup, QStringLiteral("Dump Mode Options"), ShownAs::Choice, kDumpMode);
    b.sends("X1", "01.80");
    b.add("ignorelf", kSerial, QStringLiteral("Ignore Linefeeds on input (V1.8+)"), ShownAs::Flag);
    b.sends("X6", "01.94");
    b.add("zerosuppress", kWieSetup, QStringLiteral("Zero Suppression (v1.94+)"), ShownAs::Flag);
    // Column order, parts in position order.
    std::stable_sort(b.places.begin(), b.places.end(), [](const SettingPlace &x, const SettingPlace &y) {
        return x.column != y.column ? x.column < y.column : x.from < y.from;
    });
    return b.places;
}

QString part_text(const SettingPlace &place, const QVariant &stored) {
    const QString whole = stored.isNull() ? QString() : stored.toString();
    return place.length ? whole.mid(place.from, place.length) : whole;
}

} // namespace

const QVector<SettingPlace> &setting_places() {
    static const QVector<SettingPlace> places = build();
    return places;
}

QStringList setting_screens() {
    return {QString::fromLatin1(kSerial),      QString::fromLatin1(kSerMask),    QString::fromLatin1(kPreprocess),
            QString::fromLatin1(kSerToMag),    QString::fromLatin1(kSerToWie),   QString::fromLatin1(kWieSetup),
            QString::fromLatin1(kWieMagInput), QString::fromLatin1(kWieMasking), QString::fromLatin1(kWieMagOut),
            QString::fromLatin1(kWieToWie),    QString::fromLatin1(kUtilities)};
}

const ChoiceList &parity_choices() {
    return kParity;
}
const ChoiceList &serial_conversion_choices() {
    return kConversion;
}
const ChoiceList &input_type_choices() {
    return kInputType;
}
const ChoiceList &output_conversion_choices() {
    return kOutputConversion;
}
const ChoiceList &dump_mode_choices() {
    return kDumpMode;
}
const ChoiceList &pulse_choices() {
    return kPulse;
}

const GroupCaptions &serial_mask_groups() {
    return kSerialMaskGroups;
}
const GroupCaptions &input_format_groups() {
    return kInputFormatGroups;
}
const GroupCaptions &input_mask_groups() {
    return kInputMaskGroups;
}

const WiegandEditorCaptions &wiegand_editor_captions() {
    return kWiegandCaptions;
}
const ChoiceList &wiegand_parity_choices() {
    return kParityMode;
}
const ChoiceList &wiegand_order_choices() {
    return kField;
}

QString shown_caption(const ChoiceCaption &choice) {
    return QCoreApplication::translate("k52::Choices", choice.caption);
}

std::optional<qint64> choice_code(const ChoiceList &choices, int index) {
    if (index < 0 || index >= choices.size())
        return std::nullopt;
    return choices[index].code;
}

std::optional<int> choice_index(const ChoiceList &choices, qint64 code) {
    for (int i = 0; i < choices.size(); ++i)
        if (choices[i].code == code)
            return i;
    return std::nullopt;
}

QString shown_value(const SettingPlace &place, const QVariant &stored) {
    const QString text = part_text(place, stored);
    switch (place.shown) {
    case ShownAs::Hex:
        return text.toUpper();
    case ShownAs::Flag:
        // A value a box cannot show is given as it is, so it is not hidden.
        if (text.trimmed() == QLatin1String("1"))
            return QStringLiteral("ticked");
        return text.trimmed().isEmpty() || text.trimmed() == QLatin1String("0") ? QStringLiteral("not ticked") : text;
    case ShownAs::Choice: {
        bool ok = false;
        const int code = text.trimmed().toInt(&ok);
        if (ok)
            for (const ChoiceCaption &c : place.choices)
                if (c.code == code)
                    return QString::fromLatin1(c.caption);
        return QStringLiteral("none chosen (%1)").arg(text);
    }
    case ShownAs::Number: {
        // Composite parts are zero-padded digits; a user types the number.
        bool ok = false;
        const qlonglong n = text.trimmed().toLongLong(&ok);
        return ok ? QString::number(n) : text;
    }
    }
    return text;
}

QString place_name(const SettingPlace &place) {
    const QString column = QString::fromLatin1(columns()[std::size_t(place.column)].name);
    if (!place.length)
        return column;
    return QStringLiteral("%1[%2-%3]").arg(column).arg(place.from + 1).arg(place.from + place.length);
}

QVector<SettingDifference> diff_settings(const QVector<QVariant> &a, const QVector<QVariant> &b) {
    QVector<SettingDifference> out;
    for (const SettingPlace &p : setting_places()) {
        const QVariant va = a.value(p.column), vb = b.value(p.column);
        const QString sa = shown_value(p, va), sb = shown_value(p, vb);
        if (sa != sb)
            out.push_back({&p, sa, sb});
    }
    return out;
}

QVector<ScreenDifferences> by_screen(const QVector<SettingDifference> &diffs) {
    QVector<ScreenDifferences> out;
    for (const QString &screen : setting_screens()) {
        ScreenDifferences group{screen, {}};
        for (const SettingDifference &d : diffs)
            if (QLatin1String(d.place->screen) == screen)
                group.settings.push_back(d);
        if (!group.settings.isEmpty())
            out.push_back(group);
    }
    return out;
}

} // namespace k52
