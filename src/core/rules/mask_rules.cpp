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

} // namespace k52
