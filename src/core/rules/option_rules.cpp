#include "option_rules.h"

namespace k52 {

TrackBoxes sertomag_track_boxes(int index, bool ticked) {
    TrackBoxes b;
    const bool clicked_is_track1 = index == kTrack1Box;
    b.track1 = clicked_is_track1 ? ticked : !ticked;
    b.track2 = clicked_is_track1 ? !ticked : ticked;
    return b;
}

void store_sertomag_tracks(MagParms &parms, TrackBoxes boxes) {
    parms[0] = 0;
    parms[1] = 0;
    if (boxes.track2)
        parms[1] = 1;
    if (boxes.track1)
        parms[0] = 1;
}

std::optional<WieMagTrack> wiemagout_track_choice(int index, bool ticked) {
    if (!ticked || (index != kTrack1Box && index != kTrack2Box))
        return std::nullopt;
    WieMagTrack t;
    t.input1magouttk = index == kTrack2Box ? 2 : 1;
    t.sentinel_enabled = index == kTrack2Box;
    return t;
}

int wiemagout_box_for(Integer input1magouttk) {
    return input1magouttk == 2 ? kTrack2Box : kTrack1Box;
}

namespace {

// Stored codes in choice order.
constexpr std::array<Integer, kInputTypeChoices> kInputTypeCodes{1, 2, 5, 3, 4};
constexpr std::array<Integer, kConvTypeChoices> kConvTypeCodes{3, 1, 2, 5, 8, 7, 4};
constexpr std::array<Integer, kDumpModeChoices> kDumpModeCodes{0, 1, 2, 3, 4, 5, 6};

template <std::size_t N> std::optional<Integer> code_at(const std::array<Integer, N> &codes, int index) {
    if (index < 0 || index >= int(N))
        return std::nullopt;
    return codes[std::size_t(index)];
}

template <std::size_t N> std::optional<int> index_of(const std::array<Integer, N> &codes, Integer code) {
    for (std::size_t i = 0; i < N; ++i)
        if (codes[i] == code)
            return int(i);
    return std::nullopt;
}

} // namespace

const std::array<const char *, kInputTypeChoices> kInputTypeCaptions{
    QT_TRANSLATE_NOOP("k52::WieSetupScreen", "Wiegand"), QT_TRANSLATE_NOOP("k52::WieSetupScreen", "Magstripe"),
    QT_TRANSLATE_NOOP("k52::WieSetupScreen", "Wiegand and Magstripe"),
    QT_TRANSLATE_NOOP("k52::WieSetupScreen", "Alpha Wie"), QT_TRANSLATE_NOOP("k52::WieSetupScreen", "Wieaba")};
const std::array<const char *, kConvTypeChoices> kConvTypeCaptions{
    QT_TRANSLATE_NOOP("k52::WieSetupScreen", "Serial"),
    QT_TRANSLATE_NOOP("k52::WieSetupScreen", "Mag Emulation"),
    QT_TRANSLATE_NOOP("k52::WieSetupScreen", "Wand Emulation"),
    QT_TRANSLATE_NOOP("k52::WieSetupScreen", "Wiegand"),
    QT_TRANSLATE_NOOP("k52::WieSetupScreen", "Alpha Wiegand"),
    QT_TRANSLATE_NOOP("k52::WieSetupScreen", "Aba Wiegand (wieaba)"),
    QT_TRANSLATE_NOOP("k52::WieSetupScreen", "Serial Dump")};
const std::array<const char *, kDumpModeChoices> kDumpModeCaptions{
    QT_TRANSLATE_NOOP("k52::WieSetupScreen", "Mode 0   (1 char for each bit)"),
    QT_TRANSLATE_NOOP("k52::WieSetupScreen", "Mode 1   (8 bits/char)"),
    QT_TRANSLATE_NOOP("k52::WieSetupScreen", "Mode 2   (8 bits/char with preceding bit count"),
    QT_TRANSLATE_NOOP("k52::WieSetupScreen", "Mode 3   (hex, ignore leading zeroes)"),
    QT_TRANSLATE_NOOP("k52::WieSetupScreen", "Mode 4   (hex, include leading zeroes)"),
    QT_TRANSLATE_NOOP("k52::WieSetupScreen", "Mode 5   (8 bits/char, bit count, 8 chars always"),
    QT_TRANSLATE_NOOP("k52::WieSetupScreen", "Mode 6   (8 bits/char, bit count, 16 chars always")};

std::optional<Integer> input_type_code(int index) {
    return code_at(kInputTypeCodes, index);
}
std::optional<int> input_type_index(Integer code) {
    return index_of(kInputTypeCodes, code);
}
std::optional<Integer> conv_type_code(int index) {
    return code_at(kConvTypeCodes, index);
}
std::optional<int> conv_type_index(Integer code) {
    return index_of(kConvTypeCodes, code);
}
std::optional<Integer> dump_mode_code(int index) {
    return code_at(kDumpModeCodes, index);
}
std::optional<int> dump_mode_index(Integer code) {
    return index_of(kDumpModeCodes, code);
}

} // namespace k52
