// Every settings screen in one table: a box, what a user does to it, the
// setting it lands in and the value stored. Afterwards the profile is saved
// and reloaded, and every box shows again what the user left in it. The
// rules that tie boxes together are tested per screen in their own files.
// Each screen also carries the caption of every setting the settings map
// places on it.
#include "screen_fixture.h"

#include "core/profile/columns.h"
#include "core/profile/profile_json.h"
#include "core/profile/setting_places.h"
#include "window/maintenance/utilities_screen.h"
#include "window/screens/commform_screen.h"
#include "window/screens/magoutput_screen.h"
#include "window/screens/preprocess_screen.h"
#include "window/screens/serial_screen.h"
#include "window/screens/sermask_screen.h"
#include "window/screens/wiegand_output_editor.h"
#include "window/screens/wiemaginput_screen.h"
#include "window/screens/wiemasking_screen.h"
#include "window/screens/wiesetup_screen.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>

#include <memory>
#include <vector>

namespace k52 {
namespace {

using test::ScreenFixture;

enum Scr {
    Serial,
    SerMask,
    Preprocess,
    WieSetup,
    SerToMag,
    WieMagOut,
    WieMagInput,
    WieMasking,
    Utilities,
    SerToWie,
    WieToWie,
    Comm
};

enum class Act { Type, Tick, Untick, Click };

struct Row {
    Scr screen;
    const char *box; // its object name
    Act act;
    const char *keys;    // typed, for Act::Type
    const char *setting; // a column, a part of one ("terminators[1-2]"), or "link.<field>"
    const char *stored;  // as the profiles table holds it
};

// In order: a row may need a box an earlier row enabled.
const Row kRows[] = {
    {Serial, "baud1200", Act::Click, "", "baudrate", "1200"},
    {Serial, "parityN", Act::Click, "", "parity", "2"},
    {Serial, "conv3", Act::Click, "", "serinconvtype", "3"},
    {Serial, "seringoodbeep", Act::Untick, "", "seringoodbeep", "0"},
    {Serial, "ignorelf", Act::Tick, "", "ignorelf", "1"},
    {Serial, "interm", Act::Type, "0xd", "terminators[1-2]", "0D"},
    {Serial, "outterm2", Act::Type, "3a9", "terminators[5-6]", "3A"},
    {SerMask, "Check4", Act::Tick, "", "serinmask", "1"},
    {SerMask, "Check7_0", Act::Tick, "", "sermask1[1-1]", "1"},
    {SerMask, "value1_1", Act::Type, "1g-f0", "sermask1[6-7]", "1F"},
    {SerMask, "start1_2", Act::Type, "7a", "sermask1[9-10]", "07"},
    {SerMask, "length1_2", Act::Type, "123", "sermask1[11-12]", "12"},
    {SerMask, "Check9_3", Act::Tick, "", "sermask3[22-22]", "1"},
    {SerMask, "value3_4", Act::Type, "a3", "sermask3[27-28]", "A3"},
    {SerMask, "start2_5", Act::Type, "11", "sermask2[30-31]", "11"},
    {SerMask, "inputlen2", Act::Type, "4x5", "sermask2[36-37]", "45"},
    {SerMask, "inputlen3", Act::Type, "33", "sermask3[36-37]", "33"},
    {Preprocess, "hextotalbits", Act::Type, "4x2-7", "hextotalbits", "42"},
    {Preprocess, "hexsitestart", Act::Type, "9", "hexsitestart", "9"},
    {Preprocess, "seralphasub", Act::Tick, "", "seralphasub", "1"},
    {WieSetup, "Check1_2", Act::Click, "", "input1type", "5"},
    {WieSetup, "Check5_4", Act::Click, "", "input1convtype", "8"},
    {WieSetup, "Check6_2", Act::Click, "", "dumpmodestyle", "2"},
    {WieSetup, "zerosuppress", Act::Tick, "", "zerosuppress", "1"},
    {WieSetup, "input1parchk", Act::Untick, "", "input1parchk", "0"},
    {SerToMag, "track2", Act::Tick, "", "sermagparms[2-2]", "1"},
    {SerToMag, "dataup", Act::Tick, "", "sermagparms[3-3]", "1"},
    {SerToMag, "cstart", Act::Tick, "", "sermagparms[4-4]", "1"},
    {SerToMag, "f2f", Act::Tick, "", "sermagparms[5-5]", "1"},
    {WieMagOut, "track2", Act::Tick, "", "input1magouttk", "2"},
    {WieMagOut, "cstart", Act::Tick, "", "input1magcstart", "1"},
    {WieMagOut, "f2f", Act::Tick, "", "input1magoutf2f", "1"},
    {WieMagInput, "start1_site", Act::Type, "1234", "input1wiesitestart", "123"},
    {WieMagInput, "length1_id", Act::Type, "4", "input1wieidlen", "4"},
    {WieMagInput, "chars2_id", Act::Type, "15", "input1idchars2", "15"},
    {WieMagInput, "chars3_id", Act::Type, "456", "input1idchars3", "45"},
    {WieMagInput, "start3_issue", Act::Type, "126", "input1wieissuestart3", "126"},
    {WieMagInput, "lsb1_site", Act::Tick, "", "input1wieinsitelsb", "1"},
    {WieMagInput, "totalbits2", Act::Type, "2b6", "input1totalbits2", "26"},
    {WieMagInput, "Check12", Act::Tick, "", "input1magtk", "2"},
    {WieMagInput, "cstart", Act::Tick, "", "input1cstart", "1"},
    {WieMagInput, "ststop", Act::Tick, "", "input1ststop", "1"},
    {WieMagInput, "lrc", Act::Tick, "", "input1lrc", "1"},
    {WieMagInput, "dir", Act::Tick, "", "input1dir", "1"},
    {WieMagInput, "maglen", Act::Type, "1x05", "input1maglen", "10"},
    {WieMagInput, "septrans", Act::Type, "aG9", "input1septrans", "A9"},
    {WieMasking, "start0", Act::Type, "1", "input1start1", "1"},
    {WieMasking, "length9", Act::Type, "39", "input1len25", "39"},
    {WieMasking, "start10", Act::Type, "1a23", "input1start31", "12"},
    {WieMasking, "Check7_5", Act::Tick, "", "input1const21", "1"},
    {WieMasking, "value5", Act::Type, "e5", "input1constval21", "E5"},
    {WieMasking, "Check7_14", Act::Tick, "", "input1const35", "1"},
    {WieMasking, "value14", Act::Type, "x7e", "input1constval35", "7E"},
    {Utilities, "spkrfreq", Act::Type, "12a34", "spkrfreq", "123"},
    {Utilities, "spkrtimeser", Act::Type, "4", "spkrtimeser", "4"},
    {Utilities, "spkrtimei1", Act::Type, "-6", "spkrtimei1", "6"},
    {Utilities, "maginterval", Act::Type, "3", "maginterval", "3"},
    {Utilities, "wieinterval", Act::Type, "57", "wieinterval", "5"},
    {Utilities, "Check4", Act::Click, "", "magpulse", "2"},
    {Utilities, "Check8", Act::Click, "", "wiepulse", "3"},
    {Utilities, "beepon", Act::Tick, "", "spkrstart", "1"},
    {Utilities, "beepoff", Act::Tick, "", "spkrstart", "0"},
    // The link settings, not the profile's.
    {Comm, "port3", Act::Click, "", "link.commport", "3"},
    {Comm, "baud115200", Act::Click, "", "link.baudrate", "115200"},
    {Comm, "parity1", Act::Click, "", "link.parity", "1"},
    {Comm, "Terminator", Act::Type, "0GdA", "link.Terminator", "0D"},
    {Comm, "ipaddress", Act::Type, "192.1x68.a1.2", "link.ipaddress", "192.168.1.2"},
    {Comm, "remoteportaddress", Act::Type, "4.0a01", "link.remoteportaddress", "4001"},
    {Comm, "tcpip", Act::Click, "", "link.commtype", "T"},
};

class ScreenSettings : public ScreenFixture {
protected:
    void SetUp() override {
        ScreenFixture::SetUp();
        ctx_.record.serinmask = 0;
        ctx_.record.hexprepro = 1;
        ctx_.record.input1magtk = 1;
        ctx_.link.commtype = QStringLiteral("S");
        keep(shown_screen<SerialScreen>());
        keep(shown_screen<SerMaskScreen>());
        keep(shown_screen<PreprocessScreen>());
        keep(shown_screen<WieSetupScreen>());
        keep(shown_screen<MagOutputScreen>(kSerToMag));
        keep(shown_screen<MagOutputScreen>(kWieMagOut));
        keep(shown_screen<WieMagInputScreen>());
        keep(shown_screen<WieMaskingScreen>());
        keep(shown_screen<UtilitiesScreen>());
        keep(shown_screen<WiegandOutputEditor>(kSerToWieVariant));
        keep(shown_screen<WiegandOutputEditor>(kWieToWieVariant));
        auto comm = std::make_unique<CommFormScreen>(ctx_);
        comm->show();
        comm->set_from_link();
        keep(std::move(comm));
    }
    void keep(std::unique_ptr<BaseScreen> s) { screens_.push_back(std::move(s)); }
    QWidget *box(const Row &r) const {
        return screens_[std::size_t(r.screen)]->findChild<QWidget *>(QString::fromLatin1(r.box));
    }

    QString stored(const QString &setting) const {
        const LinkSettings &l = ctx_.link;
        if (setting == u"link.commport")
            return QString::number(l.commport);
        if (setting == u"link.baudrate")
            return QString::number(l.baudrate);
        if (setting == u"link.parity")
            return QString::number(l.parity);
        if (setting == u"link.Terminator")
            return l.Terminator;
        if (setting == u"link.ipaddress")
            return l.ipaddress;
        if (setting == u"link.remoteportaddress")
            return l.remoteportaddress;
        if (setting == u"link.commtype")
            return l.commtype;
        const QVector<QVariant> values = record_values(ctx_.record);
        for (const SettingPlace &p : setting_places())
            if (place_name(p) == setting) {
                const QString v = values[p.column].toString();
                return p.length ? v.mid(p.from, p.length) : v;
            }
        ADD_FAILURE() << "no setting " << setting.toStdString();
        return {};
    }

    std::vector<std::unique_ptr<BaseScreen>> screens_;
};

// What a box shows: its text, or whether it is ticked.
QString shown(QWidget *w) {
    if (auto *e = qobject_cast<QLineEdit *>(w))
        return e->text();
    return qobject_cast<QCheckBox *>(w)->isChecked() ? QStringLiteral("ticked") : QStringLiteral("not ticked");
}

TEST_F(ScreenSettings, EachBoxStoresWhatIsTypedOrTickedAndShowsItAfterReload) {
    for (const Row &r : kRows) {
        SCOPED_TRACE(r.box);
        QWidget *w = box(r);
        ASSERT_NE(w, nullptr);
        ASSERT_TRUE(w->isEnabled());
        auto *tick = qobject_cast<QCheckBox *>(w);
        switch (r.act) {
        case Act::Type:
            retype(qobject_cast<QLineEdit *>(w), QString::fromUtf8(r.keys));
            break;
        case Act::Tick:
        case Act::Untick:
            if (tick->isChecked() != (r.act == Act::Tick))
                click(tick);
            break;
        case Act::Click:
            click(tick);
            EXPECT_TRUE(tick->isChecked());
            break;
        }
        EXPECT_EQ(stored(QString::fromUtf8(r.setting)).toStdString(), r.stored);
    }

    // Saved, cleared from the screens and reloaded: each profile box shows
    // what the user left in it.
    QStringList before;
    for (const Row &r : kRows)
        before << shown(box(r));
    QString error;
    ASSERT_TRUE(ctx_.store.save_profile(QStringLiteral("Default"), false, ctx_.record, &error)) << error.toStdString();
    ctx_.record = ConfigRecord{};
    for (auto &screen : screens_)
        screen->set_parms();
    ASSERT_TRUE(ctx_.store.load_profile(QStringLiteral("Default"), ctx_.record, &error)) << error.toStdString();
    for (auto &screen : screens_)
        screen->set_parms();
    for (std::size_t i = 0; i < std::size(kRows); ++i) {
        if (kRows[i].screen != Comm) {
            EXPECT_EQ(shown(box(kRows[i])).toStdString(), before[int(i)].toStdString()) << kRows[i].box;
        }
    }
}

// The words of a text, as captions are compared.
QStringList words(const QString &text) {
    static const QRegularExpression apart(QStringLiteral("[ :/,&]+"));
    return text.split(apart, Qt::SkipEmptyParts);
}

// Every place's caption (a group, a row and a column joined) is made of the
// words on its screen, whose title is the place's screen.
TEST_F(ScreenSettings, EachSettingsCaptionIsOnItsScreen) {
    int placed = 0;
    for (std::size_t i = 0; i < std::size_t(Comm); ++i) {
        const BaseScreen &screen = *screens_[i];
        SCOPED_TRACE(screen.windowTitle().toStdString());
        QStringList texts;
        for (const QLabel *l : screen.findChildren<QLabel *>())
            texts << l->text();
        for (const QAbstractButton *b : screen.findChildren<QAbstractButton *>())
            texts << b->text();
        for (const QGroupBox *g : screen.findChildren<QGroupBox *>())
            texts << g->title();
        const QStringList all = words(texts.join(QLatin1Char(' ')));
        const QSet<QString> shown(all.begin(), all.end());
        int here = 0;
        for (const SettingPlace &p : setting_places()) {
            if (screen.windowTitle() != QLatin1String(p.screen))
                continue;
            ++here;
            QString caption = p.caption;
            caption.remove(QRegularExpression(QStringLiteral(", Position \\d")));
            for (const QString &w : words(caption)) {
                EXPECT_TRUE(shown.contains(w)) << p.caption.toStdString() << ": " << w.toStdString();
            }
        }
        EXPECT_GT(here, 0) << "no setting placed on this screen";
        placed += here;
    }
    EXPECT_EQ(placed, setting_places().size());
}

} // namespace
} // namespace k52
