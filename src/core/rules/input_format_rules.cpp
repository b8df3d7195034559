#include "input_format_rules.h"

namespace k52 {

namespace {

using R = ConfigRecord;
const std::array<WieInputFormat, kWieInputFormats> kFormats{{
    {{{
         {&R::input1wiesitestart, &R::input1wiesitelen, &R::input1wieinsitelsb, &R::input1sitechars},
         {&R::input1wieidstart, &R::input1wieidlen, &R::input1wieinidlsb, &R::input1idchars},
         {&R::input1wieissuestart, &R::input1wieissuelen, &R::input1wieinissuelsb, &R::input1issuechars},
     }},
     &R::input1totalbits},
    {{{
         {&R::input1wiesitestart2, &R::input1wiesitelen2, &R::input1wieinsitelsb2, &R::input1sitechars2},
         {&R::input1wieidstart2, &R::input1wieidlen2, &R::input1wieinidlsb2, &R::input1idchars2},
         {&R::input1wieissuestart2, &R::input1wieissuelen2, &R::input1wieinissuelsb2, &R::input1issuechars2},
     }},
     &R::input1totalbits2},
    {{{
         {&R::input1wiesitestart3, &R::input1wiesitelen3, &R::input1wieinsitelsb3, &R::input1sitechars3},
         {&R::input1wieidstart3, &R::input1wieidlen3, &R::input1wieinidlsb3, &R::input1idchars3},
         {&R::input1wieissuestart3, &R::input1wieissuelen3, &R::input1wieinissuelsb3, &R::input1issuechars3},
     }},
     &R::input1totalbits3},
}};

} // namespace

const WieInputFormat &wie_input_format(int format) {
    return kFormats.at(std::size_t(format));
}

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
