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

std::optional<Integer> code_at(const ChoiceList &choices, int index) {
    const std::optional<qint64> code = choice_code(choices, index);
    return code ? std::optional<Integer>(Integer(*code)) : std::nullopt;
}

} // namespace

std::optional<Integer> input_type_code(int index) {
    return code_at(input_type_choices(), index);
}
std::optional<int> input_type_index(Integer code) {
    return choice_index(input_type_choices(), code);
}
std::optional<Integer> conv_type_code(int index) {
    return code_at(output_conversion_choices(), index);
}
std::optional<int> conv_type_index(Integer code) {
    return choice_index(output_conversion_choices(), code);
}
std::optional<Integer> dump_mode_code(int index) {
    return code_at(dump_mode_choices(), index);
}
std::optional<int> dump_mode_index(Integer code) {
    return choice_index(dump_mode_choices(), code);
}

} // namespace k52
