#include "navigation.h"

#include <QStringList>

namespace k52 {

const QVector<NavRow> &nav_rows() {
    static const QVector<NavRow> rows = {
        {"Label7_0", "General Screens", NavRow::Heading, nullptr, false},
        {"Label3", "Communications Setup", NavRow::Screen, "commform", false},
        {"Label1", "Terminal Mode", NavRow::Terminal, "termmode", false},
        {"Label7_1", "K52 Serial I/O", NavRow::Heading, nullptr, false},
        {"Label2", "General Settings", NavRow::Screen, "serial", false},
        {"Label11", "Masking", NavRow::Screen, "sermask", true},
        {"Label16", "Preprocessing", NavRow::Screen, "preprocess", true},
        {"Label12", "Serial to Mag", NavRow::Screen, "sertomag", false},
        {"Label4", "Serial to Wiegand", NavRow::Screen, "sertowie", false},
        {"Label7_2", "K52 Wie/Mag Input", NavRow::Heading, nullptr, false},
        {"Label5", "General Settings", NavRow::Screen, "wiesetup", false},
        {"Label13", "Input Options", NavRow::Screen, "wiemaginput", false},
        {"Label14", "Masking", NavRow::Screen, "wiemasking", false},
        {"Label15", "Mag Output", NavRow::Screen, "wiemagout", false},
        {"Label8", "Wiegand Output", NavRow::Screen, "wietowie", false},
        {"Label7_3", "K52 Utilities", NavRow::Heading, nullptr, false},
        {"Label6", "Utilities", NavRow::Screen, "utilities", false},
        {"Label9", "Program K52", NavRow::Program, nullptr, false},
        {"Label10", "Flash Download", NavRow::Screen, "flashdl", false},
    };
    return rows;
}

const QVector<MenuEntry> &menu_entries() {
    static const QVector<MenuEntry> entries = {
        {"md", "Load Profile  "},
        {"dm", "  Save Profile"},
        {"dpf", "    Delete Profile"},
        {"imp", "Import from an older database..."},
        {"wir", "     Wiring"},
        {"bittable", "      Bit Size Table    "},
        {"hp", "         Help             "},
        {"ab", "      About          "},
        {"revs", "Revisions"},
    };
    return entries;
}

const QStringList &startup_screens() {
    static const QStringList names = {
        QStringLiteral("commform"),   QStringLiteral("flashdl"),     QStringLiteral("pgmform"),
        QStringLiteral("preprocess"), QStringLiteral("serial"),      QStringLiteral("sermask"),
        QStringLiteral("sertomag"),   QStringLiteral("sertowie"),    QStringLiteral("termmode"),
        QStringLiteral("utilities"),  QStringLiteral("wiemaginput"), QStringLiteral("wiemagout"),
        QStringLiteral("wiesetup"),   QStringLiteral("wietowie"),
    };
    return names;
}

const QStringList &refill_order() {
    static const QStringList names = {
        QStringLiteral("sermask"),    QStringLiteral("sertowie"),   QStringLiteral("sertomag"),
        QStringLiteral("wiesetup"),   QStringLiteral("wietowie"),   QStringLiteral("wiemagout"),
        QStringLiteral("utilities"),  QStringLiteral("preprocess"), QStringLiteral("wiemaginput"),
        QStringLiteral("wiemasking"), QStringLiteral("serial"),
    };
    return names;
}

} // namespace k52
