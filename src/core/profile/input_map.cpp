#include "input_map.h"

namespace k52 {

namespace {

using R = ConfigRecord;
#define K52_MASK_ROW(c, s, l, v)                                                                                       \
    InputMaskFields {                                                                                                  \
        &R::c, &R::s, &R::l, &R::v                                                                                     \
    }
const std::array<InputMaskFields, kInputMaskRows> kInputMaskTable{
    K52_MASK_ROW(input1const1, input1start1, input1len1, input1constval1),
    K52_MASK_ROW(input1const2, input1start2, input1len2, input1constval2),
    K52_MASK_ROW(input1const3, input1start3, input1len3, input1constval3),
    K52_MASK_ROW(input1const4, input1start4, input1len4, input1constval4),
    K52_MASK_ROW(input1const5, input1start5, input1len5, input1constval5),
    K52_MASK_ROW(input1const21, input1start21, input1len21, input1constval21),
    K52_MASK_ROW(input1const22, input1start22, input1len22, input1constval22),
    K52_MASK_ROW(input1const23, input1start23, input1len23, input1constval23),
    K52_MASK_ROW(input1const24, input1start24, input1len24, input1constval24),
    K52_MASK_ROW(input1const25, input1start25, input1len25, input1constval25),
    K52_MASK_ROW(input1const31, input1start31, input1len31, input1constval31),
    K52_MASK_ROW(input1const32, input1start32, input1len32, input1constval32),
    K52_MASK_ROW(input1const33, input1start33, input1len33, input1constval33),
    K52_MASK_ROW(input1const34, input1start34, input1len34, input1constval34),
    K52_MASK_ROW(input1const35, input1start35, input1len35, input1constval35),
};
#undef K52_MASK_ROW

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

std::optional<InputMaskFields> input_mask_fields(int row) {
    if (row < 0 || row >= kInputMaskRows)
        return std::nullopt;
    return kInputMaskTable[std::size_t(row)];
}

const WieInputFormat &wie_input_format(int format) {
    return kFormats.at(std::size_t(format));
}

} // namespace k52
