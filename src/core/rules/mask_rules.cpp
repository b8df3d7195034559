#include "mask_rules.h"

namespace k52 {

MaskEntryEnables mask_entry_enables(bool constant) {
    return {!constant, constant};
}

MaskSet ConfigRecord::*sermask_set(int set) {
    switch (set) {
    case 0:
        return &ConfigRecord::sermask1;
    case 1:
        return &ConfigRecord::sermask2;
    case 2:
        return &ConfigRecord::sermask3;
    default:
        return nullptr;
    }
}

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

} // namespace

std::optional<InputMaskFields> input_mask_fields(int row) {
    if (row < 0 || row >= kInputMaskRows)
        return std::nullopt;
    return kInputMaskTable[std::size_t(row)];
}

} // namespace k52
