#include "profile_store.h"

namespace k52 {

// A careful installer's starting point: 9600,E,7,1 serial with CR / CR / LF
// terminators, and a standard 26-bit Wiegand layout (even parity, 8 site
// bits, 16 id bits, odd parity) on both Wiegand outputs and on input
// format 1.
ConfigRecord default_profile() {
    ConfigRecord r;
    r.baudrate = 9600;
    r.parity = QStringLiteral("E");
    r.terminators = {QStringLiteral("0D"), QStringLiteral("0D"), QStringLiteral("0A")};
    r.seringoodbeep = 1;
    r.serinconvtype = 0;
    r.sermagparms = {0, 1, 0, 0, 0};
    for (MaskSet *m : {&r.sermask1, &r.sermask2, &r.sermask3})
        for (MaskEntry &e : m->entries)
            e.value = QStringLiteral("00");

    // serial to Wiegand: site then id, 26 bits with standard parity
    r.serwieextractsite = 1;
    r.serwieextractid = 1;
    r.serwiesitestart = 1;
    r.serwiesitelen = 3;
    r.serwieidstart = 4;
    r.serwieidlen = 5;
    r.serwiesitebits = 8;
    r.serwieidbits = 16;
    r.serwieparity = 1;
    r.serwielpbits = 12;
    r.serwierpbits = 12;
    r.serwielp = 0; // even
    r.serwierp = 0; // odd
    r.serwiefield1 = 1;
    r.serwiefield2 = 2;
    for (QString *h : {&r.serwiesiteover, &r.serwieidover, &r.serwieissueover, &r.serwieconstover})
        *h = QStringLiteral("0000");
    r.serwielpmask = QStringLiteral("0000000000000000");
    r.serwierpmask = QStringLiteral("0000000000000000");

    // Wiegand / magstripe input: Wiegand in, passed on as Wiegand
    r.input1type = 1;     // "Wiegand"
    r.input1convtype = 5; // "Wiegand"
    r.input1beep = 1;
    r.input1parchk = 1;
    r.input1wiesitestart = 2;
    r.input1wiesitelen = 8;
    r.input1wieidstart = 10;
    r.input1wieidlen = 16;
    r.input1sitechars = 3;
    r.input1idchars = 5;
    r.input1totalbits = 26;
    r.input1magtk = 2;
    r.input1septrans = QStringLiteral("00");
    r.input1magouttk = 2;
    for (QString *v :
         {&r.input1constval1, &r.input1constval2, &r.input1constval3, &r.input1constval4, &r.input1constval5,
          &r.input1constval21, &r.input1constval22, &r.input1constval23, &r.input1constval24, &r.input1constval25,
          &r.input1constval31, &r.input1constval32, &r.input1constval33, &r.input1constval34, &r.input1constval35})
        *v = QStringLiteral("00");

    // input to Wiegand output: site then id, 26 bits with standard parity
    r.input1wieextractsite = 1;
    r.input1wieextractid = 1;
    r.input1wiesitechrstart = 1;
    r.input1wiesitechrlen = 3;
    r.input1wieidchrstart = 4;
    r.input1wieidchrlen = 5;
    r.input1wiesitebits = 8;
    r.input1wieidbits = 16;
    r.input1wieparity = 1;
    r.input1wielpbits = 12;
    r.input1wierpbits = 12;
    r.input1wielp = 0;
    r.input1wierp = 0;
    r.input1wiefield1 = 1;
    r.input1wiefield2 = 2;
    for (QString *h : {&r.input1wiesiteover, &r.input1wieidover, &r.input1wieissueover, &r.input1wieconstover})
        *h = QStringLiteral("0000");
    r.input1wielpmask = QStringLiteral("0000000000000000");
    r.input1wierpmask = QStringLiteral("0000000000000000");

    // beeper and timing
    r.spkrfreq = 4;
    r.spkrtimeser = 2;
    r.spkrtimei1 = 2;
    r.maginterval = 1; // intervals are one digit, 0 to 9
    r.wieinterval = 1;
    r.magpulse = 1;
    r.wiepulse = 1;
    r.spkrstart = QStringLiteral("1");
    return r;
}

} // namespace k52
