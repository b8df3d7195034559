#include "navigation.h"

#include "window/maintenance/flashdl_screen.h"
#include "window/maintenance/utilities_screen.h"
#include "window/programming/pgmform_window.h"
#include "window/reference/about_window.h"
#include "window/reference/bitsize_window.h"
#include "window/reference/help_window.h"
#include "window/reference/wiring_window.h"
#include "window/screens/commform_screen.h"
#include "window/screens/magoutput_screen.h"
#include "window/screens/preprocess_screen.h"
#include "window/screens/serial_screen.h"
#include "window/screens/sermask_screen.h"
#include "window/screens/termmode_screen.h"
#include "window/screens/wiegand_output_editor.h"
#include "window/screens/wiemaginput_screen.h"
#include "window/screens/wiemasking_screen.h"
#include "window/screens/wiesetup_screen.h"

#include <algorithm>

namespace k52 {

namespace {

template <class W> BaseScreen *make(AppContext &c, QWidget *p) {
    return new W(c, p);
}
template <const MagOutputVariant &V> BaseScreen *make_mag(AppContext &c, QWidget *p) {
    return new MagOutputScreen(c, V, p);
}
template <const WiegandOutputVariant &V> BaseScreen *make_wiegand(AppContext &c, QWidget *p) {
    return new WiegandOutputEditor(c, V, p);
}

using K = NavRow::Kind;

QStringList ranked(int ScreenRow::*rank) {
    QVector<const ScreenRow *> rows;
    for (const ScreenRow &r : screen_table())
        if (r.*rank > 0)
            rows.append(&r);
    std::sort(rows.begin(), rows.end(), [rank](auto *a, auto *b) { return a->*rank < b->*rank; });
    QStringList names;
    for (const ScreenRow *r : rows)
        names << QString::fromLatin1(r->name);
    return names;
}

} // namespace

const QVector<ScreenRow> &screen_table() {
    // name, constructor, kind, panel label, caption, start-up rank, refill rank, filled before shown
    static const QVector<ScreenRow> rows = {
        {nullptr, nullptr, K::Heading, "Label7_0", QT_TRANSLATE_NOOP("k52::CommandMenuPanel", "General Screens"), 0, 0,
         false},
        {"commform", make<CommFormScreen>, K::Screen, "Label3",
         QT_TRANSLATE_NOOP("k52::CommandMenuPanel", "Communications Setup"), 1, 0, false},
        {"termmode", make<TermModeScreen>, K::Terminal, "Label1",
         QT_TRANSLATE_NOOP("k52::CommandMenuPanel", "Terminal Mode"), 9, 0, false},
        {nullptr, nullptr, K::Heading, "Label7_1", QT_TRANSLATE_NOOP("k52::CommandMenuPanel", "K52 Serial I/O"), 0, 0,
         false},
        {"serial", make<SerialScreen>, K::Screen, "Label2",
         QT_TRANSLATE_NOOP("k52::CommandMenuPanel", "General Settings"), 5, 11, false},
        {"sermask", make<SerMaskScreen>, K::Screen, "Label11", QT_TRANSLATE_NOOP("k52::CommandMenuPanel", "Masking"), 6,
         1, true},
        {"preprocess", make<PreprocessScreen>, K::Screen, "Label16",
         QT_TRANSLATE_NOOP("k52::CommandMenuPanel", "Preprocessing"), 4, 8, true},
        {"sertomag", make_mag<kSerToMag>, K::Screen, "Label12",
         QT_TRANSLATE_NOOP("k52::CommandMenuPanel", "Serial to Mag"), 7, 3, false},
        {"sertowie", make_wiegand<kSerToWieVariant>, K::Screen, "Label4",
         QT_TRANSLATE_NOOP("k52::CommandMenuPanel", "Serial to Wiegand"), 8, 2, false},
        {nullptr, nullptr, K::Heading, "Label7_2", QT_TRANSLATE_NOOP("k52::CommandMenuPanel", "K52 Wie/Mag Input"), 0,
         0, false},
        {"wiesetup", make<WieSetupScreen>, K::Screen, "Label5",
         QT_TRANSLATE_NOOP("k52::CommandMenuPanel", "General Settings"), 13, 4, false},
        {"wiemaginput", make<WieMagInputScreen>, K::Screen, "Label13",
         QT_TRANSLATE_NOOP("k52::CommandMenuPanel", "Input Options"), 11, 9, false},
        {"wiemasking", make<WieMaskingScreen>, K::Screen, "Label14",
         QT_TRANSLATE_NOOP("k52::CommandMenuPanel", "Masking"), 0, 10, false},
        {"wiemagout", make_mag<kWieMagOut>, K::Screen, "Label15",
         QT_TRANSLATE_NOOP("k52::CommandMenuPanel", "Mag Output"), 12, 6, false},
        {"wietowie", make_wiegand<kWieToWieVariant>, K::Screen, "Label8",
         QT_TRANSLATE_NOOP("k52::CommandMenuPanel", "Wiegand Output"), 14, 5, false},
        {nullptr, nullptr, K::Heading, "Label7_3", QT_TRANSLATE_NOOP("k52::CommandMenuPanel", "K52 Utilities"), 0, 0,
         false},
        {"utilities", make<UtilitiesScreen>, K::Screen, "Label6",
         QT_TRANSLATE_NOOP("k52::CommandMenuPanel", "Utilities"), 10, 7, false},
        {"pgmform", make<PgmFormWindow>, K::Program, "Label9",
         QT_TRANSLATE_NOOP("k52::CommandMenuPanel", "Program K52"), 3, 0, false},
        {"flashdl", make<FlashDlScreen>, K::Screen, "Label10",
         QT_TRANSLATE_NOOP("k52::CommandMenuPanel", "Flash Download"), 2, 0, false},
        // Reference windows of the menu bar.
        {"wiring", make<WiringWindow>, K::Screen, nullptr, nullptr, 0, 0, false},
        {"bitsize", make<BitSizeWindow>, K::Screen, nullptr, nullptr, 0, 0, false},
        {"help", make<HelpWindow>, K::Screen, nullptr, nullptr, 0, 0, false},
        {"about", make<AboutWindow>, K::Screen, nullptr, nullptr, 0, 0, false},
        {"Revisions", make<RevisionsWindow>, K::Screen, nullptr, nullptr, 0, 0, false},
    };
    return rows;
}

const QVector<NavRow> &nav_rows() {
    static const QVector<NavRow> rows = [] {
        QVector<NavRow> out;
        for (const ScreenRow &r : screen_table())
            if (r.label)
                out.append({r.label, r.caption, r.kind, r.name, r.set_parms_first});
        return out;
    }();
    return rows;
}

const QStringList &startup_screens() {
    static const QStringList names = ranked(&ScreenRow::startup);
    return names;
}

const QStringList &refill_order() {
    static const QStringList names = ranked(&ScreenRow::refill);
    return names;
}

static const ScreenRow *row_of(const QString &name) {
    for (const ScreenRow &r : screen_table())
        if (r.name && r.make && name == QLatin1String(r.name))
            return &r;
    return nullptr;
}

bool has_screen(const QString &name) {
    return row_of(name) != nullptr;
}

BaseScreen *create_screen(const QString &name, AppContext &ctx, QWidget *parent) {
    const ScreenRow *r = row_of(name);
    if (!r)
        return nullptr;
    BaseScreen *s = r->make(ctx, parent);
    s->setObjectName(name);
    return s;
}

} // namespace k52
