#include "input_format_rules.h"

namespace k52 {

MagInputTrack mag_input_track(bool track1) {
    MagInputTrack t;
    t.track1 = track1;
    t.input1magtk = track1 ? 1 : 2;
    t.cstart_enabled = !track1;
    t.alpdel_enabled = track1;
    return t;
}

MagInputTrack mag_input_track_after_click(int box, bool ticked) {
    return mag_input_track(box == kTrack1SetBox ? ticked : !ticked);
}

MagInputTrack mag_input_track_for(Integer input1magtk) {
    return mag_input_track(input1magtk == 1);
}

} // namespace k52
